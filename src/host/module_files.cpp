#include "host/module_files.h"

#include <algorithm>
#include <utility>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <cerrno>
#endif

namespace host {
namespace {

void* moduleHandle = nullptr;
bool folderKnown = false;
std::string moduleFolder;

std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of(
#if defined(_WIN32)
      "\\/"
#else
      "/"
#endif
  );
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

#if defined(_WIN32)

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* wide, size_t size) {
  if (size == 0) return {};
  const int wideLength = static_cast<int>(size);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string FindModuleFolder() {
  HMODULE module = static_cast<HMODULE>(moduleHandle);
  if (!module &&
      !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&RememberModule), &module)) {
    return {};
  }
  // Long paths: grow the buffer until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return FolderOf(Utf8(path.data(), length));
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

#else

std::string FindModuleFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&RememberModule), &info) == 0 || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  if (path.empty()) return {};
  if (path[0] != '/') {
    const std::string working = WorkingFolder();
    if (working.empty()) return {};
    path = working + "/" + path;
  }
  return FolderOf(path);
}

#endif

}  // namespace

void RememberModule(void* module) { moduleHandle = module; }

const std::string& ModuleFolder() {
  if (!folderKnown) {
    moduleFolder = FindModuleFolder();
    folderKnown = true;
  }
  return moduleFolder;
}

void SetModuleFolder(std::string folder) {
  moduleFolder = std::move(folder);
  folderKnown = true;
}

std::string PathInFolder(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
#if defined(_WIN32)
  const char separator = '\\';
#else
  const char separator = '/';
#endif
  std::string path = folder;
  if (path.back() != separator && path.back() != '/') path += separator;
  return path.append(name);
}

#if defined(_WIN32)

std::string WorkingFolder() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return {};
  std::wstring path(length, L'\0');
  const DWORD written = GetCurrentDirectoryW(length, path.data());
  return written == 0 || written >= length ? std::string() : Utf8(path.data(), written);
}

bool ReadWholeFile(const std::string& path, std::string& contents, size_t limit) noexcept {
  try {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    contents.clear();
    char buffer[16384];
    bool ok = true;
    while (contents.size() < limit) {
      DWORD read = 0;
      if (!::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
        ok = false;
        break;
      }
      if (read == 0) break;
      contents.append(buffer, std::min<size_t>(read, limit - contents.size()));
    }
    CloseHandle(file);
    return ok;
  } catch (...) {
    return false;
  }
}

bool WriteWholeFile(const std::string& path, std::string_view data, bool append) noexcept {
  try {
    HANDLE file = CreateFileW(Wide(path).c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (!data.empty()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 20));
      if (!::WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) {
        ok = false;
        break;
      }
      data.remove_prefix(written);
    }
    CloseHandle(file);
    return ok;
  } catch (...) {
    return false;
  }
}

bool ReplaceFileWith(const std::string& from, const std::string& to) noexcept {
  try {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  } catch (...) {
    return false;
  }
}

bool RemoveFile(const std::string& path) noexcept {
  try {
    return DeleteFileW(Wide(path).c_str()) != 0;
  } catch (...) {
    return false;
  }
}

bool MakeFolder(const std::string& path) noexcept {
  try {
    if (CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  } catch (...) {
    return false;
  }
}

#else

std::string WorkingFolder() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool ReadWholeFile(const std::string& path, std::string& contents, size_t limit) noexcept {
  try {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    contents.clear();
    char buffer[16384];
    bool ok = true;
    while (contents.size() < limit) {
      const ssize_t got = read(file, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        ok = false;
        break;
      }
      if (got == 0) break;
      contents.append(buffer, std::min(static_cast<size_t>(got), limit - contents.size()));
    }
    close(file);
    return ok;
  } catch (...) {
    return false;
  }
}

bool WriteWholeFile(const std::string& path, std::string_view data, bool append) noexcept {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0644);
  if (file < 0) return false;
  const bool wholeFile = !append && !data.empty();
  bool ok = true;
  while (!data.empty()) {
    const ssize_t written = write(file, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      ok = false;
      break;
    }
    data.remove_prefix(static_cast<size_t>(written));
  }
  // What was written reaches the disk before a rename can put it in place.
  if (ok && wholeFile && fsync(file) != 0 && errno != EINVAL) ok = false;
  close(file);
  return ok;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) noexcept {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) noexcept { return unlink(path.c_str()) == 0; }

bool MakeFolder(const std::string& path) noexcept {
  if (mkdir(path.c_str(), 0755) == 0) return true;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

#endif

}  // namespace host
