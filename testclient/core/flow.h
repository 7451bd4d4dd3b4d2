// The progression of a test from question to question and into the result step, with the
// run-log lines of each step. The main window drives it from its timer and the next arrow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "testclient/core/grading.h"
#include "testclient/core/questionview.h"
#include "testclient/core/testrun.h"

namespace zunta::testclient {

struct Tick {
    bool showResult = false;  // QNo is past QCount: the result step begins
    bool startClock = false;  // the first question: the study clock starts now
    QuestionView view;        // the question to show when showResult is false
};

// The 100 ms timer's step: shows question QNo, or begins the result.
Tick TimerTick(TestRun& run);

enum class Advance {
    ShowNextQuestion,  // start the timer again
    ShowResult,        // the last question was graded
    Ignored,           // the test is already over
};

// The next arrow: grades question QNo, records the verdict and moves on.
Advance NextQuestion(TestRun& run, const AnswerInput& input);

// Grades question q and writes its grading block to the run log; sets AnswerOK and, for a
// wrong answer, QWrongAnswer. Returns the verdict.
Verdict GradeAnswer(TestRun& run, int q, const AnswerInput& input);

// Scores the test and logs the study log address; returns that address (encoded bytes).
std::string BeginStudyLog(TestRun& run, std::string_view serverBase);

// The reply of the server, logged as ">>>RS=" + body.
void RecordStudyLogReply(TestRun& run, std::string_view body);

// A request the server did not take; `reasonUtf8` says why (status or network error).
void RecordStudyLogFailure(TestRun& run, std::string_view reasonUtf8);

// The study clock: minutes and seconds of the elapsed time, hours dropped ("mm:ss").
std::string StudyClockText(std::int64_t elapsedMs);

}  // namespace zunta::testclient
