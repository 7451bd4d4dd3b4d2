#include "testclient/core/grading.h"

#include "zunta/package.h"
#include "zunta/text.h"

namespace zunta::testclient {
namespace {

bool IsTrueFalseKey(std::string_view correct) {
    return correct.size() == 1 &&
           std::string_view("XxOoYyNn").find(correct[0]) != std::string_view::npos;
}

std::string Joined(const std::array<std::string, kAnswerFields>& singles, std::string_view sep) {
    std::string out;
    for (const auto& single : singles) {
        if (single.empty()) {
            continue;
        }
        if (!out.empty()) {
            out += sep;
        }
        out += single;
    }
    return out;
}

}  // namespace

bool IsWrittenType(std::string_view type) {
    return type == "1";
}

Verdict GradeEntry(std::string_view entry, const AnswerInput& input) {
    const std::string type = EntryType(entry);
    std::array<std::string, kAnswerFields> singles;
    for (int k = 0; k < kAnswerFields; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (IsWrittenType(type)) {
            singles[i] = Trim(input.written[i]);
        } else if (input.checked[i]) {
            singles[i] = std::to_string(k + 1);
        }
    }

    Verdict v;
    v.keyedCorrect = v.correct = EntryAnswer(entry);
    v.enteredUa = v.ua = Joined(singles, ",");
    v.enteredUa2 = v.ua2 = Joined(singles, "@@");
    if (IsTrueFalseKey(v.correct)) {
        v.correct = Trim(AsciiUpper(v.correct));
        v.ua = Trim(AsciiUpper(v.ua));
        v.ua2 = Trim(AsciiUpper(v.ua2));
    }
    v.right = v.correct == v.ua || v.correct == v.ua2;
    if (!v.right) {
        v.wrongAnswer = IsWrittenType(type) ? v.ua2 : v.ua;
    }
    return v;
}

}  // namespace zunta::testclient
