// The SVG reader's own declarations, shared by its source files in this
// folder and included nowhere else: the reader class, the styles it carries
// down the element tree, and the warnings it collects.
//
// Where the reader's members are defined:
//   SvgReader.cpp            entry points: parse, read, replace the drawing
//   SvgReaderWalk.cpp        the element walk, layers, the root, art objects
//   SvgReaderStyles.cpp      styles, inheritance, effects, paints
//   SvgReaderShapes.cpp      paths and basic shapes into anchors
//   SvgReaderText.cpp        point texts and their fonts
//   SvgReaderReferences.cpp  ids, `use`, nested view boxes
//   SvgReaderMessages.cpp    element names, places, errors and warnings
//   SvgReaderSource.cpp      the elements' markup kept with the art, kept content
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <pugixml.hpp>

#include "hostsim/Encoding.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/PathData.h"
#include "hostsim/document/SvgReader.h"
#include "hostsim/document/SvgStyleSheet.h"
#include "hostsim/document/SvgValues.h"

namespace hostsim::svgread {

using namespace svg;

// Document coordinates beyond this many points are refused, as in sessions.
inline constexpr double kMaxCoordinate = svgbounds::kMaxCoordinate;

// =============================================================================
// Errors and warnings
// =============================================================================

struct ReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One line per kind of thing left out: the first occurrence, and how many.
class Warnings {
 public:
  template <class Describe>
  void Add(const std::string& kind, Describe&& describe) {
    for (Entry& e : entries_) {
      if (e.kind == kind) {
        ++e.count;
        return;
      }
    }
    entries_.push_back({kind, describe(), 1});
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Entry& e : entries_) {
      lines.push_back(SanitizeUtf8(e.count > 1 ? e.first + " (" + std::to_string(e.count) + " in all)" : e.first));
    }
    return lines;
  }

 private:
  struct Entry {
    std::string kind;
    std::string first;
    std::size_t count = 0;
  };
  std::vector<Entry> entries_;
};

// =============================================================================
// Styles
// =============================================================================

// Properties that children inherit.
struct Style {
  Paint fill{Paint::Kind::Colour, {GrayColor(1), 1}, {}, Paint::Kind::None};
  bool evenOdd = false;
  double fillOpacity = 1;
  Paint stroke;
  double strokeWidth = 1;
  int32_t cap = kAIButtCap;
  int32_t join = kAIMiterJoin;
  double miterLimit = 4;
  std::vector<double> dash;
  double dashOffset = 0;
  double strokeOpacity = 1;
  Colour colour{GrayColor(1), 1};  // currentColor
  bool visible = true;
  bool markers = false;
  std::string fontFamily;
  double fontSize = 16;
  bool bold = false;
  bool italic = false;
  int justification = kJustifyLeft;
};

// Properties of one element that do not inherit.
struct Effects {
  bool displayNone = false;
  double opacity = 1;
  std::string clip, mask, filter;  // the value when not "none"
};

// =============================================================================
// The reader
// =============================================================================

// Builds a new document from a parsed SVG tree. Errors throw ReadError;
// what is left out is collected as warnings.
class Reader {
 public:
  Reader(std::string_view text, const pugi::xml_document& xml, Document& doc, const SvgLimits& limits)
      : text_(text), xml_(xml), doc_(doc), limits_(limits) {}

  void Read();

  // What the drawing keeps of the file around its art; call after Read.
  std::shared_ptr<SourceDrawing> TakeDrawing();

  std::vector<std::string> WarningLines() const { return warnings_.Lines(); }

 private:
  struct Context {
    Matrix ctm;
    Style style;
    double opacity = 1;  // product of the ancestors' opacity
    int depth = 0;
  };

  // Marks an element as being read, so that a `use` of it inside itself is caught.
  class ActiveGuard {
   public:
    ActiveGuard(Reader& r, pugi::xml_node n) : r_(r), key_(n.internal_object()) { r_.active_.insert(key_); }
    ~ActiveGuard() { r_.active_.erase(key_); }
    ActiveGuard(const ActiveGuard&) = delete;
    ActiveGuard& operator=(const ActiveGuard&) = delete;

   private:
    Reader& r_;
    const void* key_;
  };

  // --- Names, places and messages (SvgReaderMessages.cpp) ---------------------

  static std::string SvgName(pugi::xml_node n);
  std::size_t LineOf(pugi::xml_node n) const;
  std::string Describe(pugi::xml_node n) const;
  [[noreturn]] void Fail(pugi::xml_node n, const std::string& message) const;
  void Warn(const std::string& kind, pugi::xml_node n, const std::string& detail = {});

  // --- The walk, layers, the root and art (SvgReaderWalk.cpp) -----------------

