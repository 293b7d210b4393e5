// The settings under the section "KPXEtiquette": their defaults, the
// first-start write and the start-up read, all made from the list in
// core/SettingsTable.h, and the stores and reads by setting that the panel,
// dialogs and editors use for what they edit. A setting's key is also the
// name of its field in State.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/SettingsTable.h"
#include "core/State.h"
#include "host/SPBasic.h"

inline constexpr const char* kSettingsSection = "KPXEtiquette";

// The keys by name: keys::Pointes is "Pointes".
namespace keys {
#define KPX_SETTING_KEY(key, ...) inline constexpr const char* key = #key;
KPX_SETTINGS(KPX_SETTING_KEY)
#undef KPX_SETTING_KEY
inline constexpr const char* TexteLibre[kFreeTexts] = {TexteLibre1, TexteLibre2, TexteLibre3, TexteLibre4,
                                                       TexteLibre5};
// The panel's keys.
inline constexpr const char* PositionPalette = "PositionPalette";
inline constexpr const char* TaillePalette = "TaillePalette";
inline constexpr const char* DockCode = "kADM_DPDockCodeStr";
inline constexpr const char* DockGroup = "kADM_DPDockGroupStr";
inline constexpr const char* Visible = "kADM_DPVisibleStr";
}  // namespace keys

// The panel's keys and how each is stored: the section's keys beside the settings.
struct PanelKey {
  const char* key;
  SettingStored stored;
};
inline constexpr PanelKey kPanelKeys[] = {{keys::PositionPalette, SettingStored::Point},
                                          {keys::TaillePalette, SettingStored::Integer},
                                          {keys::DockCode, SettingStored::Integer},
                                          {keys::DockGroup, SettingStored::String},
                                          {keys::Visible, SettingStored::Boolean}};

// Key bases of the two point lists; entry i of list L is base + i.
struct PointListKeys {
  const char* X;
  const char* Y;
  const char* IX;
  const char* IY;
  const char* OX;
  const char* OY;
};
inline constexpr PointListKeys kArrowheadPointKeys = {"PtFlEditX", "PtFlEditY", "PtINOUTEditIX",
                                                      "PtINOUTEditIY", "PtINOUTEditOX", "PtINOUTEditOY"};
inline constexpr PointListKeys kCornerPointKeys = {"PtArEditX", "PtArEditY", "ArINOUTEditIX",
                                                   "ArINOUTEditIY", "ArINOUTEditOX", "ArINOUTEditOY"};

// Stored coordinates carry this offset.
constexpr double kPointKeyOffset = 6.0;

// Entries of a point list that are stored and read: 10, or 20 from a count of 10.
int StoredPointEntries(int count);

// The editors' default lists (entries beyond the count are zero).
BezierPointList DefaultArrowheadPoints();
BezierPointList DefaultCornerPoints();

//-----------------------------------------------------------------------------
// One setting, by its id (RowOf gives its key, range and default; FindSetting
// finds it by key)
//-----------------------------------------------------------------------------

// A number setting's value in g (booleans 0 or 1); 0 for a text setting.
double SettingNumber(const State& g, SettingId id);
// Sets a number setting in g when `value` lies in its range and its field can
// hold it (truncated toward zero for whole-number fields, 0 or 1 for
// booleans); false, changing nothing, otherwise and for a text setting.
bool SetSettingNumber(State& g, SettingId id, double value);
// A text setting's value in g; "" for a number setting.
const char* SettingText(const State& g, SettingId id);
// Sets a text setting in g, cut to its buffer, unless it is shorter than its
// minimum length (empty); false, changing nothing, then and for a number setting.
bool SetSettingText(State& g, SettingId id, const char* text);
// Sets the setting's default in g ("" for the font, see DefaultFontName).
void SetSettingDefault(State& g, SettingId id);

// Stores the setting's value in force under its key, as the store holds it.
ASErr StoreSetting(SettingId id);
// Stores each setting in turn (a dialog's keys on OK); returns the first
// failing code, the later stores done all the same.
ASErr StoreSettings(std::initializer_list<SettingId> ids);
// Reads the setting into the state block when its stored value is of its
// type and acceptable (SetSettingNumber, SetSettingText); false otherwise,
// the setting unchanged.
bool ReadSetting(SettingId id);

//-----------------------------------------------------------------------------
// Every setting
//-----------------------------------------------------------------------------

// Sets every setting field of g to its default, without the host: the font
// name is left empty (DefaultFontName supplies it).
void SetDefaultSettings(State& g);

// The first font the host offers, its name kept to 255 characters.
// Returns the host's code; the name is empty on failure.
ASErr DefaultFontName(char (&name)[kFontNameSize]);

// True when nothing is stored in the section: no setting and no panel key
// can be read with its type. (Point-list entries are not looked at: without
// their count key they are never read.)
bool IsFirstStart();

// First start: sets every setting to its default in memory, then stores them
// in order. Stops at the first failing store among the keys whose failure
// matters and returns its code; the settings in memory keep their defaults.
ASErr WriteDefaultSettings();
// Later starts: every setting from the store. Unreadable, non-finite or
// out-of-range values keep the default; never stops.
void ReadAllSettings();
// WriteDefaultSettings on a first start, else ReadAllSettings.
void LoadSettingsAtStart();

// Sets and stores the custom arrowhead's and the custom corner's defaults.
// Return the first failing code (the stores go on after it).
ASErr WriteArrowheadDefaults();
ASErr WriteCornerDefaults();

// Stores the point list in force, in blocks of ten (editors' OK).
ASErr StoreArrowheadPoints();
ASErr StoreCornerPoints();

// Typed stores under the section.
ASErr StoreBoolean(const char* key, ASBoolean value);
ASErr StoreInteger(const char* key, int32_t value);
ASErr StoreString(const char* key, const char* value);

// Typed reads: true and the value on success; the value is untouched when the
// key is missing or of another type.
bool ReadBoolean(const char* key, ASBoolean& value);
bool ReadInteger(const char* key, int32_t& value);
// Into a buffer of size bytes, truncated and always terminated.
bool ReadString(const char* key, char* value, int32_t size);
