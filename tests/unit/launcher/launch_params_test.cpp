#include "launcher/core/launch_params.h"

#include <gtest/gtest.h>

namespace zunta::launcher {
namespace {

TEST(JoinArguments, JoinsTheRangeWithALeadingAmpersandEach) {
    const std::vector<std::string> args = {"C:\\ZUNTA_Run.exe", "ZURUN:UID=a", "b&SNO=3", ""};
    EXPECT_EQ(JoinArguments(args, 1, 3), "&ZURUN:UID=a&b&SNO=3&");
    EXPECT_EQ(JoinArguments(args, 0, 1), "&C:\\ZUNTA_Run.exe&ZURUN:UID=a");
    EXPECT_EQ(JoinArguments({"self"}, 1, 0), "");  // no arguments: empty list
    EXPECT_EQ(JoinArguments(args, 2, 99), "&b&SNO=3&");
}

struct LookUp {
    const char* list;
    const char* name;
    const char* value;
};

class GetParamValueTest : public ::testing::TestWithParam<LookUp> {};

TEST_P(GetParamValueTest, FindsTheValue) {
    EXPECT_EQ(GetParamValue(GetParam().list, GetParam().name), GetParam().value)
        << GetParam().list << " / " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, GetParamValueTest,
    ::testing::Values(
        // The scheme prefix in front of the first pair does not disturb the search.
        LookUp{"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", "UID", "a1"},
        LookUp{"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", "CHK", "77"},
        LookUp{"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", "IDKEY", "10"},
        LookUp{"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", "SNO", "3"},
        LookUp{"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", "PG", ""},
        LookUp{"&zurun://UID=a1&SNO=3", "UID", "a1"}, LookUp{"&zurun:?UID=a1&SNO=3", "UID", "a1"},
        // A space splits the link into two arguments and cuts the value short.
        LookUp{"&ZURUN:UID=a&b&SNO=3", "UID", "a"}, LookUp{"&ZURUN:UID=a&b&SNO=3", "SNO", "3"},
        // "%26" separates pairs like "&"; no other escape is decoded.
        LookUp{"&UID=a%26CHK=5", "UID", "a"}, LookUp{"&UID=a%26CHK=5", "CHK", "5"},
        LookUp{"&UID=a%2bb+c", "UID", "a%2bb+c"},
        // A name counts only where a pair begins, and only as a whole name.
        LookUp{"&TESTIDKEY=5&IDKEY=10", "IDKEY", "10"}, LookUp{"&UID=JSNOW&SNO=3", "SNO", "3"},
        LookUp{"&XUID=1&UID=2", "UID", "2"}, LookUp{"&UIDX=1&UID=2", "UID", "2"},
        LookUp{"&ZURUN:XUID=1&UID=2", "UID", "2"}, LookUp{"&ZURUN:A=x:UID=1&UID=2", "UID", "2"},
        LookUp{"&XUID=1", "UID", ""},
        // The value ends at a further "="; nothing is trimmed; names are case-sensitive.
        LookUp{"&UID=a=b", "UID", "a"}, LookUp{"&UID=&CHK=1", "UID", ""},
        LookUp{"&UID= a ", "UID", " a "}, LookUp{"&uid=5", "UID", ""},
        LookUp{"&UID&UID=3", "UID", ""}, LookUp{"", "UID", ""}));

struct Split {
    const char* commandLine;
    std::vector<std::string> arguments;
};

class SplitWindowsCommandLineTest : public ::testing::TestWithParam<Split> {};

TEST_P(SplitWindowsCommandLineTest, SplitsAsTheSystemDoes) {
    EXPECT_EQ(SplitWindowsCommandLine(GetParam().commandLine), GetParam().arguments)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SplitWindowsCommandLineTest,
    ::testing::Values(Split{"\"C:\\Program Files\\ZUNTA_Run.exe\" ZURUN:UID=a b&SNO=3",
                            {"C:\\Program Files\\ZUNTA_Run.exe", "ZURUN:UID=a", "b&SNO=3"}},
                      Split{"run  \t\r\n x",
                            {"run", "x"}},         // runs of spaces and control characters
                      Split{"run \"\"", {"run"}},  // an empty pair of quotes is no argument
                      Split{"run a\"\"b \"c d\"e", {"run", "ab", "c de"}},
                      Split{"run \"unclosed quote", {"run", "unclosed quote"}},
                      Split{"run a\\\"b", {"run", "a\\b"}},  // no escape character
                      Split{"", {}}));

TEST(LauncherArguments, TakesTheSystemCommandLineWhereThereIsOne) {
    EXPECT_EQ(LauncherArguments("\"x.exe\" ZURUN:UID=1 \"\"", {"ignored", "y"}, "C:\\Own.exe"),
              (std::vector<std::string>{"C:\\Own.exe", "ZURUN:UID=1"}));
    EXPECT_EQ(LauncherArguments("", {"./ZUNTA_Run", "zurun:UID=1", ""}, "/opt/ZUNTA_Run"),
              (std::vector<std::string>{"/opt/ZUNTA_Run", "zurun:UID=1", ""}));
    EXPECT_EQ(LauncherArguments("", {}, "/opt/ZUNTA_Run"),
              (std::vector<std::string>{"/opt/ZUNTA_Run"}));
}

}  // namespace
}  // namespace zunta::launcher
