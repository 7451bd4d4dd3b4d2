// The study log fields taken out of request targets that the test client would not send.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "devserver/query.h"
#include "devserver/study_log.h"

namespace zunta::devserver {
namespace {

TEST(PercentDecode, DecodesOnlyWellFormedEscapes) {
    const std::pair<const char*, std::string> cases[] = {
        {"a%20b", "a b"}, {"%b0%A1", "\xB0\xA1"}, {"a+b", "a+b"},   {"100%", "100%"},
        {"%4", "%4"},     {"%zz%41", "%zzA"},     {"%2541", "%41"}, {"%00x", std::string("\0x", 2)},
    };
    for (const auto& [encoded, decoded] : cases) {
        EXPECT_EQ(PercentDecode(encoded), decoded) << encoded;
    }
}

TEST(DecodeStudyLog, TakesTheFirstPairOfANameAndOnlyNumberedWrongAnswers) {
    const StudyLogFields f = DecodeStudyLog(
        "/admin/api_sendlog.php?idkey=1&uid=a+b&idkey=2&odap=XX&qa1=x%2520y&qa1=again"
        "&qa0=zero&qa01=lead&qax=name&QA2=upper&qa2&tcnt=%ZZ&scnt=%B0");
    EXPECT_EQ(f.idkey, "1");
    EXPECT_EQ(f.uid, "a+b");
    EXPECT_EQ(f.odap, "XX");
    EXPECT_EQ(f.tcnt, "%ZZ");
    EXPECT_EQ(f.scnt, "\xEF\xBF\xBD");  // a broken code page 949 byte stays visible as U+FFFD
    EXPECT_EQ(f.testidkey, "");
    ASSERT_EQ(f.wrongAnswers.size(), 2u);
    EXPECT_EQ(f.wrongAnswers[0].question, 1);
    EXPECT_EQ(f.wrongAnswers[0].answer, "x y");
    EXPECT_EQ(f.wrongAnswers[1].question, 2);
    EXPECT_EQ(f.wrongAnswers[1].answer, "");
}

}  // namespace
}  // namespace zunta::devserver
