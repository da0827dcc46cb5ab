#include "world/screen.h"

#include "plugin_log.h"
#include "simulator.h"

namespace sim {

void InstallScreen(Simulator& sim) {
  Screen& screen = sim.world.screen;
  // Game text lives as long as the world, so a label's address stays valid.
  sim.Handle("VarString", [&screen](const Call& c, Result& r) {
    auto [it, inserted] = screen.texts.insert(c.S(2));
    r.Pointer(it->c_str());
  });
  sim.Handle("DisplayText", [&sim, &screen](const Call& c, Result&) {
    const std::string text = c.S(0);
    auto [last, first] = screen.lastDrawnFrame.emplace(text, sim.Frame());
    if (first || last->second + 1 != sim.Frame()) sim.Event("screen", "shows \"" + WithoutRunFolder(text) + "\"");
    last->second = sim.Frame();
    ++screen.drawCount;
  });
}

}  // namespace sim
