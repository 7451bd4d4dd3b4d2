// The state of one test run and the loading of the study package into it. No window is needed:
// the forms call this and show what it holds.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testclient/core/runlog.h"

namespace zunta::testclient {

// Largest study package the client reads; a real one of 1000 questions is about 400 KB.
inline constexpr std::size_t kMaxPackageBytes = 32u * 1024u * 1024u;

// Field names follow the system's own names. Per-question tables are sized from QCount:
// entry n - 1 belongs to question n.
struct TestRunState {
    std::filesystem::path AppDir;  // folder of the program file; media/ lies below it
    std::string Subject;
    std::string Uid;
    std::string IdKey;
    std::string TestIdKey;
    int QCount = 0;
    int QNo = 0;                          // 1-based; QCount + 1 once the test is over
    std::vector<std::string> QList;       // line n - 1 = entry of question n after loading
    std::vector<std::string> QImageList;  // NAME=PICTURE lines
    std::vector<int> QPoint;              // 1 when question n was answered right
    std::vector<std::string> QWrongAnswer;
    int TotalPoint = 0;
    std::string AnswerOK;
    std::string OXMarks;
};

enum class LoadError {
    None,
    FileMissing,
    FileUnreadable,
    FileTooLarge,
    BrokenText,
    BadCount,
    ShortQuestionList,
    MediaNotWritable,
};

struct LoadResult {
    LoadError error = LoadError::None;
    std::string message;  // UTF-8, for the message box; empty on success
    bool ok() const { return error == LoadError::None; }
};

class TestRun {
  public:
    explicit TestRun(std::filesystem::path appDir);

    // Reads media/MyDataStudy.txt into the state, writes TempImg.txt, MyQList.txt and
    // TempQData.txt beside it and logs the package. On failure the state and the run log stay
    // exactly as they were and the result says what went wrong.
    LoadResult LoadStudyPackage();

    // "::: ZUNTA [" + Subject + "]" once loaded, "::: ZUNTA TEST" before (code page 949).
    std::string Caption() const;

    std::filesystem::path MediaDir() const { return state_.AppDir / "media"; }

    TestRunState& State() { return state_; }
    const TestRunState& State() const { return state_; }
    RunLog& Log() { return log_; }
    const RunLog& Log() const { return log_; }

  private:
    TestRunState state_;
    RunLog log_;
    bool loaded_ = false;
};

// The package text read into a fresh state: tags, picture list, question list with every entry
// in place. Touches no file; QNo and the per-question tables are left for the loader.
struct ParsedPackage {
    LoadResult result;
    TestRunState state;
    std::vector<std::string> questionListAsSent;  // QLIST lines before entries replaced them
};
ParsedPackage ParseStudyPackage(std::string_view packageText);

// QCOUNT as a number: trimmed, then an optional sign and decimal digits that fit in an int;
// anything else gives 0.
int ParseQuestionCount(std::string_view text);

}  // namespace zunta::testclient
