#include "hostsim/PreferenceStore.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <nlohmann/json.hpp>

#include "TestSupport.h"

namespace {

using hostsim::PreferenceStore;
using hostsim::PrefPoint;
using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(PreferenceFile, EveryKindSurvivesSaveAndLoadAndRealsKeepEveryBit) {
  ScratchDir dir;
  const double reals[] = {static_cast<double>(0.24f), static_cast<double>(17.007874f), 0.1, -0.0,
                          std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                          static_cast<double>(std::numeric_limits<float>::lowest()), 1.0 / 3.0};
  PreferenceStore store;
  for (std::size_t i = 0; i < std::size(reals); ++i) {
    ASSERT_EQ(store.Put("KPXEtiquette", "R" + std::to_string(i), reals[i]), kNoErr);
  }
  store.Put("KPXEtiquette", "Min", std::numeric_limits<int32_t>::min());
  store.Put("KPXEtiquette", "Max", std::numeric_limits<int32_t>::max());
  store.Put("KPXEtiquette", "Son", true);
  store.Put("KPXEtiquette", "Calque", false);
  store.Put("KPXEtiquette", "Police", std::string("KPX\u2022\u00C9tiq \"quoted\""));
  store.Put("KPXEtiquette", "Empty", std::string());
  store.Put("KPXEtiquette", "PositionPalette", PrefPoint{-12, 345});
  store.Put("Other", "Son", 3);
  const auto file = dir / "preferences.json";
  ASSERT_FALSE(store.Save(file));

  PreferenceStore loaded;
  ASSERT_FALSE(loaded.Load(file));
  for (std::size_t i = 0; i < std::size(reals); ++i) {
    auto value = loaded.GetReal("KPXEtiquette", "R" + std::to_string(i));
    ASSERT_TRUE(value) << i;
    EXPECT_TRUE(SameBits(*value, reals[i])) << i << ": " << *value;
    // Narrowed back to the plug-in's float, the value is the one it stored.
    EXPECT_EQ(static_cast<float>(*value), static_cast<float>(reals[i]));
  }
  EXPECT_EQ(loaded.GetInteger("KPXEtiquette", "Min"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(loaded.GetInteger("KPXEtiquette", "Max"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(loaded.GetBoolean("KPXEtiquette", "Son"), true);
  EXPECT_EQ(loaded.GetBoolean("KPXEtiquette", "Calque"), false);
  EXPECT_EQ(loaded.GetString("KPXEtiquette", "Police"), "KPX\u2022\u00C9tiq \"quoted\"");
  EXPECT_EQ(loaded.GetString("KPXEtiquette", "Empty"), "");
  EXPECT_EQ(loaded.GetPoint("KPXEtiquette", "PositionPalette"), (PrefPoint{-12, 345}));
  EXPECT_EQ(loaded.GetInteger("Other", "Son"), 3);
  EXPECT_EQ(loaded.ToFileJson(), store.ToFileJson());
}

TEST(PreferenceFile, MissingKeysAndKeysOfAnotherTypeReadAsMissing) {
  PreferenceStore store;
  store.Put("KPXEtiquette", "Epaisseur", 0.5);
  EXPECT_FALSE(store.GetReal("KPXEtiquette", "Pointes"));
  EXPECT_FALSE(store.GetReal("Elsewhere", "Epaisseur"));
  EXPECT_FALSE(store.GetInteger("KPXEtiquette", "Epaisseur"));
  EXPECT_FALSE(store.GetBoolean("KPXEtiquette", "Epaisseur"));
  EXPECT_FALSE(store.GetString("KPXEtiquette", "Epaisseur"));
  EXPECT_FALSE(store.GetPoint("KPXEtiquette", "Epaisseur"));
}

TEST(PreferenceFile, KeysAreWrittenInOrderWhateverOrderTheyWereStoredIn) {
  PreferenceStore store;
  for (const char* key : {"Zoom", "Angle", "Marge", "Base", "Ypsilon"}) store.Put("KPXEtiquette", key, 1);
  store.Put("Autre", "Son", 2);
  const std::string text = store.ToFileJson().dump();
  std::size_t at = 0;
  for (const char* name : {"\"Autre\"", "\"Son\"", "\"KPXEtiquette\"", "\"Angle\"", "\"Base\"", "\"Marge\"", "\"Ypsilon\"", "\"Zoom\""}) {
    const std::size_t found = text.find(name, at);
    ASSERT_NE(found, std::string::npos) << name << " in order in " << text;
    at = found;
  }
}

TEST(PreferenceFile, AnErasedKeyIsGoneAndAnEmptiedSectionWithIt) {
  PreferenceStore store;
  store.Put("KPXEtiquette", "Angle", 30);
  store.Put("KPXEtiquette", "Marge", 2);
  EXPECT_FALSE(store.Erase("KPXEtiquette", "Absent"));
  EXPECT_FALSE(store.Erase("Ailleurs", "Angle"));
  EXPECT_TRUE(store.Erase("KPXEtiquette", "Angle"));
  EXPECT_FALSE(store.GetInteger("KPXEtiquette", "Angle"));
  EXPECT_EQ(store.GetInteger("KPXEtiquette", "Marge"), 2);
  EXPECT_FALSE(store.Erase("KPXEtiquette", "Angle")) << "already gone";
  EXPECT_TRUE(store.Erase("KPXEtiquette", "Marge"));
  EXPECT_FALSE(store.HasSection("KPXEtiquette"));
  EXPECT_TRUE(store.empty());
}

TEST(PreferenceFile, BadValuesInAGoodFileReadAsMissingAreReportedOnceAndKeptInTheFile) {
  ScratchDir dir;
  const auto file = dir / "preferences.json";
  WriteFile(file, R"({"format":1,"sections":{"KPXEtiquette":{
      "Pointes":{"real":100.0}, "Fleche":{"integer":1.5}, "Etiquette":{"integer":"2"},
      "Tolerance":{"integer":99999999999}, "Son":{"boolean":1}, "Police":{"string":7},
      "PositionPalette":{"point":[1]}, "Odd":{"colour":3}, "Both":{"real":1,"integer":1},
      "Calque":{"boolean":true}}, "Other":{"Taille":{"real":"150"}}}})");
  PreferenceStore store;
  const auto message = store.Load(file);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, "preference file " + file.string() +
                          ": KPXEtiquette/Both, KPXEtiquette/Etiquette, KPXEtiquette/Fleche, KPXEtiquette/Odd, "
                          "KPXEtiquette/Police and 4 more are not a value of the kind named; kept in the file as "
                          "written, read as missing");
  EXPECT_EQ(store.GetReal("KPXEtiquette", "Pointes"), 100.0);
  EXPECT_EQ(store.GetBoolean("KPXEtiquette", "Calque"), true);
  EXPECT_FALSE(store.GetReal("Other", "Taille"));
  EXPECT_EQ(store.KeyCount("KPXEtiquette"), 2u);

  // Saved, the entries the store could not read are written back as they were;
  // a key stored anew replaces its entry, an erased one is gone.
  ASSERT_EQ(store.Put("KPXEtiquette", "Fleche", int32_t{3}), kNoErr);
  store.Erase("KPXEtiquette", "Son");
  ASSERT_FALSE(store.Save(file));
  const auto saved = nlohmann::json::parse(ReadFile(file))["sections"];
  EXPECT_EQ(saved["Other"]["Taille"], (nlohmann::json{{"real", "150"}}));
  EXPECT_EQ(saved["KPXEtiquette"]["Etiquette"], (nlohmann::json{{"integer", "2"}}));
  EXPECT_EQ(saved["KPXEtiquette"]["Both"], (nlohmann::json{{"real", 1}, {"integer", 1}}));
  EXPECT_EQ(saved["KPXEtiquette"]["Fleche"], (nlohmann::json{{"integer", 3}}));
  EXPECT_FALSE(saved["KPXEtiquette"].contains("Son"));
  EXPECT_EQ(saved["KPXEtiquette"].size(), 9u);

  PreferenceStore again;
  const auto second = again.Load(file);
  ASSERT_TRUE(second);
  EXPECT_NE(second->find("PositionPalette and 2 more"), std::string::npos) << *second;  // Fleche and Son gone
  EXPECT_EQ(again.GetInteger("KPXEtiquette", "Fleche"), 3);
}

TEST(PreferenceFile, AFileThatIsNotJsonIsMovedAsideAndReported) {
  ScratchDir dir;
  const auto file = dir / "preferences.json";
  WriteFile(file, "{\"format\":1, \"sections\": {");
  PreferenceStore store;
  store.Put("Stale", "Key", 1);
  auto message = store.Load(file);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(file.string()), std::string::npos) << *message;
  EXPECT_NE(message->find("not valid JSON"), std::string::npos) << *message;
  EXPECT_NE(message->find("preferences.json.corrupt-1"), std::string::npos) << *message;
  EXPECT_TRUE(store.empty());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(ReadFile(dir / "preferences.json.corrupt-1"), "{\"format\":1, \"sections\": {");

