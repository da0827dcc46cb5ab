#include "world/prompts.h"

#include <string>

#include "simulator.h"

namespace sim {

namespace {

std::string Describe(Simulator& sim, const SimPrompt& p) {
  return "\"" + p.label + "\" (" + sim.hashes.Name(p.control) + ")";
}

// Visibility as the player sees it: a registered prompt that is visible.
void SetVisible(Simulator& sim, SimPrompt& p, bool visible) {
  const bool wasShown = p.registered && p.visible;
  p.visible = visible;
  const bool shown = p.registered && p.visible;
  if (shown != wasShown) {
    sim.Event("prompt", Describe(sim, p) + (shown ? " shows" : " hides"), PromptSubject(p.label),
              shown ? Span::Begin : Span::End, shown ? "shown" : "");
  }
}

void ResetHold(SimPrompt& p) {
  p.holdStartUs = -1;
  p.completed = false;
  p.running = false;
}

}  // namespace

void InstallPromptNatives(Simulator& sim) {
  Prompts& prompts = sim.world.prompts;

  // Acting on a deleted or never-registered handle is the plug-in's fault: in
  // the game the number may already belong to another prompt. 0 is no prompt.
  auto live = [&sim, &prompts](const Call& c) -> SimPrompt* {
    SimPrompt* p = prompts.Find(c.I(0));
    if (!p && c.I(0) != 0) {
      sim.Error(std::string(c.info ? c.info->name : "a prompt native") + " on prompt " + std::to_string(c.I(0)) +
                ", which does not exist");
    }
    return p;
  };

  sim.Handle("UiPromptRegisterBegin", [&prompts](const Call&, Result& r) {
    SimPrompt p;
    p.handle = prompts.FreeHandle();
    prompts.all[p.handle] = p;
    r.Int(p.handle);
  });
  sim.Handle("UiPromptSetControlAction", [live](const Call& c, Result&) {
    if (SimPrompt* p = live(c)) p->control = c.U(1);
  });
  sim.Handle("UiPromptSetText", [live](const Call& c, Result&) {
    if (SimPrompt* p = live(c)) p->label = c.S(1);
  });
  sim.Handle("UiPromptSetHoldMode", [live](const Call& c, Result&) {
    if (SimPrompt* p = live(c)) p->holdMs = c.I(1);
  });
  sim.Handle("UiPromptSetAttribute", [live](const Call& c, Result&) {
    SimPrompt* p = live(c);
    if (p && c.I(1) == 10) p->attribute10 = c.B(2);
  });
  sim.Handle("UiPromptSetPriority", [live](const Call& c, Result&) {
    if (SimPrompt* p = live(c)) p->priority = c.I(1);
  });
  sim.Handle("UiPromptSetVisible", [&sim, live](const Call& c, Result&) {
    SimPrompt* p = live(c);
    if (!p) return;
    SetVisible(sim, *p, c.B(1));
    if (!p->visible) ResetHold(*p);
  });
  sim.Handle("UiPromptSetEnabled", [live](const Call& c, Result&) {
    SimPrompt* p = live(c);
    if (!p) return;
    p->enabled = c.B(1);
    if (!p->enabled) ResetHold(*p);
  });
  sim.Handle("UiPromptRegisterEnd", [&sim, live](const Call& c, Result&) {
    SimPrompt* p = live(c);
    if (!p) return;
    if (p->registered) sim.Error("UiPromptRegisterEnd twice on prompt " + std::to_string(p->handle));
    const bool visible = p->visible;
    p->visible = false;
    p->registered = true;
    SetVisible(sim, *p, visible);
  });
  sim.Handle("UiPromptDelete", [&sim, &prompts, live](const Call& c, Result&) {
    SimPrompt* p = live(c);
    if (!p) return;
    SetVisible(sim, *p, false);
    prompts.all.erase(p->handle);
  });

  auto query = [&sim, &prompts](const char* native, bool (*answer)(const SimPrompt&)) {
    sim.Handle(native, [&prompts, answer](const Call& c, Result& r) {
      const SimPrompt* p = prompts.Find(c.I(0));
      r.Bool(p != nullptr && answer(*p));
    });
  };
  query("UiPromptIsValid", [](const SimPrompt&) { return true; });
  query("UiPromptIsActive", [](const SimPrompt& p) { return Prompts::Active(p); });
  query("UiPromptIsHoldModeRunning", [](const SimPrompt& p) { return Prompts::Active(p) && p.running; });
  query("UiPromptHasHoldModeCompleted", [](const SimPrompt& p) { return Prompts::Active(p) && p.completed; });

  // Before the script's pass: a working prompt whose control is held counts
  // the hold; it completes once the hold time has passed, and stays completed
  // until the control is let go.
  sim.AddFrameStartHook([&sim, &prompts] {
    for (auto& [handle, p] : prompts.all) {
      if (!Prompts::Active(p) || !sim.world.controls.Down(p.control)) {
        ResetHold(p);
        continue;
      }
      if (p.holdStartUs < 0) p.holdStartUs = sim.GameUs();
      if (p.completed) continue;
      if ((sim.GameUs() - p.holdStartUs) / 1000 >= p.holdMs && p.holdStartUs != sim.GameUs()) {
        p.completed = true;
        p.running = false;
        sim.Event("prompt", Describe(sim, p) + " completed", PromptSubject(p.label), Span::Change);
      } else {
        p.running = true;
      }
    }
  });
}

}  // namespace sim
