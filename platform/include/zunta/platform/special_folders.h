// The five special folders the launcher looks up at start-up. Values are paths with one
// separator appended; a folder that cannot be looked up gives the separator alone.
#pragma once

#include <string>

namespace zunta::platform {

// "\" on Windows, "/" elsewhere: the separator that ends every folder value.
char PathSeparator();

// Kinds as the launcher numbers them (0-4); each maps to one Windows folder code.
enum class SpecialFolderKind {
    MyDocuments = 0,      // CSIDL_PERSONAL (5)
    CommonAppData = 1,    // CSIDL_COMMON_APPDATA (35)
    LocalAppData = 2,     // CSIDL_LOCAL_APPDATA (28)
    ProgramFiles = 3,     // CSIDL_PROGRAM_FILES (38)
    CommonDocuments = 4,  // CSIDL_COMMON_DOCUMENTS (46)
};

// The Windows folder code of a kind; -1 for a kind outside 0-4.
int SpecialFolderCode(int kind);

// The folder's current path for a Windows folder code, without a trailing separator; empty
// text when it cannot be looked up. Linux maps the codes to the XDG folders.
std::string GetFolderPath(int code);

// GetFolderPath of the kind's code; empty text for a kind without a code.
std::string GetSpecialFolder(int kind);

struct SpecialFolders {
    std::string myDocumentsDir;
    std::string commonAppDataDir;
    std::string localAppDataDir;
    std::string programFilesDir;
    std::string commonDocumentsDir;
};

// Looks the folders up in the order kind 3, 2, 0, 1, 4 and appends the separator to each.
SpecialFolders InitSpecialFolders();

}  // namespace zunta::platform
