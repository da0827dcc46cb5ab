// A host for the fuzz targets: the hook and Windows functions the plug-in
// imports, with a clock the target moves and natives that answer 0.
#pragma once

#include <cstdint>

namespace fuzz {

void SetTickMs(uint64_t ms);
void SetKeyDown(int virtualKey, bool down);
void SetGameInForeground(bool foreground);
// Yields allowed per input before the target calls it a hang.
void ResetWaitBudget();

}  // namespace fuzz
