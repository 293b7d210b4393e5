// Attribute and property values as SVG and CSS write them: units, colour
// notations, paints, opacities and transform lists, worked out by hand.
#include <gtest/gtest.h>

#include "hostsim/document/Document.h"
#include "hostsim/document/SvgValues.h"

namespace {

using namespace hostsim::svg;

constexpr double kNear = 1e-9;

TEST(SvgValues, LengthsFollowCssInsideAndCountAPixelAsAPointForThePage) {
  struct Case {
    const char* text;
    double user;  // CSS pixels: 96 an inch
    double page;  // points: 72 an inch, a pixel is a point
  };
  // 100 % is 50 here, 1 em is 10.
  const Case cases[] = {{"12", 12, 12},        {"12px", 12, 12},       {" 12pt ", 16, 12},    {"2pc", 32, 24},
                        {"1in", 96, 72},       {"2.54cm", 96, 72},     {"25.4mm", 96, 72},    {"101.6q", 96, 72},
                        {"1.5em", 15, 15},     {"2ex", 10, 10},        {"40%", 20, 20},       {"-1e1PX", -10, -10}};
  for (const Case& c : cases) {
    const auto user = Length(c.text, 50, 10);
    const auto page = Length(c.text, 50, 10, Units::Page);
    ASSERT_TRUE(user && page) << c.text;
    EXPECT_NEAR(*user, c.user, kNear) << c.text;
    EXPECT_NEAR(*page, c.page, kNear) << c.text;
  }
  for (const char* bad : {"", "px", "12 px px", "12furlongs", "1e999"}) EXPECT_FALSE(Length(bad, 50, 10)) << bad;
}

TEST(SvgValues, ColourNotationsGiveTheSameChannels) {
  auto rgb = [](const char* text) {
    const auto c = ParseColour(text);
    EXPECT_TRUE(c) << text;
    return c ? std::array<double, 4>{c->colour.c.rgb.red, c->colour.c.rgb.green, c->colour.c.rgb.blue, c->alpha}
             : std::array<double, 4>{};
  };
  const std::array<double, 4> orange{1, 165 / 255.0, 0, 1};
  for (const char* text : {"#ffa500", "#FFA500", "orange", "ORANGE", "rgb(255, 165, 0)", "rgb(100%,64.70588%,0%)"}) {
    const auto c = rgb(text);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(c[i], orange[i], 1e-6) << text << " channel " << i;
  }
  EXPECT_NEAR(rgb("#fa0")[1], 0xaa / 255.0, 1e-6) << "#rgb doubles each digit";
  EXPECT_NEAR(rgb("#ffaa0080")[3], 0x80 / 255.0, 1e-6);
  EXPECT_NEAR(rgb("rgba(1, 2, 3, 0.25)")[3], 0.25, 1e-6);
  EXPECT_NEAR(rgb("rgb(300, -5, 0)")[0], 1, 1e-6) << "channels are clamped";
  EXPECT_EQ(rgb("transparent")[3], 0);
  for (const char* bad : {"#ff", "#ggg", "rgb(1,2)", "rgb(1,2,3", "nocolour", ""}) EXPECT_FALSE(ParseColour(bad)) << bad;
}

TEST(SvgValues, PaintsOpacitiesAndExactColours) {
  EXPECT_EQ(ParsePaint("none")->kind, Paint::Kind::None);
  EXPECT_EQ(ParsePaint(" currentColor ")->kind, Paint::Kind::Current);
  const auto ref = ParsePaint("url('#grad') red");
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->kind, Paint::Kind::Reference);
  EXPECT_EQ(ref->reference, "grad");
  EXPECT_EQ(ref->fallback, Paint::Kind::Colour);
  EXPECT_FALSE(ParsePaint("url(#a) url(#b)"));
  EXPECT_FALSE(ParsePaint("url(#a"));

  EXPECT_EQ(Opacity("50%"), 0.5);
  EXPECT_EQ(Opacity("1.5"), 1);
  EXPECT_EQ(Opacity("-2"), 0);
  EXPECT_FALSE(Opacity("half"));

  EXPECT_EQ(Bytes(hostsim::GrayColor(0.25)), (std::array<long, 3>{191, 191, 191})) << "a grey is an amount of black";
  EXPECT_EQ(ExactColour("gray 0.37")->c.g.gray, 0.37f);
  EXPECT_EQ(ExactColour("rgb 0.1 0.2 0.3")->c.rgb.blue, 0.3f);
  for (const char* bad : {"gray 2", "gray", "rgb 0.1 0.2", "cmyk 0 0 0 1"}) EXPECT_FALSE(ExactColour(bad)) << bad;
}

TEST(SvgValues, TransformListsComposeLeftToRight) {
  // translate(10) then scale(2): a point at (1, 1) goes to (12, 2).
  const auto m = ParseTransform("translate(10) scale(2)");
  ASSERT_TRUE(m);
  const hostsim::Vec2 p = Apply(*m, {1, 1});
  EXPECT_NEAR(p.x, 12, kNear);
  EXPECT_NEAR(p.y, 2, kNear);
  const auto skew = ParseTransform("skewY(45),scale(1 3)");
  ASSERT_TRUE(skew);
  const hostsim::Vec2 q = Apply(*skew, {2, 1});
  EXPECT_NEAR(q.x, 2, kNear);
  EXPECT_NEAR(q.y, 5, kNear) << "y + x tan 45 after the scale: 3 + 2";
  EXPECT_NEAR(LengthScale(*ParseTransform("scale(2 8)")), 4, kNear);
  EXPECT_TRUE(ParseTransform("  "));
  for (const char* bad : {"translate(1,2,3)", "rotate(1 2)", "spin(3)", "scale(2", "matrix(1 0 0 1 0)", "scale(1e308) scale(1e308)"}) {
    EXPECT_FALSE(ParseTransform(bad)) << bad;
  }
}

}  // namespace
