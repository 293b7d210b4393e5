// Every stored setting in one list: its key, how the preference store holds it
// and how the state block does, its field, its default, the values a read
// accepts, where the first-start write stores it and the start-up read reads
// it, and whether a failed store stops the first-start write. The defaults,
// the first-start write, the start-up read, the lookups by key and the stores
// of single settings are all made from this list (core/Settings.cpp).
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

// How the preference store holds a value.
enum class SettingStored : uint8_t { Boolean, Integer, Real, String, Point };

// How the state block holds it.
enum class SettingHeld : uint8_t {
  Bool32,  // ASBoolean: 0 or 1
  Int8,
  Int16,
  Int32,   // stored as an integer, or as a real truncated toward zero when read
  Float,   // stored as a real: widened when stored, narrowed when read
  Text,    // a fixed buffer of 8-bit characters, terminated
};

inline constexpr double kLowest = -std::numeric_limits<double>::infinity();
inline constexpr double kHighest = std::numeric_limits<double>::infinity();

// X(Key, Stored, Held, Field, Default, Min, Max, Write, Read, Stops)
//
// Key      the preference key, which is also the setting's name
// Field    the state block's field (State::Field)
// Min, Max the values a read takes, ends included; a value outside, or one the
//          field cannot hold, leaves the default. For texts, the lengths: an
//          empty text leaves the default and a longer one is cut to Max.
// Write    the step of the first-start write that stores it (1..16)
// Read     the step of the start-up read that reads it (1..11)
//          Within a step the settings go in the order of this list, which is
//          the order of the first-start write.
// Stops    a failed store stops the first-start write
//
// `SymetriEdit` and `SymetrieArrondiEdit` share one field: the arrows editor
// stores the first, the shape editor the second, and the later read wins.
// clang-format off
#define KPX_SETTINGS(X)                                                                              \
  X(OutilsGroupe,        Boolean, Bool32, OutilsGroupe,       0,          0,       1,        1,  1,  false) \
  X(Pointes,             Real,    Float,  Pointes,            100,        0,       kHighest, 2,  1,  true)  \
  X(Epaisseur,           Real,    Float,  Epaisseur,          0.24f,      0,       kHighest, 2,  1,  true)  \
  X(Attaches,            Real,    Float,  Attaches,           17.007874f, kLowest, kHighest, 2,  1,  true)  \
  X(Fleche,              Integer, Int32,  Fleche,             1,          1,       4,        3,  7,  true)  \
  X(Etiquette,           Integer, Int32,  Etiquette,          1,          0,       3,        3,  2,  true)  \
  X(NbPtsFlEdit,         Integer, Int8,   NbPtsFlEdit,        6,          2,       20,       4,  6,  false) \
  X(FouOEdit,            Boolean, Bool32, FouOEdit,           1,          0,       1,        4,  6,  false) \
  X(CouPEdit,            Boolean, Bool32, CouPEdit,           0,          0,       1,        4,  6,  false) \
  X(SymetriEdit,         Boolean, Bool32, SymetriEdit,        0,          0,       1,        4,  6,  false) \
  X(DebEditSegX,         Real,    Float,  DebEditSegX,        2,          kLowest, kHighest, 4,  6,  false) \
  X(DebEditSegY,         Real,    Float,  DebEditSegY,        0,          kLowest, kHighest, 4,  6,  false) \
  X(DecalageVerti,       Real,    Float,  DecalageVerti,      0,          kLowest, kHighest, 5,  3,  true)  \
  X(DecalageHoriz,       Real,    Float,  DecalageHoriz,      0,          kLowest, kHighest, 5,  3,  true)  \
  X(RayonArrondi,        Real,    Float,  RayonArrondi,       0,          kLowest, kHighest, 5,  3,  true)  \
  X(Son,                 Boolean, Bool32, Son,                1,          0,       1,        6,  3,  true)  \
  X(InterieurObjet,      Boolean, Bool32, InterieurObjet,     1,          0,       1,        6,  3,  true)  \
  X(ClicDansVide,        Boolean, Bool32, ClicDansVide,       1,          0,       1,        6,  3,  true)  \
  X(AnglePointe1,        Real,    Float,  AnglePointe1,       17,         0,       90,       7,  3,  false) \
  X(AnglePointe2,        Real,    Float,  AnglePointe2,       17,         0,       90,       7,  3,  false) \
  X(FlecheCreuse,        Boolean, Bool32, FlecheCreuse,       1,          0,       1,        7,  3,  false) \
  X(RVBC,                Boolean, Bool32, RVBC,               0,          0,       1,        8,  4,  false) \
  X(RougeGrisC,          Real,    Float,  RougeGrisC,         100,        0,       255,      8,  4,  true)  \
  X(VertC,               Real,    Float,  VertC,              0,          0,       255,      8,  4,  true)  \
  X(BleuC,               Real,    Float,  BleuC,              0,          0,       255,      8,  4,  true)  \
  X(Fond,                Boolean, Bool32, Fond,               0,          0,       1,        8,  4,  false) \
  X(RVBF,                Boolean, Bool32, RVBF,               0,          0,       1,        8,  4,  false) \
  X(RougeGrisF,          Real,    Float,  RougeGrisF,         100,        0,       255,      8,  4,  true)  \
  X(VertF,               Real,    Float,  VertF,              0,          0,       255,      8,  4,  true)  \
  X(BleuF,               Real,    Float,  BleuF,              0,          0,       255,      8,  4,  true)  \
  X(DecalageHorizTexte,  Real,    Int32,  DecalageHorizTexte, 8,          kLowest, kHighest, 9,  5,  true)  \
  X(DecalageVertiTexte,  Real,    Float,  DecalageVertiTexte, 8,          kLowest, kHighest, 9,  5,  true)  \
  X(Magnetisme,          Boolean, Bool32, Magnetisme,         1,          0,       1,        10, 5,  true)  \
  X(Tolerance,           Integer, Int16,  Tolerance,          8,          1,       32767,    10, 5,  false) \
  X(Calque,              Boolean, Bool32, Calque,             0,          0,       1,        10, 5,  true)  \
  X(FouP,                Boolean, Bool32, FouP,               1,          0,       1,        10, 1,  true)  \
  X(Police,              String,  Text,   Police,             "",         1,       255,      13, 8,  false) \
  X(Corps,               Real,    Float,  Corps,              12,         0.1,     1296,     14, 8,  false) \
  X(VariablePolice,      Integer, Int32,  VariablePolice,     0,          0,       255,      14, 8,  false) \
  X(TexteLibre1,         String,  Text,   TexteLibre[0],      "Face",     1,       50,       15, 9,  false) \
  X(TexteLibre2,         String,  Text,   TexteLibre[1],      "Profil",   1,       50,       15, 9,  false) \
  X(TexteLibre3,         String,  Text,   TexteLibre[2],      "Dessus",   1,       50,       15, 9,  false) \
  X(TexteLibre4,         String,  Text,   TexteLibre[3],      "Dessous",  1,       50,       15, 9,  false) \
  X(TexteLibre5,         String,  Text,   TexteLibre[4],      "Avant",    1,       50,       15, 9,  false) \
  X(NbPtsArrondiEdit,    Integer, Int8,   NbPtsArrondiEdit,   2,          2,       20,       16, 10, false) \
  X(SymetrieArrondiEdit, Boolean, Bool32, SymetriEdit,        0,          0,       1,        16, 11, false) \
  X(CoinHG,              Boolean, Bool32, CoinHG,             1,          0,       1,        16, 11, false) \
  X(CoinBG,              Boolean, Bool32, CoinBG,             1,          0,       1,        16, 11, false) \
  X(CoinBD,              Boolean, Bool32, CoinBD,             1,          0,       1,        16, 11, false) \
  X(CoinHD,              Boolean, Bool32, CoinHD,             1,          0,       1,        16, 11, false)
