// [SECTION] Store and read helpers
// [SECTION] Defaults
// [SECTION] Point lists
// [SECTION] First-start write
// [SECTION] Start-up read

#include "core/Settings.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/FixedText.h"
#include "core/Suites.h"
#include "label/PendingLabel.h"

//-----------------------------------------------------------------------------
// [SECTION] Store and read helpers
//-----------------------------------------------------------------------------

namespace {

// A double read from the store as the float the state block holds, when it is one.
bool NarrowToFloat(double value, float& out) {
  if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX)) return false;
  out = static_cast<float>(value);
  return true;
}

}  // namespace

ASErr StoreBoolean(const char* key, ASBoolean value) {
  return sAIPreference->PutBooleanPreference(kSettingsSection, key, value ? 1 : 0);
}

ASErr StoreInteger(const char* key, int32_t value) {
  return sAIPreference->PutIntegerPreference(kSettingsSection, key, value);
}

ASErr StoreReal(const char* key, float value) {
  return sAIPreference->PutRealPreference(kSettingsSection, key, static_cast<double>(value));
}

ASErr StoreString(const char* key, const char* value) {
  return sAIPreference->PutStringPreference(kSettingsSection, key, value != nullptr ? value : "");
}

bool ReadBoolean(const char* key, ASBoolean& value) {
  ASBoolean read = 0;
  if (sAIPreference->GetBooleanPreference(kSettingsSection, key, &read) != kNoErr) return false;
  value = read ? 1 : 0;
  return true;
}

bool ReadInteger(const char* key, int32_t& value) {
  int32_t read = 0;
  if (sAIPreference->GetIntegerPreference(kSettingsSection, key, &read) != kNoErr) return false;
  value = read;
  return true;
}

bool ReadReal(const char* key, float& value) {
  double read = 0;
  if (sAIPreference->GetRealPreference(kSettingsSection, key, &read) != kNoErr) return false;
  return NarrowToFloat(read, value);
}

bool ReadString(const char* key, char* value, int32_t size) {
  if (value == nullptr || size < 1) return false;
  // Read through a buffer of our own so the caller's field only ever receives
  // a terminated string that fits.
  char read[1024] = {};
  if (sAIPreference->GetStringPreference(kSettingsSection, key, read, sizeof read) != kNoErr) return false;
  read[sizeof read - 1] = '\0';
  CopyText(value, static_cast<std::size_t>(size), read);
  return true;
}

//-----------------------------------------------------------------------------
// [SECTION] Defaults
//-----------------------------------------------------------------------------

namespace {

// Default custom arrowhead: tip at anchor 0, body along +x.
// Columns: X, Y, IX, IY, OX, OY.
constexpr float kArrowheadTable[kDefaultArrowheadCount][6] = {
    {0, 0, 0, 0, 0, 0},
    {11, -4.5f, 14.6f, -5.8f, 11, -4.5f},
    {13, -2, 10.7f, -1.4f, 15.25f, -2.55f},
    {2, 0, 2, 0, 2, 0},
    {13, 2, 15.25f, 2.55f, 10.7f, 1.4f},
    {11, 4.5f, 11, 4.5f, 14.6f, 5.8f},
};

// Default custom corner: a straight chamfer.
constexpr float kCornerTable[kDefaultCornerCount][6] = {
    {12, 0, 12, 0, 12, 0},
    {0, 12, 0, 12, 0, 12},
};

template <int N>
BezierPointList ListFromTable(const float (&table)[N][6]) {
  BezierPointList list{};
  for (int i = 0; i < N; ++i) {
    list.X[i] = table[i][0];
    list.Y[i] = table[i][1];
    list.IX[i] = table[i][2];
    list.IY[i] = table[i][3];
    list.OX[i] = table[i][4];
    list.OY[i] = table[i][5];
  }
  return list;
}

void SetArrowheadDefaults(State& g) {
  g.NbPtsFlEdit = kDefaultArrowheadCount;
  g.FouOEdit = 1;
  g.CouPEdit = 0;
  g.SymetriEdit = 0;
  g.DebEditSegX = 2;
  g.DebEditSegY = 0;
  g.PtFlEdit = DefaultArrowheadPoints();
}

void SetCornerDefaults(State& g) {
  g.NbPtsArrondiEdit = kDefaultCornerCount;
  g.SymetriEdit = 0;
  g.CoinHG = 1;
  g.CoinBG = 1;
  g.CoinBD = 1;
  g.CoinHD = 1;
  g.PtArEdit = DefaultCornerPoints();
}

}  // namespace

