#include "config/key_names.h"

#include <cstdint>
#include <sstream>
#include <unordered_map>

namespace {

std::string ToUpper(std::string text) {
  // Through unsigned char: bytes of 128 and up must not reach toupper as negatives.
  for (char& c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') c = static_cast<char>(byte - 'a' + 'A');
  }
  return text;
}

// Letters and digits are their own codes; punctuation maps to the key that
// carries it on a US layout.
const std::unordered_map<char, int>& SingleCharacterCodes() {
  static const std::unordered_map<char, int> table = [] {
    std::unordered_map<char, int> codes;
    for (char c = 'A'; c <= 'Z'; ++c) codes[c] = c;
    for (char c = '0'; c <= '9'; ++c) codes[c] = c;
    codes[';'] = 186;
    codes['='] = 187;
    codes[','] = 188;
    codes['-'] = 189;
    codes['.'] = 190;
    codes['/'] = 191;
    codes['`'] = 192;
    codes['['] = 219;
    codes['\\'] = 220;
    codes[']'] = 221;
    codes['\''] = 222;
    return codes;
  }();
  return table;
}

const std::unordered_map<std::string, int>& NamedKeyCodes() {
  static const std::unordered_map<std::string, int> table = [] {
    std::unordered_map<std::string, int> codes;
    for (int i = 1; i <= 24; ++i) codes["F" + std::to_string(i)] = 111 + i;
    for (int i = 0; i <= 9; ++i) codes["NUMPAD" + std::to_string(i)] = 96 + i;
    const std::pair<const char*, int> named[] = {
        {"SHIFT", 16},       {"CTRL", 17},       {"CONTROL", 17},   {"ALT", 18},       {"MENU", 18},
        {"PAUSE", 19},       {"CAPSLOCK", 20},   {"ESCAPE", 27},    {"SPACE", 32},     {"PAGEUP", 33},
        {"PAGEDOWN", 34},    {"END", 35},        {"HOME", 36},      {"LEFT", 37},      {"UP", 38},
        {"RIGHT", 39},       {"DOWN", 40},       {"PRINTSCREEN", 44}, {"INSERT", 45},  {"DELETE", 46},
        {"MULTIPLY", 106},   {"ADD", 107},       {"SEPARATOR", 108}, {"SUBTRACT", 109}, {"DECIMAL", 110},
        {"DIVIDE", 111},     {"NUMLOCK", 144},   {"SCROLLLOCK", 145}, {"LSHIFT", 160}, {"RSHIFT", 161},
        {"LCTRL", 162},      {"RCTRL", 163},     {"LALT", 164},     {"RALT", 165},
    };
    for (const auto& [name, code] : named) codes[name] = code;
    return codes;
  }();
  return table;
}

// Hexadecimal stream extraction: an optional "0X" is skipped first, reading
// stops at the first non-digit, and no digit at all reads as 0.
int ReadHexadecimal(const std::string& upper) {
  std::istringstream stream(upper.rfind("0X", 0) == 0 ? upper.substr(2) : upper);
  int32_t value = 0;
  stream >> std::hex >> value;
  return value;
}

}  // namespace

int KeyNameToCode(const std::string& text) {
  if (text.empty()) return 0;
  std::string name = text;
  if (name.size() > 2 && (name.rfind("VK_", 0) == 0 || name.rfind("vk_", 0) == 0)) name.erase(0, 3);

  if (name.size() == 1) {
    char upper = ToUpper(name)[0];
    const auto& single = SingleCharacterCodes();
    auto found = single.find(upper);
    if (found != single.end()) return found->second;
    return static_cast<unsigned char>(upper);
  }

  std::string upper = ToUpper(name);
  const auto& named = NamedKeyCodes();
  auto found = named.find(upper);
  if (found != named.end()) return found->second;
  return ReadHexadecimal(upper);
}
