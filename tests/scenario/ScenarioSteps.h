// Script lines and checks shared by the scenario tests of the label tool.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

#include "tests/scenario/ScenarioHarness.h"

namespace scenario {

constexpr double kNear = 2e-3;  // the dump keeps four decimals
constexpr double kPi = 3.14159265358979;
constexpr double kNotchPullBack = 7;          // kind 1 arrowhead at 100 %: where its line begins
constexpr double kDefaultLanding = 17.007874;  // 6 mm
const std::string kLabelLayer = "KPX\xE2\x80\xA2\xC3\x89tiq";  // "KPX•Étiq"

inline std::string Num(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

inline std::string At(const char* command, Point p) {
  return std::string(command) + " " + Num(p.x) + " " + Num(p.y) + "\n";
}

// A press at the tip and a drag to the label's place; the box is sized from
// the text of the previous rebuild, so the drag ends with a second message.
inline std::string DrawLabel(Point tip, Point to) {
  return At("down", tip) + At("drag", to) + At("drag", to) + At("up", to);
}

inline void ExpectNear(Point actual, Point expected, const std::string& what, double tolerance = kNear) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
}

inline double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The point `by` from `tip` towards `towards`.
inline Point PulledBack(Point tip, Point towards, double by) {
  const double angle = std::atan2(towards.y - tip.y, towards.x - tip.x);
  return {tip.x + by * std::cos(angle), tip.y + by * std::sin(angle)};
}

inline double AngleDegrees(Point from, Point to) { return std::atan2(to.y - from.y, to.x - from.x) * 180 / kPi; }

inline const json& OnlyLabel(const json& dump) {
  const auto labels = LabelGroupsOf(dump);
  EXPECT_EQ(labels.size(), 1u);
  static const json kNone = json::object({{"children", json::array({json::object()})}});
  return labels.empty() ? kNone : *labels.front();
}

inline RunResult RunOk(Session& s, const std::string& body) {
  RunResult r = s.RunTool(body);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r;
}

inline Point TextAnchor(const json& text) { return {text["anchor"][0].get<double>(), text["anchor"][1].get<double>()}; }
inline double TextWidth(const json& text) { return text["bounds"][2].get<double>() - text["bounds"][0].get<double>(); }

inline bool CursorShown(const json& dump, int id) {
  for (const json& e : EventsOfType(dump, "cursor")) {
    if (e["id"] == id) return true;
  }
  return false;
}

}  // namespace scenario
