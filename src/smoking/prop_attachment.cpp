#include "smoking/prop_attachment.h"

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

bool IsShortCigarModel() { return false; }
bool IsStoryCharacter() { return true; }
void UpdatePropAttachment() {}
