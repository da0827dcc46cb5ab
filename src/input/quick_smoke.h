// The quick smoke that the game's own smoking emote plays.
#pragma once

void StartQuickCigarette();
void StartQuickCigar();
