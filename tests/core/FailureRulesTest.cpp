// The plug-in's rules for host calls that fail, with the real library and
// the host's fault injector: which failed store ends the first start's write
// of the settings, and what a suite the host cannot give does to a message.
#include <set>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "host/AllSuites.h"
#include "hostsim/HostSuites.h"
#include "hostsim/UserActions.h"

namespace {

using hostsim::FaultRule;

// Every key the first start stores, in the order it stores them.
std::vector<std::string> FirstStartOrder() {
  std::vector<std::string> keys = {"OutilsGroupe", "Pointes", "Epaisseur", "Attaches", "Fleche", "Etiquette",
                                   "NbPtsFlEdit", "FouOEdit", "CouPEdit", "SymetriEdit", "DebEditSegX",
                                   "DebEditSegY"};
  const auto points = [&](const char* anchor, const char* tangent) {
    for (const char* axes : {"", "I", "O"}) {
      for (int i = 0; i < 10; ++i) {
        const std::string base = *axes == '\0' ? std::string(anchor) : std::string(tangent) + axes;
        keys.push_back(base + "X" + std::to_string(i));
        keys.push_back(base + "Y" + std::to_string(i));
      }
    }
  };
  points("PtFlEdit", "PtINOUTEdit");
  for (const char* key : {"DecalageVerti", "DecalageHoriz", "RayonArrondi", "Son", "InterieurObjet", "ClicDansVide",
                          "AnglePointe1", "AnglePointe2", "FlecheCreuse", "RVBC", "RougeGrisC", "VertC", "BleuC",
                          "Fond", "RVBF", "RougeGrisF", "VertF", "BleuF", "DecalageHorizTexte",
                          "DecalageVertiTexte", "Magnetisme", "Tolerance", "Calque", "FouP", "kADM_DPVisibleStr",
                          "TaillePalette", "Police", "Corps", "VariablePolice", "TexteLibre1", "TexteLibre2",
                          "TexteLibre3", "TexteLibre4", "TexteLibre5", "NbPtsArrondiEdit", "SymetrieArrondiEdit",
                          "CoinHG", "CoinBG", "CoinBD", "CoinHD"}) {
    keys.push_back(key);
  }
  points("PtArEdit", "ArINOUTEdit");
  return keys;
}

// The stores whose failure ends the write.
const char* const kStopKeys[] = {"Pointes", "Epaisseur", "Attaches", "Fleche", "Etiquette", "DecalageVerti",
                                 "DecalageHoriz", "RayonArrondi", "Son", "InterieurObjet", "ClicDansVide",
                                 "RougeGrisC", "VertC", "BleuC", "RougeGrisF", "VertF", "BleuF",
                                 "DecalageHorizTexte", "DecalageVertiTexte", "Magnetisme", "Calque", "FouP"};

// Stores whose failure the write ignores: every other setting, and point keys
// at both ends of each list.
const char* const kIgnoredKeys[] = {
    "OutilsGroupe", "NbPtsFlEdit", "FouOEdit", "CouPEdit", "SymetriEdit", "DebEditSegX", "DebEditSegY",
    "PtFlEditX0", "PtINOUTEditOY9", "AnglePointe1", "AnglePointe2", "FlecheCreuse", "RVBC", "Fond", "RVBF",
    "Tolerance", "kADM_DPVisibleStr", "TaillePalette", "Police", "Corps", "VariablePolice", "TexteLibre1",
    "TexteLibre5", "NbPtsArrondiEdit", "SymetrieArrondiEdit", "CoinHG", "CoinHD", "PtArEditX0", "ArINOUTEditOY9"};

class FailureRules : public PluginHostTest {
 protected:
  // Keys of the section the host holds now.
  std::set<std::string> StoredKeys() {
    std::set<std::string> keys;
    const auto dump = prefs().Dump();
    if (dump.contains(kSection)) {
      for (const auto& [key, value] : dump[kSection].items()) keys.insert(key);
    }
    return keys;
  }

  // The keys a first start stores before `key`.
  static std::set<std::string> KeysBefore(const std::string& key) {
    std::set<std::string> before;
    for (const std::string& k : FirstStartOrder()) {
      if (k == key) break;
      before.insert(k);
    }
    return before;
  }

  // A host over no preference file: the plug-in's first start.
  hostsim::Host& FreshHost() {
    CloseHost();
    std::filesystem::remove(PrefsFile());
    return OpenHost();
  }

