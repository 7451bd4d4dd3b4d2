#include <iconv.h>
#include <cerrno>

#include <algorithm>
#include <stdexcept>

#include "zunta/platform/codepage.h"

namespace zunta::platform {
namespace {

// glibc's "CP949" is the Unified Hangul Code of Windows (the same table as "UHC"); "EUC-KR"
// would lack the extended syllables.
constexpr const char* kAnsi = "CP949";

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; a character that cannot be converted is skipped (`step` tells its length
    // in bytes) and `replacement` is written in its place.
    using StepFn = std::size_t (*)(const char* at, std::size_t left);
    std::string Run(std::string_view in, StepFn step, std::string_view replacement) {
        std::string out;
        out.reserve(in.size() * 2 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut short at the end): replace one unit, go on.
            const std::size_t skip =
                std::min(std::max<std::size_t>(step(src, srcLeft), 1), srcLeft);
            src += skip;
            srcLeft -= skip;
            out.append(replacement);
        }
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        return out;
    }

  private:
    iconv_t cd_;
};

std::size_t OneByte(const char*, std::size_t) {
    return 1;
}

// A whole UTF-16 character: two units for a surrogate pair.
std::size_t Utf16Char(const char* at, std::size_t left) {
    auto isHigh = [&](std::size_t i) {
        const auto b = static_cast<unsigned char>(at[i]);
        return b >= 0xD8 && b <= 0xDB;
    };
    auto isLow = [&](std::size_t i) {
        const auto b = static_cast<unsigned char>(at[i]);
        return b >= 0xDC && b <= 0xDF;
    };
    return (left >= 4 && isHigh(1) && isLow(3)) ? 4 : 2;
}

// A whole UTF-8 character when its form is valid, so an unmappable one gives one replacement.
std::size_t Utf8Char(const char* at, std::size_t left) {
    const auto lead = static_cast<unsigned char>(at[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > left) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(at[k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

constexpr std::string_view kUtf16Replacement("\xFD\xFF", 2);  // U+FFFD, little-endian
constexpr std::string_view kUtf8Replacement("\xEF\xBF\xBD", 3);

}  // namespace

std::u16string AnsiToUtf16(std::string_view ansi) {
    Converter conv("UTF-16LE", kAnsi);
    const std::string bytes = conv.Run(ansi, OneByte, kUtf16Replacement);
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    Converter conv(kAnsi, "UTF-16LE");
    return conv.Run(bytes, Utf16Char, "?");
}

std::string AnsiToUtf8(std::string_view ansi) {
    Converter conv("UTF-8", kAnsi);
    return conv.Run(ansi, OneByte, kUtf8Replacement);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    Converter conv(kAnsi, "UTF-8");
    return conv.Run(utf8, Utf8Char, "?");
}

}  // namespace zunta::platform
