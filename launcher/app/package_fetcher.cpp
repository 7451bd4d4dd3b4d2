#include "launcher/app/package_fetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "launcher/core/package_fetch.h"

namespace zunta::launcher {

QString FailureMessage(const FetchOutcome& outcome) {
    using Failure = FetchOutcome::Failure;
    switch (outcome.failure) {
        case Failure::None:
            return {};
        case Failure::CannotConnect:
            return QStringLiteral(
                "서버에 연결할 수 없습니다.\n인터넷 연결을 확인한 뒤 [다시 시도]를 눌러 주세요.");
        case Failure::TimedOut:
            return QStringLiteral(
                "서버가 응답하지 않습니다(시간 초과).\n잠시 후 [다시 시도]를 눌러 주세요.");
        case Failure::ErrorStatus:
            return QStringLiteral(
                       "서버가 오류를 알려 왔습니다(상태 %1).\n잠시 후 [다시 시도]를 "
                       "눌러 주세요.")
                .arg(outcome.status);
        case Failure::ConnectionBroken:
            return QStringLiteral(
                "시험 자료를 받는 중에 서버와의 연결이 끊어졌습니다.\n[다시 "
                "시도]를 눌러 주세요.");
        case Failure::TooLarge:
            return QStringLiteral(
                "서버가 보낸 시험 자료가 너무 커서 받을 수 없습니다.\n선생님께 알려 주세요.");
        case Failure::LinkTooLong:
            return QStringLiteral(
                "시험 시작 주소가 너무 길어 시험을 시작할 수 없습니다.\n웹 페이지에서 시험을 "
                "다시 시작하고, 그래도 안 되면 선생님께 알려 주세요.");
        case Failure::MediaNotWritable:
            return QStringLiteral(
                "받은 시험 자료를 이 컴퓨터에 저장할 수 없습니다.\n저장 공간과 문서 폴더를 "
                "확인한 뒤 [다시 시도]를 눌러 주세요.");
    }
    return {};
}

bool CanRetry(const FetchOutcome& outcome) {
    return outcome.failure != FetchOutcome::Failure::LinkTooLong;
}

PackageFetcher::PackageFetcher(QObject* parent) : QObject(parent) {}

PackageFetcher::~PackageFetcher() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void PackageFetcher::Start(const std::string& address) {
    body_.clear();
    tooLarge_ = false;
    // Built from bytes, so Qt sends the query exactly as given (no re-encoding of it).
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        FetchOutcome outcome;
        outcome.failure = FetchOutcome::Failure::CannotConnect;
        // Reported from the event loop, as every other outcome is.
        QTimer::singleShot(0, this, [this, outcome] { emit finished(outcome); });
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUserAgent));
    request.setRawHeader("Accept", kAccept);
    // A 3xx is a failure like any status outside 200-299, so it is not followed.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(timeoutMs_);
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &PackageFetcher::OnReadyRead);
    connect(reply_, &QNetworkReply::downloadProgress, this, &PackageFetcher::progress);
    connect(reply_, &QNetworkReply::finished, this, &PackageFetcher::OnFinished);
}

void PackageFetcher::OnReadyRead() {
    if (!reply_ || tooLarge_ || !reply_->isOpen()) {
        return;  // an aborted reply (time-out, size limit) has nothing more to read
    }
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if ((length.isValid() && length.toLongLong() > bodyLimit_) ||
        body_.size() + reply_->bytesAvailable() > bodyLimit_) {
        tooLarge_ = true;
        reply_->abort();
        return;
    }
    body_ += reply_->readAll();
}

void PackageFetcher::OnFinished() {
    if (!reply_) {
        return;
    }
    OnReadyRead();  // bytes that arrived with the end of the reply
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    using Failure = FetchOutcome::Failure;
    FetchOutcome outcome;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    outcome.status = status.isValid() ? status.toInt() : 0;
    const QNetworkReply::NetworkError error = reply->error();
    if (tooLarge_) {
        outcome.failure = Failure::TooLarge;
    } else if (error == QNetworkReply::OperationCanceledError ||
               error == QNetworkReply::TimeoutError) {
        // Only the transfer time-out cancels a reply that this class did not abort itself.
        outcome.failure = Failure::TimedOut;
    } else if (status.isValid() && (outcome.status < 200 || outcome.status > 299)) {
        outcome.failure = Failure::ErrorStatus;
    } else if (error != QNetworkReply::NoError) {
        outcome.failure = status.isValid() ? Failure::ConnectionBroken : Failure::CannotConnect;
    } else if (!status.isValid()) {
        outcome.failure = Failure::CannotConnect;
    }
    if (outcome.ok()) {
        outcome.body = std::move(body_);
    }
    body_.clear();
    emit finished(outcome);
}

}  // namespace zunta::launcher
