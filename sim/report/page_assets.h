// The page's style sheet and script, sim/report/page.css and page.js, as the
// build compiles them in (cmake/EmbedText.cmake): the page fetches nothing.
#pragma once

#include <string_view>

namespace sim::report {

std::string_view PageStyle();
std::string_view PageScript();

}  // namespace sim::report
