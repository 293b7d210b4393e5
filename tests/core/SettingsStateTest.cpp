#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "InProcessCore.h"
#include "core/FixedText.h"

namespace {

// Reals the host's store cannot hold (it refuses non-finite values) are
// handed to the plug-in by a preference suite that answers some keys itself.
std::map<std::string, double> gForcedReals;
const AIPreferenceSuite* gHostPrefs = nullptr;
AIPreferenceSuite gTappedPrefs;

AIErr TappedGetReal(const char* section, const char* key, double* value) {
  if (auto it = gForcedReals.find(key); it != gForcedReals.end()) {
    *value = it->second;
    return kNoErr;
  }
  return gHostPrefs->GetRealPreference(section, key, value);
}

void ForceRealReads(std::map<std::string, double> reals) {
  gForcedReals = std::move(reals);
  gHostPrefs = sAIPreference.get();
  gTappedPrefs = *gHostPrefs;
  gTappedPrefs.GetRealPreference = TappedGetReal;
  sAIPreference.slot = &gTappedPrefs;
}

// A host whose only font has a 300-character name.
AIErr LongFontIndex(int32_t, AIFontKey* key) {
  *key = reinterpret_cast<AIFontKey>(1);
  return kNoErr;
}
AIErr LongFontName(AIFontKey, char* name, int16_t maxName) {
  const std::string full(300, 'W');
  CopyText(name, static_cast<std::size_t>(maxName), full.c_str());
  return kNoErr;
}
AIFontSuite gLongFontSuite;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using SettingsState = InProcessCoreTest;

}  // namespace

TEST_F(SettingsState, ASecondStartReadsBackExactlyWhatTheFirstWrote) {
  ASSERT_EQ(WriteDefaultSettings(), kNoErr);
  const State first = g();
  ASSERT_TRUE(SameSettings(first, DefaultState())) << "a first start left a setting other than its default";
  Restart();
  EXPECT_FALSE(IsFirstStart());
  ReadAllSettings();
  EXPECT_TRUE(SameSettings(g(), first)) << "a setting changed through the preference file";
  EXPECT_EQ(std::memcmp(&g().HeadPoints, &first.HeadPoints, sizeof(HeadOutline)), 0);
  EXPECT_STREQ(g().CurrentFreeText, "Face");
  EXPECT_EQ(g().FreeTextLength, 4);
  EXPECT_EQ(g().ArrowsOn, 1);
}

// The block's earlier contents never show through: with nothing stored,
// every setting reads as its default.
TEST_F(SettingsState, SettingsNotStoredReadAsTheirDefaultsWhateverTheBlockHeld) {
  std::memset(reinterpret_cast<unsigned char*>(&g()) + offsetof(State, Etiquette), 0x5A, kSettingsSize);
  ReadAllSettings();
  ExpectSameSettingValues(g(), DefaultState());
}

TEST_F(SettingsState, AFailedStoreStopsTheWriteButEverySettingKeepsItsDefault) {
  host().faults().Add(hostsim::FailedStore(keys::Pointes));
  EXPECT_EQ(WriteDefaultSettings(), kInjectedFailureErr);
  EXPECT_TRUE(Stored(keys::OutilsGroupe));
  EXPECT_FALSE(Stored(keys::Epaisseur));
  const State expected = DefaultState();
  EXPECT_TRUE(SameSettings(g(), expected));
  EXPECT_EQ(g().Corps, 12.0f);
  EXPECT_STREQ(g().TexteLibre[4], "Avant");
  EXPECT_EQ(g().HeadPoints.count, 6) << "kind 1's outline is in force";
  EXPECT_STREQ(g().CurrentFreeText, "Face");
}

