// The quick smoke that the game's own smoking emote plays (SmokeKind::quick).
#pragma once

struct SmokeKind;

void StartQuickSmoke(const SmokeKind& kind);
