#include "zunta/html.h"

#include <gtest/gtest.h>

namespace zunta {
namespace {

TEST(HtmlEscape, MarkupCharactersBecomeReferences) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a.png?x=1&y=2", "a.png?x=1&amp;y=2"},
        {"\"><script>", "&quot;&gt;&lt;script&gt;"},
        {"it's", "it&#39;s"},
        {"&amp;", "&amp;amp;"},  // escaped once more, never taken as already escaped
        {"\xB0\xA1 plain", "\xB0\xA1 plain"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(HtmlEscape(in), out) << in;
    }
}

}  // namespace
}  // namespace zunta
