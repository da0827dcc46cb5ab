#include "session_explorer.h"

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "config/key_names.h"
#include "session.h"
#include "simulator.h"
#include "smoking/smoke_kind.h"

namespace explore {
namespace {

// ---------------------------------------------------------------------------
// What a session can be made of.

struct SettingLine {
  const char* section;
  const char* line;
};

// Settings files are assembled from these lines (32: one bit each); keys not
// written keep their defaults. Bindings stay off END and NUMPAD6, the reload.
constexpr SettingLine kSettingLines[] = {
    {"General", "ENABLED=false"},
    {"General", "CONTROLLER_SUPPORT_ENABLED=false"},
    {"General", "COMPATIBILITY_MODE_ENABLED=true"},
    {"General", "KEY_TAKE_PUFF=N"},
    {"General", "KEY_SMOKE_CIGAR=F5"},
    {"General", "KEY_OPEN_SCENARIO_MENU=F5"},
    {"Smoking", "REGEN_DEAD_EYE_BURST_SECONDS=0"},
    {"Smoking", "REGEN_DEAD_EYE_BURST_SECONDS=3"},
    {"Smoking", "REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED=false"},
    {"Smoking", "EXTENDED_SMOKE_DURATION=true"},
    {"Smoking", "MANUAL_SMOKING_ONLY=true"},
    {"Smoking", "PUFF_BUTTON_ENABLES_MANUAL_SMOKING=false"},
    {"Smoking", "NEVER_FALLS_OUT=true"},
    {"Smoking", "THROW_AWAY_FASTER=true"},
    {"Smoking", "MOVE_TO_MOUTH_IMMEDIATELY=true"},
    {"Smoking", "BLOCK_SMOKING_IF_NO_ITEM=true"},
    {"Cutscenes", "DISABLE_ON_CONTROL_LOSS=true"},
    {"Cutscenes", "FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true"},
    {"Scenarios", "SCENARIOS_ENABLED=false"},
    {"Scenarios", "SCENARIO1_LABEL="},
    {"Scenarios", "SCENARIO4_TYPE=WORLD_HUMAN_SMOKE_CIGAR\nSCENARIO4_LABEL=Cigar"},
    {"Scenarios", "SCENARIO7_TYPE=PROP_HUMAN_SEAT_CHAIR\nSCENARIO7_VARIATION=PROP_HUMAN_SEAT_CHAIR_SMOKE\nSCENARIO7_LABEL=Chair"},
    {"Advanced", "USE_ALTERNATIVE_CIGARETTE_MODEL=true"},
    {"Advanced", "USE_SHORT_CIGAR_MODEL=true"},
    {"Advanced", "SWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true"},
    {"Advanced", "HIDE_PROP_IN_FIRST_PERSON=true"},
    {"Advanced", "USE_PROP_OFFSETS=true"},
    {"Advanced", "CIGARETTE_Z_OFFSET=0.05\nCIGAR_ROTZ_OFFSET=-400"},
    {"Advanced", "CIGAR_X_OFFSET=nan"},
    {"Translations", "SMOKE_PROMPT_LABEL="},
    {"Translations", "SMOKE_SIT_PROMPT_LABEL=A label much longer than any prompt would normally carry on screen"},
    {"General", "KEY_SMOKE=Y"},
};
static_assert(std::size(kSettingLines) == 32);

constexpr const char* kSections[] = {"General", "Smoking", "Cutscenes", "Scenarios", "Advanced", "Translations"};

// The keys of the kinds of smoke, then every other key a setting above can bind.
constexpr const char* kOtherKeys[] = {"Y", "F5"};
constexpr int kHoldMs[] = {60, 120, 250, 340, 360, 450, 600, 1000, 2000, 4000};

// Game controls the plug-in reads or pushes, and those of its prompts: the
// prompt window's, each kind's control, then the rest.
constexpr const char* kWindowControls[] = {
    "INPUT_INTERACT_OPTION1", "INPUT_INTERACT_OPTION2", "INPUT_DIVE", "INPUT_FRONTEND_UP",
    "INPUT_GAME_MENU_EXTRA_OPTION", "INPUT_JUMP", "INPUT_OPEN_SATCHEL_MENU",
};
constexpr const char* kOtherControls[] = {
    "INPUT_FRONTEND_LS", "INPUT_OPEN_WHEEL_MENU", "INPUT_OPEN_JOURNAL",
    "INPUT_ENTER", "INPUT_INTERACT_ANIMAL", "INPUT_MOVE_UP_ONLY", "INPUT_MOVE_LEFT_ONLY",
    "INPUT_RELOAD", "INPUT_QUICK_USE_ITEM", "INPUT_TOGGLE_HOLSTER", "INPUT_NEXT_CAMERA",
    "INPUT_PLAYER_MENU", "INPUT_COVER", "INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT",
    "INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM", "INPUT_SELECT_QUICKSELECT_UNARMED",
    "INPUT_SELECT_QUICKSELECT_THROWN", "INPUT_SELECT_QUICKSELECT_MELEE_NO_UNARMED", "INPUT_SELECT_QUICKSELECT_DUALWIELD",
};
constexpr const char* kControlHolds[] = {"30ms", "100ms", "400ms", "1100ms", "2500ms"};

// Models, dictionaries, effect assets and sound sets the plug-in loads: each
// kind's models and dictionary, then those every smoke uses.
constexpr const char* kSharedAssets[] = {
    "p_matchstick01x", "p_cigarettebox01x", "A_C_Rabbit_01", "anm_smoking", "cut_rprsn", "Player_Campfire_Sounds",
    "amb_wander@code_human_smoking_wander@male_a@base", "mech_inventory@smoking@cigarette",
    "mech_inventory@smoking@cigar",
};
// World settings and the values they take; the first is the quiet world's,
// which every session returns to at its end.
struct WorldSetting {
  std::string name;
  std::vector<const char*> values;
};

// What the kinds of smoke bring to the vocabulary: their keys (by the names
// of their defaults), their controls, their items and their assets, each
// once, in the kinds' order.
void AddOnce(std::vector<std::string>& to, const std::string& what) {
  if (std::find(to.begin(), to.end(), what) == to.end()) to.push_back(what);
}
template <size_t N>
std::vector<std::string> EachKindsThen(std::vector<std::string> (*ofKind)(const SmokeKind&),
                                       const char* const (&others)[N]) {
  std::vector<std::string> all;
  for (const SmokeKind* kind : kSmokeKinds) {
    for (const std::string& what : ofKind(*kind)) AddOnce(all, what);
  }
  for (const char* other : others) AddOnce(all, other);
  return all;
}
const std::vector<std::string>& Keys() {
  static const std::vector<std::string> keys = EachKindsThen(
      [](const SmokeKind& kind) { return std::vector<std::string>{std::string(KeyCodeName(*kind.key))}; }, kOtherKeys);
  return keys;
}
const std::vector<std::string>& Controls() {
  static const std::vector<std::string> controls = [] {
    std::vector<std::string> all(std::begin(kWindowControls), std::end(kWindowControls));
    for (const std::string& control : EachKindsThen(
             [](const SmokeKind& kind) { return std::vector<std::string>{kind.control.text}; }, kOtherControls)) {
      AddOnce(all, control);
    }
    return all;
  }();
  return controls;
}
const std::vector<std::string>& Assets() {
  static const std::vector<std::string> assets = EachKindsThen(
      [](const SmokeKind& kind) {
        return std::vector<std::string>{kind.standardModel->name, kind.alternativeModel->name, kind.dictionary};
      },
      kSharedAssets);
  return assets;
}
// The inventory of each kind's item, just before the item check.
std::vector<WorldSetting> WithEachKindsItem(std::vector<WorldSetting> settings) {
  std::vector<std::string> items;
  for (const SmokeKind* kind : kSmokeKinds) AddOnce(items, std::string("inventory.") + kind->item.item.text);
  auto at = std::find_if(settings.begin(), settings.end(),
                         [](const WorldSetting& setting) { return setting.name == "inventory.item_check"; });
  for (const std::string& item : items) at = std::next(settings.insert(at, {item, {"20", "0", "1"}}));
  return settings;
}
const std::vector<WorldSetting>& WorldSettings() {
  static const std::vector<WorldSetting> settings = WithEachKindsItem({
      {"player.weapon", {"WEAPON_UNARMED", "WEAPON_REVOLVER_CATTLEMAN", "WEAPON_REPEATER_CARBINE"}},
      {"player.mounted", {"false", "true"}},
      {"player.ragdoll", {"false", "true"}},
      {"player.dead", {"false", "true"}},
      {"player.underwater", {"false", "true"}},
      {"player.submerged", {"0", "0.7"}},
      {"props.underwater", {"false", "true"}},
      {"player.melee", {"false", "true"}},
      {"player.melee_opponent", {"false", "true"}},
      {"player.hit_by_opponent", {"0", "21030", "56200"}},
      {"player.hit_opponent", {"false", "true"}},
      {"player.being_grappled", {"false", "true"}},
      {"player.grappling", {"false", "true"}},
      {"player.melee_action", {"false", "true"}},
      {"player.opponent_dead", {"false", "true"}},
      {"camera.anim_scene", {"false", "true"}},
      {"player.control", {"true", "false"}},
      {"camera.first_person", {"false", "true"}},
      {"deadeye.active", {"false", "true"}},
      {"deadeye.core", {"50", "0", "100"}},
      {"player.sprinting", {"false", "true"}},
      {"player.running", {"false", "true"}},
      {"player.speed", {"0", "6.5"}},
      {"player.model", {"PLAYER_ZERO", "PLAYER_THREE", "CS_JOHNMARSTON", "MP_MALE", "MP_FEMALE"}},
      {"player.missing_bones", {"none", "skel_r_finger13", "ph_r_hand, xh_r_hand00", "skel_head"}},
      {"player.weapon_holstered", {"true", "false"}},
      {"player.crouching", {"false", "true"}},
      {"player.aiming", {"false", "true"}},
      {"player.config_flag_408", {"true", "false"}},
      {"player.sitting", {"false", "true"}},
      {"player.on_foot", {"true", "false"}},
      {"input.controller", {"false", "true"}},
      {"inventory.item_check", {"pass", "fail"}},
      {"emote.duration", {"4000", "500", "20000"}},
      {"interaction.duration", {"2150", "300", "9000"}},
      {"key_repeat_delay", {"500ms", "250ms", "1s"}},
  });
  return settings;
}

constexpr const char* kAssetStates[] = {"never", "missing", "delay 20", "delay 400"};

// Waits after an event: none, a frame or a few, up to long enough for a
// cigar to burn down to its short swap.
constexpr const char* kWaits[] = {"",      "frames 1", "frames 5", "wait 100ms", "wait 250ms", "wait 500ms",
                                  "wait 1s", "wait 2s", "wait 3s",  "wait 5s",    "wait 8s",    "wait 15s",
                                  "wait 30s", "wait 75s"};
constexpr int kWaitMs[] = {0, 17, 83, 100, 250, 500, 1000, 2000, 3000, 5000, 8000, 15000, 30000, 75000};

// The PC around the game (sim/real_pc.h): frame rates, late frames, the
// game's timer or the tick count standing still, the tick count passing
// 2^32 ms, the system clock set back or forward.
constexpr int kFps[] = {10, 20, 30, 60, 144, 240, 360};
constexpr const char* kHitches[] = {"500ms", "1s", "2s", "5s"};
constexpr int kHitchMs[] = {500, 1000, 2000, 5000};
constexpr const char* kStills[] = {"1s", "3s", "8s"};
constexpr int kStillMs[] = {1000, 3000, 8000};
constexpr const char* kTickWraps[] = {"50ms", "300ms", "2s"};
constexpr const char* kClockSteps[] = {"-5min", "-30s", "+30s", "+5min"};

// A session's game time is bounded; the settling comes on top.
constexpr int64_t kMaxSessionMs = 4 * 60 * 1000;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  template <typename T, size_t N>
  const T& Pick(const T (&table)[N]) {
    return table[Byte() % N];
  }
  const std::string& Pick(const std::vector<std::string>& table) { return table[Byte() % table.size()]; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

std::string SettingsFile(Reader& in) {
  uint32_t mask = 0;
  for (int i = 0; i < 4; ++i) mask |= static_cast<uint32_t>(in.Byte()) << (8 * i);
  std::string text;
  for (const char* section : kSections) {
    std::string lines;
    for (size_t i = 0; i < std::size(kSettingLines); ++i) {
      if ((mask >> i & 1) && std::string(kSettingLines[i].section) == section) {
        lines += kSettingLines[i].line;
        lines += '\n';
      }
    }
    if (std::string(section) == "General" && !(mask & 1)) lines = "ENABLED=true\n" + lines;
    if (!lines.empty()) text += "[" + std::string(section) + "]\n" + lines;
  }
  return "ini <<END\n" + text + "END\n";
}

// The session as it is written out, with what it leaves pressed or changed.
struct SessionWriter {
  std::string text;
  std::set<std::string> keysDown;
  std::set<std::string> controlsDown;
  std::map<std::string, std::string> changed;  // world setting -> its quiet value
  bool loaded = true;
  bool inFront = true;
  bool fpsChanged = false;
  int64_t ms = 0;

  void Line(const std::string& line) {
    if (!line.empty()) text += line + "\n";
  }
};

void Event(Reader& in, SessionWriter& out) {
  const uint8_t kind = in.Byte() % 16;
  switch (kind) {
    case 0:
    case 1:
    case 2: {  // hold a key
      const std::string& key = in.Pick(Keys());
      const int ms = in.Pick(kHoldMs);
      out.Line(std::string("hold ") + key + " " + std::to_string(ms) + "ms");
      out.keysDown.erase(key);
      out.ms += ms;
      break;
    }
    case 3: {  // press a key and keep it down
      const std::string& key = in.Pick(Keys());
      out.Line(std::string("press ") + key);
      out.keysDown.insert(key);
      break;
    }
    case 4: {  // let go of a key
      const std::string& key = in.Pick(Keys());
      out.Line(std::string("release ") + key);
      out.keysDown.erase(key);
      break;
    }
    case 5:
    case 6: {  // work a control for a while: prompts complete when held
      const std::string& control = in.Pick(Controls());
      const char* hold = in.Pick(kControlHolds);
      out.Line(std::string("control ") + control + " tap " + hold);
      out.controlsDown.erase(control);
      break;
    }
    case 7: {  // hold a control down, or let it go
      const std::string& control = in.Pick(Controls());
      const bool press = in.Byte() % 2 == 0;
      out.Line(std::string("control ") + control + (press ? " press" : " release"));
      if (press) out.controlsDown.insert(control);
      else out.controlsDown.erase(control);
      break;
    }
    case 8:
    case 9:
    case 10: {  // the world changes
      const WorldSetting& setting = WorldSettings()[in.Byte() % WorldSettings().size()];
      const char* value = setting.values[in.Byte() % setting.values.size()];
      out.Line(std::string("set ") + setting.name + " " + value);
      out.changed.emplace(setting.name, setting.values[0]);
      break;
    }
    case 11: {  // an asset loads late, never, or does not exist
      const std::string& asset = in.Pick(Assets());
      const char* state = in.Pick(kAssetStates);
      const std::string how(state);
      const size_t space = how.find(' ');
      if (space == std::string::npos) out.Line("set asset." + how + " " + asset);
      else out.Line("set asset.delay " + std::string(asset) + how.substr(space));
      break;
    }
    case 12: {  // the settings are reloaded, maybe from a new file
      if (in.Byte() % 2) out.text += SettingsFile(in);
      out.Line("press END");
      out.Line("tap NUMPAD6");
      out.Line("release END");
      out.ms += 100;
      break;
    }
    case 13: {  // the module is unloaded, or loaded again
      out.Line(out.loaded ? "unload" : "load");
      out.loaded = !out.loaded;
      break;
    }
    case 14: {  // the PC: another window in front, or the game again; its frames and clocks
      switch (in.Byte() % 8) {
        case 0:
        case 1:
          out.inFront = !out.inFront;
          out.Line(out.inFront ? "foreground game" : "foreground other");
          break;
        case 2:
          out.Line("fps " + std::to_string(in.Pick(kFps)));
          out.fpsChanged = true;
          break;
        case 3: {
          const size_t hitch = in.Byte() % std::size(kHitches);
          out.Line(std::string("hitch ") + kHitches[hitch]);
          out.ms += kHitchMs[hitch];
          break;
        }
        case 4:
        case 5: {
          const size_t still = in.Byte() % std::size(kStills);
          out.Line(std::string(in.Byte() % 2 ? "pause " : "clock tick still ") + kStills[still]);
          out.ms += kStillMs[still];
          break;
        }
        case 6:
          out.Line(std::string("clock tick wrap ") + in.Pick(kTickWraps));
          break;
        default:
          out.Line(std::string("clock system ") + in.Pick(kClockSteps));
          break;
      }
      break;
    }
    default: {  // the game's random numbers take another course
      out.Line("set random.seed " + std::to_string(in.Byte()));
      break;
    }
  }
  const size_t wait = in.Byte() % std::size(kWaits);
  out.Line(kWaits[wait]);
  out.ms += kWaitMs[wait];
}

void Settle(SessionWriter& out) {
  out.Line("# the session is over: input let go, the world back to normal, the player falls");
  for (const std::string& key : out.keysDown) out.Line("release " + key);
  for (const std::string& control : out.controlsDown) out.Line("control " + control + " release");
  for (const auto& [name, value] : out.changed) out.Line("set " + name + " " + value);
  if (!out.inFront) out.Line("foreground game");
  if (out.fpsChanged) out.Line("fps 60");
  if (!out.loaded) out.Line("load");
  out.Line("wait 10s");
  out.Line("set player.ragdoll true");
  out.Line("wait 1s");
  out.Line("set player.ragdoll false");
  out.Line("wait 6s");
  out.Line("expect settled");
  out.Line("unload");
}

}  // namespace

std::string DecodeSession(const uint8_t* data, size_t size) {
  Reader in(data, size);
  SessionWriter out;
  out.Line("invariants on");
  out.text += SettingsFile(in);
  out.Line("frames 1");
  while (!in.Done() && out.ms < kMaxSessionMs) Event(in, out);
  Settle(out);
  return out.text;
}

// ---------------------------------------------------------------------------

bool SessionPlayer::Load(const std::string& modulePath, std::string& error) {
  void* library = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    error = dlerror();
    return false;
  }
  dllMain_ = reinterpret_cast<DllMainFn>(dlsym(library, "DllMain"));
  if (!dllMain_) {
    error = modulePath + " exports no DllMain";
    return false;
  }
  return true;
}

uint64_t SessionPlayer::Play(const std::string& session, const std::function<void(const std::string&)>& onError) {
  sim::Simulator simulator;
  // Its clocks read their starting values now; they start clockMs_ later (the
  // tick count further still if a session moved it on to pass 2^32 ms).
  const uint64_t tickStart = simulator.TickCount64() + static_cast<uint64_t>(clockMs_ + tickLeadMs_);
  simulator.SetTickBaseMs(tickStart);
  simulator.SetGameTimerBaseMs(simulator.GameTimerMs() + clockMs_);
  simulator.SetSystemTimeBase100ns(simulator.SystemTime100ns() + clockMs_ * 10'000);
  simulator.sameThreadScript = true;
  simulator.recordCalls = false;
  simulator.timeline.record = false;
  simulator.onError = onError;
  simulator.AddFrameEndHook([this] { framesPlayed = framesPlayed + 1; });
  simulator.AttachInProcess(dllMain_);
  std::string error;
  if (!sim::RunSession(simulator, session, ".", error)) onError("the session does not read: " + error);
  simulator.Detach();
  constexpr int64_t kBetweenSessionsMs = 10 * 60 * 1000;
  constexpr int64_t kStartOverMs = int64_t{20} * 24 * 60 * 60 * 1000;
  const int64_t playedMs = simulator.NowUs() / 1000;
  const int64_t tickLead = static_cast<int64_t>(simulator.TickCount64() - tickStart) - playedMs;
  if (tickLead > 0) tickLeadMs_ += tickLead;
  clockMs_ += playedMs + kBetweenSessionsMs;
  if (clockMs_ > kStartOverMs) clockMs_ = tickLeadMs_ = 0;
  return simulator.Frame();
}

}  // namespace explore
