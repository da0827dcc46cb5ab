// The cigarette's description, for a kind that smokes with its assets.
#pragma once

#include "smoking/smoke_kind.h"

extern const SmokeKind kCigarette;
