// The document as an SVG 1.1 file. The view box is the document's page,
// grown (with a margin) to hold all art, in document coordinates with y
// mirrored inside it: document y grows upwards, SVG y downwards. Layers
// become layer groups; names, tags, attributes and the exact colours are kept
// as data- attributes so that the file reads back to the same document.
// One user unit is one point: the root gives the page's size in points, so
// browsers, printers and other editors show the drawing at its real size (a
// length without a unit is a CSS pixel, 1/96 in, which would shrink it by a
// quarter). SVG
// paints the last element on top, so art is written bottom first.
//
// [SECTION] Numbers, names and colours as text
// [SECTION] The writer
#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/DocumentJson.h"
#include "hostsim/document/Geometry.h"
#include "hostsim/Encoding.h"

namespace hostsim {
namespace {

constexpr double kMargin = 18;
constexpr double kOvershoot = 0.5;  // art this far past the page is clipped, as drawings often are

//-----------------------------------------------------------------------------
// [SECTION] Numbers, names and colours as text
//-----------------------------------------------------------------------------

std::string Num(double v) {
  // Art is single-precision and always finite; a sum of two extremes is not
  // in a float. The file must hold numbers a reader accepts, never inf or nan.
  if (!std::isfinite(v)) v = std::isnan(v) ? 0.0 : std::copysign(static_cast<double>(FLT_MAX), v);
  char buffer[400];
  // Six decimals give back the same float for coordinates up to 10^5.
  std::snprintf(buffer, sizeof buffer, "%.6f", v);
  std::string s = buffer;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

// Escapes text for an attribute value or character data. Characters XML
// cannot carry are dropped; line breaks in attributes are kept as references.
std::string Xml(std::string_view raw) {
  std::string out;
  for (char ch : SanitizeUtf8(raw)) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default:
        if (static_cast<unsigned char>(ch) >= 0x20) out.push_back(ch);
    }
  }
  return out;
}

// A tag name as the tail of an attribute name: XML name characters stay,
// every other byte becomes _xHH_.
std::string AttributeTail(std::string_view name) {
  std::string out;
  for (char ch : name) {
    const auto b = static_cast<unsigned char>(ch);
    if (std::isalnum(b) || ch == '-' || ch == '.') {
      out.push_back(ch);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "_x%02X_", b);
      out += buffer;
    }
  }
  return out;
}

// A family name as a quoted CSS string: quotes and backslashes are escaped,
// control characters written as hex escapes, so that no name can end the
// string early and take the generic family with it.
std::string CssString(std::string_view name) {
  std::string out = "'";
  for (char ch : name) {
    const auto b = static_cast<unsigned char>(ch);
    if (ch == '\\' || ch == '\'') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (b < 0x20 || b == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\%X ", b);
      out += buffer;
    } else {
      out.push_back(ch);
    }
  }
  return out + "'";
}

// The CSS generic family a face falls back to where it is not installed, so
// that the text still shows, in a font of the same kind.
const char* GenericFamily(const ToolkitFont& face) {
  const std::string& f = face.family;
  if (f.find("Mono") != std::string::npos || f.find("Courier") != std::string::npos) return "monospace";
  if (f.find("Serif") != std::string::npos && f.find("Sans") == std::string::npos) return "serif";
  return "sans-serif";
}

std::string Rgb(const AIColor& c) {
  auto channel = [](double v) { return std::to_string(static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255))); };
  if (c.kind == kGrayColor) {
    const std::string v = channel(1.0 - c.c.g.gray);  // grey is the amount of black
    return "rgb(" + v + "," + v + "," + v + ")";
  }
  if (c.kind == kThreeColor) {
    return "rgb(" + channel(c.c.rgb.red) + "," + channel(c.c.rgb.green) + "," + channel(c.c.rgb.blue) + ")";
  }
  return "none";
}

// A real in the fewest digits that read back to the same float.
std::string ExactNum(double v) {
  char buffer[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
    if (std::strtof(buffer, nullptr) == static_cast<AIReal>(v)) break;
  }
  return buffer;
}

