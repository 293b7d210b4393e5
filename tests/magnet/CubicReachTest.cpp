// The conservative geometry the magnet uses to skip samples without asking
// the host: a part of a curve must be the same curve, and "far" must never
// be said of a curve that comes within reach.
#include <gtest/gtest.h>

#include "geometry/CubicReach.h"

namespace {

// x(t) = t and y(t) = t³: controls (0, 0), (1/3, 0), (2/3, 0), (1, 1).
const Cubic kRising{{0, 1.0 / 3, 2.0 / 3, 1}, {0, 0, 0, 1}};

void ExpectPointAt(const Cubic& c, double t, double x, double y) {
  double px, py;
  PointAt(c, t, px, py);
  EXPECT_NEAR(px, x, 1e-12) << "t " << t;
  EXPECT_NEAR(py, y, 1e-12) << "t " << t;
}

TEST(CubicReach, APieceIsTheSameCurveOverItsOwnRange) {
  const Cubic piece = Piece(kRising, 0.2, 0.6);
  ExpectPointAt(piece, 0.0, 0.2, 0.008);
  // Halfway along the piece is t = 0.4 of the whole: (0.4, 0.064).
  ExpectPointAt(piece, 0.5, 0.4, 0.064);
  ExpectPointAt(piece, 1.0, 0.6, 0.216);
  // The tangent of x(t) = t is 1 everywhere; of t³, 3t².
  double x, y;
  TangentAt(kRising, 0.5, x, y);
  EXPECT_NEAR(x, 1.0, 1e-12);
  EXPECT_NEAR(y, 0.75, 1e-12);
}

TEST(CubicReach, FarIsSaidOnlyBeyondTheChordAndTheHandlesStray) {
  // A straight segment along y = 0 from x = 0 to 10: the point (5, 2) is 2 away.
  const Cubic line{{0, 0, 10, 10}, {0, 0, 0, 0}};
  EXPECT_TRUE(FarFrom(line, 5, 2, 1.9));
  EXPECT_FALSE(FarFrom(line, 5, 2, 2.1));
  // Past an end the distance is to the end: (13, 4) is 5 from (10, 0).
  EXPECT_TRUE(FarFrom(line, 13, 4, 4.9));
  EXPECT_FALSE(FarFrom(line, 13, 4, 5.1));
  // An arch whose handles stand 4 above the chord; its top is at y = 3, so
  // (5, 5) is 2 from it. The chord is 5 away and the handles stray 4: far is
  // said only for a reach under 1.
  const Cubic arch{{0, 0, 10, 10}, {0, 4, 4, 0}};
  EXPECT_TRUE(FarFrom(arch, 5, 5, 0.9));
  EXPECT_FALSE(FarFrom(arch, 5, 5, 1.1));
  EXPECT_FALSE(FarFrom(arch, 5, 5, 2.5));
  // A point on the curve is never far.
  double x, y;
  PointAt(arch, 0.3, x, y);
  EXPECT_FALSE(FarFrom(arch, x, y, 0.001));
}

}  // namespace
