#include "testclient/core/runlog.h"

#include "zunta/platform/codepage.h"
#include "zunta/text.h"

namespace zunta::testclient {

void RunLog::Append(std::string_view text) {
    for (auto& piece : SplitPieces(text)) {
        lines_.push_back(std::move(piece));
    }
}

void RunLog::AppendUtf8(std::string_view utf8) {
    Append(platform::Utf8ToAnsi(utf8));
}

std::string RunLog::Text() const {
    return JoinLines(lines_);
}

}  // namespace zunta::testclient
