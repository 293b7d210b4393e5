// The document as an SVG 1.1 file. A new drawing is written with its page as
// the view box, in document coordinates with y mirrored inside it: document y
// grows upwards, SVG y downwards. One user unit is one point: the root gives
// the page's size in points, so browsers, printers and other editors show the
// drawing at its real size. Layers become layer groups; names, tags,
// attributes and the exact colours are kept as data- attributes so that the
// file reads back to the same document. SVG paints the last element on top,
// so art is written bottom first.
//
// A drawing read from a file is written back in that file's own frame: the
// bytes before and after the root, the root's start tag, and every element
// whose art the host did not change come back as read; changed art is
// written anew, in the user units of the group it sits in, with the
// attributes the host does not model; kept content comes back in its place.
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
#include <string_view>
#include <unordered_set>
#include <vector>

#include <pugixml.hpp>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/DocumentJson.h"
#include "hostsim/document/Geometry.h"
#include "hostsim/document/KeptContent.h"
#include "hostsim/document/SvgStyleSheet.h"
#include "hostsim/document/SvgValues.h"
#include "hostsim/Encoding.h"

namespace hostsim {
namespace {

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

// A font size: Num's six decimals would write a tiny one as 0, which reads
// back as the default size; it keeps its significant digits instead.
std::string FontSize(double v) {
  if (v == 0 || !(std::fabs(v) < 1e-3)) return Num(v);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.9g", v);
  return buffer;
}

// Escapes text for an attribute value or character data. Characters XML
// cannot carry (control characters, U+FFFE, U+FFFF) become U+FFFD, so that
// every file written is one a reader takes; line breaks in attributes are
// kept as references.
std::string Xml(std::string_view raw) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  const std::string text = SanitizeUtf8(raw);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    // U+FFFE and U+FFFF, the only noncharacters XML refuses in valid UTF-8.
    if (static_cast<unsigned char>(ch) == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
      out += kReplacement;
      i += 2;
      continue;
    }
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
        if (static_cast<unsigned char>(ch) >= 0x20) {
          out.push_back(ch);
        } else {
          out += kReplacement;
        }
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

using svg::Matrix;

constexpr const char* kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";

Matrix Inverse(const Matrix& m) {
  const double det = m.a * m.d - m.b * m.c;
  if (!(std::fabs(det) > 0) || !std::isfinite(det)) return {};
  return {m.d / det, -m.b / det, -m.c / det, m.a / det, (m.c * m.f - m.d * m.e) / det, (m.b * m.e - m.a * m.f) / det};
}

bool Same(const Matrix& m, const Matrix& n) {
  return m.a == n.a && m.b == n.b && m.c == n.c && m.d == n.d && m.e == n.e && m.f == n.f;
}

std::string MatrixText(const Matrix& m) {
  return "matrix(" + ExactNum(m.a) + " " + ExactNum(m.b) + " " + ExactNum(m.c) + " " + ExactNum(m.d) + " " +
         Num(m.e) + " " + Num(m.f) + ")";
}

// How art of a group is written: document points to the numbers written,
// the scale of lengths, and the transform that takes those numbers to the
// group's user units when a scale and a mirror cannot.
struct Frame {
  Matrix toWritten;
  double scale = 1;
  std::string transform;

