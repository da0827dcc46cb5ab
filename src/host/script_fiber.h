// Whether the plug-in runs on the hook's script fiber, where it may yield
// frames with scriptWait. False before the script main first runs and while
// the library is being unloaded: code that runs then (DllMain on the
// unloading thread) must not yield.
#pragma once

inline bool scriptFiberAvailable = false;
