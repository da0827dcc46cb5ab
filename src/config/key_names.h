// Key names of the settings file ("N", ",", "VK_F5", "NUMPAD6", "0x72") to
// Windows virtual-key codes.
#pragma once

#include <string>

int KeyNameToCode(const std::string& text);
