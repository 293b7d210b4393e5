// The picture canvas: what each drawing operation colours, read back from
// the pixels, and the PNG it writes read back through its own decoder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "hostsim/FontList.h"
#include "hostsim/render/Canvas.h"

namespace {

using hostsim::render::Canvas;
using hostsim::render::Rgba;

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

bool Same(Rgba a, Rgba b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(Canvas, RectanglesLeaveTheirRightAndBottomEdgesOut) {
  Canvas c(10, 10, kWhite);
  c.FillRect({2, 3, 5, 6}, kRed);
  EXPECT_TRUE(Same(c.At(2, 3), kRed));
  EXPECT_TRUE(Same(c.At(4, 5), kRed));
  EXPECT_TRUE(Same(c.At(5, 5), kWhite));
  EXPECT_TRUE(Same(c.At(4, 6), kWhite));
  c.FrameRect({0, 0, 10, 10}, kBlue);
  EXPECT_TRUE(Same(c.At(9, 9), kBlue));
  EXPECT_TRUE(Same(c.At(1, 1), kWhite));
}

TEST(Canvas, LinesDrawBothEndsAndFramesMoveAndClipLaterDrawing) {
  Canvas c(20, 20, kWhite);
  c.Line({12, 14}, {15, 4}, kRed);
  EXPECT_TRUE(Same(c.At(12, 14), kRed));
  EXPECT_TRUE(Same(c.At(15, 4), kRed));
  c.SetFrame({10, 10}, {10, 10, 15, 15});
  c.FillRect({0, 0, 100, 100}, kBlue);
  EXPECT_TRUE(Same(c.At(10, 10), kBlue));
  EXPECT_TRUE(Same(c.At(14, 14), kBlue));
  EXPECT_TRUE(Same(c.At(15, 15), kWhite)) << "outside the clip";
  EXPECT_TRUE(Same(c.At(9, 9), kWhite));
}

TEST(Canvas, OvalsAndPolygonsFillTheirInsideOnly) {
  Canvas c(20, 20, kWhite);
  c.FillOval({0, 0, 20, 20}, kRed);
  EXPECT_TRUE(Same(c.At(10, 10), kRed));
  EXPECT_TRUE(Same(c.At(0, 0), kWhite)) << "a corner lies outside the circle";
  Canvas t(20, 20, kWhite);
  t.FillPolygon({{0, 0}, {20, 0}, {0, 20}}, kBlue);
  EXPECT_TRUE(Same(t.At(2, 2), kBlue));
  EXPECT_TRUE(Same(t.At(18, 18), kWhite));
}

TEST(Canvas, APictureAndItsAlphaArePaintedAndWhatIsWrittenReadsBack) {
  Canvas c(4, 3, kWhite);
  c.FillRect({0, 0, 2, 3}, kRed);
  const auto file = std::filesystem::path(::testing::TempDir()) / "kpx-canvas-test.png";
  ASSERT_FALSE(c.WritePng(file));
  Canvas back(6, 5, kBlue);
  ASSERT_TRUE(back.DrawPng(ReadFile(file), {1, 1}));
  EXPECT_TRUE(Same(back.At(1, 1), kRed));
  EXPECT_TRUE(Same(back.At(4, 3), kWhite));
  EXPECT_TRUE(Same(back.At(0, 0), kBlue)) << "outside the picture";
  EXPECT_FALSE(back.DrawPng("not a png", {0, 0}));
  std::filesystem::remove(file);
}

TEST(Canvas, BothCompressionsWriteEveryPixelInItsPlace) {
  // Every pixel differs from its neighbours, so a row written twice, out of
  // order or shifted reads back wrong.
  Canvas c(7, 5, kWhite);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x)
      c.FillRect({x, y, x + 1, y + 1}, Rgba{static_cast<uint8_t>(30 * x), static_cast<uint8_t>(50 * y), 7, 255});
  for (const auto compression : {Canvas::PngCompression::kSmallest, Canvas::PngCompression::kFastest}) {
    const auto file = std::filesystem::path(::testing::TempDir()) / "kpx-canvas-compression.png";
    ASSERT_FALSE(c.WritePng(file, compression));
    Canvas back(7, 5, kBlue);
    ASSERT_TRUE(back.DrawPng(ReadFile(file), {0, 0}));
    for (int32_t y = 0; y < 5; ++y)
      for (int32_t x = 0; x < 7; ++x)
        EXPECT_TRUE(Same(back.At(x, y), Rgba{static_cast<uint8_t>(30 * x), static_cast<uint8_t>(50 * y), 7, 255}))
            << "pixel " << x << "," << y << " of compression " << static_cast<int>(compression);
    std::filesystem::remove(file);
  }
}

TEST(Canvas, AScaledCanvasRepeatsEachPixelAsASquare) {
  Canvas c(2, 1, kWhite);
  c.FillRect({1, 0, 2, 1}, kRed);
  const Canvas big = c.Scaled(3);
  EXPECT_EQ(big.width(), 6);
  EXPECT_EQ(big.height(), 3);
  EXPECT_TRUE(Same(big.At(2, 2), kWhite));
  EXPECT_TRUE(Same(big.At(3, 0), kRed));
  EXPECT_TRUE(Same(big.At(5, 2), kRed));
  Canvas tall(1, 2, kWhite);
  tall.FillRect({0, 1, 1, 2}, kBlue);
  const Canvas tallBig = tall.Scaled(2);
  EXPECT_TRUE(Same(tallBig.At(1, 1), kWhite)) << "the top row's square";
  EXPECT_TRUE(Same(tallBig.At(0, 2), kBlue)) << "the bottom row's square";
  EXPECT_TRUE(Same(tallBig.At(1, 3), kBlue));
  EXPECT_TRUE(Same(tall.Scaled(1).At(0, 1), kBlue)) << "a factor of 1 is a plain copy";
}

TEST(Canvas, TextIsInkedAboveItsBaselineAndMeasuredAsDrawn) {
  const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  const auto found = fonts.FindByFullName("DejaVu Sans");
  if (!found) GTEST_SKIP() << "DejaVu Sans is not installed";
  const hostsim::render::TextFace face{fonts.at(*found).file, fonts.at(*found).faceIndex, 12};
  Canvas c(60, 20, kWhite);
  ASSERT_TRUE(c.DrawText("Hi", {2, 14}, face, kRed));
  int inkAbove = 0, inkBelow = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (!Same(c.At(x, y), kWhite)) (y < 14 ? inkAbove : inkBelow)++;
  EXPECT_GT(inkAbove, 10);
  EXPECT_EQ(inkBelow, 0) << "H and i stand on the baseline";
  const int32_t width = Canvas::TextWidth("Hi", face);
  EXPECT_GT(width, 6);
  EXPECT_LT(width, 20);
  // Glyphs are made once: a second drawing, and a longer text of the same
  // characters, come out as the first.
  EXPECT_EQ(Canvas::TextWidth("HiHi", face), 2 * width);
  Canvas again(60, 20, kWhite);
  ASSERT_TRUE(again.DrawText("Hi", {2, 14}, face, kRed));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) EXPECT_TRUE(Same(again.At(x, y), c.At(x, y))) << x << "," << y;
  Canvas twice(60, 20, kWhite);
  ASSERT_TRUE(twice.DrawText("HiHi", {2, 14}, face, kRed));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < width; ++x) {
      EXPECT_TRUE(Same(twice.At(x + 2, y), c.At(x + 2, y))) << x << "," << y;
      if (x + 2 + width < 60) {
        EXPECT_TRUE(Same(twice.At(x + 2 + width, y), c.At(x + 2, y))) << "second Hi at " << x << "," << y;
      }
    }
}

