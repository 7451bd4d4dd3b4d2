// What the launcher sends for the study package and what it makes of the reply: the request
// address, the four media files and the test client's command.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "zunta/platform/process.h"

namespace zunta::launcher {

inline constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Maxthon)";
inline constexpr const char* kAccept = "text/html, */*";

// The longest launch parameter list the launcher acts on. Any web page can make a link, and the
// list travels on into the test client's command line and the work address of the study log;
// a server refuses a request target of this size (414), so a longer list would lose the
// student's result at the end of the test. It is refused before anything is sent or written.
inline constexpr std::size_t kMaxLaunchListBytes = 8 * 1024;

inline bool LaunchListTooLong(std::string_view launchList) {
    return launchList.size() > kMaxLaunchListBytes;
}

// base + "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=" + IDKEY + "&sno=" + SNO +
// "&cate=1&page=1&", the two values as the list gives them, with every byte that may not
// stand in an address percent-escaped (code page 949 bytes stay bytes).
std::string PackageRequestAddress(std::string_view baseAddress, std::string_view launchList);

struct MediaFile {
    std::string name;   // file name inside the media folder
    std::string bytes;  // UTF-8, no byte-order mark
};

// The four media files in the order they are written: MyDataStudy.txt (the whole reply),
// MyVocaStudy.txt (the trimmed QLIST lines, first "," of each made "|", CR LF after each),
// MyTitleStudy.txt (the trimmed SUBJECT) and MyStudyStudy.txt (the work address).
// `reply` is the body as received, taken as code page 949.
std::vector<MediaFile> BuildMediaFiles(std::string_view baseAddress, std::string_view reply,
                                       std::string_view launchList);

// Creates the install and media folders and writes each file replacing any earlier one.
// False when a folder or a file could not be made; the writes go on regardless.
bool WriteMediaFiles(const std::string& installFolder, const std::vector<MediaFile>& files);

// The media folder: install folder + "media".
std::filesystem::path MediaFolder(const std::string& installFolder);

// The test client started from the install folder with the list as its one argument. The
// Windows command line quotes the program path too, so a folder with spaces cannot make the
// system start another program.
platform::ProgramCommand TestClientCommand(const std::string& installFolder,
                                           std::string_view launchList);

}  // namespace zunta::launcher
