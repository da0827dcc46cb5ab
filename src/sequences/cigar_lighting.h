// How a cigar starts: lit with a match (standard, quick or fallback), or
// smoked with the game's own quick smoking emote.
#pragma once

#include <cstdint>

// The game's smoking emote with a cigar.
inline constexpr uint32_t kQuickCigarEmote = 0x81615BA3;

// Chooses the model, takes the cigar from the satchel and queues the lighting
// after the start every lighting shares, then its puffs (or hold) and the finish.
void LightCigar(bool quickStyle);
void StartQuickCigar();