bool OnByteGrid(AIReal channel) {
  return static_cast<AIReal>(std::lround(std::clamp<double>(channel, 0, 1) * 255) / 255.0) == channel;
}

// The colour where rgb() cannot carry it: a grey always (SVG has none), an
// RGB colour off the 8-bit grid. Empty when rgb() says it all.
std::string ExactColour(const AIColor& c) {
  if (c.kind == kGrayColor) return "gray " + ExactNum(c.c.g.gray);
  if (c.kind == kThreeColor && !(OnByteGrid(c.c.rgb.red) && OnByteGrid(c.c.rgb.green) && OnByteGrid(c.c.rgb.blue))) {
    return "rgb " + ExactNum(c.c.rgb.red) + " " + ExactNum(c.c.rgb.green) + " " + ExactNum(c.c.rgb.blue);
  }
  return "";
}

void WriteExactColour(std::ostream& out, const char* attribute, const AIColor& c) {
  const std::string exact = ExactColour(c);
  if (!exact.empty()) out << " " << attribute << "=\"" << exact << "\"";
}

//-----------------------------------------------------------------------------
// [SECTION] The writer
//-----------------------------------------------------------------------------

class SvgWriter {
 public:
  SvgWriter(const Document& doc, std::ostream& out) : doc_(doc), out_(out) {}

  void Write() {
    AIRealRect page = doc_.page;
    for (const Layer& layer : doc_.layers()) {
      // A side grows only when art crosses it by more than a hair, so that a
      // page that holds the drawing is written as it is and reads back the same.
      Extent b;
      AddDrawn(*doc_.FindArt(layer.group), b);
      if (b.empty) continue;
      // The margin may carry an edge past the largest float: it stops there.
      const auto edge = [](double v) {
        return static_cast<AIReal>(std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
      };
      if (b.left < page.left - kOvershoot) page.left = edge(b.left - kMargin);
      if (b.bottom < page.bottom - kOvershoot) page.bottom = edge(b.bottom - kMargin);
      if (b.right > page.right + kOvershoot) page.right = edge(b.right + kMargin);
      if (b.top > page.top + kOvershoot) page.top = edge(b.top + kMargin);
    }
    top_ = page.top;
    bottom_ = page.bottom;
    const double width = page.right - page.left, height = page.top - page.bottom;
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\""
         << " version=\"1.1\" width=\"" << Num(width) << "pt\" height=\"" << Num(height) << "pt\" viewBox=\""
         << Num(page.left) << " " << Num(page.bottom) << " " << Num(width) << " " << Num(height) << "\" data-zoom=\"" << Num(doc_.zoom)
         << "\">\n";
    const auto& layers = doc_.layers();
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
      WriteLayer(*it, static_cast<std::size_t>(layers.rend() - it));  // the top layer is layer1
    }
    out_ << "</svg>\n";
  }

 private:
  // What the art draws: curves (not their handles) and text boxes.
  void AddDrawn(const Art& art, Extent& e) const {
    switch (art.kind) {
      case ArtKind::Group:
        for (ObjectId child : art.children) AddDrawn(*doc_.FindArt(child), e);
        break;
      case ArtKind::Text: {
        const AIRealRect r = doc_.TextBounds(art.text);
        e.Add({r.left, r.bottom});
        e.Add({r.right, r.top});
        break;
      }
      case ArtKind::Path: {
        const auto& s = art.path.segments;
        if (s.size() == 1) e.Add(ToVec(s[0].p));
        for (std::size_t i = 0; i + 1 < s.size(); ++i) AddCubic(SegmentCubic(s[i], s[i + 1]), e);
        if (art.path.closed && s.size() > 1) AddCubic(SegmentCubic(s.back(), s.front()), e);
        break;
      }
    }
  }

  // Mirrors y inside the view box, which spans bottom_ .. top_ in both systems.
  double Y(double y) const { return top_ + bottom_ - y; }

