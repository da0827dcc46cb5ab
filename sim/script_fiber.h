// Runs the plug-in's script main on a thread of its own, handing control back
// and forth so that exactly one side runs at a time: the host resumes it for a
// frame, and scriptWait parks it until the next one.
//
// On Linux the script has a thread of its own by default. A fiber made with
// `sameThread` runs the script on a stack of its own on the host's thread
// instead and passes control by switching contexts: the same hand-over, some
// hundred times cheaper, for hosts that play millions of frames. On Windows it
// is a real fiber, as under the game's script hook: a stopped script is dropped
// with its stack, which may hold frames of a library that is already unloaded.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace sim {

class ScriptFiber {
 public:
  explicit ScriptFiber(void (*scriptMain)(), bool sameThread = false);
  ~ScriptFiber();
  ScriptFiber(const ScriptFiber&) = delete;
  ScriptFiber& operator=(const ScriptFiber&) = delete;

  // Host side: run the script until it yields (or returns).
  void Resume();
  // Script side: hand control back until the next Resume.
  void Yield();
  // Ends the script at its next (or current) yield and joins the thread.
  void Stop();
  bool OnScriptThread() const;
  bool Finished() const { return finished_; }

 private:
  void Body();
  struct Contexts;
  static void ContextEntry(unsigned high, unsigned low);

  void (*scriptMain_)();
#if defined(_WIN32)
  void* fiber_ = nullptr;
  void* hostFiber_ = nullptr;
#else
  std::unique_ptr<Contexts> contexts_;  // set for a same-thread fiber
  bool onScriptStack_ = false;
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
