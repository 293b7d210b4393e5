// The order in which the first start stores the settings and a later start
// reads them, checked against lists written out by hand.
#include <string>
#include <vector>

#include "InProcessCore.h"

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

using SettingsOrder = InProcessCoreTest;

}  // namespace

TEST_F(SettingsOrder, TheFirstStartStoresEveryKeyOnceInItsPlace) {
  RecordPreferenceCalls();
  ASSERT_EQ(WriteDefaultSettings(), kNoErr);
  EXPECT_EQ(gStores, FirstStartStoreOrder());
}

TEST_F(SettingsOrder, ALaterStartReadsEveryKeyOnceInItsPlace) {
  ASSERT_EQ(WriteDefaultSettings(), kNoErr);
  Restart();
  RecordPreferenceCalls();
  ReadAllSettings();
  EXPECT_EQ(gReads, LaterStartReadOrder());
  EXPECT_TRUE(gStores.empty()) << "a later start stored " << gStores.front();
}
