// Waiting for game assets (models, clip dictionaries, effect assets, sound
// sets) from inside a task. Every wait yields frames on the script fiber and
// gives up after a bounded time, so an asset the game never delivers cannot
// hold the script forever; the caller then acts as if the asset did not exist.
#pragma once

#include <functional>
#include <string>

#include "host/native_types.h"

namespace Animations {

// How many frames a task waits for one asset before it gives up: about five
// seconds at 60 fps, far longer than any asset the game has takes to stream in.
inline constexpr int kAssetLoadTimeoutFrames = 300;

// Asks `loaded` once, then once per yielded frame until it answers true.
// False when the asset never arrived within kAssetLoadTimeoutFrames, or when
// it is not loaded and frames cannot be yielded (the library is unloading, or
// the script has not started): the caller then skips the action.
bool WaitForAsset(const std::function<bool()>& loaded);

// Each of the loads below waits for an asset at most once in a row: an asset
// that did not arrive within a whole wait is most likely not coming, so the
// tasks after it ask for it once and skip their action while it is missing,
// rather than holding the script for a wait each. It is waited for again once
// it has arrived, and after the library is unloaded (a reload of the
// settings, which the script only sees once a wait is over, keeps the list).
void ForgetAssetsGivenUp();

// IsModelInCdImage, IsModelValid, RequestModel, then the wait on
// HasModelLoaded. False when the model does not exist, is not usable or did not load.
bool LoadModel(const char* name, Hash& model);
// HasNamedPtfxAssetLoaded / RequestNamedPtfxAsset / the wait, then
// UseParticleFxAsset. False (and no UseParticleFxAsset) when the asset did not load.
bool LoadEffectAsset(const char* name);
// HasAnimDictLoaded / RequestAnimDict / the wait.
bool LoadClipDictionary(const char* dictionary);
// PrepareSoundSet until it reports the set ready. From then on the game holds
// the set until it is released by its own name.
bool LoadSoundSet(const char* soundSet);
// Releases a sound set this plug-in prepared, once its sounds have stopped;
// a set it never prepared is left alone.
void ReleasePreparedSoundSet(const std::string& soundSet);

}  // namespace Animations
