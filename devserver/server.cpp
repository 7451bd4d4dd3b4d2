#include "devserver/server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "devserver/connection.h"
#include "devserver/faults.h"
#include "devserver/packages.h"
#include "devserver/query.h"
#include "devserver/results_page.h"
#include "devserver/study_log.h"
#include "devserver/study_log_store.h"
#include "zunta/platform/files.h"

namespace zunta::devserver {
namespace {

// Enough for a few stalled replies and idle keep-alive connections beside the real traffic.
constexpr std::size_t kWorkerThreads = 16;

// What the organisation's server sends with its PHP answers.
constexpr const char* kAnsiHtml = "text/html; charset=euc-kr";
constexpr const char* kUtf8Text = "text/plain; charset=utf-8";
constexpr const char* kUtf8Html = "text/html; charset=utf-8";

struct Reply {
    int status = 200;
    std::string contentType = kUtf8Text;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

Reply Text(int status, std::string body) {
    return {status, kUtf8Text, std::move(body) + "\n", {}};
}

std::string UtcNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(millis.count()));
    return text;
}

constexpr const char* kIndexPage =
    "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\">"
    "<title>zunta-devserver</title></head>\n<body><h1>ZUNTA 개발용 서버</h1>\n"
    "<p><a href=\"/results\">받은 학습 결과 보기</a></p></body></html>\n";

}  // namespace

struct DevServer::Impl {
    explicit Impl(ServerOptions o) : options(std::move(o)) {}

    void Handle(const httplib::Request& request, httplib::Response& response);
    Reply Route(const httplib::Request& request, const std::string& path);
    Reply Control(const httplib::Request& request, const std::string& path);
    void SleepUnlessStopping(int ms);
    void SendPartly(Reply reply, FaultMode mode, int socket, httplib::Response& response);

    ServerOptions options;
    httplib::Server http;
    std::unique_ptr<StudyLogStore> store;
    FaultBoard faults;
    std::atomic<bool> stopping{false};
    std::mutex sleepMutex;
    std::condition_variable wake;
    std::thread thread;
    int port = 0;
};

