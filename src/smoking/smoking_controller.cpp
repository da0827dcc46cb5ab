#include "smoking/smoking_controller.h"

uint32_t mountedSince = 0;
bool mountLatched = false;
bool quickSelectReplayArmed = false;
const char* const kNoControl = "";
const char* pendingQuickSelect = kNoControl;
int quickSelectReplayTime = 0;
Hash cigarMood = 0;
int cigarMoodTime = 0;
const char* const QuickSelectControls[kQuickSelectControlCount] = {
    "INPUT_TOGGLE_HOLSTER",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT",
    "INPUT_SELECT_QUICKSELECT_DUALWIELD",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT",
    "INPUT_SELECT_QUICKSELECT_UNARMED",
    "INPUT_SELECT_QUICKSELECT_MELEE_NO_UNARMED",
    "INPUT_SELECT_QUICKSELECT_SECONDARY_LONGARM",
    "INPUT_SELECT_QUICKSELECT_THROWN",
    "INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM",
};

void UpdateSmokingController() {}
Hash ChooseCigarMood() { return 0; }

