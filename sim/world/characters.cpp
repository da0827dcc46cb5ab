#include "world/characters.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "simulator.h"

namespace sim {
namespace {

// Indices of the bones the plug-in asks for, fixed so that a session's
// timeline reads the same however the look-ups are ordered.
const std::map<std::string, int> kKnownBones = {
    {"10509", 21},  // the mouth of the story characters' rigs
    {"skel_head", 7},        {"ph_r_hand", 53},       {"skel_r_finger13", 61},
    {"skel_r_finger02", 58}, {"xh_r_hand00", 70},     {"ph_l_hand", 33},
};

const std::string kMouthRigBone = "10509";

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

SimEntity* Player(Simulator& sim) { return sim.world.entities.Find(sim.world.entities.player); }

std::string ModelOf(Simulator& sim, int entity) {
  SimEntity* found = sim.world.entities.Find(entity);
  return found ? found->modelName : std::string();
}

void SetPlayerModel(Simulator& sim, const std::string& name) {
  SimEntity* player = Player(sim);
  if (!player) return;
  player->modelName = name;
  player->model = sim.Hash(name);
  sim.Event("player", "the player's model is now " + name);
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  std::stringstream stream(text);
  std::string item;
  while (std::getline(stream, item, ',')) {
    item.erase(0, item.find_first_not_of(" \t"));
    item.erase(item.find_last_not_of(" \t") + 1);
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

}  // namespace

bool IsStoryModel(const std::string& model) {
  const std::string upper = Upper(model);
  return std::any_of(std::begin(kStoryModels), std::end(kStoryModels),
                     [&](const char* story) { return upper == story; });
}

int Characters::BoneIndex(const std::string& bone) {
  const std::string key = Lower(bone);
  if (auto known = kKnownBones.find(key); known != kKnownBones.end()) return known->second;
  if (auto seen = indices_.find(key); seen != indices_.end()) return seen->second;
  const int index = 200 + static_cast<int>(indices_.size());
  indices_[key] = index;
  return index;
}

bool Characters::ModelHasBone(const std::string& model, const std::string& bone) const {
  auto it = missingBones.find(Upper(model));
  return it == missingBones.end() || it->second.count(Lower(bone)) == 0;
}

void InstallCharacterNatives(Simulator& sim) {
  Characters& characters = sim.world.characters;
  sim.Handle("GetPedBoneIndex", [&sim, &characters](const Call& c, Result& r) {
    const std::string bone = std::to_string(c.I(1));
    const std::string model = ModelOf(sim, c.I(0));
    // Only the story characters' head rigs have the mouth bone.
    const bool rigBone = bone != kMouthRigBone || IsStoryModel(model);
    const bool has = sim.world.entities.Exists(c.I(0)) && rigBone && characters.ModelHasBone(model, bone);
    r.Int(has ? characters.BoneIndex(bone) : kMissingBoneIndex);
  });
  sim.Handle("GetEntityBoneIndexByName", [&sim, &characters](const Call& c, Result& r) {
    const std::string bone = c.S(1);
    const std::string model = ModelOf(sim, c.I(0));
    const bool has = sim.world.entities.Exists(c.I(0)) && characters.ModelHasBone(model, bone);
    r.Int(has ? characters.BoneIndex(bone) : kMissingBoneIndex);
  });

  sim.AddSetter("player.model", [&sim](const std::string& value) {
    if (value.empty() || value.find(' ') != std::string::npos) return false;
    SetPlayerModel(sim, value);
    return true;
  });
  // "set player.missing_bones skel_head, ph_r_hand": bones the player's
  // current model lacks (empty: it has them all).
  sim.AddSetter("player.missing_bones", [&sim, &characters](const std::string& value) {
    SimEntity* player = Player(sim);
    if (!player) return false;
    std::set<std::string>& missing = characters.missingBones[Upper(player->modelName)];
    missing.clear();
    for (const std::string& bone : SplitList(value)) missing.insert(Lower(bone));
    return true;
  });
}

}  // namespace sim
