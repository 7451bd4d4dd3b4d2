#include <gtest/gtest.h>

#include <filesystem>

#include "testclient/core/flow.h"
#include "testclient/core/outbox.h"
#include "testclient/core/resultfile.h"
#include "tests/support/temp_folder.h"
#include "zunta/platform/codepage.h"
#include "zunta/platform/files.h"

namespace zunta::testclient {
namespace {

namespace fs = std::filesystem;

std::string A(std::string_view utf8) {
    return platform::Utf8ToAnsi(utf8);
}

class TempDir {
  public:
    TempDir() {
        path_ = zunta::testsupport::MakeTempFolder("flow");
        fs::create_directories(path_ / "media");
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// A loaded run of the given questions (entries in UTF-8) and QDATA.
TestRun Loaded(const TempDir& dir, const std::vector<std::string>& entries,
               const std::string& qdata = "") {
    std::string package = "<QCOUNT>" + std::to_string(entries.size()) + "</QCOUNT><QLIST>";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        package += "slot\r\n";
    }
    package += "</QLIST><QDATA>" + qdata + "</QDATA>";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        package += "<Q" + n + ">" + entries[i] + "</Q" + n + ">";
    }
    EXPECT_TRUE(platform::WriteFileReplacing(dir.path() / "media" / "MyDataStudy.txt", package));
    TestRun run(dir.path());
    EXPECT_TRUE(run.LoadStudyPackage().ok());
    return run;
}

std::vector<std::string> LinesFrom(const TestRun& run, std::size_t from) {
    const auto& lines = run.Log().Lines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
}

struct ViewCase {
    const char* entry;
    std::string type;
    int parts, fields;
    bool choices;
};

TEST(FlowTest, QuestionViewPerType) {
    const ViewCase cases[] = {
        {"7|2|0", "0", 0, 0, true}, {"7|was@@were|1", "1", 2, 2, false},
        {"7||1", "1", 1, 1, false}, {"7|a@@b@@c@@d@@e@@f|1", "1", 6, 5, false},
        {"7|2|2", "2", 0, 0, true},  // shown as it is graded: as a choice
        {"", "", 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        TempDir dir;
        TestRun run = Loaded(dir, {c.entry});
        const QuestionView v = LoadStudyForm(run, 1, c.entry);
        EXPECT_EQ(v.type, c.type);
        EXPECT_EQ(v.parts, c.parts);
        EXPECT_EQ(v.writtenFields, c.fields);
        EXPECT_EQ(v.choices, c.choices);
    }
}

TEST(FlowTest, TimerAndLoadStudyFormLines) {
    TempDir dir;
    TestRun run = Loaded(dir, {"1|3|0", "2|a@@b@@c@@d@@e@@f|1", "3|x|1"},
                         "1=http://h/q1.png@@@BR@@@3=http://h/q3.png");
    run.State().QNo = 2;
    const std::size_t before = run.Log().Lines().size();
    const Tick tick = TimerTick(run);
    EXPECT_FALSE(tick.showResult);
    EXPECT_FALSE(tick.startClock);
    EXPECT_EQ(tick.view.step, "2/3");
    EXPECT_TRUE(tick.view.picture.empty());
    EXPECT_TRUE(tick.view.pageHtml.empty());  // the page keeps the previous picture
    EXPECT_EQ(LinesFrom(run, before),
              (std::vector<std::string>{
                  "*** TIMER QNO=2/3",
                  A("2.LoadStudyForm(1) 문제형식=1///2|a@@b@@c@@d@@e@@f|1//주관식 답 갯수=6"), "2.",
                  "2|a@@b@@c@@d@@e@@f|1"}));

    run.State().QNo = 1;
    const Tick first = TimerTick(run);
    EXPECT_TRUE(first.startClock);
    EXPECT_EQ(first.view.picture, "http://h/q1.png");
    EXPECT_NE(first.view.pageHtml.find("1)</B>"), std::string::npos);
}

TEST(FlowTest, GradingBlocksAndTheEnd) {
    TempDir dir;
    TestRun run = Loaded(dir, {"1|3|0", "2|went@@gone|1"});
    const std::size_t before = run.Log().Lines().size();
    AnswerInput right;
    right.checked[2] = true;
    EXPECT_EQ(NextQuestion(run, right), Advance::ShowNextQuestion);
    AnswerInput wrong;
    wrong.written = {"gone", "went", "", "", ""};
    EXPECT_EQ(NextQuestion(run, wrong), Advance::ShowResult);
    EXPECT_EQ(NextQuestion(run, wrong), Advance::Ignored);
    EXPECT_EQ(LinesFrom(run, before),
              (std::vector<std::string>{
                  "****** 1) =>3//UA=3//UA2=3", A(" <<< 정답 !!!! >>>"), " -----------------",
                  " -----------------", A("1) 다음 문제로 >>"),
                  "****** 2) =>went@@gone//UA=gone,went//UA2=gone@@went",
                  A(" <<< 오답 @@@@@@@ >>>"), " -----------------2", "gone@@went"}));
    const TestRunState& s = run.State();
    EXPECT_EQ(s.QNo, 3);
    EXPECT_EQ(s.QPoint, (std::vector<int>{1, 0}));
    EXPECT_EQ(s.QWrongAnswer, (std::vector<std::string>{"", "gone@@went"}));

    const std::size_t atResult = run.Log().Lines().size();
    EXPECT_TRUE(TimerTick(run).showResult);
    const std::string address = BeginStudyLog(run, "http://s");
    EXPECT_EQ(address,
              "http://s/admin/api_sendlog.php?idkey=&testidkey=&uid=&tcnt=2&scnt=1&stat=Y"
              "&odap=OX&qa2=gone%2540%2540went");
    RecordStudyLogReply(run, "OK\r\nsaved");
    EXPECT_EQ(LinesFrom(run, atResult),
              (std::vector<std::string>{"*** TIMER QNO=3/2", address, ">>>RS=OK", "saved"}));
}

TEST(FlowTest, ZeroQuestionsGoStraightToTheResult) {
    TempDir dir;
    TestRun run = Loaded(dir, {});
    EXPECT_TRUE(TimerTick(run).showResult);
    EXPECT_EQ(BeginStudyLog(run, "http://s"),
              "http://s/admin/api_sendlog.php?idkey=&testidkey=&uid=&tcnt=0&scnt=0&stat=Y&odap=");
}

TEST(FlowTest, StudyClockDropsHours) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "00:00"},         {999, "00:00"}, {61'000, "01:01"}, {(65 * 60 + 30) * 1000LL, "05:30"},
        {3'599'999, "59:59"}, {-5, "00:00"}};
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(StudyClockText(ms), text) << ms;
    }
}

