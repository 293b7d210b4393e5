// Tolerant comparisons for geometry tests: coordinates are floats computed
// through trigonometry, so exact equality would test rounding, not geometry.
#pragma once

#include <gtest/gtest.h>

#include "geometry/Anchor.h"

constexpr float kGeometryTolerance = 1e-4f;

inline void ExpectNear(Point actual, Point expected, float tolerance = kGeometryTolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

inline void ExpectNear(const Anchor& actual, const Anchor& expected,
                       float tolerance = kGeometryTolerance) {
  SCOPED_TRACE("point");
  ExpectNear(actual.p, expected.p, tolerance);
  SCOPED_TRACE("in handle");
  ExpectNear(actual.in, expected.in, tolerance);
  SCOPED_TRACE("out handle");
  ExpectNear(actual.out, expected.out, tolerance);
}

inline void ExpectSharpAt(const Anchor& actual, Point expected) {
  ExpectNear(actual, Sharp(expected));
}
