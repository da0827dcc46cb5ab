// The game prompts the plug-in registers, shows and completes: a control glyph
// with a label that completes when its control is held for the hold time.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct SimPrompt {
  int handle = 0;
  bool registered = false;  // UiPromptRegisterEnd was called
  uint32_t control = 0;
  std::string label;
  int holdMs = 0;
  int priority = 0;
  bool attribute10 = false;
  bool visible = false;
  bool enabled = false;
  int64_t holdStartUs = -1;  // game time the current hold began, -1 = not held
  bool completed = false;    // the hold reached its time; stays so until the control is let go
  bool running = false;      // held, not yet completed
};

struct Prompts {
  std::map<int, SimPrompt> all;  // live prompts by handle

  SimPrompt* Find(int handle) {
    auto it = all.find(handle);
    return it == all.end() ? nullptr : &it->second;
  }
  // Visible and enabled, so the player can work it.
  static bool Active(const SimPrompt& p) { return p.registered && p.visible && p.enabled; }
  // The labels of the prompts on screen, by handle order.
  std::vector<std::string> VisibleLabels() const {
    std::vector<std::string> labels;
    for (const auto& [handle, p] : all) {
      if (p.registered && p.visible) labels.push_back(p.label);
    }
    return labels;
  }
  const SimPrompt* FindByLabel(const std::string& label) const {
    for (const auto& [handle, p] : all) {
      if (p.label == label) return &p;
    }
    return nullptr;
  }
  // The game hands out the lowest free number, so a handle kept after its
  // prompt was deleted can name someone else's prompt.
  int FreeHandle() const {
    int handle = 1;
    while (all.count(handle) != 0) ++handle;
    return handle;
  }
};

}  // namespace sim
