// Links that any web page can make, as the launcher reads them: the start mode, the guard, the
// values it looks up, the request it sends and the test client's command line, or the refusal
// of a link too long to act on.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "launcher/core/launch_params.h"
#include "launcher/core/package_fetch.h"
#include "launcher/core/startup.h"

namespace zunta::launcher {
namespace {

const std::string kOwnPath = "C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe";
const std::string kBase = "http://127.0.0.1:8080";
const std::string kInstall = "/home/s/Documents/ZUNTA/";
const std::string kFetch = kBase + "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=";

struct BadLink {
    const char* name;
    std::string commandLine;  // as the system hands it to the launcher
    StartPlan::Mode mode;
    bool checksGuard;
    std::string idkey, sno, uid;  // as looked up
    std::string request;          // empty: refused, nothing is sent
};

void PrintTo(const BadLink& row, std::ostream* os) {
    *os << row.name;
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

// The list "&" + argument 1 is exactly `size` bytes long.
std::string LinkOfListSize(std::size_t size) {
    const std::string head = "zurun:IDKEY=5&SNO=1&UID=";
    return head + Repeat('u', size - 1 - head.size());
}

constexpr auto kLaunches = StartPlan::Mode::Launch;
constexpr auto kRegisters = StartPlan::Mode::Registration;

class BadLinkTest : public ::testing::TestWithParam<BadLink> {};

TEST_P(BadLinkTest, ShowsWhatTheLauncherMakesOfIt) {
    const BadLink& row = GetParam();
    const std::vector<std::string> arguments =
        LauncherArguments(row.commandLine, {"ZUNTA_Run"}, kOwnPath);
    const StartPlan plan = PlanStart(arguments);
    EXPECT_EQ(plan.mode, row.mode);
    EXPECT_EQ(plan.checksGuard, row.checksGuard);
    EXPECT_EQ(GetParamValue(plan.launchList, "IDKEY"), row.idkey);
    EXPECT_EQ(GetParamValue(plan.launchList, "SNO"), row.sno);
    EXPECT_EQ(GetParamValue(plan.launchList, "UID"), row.uid);

    if (plan.mode == StartPlan::Mode::Registration) {
        return;  // only registers the scheme: nothing is fetched or started
    }
    EXPECT_EQ(LaunchListTooLong(plan.launchList), row.request.empty());
    if (row.request.empty()) {
        return;  // the failure panel says so; no request, no file, no test client
    }
    EXPECT_EQ(PackageRequestAddress(kBase, plan.launchList), row.request);
    // Whatever the link held, the test client gets exactly two arguments: its path and the list.
    const platform::ProgramCommand command = TestClientCommand(kInstall, plan.launchList);
    ASSERT_EQ(command.arguments.size(), 2u);
    EXPECT_EQ(command.arguments[1], plan.launchList);
    EXPECT_EQ(SplitWindowsCommandLine(command.commandLine), command.arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Links, BadLinkTest,
    ::testing::Values(
        BadLink{"plain", "\"" + kOwnPath + "\" zurun:UID=kim&IDKEY=12&SNO=3", kLaunches, true, "12",
                "3", "kim", kFetch + "12&sno=3&cate=1&page=1&"},
        // A quote left open runs to the end of the line: the spaces it covers stay in the value.
        BadLink{"quote open to the end", "\"" + kOwnPath + "\" \"zurun:IDKEY=1 2&SNO=3", kLaunches,
                true, "1 2", "3", "", kFetch + "1%202&sno=3&cate=1&page=1&"},
        BadLink{"quote inside a value", "\"" + kOwnPath + "\" zurun:IDKEY=7\"&SNO=3 &UID=x",
                kLaunches, true, "7", "3 ", "x", kFetch + "7&sno=3%20&cate=1&page=1&"},
        // The link becomes part of the program path: a start without a link only registers.
        BadLink{"program path quote left open", "\"" + kOwnPath + " zurun:IDKEY=7", kRegisters,
                true, "", "", "", ""},
        // "%26" counts as "&" before the look-up, so it can start a pair of its own; the first
        // pair of a name wins.
        BadLink{"%26 makes a pair", "\"" + kOwnPath + "\" zurun:UID=a%26IDKEY=9&IDKEY=1&SNO=2",
                kLaunches, true, "9", "2", "a", kFetch + "9&sno=2&cate=1&page=1&"},
        BadLink{"%26 cuts a value", "\"" + kOwnPath + "\" zurun:IDKEY=1%262&SNO=2", kLaunches, true,
                "1", "2", "", kFetch + "1&sno=2&cate=1&page=1&"},
        // "%00" is not decoded: no zero byte reaches the request, whose "%" is escaped.
        BadLink{"%00 in a value", "\"" + kOwnPath + "\" zurun:IDKEY=12%00&SNO=%00", kLaunches, true,
                "12%00", "%00", "", kFetch + "12%2500&sno=%2500&cate=1&page=1&"},
        // RERUN anywhere in argument 1, in any case, skips the single-instance guard; in
        // argument 2 it does not.
        BadLink{"rerun lower case", "\"" + kOwnPath + "\" zurun:rerun&IDKEY=4&SNO=1", kLaunches,
                false, "4", "1", "", kFetch + "4&sno=1&cate=1&page=1&"},
        BadLink{"ReRuN mixed case", "\"" + kOwnPath + "\" zurun:IDKEY=4&ReRuN=1&SNO=1", kLaunches,
                false, "4", "1", "", kFetch + "4&sno=1&cate=1&page=1&"},
        BadLink{"RERUN in argument 2", "\"" + kOwnPath + "\" zurun:IDKEY=4&SNO=1 RERUN", kLaunches,
                true, "4", "1", "", kFetch + "4&sno=1&cate=1&page=1&"},
        BadLink{"list at the limit", "\"" + kOwnPath + "\" " + LinkOfListSize(kMaxLaunchListBytes),
                kLaunches, true, "5", "1", Repeat('u', kMaxLaunchListBytes - 25),
                kFetch + "5&sno=1&cate=1&page=1&"},
        BadLink{"list one byte over the limit",
                "\"" + kOwnPath + "\" " + LinkOfListSize(kMaxLaunchListBytes + 1), kLaunches, true,
                "5", "1", Repeat('u', kMaxLaunchListBytes - 24), ""},
        BadLink{"100 KB link", "\"" + kOwnPath + "\" " + LinkOfListSize(100 * 1024), kLaunches,
                true, "5", "1", Repeat('u', 100 * 1024 - 25), ""}),
    [](const ::testing::TestParamInfo<BadLink>& info) {
        std::string name;
        for (const char c : std::string(info.param.name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

}  // namespace
}  // namespace zunta::launcher
