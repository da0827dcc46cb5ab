// The bytes of a settings file as UTF-8 text. Editors save Emberwick.ini in
// more than one way: Notepad's "Unicode" is UTF-16 with a byte-order mark,
// and "UTF-8 with BOM" puts a mark in front of the first line. Both read as
// the plain UTF-8 file would.
#pragma once

#include <string>
#include <string_view>

enum class TextEncoding { Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

struct DecodedText {
  std::string utf8;
  TextEncoding encoding = TextEncoding::Utf8;
};

// Bytes without a mark are taken as they are. In UTF-16 a lone surrogate
// becomes U+FFFD and an odd last byte is dropped.
DecodedText DecodeText(std::string_view bytes);

// How the file was converted, for the log ("UTF-16, little-endian, converted
// to UTF-8"); empty for plain UTF-8.
std::string_view DescribeConversion(TextEncoding encoding);

// One stretch of text in the file's own encoding, without a mark, and back:
// the settings writer changes single lines of a file and keeps every other
// byte. Invalid UTF-8 becomes U+FFFD in UTF-16.
std::string DecodeUnits(std::string_view bytes, TextEncoding encoding);
std::string EncodeUnits(std::string_view utf8, TextEncoding encoding);
// The bytes of the mark the encoding starts a file with; empty for plain UTF-8.
std::string_view EncodingMark(TextEncoding encoding);
