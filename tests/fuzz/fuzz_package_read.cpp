// Reading media/MyDataStudy.txt: zero byte, line rule, the loose UTF-8 rule, code page 949.
#include <algorithm>

#include "tests/fuzz/fuzz_input.h"
#include "zunta/package.h"
#include "zunta/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using zunta::fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zunta::DecodedPackage decoded = zunta::DecodeStudyPackageFile(bytes);
    Check(!decoded.brokenUtf8 || decoded.text.empty(), "a broken text is not empty");
    // Every line break of a plain ASCII file becomes CR LF, and the text ends in one unless
    // empty. (An overlong UTF-8 form such as C0 8A decodes to a bare LF after the join.)
    const std::string& text = decoded.text;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    for (std::size_t i = 0; ascii && i < text.size(); ++i) {
        if (text[i] == '\n') {
            Check(i > 0 && text[i - 1] == '\r', "a LF without CR");
        }
        if (text[i] == '\r') {
            Check(i + 1 < text.size() && text[i + 1] == '\n', "a CR without LF");
        }
    }
    Check(text.empty() || text.size() >= 2, "text shorter than its final break");

    const zunta::PackageIndex index(text);
    for (const char* tag : {"SUBJECT", "QCOUNT", "QLIST", "QDATA", "IDKEY", "TESTIDKEY"}) {
        Check(index.Tag(tag) == zunta::PackageTag(text, tag), "indexed tag differs");
    }
    for (const auto& line : zunta::PictureLines(index.Tag("QDATA"))) {
        Check(line.find_first_of("\r\n") == std::string::npos, "a picture line holds a break");
    }
    return 0;
}
