// Conversions between the system's "ANSI" text (code page 949 on every platform), UTF-8 and
// UTF-16. Built on the operating system's own converters: iconv on Linux, the Win32 code page
// API on Windows. A character that the target cannot hold becomes "?" (U+003F), as the Win32
// converters do by default; a byte sequence that is not valid in the source becomes U+FFFD
// (to UTF-16/UTF-8) or "?" (to code page 949).
#pragma once

#include <string>
#include <string_view>

namespace zunta::platform {

std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view text);
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace zunta::platform
