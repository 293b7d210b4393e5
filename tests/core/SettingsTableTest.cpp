// The settings table: the order in which the first start stores the settings
// and a later start reads them, checked against lists written out by hand,
// and the stores, reads and lookups by setting that the dialogs will use.
#include <cmath>
#include <string>
#include <vector>

#include "InProcessCore.h"
#include "core/FixedText.h"

namespace {

// A preference suite that notes every key stored or read, then passes the
// call on to the host's own.
std::vector<std::string> gStores;
std::vector<std::string> gReads;
const AIPreferenceSuite* gHostPrefs = nullptr;
AIPreferenceSuite gRecordingPrefs;

AIErr PutBoolean(const char* s, const char* k, ASBoolean v) {
  gStores.emplace_back(k);
  return gHostPrefs->PutBooleanPreference(s, k, v);
}
AIErr PutInteger(const char* s, const char* k, int32_t v) {
  gStores.emplace_back(k);
  return gHostPrefs->PutIntegerPreference(s, k, v);
}
AIErr PutReal(const char* s, const char* k, double v) {
  gStores.emplace_back(k);
  return gHostPrefs->PutRealPreference(s, k, v);
}
AIErr PutString(const char* s, const char* k, const char* v) {
  gStores.emplace_back(k);
  return gHostPrefs->PutStringPreference(s, k, v);
}
AIErr PutPoint(const char* s, const char* k, const AIPoint* v) {
  gStores.emplace_back(k);
  return gHostPrefs->PutPointPreference(s, k, v);
}
AIErr GetBoolean(const char* s, const char* k, ASBoolean* v) {
  gReads.emplace_back(k);
  return gHostPrefs->GetBooleanPreference(s, k, v);
}
AIErr GetInteger(const char* s, const char* k, int32_t* v) {
  gReads.emplace_back(k);
  return gHostPrefs->GetIntegerPreference(s, k, v);
}
AIErr GetReal(const char* s, const char* k, double* v) {
  gReads.emplace_back(k);
  return gHostPrefs->GetRealPreference(s, k, v);
}
AIErr GetString(const char* s, const char* k, char* v, int32_t size) {
  gReads.emplace_back(k);
  return gHostPrefs->GetStringPreference(s, k, v, size);
}
AIErr GetPoint(const char* s, const char* k, AIPoint* v) {
  gReads.emplace_back(k);
  return gHostPrefs->GetPointPreference(s, k, v);
}

void RecordPreferenceCalls() {
  gStores.clear();
  gReads.clear();
  gHostPrefs = sAIPreference.get();
  gRecordingPrefs = {GetBoolean, PutBoolean, GetInteger, PutInteger, GetReal,
                     PutReal,    GetString,  PutString,  GetPoint,   PutPoint};
  sAIPreference.slot = &gRecordingPrefs;
}

// Keys of the first block of ten of a point list: anchors (X, Y), then the
// I tangent points (IX, IY), then the O tangent points (OX, OY).
void AppendPointKeys(std::vector<std::string>& keys, const std::string& anchor, const std::string& tangent) {
  for (int i = 0; i < 10; ++i) {
    keys.push_back(anchor + "X" + std::to_string(i));
    keys.push_back(anchor + "Y" + std::to_string(i));
  }
  for (const std::string side : {"I", "O"}) {
    for (int i = 0; i < 10; ++i) {
      keys.push_back(tangent + side + "X" + std::to_string(i));
      keys.push_back(tangent + side + "Y" + std::to_string(i));
    }
  }
}

void Append(std::vector<std::string>& keys, std::initializer_list<const char*> more) {
  keys.insert(keys.end(), more.begin(), more.end());
}

std::vector<std::string> FirstStartStoreOrder() {
  std::vector<std::string> keys;
  Append(keys, {"OutilsGroupe", "Pointes", "Epaisseur", "Attaches", "Fleche", "Etiquette", "NbPtsFlEdit",
                "FouOEdit", "CouPEdit", "SymetriEdit", "DebEditSegX", "DebEditSegY"});
  AppendPointKeys(keys, "PtFlEdit", "PtINOUTEdit");
  Append(keys, {"DecalageVerti", "DecalageHoriz", "RayonArrondi", "Son", "InterieurObjet", "ClicDansVide",
                "AnglePointe1", "AnglePointe2", "FlecheCreuse", "RVBC", "RougeGrisC", "VertC", "BleuC", "Fond",
                "RVBF", "RougeGrisF", "VertF", "BleuF", "DecalageHorizTexte", "DecalageVertiTexte", "Magnetisme",
                "Tolerance", "Calque", "FouP", "kADM_DPVisibleStr", "TaillePalette", "Police", "Corps",
                "VariablePolice", "TexteLibre1", "TexteLibre2", "TexteLibre3", "TexteLibre4", "TexteLibre5",
                "NbPtsArrondiEdit", "SymetrieArrondiEdit", "CoinHG", "CoinBG", "CoinBD", "CoinHD"});
  AppendPointKeys(keys, "PtArEdit", "ArINOUTEdit");
  return keys;
}

std::vector<std::string> LaterStartReadOrder() {
  std::vector<std::string> keys;
  Append(keys, {"OutilsGroupe", "Pointes", "Epaisseur", "Attaches", "FouP", "Etiquette", "DecalageVerti",
                "DecalageHoriz", "RayonArrondi", "Son", "InterieurObjet", "ClicDansVide", "AnglePointe1",
                "AnglePointe2", "FlecheCreuse", "RVBC", "RougeGrisC", "VertC", "BleuC", "Fond", "RVBF",
                "RougeGrisF", "VertF", "BleuF", "DecalageHorizTexte", "DecalageVertiTexte", "Magnetisme",
                "Tolerance", "Calque", "NbPtsFlEdit", "FouOEdit", "CouPEdit", "SymetriEdit", "DebEditSegX",
                "DebEditSegY"});
  AppendPointKeys(keys, "PtFlEdit", "PtINOUTEdit");
  Append(keys, {"Fleche", "Police", "Corps", "VariablePolice", "TexteLibre1", "TexteLibre2", "TexteLibre3",
                "TexteLibre4", "TexteLibre5", "NbPtsArrondiEdit"});
  AppendPointKeys(keys, "PtArEdit", "ArINOUTEdit");
  Append(keys, {"SymetrieArrondiEdit", "CoinHG", "CoinBG", "CoinBD", "CoinHD"});
  return keys;
}

using SettingsTable = InProcessCoreTest;

}  // namespace

