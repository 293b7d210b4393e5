// Names and JSON shapes shared by the dump and the SVG writer.
#pragma once

#include <nlohmann/json.hpp>

#include "host/AITypes.h"

namespace hostsim {

// {"gray": g}, {"rgb": [r, g, b]}, or null for no colour.
nlohmann::json ColorJson(const AIColor& color);
// "left", "right" or "center".
const char* JustificationName(int justification);

}  // namespace hostsim
