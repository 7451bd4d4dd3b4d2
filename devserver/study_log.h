// The study log request of the test client and its decoded fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::devserver {

struct WrongAnswer {
    int question = 0;    // n of the key "qa" + n
    std::string answer;  // UTF-8
};

// Every text in UTF-8, decoded from the percent-encoded code page 949 bytes of the request.
struct StudyLogFields {
    std::string idkey;
    std::string testidkey;
    std::string uid;
    std::string tcnt;
    std::string scnt;
    std::string stat;
    std::string odap;
    std::vector<WrongAnswer> wrongAnswers;  // in the order they arrived, one per question
};

// Takes the fields out of "/admin/api_sendlog.php?idkey=..&...&odap=..&qa1=..". Each value is
// percent-decoded once; the wrong answers were encoded twice by the client (once on their
// own, once with the whole address) and are decoded twice. The first pair of a name counts;
// names other than the known ones and "qa" + a number from 1 are ignored.
StudyLogFields DecodeStudyLog(std::string_view rawTarget);

}  // namespace zunta::devserver
