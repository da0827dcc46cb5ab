// The endless in-mouth puff cycle and its exhale, breath and tip-smoke effects.
#pragma once

void QueueCigarettePuffCycle(int durationMs);
void QueueCigarPuffCycle(int durationMs);
void UpdateInMouthEffects();
