// NthToken and TextBetweenTags on arbitrary text, and the one-pass tag index against them.
#include "tests/fuzz/fuzz_input.h"
#include "zunta/package.h"
#include "zunta/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    const auto parts = zunta::fuzz::SplitInput(data, size, 4);
    const std::string& source = parts[0];
    const std::string& open = parts[1];
    const std::string& close = parts[2];
    const int n = parts[3].empty() ? 1 : static_cast<signed char>(parts[3][0]);

    const std::string token = zunta::NthToken(source, open, n);
    Check(token.size() <= source.size(), "a field is longer than its source");
    Check(token.find(open.size() == 1 ? open[0] : '\0') == std::string::npos || open.size() != 1,
          "a field holds its separator");

    const std::string between = zunta::TextBetweenTags(source, open, close);
    Check(between.empty() || source.find(between) != std::string::npos,
          "the text between tags is not part of the source");

    const zunta::PackageIndex index(source);
    Check(index.Tag(open) == zunta::PackageTag(source, open), "indexed tag differs");
    for (int q = 0; q <= 3; ++q) {
        Check(index.Question(q) == zunta::QuestionEntry(source, q), "indexed question differs");
    }
    return 0;
}
