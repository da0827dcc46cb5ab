// Bone indices and attachment offsets of the cigarette and cigar, per
// character model and prop model, rebuilt from constants on every call.
#pragma once

inline constexpr const char* kShortLitCigarModel = "p_cigarlit01x";
inline constexpr const char* kLongCigarModel = "p_cigar02x";

extern int mouthBoneIndex;
extern int handBoneIndex;
extern int fingerBoneIndex;
extern int matchBoneIndex;
extern int handAuxBoneIndex;
extern const char* cigaretteModel;
extern const char* cigarModel;  // set by the cigar lighting and the short-cigar swap
extern float cigaretteTipOffset;
extern float cigaretteMouthOffsetX, cigaretteMouthOffsetY, cigaretteMouthOffsetZ;
extern float cigaretteMouthRotX, cigaretteMouthRotY, cigaretteMouthRotZ;
extern float cigarMouthOffsetX, cigarMouthOffsetY, cigarMouthOffsetZ;
extern float cigarMouthRotX, cigarMouthRotY, cigarMouthRotZ;
extern float cigarHandOffsetX, cigarHandOffsetY, cigarHandOffsetZ;
extern float cigarHandRotX, cigarHandRotY, cigarHandRotZ;
extern float cigarSmokeFxAlpha, cigarSmokeFxScale;
extern float cigarTipOffsetX, cigarTipOffsetY, cigarTipOffsetZ;
extern float cigarTipRotX, cigarTipRotY, cigarTipRotZ;

// True when cigarModel is the short lit cigar.
bool IsShortCigarModel();
// True for PLAYER_ZERO, PLAYER_THREE and CS_JOHNMARSTON.
bool IsStoryCharacter();
void UpdatePropAttachment();
