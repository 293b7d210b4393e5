// Taking up a finished label again from a click on one of its leader lines.
#pragma once

#include "host/AITypes.h"

// Makes the label of `hitLine` the pending label: its lines, heads, tips,
// text and shape. Checks the label's structure first and changes nothing,
// returning false, when it is not a label's leader line as this tool draws it.
bool TakeUpLabel(AIArtHandle hitLine);
