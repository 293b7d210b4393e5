// Reading the panel out of a dump, and the few numbers and geometric rules
// the panel's scenario tests work their expectations out with.
#pragma once

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario/ScenarioHarness.h"

namespace scenario::panel {

constexpr double kNear = 2e-3;
constexpr double kPi = 3.14159265358979;
constexpr double kMillimetre = 2.8346457;
// The simulated host's screen, and the panel's default place on it:
// ((1440 - 206) / 2, (900 - 135) / 3).
constexpr int kDefaultLeft = 617, kDefaultTop = 255;
inline const std::string kShowPanel = "Show KPX\xE2\x80\xA2Labels";
inline const std::string kHidePanel = "Hide KPX\xE2\x80\xA2Labels";

inline std::string Num(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

inline std::string At(const char* command, Point p) { return std::string(command) + " " + Num(p.x) + " " + Num(p.y) + "\n"; }
inline std::string DrawLabel(Point tip, Point to) { return At("down", tip) + At("drag", to) + At("drag", to) + At("up", to); }

inline RunResult RunOk(Session& s, const std::string& script) {
  RunResult r = s.Run(script);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r;
}

// --- The panel in a dump -------------------------------------------------------

inline const json& ItemOf(const json& dump, int id) { return dump["panel"]["items"][std::to_string(id)]; }

inline std::vector<int> BoundsOf(const json& dump) { return dump["panel"]["bounds"].get<std::vector<int>>(); }

inline void ExpectBounds(const json& dump, int left, int top, int width, int height) {
  EXPECT_EQ(BoundsOf(dump), (std::vector<int>{left, top, left + width, top + height}));
}

inline const json& FlyoutEntry(const json& dump, int id) {
  for (const json& e : dump["panel"]["flyout"]) {
    if (e.value("id", -1) == id) return e;
  }
  ADD_FAILURE() << "no flyout entry " << id;
  static const json kNone = json::object();
  return kNone;
}

inline std::string MenuText(const json& dump) {
  for (const json& m : dump["menus"]) {
    if (m.value("name", "") == "Outil1") return m.value("text", "");
  }
  return "";
}

inline const json& Pref(const json& dump, const std::string& key) { return dump["prefs"]["KPXEtiquette"][key]; }

inline double Value(const json& dump, int id) { return ItemOf(dump, id)["value"].get<double>(); }

// --- Expected geometry ------------------------------------------------------------

inline Point Polar(Point from, double length, double angle) {
  return {from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
}

// A head anchor of the local frame (tip at the origin, body along +x), scaled,
// turned by `angle` and moved to the tip.
inline Point Placed(Point local, double scale, double angle, Point tip) {
  const double x = local.x * scale, y = local.y * scale;
  return {tip.x + x * std::cos(angle) - y * std::sin(angle), tip.y + x * std::sin(angle) + y * std::cos(angle)};
}

inline void ExpectNear(Point actual, Point expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, kNear) << what;
  EXPECT_NEAR(actual.y, expected.y, kNear) << what;
}

inline const json& OnlyLabel(const json& dump) {
  const auto labels = LabelGroupsOf(dump);
  EXPECT_EQ(labels.size(), 1u);
  static const json kNone = json::object({{"children", json::array({json::object()})}});
  return labels.empty() ? kNone : *labels.front();
}

}  // namespace scenario::panel
