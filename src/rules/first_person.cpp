// HIDE_PROP_IN_FIRST_PERSON: in the mouth the prop would fill the view, so it
// is made invisible and parked away from the head, and seated again once the
// camera is back.
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "sequences/mouth_transition.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

void HidePropInFirstPerson() {
  if (!HIDE_PROP_IN_FIRST_PERSON) return;
  if (propInMouth && native::IsFirstPersonCameraActive(0, 0, 0) && !native::IsAnimSceneCamActive()) {
    native::SetEntityAlpha(smokeProp, 0, false);
    // The catalogue's form of the call takes two more integers than the
    // fifteen values that park the prop; they are passed as 0.
    native::AttachEntityToEntity(smokeProp, playerPed, mouthBoneIndex, -50.0f, -50.0f, -50.0f, 0.0f, 0.0f, 0.0f,
                                 0, 0, 0, 0, 2, 1, 0, 0);
    return;
  }
  // Without a prop there is nothing to show again; re-seating then would
  // restart the sequence every frame and the prop would never appear.
  if (!native::DoesEntityExist(smokeProp)) return;
  if (native::GetEntityAlpha(smokeProp) != 0) return;
  native::SetEntityAlpha(smokeProp, 255, false);
  if (!propInMouth) return;
  if (const SmokeKind* kind = SmokedNow()) MoveToMouth(*kind, true, false);
}
