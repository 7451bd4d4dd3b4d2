// A small HTTP/1.1 server on 127.0.0.1 for tests: it records every request byte for byte and
// answers with the reply set for the path, including the faults a real network shows (delay,
// a connection closed without a reply, a body that stalls half way, no Content-Length).
#pragma once

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace zunta::testsupport {

struct RecordedRequest {
    std::string requestLine;  // "GET /admin/x.php?a=1 HTTP/1.1", byte for byte
    std::string method;
    std::string target;  // the raw request target, byte for byte
    std::vector<std::pair<std::string, std::string>> headers;  // in arrival order
    std::string header(std::string_view name) const;           // case-insensitive, "" if none
};

struct Reply {
    int status = 200;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;  // e.g. {"Location", "/x"}
    bool sendContentLength = true;   // false: no Content-Length, connection closed after body
    int delayMs = 0;                 // wait before sending anything
    bool closeWithoutReply = false;  // read the request, then close the connection
    int stallAfterBytes = -1;        // >= 0: send the head and this many body bytes, then hang
                                     // without closing until the server stops
};

class HttpTestServer {
  public:
    HttpTestServer();  // binds 127.0.0.1 on a free port and serves on its own threads
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return port_; }
    std::string baseUrl() const;  // "http://127.0.0.1:<port>"

    void setReply(std::string path, Reply reply);  // path = target without the query
    void setDefaultReply(Reply reply);             // 404 with an empty body unless set
    std::vector<RecordedRequest> requests() const;
    void clearRequests();
    // Waits until at least `count` requests arrived; false after `timeoutMs`.
    bool waitForRequests(std::size_t count, int timeoutMs) const;

    void stop();

  private:
    void acceptLoop();
    void serve(int fd);
    Reply replyFor(const std::string& target) const;

    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;

    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::map<std::string, Reply> replies_;
    Reply defaultReply_;
    std::vector<RecordedRequest> requests_;
    std::vector<int> openFds_;
    std::vector<std::thread> workers_;
};

}  // namespace zunta::testsupport
