// The question page: an HTML view that fetches http(s) pictures itself and lays the page out
// again when one arrives. It runs no script, follows no link and writes no file.
#pragma once

#include <QHash>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace zunta::testclient {

// A picture larger than this is dropped unseen (a question picture is well under 1 MB).
inline constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

class QuestionBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    QuestionBrowser(QNetworkAccessManager* network, QWidget* parent);

    void ShowPage(const QString& html);
    // The root frame's top margin that centres the page vertically (the view ignores the
    // table's height=100%).
    int CentringMargin() const;

  signals:
    void pictureArrived(const QUrl& url);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Fetch(const QUrl& url);
    void Recentre();

    QNetworkAccessManager* network_;
    QHash<QUrl, QNetworkReply*> pending_;
};

}  // namespace zunta::testclient
