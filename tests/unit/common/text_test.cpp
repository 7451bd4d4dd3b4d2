#include "zunta/text.h"

#include <gtest/gtest.h>

namespace zunta {
namespace {

struct TokenCase {
    std::string source;
    std::string separator;
    int n;
    std::string expected;
};

TEST(NthToken, FieldsAsTheyStand) {
    const TokenCase cases[] = {
        {"1|3|0", "|", 2, "3"},
        {"1|3|0", "|", 3, "0"},
        {"1|3|0", "|", 4, ""},
        {"a|b|", "|", 3, ""},
        {"a|b|", "|", 4, ""},
        {"a||b", "|", 2, ""},
        {"a||b", "|", 3, "b"},
        {"abc", "|", 1, "abc"},
        {"abc", "|", 2, ""},
        {"", "|", 1, ""},
        {"a|b", "||", 1, "a|b"},  // only a one-byte separator can match
        {"a|b", "", 1, "a|b"},
        {"a|b", "", 2, ""},
        {" x |y", "|", 1, " x "},  // nothing trimmed
        {"a|b", "|", 0, ""},
        {"a|b", "|", -3, ""},
        {"|", "|", 1, ""},
        {"|", "|", 2, ""},
        {"&UID=a&CHK=5", "&", 2, "UID=a"},
        {"UID=a=b", "=", 2, "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NthToken(c.source, c.separator, c.n), c.expected)
            << "source '" << c.source << "' separator '" << c.separator << "' n " << c.n;
    }
}

TEST(NthToken, KoreanBytesAreFieldContent) {
    // A trail byte of code page 949 is never "|" (0x7C), but 0x7C may follow a lead byte in
    // other code pages; here every byte is plain content.
    const std::string entry = "1|\xB0\xA1\xB3\xAA|1";
    EXPECT_EQ(NthToken(entry, "|", 2), "\xB0\xA1\xB3\xAA");
}

struct TagCase {
    std::string source;
    std::string open;
    std::string close;
    std::string expected;
};

TEST(TextBetweenTags, FirstOccurrenceRules) {
    const TagCase cases[] = {
        {"<A>xy</A>", "<A>", "</A>", "xy"},
        {"<A></A>", "<A>", "</A>", ""},
        {"<A>1</A><A>2</A>", "<A>", "</A>", "1"},
        {"<A>xy", "<A>", "</A>", ""},           // closing tag missing
        {"</A>x<A>y", "<A>", "</A>", ""},       // closing tag only before the opening one
        {"abcdef</A>", "<A>", "</A>", "cdef"},  // opening tag missing
        {"ab</A>", "<A>", "</A>", ""},          // ... and the close lies inside the first bytes
        {"", "<A>", "</A>", ""},
        {"<IDKEY>7</IDKEY><TESTIDKEY>9</TESTIDKEY>", "<IDKEY>", "</IDKEY>", "7"},
        {"<IDKEY>7</IDKEY><TESTIDKEY>9</TESTIDKEY>", "<TESTIDKEY>", "</TESTIDKEY>", "9"},
        {"<Q1>a\r\nb</Q1>", "<Q1>", "</Q1>", "a\r\nb"},
        {"<Q1> x </Q1>", "<Q1>", "</Q1>", " x "},
        {"<a>x</A>", "<A>", "</A>", ">x"},  // tags are case-sensitive: opening tag missing
        {"<A>x</A>", "", "</A>", "<A>x<"},  // empty opening tag: start 0 counts as 1
        {"<A>x</A>", "<A>", "", ""},
        {"<A><A>x</A>", "<A>", "</A>", "<A>x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextBetweenTags(c.source, c.open, c.close), c.expected)
            << "source '" << c.source << "' tags '" << c.open << "' '" << c.close << "'";
    }
}

TEST(Trim, RemovesControlBytesAndBlanksOnly) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01\x1F "), "x y");
    EXPECT_EQ(Trim("\r\n"), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\xA1\xA1"), "\xA1\xA1");  // bytes above 127 are text
}

struct LinesCase {
    std::string text;
    std::vector<std::string> lines;   // line rule of files and tag values
    std::vector<std::string> pieces;  // how the run log takes an appended text
};

TEST(LineRule, SplitsAtCrLfAndPairs) {
    const LinesCase cases[] = {
        {"", {}, {""}},
        {"a", {"a"}, {"a"}},
        {"a\r\nb", {"a", "b"}, {"a", "b"}},
        {"a\r\n", {"a"}, {"a", ""}},
        {"a\nb\rc", {"a", "b", "c"}, {"a", "b", "c"}},
        {"a\n\rb", {"a", "", "b"}, {"a", "", "b"}},  // LF CR is two breaks
        {"\r\na", {"", "a"}, {"", "a"}},
        {"a\r\n\r\n", {"a", ""}, {"a", "", ""}},
        {"\r", {""}, {"", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << "text '" << c.text << "'";
        EXPECT_EQ(SplitPieces(c.text), c.pieces) << "text '" << c.text << "'";
    }
}

TEST(LineRule, JoinPutsCrLfAfterEveryLine) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(ReplaceAll, LeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceAll("a%26b%2626", "%26", "&"), "a&b&26");
    EXPECT_EQ(ReplaceAll("@@@", "@@", "X"), "X@");
    EXPECT_EQ(ReplaceAll("abc", "", "X"), "abc");
    EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "@@"), "a@@b@@");
}

TEST(AsciiUpper, LeavesDoubleByteCharactersWhole) {
    EXPECT_EQ(AsciiUpper("o x y n"), "O X Y N");
    // 0xB0 0x61 and 0x81 0x7A are double-byte characters whose trail bytes look like "a", "z".
    EXPECT_EQ(AsciiUpper("\xB0\x61o\x81\x7Az"), "\xB0\x61O\x81\x7AZ");
    // A lead byte at the very end has no trail byte to protect.
    EXPECT_EQ(AsciiUpper("a\xB0"), "A\xB0");
}

}  // namespace
}  // namespace zunta
