#include "config/key_names.h"

int KeyNameToCode(const std::string&) { return 0; }
