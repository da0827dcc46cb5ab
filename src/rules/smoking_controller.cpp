#include "rules/smoking_controller.h"

#include "rules/world_rules.h"
#include "smoking/mouth_easing.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"

namespace {

// The rules that apply while a smoke plays, in their order. Once the smoke
// has ended in this frame (dropped or stopped), the remaining rules have
// nothing to act on.
void UpdateRunningSmoke(const char* pressed) {
  if (SmokeLostItsProp()) {
    StopSmokingNow();
    return;
  }
  UpdateMouthEasing();
  RegenerateDeadEye();
  if (propInMouth) {
    UpdateInMouthEffects();
    ShowSmokingMood();
  } else {
    InteractWithHandHeldProp();
  }
  AdjustNextAnimation();
  HandleWeaponOnHorseback();
  EndFinishedEmote();
  if (!activeSequence.running) return;
  OpenWeaponWheel();
  OpenJournal();
  SwapWhenBurnedDown();
  HidePropInFirstPerson();
  HandleControlLoss();
  if (!activeSequence.running) return;
  SettleWhenHandIsNeeded();
  if (PropFallsOut()) DropSmokeProp();
  if (!activeSequence.running) return;
  HandleMeleeHits();
  if (!activeSequence.running) return;
  PutAwayForWeapon(pressed);
}

}  // namespace

void UpdateSmokingController() {
  ShowMissingDictionaryMessage();
  Update(activeSequence);
  Update(secondarySequence);
  TrackMount();
  const char* pressed = UpdateWeaponSelection();
  RecordQuickUseItem();
  // The delayed jobs also run between smokes: a smoke that ended early must
  // still give the boxes back and remove its temporary ped.
  if (activeSequence.running) UpdateRunningSmoke(pressed);
  GiveBackCheapBoxes();
  DeleteHelperPed();
}
