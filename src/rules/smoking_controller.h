// The per-frame update that steps the sequences and keeps a running smoke
// consistent with the world.
#pragma once

void UpdateSmokingController();
