#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace zunta::testsupport {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

}  // namespace

std::string RecordedRequest::header(std::string_view name) const {
    const std::string wanted = Lower(name);
    for (const auto& [key, value] : headers) {
        if (Lower(key) == wanted) {
            return value;
        }
    }
    return {};
}

HttpTestServer::HttpTestServer() {
    defaultReply_.status = 404;
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        throw std::runtime_error("test server: no socket");
    }
    const int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 16) != 0) {
        ::close(listenFd_);
        throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    }
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

HttpTestServer::~HttpTestServer() {
    stop();
}

std::string HttpTestServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void HttpTestServer::setReply(std::string path, Reply reply) {
    std::lock_guard lock(mutex_);
    replies_[std::move(path)] = std::move(reply);
}

void HttpTestServer::setDefaultReply(Reply reply) {
    std::lock_guard lock(mutex_);
    defaultReply_ = std::move(reply);
}

std::vector<RecordedRequest> HttpTestServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void HttpTestServer::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

bool HttpTestServer::waitForRequests(std::size_t count, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return requests_.size() >= count; });
}

void HttpTestServer::stop() {
    if (stopping_.exchange(true)) {
        return;
    }
    ::shutdown(listenFd_, SHUT_RDWR);
    if (acceptThread_.joinable()) {
        acceptThread_.join();
    }
    ::close(listenFd_);
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(mutex_);
        for (const int fd : openFds_) {
            ::shutdown(fd, SHUT_RDWR);
        }
        workers.swap(workers_);
    }
    for (auto& t : workers) {
        t.join();
    }
}

void HttpTestServer::acceptLoop() {
    while (!stopping_) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) {
            continue;
        }
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        std::lock_guard lock(mutex_);
        openFds_.push_back(fd);
        workers_.emplace_back([this, fd] { serve(fd); });
    }
}

Reply HttpTestServer::replyFor(const std::string& target) const {
    const std::string path = target.substr(0, target.find('?'));
    std::lock_guard lock(mutex_);
    const auto it = replies_.find(path);
    return it == replies_.end() ? defaultReply_ : it->second;
}

void HttpTestServer::serve(int fd) {
    std::string buffer;
    char chunk[4096];
    // One request per connection is enough for the clients under test; the reply says
    // "Connection: close" so they open a new one for the next request.
    while (buffer.find("\r\n\r\n") == std::string::npos && !stopping_) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) {
            continue;
        }
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) {
            break;
        }
        buffer.append(chunk, static_cast<std::size_t>(n));
        if (buffer.size() > (1u << 20)) {
            break;
        }
    }
    const std::size_t headEnd = buffer.find("\r\n\r\n");
    if (headEnd != std::string::npos) {
        RecordedRequest request;
        const std::string head = buffer.substr(0, headEnd);
        std::size_t lineEnd = head.find("\r\n");
        request.requestLine = head.substr(0, lineEnd);
        const std::size_t sp1 = request.requestLine.find(' ');
        const std::size_t sp2 = request.requestLine.rfind(' ');
        if (sp1 != std::string::npos && sp2 > sp1) {
            request.method = request.requestLine.substr(0, sp1);
            request.target = request.requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
        }
        while (lineEnd != std::string::npos) {
            const std::size_t next = head.find("\r\n", lineEnd + 2);
            const std::string line = head.substr(lineEnd + 2, next - lineEnd - 2);
            const std::size_t colon = line.find(':');
            if (colon != std::string::npos) {
                std::string value = line.substr(colon + 1);
                value.erase(0, value.find_first_not_of(' '));
                request.headers.emplace_back(line.substr(0, colon), value);
            }
            lineEnd = next;
        }
        const Reply reply = replyFor(request.target);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        arrived_.notify_all();

        for (int waited = 0; waited < reply.delayMs && !stopping_; waited += 10) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!reply.closeWithoutReply && !stopping_) {
            std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                              Reason(reply.status) + "\r\nConnection: close\r\n";
            for (const auto& [key, value] : reply.headers) {
                out += key + ": " + value + "\r\n";
            }
            if (reply.sendContentLength) {
                out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
            }
            out += "\r\n";
            if (reply.stallAfterBytes >= 0) {
                out += reply.body.substr(0, static_cast<std::size_t>(reply.stallAfterBytes));
                SendAll(fd, out);
                while (!stopping_) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            } else {
                out += reply.body;
                SendAll(fd, out);
            }
        }
    }
    ::shutdown(fd, SHUT_WR);
    {
        std::lock_guard lock(mutex_);
        openFds_.erase(std::remove(openFds_.begin(), openFds_.end(), fd), openFds_.end());
    }
    ::close(fd);
}

}  // namespace zunta::testsupport
