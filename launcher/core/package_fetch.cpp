#include "launcher/core/package_fetch.h"

#include "launcher/core/launch_params.h"
#include "zunta/platform/codepage.h"
#include "zunta/platform/files.h"
#include "zunta/text.h"
#include "zunta/urlencode.h"

namespace zunta::launcher {

std::string PackageRequestAddress(std::string_view baseAddress, std::string_view launchList) {
    std::string address(baseAddress);
    address += "/admin/api_getdata.php?cmd=ADD&mode=view";
    address += "&idkey=" + UrlEncode(GetParamValue(launchList, "IDKEY"));
    address += "&sno=" + UrlEncode(GetParamValue(launchList, "SNO"));
    address += "&cate=1&page=1&";
    return address;
}

std::vector<MediaFile> BuildMediaFiles(std::string_view baseAddress, std::string_view reply,
                                       std::string_view launchList) {
    const std::string bookKey = Trim(TextBetweenTags(reply, "<IDKEY>", "</IDKEY>"));
    std::vector<std::string> lines =
        SplitLines(Trim(TextBetweenTags(reply, "<QLIST>", "</QLIST>")));
    for (std::string& line : lines) {
        if (const auto comma = line.find(','); comma != std::string::npos) {
            line[comma] = '|';
        }
    }
    const std::string title = Trim(TextBetweenTags(reply, "<SUBJECT>", "</SUBJECT>"));
    const std::string work = std::string(baseAddress) +
                             "/mytest/mytest_mywork.php?bookidkey=" + bookKey +
                             "&userid=" + GetParamValue(launchList, "UID") +
                             "&mywork=<MYWORK>&myall=<MYSTUDY>&mytime=<MYTIME>&uchecksum=" +
                             GetParamValue(launchList, "CHK");
    return {
        {"MyDataStudy.txt", platform::AnsiToUtf8(reply)},
        {"MyVocaStudy.txt", platform::AnsiToUtf8(JoinLines(lines))},
        {"MyTitleStudy.txt", platform::AnsiToUtf8(title)},
        {"MyStudyStudy.txt", platform::AnsiToUtf8(work)},
    };
}

std::filesystem::path MediaFolder(const std::string& installFolder) {
    return std::filesystem::path(installFolder + "media");
}

bool WriteMediaFiles(const std::string& installFolder, const std::vector<MediaFile>& files) {
    bool ok = platform::CreateFolders(installFolder);
    const auto media = MediaFolder(installFolder);
    ok = platform::CreateFolders(media) && ok;
    for (const MediaFile& file : files) {
        ok = platform::WriteFileReplacing(media / file.name, file.bytes) && ok;
    }
    return ok;
}

platform::ProgramCommand TestClientCommand(const std::string& installFolder,
                                           std::string_view launchList) {
    const std::string program = installFolder + platform::ExecutableFileName("ZUNTA_Test");
    platform::ProgramCommand command;
    command.commandLine = "\"" + program + "\" \"" + std::string(launchList) + "\"";
    command.arguments = {program, std::string(launchList)};
    return command;
}

}  // namespace zunta::launcher
