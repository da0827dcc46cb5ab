#include "input/quick_smoke.h"

#include <memory>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "input/input_dispatch.h"
#include "input/inventory.h"
#include "input/stop_cleanup.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace {

constexpr uint32_t kCigaretteEmote = 0x8B7F8EEB;
constexpr uint32_t kCigarEmote = 0x81615BA3;

template <typename Task>
void At(int offsetMs, std::unique_ptr<Task> task) {
  AppendWithOffset(activeSequence, std::move(task), offsetMs);
}

// Settles the cigarette a little deeper in the fingers while the emote's hand moves.
void HandNudge(int offsetMs, float z) {
  At(offsetMs, std::make_unique<Animations::MovePropTask>(&smokeProp, handBoneIndex, 0.0f, 0.0f, z, 0.0f, 0.0f,
                                                          0.0f, 0, 2));
}

// A hidden ped frozen in the inventory smoking pose, attached to the hand: it
// keeps the emote's arm where the prop sits.
void QueueDummyPed(int deleteAt, int spawnAt, int freezeAt) {
  At(deleteAt, std::make_unique<Animations::DeleteEntityTask>());
  At(spawnAt, std::make_unique<Animations::SpawnPedTask>());
  At(spawnAt, std::make_unique<Animations::MovePropTask>(&dummyPed, handBoneIndex, 0.1f, 0.0f, 0.0f, 0.0f, 0.0f,
                                                         90.0f, 1, 0));
  At(spawnAt, std::make_unique<Animations::AnimationTask>(&dummyPed, "mech_inventory@smoking@cigarette", "quick_right",
                                                          3200, 31, 25, -1.6f, 1.6f, 0.0f,
                                                          "upperbodyfeathered_nolefttarm_filter"));
  At(freezeAt, std::make_unique<Animations::SetAnimCurrentTimeTask>());
  dummyPedTime = FrameGameTimer();
}

}  // namespace

void StartQuickCigarette() {
  if (!CanStartSmoking() || !HasCigaretteItem()) return;
  ConsumeCheapCigaretteBox();

  activeSequence.sequenceName = "smoke_cigarette_emote";
  ClearPending(activeSequence);
  Append(activeSequence, std::make_unique<Animations::PlayEmoteTask>(kCigaretteEmote, 0, 13000));

  // Swap the emote's own cigarette for ours.
  At(499, std::make_unique<Animations::DestroyPropTask>(&smokeProp, "p_cigarette01x", true, true));
  At(500, std::make_unique<Animations::SpawnPropTask>(&smokeProp, cigaretteModel, handBoneIndex, 255));

  HandNudge(610, -0.001f);
  HandNudge(620, -0.002f);
  HandNudge(630, -0.003f);
  HandNudge(640, -0.004f);
  const Hash model = FramePlayerModel();
  if (model != GameName("PLAYER_THREE") && model != GameName("CS_JOHNMARSTON")) {
    HandNudge(650, -0.005f);
    HandNudge(660, -0.006f);
    HandNudge(670, -0.007f);
  }

  QueueDummyPed(750, 759, 760);

  HandNudge(3250, -0.006f);
  HandNudge(3260, -0.005f);
  HandNudge(3270, -0.004f);
  HandNudge(3280, -0.003f);

  At(12799, std::make_unique<Animations::DetachPropTask>(&smokeProp, false));
  At(12800, std::make_unique<Animations::DestroyPropTask>(&smokeProp, "p_cigarette01x", true, true));

  Start(activeSequence);
}

void EndQuickCigarette() {
  if (smokeProp != 0) {
    DropSmokeProp();
    return;
  }
  // In its first half second the quick cigarette has no cigarette of its own
  // yet; left running, the rest of the sequence would create one in the hand
  // of a player whose emote the tap has already ended.
  SettleWhatTheCutSequenceOwed();
  ResetToIdle(activeSequence);
}

void StartQuickCigar() {
  if (!CanStartSmoking() || !HasCigarItem()) return;

  activeSequence.sequenceName = "smoke_cigar_emote";
  ClearPending(activeSequence);
  // The emote brings its own cigar: nothing to spawn, nothing consumed.
  Append(activeSequence, std::make_unique<Animations::PlayEmoteTask>(kCigarEmote, 0, 11000));
  QueueDummyPed(1200, 1204, 1208);

  Start(activeSequence);
}