TEST_F(SettingsState, OnlyTheListedStoresStopTheWrite) {
  const char* const stopping[] = {"Pointes", "Epaisseur", "Attaches", "Fleche", "Etiquette", "DecalageVerti",
                                  "DecalageHoriz", "RayonArrondi", "Son", "InterieurObjet", "ClicDansVide",
                                  "RougeGrisC", "VertC", "BleuC", "RougeGrisF", "VertF", "BleuF",
                                  "DecalageHorizTexte", "DecalageVertiTexte", "Magnetisme", "Calque", "FouP"};
  const char* const ignored[] = {"OutilsGroupe", "NbPtsFlEdit", "FouOEdit", "CouPEdit", "SymetriEdit",
                                 "DebEditSegX", "DebEditSegY", "PtINOUTEditOY3", "AnglePointe1", "AnglePointe2",
                                 "FlecheCreuse", "RVBC", "Fond", "RVBF", "Tolerance", "kADM_DPVisibleStr",
                                 "TaillePalette", "Police", "Corps", "VariablePolice", "TexteLibre1",
                                 "TexteLibre2", "TexteLibre3", "TexteLibre4", "TexteLibre5", "NbPtsArrondiEdit",
                                 "SymetrieArrondiEdit", "CoinHG", "CoinBG", "CoinBD", "CoinHD", "ArINOUTEditIX4"};
  const std::string lastKey = "ArINOUTEditOY9";
  for (const char* key : stopping) {
    StartHost(false);
    host().faults().Add(hostsim::FailedStore(key));
    EXPECT_NE(WriteDefaultSettings(), kNoErr) << key;
    EXPECT_FALSE(Stored(lastKey)) << "the write went on after " << key;
  }
  for (const char* key : ignored) {
    StartHost(false);
    host().faults().Add(hostsim::FailedStore(key));
    EXPECT_EQ(WriteDefaultSettings(), kNoErr) << key;
    EXPECT_TRUE(Stored(lastKey)) << "the write stopped at " << key;
  }
}

TEST_F(SettingsState, ValuesOutOfRangeLeaveTheirSettingAsItWas) {
  Put(keys::Etiquette, int32_t{4});
  Put(keys::Fleche, int32_t{5});
  Put(keys::DecalageHorizTexte, 1e12);
  Put(keys::VariablePolice, int32_t{300});
  Put(keys::Tolerance, int32_t{70000});  // would wrap in 16 bits
  ReadAllSettings();
  EXPECT_EQ(g().Tolerance, 8);
  EXPECT_EQ(g().Etiquette, 1);
  EXPECT_EQ(g().Fleche, 1);
  EXPECT_EQ(g().HeadPoints.count, 6);
  EXPECT_EQ(g().DecalageHorizTexte, 8);
  EXPECT_EQ(g().VariablePolice, 0);

  Put(keys::Etiquette, int32_t{3});
  Put(keys::Fleche, int32_t{3});
  ReadAllSettings();
  EXPECT_EQ(g().Etiquette, 3);
  EXPECT_EQ(g().Fleche, 3);
  EXPECT_EQ(g().HeadPoints.count, 3) << "the triangle's outline is in force";
}

TEST_F(SettingsState, StoredValuesThePanelAndDialogsCannotGiveKeepTheirDefaults) {
  Put(keys::Pointes, -5.0);
  Put(keys::Epaisseur, -0.1);
  Put(keys::Corps, 3.4e38);  // a float, but the label's box and the drawing's size would overflow
  Put(keys::AnglePointe1, 90.5);
  Put(keys::AnglePointe2, -1.0);
  Put(keys::RougeGrisF, 256.0);
  Put(keys::BleuC, 300.0);
  ReadAllSettings();
  EXPECT_EQ(g().Pointes, 100.0f);
  EXPECT_EQ(g().Epaisseur, 0.24f);
  EXPECT_EQ(g().Corps, 12.0f);
  EXPECT_EQ(g().AnglePointe1, 17.0f);
  EXPECT_EQ(g().AnglePointe2, 17.0f);
  EXPECT_EQ(g().RougeGrisF, 100.0f);
  EXPECT_EQ(g().BleuC, 0.0f) << "kept, not clamped to 255";

  for (double size : {0.0, -3.0, 0.05, 1296.5}) {
    Put(keys::Corps, size);
    ReadAllSettings();
    EXPECT_EQ(g().Corps, 12.0f) << size;
  }

  // The ends of the ranges are taken.
  Put(keys::Pointes, 0.0);
  Put(keys::Epaisseur, 0.0);
  Put(keys::Corps, 0.1);
  Put(keys::AnglePointe1, 90.0);
  Put(keys::AnglePointe2, 0.0);
  Put(keys::RougeGrisF, 255.0);
  ReadAllSettings();
  EXPECT_EQ(g().Pointes, 0.0f);
  EXPECT_EQ(g().Epaisseur, 0.0f);
  EXPECT_EQ(g().Corps, 0.1f);
  EXPECT_EQ(g().AnglePointe1, 90.0f);
  EXPECT_EQ(g().AnglePointe2, 0.0f);
  EXPECT_EQ(g().RougeGrisF, 255.0f);
  Put(keys::Corps, 1296.0);
  ReadAllSettings();
  EXPECT_EQ(g().Corps, 1296.0f);
}

