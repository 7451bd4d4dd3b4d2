// Faults armed through POST /_control/fault, seen from a plain socket.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/devserver/server_fixture.h"

namespace zunta::devserver::testing {
namespace {

using ::testing::HasSubstr;

constexpr const char* kFetch =
    "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=7&sno=1&cate=1&page=1&";
constexpr const char* kLog =
    "/admin/api_sendlog.php?idkey=7&testidkey=8&uid=u&tcnt=1&scnt=0&stat=Y&odap=X&qa1=a";

// A package long enough that half of it is clearly not all of it.
const std::string kPackage = "<SUBJECT>s</SUBJECT>" + std::string(1000, 'x') + "<QCOUNT>0</QCOUNT>";

class FaultTest : public DevServerTest {
  protected:
    void SetUp() override {
        DevServerTest::SetUp();
        WriteFile(root() / "packages" / "7.txt", kPackage);
    }
    void Arm(std::string_view body) {
        const RawReply reply = Control("fault", body);
        ASSERT_EQ(reply.status, 200) << reply.body;
    }
    std::size_t RecordedLogs() { return Query("SELECT id FROM study_logs").size(); }
};

TEST_F(FaultTest, StatusRepliesRefuseTheRequestForTheArmedCountOnly) {
    struct Case {
        const char* control;
        int status;
        const char* location;
    };
    const Case cases[] = {
        {"path=/admin/api_sendlog.php&mode=status&status=302&count=2", 302, kLog},
        {"path=/admin/api_sendlog.php&mode=status&status=301&location=/elsewhere", 301,
         "/elsewhere"},
        {"path=/admin/api_sendlog.php&mode=status&status=404", 404, ""},
        {"path=%2Fadmin%2Fapi_sendlog.php&mode=status&status=500", 500, ""},
    };
    for (const Case& c : cases) {
        Arm(c.control);
        const int hits =
            std::string_view(c.control).find("count=2") != std::string_view::npos ? 2 : 1;
        for (int i = 0; i < hits; ++i) {
            const RawReply reply = Get(kLog);
            EXPECT_EQ(reply.status, c.status) << c.control;
            EXPECT_EQ(reply.header("Location"), c.location) << c.control;
        }
        EXPECT_EQ(RecordedLogs(), 0u) << c.control;
    }
    // Other paths were never touched, and the fault is used up.
    EXPECT_EQ(Get(kFetch).body, kPackage);
    EXPECT_EQ(Get(kLog).status, 200);
    EXPECT_EQ(RecordedLogs(), 1u);
}

TEST_F(FaultTest, CloseEndsTheConnectionWithoutAnyReply) {
    Arm("path=/admin/api_getdata.php&mode=close");
    RawConnection connection(port());
    connection.SendGet(kFetch);
    EXPECT_EQ(connection.ReadAll(), "");
    EXPECT_EQ(Get(kFetch).body, kPackage);
}

TEST_F(FaultTest, EmptyAnswersOkWithoutABodyButStillRecords) {
    Arm("path=/admin/api_getdata.php&mode=empty");
    Arm("path=/admin/api_sendlog.php&mode=empty");
    const RawReply fetch = Get(kFetch);
    EXPECT_EQ(fetch.status, 200);
    EXPECT_EQ(fetch.header("Content-Length"), "0");
    EXPECT_EQ(fetch.body, "");
    EXPECT_EQ(Get(kLog).body, "");
    EXPECT_EQ(RecordedLogs(), 1u);
}

TEST_F(FaultTest, CutAnnouncesTheWholeLengthAndClosesAfterHalf) {
    Arm("path=/admin/api_getdata.php&mode=cut");
    RawConnection connection(port());
    connection.SendGet(kFetch);
    const RawReply reply = ParseReply(connection.ReadAll());
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Length"), std::to_string(kPackage.size()));
    EXPECT_EQ(reply.body, kPackage.substr(0, kPackage.size() / 2));
}

TEST_F(FaultTest, StallSendsHalfThenHoldsTheConnectionOpen) {
    Arm("path=/admin/api_getdata.php&mode=stall");
    RawConnection connection(port());
    connection.SendGet(kFetch);
    bool closed = true;
    const RawReply reply = ParseReply(connection.Read(500, closed));
    EXPECT_FALSE(closed);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Length"), std::to_string(kPackage.size()));
    EXPECT_EQ(reply.body, kPackage.substr(0, kPackage.size() / 2));
}

TEST_F(FaultTest, AStalledReplyEndsWhenTheClientHangsUp) {
    // More stalls than the server has threads: each must be let go when its client leaves,
    // or the last request below would wait for the stall limit.
    Arm("path=/admin/api_getdata.php&mode=stall&count=24");
    const std::string half = kPackage.substr(0, kPackage.size() / 2);
    for (int i = 0; i < 24; ++i) {
        RawConnection connection(port());
        connection.SendGet(kFetch);
        // Head and half of the body; silence for 10 s means no thread was free for it.
        const std::string received = connection.ReadHeadAndBody(half.size());
        ASSERT_EQ(ParseReply(received).body, half) << "stall " << i;
    }
    EXPECT_EQ(Get(kFetch).body, kPackage);
}

TEST_F(FaultTest, DelayHoldsTheWholeReplyBackThenAnswersAsUsual) {
    Arm("path=/admin/api_sendlog.php&mode=delay&ms=1500");
    RawConnection connection(port());
    connection.SendGet(kLog);
    bool closed = false;
    EXPECT_EQ(connection.Read(300, closed), "");
    EXPECT_FALSE(closed);
    const RawReply reply = ParseReply(connection.ReadAll());
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "OK");
    EXPECT_EQ(RecordedLogs(), 1u);
}

TEST_F(FaultTest, ResetDisarmsEveryFault) {
    Arm("path=/admin/api_getdata.php&mode=status&status=500&count=5");
    Arm("path=/admin/api_sendlog.php&mode=close");
    ASSERT_EQ(Control("reset", "").status, 200);
    EXPECT_EQ(Get(kFetch).status, 200);
    EXPECT_EQ(Get(kLog).status, 200);
}

TEST_F(FaultTest, ArmingAgainReplacesTheFaultOfThatPath) {
    Arm("path=/admin/api_getdata.php&mode=status&status=500&count=5");
    Arm("path=/admin/api_getdata.php&mode=status&status=404");
    EXPECT_EQ(Get(kFetch).status, 404);
    EXPECT_EQ(Get(kFetch).status, 200);
}

TEST_F(FaultTest, BadControlRequestsAreRefusedWithAReason) {
    struct Case {
        const char* body;
        const char* reason;
    };
    const Case cases[] = {
        {"mode=close", "path"},
        {"path=admin&mode=close", "path"},
        {"path=/_control/fault&mode=close", "/_control/"},
        {"path=/x&mode=explode", "알 수 없는 mode"},
        {"path=/x", "알 수 없는 mode"},
        {"path=/x&mode=delay", "ms="},
        {"path=/x&mode=delay&ms=999999", "ms="},
        {"path=/x&mode=status&status=200", "status="},
        {"path=/x&mode=status&status=abc", "status="},
        {"path=/x&mode=close&count=0", "count"},
        {"path=/x&mode=close&count=2x", "count"},
    };
    for (const Case& c : cases) {
        const RawReply reply = Control("fault", c.body);
        EXPECT_EQ(reply.status, 400) << c.body;
        EXPECT_THAT(reply.body, HasSubstr(c.reason)) << c.body;
    }
    EXPECT_EQ(Get("/x").status, 404);  // nothing was armed
}

TEST_F(FaultTest, TheControlIsNotReachableFromALinkOrAWebPage) {
    EXPECT_EQ(Get("/_control/fault?path=/admin/api_getdata.php&mode=close").status, 405);
    EXPECT_EQ(RawPost(port(), "/_control/fault", "path=/admin/api_getdata.php&mode=close",
                      "Origin: http://example.com\r\n")
                  .status,
              403);
    EXPECT_EQ(Get(kFetch).body, kPackage);
}

}  // namespace
}  // namespace zunta::devserver::testing
