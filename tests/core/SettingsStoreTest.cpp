#include <string>
#include <utility>
#include <vector>

#include "PluginHost.h"

namespace {

using SettingsStore = PluginHostTest;
using hostsim::PrefValue;

// Every setting a first start stores, with its default as the store holds it
// (reals are the single-precision defaults widened).
std::vector<std::pair<std::string, PrefValue>> FirstStartValues() {
  std::vector<std::pair<std::string, PrefValue>> v = {
      {"OutilsGroupe", false}, {"Pointes", 100.0}, {"Epaisseur", double{0.24f}},
      {"Attaches", double{17.007874f}}, {"Fleche", int32_t{1}}, {"Etiquette", int32_t{1}},
      {"NbPtsFlEdit", int32_t{6}}, {"FouOEdit", true}, {"CouPEdit", false}, {"SymetriEdit", false},
      {"DebEditSegX", 2.0}, {"DebEditSegY", 0.0}, {"DecalageVerti", 0.0}, {"DecalageHoriz", 0.0},
      {"RayonArrondi", 0.0}, {"Son", true}, {"InterieurObjet", true}, {"ClicDansVide", true},
      {"AnglePointe1", 17.0}, {"AnglePointe2", 17.0}, {"FlecheCreuse", true}, {"RVBC", false},
      {"RougeGrisC", 100.0}, {"VertC", 0.0}, {"BleuC", 0.0}, {"Fond", false}, {"RVBF", false},
      {"RougeGrisF", 100.0}, {"VertF", 0.0}, {"BleuF", 0.0}, {"DecalageHorizTexte", 8.0},
      {"DecalageVertiTexte", 8.0}, {"Magnetisme", true}, {"Tolerance", int32_t{8}}, {"Calque", false},
      {"FouP", true}, {"kADM_DPVisibleStr", true}, {"TaillePalette", int32_t{1}}, {"Corps", 12.0},
      {"VariablePolice", int32_t{0}}, {"TexteLibre1", std::string("Face")},
      {"TexteLibre2", std::string("Profil")}, {"TexteLibre3", std::string("Dessus")},
      {"TexteLibre4", std::string("Dessous")}, {"TexteLibre5", std::string("Avant")},
      {"NbPtsArrondiEdit", int32_t{2}}, {"SymetrieArrondiEdit", false}, {"CoinHG", true},
      {"CoinBG", true}, {"CoinBD", true}, {"CoinHD", true}};

  // Point lists: value + 6, ten entries each, entries beyond the count zero.
  const float arrow[10][6] = {{0, 0, 0, 0, 0, 0},
                              {11, -4.5f, 14.6f, -5.8f, 11, -4.5f},
                              {13, -2, 10.7f, -1.4f, 15.25f, -2.55f},
                              {2, 0, 2, 0, 2, 0},
                              {13, 2, 15.25f, 2.55f, 10.7f, 1.4f},
                              {11, 4.5f, 11, 4.5f, 14.6f, 5.8f}};
  const float corner[10][6] = {{12, 0, 12, 0, 12, 0}, {0, 12, 0, 12, 0, 12}};
  const char* arrowKeys[6] = {"PtFlEditX", "PtFlEditY", "PtINOUTEditIX", "PtINOUTEditIY", "PtINOUTEditOX",
                              "PtINOUTEditOY"};
  const char* cornerKeys[6] = {"PtArEditX", "PtArEditY", "ArINOUTEditIX", "ArINOUTEditIY", "ArINOUTEditOX",
                               "ArINOUTEditOY"};
  for (int i = 0; i < 10; ++i) {
    for (int c = 0; c < 6; ++c) {
      v.push_back({arrowKeys[c] + std::to_string(i), double{arrow[i][c]} + 6.0});
      v.push_back({cornerKeys[c] + std::to_string(i), double{corner[i][c]} + 6.0});
    }
  }
  return v;
}

}  // namespace

TEST_F(SettingsStore, AFirstStartStoresEveryKeyWithItsDefault) {
  FirstStart();
  hostsim::PreferenceStore saved;
  ASSERT_FALSE(saved.Load(PrefsFile()).has_value());
  for (const auto& [key, value] : FirstStartValues()) {
    const PrefValue* stored = saved.Find(kSection, key);
    ASSERT_NE(stored, nullptr) << key << " was not stored";
    EXPECT_TRUE(*stored == value) << key << " holds " << saved.Dump()[kSection][key];
  }
  EXPECT_EQ(saved.Find(kSection, "PtFlEditX10"), nullptr) << "only the first block of ten is stored";
  auto police = saved.GetString(kSection, "Police");
  ASSERT_TRUE(police.has_value());
  EXPECT_FALSE(police->empty());
}

TEST_F(SettingsStore, ALaterStartReadsWithoutWritingAnySetting) {
  FirstStart();
  auto& h = OpenHost();
  const nlohmann::json before = h.prefs().Dump()[kSection];
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(h.prefs().storeCount(), 0) << "the settings were written again";
  EXPECT_EQ(h.prefs().Dump()[kSection], before);
}

TEST_F(SettingsStore, AFailedStoreStopsTheWriteButNotTheStartUp) {
  auto& h = OpenHost();
  h.faults().Add(hostsim::FailedStore("Attaches"));
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_NE(Pref("Epaisseur"), nullptr);
  EXPECT_EQ(Pref("Fleche"), nullptr);
  EXPECT_EQ(Pref("Police"), nullptr);
  EXPECT_NE(h.tools().PluginTool(), nullptr) << "the tool is registered all the same";
}

TEST_F(SettingsStore, BrokenPointListsAreReplacedByTheEditorsDefaults) {
  FirstStart();
  auto& h = OpenHost();
  h.prefs().Put(kSection, "NbPtsFlEdit", int32_t{25});
  h.prefs().Put(kSection, "PtFlEditX1", 99.0);
  h.prefs().Put(kSection, "NbPtsArrondiEdit", int32_t{3});
  h.prefs().Put(kSection, "ArINOUTEditOY1", 1e300);  // no float can hold it
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(h.prefs().GetInteger(kSection, "NbPtsFlEdit"), 6);
  EXPECT_EQ(h.prefs().GetReal(kSection, "PtFlEditX1"), 17.0);
  EXPECT_EQ(h.prefs().GetInteger(kSection, "NbPtsArrondiEdit"), 2);
  EXPECT_EQ(h.prefs().GetReal(kSection, "ArINOUTEditOY1"), 18.0);
}

TEST_F(SettingsStore, ASettingStoredAloneSurvivesTheStart) {
  auto& h = OpenHost();
  h.prefs().Put(kSection, "Son", false);
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(h.prefs().GetBoolean(kSection, "Son"), false);
  EXPECT_EQ(Pref("Pointes"), nullptr) << "the start was taken for a first start";
}
