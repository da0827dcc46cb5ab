// The script fiber on Windows: a real fiber. Stop deletes it without running
// it again, so nothing unwinds through the plug-in's frames after FreeLibrary.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// winbase.h defines Yield away; the script fiber has a member of that name.
#undef Yield

#include "script_fiber.h"

namespace sim {

// The fiber is the only hand-over on Windows; there is no same-thread variant to choose.
ScriptFiber::ScriptFiber(void (*scriptMain)(), bool /*sameThread*/) : scriptMain_(scriptMain) {}

ScriptFiber::~ScriptFiber() { Stop(); }

void ScriptFiber::Body() {
  started_ = true;
  scriptMain_();
  // A fiber must never return: hand control back for good.
  finished_ = true;
  for (;;) SwitchToFiber(hostFiber_);
}

void ScriptFiber::Resume() {
  if (finished_ || stopRequested_) return;
  // The host's thread becomes a fiber once, so the script can switch back to it.
  if (!hostFiber_) hostFiber_ = ConvertThreadToFiber(nullptr);
  if (!fiber_) fiber_ = CreateFiber(0, [](void* self) { static_cast<ScriptFiber*>(self)->Body(); }, this);
  if (!hostFiber_ || !fiber_) {
    finished_ = true;
    return;
  }
  scriptTurn_ = true;
  SwitchToFiber(fiber_);
  scriptTurn_ = false;
}

void ScriptFiber::Yield() { SwitchToFiber(hostFiber_); }

void ScriptFiber::Stop() {
  stopRequested_ = true;
  if (fiber_ && !scriptTurn_) {
    DeleteFiber(fiber_);
    fiber_ = nullptr;
  }
}

// Only the script fiber runs while it has the turn (one thread, one fiber at a time).
bool ScriptFiber::OnScriptThread() const { return fiber_ != nullptr && scriptTurn_; }

}  // namespace sim
