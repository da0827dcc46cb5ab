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

// The next code point of UTF-8 text from `at`, which moves past it; U+FFFD
// for a byte that starts no valid sequence.
uint32_t NextCodePoint(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  size_t length = 0;
  uint32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    value = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  if (at + length > text.size()) return 0xFFFD;
  for (size_t i = 0; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    value = value << 6 | (next & 0x3F);
  }
  at += length;
  const bool overlong = (length == 1 && value < 0x80) || (length == 2 && value < 0x800) || (length == 3 && value < 0x10000);
  if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  return value;
}

void AppendUnit(std::string& out, uint32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

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

std::string DecodeUnits(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf16LittleEndian:
      return FromUtf16(bytes, false);
    case TextEncoding::Utf16BigEndian:
      return FromUtf16(bytes, true);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithMark:
      break;
  }
  return std::string(bytes);
}

std::string EncodeUnits(std::string_view utf8, TextEncoding encoding) {
  if (encoding != TextEncoding::Utf16LittleEndian && encoding != TextEncoding::Utf16BigEndian) {
    return std::string(utf8);
  }
  const bool bigEndian = encoding == TextEncoding::Utf16BigEndian;
  std::string out;
  out.reserve(utf8.size() * 2);
  for (size_t at = 0; at < utf8.size();) {
    const uint32_t codePoint = NextCodePoint(utf8, at);
    if (codePoint >= 0x10000) {
      AppendUnit(out, 0xD800 + ((codePoint - 0x10000) >> 10), bigEndian);
      AppendUnit(out, 0xDC00 + ((codePoint - 0x10000) & 0x3FF), bigEndian);
    } else {
      AppendUnit(out, codePoint, bigEndian);
    }
  }
  return out;
}

std::string_view EncodingMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8WithMark:
      return "\xEF\xBB\xBF";
    case TextEncoding::Utf16LittleEndian:
      return "\xFF\xFE";
    case TextEncoding::Utf16BigEndian:
      return "\xFE\xFF";
    case TextEncoding::Utf8:
      break;
  }
  return {};
}
