#pragma once

#include <string_view>

namespace zunta {

// Moments of the start-up for measured runs. When the environment variable ZUNTA_TRACE_FILE
// names a file, each call appends one line "<event> <wall clock in ns since 1970>" to it (the
// launcher and the test client may share one file); otherwise a call does nothing but read a
// cached flag.
bool TraceEnabled();
void TraceEvent(std::string_view event);

}  // namespace zunta
