// Sends a study log request: one GET of an address that is already encoded byte for byte.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QNetworkAccessManager;

namespace zunta::testclient {

inline constexpr int kStudyLogTimeoutMs = 30000;       // without progress
inline constexpr qint64 kMaxReplyBytes = 1024 * 1024;  // the rest of a longer reply is dropped

struct SendOutcome {
    bool received = false;  // the server answered with a status of 200 to 299
    int status = 0;         // 0 when no reply came
    QByteArray body;
    QString reason;  // why it was not received, for the run log
};

class StudyLogSender : public QObject {
    Q_OBJECT
  public:
    StudyLogSender(QNetworkAccessManager* network, int timeoutMs, QObject* parent);

    // `done` runs once, on this thread, when the request has ended.
    void Send(const std::string& encodedAddress, std::function<void(const SendOutcome&)> done);

  private:
    QNetworkAccessManager* network_;
    int timeoutMs_;
};

}  // namespace zunta::testclient