TEST_F(SettingsState, ASectionHoldingOnlyOtherKeysIsNotAFirstStart) {
  EXPECT_TRUE(IsFirstStart()) << "nothing stored";

  Put(keys::Son, false);
  EXPECT_FALSE(IsFirstStart());
  LoadSettingsAtStart();
  EXPECT_EQ(g().Son, 0);
  EXPECT_EQ(prefs().GetBoolean(kSettingsSection, keys::Son), false) << "overwritten by the defaults";
  EXPECT_FALSE(Stored(keys::Pointes)) << "the first-start write ran";

  StartHost(false);
  Put(keys::Corps, 20.0);
  Put(keys::OutilsGroupe, true);
  LoadSettingsAtStart();
  EXPECT_EQ(g().Corps, 20.0f);
  EXPECT_EQ(g().OutilsGroupe, 1);
  EXPECT_EQ(prefs().GetReal(kSettingsSection, keys::Corps), 20.0);

  StartHost(false);
  Put(keys::TexteLibre[2], std::string("Haut"));
  LoadSettingsAtStart();
  EXPECT_STREQ(g().TexteLibre[2], "Haut");

  StartHost(false);
  Put(keys::TaillePalette, int32_t{2});  // the panel's own key
  EXPECT_FALSE(IsFirstStart());
  LoadSettingsAtStart();
  EXPECT_EQ(prefs().GetInteger(kSettingsSection, keys::TaillePalette), 2);
}

TEST_F(SettingsState, TextGapIsTruncatedTowardZero) {
  for (auto [stored, read] : {std::pair{7.9, 7}, {-7.9, -7}, {0.5, 0}}) {
    Put(keys::DecalageHorizTexte, stored);
    ReadAllSettings();
    EXPECT_EQ(g().DecalageHorizTexte, read) << stored;
  }
}

TEST_F(SettingsState, NonFiniteRealsFallBackToTheirDefaults) {
  WriteDefaultSettings();
  ForceRealReads({{"Epaisseur", kNaN}, {"Corps", kInf}, {"Pointes", 1e300}, {"PtFlEditX2", kNaN}});
  Put(keys::NbPtsFlEdit, int32_t{7});
  ReadAllSettings();
  EXPECT_EQ(g().Epaisseur, 0.24f);
  EXPECT_EQ(g().Corps, 12.0f);
  EXPECT_EQ(g().Pointes, 100.0f);
  EXPECT_EQ(g().NbPtsFlEdit, 6) << "a list with an unusable coordinate is replaced by the default list";
  EXPECT_EQ(g().PtFlEdit.X[2], 13.0f);
  EXPECT_EQ(std::get<int32_t>(*prefs().Find(kSettingsSection, keys::NbPtsFlEdit)), 6);
}

TEST_F(SettingsState, UnusablePointCountsGiveTheEditorsDefaultLists) {
  for (int32_t count : {25, 1, -3, 0, 256}) {
    Put(keys::NbPtsFlEdit, count);
    Put(keys::NbPtsArrondiEdit, count);
    Put("PtFlEditX1", 100.0);
    ReadAllSettings();
    EXPECT_EQ(g().NbPtsFlEdit, 6) << count;
    EXPECT_EQ(g().PtFlEdit.X[1], 11.0f) << count;
    EXPECT_EQ(g().NbPtsArrondiEdit, 2) << count;
    EXPECT_TRUE(std::isfinite(g().HeadPoints.X[5]));
  }
  Put(keys::NbPtsFlEdit, int32_t{256 + 7});  // the count's low 8 bits are used
  ReadAllSettings();
  EXPECT_EQ(g().NbPtsFlEdit, 7);
}

