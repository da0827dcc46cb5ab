// A smoke in the mouth shows on the face: a facial mood drawn from the
// model's moods, kept for 8.5 s, set again every frame.
#include "host/frame_reads.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "smoking/smoke_kind.h"

Hash smokingMood = 0;
int smokingMoodTime = 0;

Hash ChooseSmokingMood(const SmokeModel& model) {
  const int now = FrameGameTimer();
  if (smokingMoodTime != 0 && now != smokingMoodTime && GameMsSince(smokingMoodTime) <= 8500) return smokingMood;
  // Draws outside 1..7 (5 in 13) fall back on the first mood.
  const int r = native::GetRandomIntInRange(0, 12);
  smokingMood = model.moods[(r >= 1 && r <= 7) ? r : 0];
  smokingMoodTime = now;
  return smokingMood;
}

void ShowSmokingMood() {
  const SmokeKind* kind = SmokedNow();
  if (!kind || !ModelOf(*kind).moods) return;
  smokingMood = ChooseSmokingMood(ModelOf(*kind));
  native::RequestPedFacialMoodThisFrame(FramePlayerPed(), smokingMood, 6);
}
