// The abstract task: one action of a smoking sequence.
#pragma once

#include <memory>
#include <string>

namespace Animations {

class ISequenceTask {
 public:
  // Starts the task's action; may yield frames while an asset loads.
  virtual void Execute() = 0;
  virtual std::string GetName() = 0;
  virtual int GetDurationMs() = 0;
  virtual int HasStartOffset() = 0;
  virtual int GetStartOffsetMs() = 0;
  virtual void SetStartOffsetMs(int ms) = 0;
  virtual ~ISequenceTask() = default;
};

// Start offset and has-offset flag, which every task class ends with.
class OffsetTask : public ISequenceTask {
 public:
  int HasStartOffset() override { return hasStartOffset; }
  int GetStartOffsetMs() override { return startOffsetMs; }
  void SetStartOffsetMs(int ms) override {
    startOffsetMs = ms;
    hasStartOffset = 1;
  }

  int startOffsetMs = 0;
  int hasStartOffset = 0;
};

}  // namespace Animations

using TaskPtr = std::unique_ptr<Animations::ISequenceTask>;
