#include "input/stop_cleanup.h"

void StopSmokingNow() {}
void DropSmokeProp() {}
