// The top of the plug-in: the DLL entry, the script main, the per-frame loop
// and the reset shared by unloading and reloading. Everything below is wired
// together here, and only here.
#pragma once

#include <cstdint>

// What the loop keeps up for the layers below: the player it refreshes each
// frame, the compatibility mode a reload copies, and whether it runs on the
// script fiber.
#include "host/frame_reads.h"
#include "host/key_states.h"
#include "host/script_fiber.h"

int PluginDllMain(void* module, uint32_t reason, void* reserved);
void ScriptMain();
// Ends the smoke, the scenario and any clip on the player.
void ResetPluginState();
// Reads Emberwick.ini, deletes the menu prompts so that they are created again
// with the new labels, and resets the plug-in.
void ReloadSettings();

// What the log and the screen say about the settings: when the game has
// loaded the plug-in (the log starts afresh; a notice only when lines of the
// file need a look), and on the first frame of a press of the reload keys.
void ReportFirstLoad();
void ReportReload();

// One pass of the main loop, without the closing scriptWait(0).
void RunFrame();
