// Every writer of both programs on a disk that fills half way through a write or turns
// read-only: the write reports its failure, each file is the earlier whole one or the new whole
// one, no temporary file is left behind and nothing of the student's is lost.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "launcher/core/package_fetch.h"
#include "small_disk.h"
#include "testclient/core/outbox.h"
#include "testclient/core/resultfile.h"
#include "testclient/core/testrun.h"
#include "tests/unit/launcher/temp_folder.h"
#include "zunta/platform/files.h"

namespace zunta {
namespace {

namespace fs = std::filesystem;
using testing::SmallDisk;
using testing::TempFolder;

std::string ReadBytes(const fs::path& path) {
    return platform::ReadWholeFile(path, 1u << 26).bytes;
}

std::vector<std::string> LeftOverTemporaryFiles(const fs::path& dir) {
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.path().extension() == ".part") {
            left.push_back(entry.path().filename().string());
        }
    }
    return left;
}

enum class Fault { FullHalfWay, ReadOnly };

struct FaultCase {
    const char* name;
    Fault fault;
};

const FaultCase kFaults[] = {{"disk full half way", Fault::FullHalfWay},
                             {"read-only", Fault::ReadOnly}};

// Every new file written below is at least 64 KB, so 16 KB free is half way through at most.
constexpr std::uintmax_t kFreeBytes = 16 * 1024;
const std::string kBig(64 * 1024, 'n');

bool Apply(SmallDisk& disk, Fault fault) {
    return fault == Fault::ReadOnly ? disk.MakeReadOnly() : disk.FillLeaving(kFreeBytes);
}

class FileFaultTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    TempFolder temp_;  // outlives the disk mounted inside it
};

TEST_P(FileFaultTest, LauncherMediaFilesStayWholeAndTheWriteFails) {
    const std::string install = temp_.dir() + "ZUNTA/";
    SmallDisk disk(launcher::MediaFolder(install), 256);
    ZUNTA_NEED_DISK(disk);
    const std::vector<launcher::MediaFile> earlier = {{"MyDataStudy.txt", "earlier package"},
                                                      {"MyVocaStudy.txt", "earlier list"},
                                                      {"MyTitleStudy.txt", "earlier title"},
                                                      {"MyStudyStudy.txt", "earlier work"}};
    ASSERT_TRUE(launcher::WriteMediaFiles(install, earlier));
    ASSERT_TRUE(Apply(disk, GetParam().fault));

    std::vector<launcher::MediaFile> next = earlier;
    for (auto& file : next) {
        file.bytes = "new " + file.name + kBig;
    }
    EXPECT_FALSE(launcher::WriteMediaFiles(install, next));
    for (std::size_t i = 0; i < next.size(); ++i) {
        const std::string now = ReadBytes(disk.dir() / next[i].name);
        EXPECT_TRUE(now == earlier[i].bytes || now == next[i].bytes) << next[i].name;
    }
    EXPECT_EQ(ReadBytes(disk.dir() / "MyDataStudy.txt"), "earlier package");
    EXPECT_EQ(LeftOverTemporaryFiles(disk.dir()), std::vector<std::string>{});
}

// A package whose question list alone is far larger than the space left.
std::string LargePackage(int questions) {
    std::string list, items;
    for (int i = 1; i <= questions; ++i) {
        list += std::to_string(i) + "," + std::string(400, 'a') + "\r\n";
        items += "<Q" + std::to_string(i) + ">" + std::to_string(i) + "|1|0</Q" +
                 std::to_string(i) + ">";
    }
    return "<SUBJECT>big</SUBJECT><UID>u</UID><IDKEY>1</IDKEY><TESTIDKEY>2</TESTIDKEY><QCOUNT>" +
           std::to_string(questions) + "</QCOUNT><QLIST>" + list + "</QLIST><QDATA></QDATA>" +
           items;
}

