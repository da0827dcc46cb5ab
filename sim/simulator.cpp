#include "simulator.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "game_natives.h"
#include "invariants.h"
#include "module_loader.h"
#include "real_pc.h"

namespace sim {
namespace {

Simulator* current = nullptr;

// Natives whose neutral answer in a quiet world is "yes": the player is alive,
// in control, free to animate, on foot, at the keyboard; assets exist and load.
constexpr const char* kTrueByDefault[] = {
    "DoesAnimDictExist",   "IsPedCurrentWeaponHolstered", "IsPlayerControlOn",       "IsPlayerPlaying",
    "IsPedOnFoot",      "IsUsingKeyboardAndMouse",   "IsModelInCdImage",            "IsModelValid",
    "HasModelLoaded",    "HasNamedPtfxAssetLoaded",      "HasAnimDictLoaded", "PrepareSoundSet",
    "ItemDatabaseIsKeyValid",   "GetPedConfigFlag",   "InventoryIsGuidValid",     "IsWeaponValid",
};

}  // namespace

std::string RecordedCall::ToString() const {
  std::string text = Name();
  text += '(';
  const std::vector<Kind>* kinds = info ? &info->args : nullptr;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i) text += ", ";
    Kind kind = kinds && i < kinds->size() ? (*kinds)[i] : Kind::Int;
    char buffer[64];
    switch (kind) {
      case Kind::Float:
        std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(F(i)));
        text += buffer;
        break;
      case Kind::String:
        text += '"' + strings[i] + '"';
        break;
      case Kind::Bool:
        text += U(i) > 1 ? std::to_string(I(i)) : (U(i) ? "true" : "false");
        break;
      case Kind::Hash:
        text += Simulator::HasCurrent() ? Simulator::Current().hashes.Name(U(i)) : std::to_string(U(i));
        break;
      case Kind::Pointer:
        std::snprintf(buffer, sizeof buffer, "&%" PRIx64, words[i]);
        text += buffer;
        break;
      default:
        text += std::to_string(I(i));
        break;
    }
  }
  return text + ')';
}

Simulator::Simulator() {
  current = this;
  SimEntity& player = world.entities.Create(SimEntity::Type::Ped, hashes.Hash("PLAYER_ZERO"), "PLAYER_ZERO", {});
  world.entities.player = player.handle;

  for (const char* name : kTrueByDefault) {
    Handle(name, [](const Call&, Result& r) { r.Bool(true); });
  }
  Handle("PlayerPedId", [this](const Call&, Result& r) { r.Int(world.entities.player); });
  Handle("PlayerId", [](const Call&, Result& r) { r.Int(0); });
  Handle("GetGameTimer", [this](const Call&, Result& r) { r.Int(GameTimerMs()); });
  Handle("GetHashKey", [this](const Call& c, Result& r) { r.Int(static_cast<int32_t>(Hash(c.S(0)))); });
  Handle("Absf", [](const Call& c, Result& r) { r.Float(c.F(0) < 0 ? -c.F(0) : c.F(0)); });
  // "unload" and "load": the game unloads the module and loads it again.
  AddCommand("unload", [this](const std::vector<std::string>&, std::string& error) {
    if (!Attached()) {
      error = "unload: the plug-in is not loaded";
      return false;
    }
    Event("host", "the plug-in is unloaded");
    Detach();
    return true;
  });
  AddCommand("load", [this](const std::vector<std::string>&, std::string& error) {
    Event("host", "the plug-in is loaded again");
    if (Reattach()) return true;
    error = "load: the plug-in was not unloaded";
    return false;
  });
  InstallWorld(*this);
  InstallRealPc(*this);
  InstallInvariantChecks(*this);
}

Simulator::~Simulator() {
  if (attached_) Detach();
  if (library_) CloseModule(library_);
  if (current == this) current = nullptr;
}

Simulator& Simulator::Current() {
  if (!current) {
    std::fprintf(stderr, "emberwick-sim: the plug-in called the host with no simulator running\n");
    std::abort();
  }
  return *current;
}

bool Simulator::HasCurrent() { return current != nullptr; }

bool Simulator::LoadPlugin(const std::string& path, std::string& error) {
  OpenedModule opened;
  // Where the loader runs DllMain itself (Windows), it attaches inside the open.
  attaching_ = true;
  const bool openedOk = OpenModule(path, opened, error);
  attaching_ = false;
  if (!openedOk) return false;
  library_ = opened.library;
  attached_ = true;
  if (!opened.dllMain) {
    // The loader has attached it already; scriptRegister took the handle it passed.
    if (module_ && module_ != library_) Error("scriptRegister with a module handle that is not the plug-in's");
    module_ = library_;
    for (FrameHook& hook : loadHooks_) hook();
    return true;
  }
  module_ = library_;
  Attach(opened.dllMain);
  return true;
}

