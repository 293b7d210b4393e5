// A user-drawn Bézier point list as the settings hold it: six arrays of up
// to 20 entries, in this order, with the count kept beside it. In the editors
// "I" is the control point leaving an anchor towards the next one and "O" the
// one arriving from the previous one; on a path, I becomes the out handle and
// O the in handle.
#pragma once

#include "core/Ids.h"

struct BezierPointList {
  float X[kPointListCapacity];
  float Y[kPointListCapacity];
  float IX[kPointListCapacity];
  float OX[kPointListCapacity];
  float IY[kPointListCapacity];
  float OY[kPointListCapacity];
};

static_assert(sizeof(BezierPointList) == 6 * kPointListCapacity * sizeof(float),
              "the list is embedded in the state block as six bare arrays");

inline bool IsValidPointCount(int count) {
  return count >= kPointListMinCount && count <= kPointListCapacity;
}
