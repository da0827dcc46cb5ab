#include "animations/asset_loading.h"

#include "host/main_loop.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "host/platform.h"

namespace Animations {

bool WaitForAsset(const std::function<bool()>& loaded) {
  for (int frames = 0;; ++frames) {
    if (loaded()) return true;
    // Off the script fiber (library unload) a yield would block the unloading
    // thread or fault; skip the action instead.
    if (!scriptFiberAvailable && !EMBERWICK_PLANTED(wait_during_unload)) return false;
    if (frames >= kAssetLoadTimeoutFrames && !EMBERWICK_PLANTED(asset_wait_unbounded)) return false;
    host::ScriptWait(0);
  }
}

bool LoadModel(const char* name, Hash& model) {
  model = native::HashString(name);
  if (!native::ModelExists(model) || !native::ModelIsUsable(model)) return false;
  native::RequestModelLoad(model, 0);
  const Hash hash = model;
  return WaitForAsset([hash] { return native::IsModelLoaded(hash); });
}

bool LoadEffectAsset(const char* name) {
  if (!native::IsAssetLoaded(native::HashString(name))) native::RequestAsset(name);
  if (!WaitForAsset([name] { return native::IsAssetLoaded(native::HashString(name)); })) return false;
  native::UseAssetForNextEffect(name);
  return true;
}

bool LoadClipDictionary(const char* dictionary) {
  if (!native::IsClipDictionaryLoaded(dictionary)) native::RequestAsset(dictionary);
  return WaitForAsset([dictionary] { return native::IsClipDictionaryLoaded(dictionary); });
}

bool LoadSoundSet(const char* soundSet) {
  return WaitForAsset([soundSet] { return native::LoadSoundSet(soundSet, 1); });
}

}  // namespace Animations
