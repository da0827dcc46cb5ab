// Emberwick's version: the project version of CMakeLists.txt, which the build
// passes in.
#pragma once

#ifndef EMBERWICK_VERSION
#error "EMBERWICK_VERSION is defined by the build (CMakeLists.txt)"
#endif

inline constexpr const char* kEmberwickVersion = EMBERWICK_VERSION;
