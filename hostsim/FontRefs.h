// Text-engine font refs handed out by the AI Font suite: each live ref names
// one entry of the host's font list. Released through the ATE Font suite.
#pragma once

#include <cstddef>
#include <optional>

#include "host/AISuites.h"

namespace hostsim {

// A new live ref to the font at fontIndex of the host's list.
ATEFontRef MakeFontRef(std::size_t fontIndex);
// The font index of a live ref; nothing for a released, null or foreign ref.
std::optional<std::size_t> FontIndexFromRef(ATEFontRef ref);
// False for a ref that is not live (nothing happens then).
bool ReleaseFontRef(ATEFontRef ref);
std::size_t LiveFontRefs();
// Forgets every ref (a new host starts with none).
void ResetFontRefs();

}  // namespace hostsim
