// The quick smoke that the game's own smoking emote plays.
#pragma once

#include "smoking/smoke_kind.h"

inline void StartQuickSmoke(const SmokeKind& kind) { kind.quick.start(); }
