// The simulator: hosts the plug-in on Linux the way the game's script hook
// would, over a deterministic game world, and records what it does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "call.h"
#include "frame_stats.h"
#include "game_usage.h"
#include "hashes.h"
#include "script_fiber.h"
#include "timeline.h"
#include "world/world.h"

namespace sim {

using DllMainFn = int (*)(void* module, uint32_t reason, void* reserved);
using KeyboardHandlerFn = void (*)(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t);
using Handler = std::function<void(const Call&, Result&)>;
using FrameHook = std::function<void()>;
using Setter = std::function<bool(const std::string& value)>;  // false: value not understood
using Command = std::function<bool(const std::vector<std::string>& args, std::string& error)>;

class Simulator {
 public:
  Simulator();
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // The simulator that the host interface functions talk to.
  static Simulator& Current();
  static bool HasCurrent();

  // --- The plug-in -------------------------------------------------------
  // Loads the plug-in (libEmberwick.so with dlopen; Emberwick.asi with
  // LoadLibrary on Windows), as the game loads the .asi, and attaches it.
  bool LoadPlugin(const std::string& path, std::string& error);
  // Attaches a plug-in linked into this process.
  void AttachInProcess(DllMainFn dllMain);
  // DllMain detach while the script is parked, then the script is ended.
  void Detach();
  bool Attached() const { return attached_; }
  // DllMain attach again after a Detach, the module staying mapped: the
  // session commands "unload" and "load". False when nothing was detached, or
  // when the loader unmapped the module (Windows).
  bool Reattach();
  void AddUnloadHook(FrameHook hook) { unloadHooks_.push_back(std::move(hook)); }
  // Called whenever DllMain attach has run: the first load and every "load".
  void AddLoadHook(FrameHook hook) { loadHooks_.push_back(std::move(hook)); }
  // Run the script on the host's thread, switching stacks (see ScriptFiber);
  // takes effect when the script next starts.
  bool sameThreadScript = false;

  // --- Frames and clocks ---------------------------------------------------
  // The PC's own time drives the frames. The game's timer and the tick count
  // follow it unless held still (a pause or a load stops the game's timer
  // while the tick count runs; the reverse drift is possible too); the system
  // clock follows it from wherever it was last set.
  // One game frame: frame hooks, the script until it yields, the clock moves on.
  void RunFrame();
  void RunFrames(int count);
  // Runs frames until at least `ms` of the PC's time have passed.
  void RunMs(int64_t ms);
  // One frame that lasts `us`: the next comes that much later, every clock jumping.
  void RunLongFrame(int64_t us);
  uint64_t Frame() const { return frame_; }
  int64_t NowUs() const { return nowUs_; }
  // The game's own time, by which its clips, emotes and prompts play.
  int64_t GameUs() const { return nowUs_ - gameTimerStillUs_; }
  int32_t GameTimerMs() const { return static_cast<int32_t>(gameTimerBaseMs_ + GameUs() / 1000); }
  uint64_t TickCount64() const { return tickBaseMs_ + static_cast<uint64_t>((nowUs_ - tickCountStillUs_) / 1000); }
  int64_t SystemTime100ns() const { return systemTimeBase100ns_ + nowUs_ * 10; }
  void SetFrameUs(int64_t us) { frameUs_ = us; }
  int64_t FrameUs() const { return frameUs_; }
  // While held, a clock stands still as the frames go by.
  void HoldGameTimer(bool still) { gameTimerHeld_ = still; }
  void HoldTickCount(bool still) { tickCountHeld_ = still; }
  void SetTickBaseMs(uint64_t ms) { tickBaseMs_ = ms; }
  void SetGameTimerBaseMs(int64_t ms) { gameTimerBaseMs_ = ms; }
  void SetSystemTimeBase100ns(int64_t ticks) { systemTimeBase100ns_ = ticks; }
  // The tick count or the system clock jumps by this much, from now on.
  void ShiftTickCountMs(uint64_t ms) { tickBaseMs_ += ms; }
  void ShiftSystemTime100ns(int64_t ticks) { systemTimeBase100ns_ += ticks; }
  void AddFrameStartHook(FrameHook hook) { frameStartHooks_.push_back(std::move(hook)); }
  void AddFrameEndHook(FrameHook hook) { frameEndHooks_.push_back(std::move(hook)); }

