// UrlEncode and the study-log request: whatever a student typed, the request keeps exactly its
// own query keys, in order, and every byte is encoded as the server expects.
#include <algorithm>
#include <string>
#include <vector>

#include "testclient/core/studylog.h"
#include "tests/fuzz/fuzz_input.h"
#include "zunta/text.h"
#include "zunta/urlencode.h"

namespace {

std::string PercentDecode(std::string_view s) {
    auto hex = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            out.push_back(static_cast<char>(hex(s[i + 1]) * 16 + hex(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    const auto answers = zunta::fuzz::SplitInput(data, size, 4);

    for (const auto& a : answers) {
        const std::string once = zunta::UrlEncode(a);
        for (std::size_t i = 0; i < once.size(); ++i) {
            const auto b = static_cast<unsigned char>(once[i]);
            if (b == '%') {
                Check(i + 2 < once.size(), "a cut escape");
                const char h1 = once[i + 1], h2 = once[i + 2];
                Check(((h1 >= '0' && h1 <= '9') || (h1 >= 'A' && h1 <= 'F')) &&
                          ((h2 >= '0' && h2 <= '9') || (h2 >= 'A' && h2 <= 'F')),
                      "not two upper-case hex digits");
                i += 2;
            } else {
                Check(zunta::IsUrlPassThrough(b), "a byte passed that must be encoded");
            }
        }
        Check(PercentDecode(once) == a, "encoding does not decode back");
    }

    // Four questions, all answered wrongly with the fuzzed answers.
    zunta::testclient::TestRunState state;
    state.IdKey = "12";
    state.TestIdKey = "34";
    state.Uid = "u1";
    state.QCount = 4;
    state.QPoint.assign(4, 0);
    state.QWrongAnswer = answers;
    const std::string odap = zunta::testclient::ScoreTest(state);
    const std::string address =
        zunta::testclient::StudyLogAddress("http://127.0.0.1:8080", state, odap);

    const std::string query = address.substr(address.find('?') + 1);
    std::vector<std::string> keys;
    std::size_t pairs = 1;
    for (char c : query) {
        pairs += c == '&' ? 1 : 0;
    }
    for (std::size_t k = 1; k <= pairs; ++k) {
        const std::string pair = zunta::NthToken(query, "&", static_cast<int>(k));
        keys.push_back(pair.substr(0, pair.find('=')));
        Check(std::count(pair.begin(), pair.end(), '=') == 1, "a pair with more than one =");
    }
    const std::vector<std::string> expected = {"idkey", "testidkey", "uid", "tcnt", "scnt", "stat",
                                               "odap",  "qa1",       "qa2", "qa3",  "qa4"};
    Check(keys == expected, "the query keys changed");
    // The server decodes the query once and each wrong answer once more.
    for (int n = 1; n <= 4; ++n) {
        const std::string pair = zunta::NthToken(query, "&", 7 + n);
        const std::string value = pair.substr(pair.find('=') + 1);
        Check(PercentDecode(PercentDecode(value)) == answers[static_cast<std::size_t>(n - 1)],
              "a wrong answer does not arrive as typed");
    }
    return 0;
}
