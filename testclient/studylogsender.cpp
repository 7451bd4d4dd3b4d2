#include "testclient/studylogsender.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace zunta::testclient {

StudyLogSender::StudyLogSender(QNetworkAccessManager* network, int timeoutMs, QObject* parent)
    : QObject(parent), network_(network), timeoutMs_(timeoutMs) {}

void StudyLogSender::Send(const std::string& encodedAddress,
                          std::function<void(const SendOutcome&)> done) {
    // Built from the bytes themselves: a QUrl made from a QString would encode them again.
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(encodedAddress), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) {
        SendOutcome outcome;
        outcome.reason = QStringLiteral("잘못된 주소: ") + url.errorString();
        QTimer::singleShot(0, this, [done, outcome] { done(outcome); });
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Mozilla/5.0 (compatible; MSIE 7.0;)"));
    request.setRawHeader("Accept", "text/html, */*");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(15);
    request.setTransferTimeout(timeoutMs_);

    QNetworkReply* reply = network_->get(request);
    auto body = std::make_shared<QByteArray>();
    connect(reply, &QNetworkReply::readyRead, this, [reply, body] {
        const QByteArray chunk = reply->readAll();
        body->append(chunk.left(qMax<qint64>(0, kMaxReplyBytes - body->size())));
    });
    connect(reply, &QNetworkReply::finished, this, [reply, body, done] {
        reply->deleteLater();
        const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray();
        body->append(rest.left(qMax<qint64>(0, kMaxReplyBytes - body->size())));
        SendOutcome outcome;
        outcome.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome.body = *body;
        const QNetworkReply::NetworkError error = reply->error();
        const bool success = outcome.status >= 200 && outcome.status <= 299;
        if (error == QNetworkReply::NoError && success) {
            outcome.received = true;
        } else {
            // A transfer time-out aborts the reply as a cancel.
            const bool timedOut = error == QNetworkReply::OperationCanceledError ||
                                  error == QNetworkReply::TimeoutError;
            outcome.reason = error == QNetworkReply::NoError ? QString()
                             : timedOut                      ? QStringLiteral("시간 초과")
                                                             : reply->errorString();
            if (outcome.status != 0) {
                outcome.reason += QStringLiteral(" (HTTP %1)").arg(outcome.status);
            }
        }
        done(outcome);
    });
}

}  // namespace zunta::testclient
