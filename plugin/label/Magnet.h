// The magnet test: while the cursor hovers, find an anchor, a segment or a
// label's leader line close enough to snap the next click to.
#pragma once

#include "host/AITypes.h"

// Clears the snap flags, then looks for a place to snap to. When it finds
// one it sets the matching flag and cursor and returns true.
bool RunMagnetTest(AIRealPoint cursor);
