#include "config/settings.h"

bool ENABLED = true;
bool CONTROLLER_SUPPORT_ENABLED = true;
bool COMPATIBILITY_MODE_ENABLED = false;
int KEY_SMOKE = 'N';
int KEY_SMOKE_CIGAR = 188;
int KEY_TAKE_PUFF = 'Y';
int KEY_OPEN_SCENARIO_MENU = 'Y';
bool deadEyeBurstEnabled = true;
int deadEyeBurstWindowMs = 37000;
bool REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED = true;
bool EXTENDED_SMOKE_DURATION = false;
bool MANUAL_SMOKING_ONLY = false;
int PUFF_BUTTON_ENABLES_MANUAL_SMOKING = 45000;
bool NEVER_FALLS_OUT = false;
bool THROW_AWAY_FASTER = false;
bool MOVE_TO_MOUTH_IMMEDIATELY = false;
bool BLOCK_SMOKING_IF_NO_ITEM = false;
bool DISABLE_ON_CONTROL_LOSS = false;
bool FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = false;
bool SCENARIOS_ENABLED = true;
std::string SCENARIO_TYPE[kScenarioSlots] = {"GENERIC_SIT_GROUND_SCENARIO",
                                             "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK",
                                             "WORLD_HUMAN_LEAN_RAILING_NO_PROPS"};
std::string SCENARIO_VARIATION[kScenarioSlots] = {"", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
                                                  "WORLD_HUMAN_LEAN_RAILING_MALE_B"};
std::string SCENARIO_LABEL[kScenarioSlots] = {"Sit Down", "Lean Forward", "Lean Railing"};
bool USE_ALTERNATIVE_CIGARETTE_MODEL = false;
bool USE_SHORT_CIGAR_MODEL = false;
bool SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = false;
bool HIDE_PROP_IN_FIRST_PERSON = false;
bool USE_PROP_OFFSETS = false;
float CIGARETTE_X_OFFSET = 0, CIGARETTE_Y_OFFSET = 0, CIGARETTE_Z_OFFSET = 0;
float CIGARETTE_ROTX_OFFSET = 0, CIGARETTE_ROTY_OFFSET = 0, CIGARETTE_ROTZ_OFFSET = 0;
float CIGAR_X_OFFSET = 0, CIGAR_Y_OFFSET = 0, CIGAR_Z_OFFSET = 0;
float CIGAR_ROTX_OFFSET = 0, CIGAR_ROTY_OFFSET = 0, CIGAR_ROTZ_OFFSET = 0;
std::string SMOKE_PROMPT_LABEL = "Smoking";
std::string SMOKE_SIT_PROMPT_LABEL = "Sitting";
std::string SMOKE_LEAN_ON_RAILING_PROMPT_LABEL = "On Railing";
std::string SMOKE_STAND_PROMPT_LABEL = "Standing Cigarette";
std::string SMOKE_STAND_PIPE_PROMPT_LABEL = "Standing Pipe";
std::string CONTROLLER_SHOW_SCENARIOS_LABEL = "Show Scenarios";
std::string CONTROLLER_SMOKE_HINT_LABEL = "Smoke";
std::string CONTROLLER_THROW_MOVE_CIGARETTE_LABEL = "Throw/Move Cigarette";
std::string CONTROLLER_THROW_MOVE_CIGAR_LABEL = "Throw/Move Cigar";
std::string CONTROLLER_CIGARETTE_LABEL = "Cigarette";
std::string CONTROLLER_CIGAR_LABEL = "Cigar";

void LoadSettings() {}