BezierPointList DefaultArrowheadPoints() { return ListFromTable(kArrowheadTable); }
BezierPointList DefaultCornerPoints() { return ListFromTable(kCornerTable); }

int StoredPointEntries(int count) { return count >= kPointListBlock ? kPointListCapacity : kPointListBlock; }

void SetDefaultSettings(State& g) {
  g.OutilsGroupe = 0;
  g.Pointes = 100;
  g.Epaisseur = kDefaultEpaisseur;
  g.Attaches = kDefaultAttaches;
  g.Fleche = 1;
  g.Etiquette = 1;
  SetArrowheadDefaults(g);
  g.DecalageVerti = 0;
  g.DecalageHoriz = 0;
  g.RayonArrondi = 0;
  g.Son = 1;
  g.InterieurObjet = 1;
  g.ClicDansVide = 1;
  g.AnglePointe1 = 17;
  g.AnglePointe2 = 17;
  g.FlecheCreuse = 1;
  g.RVBC = 0;
  g.RougeGrisC = 100;
  g.VertC = 0;
  g.BleuC = 0;
  g.Fond = 0;
  g.RVBF = 0;
  g.RougeGrisF = 100;
  g.VertF = 0;
  g.BleuF = 0;
  g.DecalageHorizTexte = 8;
  g.DecalageVertiTexte = 8;
  g.Magnetisme = 1;
  g.Tolerance = 8;
  g.Calque = 0;
  g.FouP = 1;
  g.Police[0] = '\0';
  g.Corps = kDefaultCorps;
  g.VariablePolice = 0;
  for (int i = 0; i < kFreeTexts; ++i) CopyText(g.TexteLibre[i], kDefaultFreeTexts[i]);
  SetCornerDefaults(g);
}

