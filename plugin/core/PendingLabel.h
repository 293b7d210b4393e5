// The values in force for the label being drawn and the next ones: set from
// the settings when the panel is built, and the arrowhead outline chosen
// from the kind.
#pragma once

#include "core/State.h"
#include "geometry/Arrowheads.h"

// The leader line's direction and length a new label starts with.
constexpr float kInitialLeaderAngle = 0.7853982f;  // pi / 4
constexpr float kInitialLeaderLength = 85.03937f;  // 30 mm

// What the outline choice reads from the settings.
HeadSettings HeadSettingsFrom(const State& g);

// Puts the outline of `kind` (arrowheads or points by ArrowsOn) in force in
// HeadPoints. False, changing nothing, for a kind outside 1..4 or an unusable
// custom arrowhead. The panel's kind buttons use this one.
bool ChooseArrowOutline(int kind);

// ChooseArrowOutline, and on success the kind becomes the setting Fleche
// (not stored).
bool ApplyArrowKind(int kind);

// The free text in use and its length, truncated to 50 characters.
void SetCurrentFreeText(const char* text);

// The font of the label text: the place in the host's font list of the last
// font whose name is Police or begins it, moved by VariablePolice; 0 (the
// first font) when none matches. The panel's font list selects the same.
int32_t MatchedFontIndex();

// The initial values of the pending label from the settings, an empty
// pending label (no leader lines, no click), and the three path styles.
void InitPendingLabel();
