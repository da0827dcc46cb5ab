// The game's numbers for the bones of a ped's skeleton that the plug-in names.
// Effects and hit tests take these numbers; attaching a prop takes a bone
// index instead, which GetPedBoneIndex or GetEntityBoneIndexByName looks up.
#pragma once

// The head: a hit there knocks a smoke out of the mouth, and the exhales and
// breath clouds are placed at an offset from it, in front of the lips.
inline constexpr int kHeadBone = 21030;
// Meant as the jaw, and counted for a hit only while the player grapples; the
// game's lists name 56200 the pelvis (the jaw is 58559). Kept as it is until
// it can be tried in the game.
inline constexpr int kJawBone = 56200;
// The nose, where the exhale through the nose comes out.
inline constexpr int kNoseBone = 26497;
// The mouth attachment bone of the story characters' head rigs.
inline constexpr int kStoryMouthBone = 10509;

// The weapon attach point of the hand, where a drawn weapon is: what the
// weapon query asks for "the weapon in hand" (the other points are the
// holsters and slots on the body, 10 a rifle's on the back).
inline constexpr int kHandAttachPoint = 0;
