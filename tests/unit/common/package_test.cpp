#include "zunta/package.h"

#include <gtest/gtest.h>

namespace zunta {
namespace {

TEST(QuestionEntry, LineBreaksBecomeDoubleAt) {
    const std::string joined = "<Q1>1|were@@was|1</Q1>";
    const std::string broken = "<Q1>1|were\r\nwas|1</Q1>";
    for (const auto& package : {joined, broken}) {
        const std::string entry = QuestionEntry(package, 1);
        EXPECT_EQ(entry, "1|were@@was|1");
        EXPECT_EQ(EntryAnswer(entry), "were@@was");
        EXPECT_EQ(EntryType(entry), "1");
        EXPECT_EQ(AnswerPartCount(EntryAnswer(entry)), 2);
    }
}

TEST(QuestionEntry, TagNamesAreWholeNumbers) {
    const std::string package = "<Q10>ten</Q10><Q1>one</Q1><Q01>zero-one</Q01>";
    EXPECT_EQ(QuestionEntry(package, 1), "one");
    EXPECT_EQ(QuestionEntry(package, 10), "ten");
    EXPECT_EQ(QuestionEntry(package, 2), "");  // missing: empty entry, neither type
    EXPECT_EQ(EntryType(QuestionEntry(package, 2)), "");
}

TEST(EntryFields, TrimmedAnswerAndType) {
    const std::pair<std::string, std::pair<std::string, std::string>> cases[] = {
        {"1| 2,4 |0 ", {"2,4", "0"}},
        {"7|2|0", {"2", "0"}},
        {"7||1", {"", "1"}},
        {"7|went@@gone|1|extra|fields", {"went@@gone", "1"}},
        {"", {"", ""}},
        {"only-one-field", {"", ""}},
        {"1|\t\x01"
         "a\r|\x1F"
         "2",
         {"a", "2"}},
    };
    for (const auto& [entry, fields] : cases) {
        EXPECT_EQ(EntryAnswer(entry), fields.first) << entry;
        EXPECT_EQ(EntryType(entry), fields.second) << entry;
    }
}

TEST(AnswerPartCount, MatchesSteppedOverWhole) {
    const std::pair<std::string, int> cases[] = {
        {"", 1},    {"went", 1}, {"went@@gone", 2},       {"@@@", 2}, {"@@@@", 3},
        {"a@b", 1}, {"a,b", 1},  {"a@@b@@c@@d@@e@@f", 6}, {"@@", 2},
    };
    for (const auto& [answer, parts] : cases) {
        EXPECT_EQ(AnswerPartCount(answer), parts) << answer;
    }
}

TEST(PictureList, SplitAtBreakMarkersAndLineBreaks) {
    const auto lines = PictureLines("1=a.png@@@BR@@@2=b.png");
    EXPECT_EQ(lines, (std::vector<std::string>{"1=a.png", "2=b.png"}));
    EXPECT_EQ(PictureFor(lines, 2), "b.png");
    EXPECT_EQ(PictureFor(lines, 3), "");

    EXPECT_EQ(PictureLines("1=a\r\n2=b\n3=c"), (std::vector<std::string>{"1=a", "2=b", "3=c"}));
    // A marker at the end meets the join's own break: one empty line.
    EXPECT_EQ(PictureLines("1=a@@@BR@@@"), (std::vector<std::string>{"1=a", ""}));
    EXPECT_TRUE(PictureLines("").empty());
}

TEST(PictureList, FirstWholeNameWins) {
    const std::vector<std::string> lines = {"junk line", " 3=space.png", "03=zero.png", "1=x.png",
                                            "1=y.png",   "4=a=b.png",    "=none.png",   "5="};
    EXPECT_EQ(PictureFor(lines, 1), "x.png");
    EXPECT_EQ(PictureFor(lines, 3), "");  // " 3" and "03" are not 3
    EXPECT_EQ(PictureFor(lines, 4), "a=b.png");
    EXPECT_EQ(PictureFor(lines, 5), "");
    EXPECT_EQ(PictureFor(lines, 0), "");
}

TEST(PackageTag, MissingAndUntrimmedValues) {
    const std::string package = "<SUBJECT> Unit 3 <b> </SUBJECT><QCOUNT>abc</QCOUNT>";
    EXPECT_EQ(PackageTag(package, "SUBJECT"), " Unit 3 <b> ");
    EXPECT_EQ(PackageTag(package, "QCOUNT"), "abc");
    EXPECT_EQ(PackageTag(package, "UID"), "");
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
    bool broken;
};

TEST(DecodeStudyPackageFile, LineRuleZeroByteAndLooseUtf8) {
    const DecodeCase cases[] = {
        {"plain lines get CR LF", "a\nb\rc\r\n", "a\r\nb\r\nc\r\n", false},
        {"last line gets CR LF", "a", "a\r\n", false},
        {"empty file", "", "", false},
        {"zero byte ends the text", std::string("ab\ncd\0<Q1>x</Q1>", 16), "ab\r\ncd\r\n", false},
        {"Hangul to code page 949", "\xEA\xB0\x80\xEB\x82\x98", "\xB0\xA1\xB3\xAA\r\n", false},
        {"character outside code page 949", "\xE0\xB8\x81", "?\r\n", false},  // Thai
        {"lead byte then a letter", "ok\xC3z", "", true},
        {"sequence cut at the end", "ok\xEA\xB0", "", true},
        {"overlong two-byte form is taken", "\x81\x81", "A\r\n", false},
        // Found by fuzzing: the decoding comes after the line join, so an overlong line feed
        // stays a bare LF inside a line.
        {"overlong line feed", "\n\x85\x84\xC0\x8A", "\r\n?\n\r\n", false},
        {"continuation byte as lead (bit 0x20 set)", "\xA0\x80", "", true},
        {"four-byte sequence read as three", "\xF0\x9F\x98\x80", "", true},
    };
    for (const auto& c : cases) {
        const DecodedPackage decoded = DecodeStudyPackageFile(c.bytes);
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(decoded.brokenUtf8, c.broken) << c.name;
    }
}

}  // namespace
}  // namespace zunta
