// What the log says about the setup the plug-in runs in: the game's build,
// the script hook's version, and the player's local application data folder,
// where the log goes when the module's folder cannot be written.
//
// On Windows the versions are the file versions in the version resources of
// the game's executable (the process's own module) and of ScriptHookRDR2.dll,
// both already loaded: read with kernel32 alone. On Linux they are what the
// host says through optional functions (the README's host interface); a host
// without them still loads the plug-in, and the versions are unknown.
#pragma once

#include <string>

namespace host {

// "1.0.1491.50"; empty when it cannot be told.
std::string GameBuild();
std::string ScriptHookVersion();
// %LOCALAPPDATA% (on Linux, the LOCALAPPDATA variable a host may set); empty
// when there is none.
std::string LocalAppDataFolder();

}  // namespace host
