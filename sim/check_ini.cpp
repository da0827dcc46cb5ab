#include "check_ini.h"

#include <cstdio>
#include <string>

#include "config/settings_check.h"
#include "read_file.h"

namespace sim {

int CheckIniFile(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) {
    std::fprintf(stderr, "emberwick-sim: cannot read %s\n", path.c_str());
    return 2;
  }
  const CheckedSettings checked = CheckSettingsText(bytes);
  std::printf("%s\n", path.c_str());
  const std::string reading = DescribeReading(checked);
  if (!reading.empty()) std::printf("  read as %s\n", reading.c_str());
  for (const SettingsFinding& finding : checked.findings) std::printf("  %s\n", FormatFinding(finding).c_str());
  const int lines = LinesWithFindings(checked);
  if (lines == 0) {
    std::printf("Every line reads as written.\n");
    return 0;
  }
  std::printf("%d %s need a look.\n", lines, lines == 1 ? "line" : "lines");
  return 1;
}

}  // namespace sim
