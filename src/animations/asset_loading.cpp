#include "animations/asset_loading.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/frame_reads.h"
#include "host/log_file.h"
#include "host/name_hash.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "host/platform.h"
#include "host/script_fiber.h"

namespace Animations {

bool WaitForAsset(const std::function<bool()>& loaded) {
  for (int frames = 0;; ++frames) {
    if (loaded()) return true;
    // Off the script fiber (library unload) a yield would block the unloading
    // thread or fault; skip the action instead.
    if (!scriptFiberAvailable && !EMBERWICK_PLANTED(wait_during_unload)) return false;
    if (frames >= kAssetLoadTimeoutFrames && !EMBERWICK_PLANTED(asset_wait_unbounded)) return false;
    SuspendFrameReads();
    host::ScriptWait(0);
    ResumeFrameReads();
  }
}

namespace {

std::vector<std::string> assetsGivenUp;

// `kind` names the asset in the log ("model", "animation dictionary").
bool WaitForNamedAsset(const char* kind, const char* name, const std::function<bool()>& loaded) {
  auto givenUp = std::find(assetsGivenUp.begin(), assetsGivenUp.end(), name);
  if (givenUp != assetsGivenUp.end()) {
    if (!loaded()) return false;
    assetsGivenUp.erase(givenUp);
    return true;
  }
  if (WaitForAsset(loaded)) return true;
  // A wait cut short by the unload says nothing about the asset.
  if (scriptFiberAvailable) {
    assetsGivenUp.emplace_back(name);
    host::AddEventToLog(std::string("Gave up waiting for the ") + kind + " " + name + " after " +
                        std::to_string(kAssetLoadTimeoutFrames) + " frames: what needs it is skipped");
  }
  return false;
}

}  // namespace

void ForgetAssetsGivenUp() { assetsGivenUp.clear(); }

bool LoadModel(const char* name, Hash& model) {
  model = HashName(name);
  if (!native::IsModelInCdImage(model) || !native::IsModelValid(model)) return false;
  native::RequestModel(model, 0);
  const Hash hash = model;
  return WaitForNamedAsset("model", name, [hash] { return native::HasModelLoaded(hash); });
}

// The game loads a particle asset only when it is asked for by its name's
// hash; a clip dictionary's request of the same name loads nothing of it.
bool LoadEffectAsset(const char* name) {
  const Hash asset = HashName(name);
  if (!native::HasNamedPtfxAssetLoaded(asset)) native::RequestNamedPtfxAsset(asset);
  if (!WaitForNamedAsset("effect asset", name, [asset] { return native::HasNamedPtfxAssetLoaded(asset); })) {
    return false;
  }
  native::UseParticleFxAsset(name);
  return true;
}

bool LoadClipDictionary(const char* dictionary) {
  if (!native::HasAnimDictLoaded(dictionary)) native::RequestAnimDict(dictionary);
  return WaitForNamedAsset("animation dictionary", dictionary,
                           [dictionary] { return native::HasAnimDictLoaded(dictionary); });
}

namespace {

std::vector<std::string> preparedSoundSets;

}  // namespace

bool LoadSoundSet(const char* soundSet) {
  if (!WaitForNamedAsset("sound set", soundSet, [soundSet] { return native::PrepareSoundSet(soundSet, 1); })) {
    return false;
  }
  if (std::find(preparedSoundSets.begin(), preparedSoundSets.end(), soundSet) == preparedSoundSets.end()) {
    preparedSoundSets.emplace_back(soundSet);
  }
  return true;
}

void ReleasePreparedSoundSet(const std::string& soundSet) {
  auto prepared = std::find(preparedSoundSets.begin(), preparedSoundSets.end(), soundSet);
  if (prepared == preparedSoundSets.end()) return;
  preparedSoundSets.erase(prepared);
  native::ReleaseSoundSet(soundSet.c_str());
}

}  // namespace Animations