// clang-format on

enum class SettingId : uint8_t {
#define KPX_SETTING_ID(key, ...) key,
  KPX_SETTINGS(KPX_SETTING_ID)
#undef KPX_SETTING_ID
};

// A default: a number, or for texts a text ("" for the font, which the host supplies).
struct SettingDefault {
  double number = 0;
  const char* text = nullptr;
  constexpr SettingDefault(int value) : number(value) {}
  constexpr SettingDefault(double value) : number(value) {}
  constexpr SettingDefault(const char* value) : text(value) {}
};

struct SettingRow {
  SettingId id;
  const char* key;
  SettingStored stored;
  SettingHeld held;
  SettingDefault byDefault;
  double min, max;
  int writeStep;
  int readStep;
  bool stopsWrite;
};

inline constexpr SettingRow kSettings[] = {
#define KPX_SETTING_SPEC(key, stored, held, field, byDefault, min, max, write, read, stops) \
  {SettingId::key, #key, SettingStored::stored, SettingHeld::held, byDefault, min, max, write, read, stops},
    KPX_SETTINGS(KPX_SETTING_SPEC)
#undef KPX_SETTING_SPEC
};

inline constexpr int kSettingCount = static_cast<int>(sizeof kSettings / sizeof kSettings[0]);

// Steps of the first-start write:
//   1 tool grouping · 2 sizes and landing · 3 kinds · 4 the custom arrowhead ·
//   5 text offsets, corner radius · 6 sound and click rules · 7 head angles ·
//   8 colours · 9 text gaps · 10 magnetism, layer, arrowheads or points ·
//   11 Fleche's outline put in force · 12 the panel's two keys · 13 font ·
//   14 text size, font offset · 15 free texts · 16 the custom corner
// Steps of the start-up read:
//   1 tool grouping, sizes, landing, arrowheads or points · 2 label shape ·
//   3 text offsets, corner radius, sound and click rules, head angles ·
//   4 colours · 5 text gaps, magnetism, layer · 6 the custom arrowhead ·
//   7 Fleche · 8 font, text size, font offset · 9 free texts ·
//   10 the custom corner's points · 11 symmetry, corner switches
inline constexpr int kLastWriteStep = 16;
inline constexpr int kLastReadStep = 11;
// Steps that do more than store or read their settings one by one.
inline constexpr int kWriteArrowheadStep = 4;  // its settings, then its point list
inline constexpr int kWriteArrowKindStep = 11;
inline constexpr int kWritePanelStep = 12;
inline constexpr int kWriteCornerStep = 16;     // its settings, then its point list
inline constexpr int kReadArrowheadStep = 6;    // the count first: none usable gives the defaults
inline constexpr int kReadArrowKindStep = 7;    // through the arrowhead-kind selection
inline constexpr int kReadCornerStep = 10;      // as the arrowhead

inline constexpr const SettingRow& RowOf(SettingId id) { return kSettings[static_cast<int>(id)]; }

// The setting stored under `key`, or null.
inline constexpr const SettingRow* FindSetting(std::string_view key) {
  for (const SettingRow& row : kSettings)
    if (key == row.key) return &row;
  return nullptr;
}

namespace settings_table_checks {

constexpr bool StoredAsHeld(SettingStored stored, SettingHeld held) {
  switch (held) {
    case SettingHeld::Bool32: return stored == SettingStored::Boolean;
    case SettingHeld::Int8:
    case SettingHeld::Int16: return stored == SettingStored::Integer;
    case SettingHeld::Int32: return stored == SettingStored::Integer || stored == SettingStored::Real;
    case SettingHeld::Float: return stored == SettingStored::Real;
    case SettingHeld::Text: return stored == SettingStored::String;
  }
  return false;
}

constexpr bool Consistent() {
  int step = 0;
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingRow& s = kSettings[i];
    if (static_cast<int>(s.id) != i) return false;
    if (!StoredAsHeld(s.stored, s.held)) return false;
    if ((s.held == SettingHeld::Text) != (s.byDefault.text != nullptr)) return false;
    if (s.writeStep < step || s.writeStep > kLastWriteStep) return false;  // the list is in store order
    if (s.readStep < 1 || s.readStep > kLastReadStep) return false;
    if (!(s.min <= s.max)) return false;
    if (s.byDefault.text == nullptr && (s.byDefault.number < s.min || s.byDefault.number > s.max)) return false;
    step = s.writeStep;
  }
  return true;
}

static_assert(Consistent(), "a row of KPX_SETTINGS contradicts itself or is out of store order");
static_assert(RowOf(SettingId::NbPtsFlEdit).writeStep == kWriteArrowheadStep &&
              RowOf(SettingId::NbPtsFlEdit).readStep == kReadArrowheadStep &&
              RowOf(SettingId::Fleche).readStep == kReadArrowKindStep &&
              RowOf(SettingId::NbPtsArrondiEdit).writeStep == kWriteCornerStep &&
              RowOf(SettingId::NbPtsArrondiEdit).readStep == kReadCornerStep,
              "the special steps hold the settings they handle");

}  // namespace settings_table_checks
