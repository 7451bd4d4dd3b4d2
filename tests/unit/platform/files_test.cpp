#include "zunta/platform/files.h"
#include "tests/support/temp_folder.h"

#include <fstream>

#include <gtest/gtest.h>

namespace zunta::platform {
namespace {

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = zunta::testsupport::MakeTempFolder("files");
        ASSERT_TRUE(CreateFolders(dir_ / "a" / "b"));
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
};

TEST_F(FilesTest, WriteReplacesWholeFileAndLeavesNoTemporary) {
    const auto path = dir_ / "a" / "b" / "x.txt";
    ASSERT_TRUE(WriteFileReplacing(path, std::string("long first content\r\n\0z", 23)));
    ASSERT_TRUE(WriteFileReplacing(path, "short"));
    const ReadResult read = ReadWholeFile(path, 1024);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.bytes, "short");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_ / "a" / "b")) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(FilesTest, ReadReportsMissingFolderAndTooLarge) {
    EXPECT_EQ(ReadWholeFile(dir_ / "none.txt", 10).status, ReadStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir_ / "a", 10).status, ReadStatus::Unreadable);
    ASSERT_TRUE(WriteFileReplacing(dir_ / "big.txt", std::string(11, 'x')));
    EXPECT_EQ(ReadWholeFile(dir_ / "big.txt", 10).status, ReadStatus::TooLarge);
    EXPECT_EQ(ReadWholeFile(dir_ / "big.txt", 11).bytes, std::string(11, 'x'));
}

TEST_F(FilesTest, FailedWriteKeepsTheEarlierFile) {
    // A folder in the way of the target: the move fails, the folder stays, no temporary remains.
    const auto blocked = dir_ / "a" / "b";
    EXPECT_FALSE(WriteFileReplacing(blocked, "data"));
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "a" / "b.part"));
    // A missing parent folder.
    EXPECT_FALSE(WriteFileReplacing(dir_ / "nowhere" / "x.txt", "data"));
}

}  // namespace
}  // namespace zunta::platform