TEST_P(FileFaultTest, TestClientDerivedFilesStayWholeAndTheLoadSaysSo) {
    const fs::path appDir = temp_.path() / "app";
    SmallDisk disk(appDir / "media", 512);
    ZUNTA_NEED_DISK(disk);
    const fs::path package = appDir / "media" / "MyDataStudy.txt";
    ASSERT_TRUE(platform::WriteFileReplacing(
        package,
        ReadBytes(fs::path(ZUNTA_TEST_DATA_DIR) / "package_basic" / "media" / "MyDataStudy.txt")));
    ASSERT_TRUE(testclient::TestRun(appDir).LoadStudyPackage().ok());
    const char* derived[] = {"TempImg.txt", "MyQList.txt", "TempQData.txt"};
    std::vector<std::string> earlier;
    for (const char* name : derived) {
        earlier.push_back(ReadBytes(appDir / "media" / name));
    }
    // What a load of the large package writes where there is room.
    const fs::path roomy = temp_.path() / "roomy";
    ASSERT_TRUE(platform::CreateFolders(roomy / "media"));
    ASSERT_TRUE(
        platform::WriteFileReplacing(roomy / "media" / "MyDataStudy.txt", LargePackage(200)));
    ASSERT_TRUE(testclient::TestRun(roomy).LoadStudyPackage().ok());

    ASSERT_TRUE(platform::WriteFileReplacing(package, LargePackage(200)));
    ASSERT_TRUE(Apply(disk, GetParam().fault));

    testclient::TestRun run(appDir);
    const testclient::LoadResult result = run.LoadStudyPackage();
    EXPECT_EQ(result.error, testclient::LoadError::MediaNotWritable);
    EXPECT_NE(result.message.find("시험 폴더에 파일을 쓸 수 없습니다"), std::string::npos)
        << result.message;
    EXPECT_EQ(run.State().QCount, 0);  // nothing half loaded either
    // The list that did not fit is the earlier one; a file written before it may be new.
    EXPECT_EQ(ReadBytes(appDir / "media" / "MyQList.txt"), earlier[1]);
    for (std::size_t i = 0; i < std::size(derived); ++i) {
        const std::string now = ReadBytes(appDir / "media" / derived[i]);
        EXPECT_TRUE(now == earlier[i] || now == ReadBytes(roomy / "media" / derived[i]))
            << derived[i];
    }
    EXPECT_EQ(LeftOverTemporaryFiles(disk.dir()), std::vector<std::string>{});
}

TEST_P(FileFaultTest, ResultFileFallsBackBesideTheProgram) {
    const fs::path appDir = temp_.path() / "app";
    ASSERT_TRUE(platform::CreateFolders(appDir));
    SmallDisk disk(temp_.path() / "cwd", 128);
    ZUNTA_NEED_DISK(disk);
    ASSERT_TRUE(platform::WriteFileReplacing(disk.dir() / "Result.txt", "earlier run log"));
    ASSERT_TRUE(Apply(disk, GetParam().fault));

    const std::string log = "Memo1\r\n" + kBig + "\r\n>>>RS=OK\r\n";
    const auto saved = testclient::SaveResultFile(log, disk.dir(), appDir);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, appDir / "Result.txt");
    EXPECT_EQ(ReadBytes(appDir / "Result.txt"), log);
    EXPECT_EQ(ReadBytes(disk.dir() / "Result.txt"), "earlier run log");
    EXPECT_EQ(LeftOverTemporaryFiles(disk.dir()), std::vector<std::string>{});
}

TEST_P(FileFaultTest, OutboxKeepsWhatItHeldWhenItCannotBeWritten) {
    SmallDisk disk(temp_.path() / "media", 128);
    ZUNTA_NEED_DISK(disk);
    testclient::Outbox outbox(disk.dir());
    const std::string first = "http://127.0.0.1:8080/admin/api_sendlog.php?idkey=1&qa1=" + kBig;
    const std::string second = "http://127.0.0.1:8080/admin/api_sendlog.php?idkey=2&qa1=" + kBig;
    ASSERT_TRUE(outbox.Add(first));
    ASSERT_TRUE(Apply(disk, GetParam().fault));

    EXPECT_FALSE(outbox.Add(second));
    EXPECT_EQ(outbox.Pending(), std::vector<std::string>{first});
    if (GetParam().fault == Fault::ReadOnly) {
        // Answered, but the outbox cannot be changed: the request stays and is sent once
        // more, which the server records once.
        EXPECT_FALSE(outbox.Remove(first));
        EXPECT_EQ(outbox.Pending(), std::vector<std::string>{first});
    }
    EXPECT_EQ(LeftOverTemporaryFiles(disk.dir()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Faults, FileFaultTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return info.param.fault == Fault::ReadOnly
                                        ? std::string("ReadOnly")
                                        : std::string("FullHalfWay");
                         });

// No mount needed: on this system a file that is open elsewhere or read-only does not stop
// the folder's owner from replacing it, and the reader keeps the bytes it opened.
TEST(MediaFileInUse, AnOpenOrReadOnlyEarlierFileIsReplacedWhole) {
    TempFolder temp;
    const std::string install = temp.dir() + "ZUNTA/";
    ASSERT_TRUE(launcher::WriteMediaFiles(
        install, {{"MyDataStudy.txt", "earlier package"}, {"MyTitleStudy.txt", "earlier title"}}));
    const fs::path media = launcher::MediaFolder(install);
    std::ifstream reader(media / "MyDataStudy.txt", std::ios::binary);
    fs::permissions(media / "MyTitleStudy.txt", fs::perms::owner_read | fs::perms::group_read,
                    fs::perm_options::replace);

    ASSERT_TRUE(launcher::WriteMediaFiles(
        install, {{"MyDataStudy.txt", "new package"}, {"MyTitleStudy.txt", "new title"}}));
    EXPECT_EQ(ReadBytes(media / "MyDataStudy.txt"), "new package");
    EXPECT_EQ(ReadBytes(media / "MyTitleStudy.txt"), "new title");
    std::string held((std::istreambuf_iterator<char>(reader)), std::istreambuf_iterator<char>());
    EXPECT_EQ(held, "earlier package");
}

}  // namespace
}  // namespace zunta
