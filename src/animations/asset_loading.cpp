#include "animations/asset_loading.h"

#include "host/frame_reads.h"
#include "host/main_loop.h"
#include "host/name_hash.h"
#include "host/natives.h"
#include "host/platform.h"

namespace Animations {

bool WaitForAsset(const std::function<bool()>& loaded) {
  for (int frames = 0;; ++frames) {
    if (loaded()) return true;
    // Off the script fiber (library unload) a yield would block the unloading
    // thread or fault; skip the action instead.
    if (!scriptFiberAvailable || frames >= kAssetLoadTimeoutFrames) return false;
    SuspendFrameReads();
    host::ScriptWait(0);
    ResumeFrameReads();
  }
}

bool LoadModel(const char* name, Hash& model) {
  model = HashName(name);
  if (!native::ModelExists(model) || !native::ModelIsUsable(model)) return false;
  native::RequestModelLoad(model, 0);
  const Hash hash = model;
  return WaitForAsset([hash] { return native::IsModelLoaded(hash); });
}

bool LoadEffectAsset(const char* name) {
  const Hash asset = HashName(name);
  if (!native::IsAssetLoaded(asset)) native::RequestAsset(name);
  if (!WaitForAsset([asset] { return native::IsAssetLoaded(asset); })) return false;
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
