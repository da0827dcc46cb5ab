#include "config/key_names.h"

#include <cstdint>
#include <sstream>

namespace {

std::string ToUpper(std::string text) {
  // Through unsigned char: bytes of 128 and up must not reach toupper as negatives.
  for (char& c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') c = static_cast<char>(byte - 'a' + 'A');
  }
  return text;
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

  const std::string upper = ToUpper(name);
  const int named = FindKeyCode(upper);
  if (named >= 0) return named;
  if (upper.size() == 1) return static_cast<unsigned char>(upper[0]);
  return ReadHexadecimal(upper);
}

KeyCombination ParseKeyCombination(const std::string& text) {
  KeyCombination combination;
  if (text.empty()) return combination;
  size_t start = 0;
  for (;;) {
    const size_t plus = text.find('+', start);
    std::string part = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    // "END + NUMPAD6" reads as "END+NUMPAD6".
    part.erase(0, part.find_first_not_of(" \t"));
    part.erase(part.find_last_not_of(" \t") + 1);
    if (part.empty() || combination.count == KeyCombination::kMaxKeys) return KeyCombination{};
    combination.keys[combination.count++] = KeyNameToCode(part);
    if (plus == std::string::npos) return combination;
    start = plus + 1;
  }
}

bool IsUsableCombination(const KeyCombination& combination) {
  if (combination.count == 0) return false;
  for (int i = 0; i < combination.count; ++i) {
    if (UseOfKeyCode(combination.keys[i]) != KeyCodeUse::Key) return false;
  }
  return true;
}
