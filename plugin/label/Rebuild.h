// Building a label's art: starting a label, adding leader lines, and the
// rebuild that rewrites every part of the pending label in place.
#pragma once

#include "host/AITypes.h"

// Creates the label group inside the layer group, on top, with its "Arrows"
// and "Lines" groups, and names it after its shape. When the host refuses a
// step, what was made is removed again.
ASErr StartLabel(AIArtHandle layerGroup);
// Names the label group after the shape in force.
ASErr NameLabelGroup();
// What adding a leader line did.
enum class LeaderLineAdded {
  None,      // a label is being taken up: no line is added
  Added,     // the count went up by one and the line's art exists
  OverLimit,  // the label already had its most lines: the count dropped back by
              // two and the line at the new count is no longer counted
  Refused     // the host refused the line or its tag: the count went up, but
              // nothing of the line exists; the click is to be abandoned
};
// Counts one more leader line and creates its art. On Refused, *refused
// holds the host's code.
LeaderLineAdded AddLeaderLine(ASErr* refused = nullptr);
// Removes the line and head at the current count: the ones a click over the
// limit left uncounted. Called once the click is accepted, so that a refused
// click leaves a taken-up label whole.
void DropUncountedLeaderLine();
// Rewrites the pending label from the values in force; does nothing until a
// click was accepted and dragged. Returns the code of its last major step.
ASErr Rebuild();
