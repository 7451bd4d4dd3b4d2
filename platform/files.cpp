#include "zunta/platform/files.h"

#include <fstream>
#include <system_error>

namespace zunta::platform {

ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t limit) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        return {ReadStatus::Missing, {}};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return {ReadStatus::Unreadable, {}};
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return {ReadStatus::Unreadable, {}};
    }
    if (size > limit) {
        return {ReadStatus::TooLarge, {}};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {ReadStatus::Unreadable, {}};
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || static_cast<std::size_t>(in.gcount()) != bytes.size()) {
        return {ReadStatus::Unreadable, {}};
    }
    return {ReadStatus::Ok, std::move(bytes)};
}

bool WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temp = path;
    temp += ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    if (!ReplaceFileWith(temp, path)) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    }
    return true;
}

bool CreateFolders(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

}  // namespace zunta::platform