void Simulator::AttachInProcess(DllMainFn dllMain) {
  static int moduleToken = 0;
  module_ = &moduleToken;
  Attach(dllMain);
}

// The loader lock is held during attach: a plug-in must not reach into the game then.
void Simulator::Attach(DllMainFn dllMain) {
  dllMain_ = dllMain;
  attached_ = true;
  detachedDllMain_ = nullptr;
  attaching_ = true;
  dllMain_(module_, 1, nullptr);
  attaching_ = false;
  for (FrameHook& hook : loadHooks_) hook();
}

void Simulator::Detach() {
  if (!attached_) return;
  if (dllMain_) {
    dllMain_(module_, 0, nullptr);
    detachedDllMain_ = dllMain_;
  } else {
    // The loader calls DllMain detach while it unmaps the library.
    CloseModule(library_);
    library_ = nullptr;
  }
  dllMain_ = nullptr;
  attached_ = false;
  if (fiber_) fiber_->Stop();
  fiber_.reset();
  for (FrameHook& hook : unloadHooks_) hook();
}

bool Simulator::Reattach() {
  if (attached_ || !detachedDllMain_) return false;
  Attach(detachedDllMain_);
  return true;
}

void Simulator::RunFrame() {
  for (FrameHook& hook : frameStartHooks_) hook();
  callsThisFrame_ = 0;
  if (scriptMain_) {
    if (!fiber_) fiber_ = std::make_unique<ScriptFiber>(scriptMain_, sameThreadScript);
    fiber_->Resume();
  }
  for (FrameHook& hook : frameEndHooks_) hook();
  if (frameStats_) frameStats_->EndFrame();
  ++frame_;
  PassTime(frameUs_);
}

void Simulator::RunLongFrame(int64_t us) {
  RunFrame();
  if (us > frameUs_) PassTime(us - frameUs_);
}

void Simulator::PassTime(int64_t us) {
  nowUs_ += us;
  if (gameTimerHeld_) gameTimerStillUs_ += us;
  if (tickCountHeld_) tickCountStillUs_ += us;
}

void Simulator::RunFrames(int count) {
  for (int i = 0; i < count; ++i) RunFrame();
}

void Simulator::RunMs(int64_t ms) {
  const int64_t end = nowUs_ + ms * 1000;
  while (nowUs_ < end) RunFrame();
}

void Simulator::Handle(const char* nativeName, Handler handler) {
  const NativeInfo* info = FindNative(nativeName);
  if (!info) {
    Error(std::string("handler for a native outside the catalogue: ") + nativeName);
    return;
  }
  handlers_[info->hash] = std::move(handler);
}

std::vector<const RecordedCall*> Simulator::CallsNamed(const std::string& name) const {
  std::vector<const RecordedCall*> found;
  for (const RecordedCall& call : calls_) {
    if (name == call.Name()) found.push_back(&call);
  }
  return found;
}

void Simulator::CountCallsPerFrame() {
  frameStats_ = std::make_unique<FrameStats>(Catalogue().size());
}

size_t Simulator::CountCalls(const std::string& name) const { return CallsNamed(name).size(); }

// Key messages go to the window in front: while another window is, the game
// (and the hook's relay) hears nothing of the keyboard, though
// GetAsyncKeyState still sees every key as it is.
void Simulator::KeyDown(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return;
  bool wasDown = world.keyboard.down[virtualKey];
  world.keyboard.down[virtualKey] = true;
  if (keyboardHandler_ && world.keyboard.gameInForeground) {
    keyboardHandler_(static_cast<uint32_t>(virtualKey), 1, 0, 0, 0, wasDown ? 1 : 0, 0);
  }
}

void Simulator::KeyUp(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return;
  world.keyboard.down[virtualKey] = false;
  if (keyboardHandler_ && world.keyboard.gameInForeground) {
    keyboardHandler_(static_cast<uint32_t>(virtualKey), 1, 0, 0, 0, 1, 1);
  }
}

bool Simulator::Set(const std::string& name, const std::string& value, std::string& error) {
  auto it = setters_.find(name);
  if (it == setters_.end()) {
    error = "unknown world setting '" + name + "'";
    return false;
  }
  if (!it->second(value)) {
    error = "cannot set '" + name + "' to '" + value + "'";
    return false;
  }
  return true;
}

const Command* Simulator::FindCommand(const std::string& name) const {
  auto it = commands_.find(name);
  return it == commands_.end() ? nullptr : &it->second;
}

std::vector<std::string> Simulator::SetterNames() const {
  std::vector<std::string> names;
  for (const auto& [name, setter] : setters_) names.push_back(name);
  std::sort(names.begin(), names.end());
  return names;
}

void Simulator::Event(const std::string& category, const std::string& text) {
  Event(category, text, std::string(), Span::Mark);
}

