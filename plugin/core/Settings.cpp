// [SECTION] Store and read helpers
// [SECTION] One setting
// [SECTION] Defaults
// [SECTION] Point lists
// [SECTION] First-start write
// [SECTION] Start-up read

#include "core/Settings.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

#include "core/FixedText.h"
#include "core/Suites.h"
#include "core/PendingLabel.h"

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
// [SECTION] One setting
//-----------------------------------------------------------------------------

namespace {

// The state block's field of each setting, generated from the list.
struct SettingField {
  void* address;
  std::size_t size;
};

SettingField FieldOf(State& g, SettingId id) {
  switch (id) {
#define KPX_SETTING_FIELD(key, stored, held, field, ...) \
  case SettingId::key: return {&g.field, sizeof g.field};
    KPX_SETTINGS(KPX_SETTING_FIELD)
#undef KPX_SETTING_FIELD
  }
  return {nullptr, 0};
}

const void* FieldOf(const State& g, SettingId id) { return FieldOf(const_cast<State&>(g), id).address; }

// Each row's field must be what its held type says, and a text's buffer
// must hold its longest text and the terminator.
template <SettingHeld H>
struct HeldAs;
template <>
struct HeldAs<SettingHeld::Bool32> { using type = ASBoolean; };
template <>
struct HeldAs<SettingHeld::Int8> { using type = int8_t; };
template <>
struct HeldAs<SettingHeld::Int16> { using type = int16_t; };
template <>
struct HeldAs<SettingHeld::Int32> { using type = int32_t; };
template <>
struct HeldAs<SettingHeld::Float> { using type = float; };

template <SettingHeld H, class Field>
constexpr bool FieldHolds(double maxLength) {
  if constexpr (H == SettingHeld::Text) {
    return std::is_array_v<Field> && std::is_same_v<std::remove_extent_t<Field>, char> &&
           std::extent_v<Field> == static_cast<std::size_t>(maxLength) + 1;
  } else {
    return std::is_same_v<Field, typename HeldAs<H>::type>;
  }
}

#define KPX_CHECK_SETTING_FIELD(key, stored, held, field, byDefault, min, max, ...)                          \
  static_assert(FieldHolds<SettingHeld::held, std::remove_reference_t<decltype(std::declval<State&>().field)>>( \
                    max),                                                                                     \
                "the field of " #key " is not held as " #held);
KPX_SETTINGS(KPX_CHECK_SETTING_FIELD)
#undef KPX_CHECK_SETTING_FIELD

bool InRange(const SettingRow& row, double value) { return value >= row.min && value <= row.max; }

// A whole-number field: the value truncated toward zero, when the field can hold it.
template <class T>
bool SetWhole(void* field, const SettingRow& row, double value) {
  if (!std::isfinite(value)) return false;
  const double whole = std::trunc(value);
  if (whole < static_cast<double>(std::numeric_limits<T>::min()) ||
      whole > static_cast<double>(std::numeric_limits<T>::max()) || !InRange(row, whole))
    return false;
  *static_cast<T*>(field) = static_cast<T>(whole);
  return true;
}

}  // namespace

double SettingNumber(const State& g, SettingId id) {
  const void* field = FieldOf(g, id);
  switch (RowOf(id).held) {
    case SettingHeld::Bool32: return *static_cast<const ASBoolean*>(field) != 0 ? 1.0 : 0.0;
    case SettingHeld::Int8: return *static_cast<const int8_t*>(field);
    case SettingHeld::Int16: return *static_cast<const int16_t*>(field);
    case SettingHeld::Int32: return *static_cast<const int32_t*>(field);
    case SettingHeld::Float: return *static_cast<const float*>(field);
    case SettingHeld::Text: break;
  }
  return 0.0;
}

bool SetSettingNumber(State& g, SettingId id, double value) {
  const SettingRow& row = RowOf(id);
  void* field = FieldOf(g, id).address;
  switch (row.held) {
    case SettingHeld::Bool32:
      if (std::isnan(value)) return false;
      *static_cast<ASBoolean*>(field) = value != 0.0 ? 1 : 0;
      return true;
    case SettingHeld::Int8: return SetWhole<int8_t>(field, row, value);
    case SettingHeld::Int16: return SetWhole<int16_t>(field, row, value);
    case SettingHeld::Int32: return SetWhole<int32_t>(field, row, value);
    case SettingHeld::Float: {
      float narrow = 0;
      if (!NarrowToFloat(value, narrow) || !InRange(row, narrow)) return false;
      *static_cast<float*>(field) = narrow;
      return true;
    }
    case SettingHeld::Text: break;
  }
  return false;
}

const char* SettingText(const State& g, SettingId id) {
  if (RowOf(id).held != SettingHeld::Text) return "";
  return static_cast<const char*>(FieldOf(g, id));
}

bool SetSettingText(State& g, SettingId id, const char* text) {
  const SettingRow& row = RowOf(id);
  if (row.held != SettingHeld::Text || text == nullptr) return false;
  if (static_cast<double>(std::strlen(text)) < row.min) return false;
  const SettingField field = FieldOf(g, id);
  CopyText(static_cast<char*>(field.address), field.size, text);
  return true;
}

void SetSettingDefault(State& g, SettingId id) {
  const SettingRow& row = RowOf(id);
  if (row.held == SettingHeld::Text) {
    const SettingField field = FieldOf(g, id);
    CopyText(static_cast<char*>(field.address), field.size, row.byDefault.text);
  } else {
    SetSettingNumber(g, id, row.byDefault.number);
  }
}

ASErr StoreSetting(SettingId id) {
  const State& g = *gState;
  const SettingRow& row = RowOf(id);
  switch (row.stored) {
    case SettingStored::Boolean: return StoreBoolean(row.key, SettingNumber(g, id) != 0.0 ? 1 : 0);
    case SettingStored::Integer: return StoreInteger(row.key, static_cast<int32_t>(SettingNumber(g, id)));
    case SettingStored::Real:
      return sAIPreference->PutRealPreference(kSettingsSection, row.key, SettingNumber(g, id));
    case SettingStored::String: return StoreString(row.key, SettingText(g, id));
    case SettingStored::Point: break;  // the panel's keys only
  }
  return kBadParameterErr;
}

ASErr StoreSettings(std::initializer_list<SettingId> ids) {
  ASErr first = kNoErr;
  for (const SettingId id : ids) {
    const ASErr err = StoreSetting(id);
    if (first == kNoErr) first = err;
  }
  return first;
}

bool ReadSetting(SettingId id) {
  State& g = *gState;
  const SettingRow& row = RowOf(id);
  switch (row.stored) {
    case SettingStored::Boolean: {
      ASBoolean value = 0;
      if (sAIPreference->GetBooleanPreference(kSettingsSection, row.key, &value) != kNoErr) return false;
      return SetSettingNumber(g, id, value != 0 ? 1.0 : 0.0);
    }
    case SettingStored::Integer: {
      int32_t value = 0;
      if (sAIPreference->GetIntegerPreference(kSettingsSection, row.key, &value) != kNoErr) return false;
      return SetSettingNumber(g, id, value);
    }
    case SettingStored::Real: {
      double value = 0;
      if (sAIPreference->GetRealPreference(kSettingsSection, row.key, &value) != kNoErr) return false;
      return SetSettingNumber(g, id, value);
    }
    case SettingStored::String: {
      char value[1024] = {};
      if (sAIPreference->GetStringPreference(kSettingsSection, row.key, value, sizeof value) != kNoErr) return false;
      value[sizeof value - 1] = '\0';
      return SetSettingText(g, id, value);
    }
    case SettingStored::Point: break;
  }
  return false;
}

//-----------------------------------------------------------------------------
// [SECTION] Defaults
//-----------------------------------------------------------------------------

namespace {

constexpr int kDefaultArrowheadCount = static_cast<int>(RowOf(SettingId::NbPtsFlEdit).byDefault.number);
constexpr int kDefaultCornerCount = static_cast<int>(RowOf(SettingId::NbPtsArrondiEdit).byDefault.number);

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

// Sets the settings of one step of the first-start write, and the list, to their defaults.
void SetArrowheadDefaults(State& g) {
  for (const SettingRow& row : kSettings)
    if (row.writeStep == kWriteArrowheadStep) SetSettingDefault(g, row.id);
  g.PtFlEdit = DefaultArrowheadPoints();
}

void SetCornerDefaults(State& g) {
  for (const SettingRow& row : kSettings)
    if (row.writeStep == kWriteCornerStep) SetSettingDefault(g, row.id);
  g.PtArEdit = DefaultCornerPoints();
}

}  // namespace

BezierPointList DefaultArrowheadPoints() { return ListFromTable(kArrowheadTable); }
BezierPointList DefaultCornerPoints() { return ListFromTable(kCornerTable); }

int StoredPointEntries(int count) { return count >= kPointListBlock ? kPointListCapacity : kPointListBlock; }

void SetDefaultSettings(State& g) {
  for (const SettingRow& row : kSettings) SetSettingDefault(g, row.id);
  g.PtFlEdit = DefaultArrowheadPoints();
  g.PtArEdit = DefaultCornerPoints();
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

// No editor makes an outline point this far out; one stored there would only
// overflow the editors' pixels.
constexpr double kFarthestPointCoordinate = 1000.0;

// Reads a stored coordinate less the offset. A missing key keeps the entry;
// false when a stored value is not a finite float or lies out of range.
bool ReadPointValue(const char* base, int index, float& value) {
  char key[32];
  PointKey(key, base, index);
  double read = 0;
  if (sAIPreference->GetRealPreference(kSettingsSection, key, &read) != kNoErr) return true;
  const double coordinate = read - kPointKeyOffset;
  if (std::fabs(coordinate) > kFarthestPointCoordinate) return false;
  return NarrowToFloat(coordinate, value);
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

namespace {

// Stores every setting of one step of the first-start write, in table order,
// whatever fails. Returns the first failing code.
ASErr StoreEveryOfStep(int step) {
  ASErr first = kNoErr;
  for (const SettingRow& row : kSettings) {
    if (row.writeStep != step) continue;
    const ASErr err = StoreSetting(row.id);
    if (first == kNoErr) first = err;
  }
  return first;
}

}  // namespace

ASErr WriteArrowheadDefaults() {
  SetArrowheadDefaults(*gState);
  const ASErr first = StoreEveryOfStep(kWriteArrowheadStep);
  const ASErr points = StoreArrowheadPoints();
  return first != kNoErr ? first : points;
}

ASErr WriteCornerDefaults() {
  SetCornerDefaults(*gState);
  const ASErr first = StoreEveryOfStep(kWriteCornerStep);
  const ASErr points = StoreCornerPoints();
  return first != kNoErr ? first : points;
}

//-----------------------------------------------------------------------------
// [SECTION] First-start write
//-----------------------------------------------------------------------------

namespace {

bool KeyStored(const char* key, SettingStored stored) {
  switch (stored) {
    case SettingStored::Boolean: {
      ASBoolean value = 0;
      return sAIPreference->GetBooleanPreference(kSettingsSection, key, &value) == kNoErr;
    }
    case SettingStored::Integer: {
      int32_t value = 0;
      return sAIPreference->GetIntegerPreference(kSettingsSection, key, &value) == kNoErr;
    }
    case SettingStored::Real: {
      double value = 0;
      return sAIPreference->GetRealPreference(kSettingsSection, key, &value) == kNoErr;
    }
    case SettingStored::String: {
      char value[1024] = {};
      return sAIPreference->GetStringPreference(kSettingsSection, key, value, sizeof value) == kNoErr;
    }
    case SettingStored::Point: {
      AIPoint value{};
      return sAIPreference->GetPointPreference(kSettingsSection, key, &value) == kNoErr;
    }
  }
  return false;
}

// The runtime values that follow the settings at once.
void ApplyRuntimeFromSettings() {
  State& g = *gState;
  g.ArrowsOn = g.FouP;
  ApplyArrowKind(g.Fleche);
  SetCurrentFreeText(g.TexteLibre[0]);
}

// Stores the settings of one step of the first-start write, in table order.
// A failed store of a setting whose failure matters stops it: its code.
ASErr StoreStepUnlessStopped(int step) {
  for (const SettingRow& row : kSettings) {
    if (row.writeStep != step) continue;
    const ASErr err = StoreSetting(row.id);
    if (err != kNoErr && row.stopsWrite) return err;
  }
  return kNoErr;
}

}  // namespace

bool IsFirstStart() {
  for (const SettingRow& row : kSettings)
    if (KeyStored(row.key, row.stored)) return false;
  for (const PanelKey& panel : kPanelKeys)
    if (KeyStored(panel.key, panel.stored)) return false;
  return true;
}

ASErr WriteDefaultSettings() {
  State& g = *gState;
  // Everything is set first, so that a store that fails below stops the
  // stores but never leaves a setting without its value. Fleche's outline is
  // put in force here too, rather than at its own step.
  SetDefaultSettings(g);
  DefaultFontName(g.Police);
  ApplyRuntimeFromSettings();

  for (int step = 1; step <= kLastWriteStep; ++step) {
    ASErr err = kNoErr;
    switch (step) {
      case kWriteArrowheadStep: WriteArrowheadDefaults(); break;  // its failures do not stop the write
      case kWriteArrowKindStep: break;                            // done above
      case kWritePanelStep:
        StoreBoolean(keys::Visible, 1);
        StoreInteger(keys::TaillePalette, 1);
        break;
      case kWriteCornerStep: WriteCornerDefaults(); break;
      default: err = StoreStepUnlessStopped(step); break;
    }
    if (err != kNoErr) return err;
  }
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Start-up read
//-----------------------------------------------------------------------------

namespace {

// What follows the read of some settings at once.
void AfterRead(SettingId id) {
  State& g = *gState;
  switch (id) {
    case SettingId::FouP: g.ArrowsOn = g.FouP; break;
    case SettingId::Police:
      if (g.Police[0] == '\0') DefaultFontName(g.Police);  // none stored: the host's
      break;
    case SettingId::TexteLibre1: SetCurrentFreeText(g.TexteLibre[0]); break;
    default: break;
  }
}

void ReadArrowheadSettings() {
  State& g = *gState;
  int8_t count = 0;
  if (!ReadPointCount(keys::NbPtsFlEdit, count)) {
    WriteArrowheadDefaults();
    return;
  }
  for (const SettingRow& row : kSettings)
    if (row.readStep == kReadArrowheadStep && row.id != SettingId::NbPtsFlEdit) ReadSetting(row.id);
  BezierPointList list = DefaultArrowheadPoints();
  if (!ReadPointList(kArrowheadPointKeys, count, list)) {
    WriteArrowheadDefaults();
    return;
  }
  g.NbPtsFlEdit = count;
  g.PtFlEdit = list;
}

// The kind's outline is chosen once the custom arrowhead is known; a kind
// outside 1..4, or a custom arrowhead that cannot be drawn, changes nothing.
void ReadArrowKind() {
  State& g = *gState;
  int32_t kind = g.Fleche;
  ReadInteger(keys::Fleche, kind);
  if (!ApplyArrowKind(kind)) ApplyArrowKind(g.Fleche);
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
  // Start from the defaults: a key that is missing, unreadable or out of
  // range leaves its setting at the default.
  SetDefaultSettings(*gState);
  for (int step = 1; step <= kLastReadStep; ++step) {
    switch (step) {
      case kReadArrowheadStep: ReadArrowheadSettings(); break;
      case kReadArrowKindStep: ReadArrowKind(); break;
      case kReadCornerStep: ReadCornerSettings(); break;
      default:
        for (const SettingRow& row : kSettings) {
          if (row.readStep != step) continue;
          ReadSetting(row.id);
          AfterRead(row.id);
        }
        break;
    }
  }
}

void LoadSettingsAtStart() {
  if (IsFirstStart()) {
    WriteDefaultSettings();
  } else {
    ReadAllSettings();
  }
}