TEST_F(SettingsState, PointListsAreReadInBlocksOfTen) {
  for (int i = 0; i < 25; ++i) {
    const std::string n = std::to_string(i);
    Put("PtFlEditX" + n, 6.0 + i);
    Put("PtINOUTEditOY" + n, 6.0 - i);
  }
  Put(keys::NbPtsFlEdit, int32_t{9});
  ReadAllSettings();
  EXPECT_EQ(g().PtFlEdit.X[9], 9.0f) << "the whole first block is read";
  EXPECT_EQ(g().PtFlEdit.X[10], 0.0f) << "the second block is not read below a count of 10";

  Put(keys::NbPtsFlEdit, int32_t{10});
  ReadAllSettings();
  EXPECT_EQ(g().PtFlEdit.X[19], 19.0f);

  Put(keys::NbPtsFlEdit, int32_t{20});
  ReadAllSettings();
  EXPECT_EQ(g().PtFlEdit.X[19], 19.0f);
  EXPECT_EQ(g().PtFlEdit.OY[19], -19.0f);
}

TEST_F(SettingsState, PointListsAreStoredInBlocksOfTen) {
  g().NbPtsFlEdit = 9;
  StoreArrowheadPoints();
  EXPECT_TRUE(Stored("PtINOUTEditOY9"));
  EXPECT_FALSE(Stored("PtFlEditX10"));
  g().NbPtsFlEdit = 20;
  g().PtFlEdit.IY[19] = -1.5f;
  StoreArrowheadPoints();
  EXPECT_EQ(prefs().GetReal(kSettingsSection, "PtINOUTEditIY19"), 4.5);
  EXPECT_FALSE(Stored("PtFlEditX20"));
  // A failed store is reported, and the stores after it go on; the editors'
  // default writes report it too.
  for (const char* key : {"FouOEdit", "PtFlEditX2"}) {
    StartHost(false);
    host().faults().Add(hostsim::FailedStore(key));
    EXPECT_EQ(WriteArrowheadDefaults(), kInjectedFailureErr) << key;
    EXPECT_TRUE(Stored("PtINOUTEditOY9")) << key;
  }
  for (const char* key : {"CoinBD", "ArINOUTEditOY1"}) {
    StartHost(false);
    host().faults().Add(hostsim::FailedStore(key));
    EXPECT_EQ(WriteCornerDefaults(), kInjectedFailureErr) << key;
    EXPECT_TRUE(Stored("ArINOUTEditOY9")) << key;
  }
  for (const char* key : {"PtFlEditY3", "PtINOUTEditIX4", "PtINOUTEditOY5"}) {
    StartHost(false);
    g().NbPtsFlEdit = 6;
    host().faults().Add(hostsim::FailedStore(key));
    EXPECT_EQ(StoreArrowheadPoints(), kInjectedFailureErr) << key;
    EXPECT_TRUE(Stored("PtINOUTEditOY9")) << key;
  }
}

TEST_F(SettingsState, EmptyFreeTextsFallBackAndOverlongTextsAreCut) {
  Put(keys::TexteLibre[0], std::string());
  Put(keys::TexteLibre[1], std::string(80, 'x'));
  Put(keys::TexteLibre[2], std::string());
  Put(keys::Police, std::string(300, 'p'));
  ReadAllSettings();
  EXPECT_STREQ(g().TexteLibre[0], "Face");
  EXPECT_STREQ(g().CurrentFreeText, "Face");
  EXPECT_EQ(g().FreeTextLength, 4);
  EXPECT_EQ(std::string(g().TexteLibre[1]), std::string(50, 'x'));
  EXPECT_STREQ(g().TexteLibre[2], "Dessus");
  EXPECT_EQ(std::string(g().Police), std::string(255, 'p'));
}

TEST_F(SettingsState, TheShapeEditorsSymmetricFlagWins) {
  Put(keys::SymetriEdit, true);
  Put(keys::SymetrieArrondiEdit, false);
  ReadAllSettings();
  EXPECT_EQ(g().SymetriEdit, 0);
  Put(keys::SymetriEdit, false);
  Put(keys::SymetrieArrondiEdit, true);
  ReadAllSettings();
  EXPECT_EQ(g().SymetriEdit, 1);
}

TEST_F(SettingsState, ALongFontNameIsKeptToItsFirst255Characters) {
  gLongFontSuite = *sAIFont.get();
  gLongFontSuite.IndexFontList = LongFontIndex;
  gLongFontSuite.GetFullFontName = LongFontName;
  sAIFont.slot = &gLongFontSuite;
  WriteDefaultSettings();
  EXPECT_EQ(std::string(g().Police), std::string(255, 'W'));
  EXPECT_EQ(prefs().GetString(kSettingsSection, keys::Police), std::string(255, 'W'));
}
