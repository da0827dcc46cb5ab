// The plug-in hashes its game names itself, at build time; the game (here the
// simulator's GetHashKey) must get the very same numbers, and the simulator
// must print every one of them as its name.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "hashes.h"
#include "host/game_names.h"
#include "host/name_hash.h"

namespace {

// Hashes the game itself is known to give.
static_assert(GameName("PLAYER_ZERO") == 0x0D7114C9);
static_assert(GameName("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F") == 0xDE41D495);
static_assert(HashName("player_zero") == HashName("PLAYER_ZERO"));
static_assert(HashName("") == 0);

TEST(GameNames, EveryListedNameHashesAsTheGameDoesAndIsPrintedByName) {
  sim::HashNames simulatorNames;
  for (std::string_view name : kGameNames) {
    SCOPED_TRACE(std::string(name));
    const Hash hash = HashName(name);
    EXPECT_EQ(hash, sim::JoaatLower(name));
    EXPECT_EQ(simulatorNames.Name(hash), name);
    // The game's hash ignores case, whichever case the code spells.
    std::string lower(name);
    std::string upper(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(HashName(lower), hash);
    EXPECT_EQ(sim::JoaatLower(upper), hash);
  }
}

TEST(GameNames, NamesFromTheSettingsArePrintedByName) {
  sim::HashNames simulatorNames;
  simulatorNames.LearnSettingValues("[Scenarios]\r\nSCENARIO4_TYPE = WORLD_HUMAN_SHOPKEEPER \r\n; a=comment\n");
  EXPECT_EQ(simulatorNames.Name(HashName("WORLD_HUMAN_SHOPKEEPER")), "WORLD_HUMAN_SHOPKEEPER");
  EXPECT_FALSE(simulatorNames.Known(HashName("comment")));
}

}  // namespace