void Simulator::Event(const std::string& category, const std::string& text, const std::string& subject, Span span,
                      const std::string& state) {
  TimelineEvent event;
  event.frame = frame_;
  event.gameMs = GameTimerMs();
  event.category = category;
  event.text = text;
  event.subject = subject;
  event.span = span;
  event.state = state;
  if (inHandler_) event.call = Recorded(pending_).ToString();
  timeline.Add(std::move(event));
}

void Simulator::Error(const std::string& text) {
  std::fprintf(stderr, "emberwick-sim: ERROR: %s\n", text.c_str());
  errors_.push_back(text);
  Event("error", text);
  if (onError) onError(text);
}

void Simulator::OnScriptRegister(void* module, void (*scriptMain)()) {
  // While the loader attaches the library (Windows), the handle is not known yet.
  if (!module_ && !dllMain_) module_ = module;
  if (module != module_) Error("scriptRegister with a module handle that is not the plug-in's");
  scriptMain_ = scriptMain;
  Event("host", "script main registered");
}

void Simulator::ReplaceScriptMain(void (*scriptMain)()) {
  if (fiber_) fiber_->Stop();
  fiber_.reset();
  scriptMain_ = scriptMain;
}

void Simulator::OnScriptUnregister(void*) {
  scriptMain_ = nullptr;
  Event("host", "script main unregistered");
}

void Simulator::OnScriptWait(uint32_t) {
  if (!fiber_ || !fiber_->OnScriptThread()) {
    Error("scriptWait called outside the script fiber");
    return;
  }
  fiber_->Yield();
}

void Simulator::OnKeyboardHandlerRegister(KeyboardHandlerFn handler) {
  keyboardHandler_ = handler;
  Event("host", "keyboard handler registered");
}

void Simulator::OnKeyboardHandlerUnregister(KeyboardHandlerFn handler) {
  if (keyboardHandler_ == handler) keyboardHandler_ = nullptr;
  Event("host", "keyboard handler unregistered");
}

void Simulator::OnNativeInit(uint64_t hash) {
  if (inCall_) Error("nativeInit while another invocation was being built");
  if (attaching_) Error("a native invoked during DllMain attach");
  pending_.hash = hash;
  pending_.info = FindNative(hash);
  pending_.words.clear();
  inCall_ = true;
  if (!pending_.info) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "native 0x%016" PRIX64, hash);
    const GameNative* game = FindGameNative(hash);
    Error(game ? std::string(buffer) + " (" + game->name + ") is not one the simulator models"
               : std::string(buffer) + " is not a native of the game");
  } else if (!pending_.info->game) {
    Error(std::string(pending_.info->name) + ": the game has no native of this hash");
  }
}

void Simulator::OnNativePush(uint64_t word) {
  if (!inCall_) Error("nativePush64 outside an invocation");
  pending_.words.push_back(word);
}

RecordedCall Simulator::Recorded(const Call& call) const {
  RecordedCall record;
  record.info = call.info;
  record.hash = call.hash;
  record.frame = frame_;
  record.gameMs = GameTimerMs();
  record.words = call.words;
  record.strings.resize(call.words.size());
  if (call.info && call.checked) {
    for (size_t i = 0; i < call.words.size() && i < call.info->args.size(); ++i) {
      if (call.info->args[i] == Kind::String) record.strings[i] = call.S(i);
    }
  }
  return record;
}

void Simulator::Record(const Call& call) {
  RecordedCall record = Recorded(call);
  if (traceCalls) std::printf("frame %6llu  native   %s\n", static_cast<unsigned long long>(frame_), record.ToString().c_str());
  if (recordCalls) calls_.push_back(std::move(record));
}

uint64_t* Simulator::OnNativeCall() {
  if (!inCall_) Error("nativeCall without nativeInit");
  inCall_ = false;
  ++totalCalls_;
  if (frameStats_ && pending_.info) frameStats_->Count(static_cast<size_t>(pending_.info - Catalogue().data()));
  if (maxCallsPerFrame != 0 && ++callsThisFrame_ > maxCallsPerFrame && hangHandler) {
    hangHandler("the script made more than " + std::to_string(maxCallsPerFrame) +
                " native calls in one frame without yielding: it hangs");
  }
  result_ = Result{};
  // The game's signature decides; a call that breaks it is not read further
  // than its words (a string that is no address is not followed).
  pending_.checked = false;
  if (pending_.info && pending_.info->game) {
    const std::string fault = ContractFault(*pending_.info->game, pending_.info->name, pending_.words);
    if (fault.empty()) pending_.checked = true;
    else Error("host interface: " + fault);
  }
  if (pending_.checked) usage_.Check(*this, pending_);
  if (recordCalls || traceCalls) Record(pending_);
  // What the game does with a call it does not expect is anyone's guess: the
  // world does nothing, and the fault is reported.
  auto it = pending_.checked ? handlers_.find(pending_.hash) : handlers_.end();
  if (it != handlers_.end()) {
    inHandler_ = true;
    it->second(pending_, result_);
    inHandler_ = false;
  }
  return result_.words;
}

}  // namespace sim