DevServer::DevServer(ServerOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {
    const auto handle = [this](const httplib::Request& request, httplib::Response& response) {
        impl_->Handle(request, response);
    };
    impl_->http.Get(".*", handle);
    impl_->http.Post(".*", handle);
    impl_->http.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // The library's default adds SO_REUSEPORT, with which a second server would quietly share
    // a port that is in use instead of failing to bind.
    impl_->http.set_socket_options([](socket_t socket) {
        const int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    if (impl_->options.logRequests) {
        impl_->http.set_logger([](const httplib::Request& request, const httplib::Response& r) {
            std::fprintf(stderr, "zunta-devserver: %s %s -> %d\n", request.method.c_str(),
                         request.target.c_str(), r.status);
        });
    }
}

DevServer::~DevServer() {
    Stop();
}

bool DevServer::Start(std::string& error) {
    Impl& d = *impl_;
    // A client that hangs up mid-reply must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::error_code ignored;
    if (!std::filesystem::is_directory(d.options.packagesDir, ignored)) {
        error = "패키지 폴더가 없습니다: " + d.options.packagesDir.string();
        return false;
    }
    std::string databaseError;
    d.store = StudyLogStore::Open(d.options.databaseFile, databaseError);
    if (!d.store) {
        error = "데이터베이스를 열 수 없습니다 (" + d.options.databaseFile.string() +
                "): " + databaseError;
        return false;
    }
    if (d.options.port == 0) {
        d.port = d.http.bind_to_any_port("127.0.0.1");
    } else {
        d.port = d.http.bind_to_port("127.0.0.1", d.options.port) ? d.options.port : -1;
    }
    if (d.port <= 0) {
        error = "127.0.0.1:" + std::to_string(d.options.port) +
                " 에서 기다릴 수 없습니다 (포트가 이미 쓰이고 있을 수 있습니다)";
        return false;
    }
    d.thread = std::thread([&d] { d.http.listen_after_bind(); });
    // Stop() only reaches a server that already runs.
    while (!d.http.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void DevServer::Stop() {
    Impl& d = *impl_;
    if (!d.thread.joinable()) {
        return;
    }
    {
        std::lock_guard lock(d.sleepMutex);
        d.stopping = true;
    }
    d.wake.notify_all();
    d.http.stop();
    d.thread.join();
}

int DevServer::port() const {
    return impl_->port;
}

std::string DevServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(impl_->port);
}

void DevServer::Impl::SleepUnlessStopping(int ms) {
    std::unique_lock lock(sleepMutex);
    wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping.load(); });
}

void DevServer::Impl::Handle(const httplib::Request& request, httplib::Response& response) {
    const std::string path = PercentDecode(TargetPath(request.target));
    Reply reply;
    if (path.rfind("/_control/", 0) == 0) {
        reply = Control(request, path);
    } else if (const std::optional<Fault> fault = faults.Take(path)) {
        switch (fault->mode) {
            case FaultMode::Close: {
                const int socket = FindConnectionSocket(port, request.remote_port);
                if (socket >= 0) {
                    ShutDownConnection(socket);
                    return;
                }
                reply = Text(500, "장애 close: 연결을 찾지 못했습니다");
                break;
            }
            case FaultMode::Status:
                // Refused: the request itself is not carried out, nothing is recorded.
                reply = Text(fault->status, "fault: status " + std::to_string(fault->status));
                if (fault->status < 400) {
                    reply.headers.emplace_back(
                        "Location", fault->location.empty() ? request.target : fault->location);
                }
                break;
            case FaultMode::Delay:
                SleepUnlessStopping(fault->delayMs);
                reply = Route(request, path);
                break;
            case FaultMode::Empty:
                reply = Route(request, path);
                reply.body.clear();
                break;
            case FaultMode::Stall:
            case FaultMode::Cut:
                SendPartly(Route(request, path), fault->mode,
                           FindConnectionSocket(port, request.remote_port), response);
                return;
        }
    } else {
        reply = Route(request, path);
    }
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) {
        response.set_header(name, value);
    }
    response.set_content(reply.body, reply.contentType);
}

void DevServer::Impl::SendPartly(Reply reply, FaultMode mode, int socket,
                                 httplib::Response& response) {
    response.status = reply.status;
    auto body = std::make_shared<std::string>(std::move(reply.body));
    response.set_content_provider(
        body->size(), reply.contentType,
        [this, body, mode, socket](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            const std::size_t half = body->size() / 2;
            if (offset < half) {
                return sink.write(body->data() + offset, half - offset);
            }
            if (mode == FaultMode::Stall) {
                WaitForPeerClose(socket, stopping, std::chrono::milliseconds(kStallLimitMs));
            }
            return false;  // the library closes the connection without the rest
        });
}

Reply DevServer::Impl::Route(const httplib::Request& request, const std::string& path) {
    if (request.method != "GET" && request.method != "HEAD") {
        return Text(405, "이 주소는 GET으로만 부를 수 있습니다: " + path);
    }
    if (path == "/admin/api_getdata.php") {
        const std::string key =
            PercentDecode(QueryValue(SplitQuery(TargetQuery(request.target)), "idkey"));
        PackageReply package =
            PackageFor(options.packagesDir, key, "http://127.0.0.1:" + std::to_string(port));
        return {200, kAnsiHtml, std::move(package.body), {}};
    }
    if (path == "/admin/api_sendlog.php") {
        if (request.method != "GET") {
            return Text(405, "학습 로그는 GET으로만 받습니다");  // a HEAD records nothing
        }
        switch (store->Record(request.target, DecodeStudyLog(request.target), UtcNow())) {
            case StudyLogStore::Outcome::Recorded:
            case StudyLogStore::Outcome::AlreadyRecorded:
                return {200, kAnsiHtml, "OK", {}};
            case StudyLogStore::Outcome::Failed:
                break;
        }
        return {500, kAnsiHtml, "ERROR", {}};
    }
    if (path == "/results") {
        return {200, kUtf8Html, ResultsHtml(store->Newest(kResultsShown)), {}};
    }
    if (path == "/results.json") {
        return {
            200, "application/json; charset=utf-8", ResultsJson(store->Newest(kResultsShown)), {}};
    }
    if (path.rfind("/pictures/", 0) == 0) {
        if (const auto file = PictureFile(options.picturesDir, path.substr(10))) {
            platform::ReadResult read = platform::ReadWholeFile(*file, kMaxServedFileBytes);
            if (read.status == platform::ReadStatus::Ok) {
                return {200, PictureContentType(*file), std::move(read.bytes), {}};
            }
        }
        return Text(404, "그림이 없습니다: " + path);
    }
    if (path == "/") {
        return {200, kUtf8Html, kIndexPage, {}};
    }
    return Text(404, "없는 주소입니다: " + path);
}

Reply DevServer::Impl::Control(const httplib::Request& request, const std::string& path) {
    // Bound to 127.0.0.1 only; a web page in a browser could still post a form here, and the
    // browser then names the page's origin.
    if (request.remote_addr != "127.0.0.1" || request.has_header("Origin")) {
        return Text(403, "제어 요청은 이 컴퓨터의 테스트에서만 받습니다");
    }
    if (request.method != "POST") {
        return Text(405, "제어 요청은 POST로 보내야 합니다: " + path);
    }
    if (path == "/_control/reset") {
        faults.Reset();
        return Text(200, "OK");
    }
    if (path == "/_control/fault") {
        ParsedFault parsed = ParseFaultControl(request.body);
        if (!parsed.armed) {
            return Text(400, parsed.error);
        }
        faults.Arm(std::move(*parsed.armed));
        return Text(200, "OK");
    }
    return Text(404, "없는 제어 요청입니다: " + path);
}

}  // namespace zunta::devserver
