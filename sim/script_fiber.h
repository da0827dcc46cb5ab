// Runs the plug-in's script main on a thread of its own, handing control back
// and forth so that exactly one side runs at a time: the host resumes it for a
// frame, and scriptWait parks it until the next one. On Windows it is a fiber,
// as under the game's script hook: a stopped script is dropped with its stack,
// which may hold frames of a library that is already unloaded.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace sim {

class ScriptFiber {
 public:
  explicit ScriptFiber(void (*scriptMain)()) : scriptMain_(scriptMain) {}
  ~ScriptFiber() { Stop(); }
  ScriptFiber(const ScriptFiber&) = delete;
  ScriptFiber& operator=(const ScriptFiber&) = delete;

  // Host side: run the script until it yields (or returns).
  void Resume();
  // Script side: hand control back until the next Resume.
  void Yield();
  // Ends the script at its next (or current) yield and joins the thread.
  void Stop();
#if defined(_WIN32)
  bool OnScriptThread() const;
#else
  bool OnScriptThread() const { return std::this_thread::get_id() == scriptThreadId_; }
#endif
  bool Finished() const { return finished_; }

 private:
  void Body();

  void (*scriptMain_)();
#if defined(_WIN32)
  void* fiber_ = nullptr;
  void* hostFiber_ = nullptr;
#endif
  std::thread thread_;
  std::thread::id scriptThreadId_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool started_ = false;
  bool scriptTurn_ = false;
  bool stopRequested_ = false;
  bool finished_ = false;
};

}  // namespace sim
