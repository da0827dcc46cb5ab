// Character models and their bones.
#pragma once

#include <map>
#include <set>
#include <string>

namespace sim {

// The game's answer for a bone the model does not have.
inline constexpr int kMissingBoneIndex = -1;

struct Characters {
  // Bones each model lacks, by name ("skel_head") or by ped bone number ("10509").
  std::map<std::string, std::set<std::string>> missingBones;

  // Every bone has one index, the same on every model that has it, distinct
  // from every other bone's: named bones and numbered ped bones alike.
  int BoneIndex(const std::string& bone);
  bool ModelHasBone(const std::string& model, const std::string& bone) const;

 private:
  std::map<std::string, int> indices_;
};

// The story characters, whose head rigs carry a mouth bone of their own.
inline constexpr const char* kStoryModels[] = {"PLAYER_ZERO", "PLAYER_THREE", "CS_JOHNMARSTON"};
bool IsStoryModel(const std::string& model);

}  // namespace sim