  explicit Frame(const Matrix& userToDocument) {
    const Matrix& p = userToDocument;
    const bool simple = p.b == 0 && p.c == 0 && p.a > 0 && p.d < 0 && std::fabs(p.a + p.d) <= 1e-9 * p.a;
    if (simple) {
      toWritten = Inverse(p);
      scale = p.a;
    } else {
      const Matrix mirror{1, 0, 0, -1, 0, 0};
      toWritten = mirror;
      transform = MatrixText(Inverse(p) * mirror);
    }
  }
};

// What the host models of an element, written anew from the art: the file's
// own value of these is not kept when art is written anew.
bool Modelled(std::string_view name, bool leaf) {
  static const std::unordered_set<std::string_view> kCommon = {
      "data-name", "data-selected", "data-locked", "data-center-visible", "data-hidden", "display", "visibility"};
  static const std::unordered_set<std::string_view> kLeaf = {
      "transform", "d", "x", "y", "width", "height", "rx", "ry", "cx", "cy", "r", "x1", "y1", "x2", "y2", "points",
      "pathLength", "fill", "stroke", "stroke-width", "stroke-linecap", "stroke-linejoin", "stroke-miterlimit",
      "stroke-dasharray", "stroke-dashoffset", "fill-rule", "data-fill", "data-stroke", "data-guide",
      "data-compound", "data-font", "data-baseline-shift", "font-family", "font-size", "font-weight", "font-style",
      "font", "text-anchor", "xml:space", "dx", "dy", "rotate", "textLength", "lengthAdjust"};
  if (kCommon.count(name) || svg::StartsWith(name, "data-tag-") || svg::StartsWith(name, "data-tagtype-")) return true;
  return leaf && kLeaf.count(name) != 0;
}
//-----------------------------------------------------------------------------
// [SECTION] The writer
//-----------------------------------------------------------------------------

class SvgWriter {
 public:
  SvgWriter(const Document& doc, std::ostream& out) : doc_(doc), out_(out) {}

  void Write() {
    if (doc_.source) return WriteSourced(*doc_.source);
    const AIRealRect page = doc_.page;
    const double width = page.right - page.left, height = page.top - page.bottom;
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"" << kInkscapeNamespace << "\""
         << " version=\"1.1\" width=\"" << Num(width) << "pt\" height=\"" << Num(height) << "pt\" viewBox=\""
         << Num(page.left) << " " << Num(page.bottom) << " " << Num(width) << " " << Num(height) << "\" data-zoom=\""
         << Num(doc_.zoom) << "\">\n";
    root_ = {1, 0, 0, -1, 0, static_cast<double>(page.top) + page.bottom};
    const auto& layers = doc_.layers();
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
      WriteLayer(*it, static_cast<std::size_t>(layers.rend() - it));  // the top layer is layer1
    }
    out_ << "</svg>\n";
  }

 private:
  void WriteSourced(const SourceDrawing& source) {
    root_ = source.mapping;
    out_ << source.prolog;
    bool zoomAttribute = false;
    for (const auto& [name, value] : source.rootAttributes) zoomAttribute = zoomAttribute || name == "data-zoom";
    if (zoomAttribute && doc_.zoom != source.zoom) {
      // Our own file, whose view was zoomed since: the root again, with the zoom of now.
      out_ << "<" << source.rootName;
      for (const auto& [name, value] : source.rootAttributes) {
        out_ << " " << name << "=\"" << (name == "data-zoom" ? Num(doc_.zoom) : Xml(value)) << "\"";
      }
      out_ << ">";
    } else {
      out_ << source.rootTag;
    }
    inkscapeDeclared_ = false;
    for (const auto& [name, value] : source.rootAttributes) {
      inkscapeDeclared_ = inkscapeDeclared_ || (name == "xmlns:inkscape" && value == kInkscapeNamespace);
    }
    out_ << "\n";
    const auto& layers = doc_.layers();
    std::vector<bool> placed(source.rootKept.size(), false);
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
      for (std::size_t i = 0; i < source.rootKept.size(); ++i) {
        if (source.rootKept[i].beforeLayer == it->id) {
          out_ << source.rootKept[i].markup << "\n";
          placed[i] = true;
        }
      }
      WriteLayer(*it, static_cast<std::size_t>(layers.rend() - it));
    }
    for (std::size_t i = 0; i < source.rootKept.size(); ++i) {
      if (!placed[i]) out_ << source.rootKept[i].markup << "\n";
    }
    out_ << "</" << source.rootName << ">" << source.epilog;
  }

