// Splits a fuzzer's bytes into a few texts at the byte 0xFF (which never occurs in the
// ASCII tags and separators the readers look for), so one input drives several arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace zunta::fuzz {

inline std::vector<std::string> SplitInput(const uint8_t* data, std::size_t size,
                                           std::size_t parts) {
    std::vector<std::string> out(parts);
    std::size_t k = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && k + 1 < parts) {
            ++k;
        } else {
            out[k].push_back(static_cast<char>(data[i]));
        }
    }
    return out;
}

// A broken property is a finding: print what broke and abort, so libFuzzer keeps the input.
inline void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace zunta::fuzz
