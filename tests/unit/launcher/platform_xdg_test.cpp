// The Linux side of the launcher's platform services, on real files in a temporary HOME.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <thread>

#include "temp_folder.h"
#include "zunta/platform/files.h"
#include "zunta/platform/handoff.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/platform/process.h"
#include "zunta/platform/special_folders.h"
#include "zunta/platform/url_scheme.h"

namespace zunta::platform {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    return ReadWholeFile(path, 1 << 20).bytes;
}

// Points HOME and the XDG variables at a temporary folder for one test.
class XdgHome : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = temp_.path().string();
        ::setenv("HOME", home_.c_str(), 1);
        for (const char* name :
             {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_BIN_HOME"}) {
            ::unsetenv(name);
        }
    }
    zunta::testing::TempFolder temp_;
    std::string home_;
};

TEST_F(XdgHome, SpecialFoldersFollowTheXdgFolders) {
    SpecialFolders folders = InitSpecialFolders();
    EXPECT_EQ(folders.myDocumentsDir, home_ + "/Documents/");
    EXPECT_EQ(folders.localAppDataDir, home_ + "/.local/share/");
    EXPECT_EQ(folders.commonAppDataDir, "/usr/local/share/");
    EXPECT_EQ(folders.programFilesDir, home_ + "/.local/bin/");
    EXPECT_EQ(folders.commonDocumentsDir, home_ + "/Public/");

    CreateFolders(home_ + "/cfg");
    std::ofstream(home_ + "/cfg/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                 << "XDG_DOCUMENTS_DIR=\"$HOME/내 문서\"\n"
                                                 << "XDG_PUBLICSHARE_DIR=\"/srv/public/\"\n";
    ::setenv("XDG_CONFIG_HOME", (home_ + "/cfg").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home_ + "/data/").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", "relative:/usr/share", 1);  // relative entries do not count
    folders = InitSpecialFolders();
    EXPECT_EQ(folders.myDocumentsDir, home_ + "/내 문서/");
    EXPECT_EQ(folders.commonDocumentsDir, "/srv/public/");
    EXPECT_EQ(folders.localAppDataDir, home_ + "/data/");
    EXPECT_EQ(folders.commonAppDataDir, "/usr/local/share/");
    EXPECT_EQ(GetSpecialFolder(5), "");  // a kind without a code
    EXPECT_EQ(SpecialFolderCode(2), 28);
}

TEST_F(XdgHome, HandOffIsWrittenAsCrLfLinesAndTakenOnce) {
    const std::string local = home_ + "/";
    EXPECT_FALSE(TakeHandOff(local).has_value());
    ASSERT_TRUE(WriteHandOff(local, "&/opt/ZUNTA_Run&zurun:UID=\xB0\xA1"));
    EXPECT_EQ(Read(HandOffPath(local)), "&/opt/ZUNTA_Run&zurun:UID=\xB0\xA1\r\n");
    EXPECT_EQ(HandOffPath(local), fs::path(local + "ZUNTA_RUN/ZUNTA_RUN.DAT"));
    EXPECT_EQ(TakeHandOff(local), "&/opt/ZUNTA_Run&zurun:UID=\xB0\xA1");
    EXPECT_FALSE(fs::exists(HandOffPath(local)));  // taken means gone

    ASSERT_TRUE(WriteHandOff(local, "a\nb\r\nc\r"));
    EXPECT_EQ(Read(HandOffPath(local)), "a\r\nb\r\nc\r\n");
    DeleteHandOff(local);
    EXPECT_FALSE(fs::exists(HandOffPath(local)));

    // A file far larger than any command line is dropped, not read.
    std::ofstream(HandOffPath(local), std::ios::binary) << std::string(kHandOffLimit + 1, 'x');
    EXPECT_FALSE(TakeHandOff(local).has_value());
    EXPECT_FALSE(fs::exists(HandOffPath(local)));
}

TEST_F(XdgHome, GuardIsHeldOnceUntilReleased) {
    const std::string folder = home_ + "/lock/";
    auto first = InstanceGuard::Acquire("ZUNTA_RUN-2019", folder);
    ASSERT_EQ(first->outcome(), InstanceGuard::Outcome::Acquired);
    // flock locks belong to the open file, so a second open in this process meets the lock as
    // another process would.
    EXPECT_EQ(InstanceGuard::Acquire("ZUNTA_RUN-2019", folder)->outcome(),
              InstanceGuard::Outcome::AlreadyRunning);
    EXPECT_EQ(InstanceGuard::Acquire("OTHER", folder)->outcome(), InstanceGuard::Outcome::Acquired);
    first->Release();
    EXPECT_EQ(InstanceGuard::Acquire("ZUNTA_RUN-2019", folder)->outcome(),
              InstanceGuard::Outcome::Acquired);
    EXPECT_EQ(InstanceGuard::Acquire("ZUNTA_RUN-2019", "/proc/no-such/")->outcome(),
              InstanceGuard::Outcome::Failed);
}

TEST_F(XdgHome, StartProgramPassesTheArgumentsUntouchedWithoutAShell) {
    const fs::path folder = temp_.path() / "My Docs $HOME" / "ZUNTA";
    CreateFolders(folder);
    const fs::path program = folder / "ZUNTA_Test";
    fs::copy_file(ZUNTA_TEST_CLIENT_STANDIN, program);
    const std::string list = "&ZURUN:UID=a b&X=\"q\";$(echo no)`x`%26";
    ASSERT_TRUE(StartProgram({"ignored here", {program.string(), list}}, false, true));
    const std::string record = Read(program.string() + ".record");
    const std::size_t cwdEnd = record.find('\n', record.find('\n') + 1);
    EXPECT_EQ(record.substr(record.find('\n') + 1, cwdEnd - record.find('\n') - 1),
              fs::current_path().string());
    EXPECT_EQ(record.substr(cwdEnd + 1), program.string() + '\0' + list + '\0');
    EXPECT_FALSE(StartProgram({"", {(folder / "missing").string()}}, false, false));
    EXPECT_EQ(ExecutableFileName("ZUNTA_Test"), "ZUNTA_Test");
    EXPECT_EQ(OwnProgramPath(), fs::canonical("/proc/self/exe").string());
}

TEST_F(XdgHome, DesktopEntryAndDefaultHandlerWithoutXdgMime) {
    const std::string path = ::getenv("PATH") ? ::getenv("PATH") : "";
    ::setenv("PATH", (home_ + "/empty-bin").c_str(), 1);  // no xdg-mime: mimeapps.list
    CreateFolders(home_ + "/.config");
    std::ofstream(home_ + "/.config/mimeapps.list")
        << "[Added Associations]\ntext/plain=editor.desktop\n"
        << "[Default Applications]\nx-scheme-handler/zurun=old.desktop\ntext/html=web.desktop\n";
    const DesktopRegistration result = RegisterDesktopSchemeHandler(
        "zurun", "zunta-run.desktop", "ZUNTA Launcher", "/opt/My \"ZUNTA\" 100%/ZUNTA_Run");
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_TRUE(result.attempted);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(Read(home_ + "/.local/share/applications/zunta-run.desktop"),
              "[Desktop Entry]\nType=Application\nName=ZUNTA Launcher\n"
              "Exec=\"/opt/My \\\\\"ZUNTA\\\\\" 100%%/ZUNTA_Run\" %u\n"
              "NoDisplay=true\nTerminal=false\nMimeType=x-scheme-handler/zurun;\n");
    EXPECT_EQ(Read(home_ + "/.config/mimeapps.list"),
              "[Added Associations]\ntext/plain=editor.desktop\n"
              "[Default Applications]\nx-scheme-handler/zurun=zunta-run.desktop\n"
              "text/html=web.desktop\n");
}

TEST(WithDefaultApplication, AddsOrReplacesTheEntryInItsGroup) {
    const std::string entry = "x-scheme-handler/zurun=zunta-run.desktop\n";
    EXPECT_EQ(WithDefaultApplication("", "x-scheme-handler/zurun", "zunta-run.desktop"),
              "[Default Applications]\n" + entry);
    EXPECT_EQ(WithDefaultApplication("[Default Applications]\r\na=b.desktop\r\n[Other]\nc=d\n",
                                     "x-scheme-handler/zurun", "zunta-run.desktop"),
              "[Default Applications]\na=b.desktop\n" + entry + "[Other]\nc=d\n");
    EXPECT_EQ(WithDefaultApplication("[Other]\nx-scheme-handler/zurun=keep\n",
                                     "x-scheme-handler/zurun", "zunta-run.desktop"),
              "[Other]\nx-scheme-handler/zurun=keep\n[Default Applications]\n" + entry);
}

}  // namespace
}  // namespace zunta::platform
