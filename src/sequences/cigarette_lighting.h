// How a cigarette starts: lit with a match (standard, quick or fallback), or
// smoked with the game's own quick smoking emote.
#pragma once

#include <cstdint>

// The game's smoking emote with a cigarette.
inline constexpr uint32_t kQuickCigaretteEmote = 0x8B7F8EEB;

// Queues the lighting after the start every lighting shares, then its puffs
// (or hold) and the finish.
void LightCigarette(bool quickStyle);
void StartQuickCigarette();
