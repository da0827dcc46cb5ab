// The last stretch of a prop's way to the lips: an invisible marker is
// spawned at the mouth bone, and from then on the prop is eased onto its
// mouth seat frame by frame, relative to the marker.
#pragma once

// The marker's model.
inline constexpr const char* kMouthMarkerModel = "p_cigarettebox01x";

struct MouthEaseState {
  float rotX, rotY, rotZ;
  float deltaX, deltaY, deltaZ;
};
extern int mouthEaseActive;
extern int mouthEaseWaitStart;
extern MouthEaseState mouthEaseState;

// Each frame while a smoke plays: waits for the marker, then eases.
void UpdateMouthEasing();
// Ends an easing in progress and removes the mouth marker (a stop or a drop).
void CancelMouthEasing();
