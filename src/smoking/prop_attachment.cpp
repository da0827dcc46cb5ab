#include "smoking/prop_attachment.h"

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "host/ped_bones.h"
#include "smoking/smoke_kind.h"

int mouthBoneIndex = 0;
int handBoneIndex = 0;
int fingerBoneIndex = 0;
int matchBoneIndex = 0;
int handAuxBoneIndex = 0;

namespace {

// The player's model is read once a frame (and afresh on every test between
// frames): nothing the plug-in does within a frame changes it.
bool PlayerModelIs(Hash model) { return FramePlayerModel() == model; }

void UpdateBones() {
  mouthBoneIndex = native::GetPedBoneIndex(FramePlayerPed(), kStoryMouthBone);
  handBoneIndex = native::GetEntityBoneIndexByName(FramePlayerPed(), "ph_r_hand");
  fingerBoneIndex = native::GetEntityBoneIndexByName(FramePlayerPed(), "skel_r_finger13");
  matchBoneIndex = native::GetEntityBoneIndexByName(FramePlayerPed(), "skel_r_finger02");
  handAuxBoneIndex = native::GetEntityBoneIndexByName(FramePlayerPed(), "xh_r_hand00");
}

enum class Rig {
  arthur,      // PLAYER_ZERO's mouth bone
  laterStory,  // Arthur's successors share one head rig
  head,        // any other model has no mouth bone of its own: the prop hangs off the head
};

// The user's fine-tuning. On the head bone its axes are turned, so the
// settings' x, y, z land on the bone's z, x, y.
void AddUserOffsets(PropSeat& seat, const float* const* offsets, bool storyCharacter) {
  if (storyCharacter) {
    seat.x += *offsets[0];
    seat.y += *offsets[1];
    seat.z += *offsets[2];
  } else {
    seat.z += *offsets[0];
    seat.x += *offsets[1];
    seat.y += *offsets[2];
  }
  seat.rx += *offsets[3];
  seat.ry += *offsets[4];
  seat.rz += *offsets[5];
}

void Fit(const SmokeKind& kind, Rig rig) {
  PropFit& fit = kind.fit;
  if (!kind.keepsModelOnceLit) fit.model = ModelFromSettings(kind);
  const SmokeModel& model = *fit.model;
  switch (rig) {
    case Rig::arthur: fit.mouth = model.mouth; break;
    case Rig::laterStory: fit.mouth = model.laterStoryMouth; break;
    case Rig::head: fit.mouth = model.headMouth; break;
  }
  if (USE_PROP_OFFSETS) AddUserOffsets(fit.mouth, kind.userOffsets, rig != Rig::head);
}

}  // namespace

bool IsStoryCharacter() {
  return PlayerModelIs(GameName("PLAYER_ZERO")) || PlayerModelIs(GameName("PLAYER_THREE")) ||
         PlayerModelIs(GameName("CS_JOHNMARSTON"));
}

bool HasSlimFingers() {
  const Hash model = FramePlayerModel();
  return model == GameName("PLAYER_THREE") || model == GameName("CS_JOHNMARSTON");
}

void UpdatePropAttachment() {
  UpdateBones();
  const bool laterStory = PlayerModelIs(GameName("PLAYER_THREE")) || PlayerModelIs(GameName("CS_JOHNMARSTON"));
  const bool storyCharacter = IsStoryCharacter();
  if (!storyCharacter) mouthBoneIndex = native::GetEntityBoneIndexByName(FramePlayerPed(), "skel_head");
  const Rig rig = !storyCharacter ? Rig::head : laterStory ? Rig::laterStory : Rig::arthur;
  for (const SmokeKind* kind : kSmokeKinds) Fit(*kind, rig);
}
