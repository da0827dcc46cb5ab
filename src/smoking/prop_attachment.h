// The player's bones the props hang on and where each kind's prop sits on
// them, per character model and prop model, rebuilt on every frame.
#pragma once

extern int mouthBoneIndex;
extern int handBoneIndex;
extern int fingerBoneIndex;
extern int matchBoneIndex;
extern int handAuxBoneIndex;

// True for PLAYER_ZERO, PLAYER_THREE and CS_JOHNMARSTON.
bool IsStoryCharacter();
// The later story characters, whose slimmer fingers take a cigarette less deep.
bool HasSlimFingers();
// Looks the bones up and rebuilds the fit of every kind (smoke_kind.h) from
// its description, so the user's offsets are added exactly once however
// often this runs.
void UpdatePropAttachment();
