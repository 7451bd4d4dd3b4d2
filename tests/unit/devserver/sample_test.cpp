// The sample test that ships with the devserver, read through the server with the programs'
// own package reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "launcher/core/package_fetch.h"
#include "testclient/core/studylog.h"
#include "testclient/core/testrun.h"
#include "tests/unit/devserver/server_fixture.h"
#include "zunta/package.h"
#include "zunta/platform/codepage.h"
#include "zunta/platform/files.h"
#include "zunta/text.h"

namespace zunta::devserver::testing {
namespace {

using ::testing::StartsWith;

const std::filesystem::path kDevserverDir = ZUNTA_DEVSERVER_DIR;

class SampleTest : public DevServerTest {
  protected:
    void Configure(ServerOptions& options) override {
        options.packagesDir = kDevserverDir / "packages";
        options.picturesDir = kDevserverDir / "pictures";
    }
};

TEST_F(SampleTest, IsAKoreanTestWhosePicturesTheServerServes) {
    const RawReply reply =
        Get("/admin/api_getdata.php?cmd=ADD&mode=view&idkey=1001&sno=1&cate=1&page=1&");
    ASSERT_EQ(reply.status, 200);
    const std::string stored =
        platform::ReadWholeFile(kDevserverDir / "packages" / "1001.txt", 1 << 20).bytes;
    EXPECT_EQ(reply.body, ReplaceAll(stored, "{{BASE}}", server_->baseUrl()));
    EXPECT_EQ(reply.body.find("{{BASE}}"), std::string::npos);

    const std::string& text = reply.body;  // code page 949, as the programs read it
    EXPECT_EQ(PackageTag(text, "RESULT"), "OK");
    EXPECT_EQ(PackageTag(text, "IDKEY"), "1001");
    EXPECT_EQ(platform::AnsiToUtf8(PackageTag(text, "SUBJECT")),
              "중학 영문법 2학년: 시제, 가정법, 비교");
    const int count = std::stoi(PackageTag(text, "QCOUNT"));
    ASSERT_EQ(count, 6);
    EXPECT_GE(SplitLines(PackageTag(text, "QLIST")).size(), 6u);

    std::set<std::string> kinds;
    const std::vector<std::string> pictures = PictureLines(PackageTag(text, "QDATA"));
    for (int n = 1; n <= count; ++n) {
        const std::string entry = QuestionEntry(text, n);
        const std::string type = EntryType(entry);
        const std::string answer = EntryAnswer(entry);
        ASSERT_TRUE(type == "0" || type == "1") << entry;
        if (type == "0") {
            kinds.insert(answer.find(',') == std::string::npos ? "one choice" : "two choices");
        } else if (answer == "O" || answer == "X") {
            kinds.insert("O/X");
        } else {
            kinds.insert(AnswerPartCount(answer) == 2 ? "two blanks" : "one blank");
        }

        const std::string picture = PictureFor(pictures, n);
        ASSERT_THAT(picture, StartsWith(server_->baseUrl() + "/pictures/1001/")) << n;
        const RawReply svg = Get(picture.substr(server_->baseUrl().size()));
        EXPECT_EQ(svg.status, 200) << picture;
        EXPECT_EQ(svg.header("Content-Type"), "image/svg+xml") << picture;
        EXPECT_THAT(svg.body, StartsWith("<svg ")) << picture;
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"one choice", "two choices", "O/X", "one blank",
                                            "two blanks"}));
}

// The road of the sample through the launcher's and the test client's own code: the request
// the launcher builds, the media files it writes, the client's loading and its study log.
TEST_F(SampleTest, TravelsThroughTheLauncherAndTheTestClientToTheResults) {
    const std::string base = server_->baseUrl();
    const std::string address =
        launcher::PackageRequestAddress(base, "&zurun:UID=student01&CHK=abc&IDKEY=1001&SNO=1");
    ASSERT_THAT(address, StartsWith(base));
    const RawReply reply = Get(address.substr(base.size()));
    ASSERT_EQ(reply.status, 200);

    const std::string install = (root() / "ZUNTA").string() + "/";
    ASSERT_TRUE(launcher::WriteMediaFiles(
        install, launcher::BuildMediaFiles(base, reply.body, "&zurun:UID=student01")));
    testclient::TestRun run(root() / "ZUNTA");
    const testclient::LoadResult loaded = run.LoadStudyPackage();
    ASSERT_TRUE(loaded.ok()) << loaded.message;
    testclient::TestRunState& state = run.State();
    ASSERT_EQ(state.QCount, 6);
    EXPECT_EQ(PictureFor(state.QImageList, 6), base + "/pictures/1001/q6.svg");

    // Questions 3 and 4 wrong, with the answers a student would type.
    state.QPoint = {1, 1, 0, 0, 1, 1};
    state.QWrongAnswer = {"", "", platform::Utf8ToAnsi("was@@will 날다"), "1,3", "", ""};
    const std::string log = testclient::StudyLogAddress(base, state, testclient::ScoreTest(state));
    ASSERT_EQ(Get(log.substr(base.size())).body, "OK");

    const std::string json = Get("/results.json").body;
    EXPECT_THAT(json, ::testing::HasSubstr("\"idkey\":\"1001\",\"testidkey\":\"5001\","
                                           "\"uid\":\"student01\",\"tcnt\":\"6\","
                                           "\"scnt\":\"4\",\"stat\":\"Y\",\"odap\":\"OOXXOO\","
                                           "\"wrongAnswers\":{\"qa3\":\"was@@will 날다\","
                                           "\"qa4\":\"1,3\"}"));
}

}  // namespace
}  // namespace zunta::devserver::testing
