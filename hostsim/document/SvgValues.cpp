// [SECTION] Colour names
// [SECTION] Numbers and lengths
// [SECTION] Colours and paint
// [SECTION] Transforms

#include "hostsim/document/SvgValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "hostsim/document/Document.h"
#include "hostsim/document/PathData.h"

namespace hostsim::svg {

//-----------------------------------------------------------------------------
// [SECTION] Colour names
//-----------------------------------------------------------------------------

namespace {

struct NamedColour {
  const char* name;
  uint32_t rgb;
};

// The CSS colour keywords.
constexpr NamedColour kNamedColours[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F}, {"darkslategrey", 0x2F4F4F}, {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493}, {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969},
    {"dimgrey", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080}, {"grey", 0x808080}, {"green", 0x008000},
    {"greenyellow", 0xADFF2F}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0}, {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90}, {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899}, {"lightslategrey", 0x778899}, {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080},
    {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23}, {"orange", 0xFFA500},
    {"orangered", 0xFF4500}, {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE}, {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6}, {"purple", 0x800080}, {"rebeccapurple", 0x663399}, {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090},
    {"slategrey", 0x708090}, {"snow", 0xFFFAFA}, {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C}, {"teal", 0x008080}, {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE}, {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
};


AIColor ByteColour(int r, int g, int b) { return RgbColor(r / 255.0, g / 255.0, b / 255.0); }

// One channel of rgb(): 0..255 or a percentage, clamped.
std::optional<double> Channel(std::string_view text, double full) {
  text = Trim(text);
  const bool percent = !text.empty() && text.back() == '%';
  const auto v = Number(percent ? text.substr(0, text.size() - 1) : text);
  if (!v) return std::nullopt;
  return std::clamp(percent ? *v / 100 : *v / full, 0.0, 1.0);
}

}  // namespace

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

//-----------------------------------------------------------------------------
// [SECTION] Numbers and lengths
//-----------------------------------------------------------------------------

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The whole text is one number.
std::optional<double> Number(std::string_view text) {
  text = Trim(text);
  std::size_t pos = 0;
  const auto value = ScanNumber(text, pos);
  if (!value || pos != text.size()) return std::nullopt;
  return value;
}

