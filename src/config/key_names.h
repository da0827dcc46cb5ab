// Key names of the settings file ("N", ",", "VK_F5", "NUMPAD6", "0x72") to
// Windows virtual-key codes.
//
// The table of names and its look-ups are header-only so that the simulator
// reads the keys of its sessions with the very same names without linking the
// plug-in. A name added to the table is one that both settings and sessions
// accept; KeyCodeName prints it.
#pragma once

#include <string>
#include <string_view>

struct KeyName {
  std::string_view name;  // upper case
  int code;
};

// Every key with a name of its own; letters and digits are their own names and
// codes. Where two names share a code, the first is the one printed.
inline constexpr KeyName kKeyNames[] = {
    {"SHIFT", 16},      {"CTRL", 17},      {"CONTROL", 17},     {"ALT", 18},          {"MENU", 18},
    {"PAUSE", 19},      {"CAPSLOCK", 20},  {"ESCAPE", 27},      {"SPACE", 32},        {"PAGEUP", 33},
    {"PAGEDOWN", 34},   {"END", 35},       {"HOME", 36},        {"LEFT", 37},         {"UP", 38},
    {"RIGHT", 39},      {"DOWN", 40},      {"PRINTSCREEN", 44}, {"INSERT", 45},       {"DELETE", 46},
    {"NUMPAD0", 96},    {"NUMPAD1", 97},   {"NUMPAD2", 98},     {"NUMPAD3", 99},      {"NUMPAD4", 100},
    {"NUMPAD5", 101},   {"NUMPAD6", 102},  {"NUMPAD7", 103},    {"NUMPAD8", 104},     {"NUMPAD9", 105},
    {"MULTIPLY", 106},  {"ADD", 107},      {"SEPARATOR", 108},  {"SUBTRACT", 109},    {"DECIMAL", 110},
    {"DIVIDE", 111},    {"F1", 112},       {"F2", 113},         {"F3", 114},          {"F4", 115},
    {"F5", 116},        {"F6", 117},       {"F7", 118},         {"F8", 119},          {"F9", 120},
    {"F10", 121},       {"F11", 122},      {"F12", 123},        {"F13", 124},         {"F14", 125},
    {"F15", 126},       {"F16", 127},      {"F17", 128},        {"F18", 129},         {"F19", 130},
    {"F20", 131},       {"F21", 132},      {"F22", 133},        {"F23", 134},         {"F24", 135},
    {"NUMLOCK", 144},   {"SCROLLLOCK", 145}, {"LSHIFT", 160},   {"RSHIFT", 161},      {"LCTRL", 162},
    {"RCTRL", 163},     {"LALT", 164},     {"RALT", 165},
    // Punctuation, by the key that carries it on a US layout.
    {";", 186},         {"=", 187},        {",", 188},          {"-", 189},           {".", 190},
    {"/", 191},         {"`", 192},        {"[", 219},          {"\\", 220},          {"]", 221},
    {"'", 222},
    // Names players write that would otherwise read as no key at all (as a
    // hexadecimal number: "ESC" as 0xE, "BACKSPACE" as 0xBAC, "TAB" as 0).
    // After the names above, so that a code keeps printing with its first name.
    {"BACKSPACE", 8},   {"BACK", 8},       {"TAB", 9},          {"ENTER", 13},        {"RETURN", 13},
    {"CAPS", 20},       {"CAPITAL", 20},   {"ESC", 27},         {"SPACEBAR", 32},     {"PGUP", 33},
    {"PRIOR", 33},      {"PGDN", 34},      {"NEXT", 34},        {"PRTSC", 44},        {"SNAPSHOT", 44},
    {"INS", 45},        {"LWIN", 91},      {"RWIN", 92},        {"APPS", 93},         {"NUM0", 96},
    {"NUM1", 97},       {"NUM2", 98},      {"NUM3", 99},        {"NUM4", 100},        {"NUM5", 101},
    {"NUM6", 102},      {"NUM7", 103},     {"NUM8", 104},       {"NUM9", 105},        {"SCROLL", 145},
    {"LCONTROL", 162},  {"RCONTROL", 163}, {"LMENU", 164},      {"RMENU", 165},       {"SEMICOLON", 186},
    {"PLUS", 187},      {"EQUALS", 187},   {"MINUS", 189},      {"PERIOD", 190},      {"SLASH", 191},
    {"TILDE", 192},     {"BACKSLASH", 220}, {"QUOTE", 222},
};

// The code of a name of the table, given in upper case; -1 when it is none.
constexpr int FindKeyCode(std::string_view upperName) {
  for (const KeyName& key : kKeyNames) {
    if (key.name == upperName) return key.code;
  }
  return -1;
}

// The name a code is printed with: the table's, or the letter or digit it
// is; empty when it has none.
constexpr std::string_view KeyCodeName(int code) {
  for (const KeyName& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (size_t i = 0; i < kLettersAndDigits.size(); ++i) {
    if (kLettersAndDigits[i] == code) return kLettersAndDigits.substr(i, 1);
  }
  return {};
}

// What a setting's key name reads as. Names take an optional "VK_" or "vk_";
// any other single character is its own (upper-case) byte, and any other text
// is read as a hexadecimal number, which may well be no key at all.
int KeyNameToCode(const std::string& text);

// What a code is on a Windows keyboard.
enum class KeyCodeUse {
  Key,          // a key sends it
  MouseButton,  // 1, 2 and 4 to 6: only polling (compatibility mode) sees them
  NoKey,        // reserved or unassigned: nothing sends it
  OutOfRange,   // below 0 or above 255: the key table has no entry for it
};
constexpr KeyCodeUse UseOfKeyCode(int code) {
  if (code < 0 || code > 255) return KeyCodeUse::OutOfRange;
  if (code == 1 || code == 2 || (code >= 4 && code <= 6)) return KeyCodeUse::MouseButton;
  constexpr int kNoKey[][2] = {{0, 0},     {7, 7},     {10, 11},   {14, 15},   {58, 64},   {94, 94},
                               {136, 143}, {151, 159}, {184, 185}, {193, 218}, {224, 224}, {232, 232},
                               {255, 255}};
  for (const auto& range : kNoKey) {
    if (code >= range[0] && code <= range[1]) return KeyCodeUse::NoKey;
  }
  return KeyCodeUse::Key;
}

// Keys held together, written with "+" between them ("END+NUMPAD6"): the
// reload combination.
struct KeyCombination {
  static constexpr int kMaxKeys = 4;
  int keys[kMaxKeys] = {};
  int count = 0;
};
// Each part, spaces around it aside, is read as KeyNameToCode reads a key.
// Empty when the text is empty, has an empty part or more than kMaxKeys parts.
KeyCombination ParseKeyCombination(const std::string& text);
// The combination has keys, and a keyboard sends every one of them.
bool IsUsableCombination(const KeyCombination& combination);