  // --- Natives -------------------------------------------------------------
  void Handle(const char* nativeName, Handler handler);
  bool recordCalls = true;       // keep every call in calls()
  bool traceCalls = false;       // print every call as it happens
  // A frame whose script makes more native calls than this is a script that
  // no longer yields: reported through hangHandler (0: no limit).
  uint64_t maxCallsPerFrame = 0;
  std::function<void(const std::string& message)> hangHandler;
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  std::vector<const RecordedCall*> CallsNamed(const std::string& name) const;
  size_t CountCalls(const std::string& name) const;
  uint64_t TotalCalls() const { return totalCalls_; }
  // Natives per frame, per native, counted afresh from the next frame on (--stats).
  void CountCallsPerFrame();
  const FrameStats* Stats() const { return frameStats_.get(); }
  // Hashes a name the way the game does, remembering it.
  uint32_t Hash(std::string_view name) { return hashes.Hash(name); }

  // --- Keyboard (the relay and GetAsyncKeyState) -------------------------------
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  KeyboardHandlerFn KeyboardHandlerRegistered() const { return keyboardHandler_; }

  // --- Sessions ------------------------------------------------------------
  void AddSetter(const std::string& name, Setter setter) { setters_[name] = std::move(setter); }
  bool Set(const std::string& name, const std::string& value, std::string& error);
  void AddCommand(const std::string& name, Command command) { commands_[name] = std::move(command); }
  const Command* FindCommand(const std::string& name) const;
  std::vector<std::string> SetterNames() const;
  // What the plug-in left in the world; filled in by the world's report.
  std::function<std::string()> leftoverReport;

  // --- Timeline and errors -------------------------------------------------
  void Event(const std::string& category, const std::string& text);
  // An event about one thing of the world (see the subjects in timeline.h);
  // inside a native's handler the call itself is kept with it.
  void Event(const std::string& category, const std::string& text, const std::string& subject, Span span,
             const std::string& state = {});
  void Error(const std::string& text);  // loud: stderr and the errors list
  // Called with every error as it is reported (hosts that stop at the first).
  std::function<void(const std::string& text)> onError;
  const std::vector<std::string>& Errors() const { return errors_; }

  World world;
  HashNames hashes;
  Timeline timeline;

  // Entry points of the host interface (host_abi.cpp).
  void OnScriptRegister(void* module, void (*scriptMain)());
  void OnScriptUnregister(void* module);
  void OnScriptWait(uint32_t ms);
  void OnKeyboardHandlerRegister(KeyboardHandlerFn handler);
  void OnKeyboardHandlerUnregister(KeyboardHandlerFn handler);
  void OnNativeInit(uint64_t hash);
  void OnNativePush(uint64_t word);
  uint64_t* OnNativeCall();
  void (*RegisteredScriptMain() const)() { return scriptMain_; }
  // Runs another script main from the next frame on (tests use it to run
  // their own code on the script fiber).
  void ReplaceScriptMain(void (*scriptMain)());

 private:
  RecordedCall Recorded(const Call& call) const;
  void Record(const Call& call);

  void Attach(DllMainFn dllMain);
  void PassTime(int64_t us);

  DllMainFn dllMain_ = nullptr;  // nullptr while attached: the loader calls it
  DllMainFn detachedDllMain_ = nullptr;
  bool attached_ = false;
  bool attaching_ = false;
  std::vector<FrameHook> unloadHooks_;
  std::vector<FrameHook> loadHooks_;
  uint64_t callsThisFrame_ = 0;
  void* module_ = nullptr;
  void* library_ = nullptr;
  void (*scriptMain_)() = nullptr;
  KeyboardHandlerFn keyboardHandler_ = nullptr;
  std::unique_ptr<ScriptFiber> fiber_;

  uint64_t frame_ = 0;
  int64_t nowUs_ = 0;
  int64_t frameUs_ = 16667;
  bool gameTimerHeld_ = false;
  bool tickCountHeld_ = false;
  int64_t gameTimerStillUs_ = 0;  // how long the game's timer has stood still
  int64_t tickCountStillUs_ = 0;
  uint64_t tickBaseMs_ = 5'000'000;
  int64_t gameTimerBaseMs_ = 100'000;
  int64_t systemTimeBase100ns_ = 134'000'000'000'000'000;
  std::vector<FrameHook> frameStartHooks_;
  std::vector<FrameHook> frameEndHooks_;

  std::unordered_map<uint64_t, Handler> handlers_;
  Call pending_;
  bool inCall_ = false;
  bool inHandler_ = false;
  Result result_;
  std::vector<RecordedCall> calls_;
  uint64_t totalCalls_ = 0;
  std::unique_ptr<FrameStats> frameStats_;
  GameUsage usage_;

  std::unordered_map<std::string, Setter> setters_;
  std::unordered_map<std::string, Command> commands_;
  std::vector<std::string> errors_;
};

}  // namespace sim
