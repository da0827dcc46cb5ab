#include "sequences/throw_away.h"

void StartThrowAway(bool) {}