  // A second bad file does not replace the first one kept aside.
  WriteFile(file, "[1,2,3]");
  message = store.Load(file);
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("corrupt-2"), std::string::npos) << *message;
  EXPECT_EQ(ReadFile(dir / "preferences.json.corrupt-1"), "{\"format\":1, \"sections\": {");
  EXPECT_EQ(ReadFile(dir / "preferences.json.corrupt-2"), "[1,2,3]");
}

TEST(PreferenceFile, AFileOfTheWrongShapeIsMovedAside) {
  ScratchDir dir;
  const auto file = dir / "preferences.json";
  for (const char* text : {R"({"sections":{}})", R"({"format":1,"sections":[]})",
                           R"({"format":1,"sections":{"KPXEtiquette":5}})", R"({"format":2,"sections":{}})"}) {
    WriteFile(file, text);
    PreferenceStore store;
    EXPECT_TRUE(store.Load(file)) << text;
    EXPECT_FALSE(std::filesystem::exists(file)) << text;
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "preferences.json.corrupt-4"));
}

TEST(PreferenceFile, SavingLeavesOnlyTheFinishedFileAndCreatesItsFolder) {
  ScratchDir dir;
  const auto file = dir / "config" / "kpxlabels" / "preferences.json";
  PreferenceStore store;
  store.Put("KPXEtiquette", "Son", true);
  ASSERT_FALSE(store.Save(file));
  store.Put("KPXEtiquette", "Son", false);
  ASSERT_FALSE(store.Save(file));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"preferences.json"});
  PreferenceStore loaded;
  ASSERT_FALSE(loaded.Load(file));
  EXPECT_EQ(loaded.GetBoolean("KPXEtiquette", "Son"), false);
}

