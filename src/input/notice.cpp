#include "input/notice.h"

#include <cstdint>
#include <utility>

#include "config/settings.h"
#include "host/platform.h"
#include "host/screen_text.h"

namespace {

std::string noticeLines[2];
uint32_t noticeShownAt = 0;
bool noticeOn = false;

// Left, above the place of the missing-dictionary message.
constexpr float kNoticeX = 0.07f;
constexpr float kNoticeY = 0.40f;
constexpr float kNoticeLineGap = 0.04f;

}  // namespace

void ShowNotice(std::string first, std::string second) {
  if (!SHOW_NOTICES) return;
  noticeLines[0] = std::move(first);
  noticeLines[1] = std::move(second);
  noticeShownAt = host::TickCount32();
  noticeOn = true;
}

void DrawNotice() {
  if (!noticeOn) return;
  if (host::TickCount32() - noticeShownAt >= static_cast<uint32_t>(kNoticeMs)) {
    ClearNotice();
    return;
  }
  float y = kNoticeY;
  for (const std::string& line : noticeLines) {
    if (line.empty()) continue;
    DrawScreenText(line.c_str(), kNoticeX, y);
    y += kNoticeLineGap;
  }
}

void ClearNotice() {
  noticeOn = false;
  noticeLines[0].clear();
  noticeLines[1].clear();
}
