// The package fetch against a real HTTP server on 127.0.0.1.
#include <gtest/gtest.h>
#include <QSignalSpy>

#include <optional>

#include "launcher/app/package_fetcher.h"
#include "launcher/core/package_fetch.h"
#include "launcher_test_support.h"
#include "tests/support/http_test_server.h"

namespace zunta::launcher {
namespace {

using testsupport::HttpTestServer;
using testsupport::Reply;
using Failure = FetchOutcome::Failure;

const std::string kPath = "/admin/api_getdata.php";

class FetchTest : public ::testing::Test {
  protected:
    // Runs one fetch to its end and returns what it gave.
    FetchOutcome Fetch(const std::string& address, int timeoutMs = 30000) {
        PackageFetcher fetcher;
        fetcher.setTimeoutMs(timeoutMs);
        fetcher.setBodyLimit(bodyLimit_);
        std::optional<FetchOutcome> outcome;
        QObject::connect(&fetcher, &PackageFetcher::finished,
                         [&](const FetchOutcome& o) { outcome = o; });
        QObject::connect(&fetcher, &PackageFetcher::progress, [&](qint64 received, qint64 total) {
            progress_.push_back({received, total});
        });
        fetcher.Start(address);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 15000); }();
        EXPECT_TRUE(outcome.has_value());
        return outcome.value_or(FetchOutcome{Failure::CannotConnect, -1, {}});
    }
    std::string Address(const std::string& list) {
        return PackageRequestAddress(server_.baseUrl(), list);
    }

    HttpTestServer server_;
    qint64 bodyLimit_ = PackageFetcher::kDefaultBodyLimit;
    std::vector<std::pair<qint64, qint64>> progress_;
};

TEST_F(FetchTest, SendsTheExactRequestAndHoldsTheWholeReply) {
    const std::string body = "<SUBJECT>\xC1\xDF\xC7\xD0</SUBJECT>" + std::string(200000, 'x');
    server_.setReply(kPath, Reply{200, body});
    const FetchOutcome outcome = Fetch(Address("&ZURUN:UID=a1&CHK=77&IDKEY=1 0&SNO=\xB0\xA1"));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.status, 200);
    EXPECT_EQ(outcome.body.toStdString(), body);
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine,
              "GET /admin/api_getdata.php?cmd=ADD&mode=view&idkey=1%200&sno=%B0%A1&cate=1&page=1& "
              "HTTP/1.1");
    EXPECT_EQ(requests[0].header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)");
    EXPECT_EQ(requests[0].header("Accept"), "text/html, */*");
    ASSERT_FALSE(progress_.empty());
    EXPECT_EQ(progress_.back(), (std::pair<qint64, qint64>(body.size(), body.size())));
}

TEST_F(FetchTest, AReplyWithoutLengthEndsWithTheClosedConnection) {
    Reply reply{200, "<QLIST>a</QLIST>"};
    reply.sendContentLength = false;
    server_.setReply(kPath, reply);
    const FetchOutcome outcome = Fetch(Address("&IDKEY=1"));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.body, "<QLIST>a</QLIST>");
}

TEST_F(FetchTest, FailuresAreToldApart) {
    struct Case {
        const char* what;
        Reply reply;
        Failure failure;
        int status;
    };
    Reply stalled{200, std::string(5000, 'x')};
    stalled.stallAfterBytes = 100;
    Reply late{200, "late"};
    late.delayMs = 3000;
    Reply closed;
    closed.closeWithoutReply = true;
    const Case cases[] = {
        {"redirect is not followed",
         {302, "", {{"Location", "/elsewhere"}}},
         Failure::ErrorStatus,
         302},
        {"server error", {500, "<RESULT>FAIL</RESULT>"}, Failure::ErrorStatus, 500},
        {"not found", {404, ""}, Failure::ErrorStatus, 404},
        {"no reply before the time-out", late, Failure::TimedOut, 0},
        {"transfer stalls half way", stalled, Failure::TimedOut, 200},
        {"connection closed without a reply", closed, Failure::CannotConnect, 0},
    };
    server_.setReply("/elsewhere", Reply{200, "must not be fetched"});
    for (const Case& c : cases) {
        server_.setReply(kPath, c.reply);
        server_.clearRequests();
        const FetchOutcome outcome = Fetch(Address("&IDKEY=1"), 300);
        EXPECT_EQ(outcome.failure, c.failure) << c.what;
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_TRUE(outcome.body.isEmpty()) << c.what;
        for (const auto& request : server_.requests()) {
            EXPECT_EQ(request.target.rfind(kPath, 0), 0u) << c.what << ": " << request.target;
        }
    }
}

TEST_F(FetchTest, UnreachableServerAndTooLargeReply) {
    std::string closedBase;
    {
        HttpTestServer gone;
        closedBase = gone.baseUrl();
    }  // nothing listens on its port any more
    EXPECT_EQ(Fetch(PackageRequestAddress(closedBase, "&IDKEY=1")).failure, Failure::CannotConnect);
    EXPECT_EQ(Fetch("not an address").failure, Failure::CannotConnect);

    bodyLimit_ = 1000;
    server_.setReply(kPath, Reply{200, std::string(1001, 'x')});
    EXPECT_EQ(Fetch(Address("&IDKEY=1")).failure, Failure::TooLarge);
    Reply unsized{200, std::string(5000, 'x')};
    unsized.sendContentLength = false;
    server_.setReply(kPath, unsized);
    EXPECT_EQ(Fetch(Address("&IDKEY=1")).failure, Failure::TooLarge);
    server_.setReply(kPath, Reply{200, std::string(1000, 'x')});
    EXPECT_TRUE(Fetch(Address("&IDKEY=1")).ok());
}

TEST(FailureMessage, SaysWhatWentWrongInKorean) {
    EXPECT_TRUE(FailureMessage({Failure::CannotConnect, 0, {}})
                    .contains(QStringLiteral("연결할 수 없습니다")));
    EXPECT_TRUE(FailureMessage({Failure::TimedOut, 0, {}}).contains(QStringLiteral("시간 초과")));
    EXPECT_TRUE(
        FailureMessage({Failure::ErrorStatus, 503, {}}).contains(QStringLiteral("상태 503")));
    EXPECT_TRUE(FailureMessage({Failure::None, 200, {}}).isEmpty());
}

}  // namespace
}  // namespace zunta::launcher
