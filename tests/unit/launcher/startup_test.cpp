#include "launcher/core/startup.h"
#include "tests/support/temp_folder.h"
#include "zunta/platform/files.h"
#include "zunta/platform/process.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace zunta::launcher {
namespace {

TEST(PlanStart, ChoosesTheModeFromTheFirstArgument) {
    const StartPlan none = PlanStart({"/opt/ZUNTA_Run"});
    EXPECT_EQ(none.mode, StartPlan::Mode::Registration);
    EXPECT_EQ(none.handOffText, "&/opt/ZUNTA_Run");  // what a second start without a link hands off
    EXPECT_EQ(none.launchList, "");
    EXPECT_TRUE(none.checksGuard);

    EXPECT_EQ(PlanStart({"/opt/ZUNTA_Run", ""}).mode, StartPlan::Mode::Registration);

    const StartPlan link = PlanStart({"/opt/ZUNTA_Run", "zurun:UID=a", "b&SNO=3"});
    EXPECT_EQ(link.mode, StartPlan::Mode::Launch);
    EXPECT_EQ(link.firstArgumentUpper, "ZURUN:UID=A");
    EXPECT_EQ(link.launchList, "&zurun:UID=a&b&SNO=3");
    EXPECT_EQ(link.handOffText, "&/opt/ZUNTA_Run&zurun:UID=a&b&SNO=3");
}

TEST(PlanStart, RerunInTheFirstArgumentOnlySkipsTheGuard) {
    struct Case {
        std::vector<std::string> arguments;
        bool checksGuard;
    };
    const Case cases[] = {
        {{"run", "zurun:ReRuN&UID=1"}, false},
        {{"run", "xRERUNx"}, false},
        {{"run", "zurun:UID=1", "RERUN"}, true},
        {{"run", "zurun:UID=1"}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlanStart(c.arguments).checksGuard, c.checksGuard) << c.arguments[1];
    }
}

TEST(LaunchListFromHandOff, TakesWhatFollowsTheProgramPath) {
    EXPECT_EQ(LaunchListFromHandOff("&/opt/ZUNTA_Run&zurun:UID=2&SNO=4", "/opt/ZUNTA_Run"),
              "&zurun:UID=2&SNO=4");
    EXPECT_EQ(LaunchListFromHandOff("&/opt/ZUNTA_Run", "/opt/ZUNTA_Run"), "");
    // Started from another place: the path is the first pair.
    EXPECT_EQ(LaunchListFromHandOff("&/usr/bin/ZUNTA_Run&zurun:UID=2", "/opt/ZUNTA_Run"),
              "&zurun:UID=2");
    // A program path that holds "&" is recognised when it is this program's.
    EXPECT_EQ(LaunchListFromHandOff("&/opt/A&B/ZUNTA_Run&zurun:UID=2", "/opt/A&B/ZUNTA_Run"),
              "&zurun:UID=2");
}

TEST(InstallTestClientFromBeside, CopiesOnlyWhenMissingOrDifferent) {
    namespace sfs = std::filesystem;
    const sfs::path root = zunta::testsupport::MakeTempFolder("install-beside");
    const std::string programs = (root / "lib").string() + "/";
    const std::string install = (root / "Documents" / "ZUNTA").string() + "/";
    const std::string name = platform::ExecutableFileName("ZUNTA_Test");

    // Nothing beside the launcher (the Windows layout): nothing to install, nothing there.
    ASSERT_TRUE(platform::CreateFolders(root / "lib"));
    EXPECT_FALSE(InstallTestClientFromBeside(programs, install));
    EXPECT_FALSE(sfs::exists(install));

    ASSERT_TRUE(platform::WriteFileReplacing(programs + name, "program v1"));
    EXPECT_TRUE(InstallTestClientFromBeside(programs, install));
    EXPECT_EQ(platform::ReadWholeFile(install + name, 100).bytes, "program v1");
    EXPECT_NE(sfs::status(install + name).permissions() & sfs::perms::owner_exec, sfs::perms::none);

    // A newer package replaces the copy; the media folder beside it is left alone.
    ASSERT_TRUE(platform::CreateFolders(install + "media"));
    ASSERT_TRUE(platform::WriteFileReplacing(install + "media/StudyLogOutbox.txt", "unsent"));
    ASSERT_TRUE(platform::WriteFileReplacing(programs + name, "program v2"));
    EXPECT_TRUE(InstallTestClientFromBeside(programs, install));
    EXPECT_EQ(platform::ReadWholeFile(install + name, 100).bytes, "program v2");
    EXPECT_EQ(platform::ReadWholeFile(install + "media/StudyLogOutbox.txt", 100).bytes, "unsent");
    sfs::remove_all(root);
}

}  // namespace
}  // namespace zunta::launcher
