#include "smoking/mouth_transition.h"

void MoveCigaretteToMouth(bool, bool, bool) {}
void MoveCigarToMouth(bool, bool) {}
void UpdateMouthEasing() {}
void CancelMouthEasing() {}
