#include "import_table.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <filesystem>

namespace sim {
namespace {

const IMAGE_NT_HEADERS64* Headers(const uint8_t* base, std::string& error) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) {
    error = "not a PE image";
    return nullptr;
  }
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    error = "not a 64-bit PE image";
    return nullptr;
  }
  return nt;
}

const IMAGE_IMPORT_DESCRIPTOR* FirstImport(const uint8_t* base, const IMAGE_NT_HEADERS64* nt) {
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  return reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
}

bool CheckImports(const uint8_t* base, std::string& error) {
  const IMAGE_NT_HEADERS64* nt = Headers(base, error);
  if (!nt) return false;
  const IMAGE_IMPORT_DESCRIPTOR* dll = FirstImport(base, nt);
  for (; dll && dll->Name != 0; ++dll) {
    const char* dllName = reinterpret_cast<const char*>(base + dll->Name);
    // Found where the loader would look for it, from this executable's folder on.
    HMODULE imported = LoadLibraryA(dllName);
    if (!imported) {
      error = std::string(dllName) + " cannot be found (error 126)";
      return false;
    }
    DWORD lookupRva = dll->OriginalFirstThunk ? dll->OriginalFirstThunk : dll->FirstThunk;
    bool resolved = true;
    for (const auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + lookupRva);
         resolved && lookup->u1.AddressOfData != 0; ++lookup) {
      const char* name = nullptr;
      FARPROC function = nullptr;
      if (IMAGE_SNAP_BY_ORDINAL64(lookup->u1.Ordinal)) {
        function = GetProcAddress(imported, MAKEINTRESOURCEA(IMAGE_ORDINAL64(lookup->u1.Ordinal)));
      } else {
        name = reinterpret_cast<const char*>(
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData)->Name);
        function = GetProcAddress(imported, name);
      }
      if (!function) {
        error = std::string(dllName) + " does not export " + (name ? name : "an imported ordinal") +
                " (error 127)";
        resolved = false;
      }
    }
    FreeLibrary(imported);
    if (!resolved) return false;
  }
  return true;
}

}  // namespace

bool ImportsResolve(const std::string& path, std::string& error) {
  // Mapped as an image without resolving anything and without running it.
  HMODULE image = LoadLibraryExA(std::filesystem::path(path).make_preferred().string().c_str(), nullptr,
                                 DONT_RESOLVE_DLL_REFERENCES);
  if (!image) {
    error = "cannot map it (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  bool ok = CheckImports(reinterpret_cast<const uint8_t*>(image), error);
  FreeLibrary(image);
  return ok;
}

bool RedirectImports(void* module, const std::vector<ImportReplacement>& replacements,
                     std::vector<std::string>& notImported, std::string& error) {
  auto* base = static_cast<uint8_t*>(module);
  const IMAGE_NT_HEADERS64* nt = Headers(base, error);
  if (!nt) return false;
  std::vector<bool> found(replacements.size(), false);
  for (const IMAGE_IMPORT_DESCRIPTOR* dll = FirstImport(base, nt); dll && dll->Name != 0; ++dll) {
    // The lookup table keeps the names; the address table is what the loader filled in.
    DWORD lookupRva = dll->OriginalFirstThunk ? dll->OriginalFirstThunk : dll->FirstThunk;
    const auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + lookupRva);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + dll->FirstThunk);
    for (; lookup->u1.AddressOfData != 0; ++lookup, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL64(lookup->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
      const char* name = reinterpret_cast<const char*>(byName->Name);
      for (size_t i = 0; i < replacements.size(); ++i) {
        if (std::strcmp(name, replacements[i].name) != 0) continue;
        DWORD oldProtection = 0;
        if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &oldProtection)) {
          error = std::string("cannot write the import slot of ") + name;
          return false;
        }
        slot->u1.Function = reinterpret_cast<ULONGLONG>(replacements[i].function);
        VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, oldProtection, &oldProtection);
        found[i] = true;
      }
    }
  }
  for (size_t i = 0; i < replacements.size(); ++i) {
    if (!found[i]) notImported.emplace_back(replacements[i].name);
  }
  return true;
}

}  // namespace sim
