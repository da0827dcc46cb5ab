// Lighting a cigar, then its puffs or hold loop and the finish.
#pragma once

void StartCigarLighting(int startDelayMs, bool quickStyle);