  void WriteLayer(const Layer& layer, std::size_t number) {
    out_ << "  <g id=\"layer" << number << "\" inkscape:groupmode=\"layer\" inkscape:label=\"" << Xml(layer.title)
         << "\" data-title=\"" << Xml(layer.title) << "\" data-visible=\"" << (layer.visible ? "true" : "false")
         << "\" data-editable=\"" << (layer.editable ? "true" : "false") << "\" data-current=\""
         << (layer.id == doc_.currentLayer() ? "true" : "false") << "\"";
    if (!layer.visible) out_ << " display=\"none\"";
    out_ << ">\n";
    WriteChildren(*doc_.FindArt(layer.group), 2);
    out_ << "  </g>\n";
  }

  void WriteChildren(const Art& group, int depth) {
    for (auto it = group.children.rbegin(); it != group.children.rend(); ++it) WriteArt(*doc_.FindArt(*it), depth);
  }

  void CommonAttributes(const Art& art) {
    if (!art.name.empty()) out_ << " data-name=\"" << Xml(art.name) << "\"";
    for (const auto& [name, tag] : art.tags) {
      out_ << " data-tag-" << AttributeTail(name) << "=\"" << Xml(tag.value) << "\"";
      if (tag.type != "string") out_ << " data-tagtype-" << AttributeTail(name) << "=\"" << Xml(tag.type) << "\"";
    }
    if (art.userAttr & kArtSelected) out_ << " data-selected=\"true\"";
    if (art.userAttr & kArtLocked) out_ << " data-locked=\"true\"";
    if (art.userAttr & kArtCenterVisible) out_ << " data-center-visible=\"true\"";
    if (art.userAttr & kArtHidden) out_ << " data-hidden=\"true\" display=\"none\"";
  }

  void WriteArt(const Art& art, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    switch (art.kind) {
      case ArtKind::Group:
        if (IsCompoundPath(art)) {
          WriteCompoundPath(art, indent);
          break;
        }
        out_ << indent << "<g";
        CommonAttributes(art);
        out_ << ">\n";
        WriteChildren(art, depth + 1);
        out_ << indent << "</g>\n";
        break;
      case ArtKind::Path:
        out_ << indent << "<path d=\"" << PathCommands(art.path) << "\"";
        StyleAttributes(art.path);
        CommonAttributes(art);
        out_ << "/>\n";
        break;
      case ArtKind::Text:
        out_ << indent;
        WriteText(art);
        break;
    }
  }

  bool IsCompoundPath(const Art& group) const {
    if (!group.compound || group.children.empty()) return false;
    return std::all_of(group.children.begin(), group.children.end(),
                       [&](ObjectId id) { return doc_.FindArt(id)->kind == ArtKind::Path; });
  }

  // One path element of every subpath, bottom first, styled as the bottom
  // one; the names and tags of the parts are not kept, the group's are.
  void WriteCompoundPath(const Art& group, const std::string& indent) {
    std::string d;
    for (auto it = group.children.rbegin(); it != group.children.rend(); ++it) {
      const std::string part = PathCommands(doc_.FindArt(*it)->path);
      if (part.empty()) continue;
      if (!d.empty()) d += " ";
      d += part;
    }
    out_ << indent << "<path d=\"" << d << "\"";
    StyleAttributes(doc_.FindArt(group.children.back())->path);
    out_ << " data-compound=\"true\"";
    CommonAttributes(group);
    out_ << "/>\n";
  }

  std::string Point(AIRealPoint p) const { return Num(p.h) + " " + Num(Y(p.v)); }

  std::string Segment(const AIPathSegment& from, const AIPathSegment& to) const {
    const bool straight = from.out.h == from.p.h && from.out.v == from.p.v && to.in.h == to.p.h && to.in.v == to.p.v;
    if (straight) return " L " + Point(to.p);
    return " C " + Point(from.out) + " " + Point(to.in) + " " + Point(to.p);
  }

