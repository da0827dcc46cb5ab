#include "world/scenarios.h"

#include <string>

#include "simulator.h"

namespace sim {

namespace {

std::string PedName(const Simulator& sim, int ped) {
  return ped == sim.world.entities.player ? "the player" : "ped " + std::to_string(ped);
}

std::string ScenarioName(Simulator& sim, const RunningScenario& s) {
  std::string name = sim.hashes.Name(s.type);
  if (s.variation != 0) name += " / " + sim.hashes.Name(s.variation);
  return name;
}

void End(Simulator& sim, int ped, const char* how) {
  Scenarios& scenarios = sim.world.scenarios;
  const RunningScenario* s = scenarios.Of(ped);
  if (!s) return;
  sim.Event("scenario", ScenarioName(sim, *s) + " ends on " + PedName(sim, ped) + " (" + how + ")",
            "scenario on " + PedName(sim, ped), Span::End);
  scenarios.byPed.erase(ped);
}

}  // namespace

void InstallScenarioNatives(Simulator& sim) {
  Scenarios& scenarios = sim.world.scenarios;

  // TaskStartScenarioInPlaceHash(ped, type, duration, playEnter, variation, heading, ...)
  sim.Handle("TaskStartScenarioInPlaceHash", [&sim, &scenarios](const Call& c, Result&) {
    const int ped = c.I(0);
    if (ped == 0) return;
    if (!sim.world.entities.Exists(ped)) {
      sim.Error("TaskStartScenarioInPlaceHash on ped " + std::to_string(ped) + ", which does not exist");
      return;
    }
    End(sim, ped, "replaced");
    RunningScenario s;
    s.type = c.U(1);
    s.variation = c.U(4);
    s.startFrame = sim.Frame();
    scenarios.byPed[ped] = s;
    sim.Event("scenario", ScenarioName(sim, s) + " starts on " + PedName(sim, ped), "scenario on " + PedName(sim, ped),
              Span::Begin, ScenarioName(sim, s));
  });
  // Clearing a ped's tasks ends whatever it does: its scenario, clip, emote
  // and item interactions.
  sim.Handle("ClearPedTasks", [&sim](const Call& c, Result&) {
    End(sim, c.I(0), "tasks stopped");
    EndAnimationsOf(sim, c.I(0), "tasks stopped");
  });
  sim.Handle("IsPedUsingAnyScenario", [&scenarios](const Call& c, Result& r) { r.Bool(scenarios.Of(c.I(0))); });
  // The game answers with the scenario's type, never with its variation.
  sim.Handle("GetActiveDynamicScenario", [&scenarios](const Call& c, Result& r) {
    const RunningScenario* s = scenarios.Of(c.I(0));
    r.Int(s ? static_cast<int32_t>(s->type) : 0);
  });

  // set player.scenario TYPE[/VARIATION] | none: the player uses a world
  // scenario that the plug-in did not start (a chair, a fence).
  sim.AddSetter("player.scenario", [&sim, &scenarios](const std::string& value) {
    const int player = sim.world.entities.player;
    if (value.empty()) return false;
    if (value == "none") {
      End(sim, player, "set");
      return true;
    }
    End(sim, player, "replaced");
    RunningScenario s;
    const size_t slash = value.find('/');
    s.type = sim.Hash(value.substr(0, slash));
    if (slash != std::string::npos) s.variation = sim.Hash(value.substr(slash + 1));
    s.startFrame = sim.Frame();
    scenarios.byPed[player] = s;
    sim.Event("scenario", ScenarioName(sim, s) + " starts on " + PedName(sim, player),
              "scenario on " + PedName(sim, player), Span::Begin, ScenarioName(sim, s));
    return true;
  });
}

}  // namespace sim
