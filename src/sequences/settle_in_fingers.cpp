#include "sequences/settle_in_fingers.h"

void SettleCigaretteInFingers() {}
