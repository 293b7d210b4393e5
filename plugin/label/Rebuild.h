// Building a label's art: starting a label, adding leader lines, and the
// rebuild that rewrites every part of the pending label in place.
#pragma once

#include "host/AITypes.h"

// Creates the label group inside the layer group, on top, with its "Arrows"
// and "Lines" groups, and names it after its shape.
ASErr StartLabel(AIArtHandle layerGroup);
// Names the label group after the shape in force.
ASErr NameLabelGroup();
// Counts one more leader line and creates its art. Returns whether a line
// was added: not while a label is taken up, nor when the label already has
// its most lines (the count then drops back by two).
bool AddLeaderLine();
// Rewrites the pending label from the values in force; does nothing until a
// click was accepted and dragged. Returns the code of its last major step.
ASErr Rebuild();
