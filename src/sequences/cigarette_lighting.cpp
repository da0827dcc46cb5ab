#include "sequences/cigarette_lighting.h"

void StartCigaretteLighting(int, bool) {}
