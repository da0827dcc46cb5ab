// The world rules a running smoke follows, one unit each; the smoking
// controller (smoking_controller.cpp) runs them in their order every frame.
// Each keeps the smoke consistent with one thing the player or the world
// does, by moving, dropping or stopping it through the builders below.
#pragma once

#include <cstdint>

#include "host/native_types.h"

namespace Animations {
class ISequenceTask;
}

// The missing-dictionary message (missing_dictionary.cpp): shown for a while
// after a lighting found the emote dictionary missing.
extern int animDictMissingTime;  // low 32 bits of the tick count; 0 = no message
void ReportMissingDictionary();
void ShowMissingDictionaryMessage();

// Mounting (mount.cpp): a weapon drawn in the saddle sends the hand-held
// prop to the mouth or the fingers once per ride.
extern uint32_t mountedSince;  // low 32 bits of the tick count; 0 = not mounted
extern bool mountLatched;
void TrackMount();
void HandleWeaponOnHorseback();

// Weapon selection (weapon_selection.cpp): swallowed while a clip needs the
// hand, replayed once it is free; a selection with the prop in hand puts it
// in the mouth first.
inline constexpr int kQuickSelectControlCount = 9;
extern const char* const QuickSelectControls[kQuickSelectControlCount];
extern const char* const kNoControl;  // the empty control name, compared by pointer
extern bool quickSelectReplayArmed;
extern const char* pendingQuickSelect;  // one of QuickSelectControls, or kNoControl
extern int quickSelectReplayTime;
// Swallows, releases and replays; answers the selection control held now.
const char* UpdateWeaponSelection();
void PutAwayForWeapon(const char* pressed);

// The game's quick-use item (quick_use_item.cpp), bound to the I key like the
// key of a kind whose item it takes can be.
void RecordQuickUseItem();

// Dead Eye (dead_eye.cpp): regenerated while smoking.
void RegenerateDeadEye();

// The hand needed for something else (hand_needed.cpp): interacting, the
// weapon wheel, the journal, a cutscene, running, melee, lost control.
void InteractWithHandHeldProp();
void OpenWeaponWheel();
void OpenJournal();
void HandleControlLoss();
void SettleWhenHandIsNeeded();

// Clips on a mount, sitting or in a scenario (upper_body_clips.cpp) stay to
// the upper body.
void AdjustNextAnimation();

// The quick emote smoke (quick_emote_end.cpp): our prop is dropped once the
// game's emote is over.
void EndFinishedEmote();

// A model that burns down turns into the short one (short_cigar.cpp).
void SwapWhenBurnedDown();

// First person (first_person.cpp): HIDE_PROP_IN_FIRST_PERSON.
void HidePropInFirstPerson();

// Falling out (fall_out.cpp): death, ragdoll, water and the weapon wheel with
// the prop in hand make it fall; a smoke that lost its prop is over.
bool PropFallsOut();
bool SmokeLostItsProp();

// Melee (melee.cpp): hits that knock the prop out of the mouth or the hand.
void HandleMeleeHits();

// The facial mood of a smoke in the mouth (smoking_mood.cpp), for the models
// that have moods.
extern Hash smokingMood;
extern int smokingMoodTime;  // game ms when it was drawn
struct SmokeModel;
Hash ChooseSmokingMood(const SmokeModel& model);
void ShowSmokingMood();

// The effects of a smoke in the mouth (in_mouth_effects.cpp): exhales faded
// at speed, the tip smoke kept, and the next puff queued as an exhale begins.
// The short exhale task the next puff was queued for: its address and the
// moment it became current. The address alone is not enough, since a later
// exhale task may be allocated where an earlier one was freed.
extern const Animations::ISequenceTask* reactedExhaleTask;
extern int64_t reactedExhaleStartTicks;
void UpdateInMouthEffects();

// Delayed jobs that also run between smokes: the cheap cigarette boxes given
// back (cheap_boxes.cpp), the lighting's helper ped deleted (helper_ped.cpp).
void RestoreCheapBoxes(int count);
void GiveBackCheapBoxes();
void DeleteHelperPed();
