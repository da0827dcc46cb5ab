// Plays a kind's steps (smoking/smoke_steps.h) into activeSequence.
#pragma once

#include <span>

#include "smoking/smoke_kind.h"

void QueueSteps(const SmokeKind& kind, std::span<const Step> steps);

// A value of the description drawn with the game's random numbers, or the
// value itself when there is nothing to draw.
float DrawValue(const Drawn& value);
int DrawValue(const DrawnMs& value);
