// The devserver's own paths through a real connection: packages, study logs, results, pictures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testclient/core/studylog.h"
#include "tests/unit/devserver/server_fixture.h"
#include "zunta/package.h"
#include "zunta/platform/codepage.h"
#include "zunta/text.h"

namespace zunta::devserver::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Code page 949 as the organisation's server sends it: "한글" and the extended syllable "똠"
// (0x8C 0x63, whose trail byte is the letter "c"), CR LF breaks, the placeholder twice.
const std::string kPackage =
    "<SUBJECT>\xC7\xD1\xB1\xDB \x8C\x63</SUBJECT>\r\n<QCOUNT>1</QCOUNT>\r\n"
    "<QDATA>1={{BASE}}/pictures/7/q1.svg@@@BR@@@2={{BASE}}/pictures/7/q2.svg</QDATA>\r\n"
    "<Q1>1|2|0</Q1>\r\n";

class PackageReplyTest : public DevServerTest {
  protected:
    void SetUp() override {
        DevServerTest::SetUp();
        WriteFile(root() / "packages" / "7.txt", kPackage);
    }
};

TEST_F(PackageReplyTest, AnswersTheStoredBytesWithTheServerAddressFilledIn) {
    const RawReply reply =
        Get("/admin/api_getdata.php?cmd=ADD&mode=view&idkey=7&sno=3&cate=1&page=1&");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "text/html; charset=euc-kr");
    EXPECT_EQ(reply.body, ReplaceAll(kPackage, "{{BASE}}", server_->baseUrl()));
    EXPECT_THAT(reply.body, HasSubstr("1=http://127.0.0.1:" + std::to_string(port()) +
                                      "/pictures/7/q1.svg@@@BR@@@"));
}

TEST_F(PackageReplyTest, AnUnknownKeyGetsAFailurePackageWithoutQuestions) {
    for (const char* key : {"8", "", "..%2F7", "7.txt", "%3CQ1%3E"}) {
        const RawReply reply = Get(std::string("/admin/api_getdata.php?cmd=ADD&mode=view&idkey=") +
                                   key + "&sno=3&cate=1&page=1&");
        ASSERT_EQ(reply.status, 200) << key;
        EXPECT_EQ(PackageTag(reply.body, "RESULT"), "FAIL") << key;
        EXPECT_EQ(PackageTag(reply.body, "QCOUNT"), "0") << key;
        EXPECT_EQ(PackageTag(reply.body, "Q1"), "") << key;
        EXPECT_THAT(platform::AnsiToUtf8(PackageTag(reply.body, "COMMENT")),
                    HasSubstr("찾을 수 없습니다"))
            << key;
    }
}

TEST_F(PackageReplyTest, ReadsThePackageAgainForEveryRequest) {
    WriteFile(root() / "packages" / "7.txt", "<SUBJECT>new</SUBJECT>");
    EXPECT_EQ(Get("/admin/api_getdata.php?idkey=7").body, "<SUBJECT>new</SUBJECT>");
}

// Builds the request exactly as the test client does, with its own encoding code.
std::string ClientStudyLog(const std::string& uidUtf8, std::vector<int> points,
                           std::vector<std::string> wrongUtf8) {
    testclient::TestRunState state;
    state.IdKey = "1001";
    state.TestIdKey = "5001";
    state.Uid = platform::Utf8ToAnsi(uidUtf8);
    state.QCount = static_cast<int>(points.size());
    state.QPoint = std::move(points);
    for (const std::string& answer : wrongUtf8) {
        state.QWrongAnswer.push_back(platform::Utf8ToAnsi(answer));
    }
    const std::string odap = testclient::ScoreTest(state);
    return testclient::StudyLogAddress("", state, odap);
}

TEST_F(DevServerTest, RecordsTheStudyLogWithItsFieldsDecodedToUtf8) {
    const std::string target =
        ClientStudyLog("김 철수", {1, 0, 0, 0}, {"", "2,4", "가 & b=c%", ""});
    ASSERT_THAT(target, HasSubstr("%25B0%25A1"));  // "가" really went out encoded twice
    const RawReply reply = Get(target);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "OK");

    const auto logs = Query(
        "SELECT raw_target, idkey, testidkey, uid, tcnt, scnt, stat, odap, received_at "
        "FROM study_logs");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0][0], target);
    EXPECT_EQ(logs[0][1], "1001");
    EXPECT_EQ(logs[0][2], "5001");
    EXPECT_EQ(logs[0][3], "김 철수");
    EXPECT_EQ(logs[0][4], "4");
    EXPECT_EQ(logs[0][5], "1");
    EXPECT_EQ(logs[0][6], "Y");
    EXPECT_EQ(logs[0][7], "OXXX");
    EXPECT_THAT(logs[0][8],
                ::testing::MatchesRegex(
                    "[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}Z"));
    const std::vector<std::vector<std::string>> wrong = {
        {"2", "2,4"}, {"3", "가 & b=c%"}, {"4", ""}};
    EXPECT_EQ(Query("SELECT question, answer FROM wrong_answers ORDER BY question"), wrong);
}