  void WriteLayer(const Layer& layer, std::size_t number) {
    const SourceElement* source = layer.source.get();
    const Art& group = *doc_.FindArt(layer.group);
    const Matrix inner = source ? source->inner : root_;
    // Our own files say which layer is current: a tag that says it no longer truly is written anew.
    bool currentAsRead = true;
    if (source) {
      for (const auto& [name, value] : source->attributes) {
        if (name == "data-current") currentAsRead = (value == "true") == (layer.id == doc_.currentLayer());
      }
    }
    if (source && currentAsRead && source->stamp == Fingerprint(layer)) {
      if (source->name.empty()) return WriteChildren(group, inner, 1);  // loose art, straight into the root
      out_ << "  " << source->openTag << ">\n";
      WriteChildren(group, inner, 2);
      out_ << "  </" << source->name << ">\n";
      return;
    }
    bool ownId = false;
    if (source) {
      for (const auto& [name, value] : source->attributes) ownId = ownId || name == "id";
    }
    out_ << "  <g";
    if (!ownId) out_ << " id=\"layer" << number << "\"";
    if (doc_.source && !inkscapeDeclared_) out_ << " xmlns:inkscape=\"" << kInkscapeNamespace << "\"";
    out_ << " inkscape:groupmode=\"layer\" inkscape:label=\"" << Xml(layer.title) << "\" data-title=\"" << Xml(layer.title)
         << "\" data-visible=\"" << (layer.visible ? "true" : "false") << "\" data-editable=\""
         << (layer.editable ? "true" : "false") << "\" data-current=\""
         << (layer.id == doc_.currentLayer() ? "true" : "false") << "\"";
    if (source) {
      static const std::unordered_set<std::string_view> kLayer = {
          "inkscape:groupmode", "inkscape:label", "data-title", "data-visible", "data-editable", "data-current",
          "display", "sodipodi:insensitive"};
      KeptAttributes(source->attributes, false, [&](std::string_view name) { return kLayer.count(name) != 0; });
    }
    if (!layer.visible) out_ << " display=\"none\"";
    out_ << ">\n";
    WriteChildren(group, inner, 2);
    out_ << "  </g>\n";
  }

  void WriteChildren(const Art& group, const Matrix& frame, int depth) {
    for (auto it = group.children.rbegin(); it != group.children.rend(); ++it) WriteArt(*doc_.FindArt(*it), frame, depth);
  }

  // The attributes of the element read that the host does not model, and a
  // style attribute without the properties it does.
  template <class AlsoDrop>
  void KeptAttributes(const SourceAttributes& attributes, bool leaf, AlsoDrop&& alsoDrop) {
    for (const auto& [name, value] : attributes) {
      if (Modelled(name, leaf) || alsoDrop(std::string_view(name))) continue;
      if (name == "style") {
        std::string kept;
        for (const auto& [property, v] : svg::Declarations(value)) {
          if (Modelled(property, leaf) || alsoDrop(property)) continue;
          kept += std::string(property) + ":" + std::string(v) + ";";
        }
        if (!kept.empty()) out_ << " style=\"" << Xml(kept) << "\"";
        continue;
      }
      out_ << " " << name << "=\"" << Xml(value) << "\"";
    }
  }

