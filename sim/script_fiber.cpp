#include "script_fiber.h"

#include <cstdint>
#include <vector>

#if defined(__linux__)
#include <ucontext.h>
#endif

namespace sim {
namespace {
// Thrown out of scriptWait to unwind a script that is being stopped.
struct ScriptStopped {};
}  // namespace

#if defined(__linux__)
constexpr size_t kScriptStackBytes = 1 << 20;

struct ScriptFiber::Contexts {
  ucontext_t host;
  ucontext_t script;
  std::vector<char> stack = std::vector<char>(kScriptStackBytes);
};

// makecontext passes int arguments only: the fiber comes in two halves.
void ScriptFiber::ContextEntry(unsigned high, unsigned low) {
  auto* fiber = reinterpret_cast<ScriptFiber*>((static_cast<uintptr_t>(high) << 32) | low);
  if (!fiber->stopRequested_) {
    try {
      fiber->scriptMain_();
    } catch (const ScriptStopped&) {
    }
  }
  fiber->finished_ = true;
  // Returning resumes the host through uc_link.
}
#else
struct ScriptFiber::Contexts {};
void ScriptFiber::ContextEntry(unsigned, unsigned) {}
#endif

ScriptFiber::ScriptFiber(void (*scriptMain)(), bool sameThread) : scriptMain_(scriptMain) {
#if defined(__linux__)
  if (sameThread) contexts_ = std::make_unique<Contexts>();
#else
  (void)sameThread;
#endif
}

ScriptFiber::~ScriptFiber() { Stop(); }

bool ScriptFiber::OnScriptThread() const {
  if (contexts_) return onScriptStack_;
  return std::this_thread::get_id() == scriptThreadId_;
}

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
#if defined(__linux__)
  if (contexts_) {
    if (!started_) {
      started_ = true;
      getcontext(&contexts_->script);
      contexts_->script.uc_stack.ss_sp = contexts_->stack.data();
      contexts_->script.uc_stack.ss_size = contexts_->stack.size();
      contexts_->script.uc_link = &contexts_->host;
      const auto self = reinterpret_cast<uintptr_t>(this);
      makecontext(&contexts_->script, reinterpret_cast<void (*)()>(&ContextEntry), 2,
                  static_cast<unsigned>(self >> 32), static_cast<unsigned>(self));
    }
    onScriptStack_ = true;
    swapcontext(&contexts_->host, &contexts_->script);
    onScriptStack_ = false;
    return;
  }
#endif
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
#if defined(__linux__)
  if (contexts_) {
    onScriptStack_ = false;
    swapcontext(&contexts_->script, &contexts_->host);
    onScriptStack_ = true;
    if (stopRequested_) throw ScriptStopped{};
    return;
  }
#endif
  std::unique_lock lock(mutex_);
  scriptTurn_ = false;
  wake_.notify_all();
  wake_.wait(lock, [this] { return scriptTurn_ || stopRequested_; });
  if (stopRequested_) throw ScriptStopped{};
}

void ScriptFiber::Stop() {
  if (!started_) return;
  if (contexts_) {
    // Once more onto the script's stack, where its wait throws and unwinds.
    stopRequested_ = true;
    Resume();
    return;
  }
  {
    std::unique_lock lock(mutex_);
    stopRequested_ = true;
    wake_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

}  // namespace sim
