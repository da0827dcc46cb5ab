#include "config/settings_save.h"

#include <utility>

#include "host/module_files.h"

namespace {

// The load reads this much of a file; a larger one is not written back, as
// its end was never read.
constexpr size_t kMaxBytes = 1 << 20;

bool ReadStep(const std::string& path, std::string& bytes) { return host::ReadWholeFile(path, bytes, kMaxBytes + 1); }
bool WriteStep(const std::string& path, std::string_view bytes) { return host::WriteWholeFile(path, bytes, false); }
bool ReplaceStep(const std::string& from, const std::string& to) { return host::ReplaceFileWith(from, to); }
bool RemoveStep(const std::string& path) { return host::RemoveFile(path); }

constexpr SaveFileSteps kRealSteps = {&ReadStep, &WriteStep, &ReplaceStep, &RemoveStep};

SaveResult Result(SaveOutcome outcome, const std::string& path, std::string message) {
  return {outcome, path, std::move(message)};
}

}  // namespace

SaveFileSteps saveFileSteps = kRealSteps;

const SaveFileSteps& RealSaveFileSteps() { return kRealSteps; }

SaveResult SaveSettingsFile(const std::string& path, bool existed, std::string_view asRead,
                            const SettingsEdits& edits, std::string_view newLine) {
  const SaveFileSteps& steps = saveFileSteps;
  std::string now;
  const bool existsNow = steps.read(path, now);
  if (now.size() > kMaxBytes) {
    return Result(SaveOutcome::Refused, path, "Not saved: Emberwick.ini is larger than 1 MiB; change it in an editor");
  }
  if (existsNow != existed || (existed && now != asRead)) {
    return Result(SaveOutcome::ChangedOnDisk, path,
                  "Not saved: Emberwick.ini changed on disk since it was read. Reload it and change it again");
  }
  const WrittenSettings written = WriteSettingsText(existed ? asRead : std::string_view(), edits, newLine);
  if (!written.ok) return Result(SaveOutcome::Refused, path, "Not saved: " + written.refusal);

  const std::string temporary = path + std::string(kTemporarySuffix);
  const std::string backup = path + std::string(kBackupSuffix);
  auto cannot = [&](const std::string& what) {
    // What was half written beside the file goes; the file is as it was.
    steps.remove(temporary);
    return Result(SaveOutcome::CannotWrite, path, "Not saved: " + what + "; Emberwick.ini is as it was");
  };
  std::string back;
  if (!steps.write(temporary, written.bytes)) return cannot(temporary + " cannot be written");
  // A write that reported success but left less on disk is caught here.
  if (!steps.read(temporary, back) || back != written.bytes) return cannot(temporary + " did not read back whole");
  if (existed && !steps.write(backup, asRead)) return cannot(backup + " cannot be written");
  if (!steps.replace(temporary, path)) return cannot(path + " cannot be replaced");
  return Result(SaveOutcome::Written, path,
                existed ? "Saved; the previous file is Emberwick.ini.bak" : "Saved: Emberwick.ini created");
}
