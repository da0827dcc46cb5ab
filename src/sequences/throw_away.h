// Throwing the smoke away on demand.
#pragma once

void StartThrowAway(bool throwFaster);
