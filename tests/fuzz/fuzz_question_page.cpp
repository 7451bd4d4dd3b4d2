// The question page: whatever the picture address holds, it stays inside its SRC attribute.
#include "testclient/core/questionview.h"
#include "tests/fuzz/fuzz_input.h"
#include "zunta/html.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    const auto parts = zunta::fuzz::SplitInput(data, size, 2);
    const std::string number = std::to_string(parts[1].size());
    const std::string page = zunta::testclient::QuestionPageHtml(number, parts[0]);

    const std::string open = "<IMG SRC=\"";
    const std::string close = "\" border=0></CENTER>";
    const std::size_t start = page.find(open);
    Check(start != std::string::npos, "no picture element");
    const std::size_t valueStart = start + open.size();
    const std::size_t valueEnd = page.find('"', valueStart);
    Check(valueEnd != std::string::npos, "the attribute is not closed");
    Check(page.compare(valueEnd, close.size(), close) == 0, "the attribute ends early");
    const std::string value = page.substr(valueStart, valueEnd - valueStart);
    Check(value.find_first_of("<>\"") == std::string::npos, "markup inside the attribute");
    Check(value == zunta::HtmlEscape(parts[0]), "the address is not escaped whole");
    Check(page.rfind("</body></html>") == page.size() - 14, "the page does not end whole");
    return 0;
}
