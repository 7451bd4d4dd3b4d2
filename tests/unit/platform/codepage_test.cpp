// Runs against the operating system's own converter: iconv natively, the Win32 code page API
// in the Windows build under Wine. Both must agree on these cases.
#include "zunta/platform/codepage.h"

#include <gtest/gtest.h>

namespace zunta::platform {
namespace {

struct Case {
    const char* name;
    std::string ansi;  // code page 949
    std::string utf8;
    std::u16string utf16;
};

TEST(CodePage949, RoundTripsKoreanAndAscii) {
    const Case cases[] = {
        {"empty", "", "", u""},
        {"ascii", "Unit 3 <b>|@@\r\n", "Unit 3 <b>|@@\r\n", u"Unit 3 <b>|@@\r\n"},
        {"hangul syllables", "\xB0\xA1\xB3\xAA", "\xEA\xB0\x80\xEB\x82\x98", u"\uAC00\uB098"},
        // An extended syllable of the Unified Hangul Code, not in plain EUC-KR.
        {"extended syllable", "\x81\x41", "\xEA\xB0\x82", u"\uAC02"},
        {"hanja and symbols", "\xEC\xE9\xA1\xDA", "\xE4\xB8\x80\xE2\x98\x85", u"\u4E00\u2605"},
        {"test wording", "\xC3\xD1 \xB9\xAE\xC1\xA6\xBC\xF6=",
         "\xEC\xB4\x9D \xEB\xAC\xB8\xEC\xA0\x9C\xEC\x88\x98=", u"\uCD1D \uBB38\uC81C\uC218="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiToUtf16(c.ansi), c.utf16) << c.name;
        EXPECT_EQ(Utf16ToAnsi(c.utf16), c.ansi) << c.name;
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.name;
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.name;
    }
}

TEST(CodePage949, CharactersOutsideBecomeQuestionMarks) {
    EXPECT_EQ(Utf16ToAnsi(u"a\u0E01b"), "a?b");  // Thai
    EXPECT_EQ(Utf8ToAnsi("a\xE0\xB8\x81"
                         "b"),
              "a?b");
}

TEST(CodePage949, AllSyllablesSurviveTheRoundTrip) {
    // The 11172 modern Hangul syllables are all in code page 949.
    std::u16string syllables;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c) {
        syllables.push_back(c);
    }
    const std::string ansi = Utf16ToAnsi(syllables);
    EXPECT_EQ(ansi.size(), syllables.size() * 2);
    EXPECT_EQ(AnsiToUtf16(ansi), syllables);
}

}  // namespace
}  // namespace zunta::platform
