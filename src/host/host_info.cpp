#include "host/host_info.h"

#include <cstdio>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <iterator>
#else
#include <dlfcn.h>

#include <cstdlib>
#endif

namespace host {
namespace {

#if defined(_WIN32)

std::string VersionText(unsigned most, unsigned least) {
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF);
  return text;
}

// The file version of a loaded module: the fixed part of its version
// resource, found by its signature (reading the resource's tree would need
// version.dll, which the module does not import).
std::string FileVersionOf(HMODULE module) {
  if (!module) return {};
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes) return {};
  constexpr DWORD kSignature = 0xFEEF04BD;
  // The fixed part: signature, structure version, file version high and low.
  for (DWORD at = 0; at + 16 <= size; at += 4) {
    DWORD words[4];
    std::memcpy(words, bytes + at, sizeof words);
    if (words[0] == kSignature) return VersionText(words[2], words[3]);
  }
  return {};
}

#else

// An optional function of the host: found at run time, so that a host
// without it still loads the module.
std::string AskHost(const char* name) {
  using Text = const char* (*)();
  void* symbol = dlsym(RTLD_DEFAULT, name);
  if (!symbol) return {};
  const char* text = reinterpret_cast<Text>(symbol)();
  return text ? std::string(text) : std::string();
}

#endif

}  // namespace

#if defined(_WIN32)

std::string GameBuild() { return FileVersionOf(GetModuleHandleW(nullptr)); }
std::string ScriptHookVersion() { return FileVersionOf(GetModuleHandleW(L"ScriptHookRDR2.dll")); }

std::string LocalAppDataFolder() {
  wchar_t buffer[32768];
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, static_cast<DWORD>(std::size(buffer)));
  if (length == 0 || length >= std::size(buffer)) return {};
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

#else

std::string GameBuild() { return AskHost("EmberwickGameBuild"); }
std::string ScriptHookVersion() { return AskHost("EmberwickScriptHookVersion"); }

std::string LocalAppDataFolder() {
  const char* folder = std::getenv("LOCALAPPDATA");
  return folder ? std::string(folder) : std::string();
}

#endif

}  // namespace host
