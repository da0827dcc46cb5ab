// The shared state of a running smoke and the posture-dependent animation
// parameters every sequence builder uses.
#pragma once

#include <memory>

#include "host/native_types.h"

namespace Animations {
class AnimationTask;
}

extern Entity smokeProp;         // the cigarette or cigar held now
extern bool propInMouth;         // held in the mouth (else in the hand or fingers)
extern Entity mouthMarkerProp;   // invisible marker at the mouth bone, for the easing
extern Entity matchProp;         // the match of the lighting sequences
extern Ped dummyPed;             // temporary ped of the lighting and quick-smoke sequences
extern int dummyPedTime;         // game ms when it was created
extern int animDictMissingTime;  // low 32 bits of the tick count; 0 = no message
extern int holsterBlockUntil;    // game ms; while set weapon selection is swallowed
extern int quickSelectReplayDelay;
extern int quickUseItemPressTime;
extern int mouthEaseActive;
extern int mouthEaseWaitStart;
struct MouthEaseState {
  float rotX, rotY, rotZ;
  float deltaX, deltaY, deltaZ;
};
extern MouthEaseState mouthEaseState;
extern int smokeStartTime;
extern int deadEyeTickTime;
extern int cigarLitTime;
extern bool wanderBaseQueued;
extern int removedCheapBoxCount;
extern int cheapBoxRemovalTime;

// Looped-effect handle slots (0 = none).
extern int cigarSmokeFx;
extern int emberFx;
extern int tipSmokeFx;
extern int trailSmokeFx;
extern int noseExhaleFx;
extern int exhaleFx;
extern int longExhaleFx;
extern int breathFx;

// The prop exists and hangs on the player.
bool HeldByPlayer(Entity prop);
// The smoke's prop exists and hangs on the player (hand, fingers or mouth);
// false once it is thrown, dropped or gone.
bool SmokePropHeld();
// A queued spawn (of a lighting or the short-cigar swap) will still create the prop.
bool SmokePropStillToCome();
// The lighting has not finished with its props: the prop or the match is
// still to be spawned, or the match is still to be released.
bool LightingOwesItsProps();

bool IsPedInSmokingScenario();
bool UpperBodyOnly();
int UpperBodyAnimFlags();
int UpperBodyIkFlags();
const char* UpperBodyFilter();
float AngleDelta(float a, float b);

inline constexpr const char* kWanderBaseDictionary = "amb_wander@code_human_smoking_wander@male_a@base";
inline constexpr const char* kCigaretteDictionary = "script_mp@emotes@smoke_cigarette@male@unarmed@upper";
inline constexpr const char* kCigarDictionary = "script_mp@emotes@smoke_cigar@male@unarmed@upper";

// The wander "base" clip on playerPed with the given parameters.
std::unique_ptr<Animations::AnimationTask> MakeWanderBaseClip(int durationMs, int clipFlags, int ikFlags,
                                                              float blendIn, float blendOut, float rate,
                                                              const char* filter);
