#include "devserver/connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace zunta::devserver {
namespace {

int Port(const sockaddr_in& address) {
    return ntohs(address.sin_port);
}

}  // namespace

int FindConnectionSocket(int localPort, int peerPort) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_in local{};
        sockaddr_in peer{};
        socklen_t localLength = sizeof local;
        socklen_t peerLength = sizeof peer;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
            ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0 ||
            local.sin_family != AF_INET || peer.sin_family != AF_INET) {
            continue;
        }
        if (Port(local) == localPort && Port(peer) == peerPort &&
            peer.sin_addr.s_addr == htonl(INADDR_LOOPBACK)) {
            return fd;
        }
    }
    return -1;
}

void ShutDownConnection(int socket) {
    if (socket >= 0) {
        ::shutdown(socket, SHUT_RDWR);
    }
}

void WaitForPeerClose(int socket, const std::atomic<bool>& stopping,
                      std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!stopping && std::chrono::steady_clock::now() < deadline) {
        if (socket < 0) {
            // Without the socket only the limit and the server's stop end the wait.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            continue;
        }
        pollfd watch{socket, POLLRDHUP, 0};
        if (::poll(&watch, 1, 100) > 0 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR))) {
            return;
        }
    }
}

}  // namespace zunta::devserver
