// The document model: layers of art trees (groups, paths, point texts), the
// view's zoom, and the refs the text engine and hit testing hand out.
// Art is stored flat by id; handles given to the plug-in are these ids cast
// to pointers, always looked up, never dereferenced.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/AITypes.h"
#include "hostsim/document/ChildList.h"
#include "hostsim/document/Devector.h"
#include "hostsim/document/KeptContent.h"
#include "hostsim/document/TextEngine.h"

namespace hostsim {

class FontList;

// Ids of art, layers and refs come from one counter and are never reused, so a
// handle of a disposed object (or of another document) is simply not found.
using ObjectId = std::uint64_t;
ObjectId NextObjectId();

// Kept: content read from a file that the host shows and writes back but
// cannot edit (its markup is in `source`).
enum class ArtKind { Group, Path, Text, Kept };

struct Tag {
  std::string type;   // "string"
  std::string value;  // UTF-8
};

AIColor GrayColor(double gray);
AIColor RgbColor(double r, double g, double b);
AIColor NoColor();
// No fill; black 1 pt stroke, butt caps, miter joins, miter limit 10.
AIPathStyle DefaultPathStyle();

struct PathData {
  std::vector<AIPathSegment> segments;
  bool closed = false;
  bool guide = false;
  AIPathStyle style = DefaultPathStyle();
};

enum { kJustifyLeft = 0, kJustifyRight = 1, kJustifyCenter = 2 };

struct TextData {
  AIRealPoint anchor{0, 0};  // start of the baseline (before justification)
  std::string text;          // UTF-8
  std::size_t font = 0;      // index into the font list
  double size = 12;
  double baselineShift = 0;  // positive raises the text
  int justification = kJustifyLeft;
  AIColor fill = GrayColor(1);
};

// What a walk of the document reads of every art (kind, attributes, children)
// comes first, so that it lies in one cache line.
struct Art {
  ObjectId id = 0;
  ArtKind kind = ArtKind::Group;
  int32_t userAttr = 0;             // kArtLocked | kArtHidden | kArtSelected | kArtCenterVisible
  ObjectId parent = 0;              // 0 for a layer's top group
  ObjectId layer = 0;
  ChildList children;               // paint order, top first
  bool compound = false;            // kind Group: its paths paint as one shape, holes by the fill rule
  std::string name;                 // UTF-8; empty: no name given
  std::map<std::string, Tag> tags;
  PathData path;                    // kind Path
  TextData text;                    // kind Text

  // The bounds last measured (Document::Bounds), while boundsKnown. When an
  // art's bounds are not known, neither are those of the groups holding it.
  mutable std::optional<AIRealRect> keptBounds;
  mutable bool boundsKnown = false;

  // The element the art was read from; none for art made here.
  std::shared_ptr<const SourceElement> source;
};

struct Layer {
  ObjectId id = 0;
  std::string title;  // UTF-8
  bool visible = true;
  bool editable = true;
  AIThreeColorStyle colour{0.31f, 0.5f, 1.0f};
  ObjectId group = 0;  // the layer's top group
  std::shared_ptr<const SourceElement> source;  // the element the layer was read from
};

// Refs of the text engine, kept so that every use can be validated.
struct CharFeatures {
  std::optional<double> size;
  std::optional<double> baselineShift;
  std::optional<std::size_t> font;
  std::optional<AIColor> fill;
};
struct ParaFeatures {
  std::optional<int> justification;
};
struct HitResult {
  bool hit = false;
  ObjectId object = 0;
  int32_t type = -1;
  int16_t segment = 0;
  double t = 0;
  AIRealPoint point{0, 0};
};

class Document {
 public:
  explicit Document(const FontList& fonts);

  const FontList& fonts() const { return fonts_; }
  const TextEngine& textEngine() const { return text_; }