TEST_F(DevServerTest, TheSameRequestTwiceIsStoredOnceAndAnsweredAlike) {
    const std::string target = ClientStudyLog("u1", {1, 0}, {"", "went"});
    const RawReply first = Get(target);
    const auto firstTime = Query("SELECT received_at FROM study_logs");
    const RawReply second = Get(target);
    EXPECT_EQ(second.status, first.status);
    EXPECT_EQ(second.body, first.body);
    EXPECT_EQ(Query("SELECT received_at FROM study_logs"), firstTime);
    EXPECT_EQ(Query("SELECT count(*) FROM wrong_answers"),
              (std::vector<std::vector<std::string>>{{"1"}}));

    // Any other byte makes it another request.
    Get(ClientStudyLog("u1", {1, 0}, {"", "gone"}));
    EXPECT_EQ(Query("SELECT count(*) FROM study_logs"),
              (std::vector<std::vector<std::string>>{{"2"}}));
}

TEST_F(DevServerTest, ResultsListNewestFirstWithEveryValueEscaped) {
    Get("/admin/api_sendlog.php?idkey=old&testidkey=1&uid=first&tcnt=1&scnt=1&stat=Y&odap=O");
    Get("/admin/api_sendlog.php?idkey=%3Cscript%3E&testidkey=%22x%27&uid=%B1%E8%26co"
        "&tcnt=2&scnt=0&stat=Y&odap=XX&qa1=%253Cb%253E&qa2=");

    const RawReply page = Get("/results");
    ASSERT_EQ(page.status, 200);
    EXPECT_EQ(page.header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_THAT(page.body, HasSubstr("받은 학습 결과"));
    EXPECT_THAT(page.body, Not(HasSubstr("<script>")));
    EXPECT_THAT(page.body, Not(HasSubstr("<b>")));
    EXPECT_THAT(page.body, HasSubstr("<td>&lt;script&gt;</td>"));
    EXPECT_THAT(page.body, HasSubstr("<td>&quot;x&#39;</td>"));
    EXPECT_THAT(page.body, HasSubstr("<td>김&amp;co</td>"));
    EXPECT_THAT(page.body, HasSubstr("<td>0/2</td>"));
    EXPECT_THAT(page.body, HasSubstr("1번: &lt;b&gt;, 2번: "));
    EXPECT_LT(page.body.find("김&amp;co"), page.body.find("first"));

    const RawReply json = Get("/results.json");
    EXPECT_EQ(json.header("Content-Type"), "application/json; charset=utf-8");
    EXPECT_THAT(json.body, HasSubstr("\"uid\":\"김&co\""));
    EXPECT_THAT(json.body, HasSubstr("\"testidkey\":\"\\\"x'\""));
    EXPECT_THAT(json.body, HasSubstr("\"wrongAnswers\":{\"qa1\":\"<b>\",\"qa2\":\"\"}"));
    EXPECT_LT(json.body.find("김&co"), json.body.find("first"));
}

TEST_F(DevServerTest, ResultsSayWhenNothingWasRecorded) {
    EXPECT_THAT(Get("/results").body, HasSubstr("아직 받은 학습 결과가 없습니다"));
    EXPECT_EQ(Get("/results.json").body, "[\n]\n");
}

TEST_F(DevServerTest, ServesPicturesAndRefusesPathsOutOfTheirFolder) {
    WriteFile(root() / "pictures" / "7" / "q1.svg", "<svg/>");
    WriteFile(root() / "secret.txt", "secret");
    std::filesystem::create_directory_symlink(root(), root() / "pictures" / "up");

    const RawReply picture = Get("/pictures/7/q1.svg");
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.header("Content-Type"), "image/svg+xml");
    EXPECT_EQ(picture.body, "<svg/>");
    EXPECT_EQ(Get("/pictures/7/q%31.svg").body, "<svg/>");

    for (const char* target :
         {"/pictures/../secret.txt", "/pictures/%2e%2e/secret.txt", "/pictures/..%2fsecret.txt",
          "/pictures/7/../../secret.txt", "/pictures/up/secret.txt", "/pictures//etc/passwd",
          "/pictures/7/missing.svg", "/pictures/7", "/pictures/..%5csecret.txt"}) {
        const RawReply reply = Get(target);
        EXPECT_EQ(reply.status, 404) << target;
        EXPECT_NE(reply.body, "secret") << target;
    }
}

TEST_F(DevServerTest, OtherPathsAndMethodsAreRefusedPlainly) {
    EXPECT_EQ(Get("/admin/other.php").status, 404);
    EXPECT_EQ(RawPost(port(), "/admin/api_sendlog.php?idkey=1", "").status, 405);
    {
        RawConnection head(port());
        head.Send("HEAD /admin/api_sendlog.php?idkey=2 HTTP/1.1\r\nConnection: close\r\n\r\n");
        EXPECT_EQ(ParseReply(head.ReadAll()).status, 405);
    }
    EXPECT_EQ(Query("SELECT count(*) FROM study_logs"),
              (std::vector<std::vector<std::string>>{{"0"}}));
    EXPECT_THAT(Get("/").body, HasSubstr("href=\"/results\""));
}

}  // namespace
}  // namespace zunta::devserver::testing
