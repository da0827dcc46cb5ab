// A session names keys as the settings do: every name of the plug-in's table
// reads as the same key in both, in either case and with the "VK_" prefix,
// and a code prints as a name that reads back as that code.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "config/key_names.h"
#include "session.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

TEST(SessionKeyNames, EveryKeyNameReadsAndPrintsAlikeInSettingsAndSessions) {
  std::vector<KeyName> keys(std::begin(kKeyNames), std::end(kKeyNames));
  constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (size_t i = 0; i < kLettersAndDigits.size(); ++i) {
    keys.push_back({kLettersAndDigits.substr(i, 1), kLettersAndDigits[i]});
  }
  for (const KeyName& key : keys) {
    const std::string name(key.name);
    for (const std::string& written : {name, Lower(name), "VK_" + name, "vk_" + Lower(name)}) {
      EXPECT_EQ(KeyNameToCode(written), key.code) << "in a setting: " << written;
      EXPECT_EQ(sim::ParseKeyName(written), key.code) << "in a session: " << written;
    }
    const std::string printed(KeyCodeName(key.code));
    EXPECT_EQ(KeyNameToCode(printed), key.code) << "printed as " << printed;
  }
  EXPECT_EQ(KeyCodeName(17), "CTRL") << "the first of two names prints";
  EXPECT_EQ(KeyCodeName(0), "");
  EXPECT_EQ(sim::ParseKeyName("ENTER"), 13);
  EXPECT_EQ(sim::ParseKeyName("tab"), 9);
  EXPECT_EQ(sim::ParseKeyName("BACKSPACE"), 8);
}

}  // namespace
