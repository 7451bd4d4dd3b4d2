// Grading of one answer against the question's answer key. Pure: the forms hand in what the
// answer controls hold and get back the verdict and what was written to the run log.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zunta::testclient {

inline constexpr int kAnswerFields = 5;

// What the student entered for one question: the texts of Ed_1..Ed_5 (code page 949) and the
// checked state of CB_1..CB_5. Hidden fields are empty.
struct AnswerInput {
    std::array<std::string, kAnswerFields> written;
    std::array<bool, kAnswerFields> checked{};
};

struct Verdict {
    // As keyed and entered, before any case folding: what the run log shows.
    std::string keyedCorrect;  // field 2 of the entry, trimmed
    std::string enteredUa;     // the non-empty single answers joined with ","
    std::string enteredUa2;    // the same joined with "@@"
    // As compared (folded for the true/false answers).
    std::string correct, ua, ua2;
    bool right = false;
    std::string wrongAnswer;  // what is kept for a wrong answer; empty for a right one
};

// True when the question is answered in the written fields (type "1"); every other type is
// answered with the five choices.
bool IsWrittenType(std::string_view type);

// Grades `input` against `entry`. Letter case counts, except for the one-letter answers
// O, X, Y and N, for which ASCII letters are compared without regard to case.
Verdict GradeEntry(std::string_view entry, const AnswerInput& input);

}  // namespace zunta::testclient
