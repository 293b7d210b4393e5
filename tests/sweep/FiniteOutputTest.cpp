// The largest values every setting and every command accepts, together: the
// drawing's SVG, the dump and the preference file must hold finite numbers
// only (no inf, no nan, and no null where the dump has a number).
#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "LabelShape.h"
#include "apps/labels-run/Runner.h"
#include "core/SettingsTable.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class FiniteOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("kpx-finite-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Run(const std::string& text, std::string* err = nullptr) {
    std::ofstream(dir_ / "s.session") << text;
    labelsrun::RunOptions options;
    options.script = dir_ / "s.session";
    options.prefsFile = dir_ / "preferences.json";
    options.pluginFile = KPX_PLUGIN_FILE;
    std::ostringstream messages;
    const int code = labelsrun::RunScript(options, messages);
    if (err != nullptr) *err = messages.str();
    return code;
  }

  // Every key of the first start's file at the end of its range: `sign` +1 the
  // largest, -1 the lowest. Reals without a bound get the largest float.
  void WriteExtremePreferences(int sign) {
    ASSERT_EQ(Run("launch\nquit\n"), 0);
    json file = json::parse(ReadAll(dir_ / "preferences.json"));
    json& keys = file["sections"]["KPXEtiquette"];
    ASSERT_GT(keys.size(), 40u);
    for (auto& [key, typed] : keys.items()) {
      const SettingRow* face = FindSetting(key);
      const double bound = face == nullptr ? (sign > 0 ? kHighest : kLowest) : (sign > 0 ? face->max : face->min);
      if (typed.contains("real")) {
        typed["real"] = std::isfinite(bound) ? bound : sign * static_cast<double>(FLT_MAX);
      } else if (typed.contains("integer") && face != nullptr) {
        typed["integer"] = static_cast<int64_t>(bound);
      } else if (typed.contains("boolean")) {
        typed["boolean"] = sign > 0;
      } else if (typed.contains("string") && face != nullptr && key != "Police") {
        typed["string"] = std::string(static_cast<std::size_t>(face->max), 'W');
      }
    }
    std::ofstream(dir_ / "preferences.json") << file.dump(1);
  }

  // Numbers the dump writes as null (nlohmann's NaN and infinity), with their place.
  static void FindNulls(const json& j, const std::string& where, std::vector<std::string>& found) {
    if (j.is_array()) {
      for (std::size_t i = 0; i < j.size(); ++i) {
        if (j[i].is_null()) found.push_back(where + "[" + std::to_string(i) + "]");
        FindNulls(j[i], where + "[" + std::to_string(i) + "]", found);
      }
    } else if (j.is_object()) {
      for (const auto& [key, value] : j.items()) {
        // Null has a meaning for these: no fill, no stroke, no dialog.
        const bool mayBeNull = key == "fill" || key == "stroke" || key == "dialog";
        if (value.is_null() && !mayBeNull) found.push_back(where + "." + key);
        FindNulls(value, where + "." + key, found);
      }
    }
  }

  void CheckOutputs(const std::string& what) {
    static const std::regex kNotFinite(R"((^|[^A-Za-z])[-+]?(inf|nan)(inity)?([^A-Za-z]|$))", std::regex::icase);
    const std::string svg = ReadAll(dir_ / "out.svg");
    ASSERT_FALSE(svg.empty()) << what;
    std::smatch m;
    if (std::regex_search(svg, m, kNotFinite)) {
      const std::size_t at = static_cast<std::size_t>(m.position(0));
      ADD_FAILURE() << what << ": the SVG holds " << m.str() << " in ..." << svg.substr(at < 200 ? 0 : at - 200, 260);
    }
    std::vector<std::string> nulls;
    const json dump = json::parse(ReadAll(dir_ / "out.json"));
    EXPECT_GE(sweep::CountLabels(dump), 2) << what << ": the labels were not drawn";
    FindNulls(dump, "dump", nulls);
    EXPECT_TRUE(nulls.empty()) << what << ": the dump holds a number that is not finite at " << nulls.front();
    const std::string prefs = ReadAll(dir_ / "preferences.json");
    EXPECT_FALSE(std::regex_search(prefs, m, kNotFinite)) << what << ": the preference file holds " << m.str();
    nulls.clear();
    FindNulls(json::parse(prefs), "prefs", nulls);
    EXPECT_TRUE(nulls.empty()) << what << ": the preference file holds null at " << nulls.front();
  }

  fs::path dir_;
};

// Labels at the far corners of the largest drawing the runner accepts, with
// several leader lines, at the largest and a tiny zoom, over every setting at
// its largest and then at its lowest value; the panel open.
TEST_F(FiniteOutput, LargestSettingsCoordinatesAndZoomsWriteOnlyFiniteNumbers) {
  for (int sign : {+1, -1}) {
    for (const char* zoom : {"10000000", "0.0000001"}) {
      WriteExtremePreferences(sign);
      const std::string what = std::string(sign > 0 ? "largest" : "lowest") + " settings, zoom " + zoom;
      std::string err;
      const int code = Run(std::string("launch\nmenu panel\nzoom ") + zoom +
                               "\ntool select\n"
                               "rect -10000000 -10000000 10000000 10000000 filled\nrect 0 0 10000000 10000000\n"
                               "ellipse 0 0 10000000 10000000\n"
                               "click 10000000 10000000\nclick -10000000 10000000\n"
                               "down -10000000 -10000000\ndrag 10000000 -10000000\ndrag 10000000 -9999999\n"
                               "up 10000000 -9999999\n"
                               "down 0 0\ndrag 10000000 10000000\nup 10000000 10000000\n"
                               "down 9999999 0\ndrag -10000000 0\nup -10000000 0\n"
                               "svg " + (dir_ / "out.svg").string() + "\ndump " + (dir_ / "out.json").string() +
                               "\nquit\n",
                           &err);
      EXPECT_EQ(code, 0) << what << ": " << err;
      CheckOutputs(what);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
