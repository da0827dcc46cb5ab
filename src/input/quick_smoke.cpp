#include "input/quick_smoke.h"

void StartQuickCigarette() {}
void StartQuickCigar() {}
