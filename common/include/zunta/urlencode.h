#pragma once

#include <string>
#include <string_view>

namespace zunta {

// Copies the 71 bytes "&", "-", ".", "/", "0"-"9", ":", ";", "=", "?", "A"-"Z", "_", "a"-"z"
// and writes every other byte as "%" and two upper-case hexadecimal digits.
std::string UrlEncode(std::string_view text);

// True for the bytes that UrlEncode copies unchanged.
bool IsUrlPassThrough(unsigned char byte);

}  // namespace zunta
