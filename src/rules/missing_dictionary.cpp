// The on-screen message when the game lacks the online emote clips.
#include <string>

#include "host/log_file.h"
#include "host/platform.h"
#include "host/screen_text.h"
#include "rules/world_rules.h"

int animDictMissingTime = 0;

namespace {
constexpr const char* kMissingDictionaryText =
    "Animation dictionary missing. Online Content Unlocker or version.dll not working.";
}  // namespace

void ReportMissingDictionary() {
  // Once per message on screen, not once per press that finds it missing.
  if (animDictMissingTime == 0) host::AddEventToLog(std::string("On screen: ") + kMissingDictionaryText);
  animDictMissingTime = static_cast<int>(host::TickCount32());
}

// Shown from the first to the 399th unit of 16 ms after the report, then forgotten.
void ShowMissingDictionaryMessage() {
  if (animDictMissingTime == 0) return;
  const uint32_t u = (host::TickCount32() - static_cast<uint32_t>(animDictMissingTime)) / 16;
  if (u >= 1 && u <= 399) {
    DrawScreenText(kMissingDictionaryText, 0.07f, 0.5f);
  } else if (u > 400) {
    animDictMissingTime = 0;
  }
}
