#include "smoking/prop_attachment.h"

#include <cstring>

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"

int mouthBoneIndex = 0;
int handBoneIndex = 0;
int fingerBoneIndex = 0;
int matchBoneIndex = 0;
int handAuxBoneIndex = 0;
const char* cigaretteModel = "p_cigarette01x";
const char* cigarModel = kLongCigarModel;
float cigaretteTipOffset = -0.05f;
float cigaretteMouthOffsetX = 0, cigaretteMouthOffsetY = 0, cigaretteMouthOffsetZ = 0;
float cigaretteMouthRotX = 0, cigaretteMouthRotY = 0, cigaretteMouthRotZ = 0;
float cigarMouthOffsetX = 0, cigarMouthOffsetY = 0, cigarMouthOffsetZ = 0;
float cigarMouthRotX = 0, cigarMouthRotY = 0, cigarMouthRotZ = 0;
float cigarHandOffsetX = 0, cigarHandOffsetY = 0, cigarHandOffsetZ = 0;
float cigarHandRotX = 0, cigarHandRotY = 0, cigarHandRotZ = 0;
float cigarSmokeFxAlpha = 0.4f, cigarSmokeFxScale = 1.0f;
float cigarTipOffsetX = 0, cigarTipOffsetY = 0, cigarTipOffsetZ = 0;
float cigarTipRotX = 0, cigarTipRotY = 0, cigarTipRotZ = 0;