  // --- Layers, top first.
  const std::vector<Layer>& layers() const { return layers_; }
  Layer* FindLayer(ObjectId id);
  const Layer* FindLayer(ObjectId id) const;
  std::optional<std::size_t> LayerIndex(ObjectId id) const;
  // Inserts a visible, editable layer at position (0 = top); returns its id.
  ObjectId InsertLayer(std::size_t position, const std::string& title = {});
  ObjectId currentLayer() const { return currentLayer_; }
  bool SetCurrentLayer(ObjectId id);
  // "Layer N", N counting every layer made so far.
  std::string NextLayerTitle() const { return "Layer " + std::to_string(layersMade_ + 1); }

  // --- Art.
  Art* FindArt(ObjectId id);
  const Art* FindArt(ObjectId id) const;
  // Creates art placed by paintOrder relative to prep (0 = the current layer, for
  // the "all" orders). Returns kNoErr and the new id, or kBadParameterErr.
  AIErr NewArt(ArtKind kind, int16_t paintOrder, ObjectId prep, ObjectId* id);
  // Disposes of the art and everything inside it. A layer's top group cannot go.
  AIErr DisposeArt(ObjectId id);
  AIErr ReorderArt(ObjectId id, int16_t paintOrder, ObjectId prep);
  // True when the art or one of its ancestors carries one of the attribute bits.
  bool InheritsAttr(const Art& art, int32_t bits) const;
  // Every art of every layer (layer top groups excluded), layers top first,
  // parents before their children, children top first.
  std::vector<ObjectId> ArtInDocumentOrder() const;
  // Calls visit(const Art&) for every art in the order above.
  template <class Visit>
  void ForEachInDocumentOrder(Visit&& visit) const {
    for (const Layer& layer : layers_) VisitBelow(*arts_.at(layer.group), visit);
  }
  // Every path of every layer, in the order above. Kept up to date as art is
  // made and disposed, so that listing the paths costs a copy, not a walk.
  std::span<const ObjectId> PathsInDocumentOrder() const;
  // Children were reordered by hand (not through ReorderArt): orders kept
  // aside are made again on their next use.
  void ChildrenReordered() { pathOrderValid_ = false; }
  // Geometric bounds: anchors and handles for paths, text box for texts, union for
  // groups. Empty groups give nothing. Kept with each art until it changes
  // (ArtChanged, or made, disposed, reordered and transformed here).
  std::optional<AIRealRect> Bounds(const Art& art) const;
  // The same, measured afresh through the whole tree below the art.
  std::optional<AIRealRect> BoundsByWalk(const Art& art) const;
  // Left, bottom, right, top of a point text, from its font's metrics.
  AIRealRect TextBounds(const TextData& text) const;
  // Applies the matrix to every point of the art (and inside groups).
  void Transform(ObjectId id, const AIRealMatrix& m);

  // Takes the layers, art, current layer, page, zoom and file name of `from`,
  // which is left empty. Refs handed out earlier stay, but name nothing of
  // the new drawing: every id is new.
  void ReplaceDrawing(Document&& from);

  // --- The drawing kept aside, for the host's history of changes.
  // Layers, art (with names, tags and attributes), the current layer and the
  // page; not the view's zoom nor the file name.
  struct Copy;
  std::shared_ptr<const Copy> CopyDrawing() const;
  // True when the drawing is the copy's, whatever is selected.
  bool SameDrawing(const Copy& copy) const;
  // Puts the copy's drawing back with its own ids: handles given out when it
  // was taken name their art again, those of art made since name nothing.
  void RestoreDrawing(const Copy& copy);
  // About how much memory a copy holds.
  static std::size_t CopyBytes(const Copy& copy);

