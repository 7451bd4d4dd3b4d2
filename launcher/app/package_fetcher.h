// One GET of the study package with Qt Network: the exact request bytes, no redirects, an
// inactivity time-out, a size limit, and the reply held whole.
#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <string>

class QNetworkReply;

namespace zunta::launcher {

struct FetchOutcome {
    // LinkTooLong and MediaNotWritable are the session's own: the link was refused before any
    // request, or the reply could not be stored.
    enum class Failure {
        None,
        CannotConnect,
        TimedOut,
        ErrorStatus,
        ConnectionBroken,
        TooLarge,
        LinkTooLong,
        MediaNotWritable,
    };
    Failure failure = Failure::None;
    int status = 0;  // the HTTP status when the server sent one
    QByteArray body;

    bool ok() const { return failure == Failure::None; }
};

// What the student reads when the download failed, in Korean, with what to do next.
QString FailureMessage(const FetchOutcome& outcome);

// False where fetching the same link again cannot help.
bool CanRetry(const FetchOutcome& outcome);

class PackageFetcher : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultTimeoutMs = 30000;
    // A study package is a few hundred kilobytes; far more is no package.
    static constexpr qint64 kDefaultBodyLimit = 32 * 1024 * 1024;

    explicit PackageFetcher(QObject* parent = nullptr);
    ~PackageFetcher() override;

    // Connecting and every pause in the transfer are bounded by this.
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    void setBodyLimit(qint64 bytes) { bodyLimit_ = bytes; }

    // Sends the GET for `address`, taken byte for byte as an encoded address.
    void Start(const std::string& address);
    bool running() const { return !reply_.isNull(); }

  signals:
    // total is -1 while the reply's length is unknown.
    void progress(qint64 received, qint64 total);
    void finished(const zunta::launcher::FetchOutcome& outcome);

  private:
    void OnReadyRead();
    void OnFinished();

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    int timeoutMs_ = kDefaultTimeoutMs;
    qint64 bodyLimit_ = kDefaultBodyLimit;
    bool tooLarge_ = false;
};

}  // namespace zunta::launcher
