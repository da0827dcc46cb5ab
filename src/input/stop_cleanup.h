// The two ways a smoke ends: everything removed at once, or the prop dropped.
#pragma once

void StopSmokingNow();
void DropSmokeProp();
