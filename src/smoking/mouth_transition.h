// Moving the prop from the hand to the mouth, with the frame-by-frame easing
// of the cigarette onto the lips.
#pragma once

void MoveCigaretteToMouth(bool direct, bool cutCurrent, bool quick);
void MoveCigarToMouth(bool direct, bool cutCurrent);
void UpdateMouthEasing();
// Ends an easing in progress and removes the mouth marker (a stop or a drop).
void CancelMouthEasing();
