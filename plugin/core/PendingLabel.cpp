#include "core/PendingLabel.h"

#include <cstring>

#include "core/FixedText.h"
#include "core/Suites.h"
#include "geometry/FontMatch.h"
#include "core/PathStyles.h"

HeadSettings HeadSettingsFrom(const State& g) {
  HeadSettings s{};
  s.openAngleDegrees = g.AnglePointe1;
  s.triangleAngleDegrees = g.AnglePointe2;
  s.hollowTriangle = g.FlecheCreuse != 0;
  s.customCount = g.NbPtsFlEdit;
  s.customClosed = g.FouOEdit != 0;
  s.customHollow = g.CouPEdit != 0;
  s.customLineStartX = g.DebEditSegX;
  return s;
}

bool ChooseArrowOutline(int kind) {
  State& g = *gState;
  return ChooseHeadOutline(kind, g.ArrowsOn != 0, HeadSettingsFrom(g), g.PtFlEdit, g.HeadPoints);
}

bool ApplyArrowKind(int kind) {
  if (!ChooseArrowOutline(kind)) return false;
  gState->Fleche = kind;
  return true;
}

void SetCurrentFreeText(const char* text) {
  State& g = *gState;
  g.FreeTextLength = static_cast<int32_t>(CopyText(g.CurrentFreeText, text));
}

int32_t MatchedFontIndex() {
  const State& g = *gState;
  int32_t count = 0;
  if (sAIFont->CountFonts(&count) != kNoErr) return 0;
  int32_t match = 0;
  for (int32_t i = 0; i < count; ++i) {
    AIFontKey key = nullptr;
    char name[kFontNameBuffer] = {};
    // A name the host cannot give matches nothing.
    if (sAIFont->IndexFontList(i, &key) != kNoErr ||
        sAIFont->GetFullFontName(key, name, static_cast<int16_t>(sizeof name)) != kNoErr)
      continue;
    name[sizeof name - 1] = '\0';
    match = FoldFontMatch(match, i, name, g.Police, g.VariablePolice);
  }
  return match;
}

void InitPendingLabel() {
  State& g = *gState;
  g.ShapeKind = g.Etiquette;
  g.ShapeOn = g.ShapeKind != 0;

  g.ArrowsOn = g.FouP;
  const int kind = g.Fleche >= 1 && g.Fleche <= 4 ? g.Fleche : 1;
  if (!ApplyArrowKind(kind)) ApplyArrowKind(1);
  g.ArrowKind = g.Fleche;

  g.ArrowSizeInForce = g.Pointes;
  g.ArrowSizeShown = g.Pointes;
  g.ArrowheadsOn = g.Pointes != 0;
  g.LineWidthInForce = g.Epaisseur;
  g.LineWidthShown = g.Epaisseur;
  g.LandingLength = g.Attaches;
  g.LandingLengthShown = g.Attaches;
  g.TextOffsetH = g.DecalageHoriz;
  g.TextOffsetV = g.DecalageVerti;
  g.TextGapH = g.DecalageHorizTexte;
  g.TextGapV = g.DecalageVertiTexte;
  if (g.FreeTextLength == 0) SetCurrentFreeText(g.TexteLibre[0]);
  g.FontListIndex = MatchedFontIndex();

  g.EqualSides = 1;
  g.LeaderAngle = kInitialLeaderAngle;
  g.LeaderLength = kInitialLeaderLength;
  g.NumberOn = 1;
  g.LetterOn = 0;
  g.FreeTextOn = 0;
  g.TextOn = 1;
  g.LabelNumber = 1;
  g.LabelLetter = 'A';
  g.KeepIndexOnce = 1;
  g.FlipSide = 0;
  g.LabelBuilt = 0;
  g.ClickAccepted = 0;
  g.ArrowCount = 0;

  UpdatePathStyles();
}