// A length in user units. A user unit, a pixel and a point are one; `percentOf`
// is what 100 % is, `fontSize` what 1 em is.
std::optional<double> Length(std::string_view text, double percentOf, double fontSize, Units units) {
  text = Trim(text);
  std::size_t pos = 0;
  const auto value = ScanNumber(text, pos);
  if (!value) return std::nullopt;
  const std::string unit = Lower(Trim(text.substr(pos)));
  const double inch = units == Units::Page ? 72 : 96;  // in the unit a px is
  double scale = 0;
  if (unit.empty() || unit == "px") scale = 1;
  else if (unit == "pt") scale = inch / 72;
  else if (unit == "pc") scale = inch / 6;
  else if (unit == "in") scale = inch;
  else if (unit == "cm") scale = inch / 2.54;
  else if (unit == "mm") scale = inch / 25.4;
  else if (unit == "q") scale = inch / 101.6;
  else if (unit == "em") scale = fontSize;
  else if (unit == "ex") scale = fontSize / 2;
  else if (unit == "%") scale = percentOf / 100;
  else return std::nullopt;
  const double v = *value * scale;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

//-----------------------------------------------------------------------------
// [SECTION] Colours and paint
//-----------------------------------------------------------------------------

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(), rgba(), a keyword or "transparent".
std::optional<Colour> ParseColour(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  if (text.front() == '#') {
    const std::string_view hex = text.substr(1);
    std::vector<int> d;
    for (char c : hex) {
      if (HexDigit(c) < 0) return std::nullopt;
      d.push_back(HexDigit(c));
    }
    if (d.size() == 3 || d.size() == 4) {
      Colour c{ByteColour(d[0] * 17, d[1] * 17, d[2] * 17)};
      if (d.size() == 4) c.alpha = d[3] * 17 / 255.0;
      return c;
    }
    if (d.size() == 6 || d.size() == 8) {
      Colour c{ByteColour(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5])};
      if (d.size() == 8) c.alpha = (d[6] * 16 + d[7]) / 255.0;
      return c;
    }
    return std::nullopt;
  }
  const std::string lower = Lower(text);
  if (StartsWith(lower, "rgb(") || StartsWith(lower, "rgba(")) {
    if (lower.back() != ')') return std::nullopt;
    std::string inside = lower.substr(lower.find('(') + 1);
    inside.pop_back();
    for (char& c : inside) {
      if (c == ',' || c == '/') c = ' ';
    }
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos < inside.size()) {
      while (pos < inside.size() && IsSpace(inside[pos])) ++pos;
      const std::size_t start = pos;
      while (pos < inside.size() && !IsSpace(inside[pos])) ++pos;
      if (pos > start) parts.push_back(inside.substr(start, pos - start));
    }
    if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
    double rgb[3];
    for (int i = 0; i < 3; ++i) {
      const auto v = Channel(parts[static_cast<std::size_t>(i)], 255);
      if (!v) return std::nullopt;
      rgb[i] = *v;
    }
    Colour c{RgbColor(rgb[0], rgb[1], rgb[2])};
    if (parts.size() == 4) {
      const auto a = Channel(parts[3], 1);
      if (!a) return std::nullopt;
      c.alpha = *a;
    }
    return c;
  }
  if (lower == "transparent") return Colour{RgbColor(0, 0, 0), 0};
  for (const NamedColour& n : kNamedColours) {
    if (lower == n.name) {
      return Colour{ByteColour(static_cast<int>(n.rgb >> 16), static_cast<int>((n.rgb >> 8) & 0xFF),
                               static_cast<int>(n.rgb & 0xFF))};
    }
  }
  return std::nullopt;
}

// The 8-bit channels SvgWriter would write for a colour: a grey is an amount of black.
std::array<long, 3> Bytes(const AIColor& c) {
  auto byte = [](double v) { return std::lround(std::clamp(v, 0.0, 1.0) * 255); };
  if (c.kind == kGrayColor) {
    const long v = byte(1.0 - c.c.g.gray);
    return {v, v, v};
  }
  return {byte(c.c.rgb.red), byte(c.c.rgb.green), byte(c.c.rgb.blue)};
}

// The exact colour of a data-fill or data-stroke attribute ("gray G" or "rgb R G B").
std::optional<AIColor> ExactColour(std::string_view text) {
  std::vector<double> v;
  if (StartsWith(text, "gray ") && ParseNumberList(text.substr(5), v) && v.size() == 1 && v[0] >= 0 && v[0] <= 1) {
    return GrayColor(v[0]);
  }
  if (StartsWith(text, "rgb ") && ParseNumberList(text.substr(4), v) && v.size() == 3 &&
      std::all_of(v.begin(), v.end(), [](double x) { return x >= 0 && x <= 1; })) {
    return RgbColor(v[0], v[1], v[2]);
  }
  return std::nullopt;
}

std::optional<Paint> ParsePaint(std::string_view text) {
  text = Trim(text);
  Paint p;
  const std::string lower = Lower(text);
  if (lower == "none") return p;
  if (lower == "currentcolor") {
    p.kind = Paint::Kind::Current;
    return p;
  }
  if (StartsWith(lower, "url(")) {
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view ref = Trim(text.substr(4, close - 4));
    if (ref.size() >= 2 && (ref.front() == '"' || ref.front() == '\'')) ref = ref.substr(1, ref.size() - 2);
    p.kind = Paint::Kind::Reference;
    p.reference = std::string(ref.substr(0, 1) == "#" ? ref.substr(1) : ref);
    const std::string_view rest = Trim(text.substr(close + 1));
    if (!rest.empty()) {
      const auto fallback = ParsePaint(rest);
      if (!fallback || fallback->kind == Paint::Kind::Reference) return std::nullopt;
      p.fallback = fallback->kind;
      p.colour = fallback->colour;
    }
    return p;
  }
  const auto c = ParseColour(text);
  if (!c) return std::nullopt;
  p.kind = Paint::Kind::Colour;
  p.colour = *c;
  return p;
}

