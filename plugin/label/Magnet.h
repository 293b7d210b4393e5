// The magnet test: while the cursor hovers, find an anchor, a segment or a
// label's leader line close enough to snap the next click to.
#pragma once

#include "host/AITypes.h"

enum class MagnetFound { Nothing, Anchor, LabelLine, Straight, Curve };

struct MagnetHit {
  MagnetFound found = MagnetFound::Nothing;
  AIArtHandle path = nullptr;
  int anchor = -1;         // the anchor snapped to, or the first anchor of the segment
  int sample = -1;         // k of the segment's first point within reach (t = k / 100)
  AIPathSegment a{}, b{};  // the anchor, or both ends of the segment (not for a leader line)
};

// The first place to snap to, walking the document's paths in the host's
// order, each path's anchors in order, anchor j before segment j: an anchor
// within snapDistance of the cursor on both axes, or a segment one of whose
// points at t = 0, 0.01 ... 0.99 lies closer than 1.0 to it. Only the
// cursor's neighbourhood is visited; the answer is the whole walk's.
MagnetHit FindMagnetHit(AIRealPoint cursor, AIReal snapDistance);

// Clears the snap flags, then looks for a place to snap to. When it finds
// one it sets the matching flag and cursor and returns true.
bool RunMagnetTest(AIRealPoint cursor);
