// The native invocation layer and the catalogue, seen from the host side.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "host/native_invoke.h"
#include "host/natives.h"
#include "simulator.h"

namespace {

alignas(16) unsigned char outBuffer[256];

template <typename T>
T DefaultArgument() {
  if constexpr (std::is_same_v<T, const char*>) return "";
  else if constexpr (std::is_pointer_v<T>) return reinterpret_cast<T>(outBuffer);
  else return T{};
}

template <typename R, typename... A>
void CallWithDefaults(R (*wrapper)(A...)) {
  wrapper(DefaultArgument<A>()...);
}

TEST(NativeLayer, PushesNarrowValuesIntoTheLowHalfOfAZeroedWord) {
  sim::Simulator world;
  native::GetRandomIntInRange(-1, 7);
  native::SetParticleFxNonLoopedAlpha(-50.0f);
  native::SetEntityVisible(5, true);
  native::GetRandomFloatInRange(1.0f, 0.5f);
  const auto& calls = world.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].words[0], 0x00000000FFFFFFFFull);
  EXPECT_EQ(calls[0].words[1], 7u);
  EXPECT_EQ(calls[1].words[0], 0x00000000C2480000ull);
  EXPECT_EQ(calls[2].words[1], 1u);
  EXPECT_EQ(calls[3].words[0], 0x000000003F800000ull);
}

TEST(NativeLayer, PushesStringsAndOutParametersAsAddresses) {
  sim::Simulator world;
  static const char kDictionary[] = "mech_inventory@smoking@cigarette";
  native::DoesAnimDictExist(kDictionary);
  Entity handle = 77;
  native::DeleteObject(&handle);
  const auto& calls = world.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].words[0], reinterpret_cast<uintptr_t>(kDictionary));
  EXPECT_EQ(calls[0].S(0), kDictionary);
  EXPECT_EQ(calls[1].words[0], reinterpret_cast<uintptr_t>(&handle));
}

TEST(NativeLayer, NoArgumentNativeIsInitThenCall) {
  sim::Simulator world;
  native::PlayerPedId();
  ASSERT_EQ(world.Calls().size(), 1u);
  EXPECT_TRUE(world.Calls()[0].words.empty());
  EXPECT_TRUE(world.Errors().empty());
}

TEST(NativeLayer, VectorResultKeepsEachComponentAtTheStartOfItsWord) {
  sim::Simulator world;
  world.Handle("GetOffsetFromEntityGivenWorldCoords",
               [](const sim::Call&, sim::Result& r) { r.Vector(1.5f, -2.0f, 3.25f); });
  Vector3 v = native::GetOffsetFromEntityGivenWorldCoords(1, 0.0f, 0.0f, 0.0f);
  unsigned char raw[sizeof v];
  std::memcpy(raw, &v, sizeof v);
  float z = 0;
  std::memcpy(&z, raw + 16, sizeof z);
  EXPECT_EQ(v.x, 1.5f);
  EXPECT_EQ(v.y, -2.0f);
  EXPECT_EQ(z, 3.25f);
}

// One row of the catalogue: one invocation of its own hash, one word per
// argument. A function rather than the body of the row macro, so the 145 rows
// are 145 calls and not 145 copies of the assertions.
template <typename Wrapper>
void CheckRow(sim::Simulator& world, Wrapper wrapper, uint64_t nativeHash, const char* row) {
  SCOPED_TRACE(row);
  const size_t before = world.Calls().size();
  CallWithDefaults(wrapper);
  ASSERT_EQ(world.Calls().size(), before + 1);
  EXPECT_EQ(world.Calls().back().hash, nativeHash);
  EXPECT_STREQ(world.Calls().back().Name(), row);
  EXPECT_EQ(world.Calls().back().words.size(), sim::FindNative(row)->args.size());
}

TEST(NativeCatalogue, EveryWrapperInvokesItsOwnHashOnce) {
  sim::Simulator world;
  size_t rows = 0;
#define CHECK_ROW(Row, NativeHash, Result, ...) \
  ++rows;                                       \
  CheckRow(world, native::Row, NativeHash, #Row);
  EMBERWICK_NATIVE_CATALOGUE(CHECK_ROW)
#undef CHECK_ROW
  EXPECT_EQ(rows, 146u);
  EXPECT_TRUE(world.Errors().empty());
}

TEST(NativeCatalogue, ArgumentCountsFixedByTheirCallers) {
  auto count = [](const char* name) { return sim::FindNative(name)->args.size(); };
  EXPECT_EQ(count("AttachEntityToEntity"), 17u);
  EXPECT_EQ(count("TaskPlayAnim"), 13u);
  EXPECT_EQ(count("ApplyForceToEntity"), 14u);
  EXPECT_EQ(count("TaskPlayEmoteWithHash"), 9u);
  EXPECT_EQ(count("StartParticleFxLoopedOnPedBone"), 13u);
  EXPECT_EQ(count("StartNetworkedParticleFxLoopedOnEntity"), 12u);
  EXPECT_EQ(count("InventoryAddItemWithGuid"), 7u);
  EXPECT_EQ(count("IsAnimSceneCamActive"), 0u);
}

TEST(NativeCatalogue, HashStringIsTheGamesNameHash) {
  sim::Simulator world;
  // The hash the plug-in relies on for the fence scenario variation.
  EXPECT_EQ(native::GetHashKey("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F"), 0xDE41D495u);
  EXPECT_EQ(native::GetHashKey("player_zero"), native::GetHashKey("PLAYER_ZERO"));
  EXPECT_EQ(world.hashes.Name(native::GetHashKey("INPUT_OPEN_JOURNAL")), "INPUT_OPEN_JOURNAL");
}

}  // namespace
