// What the active sequence is doing, asked of its tasks by what they hand to
// the game (clip, effect and sound names, emotes) rather than by names made
// up for the tasks.
#pragma once

#include <cstdint>
#include <string_view>

namespace Animations {
class ISequenceTask;
}

// The task plays a clip, an item interaction, an effect or a sound whose game
// name (clip dictionary or clip, interaction, effect asset or effect, sound
// set or sound) contains `part`: "outro" for any outro clip, "loop" for the
// hold clips and the looped sizzle of a match.
bool TaskPlays(const Animations::ISequenceTask* task, std::string_view part);

// The same for the current task of activeSequence.
bool CurrentTaskPlays(std::string_view part);
// activeSequence's current task plays an emote: `emote`, or any with 0.
bool CurrentTaskPlaysEmote(uint32_t emote = 0);
// activeSequence's current task is one of the game's item interactions.
bool CurrentTaskIsItemInteraction();
// The next task of activeSequence plays a clip on a ped.
bool NextTaskPlaysClip();
