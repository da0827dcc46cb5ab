#include "sweep_cases.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "plugin/main_loop.h"
#include "session.h"
#include "simulator.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "world/leftovers.h"

namespace sweep {

namespace {

constexpr int kSettleMs = 6000;  // a throw with its tail, a drop's smoke dying down, the temporary ped
// The most natives any frame of a case may make: a lighting's busiest frame
// makes well under half of it, a frame catching up after a hitch should not
// make more.
constexpr uint64_t kMostNativesInAFrame = 200;
constexpr int64_t kFrameUs = 16'667;

int SmokeKey() { return KEY_SMOKE; }

}  // namespace

// A play session of one case, run in the forked child.
class Play {
 public:
  explicit Play(const std::string& ini) {
    char pattern[] = "/tmp/emberwick-sweep-XXXXXX";
    if (mkdtemp(pattern) && chdir(pattern) == 0) dir_ = pattern;
    std::string error;
    if (!sim::WriteSettingsFile(ini, error)) Problem(error);
    sim.recordCalls = false;
    sim.AddFrameEndHook([this] {
      const uint64_t calls = sim.TotalCalls() - callsBefore_;
      callsBefore_ = sim.TotalCalls();
      if (calls > mostNativesInAFrame) mostNativesInAFrame = calls;
    });
    sim.AttachInProcess(&PluginDllMain);
    sim.RunFrame();
  }
  ~Play() {
    if (sim.Attached()) sim.Detach();
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  void Ms(int64_t ms) { sim.RunMs(ms); }
  void Set(const std::string& name, const std::string& value) {
    std::string error;
    if (!sim.Set(name, value, error)) Problem(error);
  }
  void Control(const std::string& input, const std::string& action, const std::string& duration = "") {
    std::vector<std::string> args = {input, action};
    if (!duration.empty()) args.push_back(duration);
    std::string error;
    if (!(*sim.FindCommand("control"))(args, error)) Problem(error);
  }
  void Key(int key, int ms) {
    sim.KeyDown(key);
    Ms(ms);
    sim.KeyUp(key);
  }
  void Episode(const std::string& setting, const std::string& on, const std::string& off, int ms) {
    Set(setting, on);
    Ms(ms);
    Set(setting, off);
  }
  bool RunUntil(const std::function<bool()>& done, int64_t ms) {
    const int64_t end = sim.NowUs() + ms * 1000;
    while (!done() && sim.NowUs() < end) sim.RunFrame();
    return done();
  }
  // A line of a session: the PC's clocks and windows (sim/real_pc.h).
  void Pc(const std::string& line) {
    std::string error;
    if (!sim::RunSession(sim, line, ".", error)) Problem(error);
  }
  void Problem(const std::string& text) { problems += (problems.empty() ? "" : "; ") + text; }

  sim::Simulator sim;
  std::string problems;
  uint64_t mostNativesInAFrame = 0;

 private:
  std::string dir_;
  uint64_t callsBefore_ = 0;
};

namespace {

// The smoke key goes down, another window comes to the front and gets its
// key-up, and the player is back two seconds later.
void AwayWithTheSmokeKeyHeld(Play& p) {
  p.sim.KeyDown(SmokeKey());
  p.Ms(100);
  p.Pc("foreground other");
  p.sim.KeyUp(SmokeKey());
  p.Ms(2000);
  p.Pc("foreground game");
}

}  // namespace

std::vector<Way> Ways() {
  std::vector<Way> ways;
  for (const SmokeKind* kind : kSmokeKinds) {
    const std::string name = kind->name;
    // A quick lighting that plays the game's emote is not chosen while emotes
    // are blocked; any quick lighting is not chosen while the player moves.
    const std::pair<std::string, std::string> noQuickLighting =
        kind->lighting.quickPlaysEmote ? std::pair<std::string, std::string>{"player.crouching", "true"}
                                       : std::pair<std::string, std::string>{"player.move_blend_ratio", "1.5"};
    ways.push_back({"standard " + name, kind, "", {noQuickLighting}, false, false});
    ways.push_back({"quick " + name, kind, "", {}, false, false});
    ways.push_back({"fallback " + name, kind, "", {{"player.weapon_holstered", "false"}}, false, false});
    // Lit as what it burns down to.
    if (kind->burnsDown) {
      ways.push_back({name + " with its alternative model", kind, "", {{"player.move_blend_ratio", "1.5"}}, false, true});
    }
  }
  // The game's emotes last as long as the quick smokes that play them.
  for (const SmokeKind* kind : kSmokeKinds) {
    ways.push_back({std::string("quick emote ") + kind->name, kind, "",
                    {{"emote.duration", std::to_string(kind->quick.durationMs)}}, true, false});
  }
  return ways;
}

std::vector<Interruption> Interruptions() {
  std::vector<Interruption> interruptions;
  for (const SmokeKind* kind : kSmokeKinds) {
    const std::string name = kind->name;
    interruptions.push_back({"tap of the " + name + " key", "", [kind](Play& p) { p.Key(*kind->key, 100); }});
    interruptions.push_back({"hold of the " + name + " key", "", [kind](Play& p) { p.Key(*kind->key, 600); }});
  }
  const std::vector<Interruption> others = {
    {"tap of the puff key", "", [](Play& p) { p.Key(KEY_TAKE_PUFF, 100); }},
    {"hold of the puff key",
     "[Smoking]\nPUFF_BUTTON_ENABLES_MANUAL_SMOKING=false\n",
     [](Play& p) { p.Key(KEY_TAKE_PUFF, 400); }},
    {"tap of the puff key in a throw's tail on horseback",
     "",
     [](Play& p) {
       p.Set("player.mounted", "true");
       p.Key(SmokeKey(), 100);
       p.Ms(3200);
       p.Key(KEY_TAKE_PUFF, 100);
       p.Ms(500);
       p.Set("player.mounted", "false");
     }},
    {"reload",
     "",
     [](Play& p) {
       p.sim.KeyDown(0x23);
       p.sim.KeyDown(0x66);
       p.sim.RunFrame();
       p.sim.KeyUp(0x66);
       p.sim.KeyUp(0x23);
     }},
    {"unload", "", [](Play& p) { p.sim.Detach(); }},
    {"ragdoll", "", [](Play& p) { p.Episode("player.ragdoll", "true", "false", 1000); }},
    {"death", "", [](Play& p) { p.Episode("player.dead", "true", "false", 1000); }},
    {"water", "", [](Play& p) { p.Episode("player.underwater", "true", "false", 1000); }},
    {"weapon selection",
     "",
     [](Play& p) {
       p.Set("player.weapon", "WEAPON_REVOLVER_CATTLEMAN");
       p.Control("INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT", "tap", "30ms");
     }},
    {"weapon wheel", "", [](Play& p) { p.Control("INPUT_OPEN_WHEEL_MENU", "tap", "500ms"); }},
    {"mounting", "", [](Play& p) { p.Episode("player.mounted", "true", "false", 2000); }},
    {"melee hit",
     "",
     [](Play& p) {
       p.Set("player.melee", "true");
       p.Set("player.melee_opponent", "true");
       p.Set("player.hit_by_opponent", "21030");
       p.Set("player.hit_opponent", "true");
       p.Ms(500);
       p.Set("player.hit_by_opponent", "0");
       p.Set("player.hit_opponent", "false");
       p.Set("player.melee_opponent", "false");
       p.Set("player.melee", "false");
     }},
    {"cutscene", "", [](Play& p) { p.Episode("camera.anim_scene", "true", "false", 1500); }},
    {"loss of control (stops)",
     "[Cutscenes]\nDISABLE_ON_CONTROL_LOSS=true\n",
     [](Play& p) { p.Episode("player.control", "false", "true", 1500); }},
    {"loss of control (keeps it in the mouth)",
     "[Cutscenes]\nFORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n",
     [](Play& p) { p.Episode("player.control", "false", "true", 1500); }},
    {"scenario from the menu",
     "",
     [](Play& p) {
       p.Key(KEY_TAKE_PUFF, 300);
       p.Ms(1000);
       p.Control("INPUT_DIVE", "tap");
       p.Ms(500);
       p.Control("INPUT_INTERACT_OPTION1", "tap");
     }},
    // A real PC.
    {"the frame rate going from 10 to 360 fps",
     "",
     [](Play& p) {
       p.sim.SetFrameUs(100'000);
       p.Ms(1500);
       p.sim.SetFrameUs(2'778);
       p.Ms(1500);
       p.sim.SetFrameUs(kFrameUs);
     }},
    {"a hitch of half a second", "", [](Play& p) { p.Pc("hitch 500ms"); }},
    {"a hitch of 5 s", "", [](Play& p) { p.Pc("hitch 5s"); }},
    {"a pause (the game's timer standing still 3 s)", "", [](Play& p) { p.Pc("pause 3s"); }},
    {"the tick count standing still 3 s", "", [](Play& p) { p.Pc("clock tick still 3s"); }},
    {"the tick count passing 2^32 ms in a tap of the smoke key",
     "",
     [](Play& p) {
       p.Pc("clock tick wrap 50ms");
       p.Key(SmokeKey(), 100);
     }},
    {"a hold of the smoke key auto-repeating at 20 fps",
     "",
     [](Play& p) {
       p.sim.SetFrameUs(50'000);
       p.Key(SmokeKey(), 1500);
       p.sim.SetFrameUs(kFrameUs);
     }},
    {"another window in front while the smoke key is held", "", &AwayWithTheSmokeKeyHeld},
    {"another window in front while the smoke key is held (compatibility mode)",
     "[General]\nCOMPATIBILITY_MODE_ENABLED=true\n", &AwayWithTheSmokeKeyHeld},
    {"the system clock set back 5 minutes", "", [](Play& p) { p.Pc("clock system -5min"); }},
    {"the system clock set forward 5 minutes", "", [](Play& p) { p.Pc("clock system +5min"); }},
  };
  interruptions.insert(interruptions.end(), others.begin(), others.end());
  return interruptions;
}

namespace {

bool Smoking() { return SmokedNow() != nullptr; }
// The emote smokes carry the game's own cigar, or let go of their cigarette
// by themselves at the end of the emote.
bool EmoteSmoking() { return QuickSmokeNow() != nullptr; }

// What the player would see once the world has settled.
void JudgeTheSettledWorld(Play& p) {
  const sim::Entities& entities = p.sim.world.entities;
  // A quick smoke ends with the game's emote, give or take the frames its
  // runner takes to notice.
  if (EmoteSmoking() && !p.sim.world.animation.EmotePlaying(entities.player)) {
    p.RunUntil([] { return !EmoteSmoking(); }, 250);
  }
  for (const auto& [handle, entity] : entities.all) {
    if (!entity.createdByPlugin || handle == entities.player) continue;
    const std::string what = entity.modelName + " #" + std::to_string(handle);
    if (entity.type == sim::SimEntity::Type::Ped) p.Problem("temporary ped " + what + " still exists");
    else if (entity.modelName == sim::kMouthMarkerModel) p.Problem("mouth marker " + what + " still exists");
    else if (entity.modelName == "p_matchstick01x" && entity.attachedTo != 0) p.Problem("match " + what + " still held");
    else if (entity.attachedTo == entities.player && handle != smokeProp) p.Problem(what + " on the player besides the smoke");
  }
  if (Smoking()) {
    const sim::SimEntity* prop = entities.Find(smokeProp);
    if (!prop || prop->attachedTo != entities.player) p.Problem("a smoke goes on without its prop");
    if (prop && prop->pushed) p.Problem("a thrown prop is back on the player");
    // The glow of a draw belongs between the lips.
    const TipEffect& glow = SmokedNow()->drawGlow;
    if (glow.slot && !propInMouth && p.sim.world.effects.CountRunning(glow.name)) {
      p.Problem(std::string("a ") + SmokedNow()->name + " in the hand still glows from a draw");
    }
    for (const auto& [handle, effect] : p.sim.world.effects.looped) {
      if (effect.entity != smokeProp && effect.entity != entities.player) {
        p.Problem("effect " + effect.name + " on entity " + std::to_string(effect.entity) + ", not on the smoke");
      }
    }
    if (!p.sim.world.effects.loopedSounds.empty()) p.Problem("sound " + p.sim.world.effects.loopedSounds[0].name);
  } else if (EmoteSmoking()) {
    if (!p.sim.world.animation.EmotePlaying(entities.player)) p.Problem("a quick smoke goes on without the game's emote");
  } else {
    const sim::Leftovers left = sim::FindLeftovers(p.sim);
    if (!left.Clean()) p.Problem("the smoke is over but " + sim::FormatLeftovers(left));
  }
}

// Nothing held and nothing smoked: no Dead Eye comes, and the next smoke lights.
void LightTheNextSmoke(Play& p) {
  p.Set("deadeye.core", "50");
  const size_t deadEyeBefore = p.sim.timeline.Count("deadeye");
  p.Ms(1500);
  if (p.sim.timeline.Count("deadeye") != deadEyeBefore) p.Problem("Dead Eye regenerates with nothing held");

  if (scenarioMenuOpen) p.Key(KEY_TAKE_PUFF, 100);
  if (scenarioActive) {
    p.Control("INPUT_MOVE_UP_ONLY", "tap", "300ms");
    p.Ms(2000);
  }
  // A press lights only once it is a hold, however the last one ended.
  p.sim.KeyDown(SmokeKey());
  p.Ms(300);
  if (activeSequence.running) p.Problem("a 300 ms press lit a smoke: it was taken for an older one");
  const bool lit = p.RunUntil([&p] {
    const sim::SimEntity* prop = p.sim.world.entities.Find(smokeProp);
    return activeSequence.running && prop && prop->attachedTo == p.sim.world.entities.player;
  }, 2500);
  p.sim.KeyUp(SmokeKey());
  if (!lit) p.Problem("a player holding nothing cannot light the next smoke");
}

// Plays one case; returns what went wrong, empty when nothing did.
std::string PlayCase(const Way& way, const Interruption& interruption, int momentMs) {
  Play p(std::string("[General]\nENABLED=true\n") + way.ini + interruption.ini);
  for (const auto& [name, value] : way.world) p.Set(name, value);
  // The setting the description reads its choice of model from.
  if (way.alternativeModel) *const_cast<bool*>(way.kind->useAlternativeModel) = true;
  p.Ms(500);

  const int key = *way.kind->key;
  p.sim.KeyDown(key);
  if (way.tap) {
    p.Ms(100);
    p.sim.KeyUp(key);
    p.sim.RunFrame();
  }
  if (!p.RunUntil([] { return activeSequence.running; }, 600)) return "the smoke did not start";
  p.sim.KeyUp(key);
  p.Ms(momentMs);

  interruption.cut(p);
  if (p.sim.Attached()) {
    p.Ms(kSettleMs);
    // A menu the player opened is his own: its prompts are not left behind.
    if (scenarioMenuOpen) {
      p.Key(KEY_TAKE_PUFF, 100);
      p.Ms(200);
    }
    JudgeTheSettledWorld(p);
    if (!activeSequence.running && p.problems.empty()) LightTheNextSmoke(p);
  } else {
    const sim::Leftovers left = sim::FindLeftovers(p.sim);
    if (!left.Clean()) p.Problem(sim::FormatLeftovers(left));
  }
  if (p.sim.timeline.Count("effect", "no entity 0") != 0) p.Problem("effects were started on entity 0");
  if (p.sim.timeline.Count("clip", " for 0 ms") + p.sim.timeline.Count("clip", " for -") != 0) {
    p.Problem("a clip of 0 ms or less was played");
  }
  if (p.mostNativesInAFrame > kMostNativesInAFrame) {
    p.Problem("a frame made " + std::to_string(p.mostNativesInAFrame) + " natives");
  }
  if (!p.sim.Errors().empty()) p.Problem(p.sim.Errors().front());
  return p.problems;
}

}  // namespace

// Runs the case in a child process; its verdict comes back through a pipe.
std::string PlayCaseApart(const Way& way, const Interruption& interruption, int momentMs) {
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const std::string verdict = PlayCase(way, interruption, momentMs);
    ssize_t ignored = write(channel[1], verdict.data(), verdict.size());
    (void)ignored;
    _exit(0);
  }
  close(channel[1]);
  std::string verdict;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) verdict.append(buffer, static_cast<size_t>(n));
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) verdict += " (the case crashed)";
  return verdict;
}

}  // namespace sweep
