// The arrowhead or point outline in force: a local frame with the tip at the
// origin and the body along +x, at a size of 100 %. Chosen from the settings
// (geometry/Arrowheads.h), embedded in the plug-in's state block.
#pragma once

#include <cstdint>

#include "geometry/PointList.h"

// Embedded in the state block: keep the field order and types.
struct HeadOutline {
  int8_t count;  // anchors in use, 2..20
  float X[kPointListCapacity];
  float Y[kPointListCapacity];
  float OutX[kPointListCapacity];
  float InX[kPointListCapacity];
  float OutY[kPointListCapacity];
  float InY[kPointListCapacity];
  int32_t HeadClosed;  // closed path
  int32_t HollowHead;  // stroked like the lines (true) or filled solid
  float HeadLength;    // where the leader line begins, from the tip, at 100 %
};
