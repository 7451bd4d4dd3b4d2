#include "testclient/core/flow.h"

#include "testclient/core/studylog.h"
#include "zunta/platform/codepage.h"

namespace zunta::testclient {
namespace {

std::string EntryOf(const TestRunState& s, int q) {
    return s.QList[static_cast<std::size_t>(q - 1)];
}

bool InRange(const TestRunState& s, int q) {
    return q >= 1 && q <= s.QCount;
}

}  // namespace

Tick TimerTick(TestRun& run) {
    TestRunState& s = run.State();
    run.Log().Append("*** TIMER QNO=" + std::to_string(s.QNo) + "/" + std::to_string(s.QCount));
    Tick tick;
    if (s.QNo > s.QCount) {
        tick.showResult = true;
        return tick;
    }
    tick.startClock = s.QNo <= 1;
    const std::string entry = InRange(s, s.QNo) ? EntryOf(s, s.QNo) : std::string();
    tick.view = LoadStudyForm(run, 1, entry);
    run.Log().Append(entry);
    return tick;
}

Verdict GradeAnswer(TestRun& run, int q, const AnswerInput& input) {
    TestRunState& s = run.State();
    const Verdict v = GradeEntry(EntryOf(s, q), input);
    RunLog& log = run.Log();
    const std::string qs = std::to_string(q);
    log.Append("****** " + qs + ") =>" + v.keyedCorrect + "//UA=" + v.enteredUa +
               "//UA2=" + v.enteredUa2);
    s.AnswerOK.clear();
    if (v.right) {
        s.AnswerOK = "Y";
        log.AppendUtf8(" <<< 정답 !!!! >>>");
        log.Append(" -----------------");
        log.Append(" -----------------");
    } else {
        s.QWrongAnswer[static_cast<std::size_t>(q - 1)] = v.wrongAnswer;
        log.AppendUtf8(" <<< 오답 @@@@@@@ >>>");
        log.Append(" -----------------" + qs);
        log.Append(v.wrongAnswer);
    }
    return v;
}

Advance NextQuestion(TestRun& run, const AnswerInput& input) {
    TestRunState& s = run.State();
    if (s.QNo > s.QCount) {
        return Advance::Ignored;
    }
    if (InRange(s, s.QNo)) {
        GradeAnswer(run, s.QNo, input);
        if (s.AnswerOK == "Y") {
            s.QPoint[static_cast<std::size_t>(s.QNo - 1)] = 1;
            run.Log().AppendUtf8(std::to_string(s.QNo) + ") 다음 문제로 >>");
        }
    }
    ++s.QNo;
    return s.QNo > s.QCount ? Advance::ShowResult : Advance::ShowNextQuestion;
}

std::string BeginStudyLog(TestRun& run, std::string_view serverBase) {
    const std::string odap = ScoreTest(run.State());
    std::string address = StudyLogAddress(serverBase, run.State(), odap);
    run.Log().Append(address);
    return address;
}

void RecordStudyLogReply(TestRun& run, std::string_view body) {
    run.Log().Append(">>>RS=" + std::string(body));
}

void RecordStudyLogFailure(TestRun& run, std::string_view reasonUtf8) {
    run.Log().AppendUtf8(">>>ERR=" + std::string(reasonUtf8));
}

std::string StudyClockText(std::int64_t elapsedMs) {
    if (elapsedMs < 0) {
        elapsedMs = 0;
    }
    const std::int64_t seconds = elapsedMs / 1000;
    const auto two = [](std::int64_t n) {
        return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
    };
    return two((seconds / 60) % 60) + ":" + two(seconds % 60);
}

}  // namespace zunta::testclient
