#include "launcher/core/package_fetch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"
#include "zunta/platform/files.h"
#include "zunta/platform/special_folders.h"

namespace zunta::launcher {
namespace {

namespace fs = std::filesystem;

std::string ReadFixture(const std::string& relative) {
    const auto read = platform::ReadWholeFile(fs::path(ZUNTA_TEST_DATA_DIR) / relative, 1 << 20);
    EXPECT_EQ(read.status, platform::ReadStatus::Ok) << relative;
    return read.bytes;
}

TEST(PackageRequestAddress, KeysInOrderAndTheTrailingAmpersand) {
    struct Case {
        std::string list;
        std::string address;
    };
    const std::string base = "http://school.example:8080";
    const std::string path = "/admin/api_getdata.php?cmd=ADD&mode=view";
    const Case cases[] = {
        {"&ZURUN:UID=a1&CHK=77&IDKEY=10&SNO=3", base + path + "&idkey=10&sno=3&cate=1&page=1&"},
        {"&ZURUN:UID=a1", base + path + "&idkey=&sno=&cate=1&page=1&"},
        // Bytes that may not stand in an address are escaped; code page 949 stays bytes.
        {"&IDKEY=1 2#x&SNO=\xB0\xA1%",
         base + path + "&idkey=1%202%23x&sno=%B0%A1%25&cate=1&page=1&"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackageRequestAddress(base, c.list), c.address) << c.list;
    }
}

TEST(BuildMediaFiles, KoreanReplyGivesTheFourUtf8FilesInOrder) {
    const std::string reply = ReadFixture("package_basic/reply_cp949.txt");
    const std::string list = ReadFixture("launcher/basic/launch_list.txt");
    const auto files = BuildMediaFiles("http://127.0.0.1:8080", reply, list);
    const char* names[] = {"MyDataStudy.txt", "MyVocaStudy.txt", "MyTitleStudy.txt",
                           "MyStudyStudy.txt"};
    ASSERT_EQ(files.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(files[i].name, names[i]);
        EXPECT_EQ(files[i].bytes, ReadFixture(std::string("launcher/basic/") + names[i]))
            << names[i];
    }
}

TEST(BuildMediaFiles, SmallReplies) {
    struct Case {
        std::string reply;
        std::string voca, title, work;
    };
    const std::string work = "B/mytest/mytest_mywork.php?bookidkey=";
    const std::string rest =
        "&userid=u&mywork=<MYWORK>&myall=<MYSTUDY>&mytime=<MYTIME>&uchecksum=c";
    const Case cases[] = {
        {"<QLIST>go,went,gone\r\nbe</QLIST>", "go|went,gone\r\nbe\r\n", "", work + rest},
        {"<QLIST>\r\n</QLIST><SUBJECT>x</SUBJECT>", "", "x", work + rest},
        {"no tags at all", "", "", work + rest},
        {"", "", "", work + rest},
        {"<SUBJECT> \r\n Title \r\n</SUBJECT><IDKEY> 42\r\n</IDKEY>", "", "Title",
         work + "42" + rest},
    };
    for (const Case& c : cases) {
        const auto files = BuildMediaFiles("B", c.reply, "&ZURUN:UID=u&CHK=c");
        ASSERT_EQ(files.size(), 4u);
        EXPECT_EQ(files[0].bytes, c.reply);  // untrimmed, line breaks as received
        EXPECT_EQ(files[1].bytes, c.voca) << c.reply;
        EXPECT_EQ(files[2].bytes, c.title) << c.reply;
        EXPECT_EQ(files[3].bytes, c.work) << c.reply;
    }
}

TEST(WriteMediaFiles, AShorterSecondReplyLeavesNoRemains) {
    const zunta::testing::TempFolder root;
    const std::string install = (root.path() / "Docs" / "ZUNTA" / "").string();
    const std::string longReply = "<SUBJECT>A long title</SUBJECT><QLIST>a,b\r\nc,d\r\ne</QLIST>";
    ASSERT_TRUE(WriteMediaFiles(install, BuildMediaFiles("B", longReply, "&UID=1")));
    ASSERT_TRUE(WriteMediaFiles(install, BuildMediaFiles("B", "<SUBJECT>S</SUBJECT>", "&UID=1")));
    const fs::path media = MediaFolder(install);
    EXPECT_EQ(platform::ReadWholeFile(media / "MyDataStudy.txt", 1000).bytes,
              "<SUBJECT>S</SUBJECT>");
    EXPECT_EQ(platform::ReadWholeFile(media / "MyVocaStudy.txt", 1000).bytes, "");
    EXPECT_EQ(platform::ReadWholeFile(media / "MyTitleStudy.txt", 1000).bytes, "S");
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(media)) {
        ++count;
    }
    EXPECT_EQ(count, 4u);  // no temporary files left beside them
}

TEST(TestClientCommand, QuotesTheProgramAndTheList) {
    const std::string sep(1, platform::PathSeparator());
    const std::string install = sep + "My Docs" + sep + "ZUNTA" + sep;
    const auto command = TestClientCommand(install, "&ZURUN:UID=a%26b");
    const std::string program = install + platform::ExecutableFileName("ZUNTA_Test");
    EXPECT_EQ(command.commandLine, "\"" + program + "\" \"&ZURUN:UID=a%26b\"");
    EXPECT_EQ(command.arguments, (std::vector<std::string>{program, "&ZURUN:UID=a%26b"}));
}

}  // namespace
}  // namespace zunta::launcher
