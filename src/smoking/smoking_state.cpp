#include "smoking/smoking_state.h"

#include "animations/animation_tasks.h"

Entity smokeProp = 0;
bool propInMouth = false;
Entity mouthMarkerProp = 0;
Entity matchProp = 0;
Ped dummyPed = 0;
int dummyPedTime = 0;
int animDictMissingTime = 0;
int holsterBlockUntil = 0;
int quickSelectReplayDelay = 0;
int quickUseItemPressTime = 0;
int mouthEaseActive = 0;
int mouthEaseWaitStart = 0;
MouthEaseState mouthEaseState{};
int smokeStartTime = 0;
int deadEyeTickTime = 0;
int cigarLitTime = 0;
bool wanderBaseQueued = false;
int removedCheapBoxCount = 0;
int cheapBoxRemovalTime = 0;
int cigarSmokeFx = 0;
int emberFx = 0;
int tipSmokeFx = 0;
int trailSmokeFx = 0;
int noseExhaleFx = 0;
int exhaleFx = 0;
int longExhaleFx = 0;
int breathFx = 0;

bool IsPedInSmokingScenario() { return false; }
bool UpperBodyOnly() { return false; }
int UpperBodyAnimFlags() { return 25; }
int UpperBodyIkFlags() { return 0x10000; }
const char* UpperBodyFilter() { return ""; }
float AngleDelta(float, float) { return 0.0f; }

std::unique_ptr<Animations::AnimationTask> MakeWanderBaseClip(int durationMs, int clipFlags, int ikFlags,
                                                              float blendIn, float blendOut, float rate,
                                                              const char* filter) {
  return std::make_unique<Animations::AnimationTask>(&playerPed, kWanderBaseDictionary, "base", durationMs,
                                                     clipFlags, ikFlags, blendIn, blendOut, rate, filter);
}
