#include "input/hand_smoking.h"

void MoveCigaretteToHand() {}
void MoveCigarToHand() {}
void QueueCigaretteFinish() {}
void QueueCigarFinish() {}
