#include "hostsim/toolkit/Units.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/ADMSuites.h"

namespace hostsim::toolkit {
namespace {

struct UnitInfo {
  int units;
  double pointsPerUnit;    // 0: not a length
  std::string_view suffix;  // written after the number
  std::string_view typed;   // what the user may type after a number
};

constexpr UnitInfo kUnits[] = {
    {kADMNoUnits, 0, "", ""},
    {kADMPointUnits, 1, " pt", "pt"},
    {kADMInchUnits, 72, " in", "in"},
    {kADMMillimeterUnits, kPointsPerMillimetre, " mm", "mm"},
    {kADMCentimeterUnits, kPointsPerMillimetre * 10, " cm", "cm"},
    {kADMPicaUnits, 12, " pc", "pc"},
    {kADMPercentUnits, 0, " %", "%"},
    {kADMDegreeUnits, 0, "\xC2\xB0", "\xC2\xB0"},
};

const UnitInfo* Find(int units) {
  for (const UnitInfo& u : kUnits) {
    if (u.units == units) return &u;
  }
  return nullptr;
}

std::string Number(double value, int precision) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
  std::string text = buffer;
  // "-0" and "-0.00" read as zero: no sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

bool IsKnownUnits(int units) { return Find(units) != nullptr; }

double ToShown(double value, int units) {
  const UnitInfo* u = Find(units);
  return u != nullptr && u->pointsPerUnit > 0 ? value / u->pointsPerUnit : value;
}

double FromShown(double shown, int units) {
  const UnitInfo* u = Find(units);
  return u != nullptr && u->pointsPerUnit > 0 ? shown * u->pointsPerUnit : shown;
}

std::string_view UnitSuffix(int units) {
  const UnitInfo* u = Find(units);
  return u == nullptr ? std::string_view() : u->suffix;
}

std::optional<std::string> FormatValue(double value, int units, int precision, bool appendUnit, int maxChars) {
  if (!std::isfinite(value) || precision < 0 || precision > 20 || maxChars < 1 || !IsKnownUnits(units)) {
    return std::nullopt;
  }
  const double shown = ToShown(value, units);
  const auto fits = [&](const std::string& s) { return CharCount(s) <= static_cast<std::size_t>(maxChars); };
  std::string number = Number(shown, precision);
  if (appendUnit) {
    std::string withUnit = number + std::string(UnitSuffix(units));
    if (fits(withUnit)) return withUnit;
  }
  for (int p = precision; p >= 0; --p) {
    number = Number(shown, p);
    if (fits(number)) return number;
  }
  return std::nullopt;
}

std::optional<double> ParseValue(std::string_view text, int units) {
  const UnitInfo* target = Find(units);
  if (target == nullptr) return std::nullopt;
  std::string_view s = Trim(text);
  std::string number;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) number.push_back(s[i++]);
  bool digits = false;
  bool mark = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      number.push_back(c);
      digits = true;
    } else if ((c == '.' || c == ',') && !mark) {
      number.push_back('.');
      mark = true;
    } else {
      break;
    }
  }
  if (!digits) return std::nullopt;
  const double parsed = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(parsed)) return std::nullopt;
  const std::string_view unit = Trim(s.substr(i));
  if (unit.empty()) return FromShown(parsed, units);
  for (const UnitInfo& u : kUnits) {
    if (u.typed.empty() || !EqualsIgnoringCase(unit, u.typed)) continue;
    if (u.units == units) return FromShown(parsed, units);
    // Another length unit converts; anything else does not belong to this field.
    if (u.pointsPerUnit > 0 && target->pointsPerUnit > 0) return parsed * u.pointsPerUnit;
    return std::nullopt;
  }
  return std::nullopt;
}

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string CutChars(std::string_view utf8, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (count == n) return std::string(utf8.substr(0, i));
      ++count;
    }
  }
  return std::string(utf8);
}

}  // namespace hostsim::toolkit
