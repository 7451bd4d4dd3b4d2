#pragma once

#include <string>
#include <string_view>

namespace zunta {

// "&", "<", ">", '"' and "'" as character references, so a text cannot leave the element or
// the attribute it is put in.
std::string HtmlEscape(std::string_view text);

}  // namespace zunta
