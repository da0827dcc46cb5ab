#include "host/key_states.h"

#include <atomic>

#include "host/platform.h"

bool compatibilityMode = false;
KeyState keyStates[256];

namespace {

// A press released sooner than this is a tap; one kept longer is a hold.
constexpr uint32_t kTapHoldThresholdMs = 200;

// The relay writes the table from its own thread while the script fiber reads
// it and clears events, without locks. Each field is accessed as a relaxed
// atomic: a lost event is tolerated, a torn or undefined read is not.
template <typename T>
T Read(T& field) {
  return std::atomic_ref<T>(field).load(std::memory_order_relaxed);
}
template <typename T>
void Write(T& field, T value) {
  std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

// Unsigned subtraction keeps elapsed times right across a wrap of the tick count.
uint32_t Since(uint32_t now, uint32_t then) { return now - then; }

void BeginUpdate(KeyState& state) {
  Write<uint8_t>(state.releasedEvent, 0);
  Write<uint8_t>(state.tappedEvent, 0);
}

void Press(KeyState& state, uint32_t now) {
  Write(state.pressTime, now);
  Write(state.releaseTime, 0u);
  Write<uint8_t>(state.down, 1);
}

// A release only counts as a tap when it ends a press this table saw: a key
// already down when the plug-in loaded has no press time to measure from.
void Release(KeyState& state, uint32_t now) {
  const bool wasDown = Read(state.down) != 0;
  Write(state.releaseTime, now);
  Write<uint8_t>(state.releasedEvent, 1);
  if (wasDown && Since(now, Read(state.pressTime)) < kTapHoldThresholdMs) Write<uint8_t>(state.tappedEvent, 1);
  Write<uint8_t>(state.down, 0);
}

// The entry a query may look at, or null when the key cannot be pressed or,
// in compatibility mode, another application has the keyboard.
KeyState* Queryable(int key) {
  if (key < 0 || key >= 256) return nullptr;
  if (compatibilityMode && !host::GameWindowInForeground()) return nullptr;
  return &keyStates[key];
}

bool ConsumeFlag(uint8_t& flag) {
  if (!Read(flag)) return false;
  Write<uint8_t>(flag, 0);
  return true;
}

}  // namespace

void OnKeyboardMessage(uint32_t key, uint16_t /*repeats*/, uint8_t /*scanCode*/, int32_t /*isExtended*/,
                       int32_t /*isWithAlt*/, int32_t wasDownBefore, int32_t isUpNow) {
  if (compatibilityMode || key >= 256) return;
  const uint32_t now = host::TickCount32();
  KeyState& state = keyStates[key];
  BeginUpdate(state);
  if (isUpNow) {
    Release(state, now);
  } else if (!wasDownBefore) {
    Press(state, now);
  }
  // Otherwise an auto-repeat of a held key: the press keeps its time.
}

void PollKeyStates() {
  const uint32_t now = host::TickCount32();
  for (int code = 0; code < 256; ++code) {
    const bool pressed = host::AsyncKeyDown(code);
    KeyState& state = keyStates[code];
    BeginUpdate(state);
    const bool wasDown = Read(state.down) != 0;
    if (pressed && !wasDown) {
      Press(state, now);
    } else if (!pressed && wasDown) {
      Release(state, now);
      Write(state.pressTime, 0u);
    }
  }
}

void ReleaseKeysOutOfFocus() {
  if (compatibilityMode || host::GameWindowInForeground()) return;
  const uint32_t now = host::TickCount32();
  for (KeyState& state : keyStates) {
    if (!Read(state.down)) continue;
    Write(state.releaseTime, now);
    Write<uint8_t>(state.down, 0);
  }
}

bool IsKeyDown(int key) {
  KeyState* state = Queryable(key);
  return state && Read(state->down);
}

bool IsKeyHeld(int key) {
  KeyState* state = Queryable(key);
  return state && Read(state->down) && Since(host::TickCount32(), Read(state->pressTime)) >= kTapHoldThresholdMs;
}

bool ConsumeKeyReleased(int key) {
  KeyState* state = Queryable(key);
  return state && ConsumeFlag(state->releasedEvent);
}

bool ConsumeKeyTapped(int key) {
  KeyState* state = Queryable(key);
  return state && ConsumeFlag(state->tappedEvent);
}
