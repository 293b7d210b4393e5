// The picture comparison the browser check relies on: if it matched too
// loosely, every drawing would pass.
#include <gtest/gtest.h>

#include "tests/scenario/Raster.h"

namespace scenario {
namespace {

Picture White(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.assign(static_cast<std::size_t>(width) * height, Rgb{255, 255, 255});
  return p;
}

void Paint(Picture& p, int x, int y, uint8_t grey) {
  p.pixels[static_cast<std::size_t>(y) * p.width + x] = {grey, grey, grey};
}

TEST(PictureComparison, DarkPixelIsMatchedOnlyWithinTheRadiusAndOnlyByADarkEnoughPixel) {
  Picture a = White(20, 20), b = White(20, 20);
  Paint(a, 10, 10, 0);
  Paint(b, 12, 8, 100);
  EXPECT_EQ(UnmatchedDark(a, b, 128, 192, 2), 0) << "two pixels away on both axes is within the radius";
  EXPECT_EQ(UnmatchedDark(a, b, 128, 192, 1), 1);
  EXPECT_EQ(UnmatchedDark(a, b, 128, 64, 2), 1) << "grey 100 is not dark enough to match";
  EXPECT_EQ(UnmatchedDark(b, a, 128, 192, 2), 0) << "grey 100 counts as dark when it is the one to match";
  EXPECT_EQ(UnmatchedDark(b, a, 128, 192, 1), 1);
  EXPECT_EQ(UnmatchedDark(b, a, 64, 192, 2), 0) << "grey 100 is not dark at 64";

  Paint(a, 0, 0, 0);  // at the corner: the search must not leave the picture
  EXPECT_EQ(UnmatchedDark(a, b, 128, 192, 2), 1);
  EXPECT_EQ(UnmatchedDark(a, b, 128, 192, 2, {5, 5, 15, 15}), 0) << "the corner lies outside the box";
}

TEST(PictureComparison, DarkPixelsAreCountedInsideTheBoxOnly) {
  Picture p = White(10, 10);
  Paint(p, 2, 2, 0);
  Paint(p, 7, 7, 0);
  Paint(p, 5, 5, 200);
  EXPECT_EQ(CountDark(p, 128), 2);
  EXPECT_EQ(CountDark(p, 230), 3);
  EXPECT_EQ(CountDark(p, 128, {0, 0, 7, 7}), 1) << "right and bottom are excluded";
  EXPECT_EQ(CountDark(p, 128, {-5, -5, 50, 50}), 2) << "a box beyond the picture is clamped";
  const Picture top = p.Crop(5, 5);
  EXPECT_EQ(top.width, 5);
  EXPECT_EQ(CountDark(top, 128), 1);
}

}  // namespace
}  // namespace scenario
