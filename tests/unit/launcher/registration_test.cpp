#include "launcher/core/registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_registry.h"

namespace zunta::launcher {
namespace {

using platform::RegistryRoot;
using platform::fake::RecordingRegistry;
using Op = platform::fake::RegistryOperation;
using Kind = Op::Kind;

std::string Sz(const std::string& text) {
    return text + std::string(1, '\0');
}

const std::string kCommand = "\"C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe\" %1";

std::vector<Op> ExpectedWrites() {
    return {
        {Kind::OpenOrCreateKey, "ZURUN", "ZURUN", "", ""},
        {Kind::SetString, "ZURUN", "", "REG_SZ", Sz("URL:ZURUN (ZUNTA Launcher)")},
        {Kind::SetDword, "ZURUN", "EditFlags", "REG_DWORD", std::string("\x02\0\0\0", 4)},
        {Kind::SetString, "ZURUN", "Source Filter", "REG_SZ", Sz("")},
        {Kind::SetString, "ZURUN", "URL Protocol", "REG_SZ", Sz("")},
        {Kind::OpenOrCreateKey, "ZURUN\\shell", "shell", "", ""},
        {Kind::OpenOrCreateKey, "ZURUN\\shell\\open", "open", "", ""},
        {Kind::OpenOrCreateKey, "ZURUN\\shell\\open\\command", "command", "", ""},
        {Kind::SetString, "ZURUN\\shell\\open\\command", "", "REG_SZ", Sz(kCommand)},
        {Kind::CloseKey, "ZURUN\\shell\\open\\command", "", "", ""},
    };
}

TEST(RegisterUrlProtocol, WritesTheKeysInOrderWithTypesAndSizes) {
    std::vector<Op> log;
    RecordingRegistry registry(log);
    EXPECT_TRUE(RegisterUrlProtocol(registry, kScheme, kSchemeDescription, kCommand));
    EXPECT_EQ(log, ExpectedWrites());
    EXPECT_EQ(LauncherOpenCommand("C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe"), kCommand);
}

TEST(RegisterUrlProtocol, StopsAtTheFirstFailedWriteAndStillClosesTheKey) {
    for (const int failAt : {1, 2, 8}) {
        std::vector<Op> log;
        RecordingRegistry registry(log, failAt);
        EXPECT_FALSE(RegisterUrlProtocol(registry, kScheme, kSchemeDescription, kCommand));
        auto expected = ExpectedWrites();
        std::vector<Op> written(expected.begin(), expected.begin() + failAt + 1);
        written.back().ok = false;
        written.push_back({Kind::CloseKey, written.back().key, "", "", ""});
        EXPECT_EQ(log, written) << "failing operation " << failAt;
    }
}

TEST(RegisterUrlProtocol, AKeyThatCannotBeOpenedFailsTheFirstWrite) {
    std::vector<Op> log;
    RecordingRegistry registry(log, 0);
    EXPECT_FALSE(RegisterUrlProtocol(registry, kScheme, kSchemeDescription, kCommand));
    ASSERT_EQ(log.size(), 3u);
    EXPECT_FALSE(log[1].ok);
    EXPECT_EQ(log[2].kind, Kind::CloseKey);
}

TEST(RegisterLauncherProtocol, FallsBackToTheUserClassesWithTheSameWrites) {
    std::vector<Op> classesRoot, userClasses;
    std::vector<RegistryRoot> opened;
    const auto open = [&](RegistryRoot root) -> std::unique_ptr<platform::RegistryWriter> {
        opened.push_back(root);
        if (root == RegistryRoot::ClassesRoot) {
            return std::make_unique<RecordingRegistry>(classesRoot, 1);  // no admin rights
        }
        return std::make_unique<RecordingRegistry>(userClasses);
    };
    EXPECT_TRUE(RegisterLauncherProtocol(open, "C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe"));
    EXPECT_EQ(opened, (std::vector{RegistryRoot::ClassesRoot, RegistryRoot::CurrentUserClasses}));
    EXPECT_EQ(userClasses, ExpectedWrites());
}

TEST(RegisterLauncherProtocol, WritesTheClassesRootOnlyWhenItCan) {
    std::vector<Op> log;
    int opens = 0;
    const auto open = [&](RegistryRoot) -> std::unique_ptr<platform::RegistryWriter> {
        ++opens;
        return std::make_unique<RecordingRegistry>(log);
    };
    EXPECT_TRUE(RegisterLauncherProtocol(open, "C:\\Program Files\\ZUNTA\\ZUNTA_Run.exe"));
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(log, ExpectedWrites());
    EXPECT_FALSE(RegisterLauncherProtocol([](RegistryRoot) { return nullptr; }, "x"));
}

}  // namespace
}  // namespace zunta::launcher
