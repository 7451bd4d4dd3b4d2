// The Win32 services of the launcher, run under Wine: the registry writes read back with
// their types and sizes, the named mutex seen from a second process, the special folders and
// CreateProcessA with a quoted program path.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/core/package_fetch.h"
#include "launcher/core/registration.h"
#include "temp_folder.h"
#include "zunta/platform/files.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/platform/process.h"
#include "zunta/platform/registry.h"
#include "zunta/platform/special_folders.h"

namespace zunta::launcher {
namespace {

namespace fs = std::filesystem;

struct Value {
    bool present = false;
    DWORD type = 0;
    std::string data;  // the bytes as stored, size included
};

Value ReadValue(HKEY root, const std::string& key, const char* name) {
    Value value;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return value;
    }
    char buffer[1024];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
        value.present = true;
        value.data.assign(buffer, size);
    }
    RegCloseKey(handle);
    return value;
}

std::string Sz(const std::string& text) {
    return text + std::string(1, '\0');
}

// `key` is the scheme's key below `root`.
void ExpectRegistration(HKEY root, const std::string& key, const std::string& scheme,
                        const std::string& command) {
    const Value title = ReadValue(root, key, "");
    EXPECT_EQ(title.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(title.data, Sz("URL:" + scheme + " (ZUNTA Launcher)"));
    const Value flags = ReadValue(root, key, "EditFlags");
    EXPECT_EQ(flags.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(flags.data, std::string("\x02\0\0\0", 4));
    for (const char* name : {"Source Filter", "URL Protocol"}) {
        const Value empty = ReadValue(root, key, name);
        EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(empty.data, std::string(1, '\0')) << name;  // one zero byte
    }
    EXPECT_FALSE(ReadValue(root, key + "\\shell", "").present);
    EXPECT_FALSE(ReadValue(root, key + "\\shell\\open", "").present);
    const Value open = ReadValue(root, key + "\\shell\\open\\command", "");
    EXPECT_EQ(open.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(open.data, Sz(command));
}

TEST(Win32Registry, TheSchemeKeysReadBackWithTheirTypesAndSizes) {
    const std::string scheme = "ZURUNTEST" + std::to_string(GetCurrentProcessId());
    const std::string command = LauncherOpenCommand("C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe");
    for (const auto root :
         {platform::RegistryRoot::CurrentUserClasses, platform::RegistryRoot::ClassesRoot}) {
        const HKEY base =
            root == platform::RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        const std::string prefix =
            root == platform::RegistryRoot::ClassesRoot ? "" : "Software\\Classes\\";
        auto registry = platform::OpenRegistry(root);
        ASSERT_NE(registry, nullptr);
        ASSERT_TRUE(RegisterUrlProtocol(*registry, scheme, kSchemeDescription, command));
        ExpectRegistration(base, prefix + scheme, scheme, command);

        // A second run overwrites; a value that other software put there stays.
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(base, (prefix + scheme).c_str(), 0, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        RegCloseKey(key);
        registry = platform::OpenRegistry(root);
        ASSERT_TRUE(RegisterUrlProtocol(*registry, scheme, kSchemeDescription, "\"D:\\New\" %1"));
        ExpectRegistration(base, prefix + scheme, scheme, "\"D:\\New\" %1");
        EXPECT_EQ(ReadValue(base, prefix + scheme, "Other").data, Sz("x"));
        registry.reset();
        EXPECT_EQ(RegDeleteTreeA(base, (prefix + scheme).c_str()), ERROR_SUCCESS);
    }
}

TEST(Win32Registry, TheLauncherRegistersBelowTheClassesRoot) {
    const std::string path = "C:\\My Programs\\ZUNTA\\ZUNTA_Run.exe";
    ASSERT_TRUE(RegisterLauncherProtocol(platform::OpenRegistry, path));
    ExpectRegistration(HKEY_CLASSES_ROOT, "ZURUN", "ZURUN", "\"" + path + "\" %1");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZURUN");
}

// Runs the probe and returns its exit code.
DWORD RunProbe(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 99;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 98;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(Win32Guard, TheNamedMutexIsSeenFromAnotherProcess) {
    const std::string name = "ZUNTA_RUN-TEST-" + std::to_string(GetCurrentProcessId());
    const std::string probe = "\"" + std::string(ZUNTA_WIN_PROBE) + "\" guard " + name;
    auto guard = platform::InstanceGuard::Acquire(name, "");
    ASSERT_EQ(guard->outcome(), platform::InstanceGuard::Outcome::Acquired);
    EXPECT_EQ(RunProbe(probe), 1u);  // the other process meets ERROR_ALREADY_EXISTS
    guard->Release();
    EXPECT_EQ(RunProbe(probe), 0u);
}

TEST(Win32SpecialFolders, FiveFoldersEndingInABackslash) {
    const platform::SpecialFolders folders = platform::InitSpecialFolders();
    for (const std::string* folder :
         {&folders.myDocumentsDir, &folders.localAppDataDir, &folders.commonAppDataDir,
          &folders.programFilesDir, &folders.commonDocumentsDir}) {
        ASSERT_GT(folder->size(), 3u) << *folder;
        EXPECT_EQ(folder->back(), '\\') << *folder;
        EXPECT_EQ(folder->find('/'), std::string::npos) << *folder;
    }
    EXPECT_TRUE(fs::is_directory(folders.localAppDataDir));
    EXPECT_NE(folders.myDocumentsDir, folders.localAppDataDir);
    EXPECT_EQ(platform::GetSpecialFolder(7), "");
    EXPECT_EQ(platform::GetFolderPath(-12345), "");
}

TEST(Win32StartProgram, TheQuotedPathStartsTheTestClientNotAnotherProgram) {
    const zunta::testing::TempFolder temp;
    const std::string install = (temp.path() / "My Docs" / "ZUNTA" / "").string();
    platform::CreateFolders(install);
    const fs::path client = fs::path(install) / "ZUNTA_Test.EXE";
    fs::copy_file(ZUNTA_WIN_PROBE, client);
    // What an unquoted path would start first.
    const fs::path decoy = temp.path() / "My.exe";
    fs::copy_file(ZUNTA_WIN_PROBE, decoy);
    const auto command = TestClientCommand(install, "&ZURUN:UID=a b&CHK=1%26x");
    ASSERT_TRUE(platform::StartProgram(command, false, true));
    EXPECT_EQ(platform::ReadWholeFile(client.string() + ".record", 4096).bytes,
              command.commandLine);
    EXPECT_FALSE(fs::exists(decoy.string() + ".record"));
    EXPECT_EQ(command.commandLine, "\"" + client.string() + "\" \"&ZURUN:UID=a b&CHK=1%26x\"");
    EXPECT_FALSE(platform::StartProgram({"\"" + install + "missing.exe\"", {}}, true, false));
}

}  // namespace
}  // namespace zunta::launcher
