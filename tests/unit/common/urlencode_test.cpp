#include "zunta/urlencode.h"

#include <gtest/gtest.h>

namespace zunta {
namespace {

TEST(UrlEncode, PassThroughSetHasExactly71Bytes) {
    const std::string passThrough =
        "&-./0123456789:;=?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
    ASSERT_EQ(passThrough.size(), 71u);
    int count = 0;
    for (int b = 0; b < 256; ++b) {
        const bool expected = passThrough.find(static_cast<char>(b)) != std::string::npos;
        EXPECT_EQ(IsUrlPassThrough(static_cast<unsigned char>(b)), expected) << "byte " << b;
        count += IsUrlPassThrough(static_cast<unsigned char>(b)) ? 1 : 0;
    }
    EXPECT_EQ(count, 71);
    EXPECT_EQ(UrlEncode(passThrough), passThrough);
}

TEST(UrlEncode, EverythingElseAsUpperCaseHex) {
    const std::pair<std::string, std::string> cases[] = {
        {" ", "%20"},
        {"%", "%25"},
        {"+,@|#", "%2B%2C%40%7C%23"},
        {std::string("\0\x1F\x7F", 3), "%00%1F%7F"},
        {"\xB0\xA1", "%B0%A1"},  // one Korean syllable of code page 949
        {"\xFF", "%FF"},
        {"2,4", "2%2C4"},
        {"http://h/a.php?x=1&y=a b", "http://h/a.php?x=1&y=a%20b"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(UrlEncode(in), out);
    }
}

TEST(UrlEncode, SecondPassEncodesThePercentOfTheFirst) {
    EXPECT_EQ(UrlEncode(UrlEncode("2,4")), "2%252C4");
    EXPECT_EQ(UrlEncode(UrlEncode("a b")), "a%2520b");
}

}  // namespace
}  // namespace zunta