TEST(OutboxTest, KeepsAddressesUntilAnswered) {
    TempDir dir;
    Outbox outbox(dir.path() / "media");
    EXPECT_TRUE(outbox.Pending().empty());
    ASSERT_TRUE(outbox.Add("http://s/a?x=1"));
    ASSERT_TRUE(outbox.Add("http://s/b?x=%2520"));
    ASSERT_TRUE(outbox.Add("http://s/a?x=1"));  // kept once
    EXPECT_EQ(Outbox(dir.path() / "media").Pending(),
              (std::vector<std::string>{"http://s/a?x=1", "http://s/b?x=%2520"}));
    ASSERT_TRUE(outbox.Remove("http://s/a?x=1"));
    EXPECT_EQ(outbox.Pending(), (std::vector<std::string>{"http://s/b?x=%2520"}));
    ASSERT_TRUE(outbox.Remove("http://s/b?x=%2520"));
    EXPECT_TRUE(outbox.Pending().empty());
    EXPECT_FALSE(fs::exists(outbox.FilePath()));
}

TEST(ResultFileTest, CurrentFolderElseBesideTheProgram) {
    TempDir dir;
    const fs::path current = dir.path() / "cwd";
    fs::create_directories(current);
    EXPECT_EQ(SaveResultFile("Memo1\r\n", current, dir.path()), current / "Result.txt");
    EXPECT_EQ(platform::ReadWholeFile(current / "Result.txt", 100).bytes, "Memo1\r\n");
    EXPECT_EQ(SaveResultFile("second\r\n", current, dir.path()), current / "Result.txt");
    EXPECT_EQ(platform::ReadWholeFile(current / "Result.txt", 100).bytes, "second\r\n");

    const fs::path missing = dir.path() / "no such folder";
    EXPECT_EQ(SaveResultFile("x\r\n", missing, dir.path()), dir.path() / "Result.txt");
    EXPECT_EQ(SaveResultFile("x\r\n", missing, missing / "either"), std::nullopt);
}

}  // namespace
}  // namespace zunta::testclient
