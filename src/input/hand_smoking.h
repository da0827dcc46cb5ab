// Moving the prop from the mouth to the hand, and the finish of a smoke.
#pragma once

void MoveCigaretteToHand();
void MoveCigarToHand();
void QueueCigaretteFinish();
void QueueCigarFinish();
