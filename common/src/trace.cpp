#include "zunta/trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zunta {
namespace {

const std::string& TraceFile() {
    static const std::string path = [] {
        const char* name = std::getenv("ZUNTA_TRACE_FILE");
        return std::string(name ? name : "");
    }();
    return path;
}

}  // namespace

bool TraceEnabled() {
    return !TraceFile().empty();
}

void TraceEvent(std::string_view event) {
    if (!TraceEnabled()) {
        return;
    }
    // The system clock is the wall clock, so moments of several processes compare.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    std::string line(event);
    line += ' ';
    line += std::to_string(ns);
    line += '\n';
    // Opened for appending and written in one piece, so lines of two processes do not mix.
    if (std::FILE* f = std::fopen(TraceFile().c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fclose(f);
    }
}

}  // namespace zunta