  // --- Hit testing: art 0 tests the whole document.
  HitResult HitTest(ObjectId art, AIRealPoint point, double tolerance) const;
  // The same answer for the whole document by visiting every art in order;
  // HitTest finds it through a map of the paths' and texts' bounds instead.
  HitResult HitTestByWalk(AIRealPoint point, double tolerance) const;
  // The art's geometry or text changed (or may have): its bounds are measured
  // again when next asked for, and before the next hit test. Groups pass it on
  // to what they hold. Art made through NewArt needs no word until its bounds
  // are first asked for, or its first hit test.
  void ArtChanged(ObjectId id);

  // --- The page, the view and the file.
  AIRealRect page{0, 792, 612, 0};  // the artboard: left, top, right, bottom
  double zoom = 1;
  int redrawCount = 0;
  std::string fileName = "Untitled-1";
  // The file the drawing was read from, around its art; none for a new drawing.
  std::shared_ptr<const SourceDrawing> source;
  std::size_t DefaultFont() const;

  // --- Refs handed out through the text engine and hit test suites.
  std::unordered_map<ObjectId, ObjectId> textRanges;  // ref -> text art
  std::unordered_map<ObjectId, CharFeatures> charFeatures;
  std::unordered_map<ObjectId, ParaFeatures> paraFeatures;
  std::unordered_map<ObjectId, AIColor> paints;
  std::unordered_map<ObjectId, HitResult> hits;

  // Calls of the art, path, style, tag and transform suites that would have
  // changed art through a handle naming none (disposed or never made); each is
  // refused all the same.
  int deadHandleWrites = 0;

 private:
  struct Placement {
    ObjectId parent = 0;
    std::size_t index = 0;
  };
  std::optional<Placement> Place(int16_t paintOrder, ObjectId prep) const;
  void Unlink(Art& art);
  void EraseTree(ObjectId id);
  void AppendInOrder(const Art& art, std::vector<ObjectId>& out) const;
  template <class Visit>
  static void VisitBelow(const Art& group, Visit& visit) {
    for (const ChildEntry& child : group.children.entries()) {
      visit(static_cast<const Art&>(*child.art));
      if (child.group) VisitBelow(*child.art, visit);
    }
  }
  void ForgetBounds(ObjectId id);
  void ForgetBoundsBelow(const Art& art);
  std::optional<AIRealRect> MeasureBounds(const Art& art, bool keep) const;
  std::optional<ObjectId> FirstPathIn(const Art& art) const;
  std::optional<ObjectId> FirstPathAfter(ObjectId parent, std::size_t index) const;
  void NotePathMade(ObjectId id, ObjectId parent, std::size_t index);
  void NoteTreeDisposed(ObjectId id);
  std::optional<HitResult> HitArt(const Art& art, AIRealPoint point, double tolerance) const;

  const FontList& fonts_;
  TextEngine text_;
  std::vector<Layer> layers_;
  std::unordered_map<ObjectId, std::unique_ptr<Art>> arts_;  // art at fixed addresses, which children point to
  ObjectId currentLayer_ = 0;
  int layersMade_ = 0;
  mutable Devector<ObjectId> pathOrder_;  // PathsInDocumentOrder, while pathOrderValid_
  mutable bool pathOrderValid_ = false;

  // Paths and texts filed by their bounds in square cells, for hit testing.
  struct HitMap {
    bool built = false;
    double cell = 32;
    std::unordered_map<std::uint64_t, std::vector<ObjectId>> cells;
    std::vector<ObjectId> everywhere;                      // bounds too large for cells
    std::unordered_map<ObjectId, AIRealRect> filed;        // the bounds each is filed by
    std::vector<ObjectId> changed;                         // to file again before the next use
  };
  mutable HitMap hitMap_;
  void BringHitMapUpToDate() const;
  void FileForHits(ObjectId id) const;
  void UnfileForHits(ObjectId id) const;
  bool HittableThrough(const Art& art) const;
  void NoteChangedForHits(const Art& art);
  bool BeforeInDocument(ObjectId a, ObjectId b) const;
};

// The document the suites act on: the one most recently made and not yet deleted.
Document* ActiveDocument();

}  // namespace hostsim
