// Key names as players write them in Emberwick.ini.
#include <gtest/gtest.h>

#include <string>

#include "config/key_names.h"

namespace {

struct Example {
  std::string text;
  int code;
};

void ExpectCodes(std::initializer_list<Example> examples) {
  for (const Example& example : examples) {
    EXPECT_EQ(KeyNameToCode(example.text), example.code) << "key name \"" << example.text << "\"";
  }
}

TEST(KeyNames, SingleCharactersIgnoreCaseAndPunctuationNamesItsKey) {
  ExpectCodes({{"n", 78}, {"N", 78}, {"y", 89}, {"0", 48}, {"9", 57}, {",", 188}, {";", 186}, {"=", 187},
               {"-", 189}, {".", 190}, {"/", 191}, {"`", 192}, {"[", 219}, {"\\", 220}, {"]", 221},
               {"'", 222}});
  // Any other single character is its own (upper-case) code.
  ExpectCodes({{"!", 33}, {" ", 32}, {"~", 126}});
}

TEST(KeyNames, HighBytesReadAsUnsignedCharacters) {
  EXPECT_EQ(KeyNameToCode(std::string(1, static_cast<char>(0xE9))), 0xE9);
  EXPECT_EQ(KeyNameToCode(std::string(1, static_cast<char>(0xFF))), 0xFF);
}

TEST(KeyNames, NamesTakeTheVkPrefixInUpperOrLowerCaseOnly) {
  ExpectCodes({{"F5", 116}, {"VK_F5", 116}, {"vk_F5", 116}, {"f5", 116}, {"vk_f5", 116}});
  // Mixed-case prefixes stay, and "VK_F5" with them is no name and no number.
  ExpectCodes({{"Vk_F5", 0}, {"vK_F5", 0}});
  // A bare prefix is stripped to nothing.
  ExpectCodes({{"VK_", 0}, {"vk_", 0}});
  // Short texts keep their first characters: "VK" is read as a hex number.
  ExpectCodes({{"VK", 0}});
}

TEST(KeyNames, EveryNamedKey) {
  ExpectCodes({{"F1", 112},       {"F9", 120},         {"F10", 121},       {"F19", 130},      {"F20", 131},
               {"F24", 135},      {"SHIFT", 16},       {"CTRL", 17},       {"CONTROL", 17},   {"ALT", 18},
               {"MENU", 18},      {"PAUSE", 19},       {"CAPSLOCK", 20},   {"ESCAPE", 27},    {"SPACE", 32},
               {"PAGEUP", 33},    {"PAGEDOWN", 34},    {"END", 35},        {"HOME", 36},      {"LEFT", 37},
               {"UP", 38},        {"RIGHT", 39},       {"DOWN", 40},       {"PRINTSCREEN", 44}, {"INSERT", 45},
               {"DELETE", 46},    {"NUMPAD0", 96},     {"NUMPAD6", 102},   {"NUMPAD9", 105},  {"MULTIPLY", 106},
               {"ADD", 107},      {"SEPARATOR", 108},  {"SUBTRACT", 109},  {"DECIMAL", 110},  {"DIVIDE", 111},
               {"NUMLOCK", 144},  {"SCROLLLOCK", 145}, {"LSHIFT", 160},    {"RSHIFT", 161},   {"LCTRL", 162},
               {"RCTRL", 163},    {"LALT", 164},       {"RALT", 165},      {"numpad6", 102},  {"PageUp", 33}});
  // Names players write for keys that had none: without them "ENTER" read
  // as 0xE and "TAB" as 0. A name that read as a key of its own ("DEL", 0xDE)
  // keeps that reading.
  ExpectCodes({{"ENTER", 13}, {"RETURN", 13}, {"TAB", 9}, {"BACKSPACE", 8}, {"BACK", 8}, {"ESC", 27},
               {"INS", 45},   {"PGUP", 33},   {"PGDN", 34}, {"LWIN", 91},     {"RWIN", 92}, {"APPS", 93},
               {"NUM6", 102}, {"DEL", 0xDE}});
  // Not a key of the table, though Windows knows it.
  ExpectCodes({{"F25", 0x0F25}});
}

TEST(KeyNames, OtherTextsReadAsHexadecimal) {
  ExpectCodes({{"0x72", 114}, {"0X72", 114}, {"72", 114}, {"1BZ", 27}, {"0x", 0}, {"", 0}});
  // Three F's are a code above 255, which no key query ever reports pressed.
  ExpectCodes({{"FFF", 4095}, {"fff", 4095}});
  // Mouse buttons and other words are no key.
  ExpectCodes({{"MOUSE4", 0}, {"XBUTTON1", 0}, {"LBUTTON", 0}});
}

TEST(KeyNames, NumbersOutsideTheKeyRangeComeBackAsTheyAre) {
  EXPECT_LT(KeyNameToCode("-1"), 0);
  EXPECT_LT(KeyNameToCode("-0x10"), 0);
  EXPECT_GT(KeyNameToCode("7FFFFFFF"), 255);
  // Too large for 32 bits: the read saturates rather than wrapping into range.
  const int huge = KeyNameToCode("FFFFFFFFFFFFFFFFFFFF");
  EXPECT_TRUE(huge < 0 || huge > 255) << huge;
}

}  // namespace
