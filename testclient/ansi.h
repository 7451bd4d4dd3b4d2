// The widget boundary: core text is code page 949 bytes, widgets hold QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "zunta/platform/codepage.h"

namespace zunta::testclient {

inline QString FromAnsi(std::string_view ansi) {
    return QString::fromStdU16String(platform::AnsiToUtf16(ansi));
}

inline std::string ToAnsi(const QString& text) {
    return platform::Utf16ToAnsi(text.toStdU16String());
}

}  // namespace zunta::testclient
