#include <gtest/gtest.h>

#include "testclient/core/grading.h"
#include "zunta/platform/codepage.h"

namespace zunta::testclient {
namespace {

AnswerInput Written(std::initializer_list<std::string> texts) {
    AnswerInput input;
    std::size_t i = 0;
    for (const auto& t : texts) {
        input.written[i++] = t;
    }
    return input;
}

AnswerInput Checked(std::initializer_list<int> boxes) {
    AnswerInput input;
    for (int b : boxes) {
        input.checked[static_cast<std::size_t>(b - 1)] = true;
    }
    return input;
}

struct GradeCase {
    const char* name;
    std::string entry;
    AnswerInput input;
    bool right;
    std::string ua, ua2, wrongAnswer;
};

TEST(GradeEntryTest, Rules) {
    const GradeCase cases[] = {
        {"one box", "1|3|0", Checked({3}), true, "3", "3", ""},
        {"one box too many", "1|3|0", Checked({3, 4}), false, "3,4", "3@@4", "3,4"},
        {"two boxes keyed with a comma", "1|2,4|0", Checked({2, 4}), true, "2,4", "2@@4", ""},
        {"two boxes keyed with @@", "1|2@@4|0", Checked({2, 4}), true, "2,4", "2@@4", ""},
        {"a key out of order is never met", "1|4,2|0", Checked({2, 4}), false, "2,4", "2@@4",
         "2,4"},
        {"trimmed key and type", "3| 2,4 |0 ", Checked({2, 4}), true, "2,4", "2@@4", ""},
        {"written parts, each trimmed", "2|went@@gone|1", Written({"went", "  gone \t"}), true,
         "went,gone", "went@@gone", ""},
        {"written parts swapped", "2|went@@gone|1", Written({"gone", "went"}), false, "gone,went",
         "gone@@went", "gone@@went"},
        {"written parts keyed with a comma", "2|went,gone|1", Written({"went", "gone"}), true,
         "went,gone", "went@@gone", ""},
        {"letter case counts", "1|Went|1", Written({"went"}), false, "went", "went", "went"},
        {"true/false folded", "1|o|1", Written({" O "}), true, "O", "O", ""},
        {"true/false folded the other way", "1|X|1", Written({"x"}), true, "X", "X", ""},
        {"wrong true/false kept folded", "1|Y|1", Written({"n"}), false, "N", "N", "N"},
        {"longer keys are not folded", "1|OK|1", Written({"ok"}), false, "ok", "ok", "ok"},
        {"empty key, nothing entered", "1||1", Written({}), true, "", "", ""},
        {"empty key, something entered", "1||0", Checked({1}), false, "1", "1", "1"},
        {"empty fields are skipped", "1|a@@b|1", Written({"a", "", "b"}), true, "a,b", "a@@b", ""},
        {"other types are graded as choices", "1|2|7", Checked({2}), true, "2", "2", ""},
        {"written text ignored for a choice", "1|2|0", Written({"2"}), false, "", "", ""},
        {"missing entry", "", Checked({}), true, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Verdict v = GradeEntry(c.entry, c.input);
        EXPECT_EQ(v.right, c.right);
        EXPECT_EQ(v.ua, c.ua);
        EXPECT_EQ(v.ua2, c.ua2);
        EXPECT_EQ(v.wrongAnswer, c.wrongAnswer);
    }
}

TEST(GradeEntryTest, LoggedTextsAreTheUnfoldedOnes) {
    const Verdict v = GradeEntry("1|o|1", Written({" o "}));
    EXPECT_EQ(v.keyedCorrect, "o");
    EXPECT_EQ(v.enteredUa, "o");
    EXPECT_EQ(v.correct, "O");
    EXPECT_TRUE(v.right);
}

TEST(GradeEntryTest, FoldingLeavesDoubleByteCharactersAlone) {
    // The trail byte of this syllable is 0x61 ("a"): upper-casing it would change the text.
    const std::string syllable = platform::Utf8ToAnsi("갵");
    ASSERT_EQ(syllable.size(), 2u);
    ASSERT_EQ(syllable[1], 'a');
    const Verdict v = GradeEntry("1|x|1", Written({syllable}));
    EXPECT_FALSE(v.right);
    EXPECT_EQ(v.wrongAnswer, syllable);
}

}  // namespace
}  // namespace zunta::testclient
