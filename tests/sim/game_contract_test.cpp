// The simulator holds every native call to the game's signature, not to the
// plug-in's catalogue: a call with the wrong number of words, or a word that
// cannot be of the kind the game takes there, is a fault of the host
// interface, and the world does nothing with it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/native_invoke.h"
#include "host/natives.h"
#include "simulator.h"

namespace {

TEST(GameContract, CallsThatBreakTheGamesSignatureAreFaults) {
  int handle = 0;
  const struct {
    const char* what;
    std::function<void()> call;
    const char* fault;  // empty: the call is right
  } cases[] = {
      {"the Dead Eye restore with two of its five arguments",
       [] { native::Invoke<0x51345AE20F22C261ull, void, int, float>(0, 1.5f); },
       "SpecialAbilityRestoreByAmount (PLAYER::_SPECIAL_ABILITY_RESTORE_BY_AMOUNT) invoked with 2 argument words; "
       "the game takes 5"},
      {"the Dead Eye restore as the game takes it",
       [] { native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 0); }, ""},
      {"a number where the game takes a clip dictionary's name",
       [] { native::Invoke<0xEA47FE3719165B94ull, void, int, int, const char*, float, float, int, int, float, int,
                           int, int, const char*, int>(1, 5, "clip", 1, 1, -1, 0, 1, 0, 0, 0, "", 0); },
       "TaskPlayAnim (TASK::TASK_PLAY_ANIM) argument 2: the game takes a string, the word 0x5 is no address"},
      {"an address where the game takes a 32-bit value",
       [&handle] { native::Invoke<0x0DF7692B1D9E7BA7ull, void, int*, int, bool>(&handle, 255, false); },
       "SetEntityAlpha (ENTITY::SET_ENTITY_ALPHA) argument 1: the game takes a 32-bit value"},
      {"an integer where the game takes a float",
       [] { native::Invoke<0xAE72E7DF013AAA61ull, void, int, uint32_t, uint32_t, int, int, int>(1, 2, 3, 1, 0, 1); },
       "argument 6: the game takes a float, the word 0x1 is the integer 1"},
      {"a variadic native without its fixed argument",
       [] { native::Invoke<0xFA925AC00EB830B9ull, const char*>(); },
       "VarString (MISC::VAR_STRING) invoked with 0 argument words; the game takes at least 1"},
      {"a variadic native with its tail", [] { native::VarString(10, "LITERAL_STRING", "Smoke"); }, ""},
      {"a hash the game does not know", [] { native::Invoke<0x0123456789ABCDEFull, void>(); },
       "native 0x0123456789ABCDEF is not a native of the game"},
      {"a native of the game the simulator does not model",
       [] { native::Invoke<0x0000000050597EE2ull, float>(); },
       "native 0x0000000050597EE2 (BUILTIN::TIMESTEP) is not one the simulator models"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim::Simulator world;
    c.call();
    const std::string expected = c.fault;
    if (expected.empty()) {
      EXPECT_TRUE(world.Errors().empty()) << world.Errors().front();
      continue;
    }
    ASSERT_EQ(world.Errors().size(), 1u);
    EXPECT_NE(world.Errors()[0].find(expected), std::string::npos) << world.Errors()[0];
  }
}

TEST(GameContract, TheWorldDoesNothingWithAFaultyCall) {
  sim::Simulator world;
  native::Invoke<0x51345AE20F22C261ull, void, int, float>(0, 1.5f);
  EXPECT_FALSE(world.timeline.Contains("deadeye"));
  native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 0);
  EXPECT_TRUE(world.timeline.Contains("deadeye", "restored by 1.5"));
}

// A value that no call of the game's own scripts passes is no fault, but the
// timeline says so, once for each value.
TEST(GameContract, AValueTheGamesScriptsNeverPassIsOnTheTimelineOnce) {
  sim::Simulator world;
  native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 0);
  native::InventoryGetInventoryItemCountWithItemId(1, 5, false);
  EXPECT_FALSE(world.timeline.Contains("usage"));
  native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 1);
  native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 1);
  EXPECT_EQ(world.timeline.Count("usage"), 1u);
  EXPECT_TRUE(world.timeline.Contains(
      "usage", "SpecialAbilityRestoreByAmount passes 1 as p4, where the game's own scripts pass 0"));
  Hash weapon = 0;
  native::GetCurrentPedWeapon(native::PlayerPedId(), &weapon, false, 10, false);
  EXPECT_TRUE(world.timeline.Contains("usage", "GetCurrentPedWeapon passes 10 as attachPoint"));
  EXPECT_TRUE(world.Errors().empty());
}

}  // namespace
