// Study packages a server (or anyone on the plain-HTTP path) could send, and what the student
// then sees. Every row loads from a real file in a temporary media folder.
#include <random>

#include <gtest/gtest.h>

#include "testclient/core/questionview.h"
#include "testclient/core/testrun.h"
#include "tests/support/temp_folder.h"
#include "zunta/platform/files.h"

namespace zunta::testclient {
namespace {

namespace fs = std::filesystem;

std::string Questions(int count, bool withEntries) {
    std::string list;
    std::string entries;
    for (int n = 1; n <= count; ++n) {
        list += std::to_string(n) + "\r\n";
        if (withEntries) {
            entries += "<Q" + std::to_string(n) + ">" + std::to_string(n) + "|3|0</Q" +
                       std::to_string(n) + ">";
        }
    }
    return "<QCOUNT>" + std::to_string(count) + "</QCOUNT><QLIST>" + list + "</QLIST>" + entries;
}

std::string Garbage(std::size_t size) {
    std::mt19937 rng(7);
    std::string bytes(size, '\0');
    for (auto& b : bytes) {
        b = static_cast<char>(rng() & 0xFF);
    }
    return bytes;
}

enum class Seen {
    ResultAtOnce,  // 0 questions: the result picture, a study log of 0 questions
    Questions,     // the test runs with QCount questions
    ErrorMessage,  // a message box with the error; OK ends the program, nothing is sent
};

struct Row {
    const char* package;  // what was sent
    std::string bytes;    // media/MyDataStudy.txt as stored (UTF-8)
    Seen seen;
    int questions;  // QCount when the test runs
    LoadError error;
};

class BadPackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        appDir_ = zunta::testsupport::MakeTempFolder("bad-package");
        ASSERT_TRUE(platform::CreateFolders(appDir_ / "media"));
    }
    void TearDown() override { fs::remove_all(appDir_); }
    fs::path appDir_;
};

TEST_F(BadPackageTest, EachRowGivesWhatTheStudentSees) {
    const Row rows[] = {
        {"0 bytes", "", Seen::ResultAtOnce, 0, LoadError::None},
        {"50 MB", std::string(50u * 1024 * 1024, 'x'), Seen::ErrorMessage, 0,
         LoadError::FileTooLarge},
        {"100 000 questions", Questions(100000, true), Seen::Questions, 100000, LoadError::None},
        {"QCOUNT -1", "<QCOUNT>-1</QCOUNT><QLIST>a</QLIST>", Seen::ErrorMessage, 0,
         LoadError::BadCount},
        {"QCOUNT 1001 with 1001 lines", Questions(1001, false), Seen::Questions, 1001,
         LoadError::None},
        {"QCOUNT 2^31", "<QCOUNT>2147483648</QCOUNT><QLIST>a</QLIST>", Seen::ResultAtOnce, 0,
         LoadError::None},
        {"QCOUNT 2^31 - 1", "<QCOUNT>2147483647</QCOUNT><QLIST>a</QLIST>", Seen::ErrorMessage, 0,
         LoadError::ShortQuestionList},
        {"list shorter than QCOUNT", "<QCOUNT>3</QCOUNT><QLIST>a\r\nb</QLIST>", Seen::ErrorMessage,
         0, LoadError::ShortQuestionList},
        {"binary garbage", Garbage(4096), Seen::ErrorMessage, 0, LoadError::BrokenText},
        {"invalid UTF-8", "<QCOUNT>1</QCOUNT><QLIST>a</QLIST>\xC3(", Seen::ErrorMessage, 0,
         LoadError::BrokenText},
        {"picture address with quote and angle brackets",
         "<QCOUNT>1</QCOUNT><QLIST>a</QLIST><Q1>1|3|0</Q1>"
         "<QDATA>1=x.png\" onerror=\"x\"><script>s</script><b></QDATA>",
         Seen::Questions, 1, LoadError::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.package);
        ASSERT_TRUE(platform::WriteFileReplacing(appDir_ / "media" / "MyDataStudy.txt", row.bytes));
        TestRun run(appDir_);
        const LoadResult result = run.LoadStudyPackage();
        EXPECT_EQ(result.error, row.error) << result.message;
        switch (row.seen) {
            case Seen::ErrorMessage:
                EXPECT_FALSE(result.message.empty());
                EXPECT_EQ(run.State().QNo, 0);
                break;
            case Seen::ResultAtOnce:
                EXPECT_TRUE(result.ok());
                EXPECT_EQ(run.State().QCount, 0);
                break;
            case Seen::Questions:
                EXPECT_TRUE(result.ok());
                EXPECT_EQ(run.State().QCount, row.questions);
                break;
        }
    }
}

TEST_F(BadPackageTest, PictureAddressCannotLeaveItsAttribute) {
    const std::string address = "x.png\" onerror=\"x\"><script>s</script><b>";
    const std::string page = QuestionPageHtml("1", address);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("onerror=\""), std::string::npos);
    EXPECT_NE(page.find("x.png&quot; onerror=&quot;x&quot;&gt;&lt;script&gt;"), std::string::npos);
}

}  // namespace
}  // namespace zunta::testclient
