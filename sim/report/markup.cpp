#include "report/markup.h"

#include <cstdio>

namespace sim::report {

std::string Clean(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    bool valid = length != 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) >> 6) == 0x2;
    if (length == 2 && valid) valid = c >= 0xC2;  // no overlong forms
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    if (length == 1 && c < 0x20 && c != '\n') out += '?';
    else out.append(text, i, length);
    i += length;
  }
  return out;
}

std::string Escape(const std::string& raw) {
  const std::string text = Clean(raw);
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Fixed(double value, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string Seconds(uint64_t frame, int64_t frameUs) {
  return Fixed(static_cast<double>(frame) * static_cast<double>(frameUs) / 1e6, 2) + " s";
}

}  // namespace sim::report
