// Lighting a smoke: the verb, and the pieces the kinds' lightings share.
#pragma once

struct PropSeat;
struct SmokeKind;

// Starts the kind's lighting (SmokeKind::lighting) after `startDelayMs`;
// `quickStyle` asks for its quick variant.
void StartLighting(const SmokeKind& kind, int startDelayMs, bool quickStyle);

namespace building {

// What follows a lighting in the hand: a run of `puffs` (`extendedPuffs`
// with EXTENDED_SMOKE_DURATION), or the endless hold when the player only
// puffs by hand, then the finish.
void QueueHandHeldTail(const SmokeKind& kind, int puffs, int extendedPuffs);

// A hidden ped frozen in the inventory smoking pose at `seat` on the hand: it
// keeps the arm of an emote where the prop sits. Deleted (if one is left)
// at `deleteAt`, spawned at `spawnAt`, frozen at `freezeAt`.
void QueueDummyPed(int deleteAt, int spawnAt, int freezeAt, const PropSeat& seat, int ikFlags);

}  // namespace building
