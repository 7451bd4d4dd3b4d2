// The study log: the score of a finished test and the one request that reports it to the
// organisation's web server.
#pragma once

#include <string>
#include <string_view>

#include "testclient/core/testrun.h"

namespace zunta::testclient {

// A wrong answer as it goes into the query: UrlEncode, and "&" and "=" escaped as well, so what
// a student typed can never add keys to the request. The whole address is encoded once more.
std::string EncodeWrongAnswer(std::string_view answer);

// Adds up TotalPoint and builds OXMarks from QPoint; returns odap: the marks followed by
// "&qaN=" + the encoded wrong answer for every wrongly answered question, in order.
std::string ScoreTest(TestRunState& state);

// The request address, already encoded as sent: serverBase + "/admin/api_sendlog.php?idkey=..."
// passed through UrlEncode. Bytes, to be sent without any further encoding.
std::string StudyLogAddress(std::string_view serverBase, const TestRunState& state,
                            std::string_view odap);

}  // namespace zunta::testclient
