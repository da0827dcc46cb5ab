// Emberwick.ini with arbitrary contents: every load must finish and leave
// settings that the rest of the plug-in can use safely.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/settings.h"
#include "host/key_states.h"
#include "stand_in_host.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "settings fuzz: %s\n", what);
    std::abort();
  }
}

char workDirectory[64];

void RemoveWorkDirectory() {
  std::remove("Emberwick.ini");
  rmdir(workDirectory);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  standin::AnswerAssetsLoaded();
  // The plug-in reads Emberwick.ini from the working directory. The file is
  // rewritten for every input: keep it in memory when the system allows.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::snprintf(workDirectory, sizeof workDirectory, "%s/emberwick-fuzz-XXXXXX", base);
    if (mkdtemp(workDirectory) && chdir(workDirectory) == 0) {
      std::atexit(RemoveWorkDirectory);
      return 0;
    }
  }
  std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A load that keeps the script waiting this long is a hang.
  standin::LimitWaits(10000);
  if (size == 0) {
    std::remove("Emberwick.ini");  // the missing-file path
  } else {
    FILE* file = std::fopen("Emberwick.ini", "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  LoadSettings();

  Check(!deadEyeBurstEnabled || deadEyeBurstWindowMs >= 3000, "an enabled burst with a window under 3 s");
  for (float offset : {CIGARETTE_X_OFFSET, CIGARETTE_Y_OFFSET, CIGARETTE_Z_OFFSET, CIGARETTE_ROTX_OFFSET,
                       CIGARETTE_ROTY_OFFSET, CIGARETTE_ROTZ_OFFSET, CIGAR_X_OFFSET, CIGAR_Y_OFFSET, CIGAR_Z_OFFSET,
                       CIGAR_ROTX_OFFSET, CIGAR_ROTY_OFFSET, CIGAR_ROTZ_OFFSET}) {
    Check(std::isfinite(offset), "an offset that is not a finite number");
  }
  Check(PUFF_BUTTON_ENABLES_MANUAL_SMOKING == 0 || PUFF_BUTTON_ENABLES_MANUAL_SMOKING == 45000,
        "a manual-smoking window other than 0 or 45000 ms");
  // Whatever the bindings read as, asking about them is safe.
  for (int key : {KEY_SMOKE, KEY_SMOKE_CIGAR, KEY_TAKE_PUFF, KEY_OPEN_SCENARIO_MENU}) {
    IsKeyDown(key);
    IsKeyHeld(key);
    ConsumeKeyReleased(key);
    ConsumeKeyTapped(key);
  }
  return 0;
}