ASErr DefaultFontName(char (&name)[kFontNameSize]) {
  name[0] = '\0';
  AIFontKey font = nullptr;
  ASErr err = sAIFont->IndexFontList(0, &font);
  if (err != kNoErr) return err;
  char full[1024] = {};
  err = sAIFont->GetFullFontName(font, full, static_cast<int16_t>(sizeof full));
  if (err != kNoErr) return err;
  full[sizeof full - 1] = '\0';
  CopyText(name, full);
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Point lists
//-----------------------------------------------------------------------------

namespace {

void PointKey(char (&key)[32], const char* base, int index) {
  std::snprintf(key, sizeof key, "%s%d", base, index);
}

ASErr StorePointPair(const char* baseA, const float* a, const char* baseB, const float* b, int entries) {
  ASErr first = kNoErr;
  char key[32];
  for (int i = 0; i < entries; ++i) {
    PointKey(key, baseA, i);
    ASErr err = sAIPreference->PutRealPreference(kSettingsSection, key, static_cast<double>(a[i]) + kPointKeyOffset);
    if (first == kNoErr) first = err;
    PointKey(key, baseB, i);
    err = sAIPreference->PutRealPreference(kSettingsSection, key, static_cast<double>(b[i]) + kPointKeyOffset);
    if (first == kNoErr) first = err;
  }
  return first;
}

// Anchors first, then the I tangent points, then the O tangent points.
ASErr StorePointList(const PointListKeys& keys, const BezierPointList& list, int count) {
  const int entries = StoredPointEntries(count);
  ASErr first = StorePointPair(keys.X, list.X, keys.Y, list.Y, entries);
  ASErr err = StorePointPair(keys.IX, list.IX, keys.IY, list.IY, entries);
  if (first == kNoErr) first = err;
  err = StorePointPair(keys.OX, list.OX, keys.OY, list.OY, entries);
  if (first == kNoErr) first = err;
  return first;
}

// Reads a stored coordinate less the offset. A missing key keeps the entry;
// false when a stored value is not a finite float.
bool ReadPointValue(const char* base, int index, float& value) {
  char key[32];
  PointKey(key, base, index);
  double read = 0;
  if (sAIPreference->GetRealPreference(kSettingsSection, key, &read) != kNoErr) return true;
  return NarrowToFloat(read - kPointKeyOffset, value);
}

bool ReadPointPair(const char* baseA, float* a, const char* baseB, float* b, int entries) {
  bool finite = true;
  for (int i = 0; i < entries; ++i) {
    finite = ReadPointValue(baseA, i, a[i]) && finite;
    finite = ReadPointValue(baseB, i, b[i]) && finite;
  }
  return finite;
}

// Reads a whole list into `list` (which holds the defaults); false when any
// stored coordinate is unusable, in which case the caller keeps the defaults.
bool ReadPointList(const PointListKeys& keys, int count, BezierPointList& list) {
  const int entries = StoredPointEntries(count);
  bool finite = ReadPointPair(keys.X, list.X, keys.Y, list.Y, entries);
  finite = ReadPointPair(keys.IX, list.IX, keys.IY, list.IY, entries) && finite;
  finite = ReadPointPair(keys.OX, list.OX, keys.OY, list.OY, entries) && finite;
  return finite;
}

// The count key's low 8 bits, when they make a usable count.
bool ReadPointCount(const char* key, int8_t& count) {
  int32_t stored = 0;
  if (!ReadInteger(key, stored)) return false;
  const int8_t low = static_cast<int8_t>(stored & 0xFF);
  if (!IsValidPointCount(low)) return false;
  count = low;
  return true;
}

}  // namespace

ASErr StoreArrowheadPoints() {
  State& g = *gState;
  return StorePointList(kArrowheadPointKeys, g.PtFlEdit, g.NbPtsFlEdit);
}

ASErr StoreCornerPoints() {
  State& g = *gState;
  return StorePointList(kCornerPointKeys, g.PtArEdit, g.NbPtsArrondiEdit);
}

ASErr WriteArrowheadDefaults() {
  State& g = *gState;
  SetArrowheadDefaults(g);
  ASErr first = kNoErr;
  auto keep = [&first](ASErr err) {
    if (first == kNoErr) first = err;
  };
  keep(StoreInteger(keys::NbPtsFlEdit, g.NbPtsFlEdit));
  keep(StoreBoolean(keys::FouOEdit, g.FouOEdit));
  keep(StoreBoolean(keys::CouPEdit, g.CouPEdit));
  keep(StoreBoolean(keys::SymetriEdit, g.SymetriEdit));
  keep(StoreReal(keys::DebEditSegX, g.DebEditSegX));
  keep(StoreReal(keys::DebEditSegY, g.DebEditSegY));
  keep(StoreArrowheadPoints());
  return first;
}

ASErr WriteCornerDefaults() {
  State& g = *gState;
  SetCornerDefaults(g);
  ASErr first = kNoErr;
  auto keep = [&first](ASErr err) {
    if (first == kNoErr) first = err;
  };
  keep(StoreInteger(keys::NbPtsArrondiEdit, g.NbPtsArrondiEdit));
  keep(StoreBoolean(keys::SymetrieArrondiEdit, g.SymetriEdit));
  keep(StoreBoolean(keys::CoinHG, g.CoinHG));
  keep(StoreBoolean(keys::CoinBG, g.CoinBG));
  keep(StoreBoolean(keys::CoinBD, g.CoinBD));
  keep(StoreBoolean(keys::CoinHD, g.CoinHD));
  keep(StoreCornerPoints());
  return first;
}

//-----------------------------------------------------------------------------
// [SECTION] First-start write
//-----------------------------------------------------------------------------

namespace {

// Keys the first-start write stores before anything else can stop it.
constexpr const char* kFirstStartRealKeys[] = {keys::Pointes, keys::Epaisseur, keys::Attaches};
constexpr const char* kFirstStartIntegerKeys[] = {keys::Fleche, keys::Etiquette, keys::NbPtsFlEdit,
                                                  keys::NbPtsArrondiEdit};

// The runtime values that follow the settings at once.
void ApplyRuntimeFromSettings() {
  State& g = *gState;
  g.ArrowsOn = g.FouP;
  ApplyArrowKind(g.Fleche);
  SetCurrentFreeText(g.TexteLibre[0]);
}

}  // namespace

bool IsFirstStart() {
  float real = 0;
  for (const char* key : kFirstStartRealKeys) {
    if (ReadReal(key, real)) return false;
  }
  int32_t integer = 0;
  for (const char* key : kFirstStartIntegerKeys) {
    if (ReadInteger(key, integer)) return false;
  }
  return true;
}

ASErr WriteDefaultSettings() {
  State& g = *gState;
  // Everything is set first, so that a store that fails below stops the
  // stores but never leaves a setting without its value.
  SetDefaultSettings(g);
  DefaultFontName(g.Police);
  ApplyRuntimeFromSettings();

  // Stores whose failure stops the write.
  ASErr err = kNoErr;
  auto failed = [&err](ASErr code) {
    err = code;
    return code != kNoErr;
  };

  StoreBoolean(keys::OutilsGroupe, g.OutilsGroupe);
  if (failed(StoreReal(keys::Pointes, g.Pointes))) return err;
  if (failed(StoreReal(keys::Epaisseur, g.Epaisseur))) return err;
  if (failed(StoreReal(keys::Attaches, g.Attaches))) return err;
  if (failed(StoreInteger(keys::Fleche, g.Fleche))) return err;
  if (failed(StoreInteger(keys::Etiquette, g.Etiquette))) return err;
  WriteArrowheadDefaults();
  if (failed(StoreReal(keys::DecalageVerti, g.DecalageVerti))) return err;
  if (failed(StoreReal(keys::DecalageHoriz, g.DecalageHoriz))) return err;
  if (failed(StoreReal(keys::RayonArrondi, g.RayonArrondi))) return err;
  if (failed(StoreBoolean(keys::Son, g.Son))) return err;
  if (failed(StoreBoolean(keys::InterieurObjet, g.InterieurObjet))) return err;
  if (failed(StoreBoolean(keys::ClicDansVide, g.ClicDansVide))) return err;
  StoreReal(keys::AnglePointe1, g.AnglePointe1);
  StoreReal(keys::AnglePointe2, g.AnglePointe2);
  StoreBoolean(keys::FlecheCreuse, g.FlecheCreuse);
  StoreBoolean(keys::RVBC, g.RVBC);
  if (failed(StoreReal(keys::RougeGrisC, g.RougeGrisC))) return err;
  if (failed(StoreReal(keys::VertC, g.VertC))) return err;
  if (failed(StoreReal(keys::BleuC, g.BleuC))) return err;
  StoreBoolean(keys::Fond, g.Fond);
  StoreBoolean(keys::RVBF, g.RVBF);
  if (failed(StoreReal(keys::RougeGrisF, g.RougeGrisF))) return err;
  if (failed(StoreReal(keys::VertF, g.VertF))) return err;
  if (failed(StoreReal(keys::BleuF, g.BleuF))) return err;
  if (failed(StoreReal(keys::DecalageHorizTexte, static_cast<float>(g.DecalageHorizTexte)))) return err;
  if (failed(StoreReal(keys::DecalageVertiTexte, g.DecalageVertiTexte))) return err;
  if (failed(StoreBoolean(keys::Magnetisme, g.Magnetisme))) return err;
  StoreInteger(keys::Tolerance, g.Tolerance);
  if (failed(StoreBoolean(keys::Calque, g.Calque))) return err;
  if (failed(StoreBoolean(keys::FouP, g.FouP))) return err;
  StoreBoolean(keys::Visible, 1);
  StoreInteger(keys::TaillePalette, 1);
  StoreString(keys::Police, g.Police);
  StoreReal(keys::Corps, g.Corps);
  StoreInteger(keys::VariablePolice, g.VariablePolice);
  for (int i = 0; i < kFreeTexts; ++i) StoreString(keys::TexteLibre[i], g.TexteLibre[i]);
  WriteCornerDefaults();
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Start-up read
//-----------------------------------------------------------------------------

namespace {

// A real read as a whole number: truncated toward zero, kept when it does not fit.
void ReadTruncatedReal(const char* key, int32_t& value) {
  double read = 0;
  if (sAIPreference->GetRealPreference(kSettingsSection, key, &read) != kNoErr) return;
  if (!std::isfinite(read)) return;
  const double whole = std::trunc(read);
  if (whole < static_cast<double>(INT32_MIN) || whole > static_cast<double>(INT32_MAX)) return;
  value = static_cast<int32_t>(whole);
}

void ReadArrowheadSettings() {
  State& g = *gState;
  int8_t count = 0;
  if (!ReadPointCount(keys::NbPtsFlEdit, count)) {
    WriteArrowheadDefaults();
    return;
  }
  ReadBoolean(keys::FouOEdit, g.FouOEdit);
  ReadBoolean(keys::CouPEdit, g.CouPEdit);
  ReadBoolean(keys::SymetriEdit, g.SymetriEdit);
  ReadReal(keys::DebEditSegX, g.DebEditSegX);
  ReadReal(keys::DebEditSegY, g.DebEditSegY);
  BezierPointList list = DefaultArrowheadPoints();
  if (!ReadPointList(kArrowheadPointKeys, count, list)) {
    WriteArrowheadDefaults();
    return;
  }
  g.NbPtsFlEdit = count;
  g.PtFlEdit = list;
}

void ReadCornerSettings() {
  State& g = *gState;
  int8_t count = 0;
  BezierPointList list = DefaultCornerPoints();
  if (!ReadPointCount(keys::NbPtsArrondiEdit, count) || !ReadPointList(kCornerPointKeys, count, list)) {
    WriteCornerDefaults();
    return;
  }
  g.NbPtsArrondiEdit = count;
  g.PtArEdit = list;
}

}  // namespace

void ReadAllSettings() {
  State& g = *gState;
  // Start from the defaults: a key that is missing, unreadable or out of
  // range leaves its setting at the default.
  SetDefaultSettings(g);

  ReadBoolean(keys::OutilsGroupe, g.OutilsGroupe);
  ReadReal(keys::Pointes, g.Pointes);
  ReadReal(keys::Epaisseur, g.Epaisseur);
  ReadReal(keys::Attaches, g.Attaches);
  ReadBoolean(keys::FouP, g.FouP);
  g.ArrowsOn = g.FouP;

  int32_t shape = 0;
  if (ReadInteger(keys::Etiquette, shape) && shape >= 0 && shape <= 3) g.Etiquette = shape;

  ReadReal(keys::DecalageVerti, g.DecalageVerti);
  ReadReal(keys::DecalageHoriz, g.DecalageHoriz);
  ReadReal(keys::RayonArrondi, g.RayonArrondi);
  ReadBoolean(keys::Son, g.Son);
  ReadBoolean(keys::InterieurObjet, g.InterieurObjet);
  ReadBoolean(keys::ClicDansVide, g.ClicDansVide);
  ReadReal(keys::AnglePointe1, g.AnglePointe1);
  ReadReal(keys::AnglePointe2, g.AnglePointe2);
  ReadBoolean(keys::FlecheCreuse, g.FlecheCreuse);

  ReadBoolean(keys::RVBC, g.RVBC);
  ReadReal(keys::RougeGrisC, g.RougeGrisC);
  ReadReal(keys::VertC, g.VertC);
  ReadReal(keys::BleuC, g.BleuC);
  ReadBoolean(keys::Fond, g.Fond);
  ReadBoolean(keys::RVBF, g.RVBF);
  ReadReal(keys::RougeGrisF, g.RougeGrisF);
  ReadReal(keys::VertF, g.VertF);
  ReadReal(keys::BleuF, g.BleuF);

  ReadTruncatedReal(keys::DecalageHorizTexte, g.DecalageHorizTexte);
  ReadReal(keys::DecalageVertiTexte, g.DecalageVertiTexte);
  ReadBoolean(keys::Magnetisme, g.Magnetisme);
  int32_t tolerance = 0;
  // A distance of at least 1 point that fits its 16 bits; anything else keeps the default.
  if (ReadInteger(keys::Tolerance, tolerance) && tolerance >= 1 && tolerance <= INT16_MAX)
    g.Tolerance = static_cast<int16_t>(tolerance);
  ReadBoolean(keys::Calque, g.Calque);

  ReadArrowheadSettings();

  // The kind's outline is chosen now that the custom arrowhead is known; a
  // kind outside 1..4 changes nothing.
  int32_t kind = g.Fleche;
  ReadInteger(keys::Fleche, kind);
  if (!ApplyArrowKind(kind)) ApplyArrowKind(g.Fleche);

  if (!ReadString(keys::Police, g.Police, kFontNameSize) || g.Police[0] == '\0') DefaultFontName(g.Police);
  ReadReal(keys::Corps, g.Corps);
  int32_t fontOffset = 0;
  if (ReadInteger(keys::VariablePolice, fontOffset) && fontOffset >= 0 && fontOffset <= 255) {
    g.VariablePolice = fontOffset;
  }

  for (int i = 0; i < kFreeTexts; ++i) {
    ReadString(keys::TexteLibre[i], g.TexteLibre[i], kFreeTextSize);
    if (g.TexteLibre[i][0] == '\0') CopyText(g.TexteLibre[i], kDefaultFreeTexts[i]);
  }
  SetCurrentFreeText(g.TexteLibre[0]);

  ReadCornerSettings();
  // The shape editor's value of the shared flag wins.
  ReadBoolean(keys::SymetrieArrondiEdit, g.SymetriEdit);
  ReadBoolean(keys::CoinHG, g.CoinHG);
  ReadBoolean(keys::CoinBG, g.CoinBG);
  ReadBoolean(keys::CoinBD, g.CoinBD);
  ReadBoolean(keys::CoinHD, g.CoinHD);
}

void LoadSettingsAtStart() {
  if (IsFirstStart()) {
    WriteDefaultSettings();
  } else {
    ReadAllSettings();
  }
}
