#include "host/frame_reads.h"

#include "host/natives.h"

Ped playerPed = 0;

namespace {

template <typename T>
struct Kept {
  T value{};
  bool known = false;
};

struct FrameAnswers {
  Kept<Ped> playerPed;
  Kept<Hash> playerModel;
  Kept<int> playerIndex;
  Kept<int> gameTimer;
  Kept<bool> keyboardActive;
};

bool open = false;
bool suspended = false;
FrameAnswers answers;

void Forget() { answers = FrameAnswers{}; }

template <typename T, typename Read>
T Once(Kept<T>& kept, Read read) {
  if (!open) return read();
  if (!kept.known) {
    kept.value = read();
    kept.known = true;
  }
  return kept.value;
}

}  // namespace

Ped FramePlayerPed() { return Once(answers.playerPed, [] { return native::PlayerPedId(); }); }

Hash FramePlayerModel() {
  return Once(answers.playerModel, [] { return native::GetEntityModel(FramePlayerPed()); });
}

int FramePlayerIndex() { return Once(answers.playerIndex, [] { return native::PlayerId(); }); }

int FrameGameTimer() { return Once(answers.gameTimer, [] { return native::GetGameTimer(); }); }

bool FrameKeyboardActive() { return Once(answers.keyboardActive, [] { return native::IsUsingKeyboardAndMouse(0); }); }

void SuspendFrameReads() {
  suspended = open;
  open = false;
  Forget();
}

void ResumeFrameReads() {
  open = suspended;
  suspended = false;
  Forget();
}

FrameReadsScope::FrameReadsScope() : outermost_(!open) {
  if (!outermost_) return;
  Forget();
  open = true;
}

FrameReadsScope::~FrameReadsScope() {
  if (!outermost_) return;
  open = false;
  Forget();
}
