#include "devserver/study_log.h"

#include <algorithm>

#include "devserver/query.h"
#include "zunta/platform/codepage.h"

namespace zunta::devserver {
namespace {

// Question numbers as the client writes them: decimal from 1, no leading zero. Higher
// numbers than any package can hold are not a question.
constexpr int kMaxQuestion = 100000;

int QuestionNumber(std::string_view name) {
    if (name.size() < 3 || name.substr(0, 2) != "qa" || name[2] < '1' || name[2] > '9' ||
        name.size() > 8) {
        return 0;
    }
    int n = 0;
    for (const char c : name.substr(2)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        n = n * 10 + (c - '0');
    }
    return n <= kMaxQuestion ? n : 0;
}

std::string Text(std::string_view encoded) {
    return platform::AnsiToUtf8(PercentDecode(encoded));
}

}  // namespace

StudyLogFields DecodeStudyLog(std::string_view rawTarget) {
    const std::vector<QueryPair> pairs = SplitQuery(TargetQuery(rawTarget));
    StudyLogFields fields;
    fields.idkey = Text(QueryValue(pairs, "idkey"));
    fields.testidkey = Text(QueryValue(pairs, "testidkey"));
    fields.uid = Text(QueryValue(pairs, "uid"));
    fields.tcnt = Text(QueryValue(pairs, "tcnt"));
    fields.scnt = Text(QueryValue(pairs, "scnt"));
    fields.stat = Text(QueryValue(pairs, "stat"));
    fields.odap = Text(QueryValue(pairs, "odap"));
    for (const QueryPair& pair : pairs) {
        const int n = QuestionNumber(pair.name);
        if (n == 0 || std::any_of(fields.wrongAnswers.begin(), fields.wrongAnswers.end(),
                                  [n](const WrongAnswer& w) { return w.question == n; })) {
            continue;
        }
        fields.wrongAnswers.push_back(
            {n, platform::AnsiToUtf8(PercentDecode(PercentDecode(pair.value)))});
    }
    return fields;
}

}  // namespace zunta::devserver
