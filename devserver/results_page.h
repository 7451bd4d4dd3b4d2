// The recorded study logs as a page for people and as JSON for scripts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "devserver/study_log_store.h"

namespace zunta::devserver {

// How many logs /results and /results.json show at most.
inline constexpr std::size_t kResultsShown = 1000;

// A UTF-8 HTML page with one table row per log, in the order given.
std::string ResultsHtml(const std::vector<StoredStudyLog>& logs);

// A JSON array of objects, in the order given. The raw target is shown as text of code page
// 949 (a request as the programs send it is plain ASCII).
std::string ResultsJson(const std::vector<StoredStudyLog>& logs);

}  // namespace zunta::devserver
