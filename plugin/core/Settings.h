// The settings: their preference keys under the section "KPXEtiquette",
// their defaults, the first-start write and the start-up read, and the
// typed store and read helpers the panel, dialogs and editors use to store
// what they edit. A setting's key is also the name of its field in State.
#pragma once

#include <cstdint>

#include "core/State.h"
#include "host/SPBasic.h"

inline constexpr const char* kSettingsSection = "KPXEtiquette";

namespace keys {
inline constexpr const char* Etiquette = "Etiquette";
inline constexpr const char* Fleche = "Fleche";
inline constexpr const char* RVBC = "RVBC";
inline constexpr const char* RougeGrisC = "RougeGrisC";
inline constexpr const char* VertC = "VertC";
inline constexpr const char* BleuC = "BleuC";
inline constexpr const char* RVBF = "RVBF";
inline constexpr const char* Fond = "Fond";
inline constexpr const char* RougeGrisF = "RougeGrisF";
inline constexpr const char* VertF = "VertF";
inline constexpr const char* BleuF = "BleuF";
inline constexpr const char* OutilsGroupe = "OutilsGroupe";
inline constexpr const char* InterieurObjet = "InterieurObjet";
inline constexpr const char* Calque = "Calque";
inline constexpr const char* ClicDansVide = "ClicDansVide";
inline constexpr const char* Son = "Son";
inline constexpr const char* Magnetisme = "Magnetisme";
inline constexpr const char* FouP = "FouP";
inline constexpr const char* NbPtsFlEdit = "NbPtsFlEdit";
inline constexpr const char* FouOEdit = "FouOEdit";
inline constexpr const char* CouPEdit = "CouPEdit";
inline constexpr const char* FlecheCreuse = "FlecheCreuse";
inline constexpr const char* DebEditSegX = "DebEditSegX";
inline constexpr const char* DebEditSegY = "DebEditSegY";
inline constexpr const char* SymetriEdit = "SymetriEdit";
inline constexpr const char* SymetrieArrondiEdit = "SymetrieArrondiEdit";
inline constexpr const char* NbPtsArrondiEdit = "NbPtsArrondiEdit";
inline constexpr const char* CoinHG = "CoinHG";
inline constexpr const char* CoinHD = "CoinHD";
inline constexpr const char* CoinBG = "CoinBG";
inline constexpr const char* CoinBD = "CoinBD";
inline constexpr const char* TexteLibre[kFreeTexts] = {"TexteLibre1", "TexteLibre2", "TexteLibre3", "TexteLibre4",
                                                       "TexteLibre5"};
inline constexpr const char* RayonArrondi = "RayonArrondi";
inline constexpr const char* Pointes = "Pointes";
inline constexpr const char* Epaisseur = "Epaisseur";
inline constexpr const char* Attaches = "Attaches";
inline constexpr const char* DecalageVerti = "DecalageVerti";
inline constexpr const char* DecalageHoriz = "DecalageHoriz";
inline constexpr const char* AnglePointe1 = "AnglePointe1";
inline constexpr const char* AnglePointe2 = "AnglePointe2";
inline constexpr const char* DecalageHorizTexte = "DecalageHorizTexte";
inline constexpr const char* DecalageVertiTexte = "DecalageVertiTexte";
inline constexpr const char* Tolerance = "Tolerance";
inline constexpr const char* Police = "Police";
inline constexpr const char* Corps = "Corps";
inline constexpr const char* VariablePolice = "VariablePolice";
// The panel's keys.
inline constexpr const char* PositionPalette = "PositionPalette";
inline constexpr const char* TaillePalette = "TaillePalette";
inline constexpr const char* DockCode = "kADM_DPDockCodeStr";
inline constexpr const char* DockGroup = "kADM_DPDockGroupStr";
inline constexpr const char* Visible = "kADM_DPVisibleStr";
}  // namespace keys

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

// Defaults that callers outside the settings need.
constexpr float kDefaultEpaisseur = 0.24f;
constexpr float kDefaultAttaches = 17.007874f;  // 6 mm
constexpr float kDefaultCorps = 12.0f;
inline constexpr const char* kDefaultFreeTexts[kFreeTexts] = {"Face", "Profil", "Dessus", "Dessous", "Avant"};

// Entries of a point list that are stored and read: 10, or 20 from a count of 10.
int StoredPointEntries(int count);

// The editors' default lists (entries beyond the count are zero).
BezierPointList DefaultArrowheadPoints();
BezierPointList DefaultCornerPoints();
constexpr int8_t kDefaultArrowheadCount = 6;
constexpr int8_t kDefaultCornerCount = 2;

// Sets every setting field of g to its default, without the host: the font
// name is left empty (DefaultFontName supplies it).
void SetDefaultSettings(State& g);

// The first font the host offers, its name kept to 255 characters.
// Returns the host's code; the name is empty on failure.
ASErr DefaultFontName(char (&name)[kFontNameSize]);

// True when no key of the section has been stored yet (none of the keys the
// first-start write always stores first can be read).
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

// Typed stores under the section. Reals are widened from single precision.
ASErr StoreBoolean(const char* key, ASBoolean value);
ASErr StoreInteger(const char* key, int32_t value);
ASErr StoreReal(const char* key, float value);
ASErr StoreString(const char* key, const char* value);

// Typed reads: true and the value on success; the value is untouched when the
// key is missing or of another type, and, for reals, when the stored value
// is not a finite float.
bool ReadBoolean(const char* key, ASBoolean& value);
bool ReadInteger(const char* key, int32_t& value);
bool ReadReal(const char* key, float& value);
// Into a buffer of size bytes, truncated and always terminated.
bool ReadString(const char* key, char* value, int32_t size);
