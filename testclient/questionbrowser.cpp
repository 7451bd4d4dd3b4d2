#include "testclient/questionbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextFrame>

namespace zunta::testclient {

QuestionBrowser::QuestionBrowser(QNetworkAccessManager* network, QWidget* parent)
    : QTextBrowser(parent), network_(network) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);  // the page body has no border
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));
}

void QuestionBrowser::ShowPage(const QString& html) {
    // setHtml keeps the pictures added to the document; a test of many questions would hold
    // every one of them.
    document()->clear();
    setHtml(html);
    Recentre();
}

QVariant QuestionBrowser::loadResource(int type, const QUrl& name) {
    const QString scheme = name.scheme().toLower();
    const bool remote = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (remote && type == QTextDocument::ImageResource) {
        Fetch(name);
    }
    const QVariant local = remote ? QVariant() : QTextBrowser::loadResource(type, name);
    if (type == QTextDocument::ImageResource && !local.isValid()) {
        // Not here (yet): an empty picture, so the view draws no broken-image mark. The one
        // that arrives is added to the document and takes precedence.
        QImage none(1, 1, QImage::Format_ARGB32);
        none.fill(Qt::transparent);
        return none;
    }
    return local;
}

void QuestionBrowser::Fetch(const QUrl& url) {
    if (pending_.contains(url)) {
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(30000);
    QNetworkReply* reply = network_->get(request);
    pending_.insert(url, reply);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxPictureBytes) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        pending_.remove(url);
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            return;  // a picture that cannot be loaded goes unnoticed
        }
        const QImage image = QImage::fromData(reply->readAll());
        if (image.isNull()) {
            return;
        }
        document()->addResource(QTextDocument::ImageResource, url, image);
        // Lay the page out again so the picture takes its place.
        document()->markContentsDirty(0, document()->characterCount());
        Recentre();
        emit pictureArrived(url);
    });
}

int QuestionBrowser::CentringMargin() const {
    const QTextFrameFormat format = document()->rootFrame()->frameFormat();
    const qreal content = document()->size().height() - format.topMargin();
    return qMax(0, static_cast<int>((viewport()->height() - content) / 2));
}

void QuestionBrowser::Recentre() {
    QTextFrame* root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const int margin = CentringMargin();
    if (static_cast<int>(format.topMargin()) != margin) {
        format.setTopMargin(margin);
        root->setFrameFormat(format);
    }
}

void QuestionBrowser::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    Recentre();
}

}  // namespace zunta::testclient