std::optional<double> Opacity(std::string_view text) {
  text = Trim(text);
  const bool percent = !text.empty() && text.back() == '%';
  const auto v = Number(percent ? text.substr(0, text.size() - 1) : text);
  if (!v) return std::nullopt;
  return std::clamp(percent ? *v / 100 : *v, 0.0, 1.0);
}


//-----------------------------------------------------------------------------
// [SECTION] Transforms
//-----------------------------------------------------------------------------

// m after n.
Matrix operator*(const Matrix& m, const Matrix& n) {
  return {m.a * n.a + m.c * n.b, m.b * n.a + m.d * n.b, m.a * n.c + m.c * n.d,
          m.b * n.c + m.d * n.d, m.a * n.e + m.c * n.f + m.e, m.b * n.e + m.d * n.f + m.f};
}

Vec2 Apply(const Matrix& m, Vec2 p) { return {m.a * p.x + m.c * p.y + m.e, m.b * p.x + m.d * p.y + m.f}; }

Matrix Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }

// How much the matrix scales lengths, on average over directions.
double LengthScale(const Matrix& m) { return std::sqrt(std::fabs(m.a * m.d - m.b * m.c)); }

// A transform list: matrix, translate, scale, rotate, skewX, skewY.
std::optional<Matrix> ParseTransform(std::string_view text) {
  Matrix result;
  std::size_t pos = 0;
  auto skip = [&] {
    while (pos < text.size() && (IsSpace(text[pos]) || text[pos] == ',')) ++pos;
  };
  skip();
  while (pos < text.size()) {
    const std::size_t nameStart = pos;
    while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) ++pos;
    const std::string_view name = text.substr(nameStart, pos - nameStart);
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos == text.size() || text[pos] != '(') return std::nullopt;
    const std::size_t close = text.find(')', pos);
    if (close == std::string_view::npos) return std::nullopt;
    std::vector<double> v;
    if (!ParseNumberList(text.substr(pos + 1, close - pos - 1), v)) return std::nullopt;
    pos = close + 1;
    constexpr double kRadians = 3.14159265358979323846 / 180;
    Matrix m;
    if (name == "matrix" && v.size() == 6) {
      m = {v[0], v[1], v[2], v[3], v[4], v[5]};
    } else if (name == "translate" && (v.size() == 1 || v.size() == 2)) {
      m = Translation(v[0], v.size() == 2 ? v[1] : 0);
    } else if (name == "scale" && (v.size() == 1 || v.size() == 2)) {
      m = {v[0], 0, 0, v.size() == 2 ? v[1] : v[0], 0, 0};
    } else if (name == "rotate" && (v.size() == 1 || v.size() == 3)) {
      const double cs = std::cos(v[0] * kRadians), sn = std::sin(v[0] * kRadians);
      m = {cs, sn, -sn, cs, 0, 0};
      if (v.size() == 3) m = Translation(v[1], v[2]) * m * Translation(-v[1], -v[2]);
    } else if (name == "skewX" && v.size() == 1) {
      m = {1, 0, std::tan(v[0] * kRadians), 1, 0, 0};
    } else if (name == "skewY" && v.size() == 1) {
      m = {1, std::tan(v[0] * kRadians), 0, 1, 0, 0};
    } else {
      return std::nullopt;
    }
    result = result * m;
    skip();
  }
  for (double x : {result.a, result.b, result.c, result.d, result.e, result.f}) {
    if (!std::isfinite(x)) return std::nullopt;
  }
  return result;
}

}  // namespace hostsim::svg