TEST_F(SettingsTable, TheFirstStartStoresEveryKeyOnceInItsPlace) {
  RecordPreferenceCalls();
  ASSERT_EQ(WriteDefaultSettings(), kNoErr);
  EXPECT_EQ(gStores, FirstStartStoreOrder());
}

TEST_F(SettingsTable, ALaterStartReadsEveryKeyOnceInItsPlace) {
  ASSERT_EQ(WriteDefaultSettings(), kNoErr);
  Restart();
  RecordPreferenceCalls();
  ReadAllSettings();
  EXPECT_EQ(gReads, LaterStartReadOrder());
  EXPECT_TRUE(gStores.empty()) << "a later start stored " << gStores.front();
}

TEST_F(SettingsTable, EverySettingStoredByItsIdReadsBackAtTheNextStart) {
  State& s = g();
  SetDefaultSettings(s);
  s.Etiquette = 2;
  s.Fleche = 3;
  s.RVBC = 1;
  s.RougeGrisC = 200;
  s.VertC = 10.5f;
  s.BleuC = 20;
  s.RVBF = 1;
  s.Fond = 1;
  s.RougeGrisF = 30;
  s.VertF = 40;
  s.BleuF = 50;
  s.OutilsGroupe = 1;
  s.InterieurObjet = 0;
  s.Calque = 1;
  s.ClicDansVide = 0;
  s.Son = 0;
  s.Magnetisme = 0;
  s.FouP = 0;
  s.NbPtsFlEdit = 7;
  s.FouOEdit = 0;
  s.CouPEdit = 1;
  s.FlecheCreuse = 0;
  s.DebEditSegX = 3.5f;
  s.DebEditSegY = -1.25f;
  s.SymetriEdit = 1;
  s.NbPtsArrondiEdit = 3;
  s.CoinHG = 0;
  s.CoinHD = 0;
  s.CoinBG = 0;
  s.CoinBD = 0;
  for (int i = 0; i < kFreeTexts; ++i) CopyText(s.TexteLibre[i], ("Texte " + std::to_string(i + 1)).c_str());
  s.RayonArrondi = -4.5f;
  s.Pointes = 150;
  s.Epaisseur = 1.5f;
  s.Attaches = -8.5f;
  s.DecalageVerti = 2.25f;
  s.DecalageHoriz = -3;
  s.AnglePointe1 = 30;
  s.AnglePointe2 = 45;
  s.DecalageHorizTexte = -12;
  s.DecalageVertiTexte = 5.5f;
  s.Tolerance = 15;
  CopyText(s.Police, "Some Font Bold");
  s.Corps = 18.5f;
  s.VariablePolice = 3;
  const State stored = s;
  for (const SettingRow& row : kSettings) ASSERT_EQ(StoreSetting(row.id), kNoErr) << row.key;

  Restart();
  ASSERT_FALSE(IsFirstStart());
  ReadAllSettings();
  EXPECT_TRUE(SameSettings(g(), stored)) << "a setting is stored or read under another key or field";
  EXPECT_EQ(g().HeadPoints.count, 4) << "kind 3 of the points, the square, is in force";
}

