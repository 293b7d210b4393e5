// Values of SVG attributes and properties: numbers, lengths, colours,
// paints, opacities and transform lists, read as SVG and CSS write them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "host/AITypes.h"
#include "hostsim/document/Geometry.h"

namespace hostsim::svg {

bool IsSpace(char c);
std::string_view Trim(std::string_view s);
std::string Lower(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
// 0..15, or -1 for a character that is not a hexadecimal digit.
int HexDigit(char c);

// The whole text (white space around it aside) is one number.
std::optional<double> Number(std::string_view text);
// Inside a drawing a user unit is a CSS pixel, 96 to the inch. The page's
// own width and height count a pixel as a point, 72 to the inch, as drawing
// hosts do: "612" and "612pt" are the same page.
enum class Units { User, Page };

// A length with an optional unit (px, pt, pc, in, cm, mm, q, em, ex, %):
// `percentOf` is what 100 % is, `fontSize` what 1 em is.
std::optional<double> Length(std::string_view text, double percentOf, double fontSize, Units units = Units::User);
// A number or a percentage, clamped to 0..1.
std::optional<double> Opacity(std::string_view text);

struct Colour {
  AIColor colour{};
  double alpha = 1;
};

// #rgb, #rgba, #rrggbb, #rrggbbaa, rgb(), rgba(), a CSS keyword or "transparent".
std::optional<Colour> ParseColour(std::string_view text);
// The 8-bit channels a colour is written with: a grey is an amount of black.
std::array<long, 3> Bytes(const AIColor& c);
// The exact colour our own files keep beside the paint: "gray G" or "rgb R G B".
std::optional<AIColor> ExactColour(std::string_view text);

struct Paint {
  enum class Kind { None, Colour, Current, Reference };
  Kind kind = Kind::None;
  Colour colour;               // Kind::Colour, and the fallback of a reference
  std::string reference;       // Kind::Reference: the id of the gradient or pattern
  Kind fallback = Kind::None;  // Kind::Reference: what paints instead
};

// "none", "currentColor", a colour, or url(#id) with an optional fallback.
std::optional<Paint> ParsePaint(std::string_view text);

// x' = a x + c y + e; y' = b x + d y + f.
struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};

// m after n.
Matrix operator*(const Matrix& m, const Matrix& n);
Vec2 Apply(const Matrix& m, Vec2 p);
Matrix Translation(double x, double y);
// How much the matrix scales lengths, on average over directions.
double LengthScale(const Matrix& m);
// A transform list: matrix, translate, scale, rotate, skewX, skewY; nullopt
// when it cannot be read or gives numbers that are not finite.
std::optional<Matrix> ParseTransform(std::string_view text);

}  // namespace hostsim::svg
