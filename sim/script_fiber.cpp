#include "script_fiber.h"

namespace sim {
namespace {
// Thrown out of scriptWait to unwind a script that is being stopped.
struct ScriptStopped {};
}  // namespace

void ScriptFiber::Body() {
  {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return scriptTurn_ || stopRequested_; });
    if (stopRequested_) {
      finished_ = true;
      scriptTurn_ = false;
      wake_.notify_all();
      return;
    }
  }
  try {
    scriptMain_();
  } catch (const ScriptStopped&) {
  }
  std::unique_lock lock(mutex_);
  finished_ = true;
  scriptTurn_ = false;
  wake_.notify_all();
}

void ScriptFiber::Resume() {
  if (finished_) return;
  if (!started_) {
    started_ = true;
    thread_ = std::thread([this] { Body(); });
    scriptThreadId_ = thread_.get_id();
  }
  std::unique_lock lock(mutex_);
  scriptTurn_ = true;
  wake_.notify_all();
  wake_.wait(lock, [this] { return !scriptTurn_; });
}

void ScriptFiber::Yield() {
  std::unique_lock lock(mutex_);
  scriptTurn_ = false;
  wake_.notify_all();
  wake_.wait(lock, [this] { return scriptTurn_ || stopRequested_; });
  if (stopRequested_) throw ScriptStopped{};
}

void ScriptFiber::Stop() {
  if (!started_) return;
  {
    std::unique_lock lock(mutex_);
    stopRequested_ = true;
    wake_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

}  // namespace sim
