// The test server is what every network test trusts: check that it records the request line
// byte for byte and sends what it was told, faults included.
#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace zunta::testsupport {
namespace {

std::string Exchange(int port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply;
    char buf[1024];
    for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, 0)) > 0;) {
        reply.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return reply;
}

TEST(HttpTestServer, RecordsRawRequestAndSendsReply) {
    HttpTestServer server;
    server.setReply("/a.php", Reply{200, "body\xB0\xA1", {{"X-Test", "1"}}});
    const std::string line = "GET /a.php?x=%2520&y=%B0 HTTP/1.1";
    const std::string reply =
        Exchange(server.port(), line + "\r\nHost: h\r\nUser-Agent: UA 1\r\n\r\n");
    ASSERT_EQ(server.requests().size(), 1u);
    const RecordedRequest r = server.requests()[0];
    EXPECT_EQ(r.requestLine, line);
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.target, "/a.php?x=%2520&y=%B0");
    EXPECT_EQ(r.header("user-agent"), "UA 1");
    EXPECT_EQ(reply.substr(0, 15), "HTTP/1.1 200 OK");
    EXPECT_NE(reply.find("X-Test: 1\r\n"), std::string::npos);
    EXPECT_NE(reply.find("Content-Length: 6\r\n\r\nbody\xB0\xA1"), std::string::npos);
}

TEST(HttpTestServer, FaultModes) {
    HttpTestServer server;
    server.setReply("/close", Reply{.closeWithoutReply = true});
    server.setReply("/cut", Reply{.body = "0123456789", .sendContentLength = false});
    EXPECT_EQ(Exchange(server.port(), "GET /close HTTP/1.1\r\n\r\n"), "");
    const std::string cut = Exchange(server.port(), "GET /cut HTTP/1.1\r\n\r\n");
    EXPECT_EQ(cut.find("Content-Length"), std::string::npos);
    EXPECT_EQ(cut.substr(cut.size() - 10), "0123456789");
    EXPECT_EQ(Exchange(server.port(), "GET /none HTTP/1.1\r\n\r\n").substr(0, 12), "HTTP/1.1 404");
    EXPECT_TRUE(server.waitForRequests(3, 1000));
}

}  // namespace
}  // namespace zunta::testsupport
