#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::testclient {

// The test client's diagnostic run log, saved as Result.txt at the end of a test. Lines are
// code page 949 text. The first line is "Memo1"; an appended text with line breaks adds one
// line per piece, so a text that ends in a break leaves an empty line behind it.
class RunLog {
  public:
    RunLog() : lines_{"Memo1"} {}

    void Append(std::string_view text);
    // Appends a fixed wording written in UTF-8 in the source, converted to code page 949.
    void AppendUtf8(std::string_view utf8);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Every line followed by CR LF, as the file holds it.
    std::string Text() const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace zunta::testclient
