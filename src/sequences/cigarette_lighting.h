// Lighting a cigarette with a match, then its puffs or hold loop and the finish.
#pragma once

void StartCigaretteLighting(int startDelayMs, bool quickStyle);
