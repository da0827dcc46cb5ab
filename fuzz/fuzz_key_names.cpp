// Key names of any text, and the key queries on whatever code they give.
#include <cstdint>
#include <string>

#include "config/key_names.h"
#include "host/key_states.h"
#include "stand_in_host.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  standin::AnswerAssetsLoaded();
  // The keyboard handler runs on the game's thread, outside the script: it
  // must never wait for a frame.
  standin::LimitWaits(0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int code = KeyNameToCode(text);
  if (text.size() == 1 && (code < 0 || code > 255)) __builtin_trap();  // one character is one key

  // Drive the code through both input paths and every query.
  compatibilityMode = size % 2 == 1;
  standin::SetKeyDown(code, true);
  OnKeyboardMessage(static_cast<uint32_t>(code), 1, 0, 0, 0, 0, 0);
  if (compatibilityMode) PollKeyStates();
  IsKeyDown(code);
  IsKeyHeld(code);
  standin::SetKeyDown(code, false);
  OnKeyboardMessage(static_cast<uint32_t>(code), 1, 0, 0, 0, 1, 1);
  if (compatibilityMode) PollKeyStates();
  ConsumeKeyReleased(code);
  ConsumeKeyTapped(code);
  return 0;
}
