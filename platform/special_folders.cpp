#include "zunta/platform/special_folders.h"

namespace zunta::platform {

int SpecialFolderCode(int kind) {
    static constexpr int kCodes[] = {5, 35, 28, 38, 46};
    return (kind >= 0 && kind < 5) ? kCodes[kind] : -1;
}

std::string GetSpecialFolder(int kind) {
    const int code = SpecialFolderCode(kind);
    return code < 0 ? std::string() : GetFolderPath(code);
}

SpecialFolders InitSpecialFolders() {
    const auto value = [](SpecialFolderKind kind) {
        return GetSpecialFolder(static_cast<int>(kind)) + PathSeparator();
    };
    SpecialFolders folders;
    folders.programFilesDir = value(SpecialFolderKind::ProgramFiles);
    folders.localAppDataDir = value(SpecialFolderKind::LocalAppData);
    folders.myDocumentsDir = value(SpecialFolderKind::MyDocuments);
    folders.commonAppDataDir = value(SpecialFolderKind::CommonAppData);
    folders.commonDocumentsDir = value(SpecialFolderKind::CommonDocuments);
    return folders;
}

}  // namespace zunta::platform
