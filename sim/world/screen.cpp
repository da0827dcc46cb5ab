#include "world/screen.h"

#include "simulator.h"

namespace sim {

void InstallScreen(Simulator& sim) {
  Screen& screen = sim.world.screen;
  // Game text lives as long as the world, so a label's address stays valid.
  sim.Handle("MakeLiteralText", [&screen](const Call& c, Result& r) {
    auto [it, inserted] = screen.texts.insert(c.S(2));
    r.Pointer(it->c_str());
  });
  sim.Handle("DrawTextOnScreen", [&sim, &screen](const Call& c, Result&) {
    std::string text = c.S(0);
    bool continuing = text == screen.lastDrawn && screen.lastDrawnFrame + 1 == sim.Frame();
    if (!continuing) sim.Event("screen", "shows \"" + text + "\"");
    screen.lastDrawn = text;
    screen.lastDrawnFrame = sim.Frame();
    ++screen.drawCount;
  });
}

}  // namespace sim