TEST_F(SettingsTable, ADialogStoresItsKeysAndFindsSettingsByKey) {
  const SettingRow* text = FindSetting("TexteLibre3");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(SetSettingText(g(), text->id, "Haut"));
  EXPECT_STREQ(g().TexteLibre[2], "Haut");
  EXPECT_FALSE(SetSettingText(g(), text->id, "")) << "an empty free text is refused";
  EXPECT_STREQ(g().TexteLibre[2], "Haut");
  EXPECT_EQ(FindSetting("texteLibre3"), nullptr);
  EXPECT_EQ(FindSetting("PtFlEditX0"), nullptr) << "point-list entries are not settings";

  g().Tolerance = 12;
  g().DecalageHorizTexte = 5;
  host().faults().Add(hostsim::FailedStore(keys::AnglePointe1));
  EXPECT_EQ(StoreSettings({SettingId::AnglePointe1, SettingId::Tolerance, SettingId::DecalageHorizTexte}),
            kInjectedFailureErr);
  EXPECT_EQ(prefs().GetInteger(kSettingsSection, keys::Tolerance), 12) << "the later stores are done all the same";
  EXPECT_EQ(prefs().GetReal(kSettingsSection, keys::DecalageHorizTexte), 5.0) << "stored as a real";
}

TEST_F(SettingsTable, ReadingOrSettingOneSettingSaysWhetherTheValueWasTaken) {
  SetDefaultSettings(g());
  EXPECT_FALSE(ReadSetting(SettingId::TexteLibre3)) << "nothing stored";
  Put(keys::TexteLibre3, std::string("Haut"));
  EXPECT_TRUE(ReadSetting(SettingId::TexteLibre3));
  EXPECT_STREQ(g().TexteLibre[2], "Haut");

  Put(keys::Tolerance, int32_t{0});
  EXPECT_FALSE(ReadSetting(SettingId::Tolerance)) << "below its range";
  EXPECT_EQ(g().Tolerance, 8);
  Put(keys::Son, false);
  EXPECT_TRUE(ReadSetting(SettingId::Son));
  EXPECT_EQ(g().Son, 0);

  EXPECT_FALSE(SetSettingNumber(g(), SettingId::Son, std::nan(""))) << "no boolean";
  EXPECT_EQ(g().Son, 0);
  EXPECT_TRUE(SetSettingNumber(g(), SettingId::DecalageHorizTexte, -7.9));
  EXPECT_EQ(g().DecalageHorizTexte, -7);
  EXPECT_FALSE(SetSettingNumber(g(), SettingId::Corps, 1e39)) << "beyond a float";
  EXPECT_FALSE(SetSettingText(g(), SettingId::Corps, "12")) << "not a text setting";
  EXPECT_EQ(g().Corps, 12.0f);
}