  // A leaf's attributes, from its markup as read.
  void KeptLeafAttributes(const Art& art) {
    if (!art.source || art.source->markup.empty()) return;
    pugi::xml_document xml;
    const std::string& markup = art.source->markup;
    if (!xml.load_buffer(markup.data(), markup.size(), pugi::parse_default, pugi::encoding_utf8)) return;
    SourceAttributes attributes;
    for (pugi::xml_attribute a : xml.document_element().attributes()) attributes.emplace_back(a.name(), a.value());
    KeptAttributes(attributes, true, [](std::string_view) { return false; });
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

  bool Unchanged(const Art& art, const Matrix& frame) const {
    return art.source && Same(art.source->outer, frame) && art.source->stamp == Fingerprint(doc_, art);
  }

  void WriteArt(const Art& art, const Matrix& frame, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const bool leaf = art.kind != ArtKind::Group || IsCompoundPath(art);
    if (art.kind == ArtKind::Kept) {
      if (!art.source) return;
      if (Same(art.source->outer, frame)) {
        out_ << indent << art.source->markup << "\n";
      } else {
        out_ << indent << "<g transform=\"" << MatrixText(Inverse(frame) * art.source->outer) << "\">"
             << art.source->markup << "</g>\n";
      }
      return;
    }
    if (leaf && Unchanged(art, frame)) {
      out_ << indent << art.source->markup << "\n";
      return;
    }
    const Frame f(frame);
    switch (art.kind) {
      case ArtKind::Group: {
        if (IsCompoundPath(art)) {
          WriteCompoundPath(art, f, indent);
          break;
        }
        const SourceElement* source = art.source.get();
        if (source && Unchanged(art, frame)) {
          out_ << indent << source->openTag << ">\n";
          WriteChildren(art, source->inner, depth + 1);
          out_ << indent << "</" << source->name << ">\n";
          break;
        }
        out_ << indent << "<" << (source ? source->name : std::string("g"));
        if (source) KeptAttributes(source->attributes, false, [](std::string_view) { return false; });
        CommonAttributes(art);
        out_ << ">\n";
        // The group's own transform is kept: its children stay in its user units.
        WriteChildren(art, source ? frame * Inverse(source->outer) * source->inner : frame, depth + 1);
        out_ << indent << "</" << (source ? source->name : std::string("g")) << ">\n";
        break;
      }
      case ArtKind::Path:
        out_ << indent << "<path d=\"" << PathCommands(art.path, f) << "\"";
        if (!f.transform.empty()) out_ << " transform=\"" << f.transform << "\"";
        StyleAttributes(art.path, f);
        KeptLeafAttributes(art);
        CommonAttributes(art);
        out_ << "/>\n";
        break;
      case ArtKind::Text:
        out_ << indent;
        WriteText(art, f);
        break;
      case ArtKind::Kept:
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
  void WriteCompoundPath(const Art& group, const Frame& f, const std::string& indent) {
    std::string d;
    for (auto it = group.children.rbegin(); it != group.children.rend(); ++it) {
      const std::string part = PathCommands(doc_.FindArt(*it)->path, f);
      if (part.empty()) continue;
      if (!d.empty()) d += " ";
      d += part;
    }
    out_ << indent << "<path d=\"" << d << "\"";
    if (!f.transform.empty()) out_ << " transform=\"" << f.transform << "\"";
    StyleAttributes(doc_.FindArt(group.children.back())->path, f);
    out_ << " data-compound=\"true\"";
    KeptLeafAttributes(group);
    CommonAttributes(group);
    out_ << "/>\n";
  }

  static std::string Point(AIRealPoint p, const Frame& f) {
    const Vec2 w = svg::Apply(f.toWritten, {p.h, p.v});
    return Num(w.x) + " " + Num(w.y);
  }

  static std::string Segment(const AIPathSegment& from, const AIPathSegment& to, const Frame& f) {
    const bool straight = from.out.h == from.p.h && from.out.v == from.p.v && to.in.h == to.p.h && to.in.v == to.p.v;
    if (straight) return " L " + Point(to.p, f);
    return " C " + Point(from.out, f) + " " + Point(to.in, f) + " " + Point(to.p, f);
  }

  static std::string PathCommands(const hostsim::PathData& path, const Frame& f) {
    const auto& s = path.segments;
    if (s.empty()) return "";
    std::string d = "M " + Point(s[0].p, f);
    for (std::size_t i = 0; i + 1 < s.size(); ++i) d += Segment(s[i], s[i + 1], f);
    if (path.closed) {
      if (s.size() > 1) {
        const std::string closing = Segment(s.back(), s.front(), f);
        if (closing[1] == 'C') d += closing;  // a straight closing segment is the Z itself
      }
      d += " Z";
    }
    return d;
  }

  // Paints as presentation attributes; where the file has style sheets,
  // whose rules outrank those, as a style attribute as well.
  void StyleAttributes(const hostsim::PathData& path, const Frame& f) {
    const AIPathStyle& s = path.style;
    std::string css;
    const bool fill = s.fillPaint && s.fill.color.kind != kNoneColor;
    out_ << " fill=\"" << (fill ? Rgb(s.fill.color) : "none") << "\"";
    css += std::string("fill:") + (fill ? Rgb(s.fill.color) : "none") + ";";
    if (fill) WriteExactColour(out_, "data-fill", s.fill.color);
    if (fill && s.evenodd) out_ << " fill-rule=\"evenodd\"";
    if (fill) css += std::string("fill-rule:") + (s.evenodd ? "evenodd" : "nonzero") + ";";
    const bool stroke = s.strokePaint && s.stroke.color.kind != kNoneColor && s.stroke.width > 0;
    out_ << " stroke=\"" << (stroke ? Rgb(s.stroke.color) : "none") << "\"";
    css += std::string("stroke:") + (stroke ? Rgb(s.stroke.color) : "none") + ";";
    if (stroke) {
      WriteExactColour(out_, "data-stroke", s.stroke.color);
      static const char* const caps[] = {"butt", "round", "square"};
      static const char* const joins[] = {"miter", "round", "bevel"};
      const std::string width = Num(s.stroke.width / f.scale), cap = caps[std::clamp(s.stroke.cap, 0, 2)],
                        join = joins[std::clamp(s.stroke.join, 0, 2)],
                        miter = Num(std::max<double>(1, s.stroke.miterLimit));
      out_ << " stroke-width=\"" << width << "\" stroke-linecap=\"" << cap << "\" stroke-linejoin=\"" << join
           << "\" stroke-miterlimit=\"" << miter << "\"";
      css += "stroke-width:" + width + ";stroke-linecap:" + cap + ";stroke-linejoin:" + join + ";stroke-miterlimit:" + miter + ";";
      const AIDashStyle& dash = s.stroke.dash;
      std::string dashes = "none", offset = "0";
      if (dash.length > 0) {
        dashes.clear();
        for (int i = 0; i < std::min<int>(dash.length, 6); ++i) dashes += (i ? "," : "") + Num(std::fabs(dash.array[i]) / f.scale);
        offset = Num(dash.offset / f.scale);
        out_ << " stroke-dasharray=\"" << dashes << "\" stroke-dashoffset=\"" << offset << "\"";
      }
      css += "stroke-dasharray:" + dashes + ";stroke-dashoffset:" + offset + ";";
    }
    if (path.guide) out_ << " data-guide=\"true\"";
    if (doc_.source && doc_.source->styleSheets) out_ << " style=\"" << Xml(css) << "\"";
  }

  void WriteText(const Art& art, const Frame& f) {
    const TextData& t = art.text;
    static const char* const anchors[] = {"start", "end", "middle"};
    const Vec2 at = svg::Apply(f.toWritten, {t.anchor.h, t.anchor.v + t.baselineShift});
    out_ << "<text x=\"" << Num(at.x) << "\" y=\"" << Num(at.y) << "\"";
    if (!f.transform.empty()) out_ << " transform=\"" << f.transform << "\"";
    std::string css;
    if (t.font < doc_.fonts().size()) {
      const ToolkitFont& face = doc_.fonts().at(t.font);
      const std::string family = CssString(face.family) + ", " + GenericFamily(face);
      out_ << " font-family=\"" << Xml(family) << "\" data-font=\"" << Xml(face.fullName) << "\"";
      css += "font-family:" + family + ";";
      const std::string& n = face.fullName;
      if (n.find("Bold") != std::string::npos) out_ << " font-weight=\"bold\"";
      css += std::string("font-weight:") + (n.find("Bold") != std::string::npos ? "bold" : "normal") + ";";
      const bool italic = n.find("Italic") != std::string::npos, oblique = n.find("Oblique") != std::string::npos;
      if (italic || oblique) out_ << " font-style=\"" << (italic ? "italic" : "oblique") << "\"";
      css += std::string("font-style:") + (italic ? "italic" : oblique ? "oblique" : "normal") + ";";
    }
    const std::string size = FontSize(t.size / f.scale), anchor = anchors[std::clamp(t.justification, 0, 2)];
    out_ << " font-size=\"" << size << "\" text-anchor=\"" << anchor << "\" fill=\"" << Rgb(t.fill)
         << "\" xml:space=\"preserve\"";
    css += "font-size:" + size + "px;text-anchor:" + anchor + ";fill:" + Rgb(t.fill) + ";stroke:none;";
    WriteExactColour(out_, "data-fill", t.fill);
    if (t.baselineShift != 0) out_ << " data-baseline-shift=\"" << Num(t.baselineShift / f.scale) << "\"";
    if (doc_.source && doc_.source->styleSheets) out_ << " style=\"" << Xml(css) << "\"";
    KeptLeafAttributes(art);
    CommonAttributes(art);
    out_ << ">" << Xml(t.text) << "</text>\n";
  }

  const Document& doc_;
  std::ostream& out_;
  Matrix root_;
  bool inkscapeDeclared_ = true;
};

}  // namespace

void WriteSvg(const Document& document, std::ostream& out) { SvgWriter(document, out).Write(); }

}  // namespace hostsim
