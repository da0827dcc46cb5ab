#include "real_pc.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "session.h"
#include "simulator.h"

namespace sim {
namespace {

constexpr uint64_t kTickWrapMs = uint64_t{1} << 32;

std::string Ms(int64_t ms) { return std::to_string(ms) + " ms"; }

// A key as the timeline names it: its letter or digit, F1 to F24, or its code.
std::string KeyLabel(int key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", key);
  return code;
}

bool ReadDuration(const std::vector<std::string>& args, size_t at, int64_t& ms, std::string& error,
                  const char* usage) {
  ms = args.size() > at ? ParseDurationMs(args[at]) : -1;
  if (ms < 0) error = std::string("usage: ") + usage;
  return ms >= 0;
}

// "+5min" or "-300s": a signed duration.
bool ReadShift(const std::string& text, int64_t& ms) {
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return false;
  const int64_t size = ParseDurationMs(text.substr(1));
  if (size < 0) return false;
  ms = text[0] == '-' ? -size : size;
  return true;
}

void Foreground(Simulator& sim, bool game) {
  Keyboard& keyboard = sim.world.keyboard;
  if (keyboard.gameInForeground == game) return;
  keyboard.gameInForeground = game;
  if (game) {
    sim.Event("window", "the game is in the foreground");
    return;
  }
  std::string held;
  for (int key = 0; key < 256; ++key) {
    if (keyboard.down[key]) held += (held.empty() ? "" : ", ") + KeyLabel(key);
  }
  sim.Event("window", "another window is in front" +
                          (held.empty() ? std::string() : "; held: " + held + " (the key-ups go to that window)"));
}

// Runs `ms` of frames with one clock held still.
void HoldStill(Simulator& sim, void (Simulator::*hold)(bool), int64_t ms, const std::string& what) {
  sim.Event("pc", what + " stands still for " + Ms(ms), what, Span::Begin);
  (sim.*hold)(true);
  sim.RunMs(ms);
  (sim.*hold)(false);
  sim.Event("pc", what + " runs again", what, Span::End);
}

}  // namespace

void InstallRealPc(Simulator& sim) {
  // What the frame hook below last saw: the frame rate, and how many times
  // the tick count's low 32 bits have started again from 0.
  struct Seen {
    int64_t frameUs = 0;
    uint64_t tickEpoch = 0;
  };
  auto seen = std::make_shared<Seen>();

  sim.AddCommand("hitch", [&sim](const std::vector<std::string>& args, std::string& error) {
    int64_t ms = 0;
    if (!ReadDuration(args, 0, ms, error, "hitch 2s")) return false;
    sim.Event("pc", "a hitch: this frame lasts " + Ms(ms));
    sim.RunLongFrame(ms * 1000);
    return true;
  });

  sim.AddCommand("pause", [&sim](const std::vector<std::string>& args, std::string& error) {
    int64_t ms = 0;
    if (!ReadDuration(args, 0, ms, error, "pause 3s")) return false;
    HoldStill(sim, &Simulator::HoldGameTimer, ms, "the game's timer");
    return true;
  });

  sim.AddCommand("clock", [&sim, seen](const std::vector<std::string>& args, std::string& error) {
    const char* usage = "clock tick still 3s | clock tick wrap 2s | clock system -5min";
    if (args.size() == 3 && args[0] == "tick" && args[1] == "still") {
      int64_t ms = 0;
      if (!ReadDuration(args, 2, ms, error, usage)) return false;
      HoldStill(sim, &Simulator::HoldTickCount, ms, "the tick count");
      return true;
    }
    if (args.size() == 3 && args[0] == "tick" && args[1] == "wrap") {
      int64_t ms = 0;
      if (!ReadDuration(args, 2, ms, error, usage)) return false;
      if (static_cast<uint64_t>(ms) >= kTickWrapMs) {
        error = "the tick count wraps every 2^32 ms";
        return false;
      }
      const uint64_t now = sim.TickCount64();
      const uint64_t target = (now / kTickWrapMs + 1) * kTickWrapMs - static_cast<uint64_t>(ms);
      sim.ShiftTickCountMs(target >= now ? target - now : target + kTickWrapMs - now);
      seen->tickEpoch = sim.TickCount64() / kTickWrapMs;  // a jump is no wrap
      sim.Event("pc", "the tick count moves on to " + std::to_string(sim.TickCount64()) + " ms: it passes 2^32 ms in " +
                          Ms(ms));
      return true;
    }
    int64_t ms = 0;
    if (args.size() == 2 && args[0] == "system" && ReadShift(args[1], ms)) {
      sim.ShiftSystemTime100ns(ms * 10'000);
      sim.Event("pc", std::string("the system clock is set ") + (ms < 0 ? "back " : "forward ") + Ms(ms < 0 ? -ms : ms));
      return true;
    }
    error = std::string("usage: ") + usage;
    return false;
  });

  sim.AddCommand("foreground", [&sim](const std::vector<std::string>& args, std::string& error) {
    if (args.size() != 1 || (args[0] != "game" && args[0] != "other")) {
      error = "foreground is 'game' or 'other'";
      return false;
    }
    Foreground(sim, args[0] == "game");
    return true;
  });

  // The timeline tells when the frame rate changes and when the tick count's
  // low 32 bits start again from 0.
  sim.AddFrameStartHook([&sim, seen] {
    const uint64_t epoch = sim.TickCount64() / kTickWrapMs;
    if (sim.Frame() == 0) {
      seen->frameUs = sim.FrameUs();
      seen->tickEpoch = epoch;
      return;
    }
    if (sim.FrameUs() != seen->frameUs) {
      seen->frameUs = sim.FrameUs();
      char text[64];
      std::snprintf(text, sizeof text, "the frame rate is now %.0f fps", 1e6 / static_cast<double>(sim.FrameUs()));
      sim.Event("pc", text);
    }
    if (epoch != seen->tickEpoch) {
      seen->tickEpoch = epoch;
      sim.Event("pc", "the tick count passes 2^32 ms: its low 32 bits start again from 0");
    }
  });
}

}  // namespace sim
