#include <fstream>

#include <gtest/gtest.h>

#include "testclient/core/testrun.h"
#include "tests/support/temp_folder.h"
#include "zunta/platform/codepage.h"
#include "zunta/platform/files.h"

namespace zunta::testclient {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    return platform::ReadWholeFile(path, 1u << 26).bytes;
}

class LoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        appDir_ = zunta::testsupport::MakeTempFolder("load");
        ASSERT_TRUE(platform::CreateFolders(appDir_ / "media"));
    }
    void TearDown() override { fs::remove_all(appDir_); }

    // Stores a package as the launcher does: the text in UTF-8.
    void WritePackageUtf8(std::string_view utf8) {
        ASSERT_TRUE(platform::WriteFileReplacing(appDir_ / "media" / "MyDataStudy.txt", utf8));
    }

    fs::path appDir_;
};

TEST_F(LoadTest, FixtureGivesTheExpectedFilesAndRunLog) {
    const fs::path fixture = fs::path(ZUNTA_TEST_DATA_DIR) / "package_basic";
    WritePackageUtf8(ReadBytes(fixture / "media" / "MyDataStudy.txt"));

    TestRun run(appDir_);
    const LoadResult result = run.LoadStudyPackage();
    ASSERT_TRUE(result.ok()) << result.message;

    for (const char* name : {"TempImg.txt", "MyQList.txt", "TempQData.txt"}) {
        EXPECT_EQ(ReadBytes(appDir_ / "media" / name), ReadBytes(fixture / "expected" / name))
            << name;
    }
    EXPECT_EQ(run.Log().Text(), ReadBytes(fixture / "expected" / "runlog.txt"));

    const TestRunState& s = run.State();
    EXPECT_EQ(s.QCount, 4);  // written on a line of its own
    EXPECT_EQ(s.QNo, 1);
    EXPECT_EQ(s.Subject, platform::Utf8ToAnsi("중학 영문법 3단원: 현재완료"));
    EXPECT_EQ(run.Caption(), "::: ZUNTA [" + s.Subject + "]");
    EXPECT_EQ(s.Uid, "student01");
    EXPECT_EQ(s.IdKey, "1203");
    EXPECT_EQ(s.TestIdKey, "5501");
    EXPECT_EQ(s.QList.size(), 6u);
    EXPECT_EQ(s.QList[1], "2|went@@gone|1");
    EXPECT_EQ(s.QImageList.size(), 3u);
    EXPECT_EQ(s.QPoint, std::vector<int>(4, 0));
    EXPECT_EQ(s.QWrongAnswer, std::vector<std::string>(4));
    EXPECT_EQ(s.TotalPoint, 0);
}

struct BadPackage {
    const char* name;
    std::string utf8;  // nullopt-like: "<missing>" means no file at all
    LoadError error;
};