  static bool IsLayer(pugi::xml_node n);
  ObjectId TakeLayer(const std::string& title);
  ObjectId NewLayer(pugi::xml_node n);
  ObjectId LooseLayer();
  Context RootContext(pugi::xml_node root);
  Art& NewArt(ArtKind kind, ObjectId parent, pugi::xml_node n);
  static void Reverse(Document& doc, ObjectId group);
  void Reverse(ObjectId group) { Reverse(doc_, group); }
  void Common(Art& art, pugi::xml_node n, bool displayNone);
  void WalkChildren(pugi::xml_node n, ObjectId group, const Context& c);
  void Walk(pugi::xml_node n, ObjectId parent, const Context& parentContext);
  // Counts the bytes the walk reads of n (its text too, for a text element)
  // and stops the read once the budget is spent.
  void CountWork(pugi::xml_node n, bool withText);

  // --- Styles and paints (SvgReaderStyles.cpp) --------------------------------

  Effects OwnEffects(pugi::xml_node n);
  Style ResolveStyle(pugi::xml_node n, const Style& parent);
  static void Inherit(Style& s, const Style& parent, std::string_view name, std::optional<double>& fontSize);
  bool ApplyProperty(Style& s, const Style& parent, std::string_view name, std::string_view value,
                     std::optional<double>& fontSize);
  double Diagonal() const;
  Context Enter(pugi::xml_node n, const Context& parent);
  std::optional<AIColor> Resolve(const Paint& paint, double alpha, const Context& c, pugi::xml_node n);
  static AIColor Exact(pugi::xml_node n, const char* attribute, const AIColor& shown);
  AIPathStyle PathStyleOf(pugi::xml_node n, const Context& c);

  // --- References (SvgReaderReferences.cpp) -----------------------------------

  void IndexIds(pugi::xml_node root);
  Matrix NestedViewport(pugi::xml_node n, const Context& c);
  Matrix ViewBoxMatrix(pugi::xml_node boxOwner, pugi::xml_node sizeOwner, const Context& c);
  void Use(pugi::xml_node n, ObjectId parent, const Context& parentContext);

  // --- Shapes (SvgReaderShapes.cpp) -------------------------------------------

  std::optional<double> Attribute(pugi::xml_node n, const char* name, double percentOf, const Context& c);
  bool Geometry(const std::string& name, pugi::xml_node n, const Context& c, PathSink& sink);
  bool Shape(const std::string& name, pugi::xml_node n, ObjectId parent, const Context& c, const Matrix& outer);

  // --- Sources and kept content (SvgReaderSource.cpp) -------------------------

  void CollectStyleSheets(pugi::xml_node root);
  std::shared_ptr<SourceElement> Source(pugi::xml_node n, const Matrix& outer, bool whole);
  void Attach(Art& art, std::shared_ptr<SourceElement> source);
  void AttachLayer(ObjectId layer, std::shared_ptr<SourceElement> source);
  void Keep(pugi::xml_node n, ObjectId parent, const Context& c, std::optional<AIRealRect> bounds);
  void KeepAtRoot(pugi::xml_node n);
  void GiveRootKeptTo(ObjectId layer);
  std::optional<AIRealRect> UserBox(const Matrix& m, double x, double y, double w, double h) const;
  std::optional<AIRealRect> TextBox(pugi::xml_node n, const Context& c);
  std::optional<AIRealRect> UseBox(pugi::xml_node n, ObjectId parent, const Context& c);
  bool IsRootFurniture(pugi::xml_node n) const;

  // --- Text (SvgReaderText.cpp) -----------------------------------------------

  std::size_t FontFor(pugi::xml_node n, const Style& s) const;
  bool IsPointText(pugi::xml_node n, const Context& c) const;
  void Text(pugi::xml_node n, ObjectId parent, const Context& c, const Matrix& outer);

  std::string_view text_;
  const pugi::xml_document& xml_;
  Document& doc_;
  const SvgLimits& limits_;
  Warnings warnings_;
  std::unordered_map<std::string, pugi::xml_node> ids_;
  std::unordered_set<const void*> active_;
  std::vector<ObjectId> layerGroups_;
  Vec2 viewport_{612, 792};  // what percentages refer to, in user units
  ObjectId loose_ = 0;
  ObjectId current_ = 0;
  bool firstLayerTaken_ = false;
  std::size_t artCount_ = 0;
  std::size_t anchorCount_ = 0;
  std::uintmax_t work_ = 0;
  StyleSheet sheet_;
  bool styleSheets_ = false;
  Matrix rootMapping_;
  double zoomRead_ = 1;
  std::vector<std::pair<ObjectId, std::shared_ptr<SourceElement>>> sourced_;       // art, stamped once read
  std::vector<std::pair<ObjectId, std::shared_ptr<SourceElement>>> sourcedLayers_;  // layers, likewise
  std::vector<RootKept> rootKept_;
  std::size_t rootKeptPlaced_ = 0;  // the first of rootKept_ not yet given a layer
};

}  // namespace hostsim::svgread
