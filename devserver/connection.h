// The socket under a request, for the faults that must act on the connection itself (the
// HTTP library hands its handlers no socket).
#pragma once

#include <atomic>
#include <chrono>

namespace zunta::devserver {

// The connected socket of this process whose local port is `localPort` and whose peer is
// 127.0.0.1:`peerPort`; -1 when there is none.
int FindConnectionSocket(int localPort, int peerPort);

// Shuts the connection down in both directions; the library closes the socket afterwards.
void ShutDownConnection(int socket);

// Waits until the peer closes the connection, `stopping` becomes true or `limit` has passed.
void WaitForPeerClose(int socket, const std::atomic<bool>& stopping,
                      std::chrono::milliseconds limit);

}  // namespace zunta::devserver
