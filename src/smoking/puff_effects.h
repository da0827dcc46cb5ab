// The endless in-mouth puff cycle and its exhale, breath and tip-smoke effects.
#pragma once

void QueueCigarettePuffCycle(int durationMs);
void QueueCigarPuffCycle(int durationMs);
// Each frame while the prop is in the mouth and the sequence runs: fades
// exhales at speed, keeps the cigarette's tip smoke, and when a short mouth
// exhale has become the current task, adds a breath cloud and queues the next
// cycle (once per exhale task, however many frames it stays current).
void UpdateInMouthEffects();
