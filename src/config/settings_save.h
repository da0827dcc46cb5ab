// Saving Emberwick.ini, all or nothing: the new text is written whole beside
// the file, read back, the previous file kept as Emberwick.ini.bak, and the
// new one then put in its place in one step. A file that changed on disk since
// the plug-in read it is not written over; a file or folder that cannot be
// written keeps what it had. No native is called.
#pragma once

#include <string>
#include <string_view>

#include "config/settings_writer.h"

enum class SaveOutcome { Written, ChangedOnDisk, CannotWrite, Refused };

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::Refused;
  std::string path;     // the settings file
  std::string message;  // one line for the page and the log
};

// The file steps of a save: a program-wide table, so that the tests can make
// any step fail as a full disk or a locked file would.
struct SaveFileSteps {
  bool (*read)(const std::string& path, std::string& bytes);
  bool (*write)(const std::string& path, std::string_view bytes);  // a whole file, created or emptied first
  bool (*replace)(const std::string& from, const std::string& to);  // `from` takes the place of `to`
  bool (*remove)(const std::string& path);
};
extern SaveFileSteps saveFileSteps;
const SaveFileSteps& RealSaveFileSteps();

inline constexpr std::string_view kTemporarySuffix = ".new";
inline constexpr std::string_view kBackupSuffix = ".bak";

// `path` is the file the settings were read from, `asRead` what it held then;
// `existed` false when there was none (it is then created at `path`).
SaveResult SaveSettingsFile(const std::string& path, bool existed, std::string_view asRead,
                            const SettingsEdits& edits, std::string_view newLine);
