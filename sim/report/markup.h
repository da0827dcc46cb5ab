// Text as the session's page writes it: whatever a session or the plug-in
// said, made safe for XML, and numbers with a fixed count of decimals.
#pragma once

#include <cstdint>
#include <string>

namespace sim::report {

// Anything that is not valid UTF-8, and control characters but the line
// break, become '?': a name from a session must not break the page.
std::string Clean(const std::string& text);
// Cleaned, then escaped for an attribute or element text; line breaks stay
// line breaks inside attributes.
std::string Escape(const std::string& raw);
std::string Fixed(double value, int decimals);
// A frame's game time, as "12.34 s".
std::string Seconds(uint64_t frame, int64_t frameUs);

}  // namespace sim::report
