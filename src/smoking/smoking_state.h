// The shared state of a running smoke and the posture-dependent animation
// parameters every sequence builder uses.
#pragma once

#include "host/native_types.h"

extern Entity smokeProp;        // the cigarette or cigar held now
extern bool propInMouth;        // held in the mouth (else in the hand or fingers)
extern Entity mouthMarkerProp;  // invisible marker at the mouth bone, for the easing
extern Entity matchProp;        // the match of the lighting sequences
extern Ped dummyPed;            // temporary ped of the lighting and quick-smoke sequences
extern int dummyPedTime;        // game ms when it was created
extern int holsterBlockUntil;   // game ms; while set weapon selection is swallowed
extern int quickSelectReplayDelay;
extern int quickUseItemPressTime;  // game ms of the last press of the game's quick-use item
extern int smokeStartTime;
extern int deadEyeTickTime;
extern int cigarLitTime;         // game ms; the cigar is swapped for the short one a while later
extern bool wanderBaseQueued;
// A puff on demand opens a window of manual smoking (PUFF_BUTTON_ENABLES_MANUAL_SMOKING).
extern bool manualPuff;
extern int manualPuffAt;  // game ms of the last puff on demand

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

// The player is in a state to start a smoke: in control (when
// DISABLE_ON_CONTROL_LOSS asks for it), not fighting, not being grappled, not
// deep in water.
bool CanStartSmoking();

// On a horse or sitting (a chair, a bench, the ground). The game's
// IS_PED_SITTING answers for sitting only: a rider is asked for his mount.
bool RidesOrSits(Ped ped);
bool IsPedInSmokingScenario();
// Riding, sitting or in a scenario the legs belong to the game: only the
// head, neck and right arm may be animated.
bool UpperBodyOnly();
int UpperBodyAnimFlags();
int UpperBodyIkFlags();
const char* UpperBodyFilter();
float AngleDelta(float a, float b);