  // A first start with the rule in force; the tool must be registered whatever fails.
  void FirstStartFailing(const FaultRule& rule) {
    auto& h = FreshHost();
    h.faults().Add(rule);
    ASSERT_EQ(h.Launch(), kNoErr) << rule.detail;
    EXPECT_NE(h.tools().PluginTool(), nullptr) << "no tool after a failed store of " << rule.detail;
  }

  std::vector<std::string> Alerts() {
    std::vector<std::string> texts;
    for (const auto& alert : host().events().OfType("alert")) texts.push_back(alert["text"]);
    return texts;
  }
};

}  // namespace

// --- The first start's write -------------------------------------------------------

TEST_F(FailureRules, AFailedStoreOfAStopKeyEndsTheWriteThere) {
  for (const char* key : kStopKeys) {
    FirstStartFailing(hostsim::FailedStore(key));
    EXPECT_EQ(StoredKeys(), KeysBefore(key)) << "after a failed store of " << key;
  }
}

TEST_F(FailureRules, AFailedStoreOfAnyOtherKeyLosesThatKeyAlone) {
  std::set<std::string> all;
  for (const std::string& k : FirstStartOrder()) all.insert(k);
  ASSERT_EQ(all.size(), FirstStartOrder().size());
  for (const char* key : kIgnoredKeys) {
    ASSERT_EQ(all.count(key), 1u) << key;
    FirstStartFailing(hostsim::FailedStore(key));
    std::set<std::string> expected = all;
    expected.erase(key);
    EXPECT_EQ(StoredKeys(), expected) << "after a failed store of " << key;
  }
}

TEST_F(FailureRules, TheSecondRealStoredIsTheLineWidthAndItsFailureEndsTheWrite) {
  FirstStartFailing(FaultRule::Of(kAIPreferenceSuite, "PutRealPreference").At(2));
  EXPECT_EQ(StoredKeys(), (std::set<std::string>{"OutilsGroupe", "Pointes"}));
}

TEST_F(FailureRules, AStoreThatFailsWithAnyCodeStopsTheWriteAlike) {
  FirstStartFailing(hostsim::FailedStore("Calque").WithCode(kCantHappenErr));
  EXPECT_EQ(StoredKeys(), KeysBefore("Calque"));
}

// --- A suite the host cannot give ------------------------------------------------------

TEST_F(FailureRules, AMissingSuiteIsReportedOnceAndNoHandlerEverRuns) {
  struct Missing {
    const char* name;
    int32_t version;
  };
  for (const Missing m : {Missing{kADMDialogSuite, 10}, {kAIPreferenceSuite, 4}, {kAILayerSuite, 9},
                          {kATETextRangeSuite, 1}, {kATECharFeaturesSuite, 101}, {"ATE WordsIterator Suite", 1}}) {
    auto& h = FreshHost();
    h.faults().Add(hostsim::MissingSuite(m.name));
    EXPECT_EQ(h.Launch(), kSPSuiteNotFoundError) << m.name;
    EXPECT_EQ(hostsim::UserActions(h).ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1")).status,
              hostsim::ActionStatus::NoMenuEntry)
        << "a menu item was registered without " << m.name;
    EXPECT_EQ(h.SendInterface("Another selector"), kSPSuiteNotFoundError) << m.name;
    EXPECT_EQ(Alerts(), std::vector<std::string>{"Error: 1394689636, suite: " + std::string(m.name) +
                                                  ", version: " + std::to_string(m.version) + "!"});
    EXPECT_EQ(h.tools().PluginTool(), nullptr) << m.name;
    EXPECT_TRUE(StoredKeys().empty()) << "settings were written without " << m.name;
  }
}

TEST_F(FailureRules, TheSecondAcquisitionOfASuiteHeldTwiceIsReportedWithItsCode) {
  auto& h = OpenHost();
  h.faults().Add(
      FaultRule::Of(hostsim::kBasicSuiteName, "AcquireSuite").About(kADMTrackerSuite).At(2).WithCode(kCantHappenErr));
  EXPECT_NE(h.Launch(), kNoErr);
  EXPECT_EQ(Alerts(), std::vector<std::string>{"Error: 1128353364, suite: ADM Tracker Suite, version: 2!"});
  EXPECT_EQ(h.tools().PluginTool(), nullptr);
  EXPECT_TRUE(StoredKeys().empty());
}
