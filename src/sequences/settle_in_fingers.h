// Putting a hand-held prop between the fingers when the hand is needed.
#pragma once

void SettleInFingers();
