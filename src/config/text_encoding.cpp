#include "config/text_encoding.h"

#include <cstdint>

namespace {

void AppendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(bytes.size() / 2);
  auto unit = [&](size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<uint32_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  };
  const size_t units = bytes.size() / 2;
  for (size_t u = 0; u < units; ++u) {
    const uint32_t value = unit(2 * u);
    if (value >= 0xD800 && value <= 0xDBFF && u + 1 < units) {
      const uint32_t low = unit(2 * (u + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00));
        ++u;
        continue;
      }
    }
    AppendUtf8(out, value >= 0xD800 && value <= 0xDFFF ? kReplacement : value);
  }
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

}  // namespace

DecodedText DecodeText(std::string_view bytes) {
  DecodedText decoded;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    decoded.encoding = TextEncoding::Utf8WithMark;
    decoded.utf8.assign(bytes.substr(3));
  } else if (StartsWith(bytes, "\xFF\xFE")) {
    decoded.encoding = TextEncoding::Utf16LittleEndian;
    decoded.utf8 = FromUtf16(bytes.substr(2), false);
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    decoded.encoding = TextEncoding::Utf16BigEndian;
    decoded.utf8 = FromUtf16(bytes.substr(2), true);
  } else {
    decoded.utf8.assign(bytes);
  }
  return decoded;
}

std::string_view DescribeConversion(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8WithMark:
      return "UTF-8 with a byte-order mark, read without the mark";
    case TextEncoding::Utf16LittleEndian:
      return "UTF-16 (little-endian), converted to UTF-8";
    case TextEncoding::Utf16BigEndian:
      return "UTF-16 (big-endian), converted to UTF-8";
    case TextEncoding::Utf8:
      break;
  }
  return {};
}