namespace {

// The mouth bone of the story characters' head rigs.
constexpr int kMouthPedBone = 10509;

// The player's model is read once a frame (and afresh on every test between
// frames): nothing the plug-in does within a frame changes it.
bool PlayerModelIs(Hash model) { return FramePlayerModel() == model; }

void SetCigaretteMouth(float x, float y, float z, float rx, float ry, float rz) {
  cigaretteMouthOffsetX = x;
  cigaretteMouthOffsetY = y;
  cigaretteMouthOffsetZ = z;
  cigaretteMouthRotX = rx;
  cigaretteMouthRotY = ry;
  cigaretteMouthRotZ = rz;
}

void SetCigarMouth(float x, float y, float z, float rx, float ry, float rz) {
  cigarMouthOffsetX = x;
  cigarMouthOffsetY = y;
  cigarMouthOffsetZ = z;
  cigarMouthRotX = rx;
  cigarMouthRotY = ry;
  cigarMouthRotZ = rz;
}

void SetCigarHand(float x, float y, float z, float rx, float ry, float rz) {
  cigarHandOffsetX = x;
  cigarHandOffsetY = y;
  cigarHandOffsetZ = z;
  cigarHandRotX = rx;
  cigarHandRotY = ry;
  cigarHandRotZ = rz;
}

void SetCigarTip(float x, float y, float z, float rx, float ry, float rz) {
  cigarTipOffsetX = x;
  cigarTipOffsetY = y;
  cigarTipOffsetZ = z;
  cigarTipRotX = rx;
  cigarTipRotY = ry;
  cigarTipRotZ = rz;
}

void UpdateBones() {
  mouthBoneIndex = native::BoneIndexOfPedBone(FramePlayerPed(), kMouthPedBone);
  handBoneIndex = native::BoneIndexByName(FramePlayerPed(), "ph_r_hand");
  fingerBoneIndex = native::BoneIndexByName(FramePlayerPed(), "skel_r_finger13");
  matchBoneIndex = native::BoneIndexByName(FramePlayerPed(), "skel_r_finger02");
  handAuxBoneIndex = native::BoneIndexByName(FramePlayerPed(), "xh_r_hand00");
}

void SetCigaretteBase() {
  if (USE_ALTERNATIVE_CIGARETTE_MODEL) {
    cigaretteModel = "p_cigarette_cs02x";
    cigaretteTipOffset = -0.042f;
    SetCigaretteMouth(0.019f, 0.002f, 0.0117f, 1.4f, 97.89f, 0.0f);
  } else {
    cigaretteModel = "p_cigarette01x";
    cigaretteTipOffset = -0.05f;
    SetCigaretteMouth(0.019f, 0.0019f, 0.00539f, 1.4f, 98.5f, 0.0f);
  }
}

void SetCigarBase() {
  if (IsShortCigarModel()) {
    SetCigarMouth(0.0202f, 0.002f, 0.0122f, 170.299f, -90.4f, -85.8f);
    SetCigarHand(0.003f, -0.05f, 0.0122f, 250.0f, -3.0f, -85.8f);
    cigarSmokeFxAlpha = 0.15f;
    SetCigarTip(-0.055f, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f);
    cigarSmokeFxScale = 0.62f;
  } else {
    SetCigarMouth(0.0322f, 0.009f, 0.0522f, 85.299f, -0.4f, -60.8f);
    SetCigarHand(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    cigarSmokeFxAlpha = 0.4f;
    SetCigarTip(0.0f, 0.09f, 0.01f, 0.0f, 0.0f, -180.0f);
    cigarSmokeFxScale = 1.0f;
  }
}

// Arthur's successors share one head rig.
void ApplyLaterStoryRig() {
  if (!PlayerModelIs(GameName("PLAYER_THREE")) && !PlayerModelIs(GameName("CS_JOHNMARSTON"))) return;
  SetCigaretteMouth(0.019f, 0.0006f, 0.0117f, 1.4f, 99.89f, 0.0f);
  if (IsShortCigarModel()) {
    cigarMouthOffsetX = 0.02f;
    cigarMouthOffsetY = -0.001f;
  } else {
    cigarMouthOffsetX = 0.033f;
    cigarMouthOffsetY = 0.01f;
  }
}

// Any other model has no mouth bone of its own: the prop hangs off the head.
void ApplyHeadBoneRig() {
  mouthBoneIndex = native::BoneIndexByName(FramePlayerPed(), "skel_head");
  SetCigaretteMouth(-0.0195f, 0.087f, -0.014f, -17.0f, -27.0f, -100.0f);
  if (IsShortCigarModel()) SetCigarMouth(-0.0177f, 0.116f, -0.019f, 69.0f, -93.0f, 0.0f);
  else SetCigarMouth(-0.0097f, 0.146f, -0.032f, -21.0f, -100.0f, 0.0f);
}

// The user's fine-tuning. On the head bone its axes are turned, so the
// settings' x, y, z land on the bone's z, x, y.
void AddUserOffsets(bool storyCharacter) {
  if (storyCharacter) {
    cigaretteMouthOffsetX += CIGARETTE_X_OFFSET;
    cigaretteMouthOffsetY += CIGARETTE_Y_OFFSET;
    cigaretteMouthOffsetZ += CIGARETTE_Z_OFFSET;
    cigarMouthOffsetX += CIGAR_X_OFFSET;
    cigarMouthOffsetY += CIGAR_Y_OFFSET;
    cigarMouthOffsetZ += CIGAR_Z_OFFSET;
  } else {
    cigaretteMouthOffsetZ += CIGARETTE_X_OFFSET;
    cigaretteMouthOffsetX += CIGARETTE_Y_OFFSET;
    cigaretteMouthOffsetY += CIGARETTE_Z_OFFSET;
    cigarMouthOffsetZ += CIGAR_X_OFFSET;
    cigarMouthOffsetX += CIGAR_Y_OFFSET;
    cigarMouthOffsetY += CIGAR_Z_OFFSET;
  }
  cigaretteMouthRotX += CIGARETTE_ROTX_OFFSET;
  cigaretteMouthRotY += CIGARETTE_ROTY_OFFSET;
  cigaretteMouthRotZ += CIGARETTE_ROTZ_OFFSET;
  cigarMouthRotX += CIGAR_ROTX_OFFSET;
  cigarMouthRotY += CIGAR_ROTY_OFFSET;
  cigarMouthRotZ += CIGAR_ROTZ_OFFSET;
}

}  // namespace

// By content, so a builder that spells the name out itself is recognised too.
bool IsShortCigarModel() {
  return cigarModel == kShortLitCigarModel || (cigarModel && std::strcmp(cigarModel, kShortLitCigarModel) == 0);
}

bool IsStoryCharacter() {
  return PlayerModelIs(GameName("PLAYER_ZERO")) || PlayerModelIs(GameName("PLAYER_THREE")) ||
         PlayerModelIs(GameName("CS_JOHNMARSTON"));
}

// Every output is rebuilt from its constant, so the user offsets are added
// exactly once however often this runs.
void UpdatePropAttachment() {
  UpdateBones();
  SetCigaretteBase();
  SetCigarBase();
  ApplyLaterStoryRig();
  const bool storyCharacter = IsStoryCharacter();
  if (!storyCharacter) ApplyHeadBoneRig();
  if (USE_PROP_OFFSETS) AddUserOffsets(storyCharacter);
}
