// Values with units, as the toolkit shows and reads them. Length units hold
// their value in points and show it converted; percent and degree values are
// the numbers shown. Texts are UTF-8 and lengths count characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hostsim::toolkit {

inline constexpr double kPointsPerMillimetre = 2.8346457;

bool IsKnownUnits(int units);
// The value as the user sees it in those units (points / 2.8346457 for millimetres).
double ToShown(double value, int units);
// The reverse: a number the user gave in those units, in the value's terms.
double FromShown(double shown, int units);
// The suffix written after a number: " pt", " mm", " cm", " in", " pc", " %", "°", or "".
std::string_view UnitSuffix(int units);

// The value as text with `precision` decimals and, when appendUnit, the unit.
// When it is longer than maxChars the unit goes first, then decimals; a number
// that does not fit even then gives nothing.
std::optional<std::string> FormatValue(double value, int units, int precision, bool appendUnit, int maxChars);
// A number typed in units (see ADMSuites.h: TextToValue), in the value's terms.
std::optional<double> ParseValue(std::string_view text, int units);

// Characters of UTF-8 text, and the text cut to at most n characters.
std::size_t CharCount(std::string_view utf8);
std::string CutChars(std::string_view utf8, std::size_t n);

}  // namespace hostsim::toolkit