TEST_F(LoadTest, FailuresLeaveStateLogAndFilesUntouched) {
    const BadPackage cases[] = {
        {"no package file", "<missing>", LoadError::FileMissing},
        {"list shorter than the count", "<QCOUNT>3</QCOUNT><QLIST>a\r\nb</QLIST>",
         LoadError::ShortQuestionList},
        {"count beyond any list", "<QCOUNT>2147483647</QCOUNT><QLIST>a</QLIST>",
         LoadError::ShortQuestionList},
        {"negative count", "<QCOUNT>-1</QCOUNT><QLIST>a</QLIST>", LoadError::BadCount},
        {"broken UTF-8", "<QCOUNT>1</QCOUNT>\xC3z<QLIST>a</QLIST>", LoadError::BrokenText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(appDir_ / "media");
        ASSERT_TRUE(platform::CreateFolders(appDir_ / "media"));
        if (std::string_view(c.utf8) != "<missing>") {
            WritePackageUtf8(c.utf8);
        }
        TestRun run(appDir_);
        const LoadResult result = run.LoadStudyPackage();
        EXPECT_EQ(result.error, c.error);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(run.State().QNo, 0);
        EXPECT_EQ(run.State().QCount, 0);
        EXPECT_TRUE(run.State().QList.empty());
        EXPECT_EQ(run.Log().Lines(), std::vector<std::string>{"Memo1"});
        EXPECT_EQ(run.Caption(), "::: ZUNTA TEST");
        for (const char* name : {"TempImg.txt", "MyQList.txt", "TempQData.txt"}) {
            EXPECT_FALSE(fs::exists(appDir_ / "media" / name)) << name;
        }
    }
}

TEST_F(LoadTest, CountReadingAfterTrim) {
    const std::pair<std::string, int> cases[] = {
        {"<QCOUNT>2</QCOUNT>", 2},
        {"<QCOUNT>\r\n2\r\n</QCOUNT>", 2},
        {"<QCOUNT> 2 </QCOUNT>", 2},
        {"<QCOUNT>+2</QCOUNT>", 2},
        {"<QCOUNT>abc</QCOUNT>", 0},
        {"<QCOUNT>2a</QCOUNT>", 0},
        {"<QCOUNT>2 3</QCOUNT>", 0},
        {"<QCOUNT>2147483648</QCOUNT>", 0},  // beyond an int: not a number
        {"<QCOUNT></QCOUNT>", 0},
        {"no count tag at all", 0},
    };
    for (const auto& [package, count] : cases) {
        WritePackageUtf8(package + "<QLIST>a\r\nb\r\nc</QLIST>");
        TestRun run(appDir_);
        ASSERT_TRUE(run.LoadStudyPackage().ok()) << package;
        EXPECT_EQ(run.State().QCount, count) << package;
    }
}

TEST_F(LoadTest, QuestionsWithoutTagsAndZeroQuestionsLoad) {
    WritePackageUtf8("<QCOUNT>2</QCOUNT><QLIST>x\r\ny\r\n</QLIST>");
    TestRun run(appDir_);
    ASSERT_TRUE(run.LoadStudyPackage().ok());
    EXPECT_EQ(run.State().QList, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(ReadBytes(appDir_ / "media" / "TempQData.txt"), "\r\n\r\n");
    EXPECT_EQ(ReadBytes(appDir_ / "media" / "MyQList.txt"), "x\r\ny\r\n");
    EXPECT_EQ(ReadBytes(appDir_ / "media" / "TempImg.txt"), "");

    WritePackageUtf8("<SUBJECT>Unit 3 <b></SUBJECT><QCOUNT>0</QCOUNT>");
    TestRun empty(appDir_);
    ASSERT_TRUE(empty.LoadStudyPackage().ok());
    EXPECT_EQ(empty.State().QCount, 0);
    EXPECT_EQ(empty.State().QNo, 1);
    EXPECT_EQ(empty.Caption(), "::: ZUNTA [Unit 3 <b>]");
    for (const char* name : {"TempImg.txt", "MyQList.txt", "TempQData.txt"}) {
        EXPECT_EQ(ReadBytes(appDir_ / "media" / name), "") << name;
    }
}

TEST_F(LoadTest, MoreThanAThousandQuestionsWhenTheListHoldsThem) {
    std::string package = "<QCOUNT>1500</QCOUNT><QLIST>";
    for (int n = 1; n <= 1500; ++n) {
        package += std::to_string(n) + "\r\n";
    }
    package += "</QLIST><Q1500>1500|3|0</Q1500>";
    WritePackageUtf8(package);
    TestRun run(appDir_);
    ASSERT_TRUE(run.LoadStudyPackage().ok());
    EXPECT_EQ(run.State().QCount, 1500);
    EXPECT_EQ(run.State().QPoint.size(), 1500u);
    EXPECT_EQ(run.State().QList[1499], "1500|3|0");
}

TEST_F(LoadTest, MediaFolderNotWritable) {
    WritePackageUtf8("<QCOUNT>0</QCOUNT>");
    // A folder where the first derived file should go makes its write fail on every platform.
    ASSERT_TRUE(platform::CreateFolders(appDir_ / "media" / "TempImg.txt"));
    TestRun run(appDir_);
    const LoadResult result = run.LoadStudyPackage();
    EXPECT_EQ(result.error, LoadError::MediaNotWritable);
    EXPECT_EQ(run.State().QNo, 0);
    EXPECT_EQ(run.Log().Lines().size(), 1u);
}

TEST(RunLog, AppendSplitsIntoPieces) {
    RunLog log;
    log.Append("a\r\nb\r\n");
    log.Append("");
    log.Append("c\nd");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Memo1", "a", "b", "", "", "c", "d"}));
    EXPECT_EQ(log.Text(), "Memo1\r\na\r\nb\r\n\r\n\r\nc\r\nd\r\n");
}

}  // namespace
}  // namespace zunta::testclient