TEST(PreferenceFile, AFailedSaveKeepsThePreviousFile) {
  ScratchDir dir;
  const auto file = dir / "preferences.json";
  PreferenceStore store;
  store.Put("KPXEtiquette", "Son", true);
  ASSERT_FALSE(store.Save(file));
  const std::string before = ReadFile(file);
  // The target is now a folder: the rename fails and the temporary file goes.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  WriteFile(file / "keep", "x");
  EXPECT_TRUE(store.Save(file));
  EXPECT_TRUE(std::filesystem::is_directory(file));
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST(PreferenceFile, NonFiniteRealsAndBadStringsAreRefusedAndNeverWritten) {
  ScratchDir dir;
  PreferenceStore store;
  EXPECT_EQ(store.Put("KPXEtiquette", "A", std::numeric_limits<double>::quiet_NaN()), kBadParameterErr);
  EXPECT_EQ(store.Put("KPXEtiquette", "B", std::numeric_limits<double>::infinity()), kBadParameterErr);
  EXPECT_EQ(store.Put("KPXEtiquette", "C", -std::numeric_limits<double>::infinity()), kBadParameterErr);
  EXPECT_EQ(store.Put("KPXEtiquette", "D", std::string("\xFF\xFE")), kBadParameterErr);
  EXPECT_EQ(store.Put("KPXEtiquette", "", 1), kBadParameterErr);
  store.Put("KPXEtiquette", "A", 2.0);
  EXPECT_EQ(store.Put("KPXEtiquette", "A", std::numeric_limits<double>::quiet_NaN()), kBadParameterErr);
  EXPECT_EQ(store.GetReal("KPXEtiquette", "A"), 2.0);
  ASSERT_FALSE(store.Save(dir / "p.json"));
  EXPECT_EQ(ReadFile(dir / "p.json").find("null"), std::string::npos);
}

TEST(PreferenceFile, TheDefaultLocationFollowsTheXdgConfigFolder) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = savedXdg != nullptr ? savedXdg : "";
  setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
  EXPECT_EQ(PreferenceStore::DefaultFile(), "/tmp/xdg-here/kpxlabels/preferences.json");
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(PreferenceStore::DefaultFile(),
            std::filesystem::path(std::getenv("HOME")) / ".config/kpxlabels/preferences.json");
  if (savedXdg != nullptr) {
    setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
