#include <windows.h>

#include "zunta/platform/codepage.h"

namespace zunta::platform {
namespace {

constexpr UINT kAnsi = 949;

std::wstring ToWide(UINT codePage, std::string_view in) {
    if (in.empty()) {
        return {};
    }
    const int size = static_cast<int>(in.size());
    const int n = MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(codePage, 0, in.data(), size, out.data(), n);
    }
    return out;
}

std::string FromWide(UINT codePage, const wchar_t* in, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int size = static_cast<int>(length);
    const int n = WideCharToMultiByte(codePage, 0, in, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(codePage, 0, in, size, out.data(), n, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view ansi) {
    const std::wstring wide = ToWide(kAnsi, ansi);
    return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToAnsi(std::u16string_view text) {
    const std::wstring wide(text.begin(), text.end());
    return FromWide(kAnsi, wide.data(), wide.size());
}

std::string AnsiToUtf8(std::string_view ansi) {
    const std::wstring wide = ToWide(kAnsi, ansi);
    return FromWide(CP_UTF8, wide.data(), wide.size());
}

std::string Utf8ToAnsi(std::string_view utf8) {
    const std::wstring wide = ToWide(CP_UTF8, utf8);
    return FromWide(kAnsi, wide.data(), wide.size());
}

}  // namespace zunta::platform