  std::string PathCommands(const hostsim::PathData& path) const {
    const auto& s = path.segments;
    if (s.empty()) return "";
    std::string d = "M " + Point(s[0].p);
    for (std::size_t i = 0; i + 1 < s.size(); ++i) d += Segment(s[i], s[i + 1]);
    if (path.closed) {
      if (s.size() > 1) {
        const std::string closing = Segment(s.back(), s.front());
        if (closing[1] == 'C') d += closing;  // a straight closing segment is the Z itself
      }
      d += " Z";
    }
    return d;
  }

  void StyleAttributes(const hostsim::PathData& path) {
    const AIPathStyle& s = path.style;
    const bool fill = s.fillPaint && s.fill.color.kind != kNoneColor;
    out_ << " fill=\"" << (fill ? Rgb(s.fill.color) : "none") << "\"";
    if (fill) WriteExactColour(out_, "data-fill", s.fill.color);
    if (fill && s.evenodd) out_ << " fill-rule=\"evenodd\"";
    const bool stroke = s.strokePaint && s.stroke.color.kind != kNoneColor && s.stroke.width > 0;
    out_ << " stroke=\"" << (stroke ? Rgb(s.stroke.color) : "none") << "\"";
    if (stroke) {
      WriteExactColour(out_, "data-stroke", s.stroke.color);
      static const char* const caps[] = {"butt", "round", "square"};
      static const char* const joins[] = {"miter", "round", "bevel"};
      out_ << " stroke-width=\"" << Num(s.stroke.width) << "\" stroke-linecap=\""
           << caps[std::clamp(s.stroke.cap, 0, 2)] << "\" stroke-linejoin=\"" << joins[std::clamp(s.stroke.join, 0, 2)] << "\" stroke-miterlimit=\""
           << Num(std::max<double>(1, s.stroke.miterLimit)) << "\"";
      const AIDashStyle& dash = s.stroke.dash;
      if (dash.length > 0) {
        out_ << " stroke-dasharray=\"";
        for (int i = 0; i < std::min<int>(dash.length, 6); ++i) out_ << (i ? "," : "") << Num(std::fabs(dash.array[i]));
        out_ << "\" stroke-dashoffset=\"" << Num(dash.offset) << "\"";
      }
    }
    if (path.guide) out_ << " data-guide=\"true\"";
  }

  void WriteText(const Art& art) {
    const TextData& t = art.text;
    static const char* const anchors[] = {"start", "end", "middle"};
    out_ << "<text x=\"" << Num(t.anchor.h) << "\" y=\"" << Num(Y(t.anchor.v + t.baselineShift)) << "\"";
    if (t.font < doc_.fonts().size()) {
      const ToolkitFont& face = doc_.fonts().at(t.font);
      out_ << " font-family=\"" << Xml(CssString(face.family) + ", " + GenericFamily(face)) << "\" data-font=\""
           << Xml(face.fullName) << "\"";
      const std::string& n = face.fullName;
      if (n.find("Bold") != std::string::npos) out_ << " font-weight=\"bold\"";
      if (n.find("Italic") != std::string::npos || n.find("Oblique") != std::string::npos) {
        out_ << " font-style=\"" << (n.find("Italic") != std::string::npos ? "italic" : "oblique") << "\"";
      }
    }
    out_ << " font-size=\"" << Num(t.size) << "\" text-anchor=\"" << anchors[std::clamp(t.justification, 0, 2)]
         << "\" fill=\"" << Rgb(t.fill) << "\" xml:space=\"preserve\"";
    WriteExactColour(out_, "data-fill", t.fill);
    if (t.baselineShift != 0) out_ << " data-baseline-shift=\"" << Num(t.baselineShift) << "\"";
    CommonAttributes(art);
    out_ << ">" << Xml(t.text) << "</text>\n";
  }

  const Document& doc_;
  std::ostream& out_;
  double top_ = 0;
  double bottom_ = 0;
};

}  // namespace

void WriteSvg(const Document& document, std::ostream& out) { SvgWriter(document, out).Write(); }

}  // namespace hostsim
