// An hour of play: smokes started, moved, thrown and interrupted by whatever
// the world does, at random but the same every run. Nothing may be left behind
// and the heap may not grow.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "controller_fixture.h"
#include "world/leftovers.h"

// Live heap blocks of the whole test program, counted at the allocator's door.
namespace {
std::atomic<int64_t> liveBlocks{0};

void* Allocate(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return block;
}

void Release(void* block) noexcept {
  if (!block) return;
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

namespace {

using test::ControllerWorld;

constexpr int kPuffKey = 'Y';

class Soak : public ControllerWorld {
 protected:
  void SetUp() override {
    sim.recordCalls = false;
    // The world's own records would grow with the hour; the soak watches the
    // plug-in, so the timeline is emptied every frame and the game tidies away
    // what was thrown or dropped, as it does with litter.
    sim.AddFrameEndHook([this] { sim.timeline.Clear(); });
  }

  void TidyWorld() {
    std::vector<int> litter;
    for (const auto& [handle, entity] : sim.world.entities.all) {
      if (entity.createdByPlugin && entity.attachedTo == 0 && entity.type == sim::SimEntity::Type::Object &&
          handle != smokeProp && handle != matchProp && handle != mouthMarkerProp) {
        litter.push_back(handle);
      }
    }
    for (int handle : litter) sim.world.entities.Remove(handle);
    // The world's histories, kept for tests that look back.
    auto forget = [](auto& history) {
      history.clear();
      history.shrink_to_fit();
    };
    forget(sim.world.effects.stopped);
    forget(sim.world.effects.oneShots);
    forget(sim.world.effects.soundsPlayed);
    forget(sim.world.animation.clipsPlayed);
    forget(sim.world.inventory.changes);
  }

  void Wait(int64_t ms) {
    const int64_t end = sim.NowUs() + ms * 1000;
    while (sim.NowUs() < end) {
      sim.RunFrame();
      if (sim.Frame() % 600 == 0) TidyWorld();
    }
  }

  void Hold(int key, int ms) {
    sim.KeyDown(key);
    Wait(ms);
    sim.KeyUp(key);
  }

  // Sets a world setting for a while, then back.
  void Episode(const std::string& setting, const std::string& on, const std::string& off, int ms) {
    Set(setting, on);
    Wait(ms);
    Set(setting, off);
  }

  // The key of one of the kinds, at random.
  int AKindsKey() {
    return *kSmokeKinds[std::uniform_int_distribution<size_t>(0, kSmokeKinds.size() - 1)(rng_)]->key;
  }

  // One random thing the player or the world does.
  void Step() {
    std::uniform_int_distribution<int> pick(0, 24);
    std::uniform_int_distribution<int> shortMs(100, 3000);
    switch (pick(rng_)) {
      case 0: case 1: case 2: case 3: case 4: Hold(AKindsKey(), 500); break;  // light, or hand <-> mouth
      case 5: case 6: Hold(AKindsKey(), 120); break;                          // tap: throw or quick smoke
      case 7: Hold(kPuffKey, 150); break;
      case 8: Set("player.weapon", "WEAPON_REVOLVER_CATTLEMAN"); PressOnce(QuickSelectControls[pick(rng_) % 9]); break;
      case 9: Episode("player.mounted", "true", "false", shortMs(rng_) * 6); break;
      case 10: Set("player.speed", "6.5"); Episode("player.sprinting", "true", "false", shortMs(rng_)); Set("player.speed", "0"); break;
      case 11: Episode("player.ragdoll", "true", "false", shortMs(rng_)); break;
      case 12: Episode("player.dead", "true", "false", shortMs(rng_)); break;
      case 13: Episode("player.underwater", "true", "false", shortMs(rng_)); break;
      case 14: Episode("player.submerged", "0.7", "0", shortMs(rng_)); break;
      case 15:
        Set("player.melee", "true");
        Set("player.melee_opponent", "true");
        Set("player.hit_by_opponent", pick(rng_) % 2 ? "21030" : "56200");
        Set("player.hit_opponent", pick(rng_) % 2 ? "true" : "false");
        Wait(shortMs(rng_));
        Set("player.hit_by_opponent", "0");
        Set("player.hit_opponent", "false");
        Set("player.melee_opponent", "false");
        Set("player.melee", "false");
        break;
      case 16:
        Set("camera.anim_scene", "true");
        Set("player.control", "false");
        Wait(shortMs(rng_) * 3);
        Set("player.control", "true");
        Set("camera.anim_scene", "false");
        break;
      case 17: Episode("camera.first_person", "true", "false", shortMs(rng_) * 2); break;
      case 18: Control("INPUT_OPEN_WHEEL_MENU", "press"); Wait(shortMs(rng_)); Control("INPUT_OPEN_WHEEL_MENU", "release"); break;
      case 19: PressOnce("INPUT_OPEN_JOURNAL"); break;
      case 20: PressOnce(pick(rng_) % 2 ? "INPUT_INTERACT_ANIMAL" : "INPUT_ENTER"); break;
      case 21: Episode("deadeye.active", "true", "false", shortMs(rng_)); break;
      case 22: Set("deadeye.core", std::to_string(pick(rng_) * 4)); break;
      case 23: Episode("player.aiming", "true", "false", shortMs(rng_) * 4); break;
      default: Episode("player.running", "true", "false", shortMs(rng_)); break;
    }
    Wait(std::uniform_int_distribution<int>(200, 15000)(rng_));
  }

  // Ends whatever is smoked the way the world would: the player falls over
  // (long enough for a prop still being lit to appear and drop), then the
  // embers of the dropped prop die down.
  void EndTheSession() {
    for (const char* setting : {"player.mounted", "player.dead", "player.underwater", "camera.anim_scene",
                                "camera.first_person", "player.sprinting", "player.running", "deadeye.active"}) {
      Set(setting, "false");
    }
    Set("player.control", "true");
    Episode("player.ragdoll", "true", "false", 6000);
    Wait(6000);
    TidyWorld();
  }

  std::mt19937 rng_{20261208};
};

TEST_F(Soak, AnHourOfRandomPlayLeavesNothingBehindAndTheHeapFlat) {
  Begin(
      "[Smoking]\nREGEN_DEAD_EYE_CONSTANT_RATE_ENABLED=true\n"
      "[Cutscenes]\nFORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n"
      "[Advanced]\nHIDE_PROP_IN_FIRST_PERSON=true\nSWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true\n");
  // Warm-up: every kind of step once, so that the world's tables of names and
  // controls are filled before the heap is measured.
  const int64_t warmUpEnd = sim.NowUs() + int64_t{5} * 60 * 1'000'000;
  while (sim.NowUs() < warmUpEnd) Step();
  EndTheSession();
  const int64_t blocksAfterWarmUp = liveBlocks.load();

  const int64_t end = sim.NowUs() + int64_t{60} * 60 * 1'000'000;
  int steps = 0;
  while (sim.NowUs() < end) {
    Step();
    ++steps;
  }
  EndTheSession();
  const int64_t growth = liveBlocks.load() - blocksAfterWarmUp;

  EXPECT_GT(steps, 300);
  EXPECT_LE(growth, 64) << "live heap blocks grew by " << growth << " over the hour";
  EXPECT_FALSE(activeSequence.running);
  EXPECT_TRUE(activeSequence.pending.empty());
  EXPECT_TRUE(secondarySequence.pending.empty());
  sim::Leftovers leftovers = sim::FindLeftovers(sim);
  EXPECT_TRUE(leftovers.Clean()) << sim::FormatLeftovers(leftovers);
  EXPECT_TRUE(sim.Errors().empty()) << sim.Errors().front();
}

}  // namespace
