#include "world/controls.h"

#include <string>

#include "session.h"
#include "simulator.h"

namespace sim {

void InstallControlNatives(Simulator& sim) {
  Controls& controls = sim.world.controls;
  auto state = [&controls](const Call& c, size_t index) -> ControlState& { return controls.byHash[c.U(index)]; };
  auto pushedNow = [&sim](const ControlState& s) { return s.pushedFrame == sim.Frame(); };

  sim.Handle("IsControlPressed", [state, pushedNow](const Call& c, Result& r) {
    const ControlState& s = state(c, 1);
    r.Bool(s.down || pushedNow(s));
  });
  sim.Handle("IsDisabledControlPressed", [state](const Call& c, Result& r) { r.Bool(state(c, 1).down); });
  sim.Handle("IsControlJustPressed", [&sim, state, pushedNow](const Call& c, Result& r) {
    const ControlState& s = state(c, 1);
    r.Bool((s.down && s.pressFrame == sim.Frame()) || pushedNow(s));
  });
  sim.Handle("IsDisabledControlJustPressed", [&sim, state](const Call& c, Result& r) {
    const ControlState& s = state(c, 1);
    r.Bool(s.down && s.pressFrame == sim.Frame());
  });
  sim.Handle("IsInputJustPressed", [&sim, state](const Call& c, Result& r) {
    const ControlState& s = state(c, 0);
    r.Bool(s.down && s.pressFrame == sim.Frame());
  });
  sim.Handle("IsDisabledControlJustReleased", [&sim, state](const Call& c, Result& r) {
    r.Bool(state(c, 1).releaseFrame == sim.Frame());
  });
  sim.Handle("IsControlEnabled", [&sim, state](const Call& c, Result& r) {
    r.Bool(state(c, 1).disabledFrame != sim.Frame());
  });
  sim.Handle("DisableControlAction", [&sim, state](const Call& c, Result&) {
    state(c, 1).disabledFrame = sim.Frame();
  });
  sim.Handle("EnableControlAction", [state](const Call& c, Result&) { state(c, 1).disabledFrame = UINT64_MAX; });
  sim.Handle("SetControlValueNextFrame", [&sim, state](const Call& c, Result&) {
    ControlState& s = state(c, 1);
    if (s.pushedFrame != sim.Frame() + 1) {
      const std::string name = sim.hashes.Name(c.U(1));
      sim.Event("control", name + " pressed by the plug-in", "control " + name, Span::Mark);
    }
    s.pushedFrame = sim.Frame() + 1;
  });
  sim.Handle("IsUsingKeyboardAndMouse", [&controls](const Call&, Result& r) { r.Bool(controls.keyboardActive); });

  sim.AddSetter("input.controller", [&sim, &controls](const std::string& value) {
    if (value != "true" && value != "false") return false;
    controls.keyboardActive = value == "false";
    sim.Event("input", controls.keyboardActive ? "keyboard and mouse in use" : "controller in use");
    return true;
  });

  // control INPUT_NAME press|release|tap [duration]
  sim.AddCommand("control", [&sim, &controls](const std::vector<std::string>& args, std::string& error) {
    if (args.size() < 2) {
      error = "usage: control INPUT_NAME press|release|tap [duration]";
      return false;
    }
    uint32_t hash = sim.Hash(args[0]);
    ControlState& s = controls.byHash[hash];
    auto press = [&] {
      s.down = true;
      s.pressFrame = sim.Frame();
      sim.Event("control", args[0] + " pressed", "control " + args[0], Span::Begin);
    };
    auto release = [&] {
      controls.byHash[hash].down = false;
      controls.byHash[hash].releaseFrame = sim.Frame();
      sim.Event("control", args[0] + " released", "control " + args[0], Span::End);
    };
    if (args[1] == "press") {
      press();
    } else if (args[1] == "release") {
      release();
    } else if (args[1] == "tap") {
      int64_t ms = args.size() > 2 ? ParseDurationMs(args[2]) : 50;
      if (ms < 0) {
        error = "cannot read the duration '" + args[2] + "'";
        return false;
      }
      press();
      sim.RunMs(ms);
      release();
    } else {
      error = "control actions are press, release and tap";
      return false;
    }
    return true;
  });
}

}  // namespace sim
