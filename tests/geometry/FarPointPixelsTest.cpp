// Canvas pixels of outline points far beyond any canvas: they stop at a
// bound the pixel type holds, so drawing them is defined and quick.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/EditGeometry.h"

namespace {

using namespace edit;

constexpr int32_t kBound = 1 << 24;

TEST(FarPointPixels, CoordinatesTruncateTowardZeroAndStopAtTheBound) {
  EXPECT_EQ(PixelCoordinate(12.9f), 12);
  EXPECT_EQ(PixelCoordinate(-12.9f), -12);
  EXPECT_EQ(PixelCoordinate(1e20f), kBound);
  EXPECT_EQ(PixelCoordinate(-1e20f), -kBound);
  EXPECT_EQ(PixelCoordinate(std::numeric_limits<float>::infinity()), kBound);
  EXPECT_EQ(PixelCoordinate(std::nanf("")), 0);
}

TEST(FarPointPixels, AFarOutlinePointFlattensToTheBound) {
  BezierPointList p{};
  p.X[1] = 1e20f;  // straight segments: every point is an anchor, truncated
  p.Y[1] = -1e20f;
  p.X[2] = 1.0f;
  for (int k = 0; k < 3; ++k) {
    p.IX[k] = p.X[k], p.IY[k] = p.Y[k];
  }
  for (int k = 0; k < 3; ++k) {
    p.OX[k] = p.X[k], p.OY[k] = p.Y[k];
  }
  Pixel out[64];
  ASSERT_EQ(FlattenOutline(p, 3, false, kArrowCanvas, out, 64), 5);
  // Each segment adds its start and end: 0, 1 | 1, 2 | 2 (open: no closing piece).
  EXPECT_EQ(out[1].h, kBound);
  EXPECT_EQ(out[1].v, -kBound);
  EXPECT_EQ(out[2].h, kBound);
  EXPECT_EQ(out[3].h, 130 + 20);  // 1 unit of 20 pixels from the canvas origin
  EXPECT_EQ(out[3].v, 130);
  const Pixel far = ToPixel(kArrowCanvas, {-1e30f, 1e30f});
  EXPECT_EQ(far.h, -kBound);
  EXPECT_EQ(far.v, kBound);
}

}  // namespace
