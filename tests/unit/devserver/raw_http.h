// A client that speaks HTTP over a plain socket, so tests see exactly which bytes the server
// sent and whether it closed the connection.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zunta::devserver::testing {

class RawConnection {
  public:
    explicit RawConnection(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
            throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
        }
    }
    ~RawConnection() { Close(); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    void Send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) {
                throw std::runtime_error("send failed");
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Sends "GET target" with the given extra header lines and "Connection: close".
    void SendGet(std::string_view target, std::string_view extraHeaders = {}) {
        Send("GET " + std::string(target) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
             std::string(extraHeaders) + "Connection: close\r\n\r\n");
    }

    // Reads what arrives until the server closes the connection, or until nothing has come
    // for `quietMs`. `closed` tells which of the two ended the read.
    std::string Read(int quietMs, bool& closed) {
        std::string bytes;
        closed = false;
        char buffer[4096];
        while (true) {
            pollfd watch{fd_, POLLIN, 0};
            if (::poll(&watch, 1, quietMs) <= 0) {
                return bytes;
            }
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                closed = true;
                return bytes;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Reads until the head and `bodyBytes` bytes of the body have come, the server closes, or
    // nothing came for `limitMs`.
    std::string ReadHeadAndBody(std::size_t bodyBytes, int limitMs = 10000) {
        std::string bytes;
        char buffer[4096];
        while (true) {
            const std::size_t head = bytes.find("\r\n\r\n");
            if (head != std::string::npos && bytes.size() >= head + 4 + bodyBytes) {
                return bytes;
            }
            pollfd watch{fd_, POLLIN, 0};
            if (::poll(&watch, 1, limitMs) <= 0) {
                return bytes;
            }
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return bytes;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Reads until the server closes; fails the read after `limitMs` of silence.
    std::string ReadAll(int limitMs = 10000) {
        bool closed = false;
        std::string bytes = Read(limitMs, closed);
        if (!closed) {
            throw std::runtime_error("the server did not close the connection: " + bytes);
        }
        return bytes;
    }

  private:
    int fd_ = -1;
};

struct RawReply {
    int status = 0;
    std::string head;  // status line and header lines
    std::string body;
    std::string header(std::string_view name) const {
        const std::string wanted = "\r\n" + std::string(name) + ": ";
        const std::size_t at = head.find(wanted);
        if (at == std::string::npos) {
            return {};
        }
        const std::size_t start = at + wanted.size();
        return head.substr(start, head.find("\r\n", start) - start);
    }
};

inline RawReply ParseReply(const std::string& bytes) {
    RawReply reply;
    const std::size_t end = bytes.find("\r\n\r\n");
    if (bytes.rfind("HTTP/1.1 ", 0) != 0 || end == std::string::npos) {
        return reply;
    }
    reply.status = std::stoi(bytes.substr(9, 3));
    reply.head = bytes.substr(0, end + 2);
    reply.body = bytes.substr(end + 4);
    return reply;
}

// One whole exchange: GET `target`, read to the end.
inline RawReply RawGet(int port, std::string_view target, std::string_view extraHeaders = {}) {
    RawConnection connection(port);
    connection.SendGet(target, extraHeaders);
    return ParseReply(connection.ReadAll());
}

inline RawReply RawPost(int port, std::string_view target, std::string_view body,
                        std::string_view extraHeaders = {}) {
    RawConnection connection(port);
    connection.Send("POST " + std::string(target) +
                    " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                    "Content-Type: application/x-www-form-urlencoded\r\n" +
                    std::string(extraHeaders) + "Content-Length: " + std::to_string(body.size()) +
                    "\r\n\r\n" + std::string(body));
    return ParseReply(connection.ReadAll());
}

}  // namespace zunta::devserver::testing
