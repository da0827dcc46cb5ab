#include "input/settings_page.h"

#include <algorithm>
#include <bitset>
#include <string>
#include <vector>

#include "config/key_names.h"
#include "config/setting_table.h"
#include "config/settings.h"
#include "config/settings_page_model.h"
#include "config/settings_save.h"
#include "host/game_names.h"
#include "host/key_states.h"
#include "host/log_file.h"
#include "host/module_files.h"
#include "host/natives.h"
#include "host/screen_text.h"
#include "host/version.h"
#include "input/prompts.h"

namespace {

constexpr Hash kUp = GameName("INPUT_FRONTEND_UP");
constexpr Hash kDown = GameName("INPUT_FRONTEND_DOWN");
constexpr Hash kLeft = GameName("INPUT_FRONTEND_LEFT");
constexpr Hash kRight = GameName("INPUT_FRONTEND_RIGHT");
constexpr Hash kAccept = GameName("INPUT_FRONTEND_ACCEPT");
constexpr Hash kCancel = GameName("INPUT_FRONTEND_CANCEL");
constexpr Hash kPageControls[] = {kUp, kDown, kLeft, kRight, kAccept, kCancel};

// Rows on screen at once: the one chosen and its neighbours. With the title
// and the line below the list that is five texts (ten natives) a frame, and
// with the controls the page costs no more natives than a smoke between puffs.
constexpr int kVisibleRows = 3;
constexpr float kPageX = 0.07f;
constexpr float kPageY = 0.08f;
constexpr float kLineGap = 0.035f;
// Escape is the game's pause key, and cancel on a keyboard: it binds nothing.
constexpr int kEscape = 0x1B;

// Keys a press may bind. Polling (compatibility mode) also sees the mouse
// buttons, and a left or right SHIFT, CTRL or ALT beside the plain one: the
// plain one is the key the player pressed.
bool Bindable(int key) {
  if (key == kEscape || UseOfKeyCode(key) != KeyCodeUse::Key) return false;
  constexpr int kLeftShift = 0xA0, kRightAlt = 0xA5, kShift = 0x10;
  if (key >= kLeftShift && key <= kRightAlt) return !IsKeyDown(kShift + (key - kLeftShift) / 2);
  return true;
}

bool pageOpen = false;
bool pageKeyWasDown = false;
bool reloadRequested = false;
SettingsPageModel page;
// While keys are captured: those already down when it began (the accept that
// started it), and those pressed since.
std::bitset<256> downAtCaptureStart;
std::vector<int> captured;

void Refresh(bool keepPlace) {
  const int selected = page.selected;
  std::string status = page.status;
  OpenPageModel(page, LastSettingsReport().checked);
  if (!keepPlace) return;
  page.selected = std::min(selected, static_cast<int>(page.rows.size()) - 1);
  page.status = std::move(status);
}

void StartCapture() {
  captured.clear();
  downAtCaptureStart.reset();
  for (int key = 0; key < 256; ++key) downAtCaptureStart[static_cast<size_t>(key)] = IsKeyDown(key);
}

// A key setting takes the first key pressed; the reload keys take every key
// held together, once all of them are let go.
void Capture() {
  bool anyCapturedDown = false;
  for (int key = 1; key < 256; ++key) {
    const bool down = IsKeyDown(key);
    if (!down) downAtCaptureStart[static_cast<size_t>(key)] = false;
    if (!down || downAtCaptureStart[static_cast<size_t>(key)] || !Bindable(key)) continue;
    if (std::find(captured.begin(), captured.end(), key) == captured.end()) captured.push_back(key);
    anyCapturedDown = true;
  }
  if (captured.empty()) return;
  const bool combination = kSettings[static_cast<size_t>(page.capturing)].kind == SettingKind::KeyCombination;
  if (combination && anyCapturedDown) return;
  RebindCaptured(page, captured);
  captured.clear();
}

std::string Joined(const SettingsEdits& edits) {
  std::string text;
  for (const auto& [index, value] : edits.values) {
    if (!text.empty()) text += ", ";
    text += std::string(kSettings[static_cast<size_t>(index)].name) + "=" + value;
  }
  if (!edits.lines.empty()) {
    if (!text.empty()) text += ", ";
    text += std::to_string(edits.lines.size()) + (edits.lines.size() == 1 ? " line mended" : " lines mended");
  }
  return text;
}

void Save() {
  const SettingsEdits edits = PendingEdits(page);
  if (edits.Empty()) {
    page.status = "Nothing to save";
    return;
  }
  const SettingsReport& report = LastSettingsReport();
  const bool existed = report.source != SettingsReport::Source::None;
  const std::string path =
      existed ? report.path : host::PathInFolder(host::ModuleFolder(), kSettingsFileName);
  const SaveResult result = SaveSettingsFile(path, existed, report.bytes, edits, host::kLineEnd);
  page.status = result.message;
  if (result.outcome == SaveOutcome::Written) {
    host::AddEventToLog("Settings saved to " + path + ": " + Joined(edits));
    reloadRequested = true;
  } else {
    host::AddEventToLog("Settings: " + result.message + " (" + path + ")");
  }
}

void ReadControls() {
  for (Hash control : kPageControls) native::DisableControlAction(0, control, true);
  if (page.capturing >= 0) {
    if (native::IsDisabledControlJustPressed(0, kCancel)) {
      page.status = "Kept " + ShownValue(page, page.capturing);
      page.capturing = -1;
      return;
    }
    Capture();
    return;
  }
  const bool up = native::IsDisabledControlJustPressed(0, kUp);
  const bool down = native::IsDisabledControlJustPressed(0, kDown);
  // Left and right only change a setting that steps.
  const bool steps = SelectedSteps(page);
  const bool left = steps && native::IsDisabledControlJustPressed(0, kLeft);
  const bool right = steps && native::IsDisabledControlJustPressed(0, kRight);
  const bool accept = native::IsDisabledControlJustPressed(0, kAccept);
  const bool cancel = native::IsDisabledControlJustPressed(0, kCancel);
  if (cancel) {
    CloseSettingsPage();
    return;
  }
  if (up || down) {
    MoveSelection(page, up ? -1 : 1);
    page.status.clear();
  }
  if (left || right) StepSelected(page, left ? -1 : 1);
  if (accept) {
    const PageAction action = AcceptSelected(page);
    if (action == PageAction::CaptureKeys) StartCapture();
    else if (action == PageAction::Save) Save();
  }
}

void Draw() {
  float y = kPageY;
  auto line = [&y](const std::string& text) {
    DrawScreenText(text.c_str(), kPageX, y);
    y += kLineGap;
  };
  line(std::string("Emberwick ") + kEmberwickVersion + " settings");
  const int count = static_cast<int>(page.rows.size());
  const int first = std::clamp(page.selected - kVisibleRows / 2, 0, std::max(0, count - kVisibleRows));
  for (int i = first; i < std::min(count, first + kVisibleRows); ++i) {
    const PageRow& row = page.rows[static_cast<size_t>(i)];
    line((i == page.selected ? "> " : "  ") + RowText(page, row));
  }
  const std::string below = page.status.empty() ? RowDescription(page, page.rows[static_cast<size_t>(page.selected)])
                                                : page.status;
  if (!below.empty()) line(below);
}

}  // namespace

bool SettingsPageOpen() { return pageOpen; }

void OpenSettingsPage() {
  if (pageOpen) return;
  Refresh(false);
  pageOpen = true;
  if (scenarioMenuOpen) SetScenarioMenu(false);
}

void CloseSettingsPage() {
  pageOpen = false;
  page.capturing = -1;
  captured.clear();
  // Presses and releases seen while the page had the keys belong to it.
  for (KeyState& state : keyStates) {
    state.releasedEvent = 0;
    state.tappedEvent = 0;
  }
}

void RefreshSettingsPage() {
  if (pageOpen) Refresh(true);
}

bool TakeSettingsReloadRequest() {
  const bool requested = reloadRequested;
  reloadRequested = false;
  return requested;
}

void UpdateSettingsPage() {
  const bool pageKeyDown = IsKeyDown(KEY_SETTINGS);
  const bool pageKeyPressed = pageKeyDown && !pageKeyWasDown;
  pageKeyWasDown = pageKeyDown;
  if (pageKeyPressed && !(pageOpen && page.capturing >= 0)) {
    if (pageOpen) CloseSettingsPage();
    else OpenSettingsPage();
  }
  if (!pageOpen) return;
  ReadControls();
  if (pageOpen) Draw();
}