// A shape reaching far beyond the canvas is cut to the clip before it is
// walked: drawn at once, and only inside the clip.
TEST(Canvas, FarShapesAreCutToTheClipAndDrawnAtOnce) {
  constexpr int32_t kFar = 2'000'000'000;
  Canvas c(20, 20, kWhite);
  c.SetFrame({5, 5}, {5, 5, 15, 15});
  c.FillPolygon({{0, 0}, {kFar, 0}, {kFar, 4}, {0, 4}}, kRed);
  EXPECT_TRUE(Same(c.At(5, 5), kRed));
  EXPECT_TRUE(Same(c.At(14, 8), kRed));
  EXPECT_TRUE(Same(c.At(15, 8), kWhite)) << "outside the clip";
  EXPECT_TRUE(Same(c.At(14, 9), kWhite)) << "below the polygon";
  c.FillPolygon({{-kFar, 6}, {2, 6}, {2, 9}, {-kFar, 9}}, kBlue);
  EXPECT_TRUE(Same(c.At(5, 11), kBlue));
  EXPECT_TRUE(Same(c.At(7, 11), kWhite));
  // An oval as wide as the pixel type allows, centred on the canvas.
  Canvas o(20, 20, kWhite);
  o.FillOval({-kFar, 0, kFar, 20}, kRed);
  o.FrameOval({-kFar, 0, kFar, 20}, kBlue);
  EXPECT_TRUE(Same(o.At(10, 10), kRed));
  EXPECT_TRUE(Same(o.At(10, 0), kBlue)) << "the top of the frame";
}
