// The one-pass index must give exactly what a fresh search from the start of the text gives.
#include <random>

#include <gtest/gtest.h>

#include "zunta/package.h"

namespace zunta {
namespace {

// Random packages made of tag fragments: repeated, nested, missing, overlapping, unclosed.
std::string RandomPackage(std::mt19937& rng) {
    static const char* const kPieces[] = {
        "<Q1>",       "</Q1>",    "<Q2>",      "</Q2>",   "<Q10>",    "</Q10>",      "<Q",
        "Q1>",        "</",       "<",         ">",       "<<",       ">>",          "<SUBJECT>",
        "</SUBJECT>", "<QCOUNT>", "</QCOUNT>", "<QLIST>", "</QLIST>", "a",           "|",
        "\r\n",       "\n",       "1|2|0",     "@@",      "<Q<Q1>",   "</Q1</Q1>>",  "<>",
        "</>",        "x y",      "\xB0\xA1",  "<IDKEY>", "</IDKEY>", "<TESTIDKEY>", "</TESTIDKEY>",
        "<Q1 >",      "<q1>"};
    std::uniform_int_distribution<int> count(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::string text;
    for (int i = count(rng); i > 0; --i) {
        text += kPieces[pick(rng)];
    }
    return text;
}

TEST(PackageIndex, MatchesLiteralSearchOnRandomPackages) {
    std::mt19937 rng(20261211);
    const char* const kNames[] = {"SUBJECT", "QCOUNT", "QLIST", "IDKEY", "TESTIDKEY",
                                  "Q",       "",       "Q1 ",   "UID"};
    for (int round = 0; round < 4000; ++round) {
        const std::string package = RandomPackage(rng);
        const PackageIndex index(package);
        for (const char* name : kNames) {
            ASSERT_EQ(index.Tag(name), PackageTag(package, name))
                << "tag '" << name << "' in '" << package << "'";
        }
        for (int n = 0; n <= 11; ++n) {
            ASSERT_EQ(index.Question(n), QuestionEntry(package, n))
                << "question " << n << " in '" << package << "'";
        }
    }
}

TEST(PackageIndex, LongAndUnclosedTagsFallBackToLiteralSearch) {
    const std::string longName(100, 'L');
    const std::string package = std::string(5000, '<') + "<" + longName + ">v</" + longName + ">" +
                                "<Q1>one</Q1>" + std::string(70, 'x') + ">";
    const PackageIndex index(package);
    EXPECT_EQ(index.Tag(longName), "v");
    EXPECT_EQ(index.Question(1), "one");
    EXPECT_EQ(index.Tag(longName), PackageTag(package, longName));
}

}  // namespace
}  // namespace zunta
