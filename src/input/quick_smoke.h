// The quick smoke that the game's own smoking emote plays.
#pragma once

void StartQuickCigarette();
void StartQuickCigar();
// A tap ends the quick cigarette: its cigarette is dropped, or before the
// cigarette came, what the sequence still owed is settled and nothing more
// is created.
void EndQuickCigarette();
