// Throwing the cigarette or cigar away on demand.
#pragma once

void StartThrowAway(bool throwFaster);
