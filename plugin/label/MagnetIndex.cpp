// [SECTION] The map
// [SECTION] Filing paths by place
// [SECTION] Keeping up with the host
// [SECTION] Looking up a cursor
#include "label/MagnetIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "core/Suites.h"
#include "geometry/CubicReach.h"
#include "label/LabelArt.h"

//-----------------------------------------------------------------------------
// [SECTION] The map
//-----------------------------------------------------------------------------

namespace {

constexpr double kDefaultCell = 8.0;        // points; for a drawing with nothing to size by
constexpr int kMaxHalvings = 12;           // a segment is halved until its pieces fit a cell
constexpr std::size_t kItemsPerSegmentLimit = 12;  // beyond this on average, the cells are resized
constexpr double kPiecesPerCell = 16;       // pieces of line a cell is sized for, in a crowded drawing
constexpr double kPiecesPerSegment = 24;    // the memory a drawing's pieces may take: this many a segment,
constexpr double kPiecesAtLeast = 1 << 20;  // or this many in all
constexpr double kMaxCellsPerPiece = 4096;  // a piece still larger is filed under kEverywhere
constexpr std::size_t kRefileAdded = 4096;  // more segments new at once than filed, and the map is made again
constexpr int32_t kMaxBlockSide = 64;      // cells along a grid block's side, at most
constexpr double kLastPieceCells = 2;       // cells a piece may span after the last halving; a segment
                                            // whose pieces could span more is filed under kEverywhere

// The copy of each path by its handle: open addressing over one block, as
// the first hover fills it with every path of the drawing at once.
class CopyIndex {
 public:
  // The slot of the path's copy, or null.
  const uint32_t* Find(AIArtHandle handle) const {
    if (keys_.empty()) return nullptr;
    for (std::size_t i = Home(handle);; i = (i + 1) & mask_) {
      if (keys_[i] == handle) return &values_[i];
      if (keys_[i] == nullptr) return nullptr;
    }
  }
  void Set(AIArtHandle handle, uint32_t value) {
    if (2 * (count_ + 1) > keys_.size()) Grow(2 * (count_ + 1));
    std::size_t i = Home(handle);
    while (keys_[i] != nullptr && keys_[i] != handle) i = (i + 1) & mask_;
    if (keys_[i] == nullptr) ++count_;
    keys_[i] = handle;
    values_[i] = value;
  }
  void Erase(AIArtHandle handle) {
    if (keys_.empty()) return;
    std::size_t i = Home(handle);
    while (keys_[i] != handle) {
      if (keys_[i] == nullptr) return;
      i = (i + 1) & mask_;
    }
    // Later entries of the run move back into the gap, so that no search stops short.
    for (std::size_t j = (i + 1) & mask_; keys_[j] != nullptr; j = (j + 1) & mask_) {
      const std::size_t home = Home(keys_[j]);
      if (((j - home) & mask_) >= ((j - i) & mask_)) {
        keys_[i] = keys_[j];
        values_[i] = values_[j];
        i = j;
      }
    }
    keys_[i] = nullptr;
    --count_;
  }
  void Reserve(std::size_t count) {
    if (2 * count > keys_.size()) Grow(2 * count);
  }

 private:
  std::size_t Home(AIArtHandle handle) const {
    const auto h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & mask_;
  }
  void Grow(std::size_t atLeast) {
    std::vector<AIArtHandle> keys;
    std::vector<uint32_t> values;
    keys.swap(keys_);
    values.swap(values_);
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(atLeast, 16));
    keys_.assign(size, nullptr);
    values_.assign(size, 0);
    mask_ = size - 1;
    count_ = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] != nullptr) Set(keys[i], values[i]);
    }
  }
  std::vector<AIArtHandle> keys_;
  std::vector<uint32_t> values_;
  std::size_t mask_ = 0, count_ = 0;
};

struct PathCopy {
  AIArtHandle handle = nullptr;
  // Place in the host's list counted from its end (its index in `listed`),
  // so that art made on top (the usual place for new labels) leaves every
  // other rank as it was.
  uint32_t rank = 0;
  bool live = false;
  bool unread = false;  // the host refused to give its anchors: ask again next time
  bool inGrid = false;  // the grid holds items of this slot, current or not
  bool gridded = false;  // ... and they are this copy's current ones
  bool listedNow = false;  // met in the host's new list, while following it
  std::vector<AIPathSegment> segments;
};

// One anchor (code 2j) or one piece of a segment (code 2j + 1) filed in a
// cell: the box that holds it and, for a piece, the samples it may hold.
struct Item {
  uint32_t path;
  uint32_t code;
  float left, bottom, right, top;
  uint8_t firstSample, lastSample;
};

// The cells of one block of the grid (side x side places), filed the first
// time a cursor comes near: each cell's items side by side, the cells row by
// row, anchors' cells first, then the segment pieces' cells.
struct Block {
  bool filed = false;
  // Before: the anchors and segments that may reach the block, each the
  // copy's slot and the anchor j with segment j. Dropped once filed.
  std::vector<uint64_t> refs;
  std::vector<uint32_t> start;  // items of cell c: [start[c], start[c + 1]); empty: none
  std::vector<Item> items;
};

// Everything filed when the map was last sized. Sizing it files each anchor
// and segment only by the blocks it may reach (one linear pass, a segment
// halved only down to the blocks' size); a block's cells are filed when a
// cursor first comes near it. Paths filed later go to the table (`cells`).
struct Grid {
  int32_t x0 = 0, y0 = 0;       // the first cell
  int32_t across = 0, up = 0;   // cells on each axis, whole blocks; 0: no grid
  int32_t side = 1;             // cells along a block's side
  int32_t blocksAcross = 0;
  std::vector<Block> blocks;
};

// An item a lookup found near the cursor.
struct Found {
  uint64_t key;  // its place in the walk's order (WalkKey), once the path's rank is known
  uint32_t code, path;
  uint8_t firstSample, lastSample;
};

struct Map {
  bool remake = true;
  bool recheck = false;             // the host's word: list the paths and read them all again
  bool relist = false;              // compare the host's list with the map's
  std::vector<AIArtHandle> made;      // art the plug-in made since the map was last used
  std::vector<AIArtHandle> disposed;  // paths the plug-in disposed of since then
  std::size_t unread = 0;           // copies the host would not give
  // The host's list of paths, bottom first: art made on top is appended.
  std::vector<AIArtHandle> listed;
  std::vector<AIArtHandle> relisted;  // the host's list now; kept to spare a large allocation
  std::vector<uint32_t> copyAt;       // the copy of each listed path
  std::vector<PathCopy> copies;
  std::vector<uint32_t> freeCopies;
  CopyIndex copyOf;
  std::unordered_map<uint64_t, std::vector<Item>> cells;
  Grid grid;
  std::size_t staleInGrid = 0;      // segments whose grid items are no longer current
  double cell = kDefaultCell;
  std::size_t items = 0, segments = 0;
  std::size_t sizedFor = 0;         // segments when the cells were last sized
  std::size_t everywhere = 0;       // items filed under kEverywhere
  std::size_t everywhereWhenSized = 0;  // ... when the cells were last sized
  std::vector<AIArtHandle> edited;  // written by the plug-in since the last use
  std::vector<const Item*> hits;    // a lookup's; kept to spare an allocation a cursor move
  std::vector<Found> found;
};

Map gMap;

bool SameBits(const AIPathSegment& a, const AIPathSegment& b) {
  const float fa[6] = {a.p.h, a.p.v, a.in.h, a.in.v, a.out.h, a.out.v};
  const float fb[6] = {b.p.h, b.p.v, b.in.h, b.in.v, b.out.h, b.out.v};
  return std::memcmp(fa, fb, sizeof fa) == 0;
}

bool SameAnchors(const std::vector<AIPathSegment>& a, const std::vector<AIPathSegment>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameBits(a[i], b[i])) return false;
  }
  return true;
}

// The cubic of segment j; the last one closes the path back to anchor 0,
// filed whether or not the path is closed now, so that closing it behind
// the plug-in's back cannot hide it.
Cubic SegmentCubic(const std::vector<AIPathSegment>& s, std::size_t j) {
  const AIPathSegment& a = s[j];
  const AIPathSegment& b = s[(j + 1) % s.size()];
  return {{a.p.h, a.out.h, b.in.h, b.p.h}, {a.p.v, a.out.v, b.in.v, b.p.v}};
}

//-----------------------------------------------------------------------------
// [SECTION] Filing paths by place
//-----------------------------------------------------------------------------

int32_t CellCoord(double v, double cell) {
  // By the inverse, which a loop computes once: any mapping that never
  // decreases with v serves, as long as filing and lookup share it.
  const double c = std::floor(v * (1.0 / cell));
  // Far-away points share the outermost cells; a lookup clamps the same way.
  return static_cast<int32_t>(std::clamp(c, -2.0e9, 2.0e9));
}

uint64_t CellKey(int32_t cx, int32_t cy) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
}

// Items no cell can hold (a segment spanning astronomical distances), looked
// at for every cursor. CellCoord never gives INT32_MAX.
const uint64_t kEverywhere = CellKey(INT32_MAX, INT32_MAX);

template <class Visit>
void VisitBoxCells(const Box& b, double cell, Visit&& visit) {
  const int32_t x0 = CellCoord(b.left, cell), x1 = CellCoord(b.right, cell);
  const int32_t y0 = CellCoord(b.bottom, cell), y1 = CellCoord(b.top, cell);
  for (int64_t x = x0; x <= x1; ++x) {
    for (int64_t y = y0; y <= y1; ++y) visit(CellKey(static_cast<int32_t>(x), static_cast<int32_t>(y)));
  }
}

double CellsAcross(const Box& b, double cell) {
  return (std::floor(b.right / cell) - std::floor(b.left / cell) + 1) *
         (std::floor(b.top / cell) - std::floor(b.bottom / cell) + 1);
}

// What is filed for one anchor or piece: where, and what the item says.
struct Filed {
  Box box;
  uint32_t code;
  uint8_t firstSample, lastSample;
};

// Boxes are rounded to floats outwards, so that the stored box still holds
// what the double one held.
float Down(double v) {
  const auto f = static_cast<float>(v);
  return static_cast<double>(f) > v ? std::nextafter(f, -HUGE_VALF) : f;
}
float Up(double v) {
  const auto f = static_cast<float>(v);
  return static_cast<double>(f) < v ? std::nextafter(f, HUGE_VALF) : f;
}

Item MakeItem(uint32_t path, const Filed& f) {
  return {path, f.code, Down(f.box.left), Down(f.box.bottom), Up(f.box.right), Up(f.box.top), f.firstSample,
          f.lastSample};
}

// Another piece of the same segment in the same cell: one item holds both.
void Widen(Item& i, const Filed& f) {
  i.left = std::min(i.left, Down(f.box.left));
  i.bottom = std::min(i.bottom, Down(f.box.bottom));
  i.right = std::max(i.right, Up(f.box.right));
  i.top = std::max(i.top, Up(f.box.top));
  i.firstSample = std::min(i.firstSample, f.firstSample);
  i.lastSample = std::max(i.lastSample, f.lastSample);
}

template <class Visit>
void FileBox(const Filed& f, double cell, Visit&& visit) {
  if (CellsAcross(f.box, cell) > kMaxCellsPerPiece) {
    visit(kEverywhere, f);
    return;
  }
  VisitBoxCells(f.box, cell, [&](uint64_t key) { visit(key, f); });
}

// A segment moves at most three times its control polygon's longest leg
// (on either axis) per unit of t, so after the last halving its pieces span
// at most that much over 2^kMaxHalvings. Longer than the cells allow (a
// leader dragged a million points away), it is filed once, under
// kEverywhere: piece by piece it could take millions of cells and seconds
// at the next cursor move.
bool TooLongForCells(const Cubic& c, double cell) {
  double leg = 0;
  for (int i = 0; i < 3; ++i) leg = std::max({leg, std::fabs(c.x[i + 1] - c.x[i]), std::fabs(c.y[i + 1] - c.y[i])});
  return 3 * leg > kLastPieceCells * cell * (1 << kMaxHalvings);
}

// Files the pieces of a segment over [t0, t1]: its control box when small,
// else the boxes of its halves. A piece holds the samples whose t lies in its
// range, give or take one for the float rounding of t.
template <class Visit>
void FileCubic(const Cubic& c, double t0, double t1, uint32_t code, double cell, int depth, Visit&& visit) {
  const Box box = ControlBox(c);
  const double side = std::max(box.right - box.left, box.top - box.bottom);
  const bool tooLong = depth == 0 && TooLongForCells(c, cell);
  if (!tooLong && depth < kMaxHalvings && side > cell) {
    Cubic front, back;
    Halve(c, front, back);
    const double mid = (t0 + t1) / 2;
    FileCubic(front, t0, mid, code, cell, depth + 1, visit);
    FileCubic(back, mid, t1, code, cell, depth + 1, visit);
    return;
  }
  const int first = std::max(0, static_cast<int>(std::floor(t0 * 100)) - 1);
  const int last = std::min(99, static_cast<int>(std::ceil(t1 * 100)) + 1);
  const Filed piece{Grown(box, RoundingSlack(Magnitude(box))), code, static_cast<uint8_t>(first),
                    static_cast<uint8_t>(last)};
  if (tooLong) {
    visit(kEverywhere, piece);
  } else {
    FileBox(piece, cell, visit);
  }
}

// Calls visit(cell key, filed) for every cell each anchor and segment piece of
// the path is filed in. Points that are not finite are never near anything
// (the host refuses to measure them) and are not filed.
template <class Visit>
void VisitPathCells(const std::vector<AIPathSegment>& s, double cell, Visit&& visit) {
  for (std::size_t j = 0; j < s.size(); ++j) {
    const AIRealPoint p = s[j].p;
    if (std::isfinite(p.h) && std::isfinite(p.v)) {
      const Filed anchor{{p.h, p.v, p.h, p.v}, static_cast<uint32_t>(2 * j), 0, 0};
      visit(CellKey(CellCoord(p.h, cell), CellCoord(p.v, cell)), anchor);
    }
    const Cubic c = SegmentCubic(s, j);
    if (IsFinite(c)) FileCubic(c, 0.0, 1.0, static_cast<uint32_t>(2 * j + 1), cell, 0, visit);
  }
}

// Neighbouring pieces of one segment often share a cell: one item holds both.
void FileInTable(uint64_t key, uint32_t index, const Filed& f) {
  std::vector<Item>& items = gMap.cells[key];
  if (!items.empty() && items.back().path == index && items.back().code == f.code) {
    Widen(items.back(), f);
    return;
  }
  items.push_back(MakeItem(index, f));
  ++gMap.items;
  if (key == kEverywhere) ++gMap.everywhere;
}

void File(uint32_t index) {
  const PathCopy& copy = gMap.copies[index];
  gMap.segments += copy.segments.size();
  VisitPathCells(copy.segments, gMap.cell, [index](uint64_t key, const Filed& f) { FileInTable(key, index, f); });
}

void Unfile(uint32_t index) {
  PathCopy& copy = gMap.copies[index];
  gMap.segments -= copy.segments.size();
  if (copy.gridded) {
    copy.gridded = false;
    gMap.staleInGrid += copy.segments.size();
  }
  VisitPathCells(copy.segments, gMap.cell, [index](uint64_t key, const Filed&) {
    const auto it = gMap.cells.find(key);
    if (it == gMap.cells.end()) return;
    std::vector<Item>& items = it->second;
    const auto from = std::remove_if(items.begin(), items.end(), [index](const Item& i) { return i.path == index; });
    gMap.items -= static_cast<std::size_t>(items.end() - from);
    if (key == kEverywhere) gMap.everywhere -= static_cast<std::size_t>(items.end() - from);
    items.erase(from, items.end());
    if (items.empty()) gMap.cells.erase(it);
  });
}

// The cells' size, and the box holding the bulk of the anchors (all but
// the outermost percent on each side), where the grid is worth its memory.
struct Sizing {
  double cell = kDefaultCell;
  Box bulk{0, 0, 0, 0};
  int32_t blockSide = 1;  // cells along a grid block's side
};

// Cells along a block's side (a power of two), for the least work at the
// first hover: filing every segment by the blocks it reaches (about one ref
// a segment, more for segments longer than a block) plus filing the cells
// of the block or two the cursor comes near (its refs, halved down to cells).
int32_t gBlockSideForTests = 0;

int32_t ChooseBlockSide(double cell, double area, double meanLength, double segments) {
  if (gBlockSideForTests > 0) return gBlockSideForTests;
  int32_t best = 1;
  double bestCost = HUGE_VAL;
  for (int32_t side = 1; side <= kMaxBlockSide; side *= 2) {
    const double s = side * cell;
    const double refs = segments * (1 + meanLength / s);
    const double perBlock = refs / std::max(area / (s * s), 1.0);
    const double cost = refs + 2 * perBlock * (1 + std::min(meanLength, s) / cell);
    if (cost < bestCost) best = side, bestCost = cost;
  }
  return best;
}

// A cell about as large as the drawing's segments: small enough that a cursor
// meets few of them, large enough that a long segment is filed in few cells.
// The spread is taken without the outermost anchors, so that a stray point
// far off the drawing does not make every cell huge.
Sizing ChooseCells() {
  std::vector<double> xs, ys;
  double length = 0;
  std::size_t count = 0, sampled = 0, total = 0;
  for (const PathCopy& copy : gMap.copies) total += copy.live ? copy.segments.size() : 0;
  // A sample of the segments is enough for the percentiles and the length.
  const std::size_t stride = total / 65536 + 1;
  // Segment `next` of all is the next sampled; `base` is the first of this copy.
  std::size_t base = 0, next = 0;
  for (const PathCopy& copy : gMap.copies) {
    if (!copy.live) continue;
    const auto& s = copy.segments;
    for (; next < base + s.size(); next += stride) {
      const Cubic c = SegmentCubic(s, next - base);
      if (!IsFinite(c)) continue;
      xs.push_back(c.x[0]);
      ys.push_back(c.y[0]);
      for (int i = 0; i < 3; ++i) {
        const double dx = c.x[i + 1] - c.x[i], dy = c.y[i + 1] - c.y[i];
        length += std::sqrt(dx * dx + dy * dy);
      }
      ++sampled;
    }
    base += s.size();
  }
  // Segments not sampled are taken as finite.
  count = total - (total + stride - 1) / stride + sampled;
  if (sampled == 0) return {};
  length *= static_cast<double>(count) / static_cast<double>(sampled);
  const auto percentile = [](std::vector<double>& v, std::size_t k) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
    return v[k];
  };
  const std::size_t low = xs.size() / 100, high = xs.size() - 1 - xs.size() / 100;
  const Box bulk{percentile(xs, low), percentile(ys, low), percentile(xs, high), percentile(ys, high)};
  const double area = std::max(bulk.right - bulk.left, 1.0) * std::max(bulk.top - bulk.bottom, 1.0);
  const double bySpread = 2 * std::sqrt(area / static_cast<double>(count));
  // Long segments crowd a cell that suits the anchors' spacing: the cell
  // shrinks until about kPiecesPerCell pieces of line cross it, as far as
  // the memory for the pieces allows.
  const double byCrowd = kPiecesPerCell * area / std::max(length, 1.0);
  const double byMemory = 1.5 * length / std::max(kPiecesPerSegment * static_cast<double>(count), kPiecesAtLeast);
  double cell = std::max({std::min(bySpread, byCrowd), byMemory, 1.0});
  if (!std::isfinite(cell)) cell = kDefaultCell;
  return {cell, bulk, ChooseBlockSide(cell, area, length / static_cast<double>(count), static_cast<double>(count))};
}

// Cells a grid may have for the items it holds: blank space costs a few
// bytes a cell.
bool GridAffordable(double cells, std::size_t items) {
  return cells <= std::max(4.0 * static_cast<double>(items), 65536.0) && cells < double{1 << 27};
}

// A finite segment's pieces are filed in the grid's blocks unless it is too
// long for cells or reaches outside the grid: then it goes to the table.
bool FiledByBlocks(const Cubic& c, const Box& controlBox) {
  const Grid& grid = gMap.grid;
  const Box box = Grown(controlBox, RoundingSlack(Magnitude(controlBox)));
  return !TooLongForCells(c, gMap.cell) && CellCoord(box.left, gMap.cell) >= grid.x0 &&
         CellCoord(box.bottom, gMap.cell) >= grid.y0 &&
         int64_t{CellCoord(box.right, gMap.cell)} < int64_t{grid.x0} + grid.across &&
         int64_t{CellCoord(box.top, gMap.cell)} < int64_t{grid.y0} + grid.up;
}

// Files every live copy in a new grid: one pass for the extent, one that
// files each anchor and segment by the blocks it may reach. The blocks' cells
// are filed later (FileBlock). Segments too long for cells, and anything
// reaching outside the grid (stray points), go to the table.
bool FileInGrid(const Sizing& sizing) {
  const Box& bulk = sizing.bulk;
  // Every filed box lies within the finite points' box, grown for rounding.
  double left = HUGE_VAL, bottom = HUGE_VAL, right = -HUGE_VAL, top = -HUGE_VAL;
  std::size_t segments = 0;
  for (const PathCopy& copy : gMap.copies) {
    if (!copy.live) continue;
    segments += copy.segments.size();
    for (const AIPathSegment& a : copy.segments) {
      for (const AIRealPoint& p : {a.p, a.in, a.out}) {
        if (!std::isfinite(p.h) || !std::isfinite(p.v)) continue;
        left = std::min(left, double{p.h}), right = std::max(right, double{p.h});
        bottom = std::min(bottom, double{p.v}), top = std::max(top, double{p.v});
      }
    }
  }
  if (left > right) return false;
  const double slack = RoundingSlack(Magnitude(Box{left, bottom, right, top}));
  int64_t x0 = CellCoord(left - slack, gMap.cell), x1 = CellCoord(right + slack, gMap.cell);
  int64_t y0 = CellCoord(bottom - slack, gMap.cell), y1 = CellCoord(top + slack, gMap.cell);
  if (!GridAffordable(static_cast<double>(x1 - x0 + 1) * static_cast<double>(y1 - y0 + 1), 2 * segments)) {
    // Stray points make the whole extent too large: the grid covers the bulk
    // of the drawing with a margin, and what lies outside goes to the table.
    const double marginX = (bulk.right - bulk.left) / 8 + 2 * gMap.cell;
    const double marginY = (bulk.top - bulk.bottom) / 8 + 2 * gMap.cell;
    x0 = std::max<int64_t>(x0, CellCoord(bulk.left - marginX, gMap.cell));
    x1 = std::min<int64_t>(x1, CellCoord(bulk.right + marginX, gMap.cell));
    y0 = std::max<int64_t>(y0, CellCoord(bulk.bottom - marginY, gMap.cell));
    y1 = std::min<int64_t>(y1, CellCoord(bulk.top + marginY, gMap.cell));
    if (x0 > x1 || y0 > y1) return false;
    if (!GridAffordable(static_cast<double>(x1 - x0 + 1) * static_cast<double>(y1 - y0 + 1), 2 * segments)) return false;
  }
  // Whole blocks on each axis.
  const int64_t side = sizing.blockSide;
  const int64_t blocksAcross = (x1 - x0 + side) / side, blocksUp = (y1 - y0 + side) / side;
  x1 = x0 + blocksAcross * side - 1;
  y1 = y0 + blocksUp * side - 1;

  Grid& grid = gMap.grid;
  grid.x0 = static_cast<int32_t>(x0), grid.y0 = static_cast<int32_t>(y0);
  grid.across = static_cast<int32_t>(x1 - x0 + 1), grid.up = static_cast<int32_t>(y1 - y0 + 1);
  grid.side = static_cast<int32_t>(side);
  grid.blocksAcross = static_cast<int32_t>(blocksAcross);
  const auto blockCount = static_cast<std::size_t>(blocksAcross * blocksUp);
  grid.blocks.assign(blockCount, Block{});
  const double blockSize = static_cast<double>(side) * gMap.cell;

  // Each anchor j with segment j goes once to each block it may reach (the
  // side is a power of two).
  const int shift = std::countr_zero(static_cast<uint64_t>(side));
  std::vector<uint64_t> lastRef(blockCount, ~uint64_t{0});
  const auto add = [&](int64_t cx, int64_t cy, uint64_t ref) {
    const auto b = static_cast<std::size_t>(((cy - y0) >> shift) * blocksAcross + ((cx - x0) >> shift));
    if (lastRef[b] == ref) return;
    lastRef[b] = ref;
    grid.blocks[b].refs.push_back(ref);
  };
  const auto addCubic = [&](const auto& self, const Cubic& c, const Box& box, int depth, uint64_t ref) -> void {
    if (depth < kMaxHalvings && std::max(box.right - box.left, box.top - box.bottom) > blockSize) {
      Cubic front, back;
      Halve(c, front, back);
      self(self, front, ControlBox(front), depth + 1, ref);
      self(self, back, ControlBox(back), depth + 1, ref);
      return;
    }
    const Box grown = Grown(box, RoundingSlack(Magnitude(box)));
    const int64_t cx0 = CellCoord(grown.left, gMap.cell), cx1 = CellCoord(grown.right, gMap.cell);
    const int64_t cy0 = CellCoord(grown.bottom, gMap.cell), cy1 = CellCoord(grown.top, gMap.cell);
    for (int64_t cy = cy0 - ((cy0 - y0) & (side - 1)); cy <= cy1; cy += side) {
      for (int64_t cx = cx0 - ((cx0 - x0) & (side - 1)); cx <= cx1; cx += side) add(cx, cy, ref);
    }
  };
  for (uint32_t index = 0; index < gMap.copies.size(); ++index) {
    PathCopy& copy = gMap.copies[index];
    if (!copy.live) continue;
    copy.inGrid = copy.gridded = true;
    gMap.segments += copy.segments.size();
    const auto& s = copy.segments;
    const auto table = [index](uint64_t key, const Filed& f) { FileInTable(key, index, f); };
    for (std::size_t j = 0; j < s.size(); ++j) {
      const uint64_t ref = (uint64_t{index} << 32) | j;
      const AIRealPoint p = s[j].p;
      if (std::isfinite(p.h) && std::isfinite(p.v)) {
        const int64_t cx = CellCoord(p.h, gMap.cell), cy = CellCoord(p.v, gMap.cell);
        if (cx >= x0 && cx <= x1 && cy >= y0 && cy <= y1) {
          add(cx, cy, ref);
        } else {
          table(CellKey(static_cast<int32_t>(cx), static_cast<int32_t>(cy)),
                Filed{{p.h, p.v, p.h, p.v}, static_cast<uint32_t>(2 * j), 0, 0});
        }
      }
      const Cubic c = SegmentCubic(s, j);
      if (!IsFinite(c)) continue;
      const Box box = ControlBox(c);
      if (!FiledByBlocks(c, box)) {
        FileCubic(c, 0.0, 1.0, static_cast<uint32_t>(2 * j + 1), gMap.cell, 0, table);
      } else {
        addCubic(addCubic, c, box, 0, ref);
      }
    }
  }
  return true;
}

// Files the cells of block b from the refs that may reach it, in one pass
// over them: the pieces of each segment that reach the block (the same
// halving as in the table, skipping halves that stay outside) each go to the
// cells their box covers, and the items are then placed cell by cell.
Block& FileBlock(std::size_t b) {
  Grid& grid = gMap.grid;
  Block& block = grid.blocks[b];
  if (block.filed) return block;
  block.filed = true;
  std::vector<uint64_t> refs;
  refs.swap(block.refs);
  if (refs.empty()) return block;
  const int64_t side = grid.side;
  const int64_t bx0 = grid.x0 + static_cast<int64_t>(b % static_cast<std::size_t>(grid.blocksAcross)) * side;
  const int64_t by0 = grid.y0 + static_cast<int64_t>(b / static_cast<std::size_t>(grid.blocksAcross)) * side;
  const int64_t bx1 = bx0 + side - 1, by1 = by0 + side - 1;
  const auto places = static_cast<std::size_t>(side * side);
  const double cell = gMap.cell;

  // Items in the order made, each with its cell; the latest item of each cell,
  // so that neighbouring pieces of one segment in one cell share an item.
  struct Placed {
    uint32_t cell;
    Item item;
  };
  std::vector<Placed> made;
  std::vector<uint32_t> latest(2 * places, ~uint32_t{0});
  const auto put = [&](std::size_t c, uint32_t index, const Filed& f) {
    const uint32_t at = latest[c];
    if (at != ~uint32_t{0} && made[at].item.path == index && made[at].item.code == f.code) {
      Widen(made[at].item, f);
      return;
    }
    latest[c] = static_cast<uint32_t>(made.size());
    made.push_back({static_cast<uint32_t>(c), MakeItem(index, f)});
  };
  const auto placeOf = [&](int64_t cx, int64_t cy) { return static_cast<std::size_t>((cy - by0) * side + (cx - bx0)); };
  for (const uint64_t ref : refs) {
    const auto index = static_cast<uint32_t>(ref >> 32);
    const auto j = static_cast<std::size_t>(ref & 0xFFFFFFFFu);
    const PathCopy& copy = gMap.copies[index];
    // A copy changed since the grid was made is filed in the table.
    if (!copy.gridded) continue;
    const auto& s = copy.segments;
    const AIRealPoint p = s[j].p;
    if (std::isfinite(p.h) && std::isfinite(p.v)) {
      const int64_t cx = CellCoord(p.h, cell), cy = CellCoord(p.v, cell);
      if (cx >= bx0 && cx <= bx1 && cy >= by0 && cy <= by1) {
        put(placeOf(cx, cy), index, Filed{{p.h, p.v, p.h, p.v}, static_cast<uint32_t>(2 * j), 0, 0});
      }
    }
    const Cubic c = SegmentCubic(s, j);
    if (!IsFinite(c) || !FiledByBlocks(c, ControlBox(c))) continue;
    const auto code = static_cast<uint32_t>(2 * j + 1);
    const auto file = [&](const auto& self, const Cubic& part, double t0, double t1, int depth) -> void {
      const Box box = ControlBox(part);
      const Box grown = Grown(box, RoundingSlack(Magnitude(box)));
      const int64_t cx0 = std::max<int64_t>(CellCoord(grown.left, cell), bx0);
      const int64_t cx1 = std::min<int64_t>(CellCoord(grown.right, cell), bx1);
      const int64_t cy0 = std::max<int64_t>(CellCoord(grown.bottom, cell), by0);
      const int64_t cy1 = std::min<int64_t>(CellCoord(grown.top, cell), by1);
      if (cx0 > cx1 || cy0 > cy1) return;
      if (depth < kMaxHalvings && std::max(box.right - box.left, box.top - box.bottom) > cell) {
        Cubic front, back;
        Halve(part, front, back);
        const double mid = (t0 + t1) / 2;
        self(self, front, t0, mid, depth + 1);
        self(self, back, mid, t1, depth + 1);
        return;
      }
      const int first = std::max(0, static_cast<int>(std::floor(t0 * 100)) - 1);
      const int last = std::min(99, static_cast<int>(std::ceil(t1 * 100)) + 1);
      const Filed piece{grown, code, static_cast<uint8_t>(first), static_cast<uint8_t>(last)};
      for (int64_t cy = cy0; cy <= cy1; ++cy) {
        for (int64_t cx = cx0; cx <= cx1; ++cx) put(places + placeOf(cx, cy), index, piece);
      }
    };
    file(file, c, 0.0, 1.0, 0);
  }
  block.start.assign(2 * places + 1, 0);
  for (const Placed& m : made) ++block.start[m.cell + 1];
  for (std::size_t c = 0; c < 2 * places; ++c) block.start[c + 1] += block.start[c];
  block.items.resize(made.size());
  std::vector<uint32_t> next(block.start.begin(), block.start.end() - 1);
  for (const Placed& m : made) block.items[next[m.cell]++] = m.item;
  gMap.items += made.size();
  return block;
}

void Refile() {
  gMap.cells.clear();
  gMap.grid = Grid{};
  gMap.items = gMap.segments = gMap.staleInGrid = gMap.everywhere = 0;
  const Sizing sizing = ChooseCells();
  gMap.cell = sizing.cell;
  // Slots the old grid kept from reuse are free again.
  gMap.freeCopies.clear();
  for (uint32_t i = 0; i < gMap.copies.size(); ++i) {
    PathCopy& copy = gMap.copies[i];
    copy.inGrid = copy.gridded = false;
    if (!copy.live) gMap.freeCopies.push_back(i);
  }
  if (!FileInGrid(sizing)) {
    for (uint32_t i = 0; i < gMap.copies.size(); ++i) {
      if (gMap.copies[i].live) File(i);
    }
  }
  gMap.sizedFor = gMap.segments;
  gMap.everywhereWhenSized = gMap.everywhere;
}

//-----------------------------------------------------------------------------
// [SECTION] Keeping up with the host
//-----------------------------------------------------------------------------

void ReadCopy(PathCopy& copy) {
  copy.unread = ReadPath(copy.handle, copy.segments) != kNoErr;
  if (copy.unread) {
    copy.segments.clear();
    ++gMap.unread;
  }
}

uint32_t AddCopy(AIArtHandle handle, bool file) {
  uint32_t index;
  if (!gMap.freeCopies.empty()) {
    index = gMap.freeCopies.back();
    gMap.freeCopies.pop_back();
  } else {
    index = static_cast<uint32_t>(gMap.copies.size());
    gMap.copies.emplace_back();
  }
  PathCopy& copy = gMap.copies[index];
  copy.handle = handle;
  copy.live = true;
  ReadCopy(copy);
  gMap.copyOf.Set(handle, index);
  if (file) File(index);
  return index;
}

void RemoveCopy(uint32_t index) {
  PathCopy& copy = gMap.copies[index];
  Unfile(index);
  const uint32_t* at = gMap.copyOf.Find(copy.handle);
  if (at != nullptr && *at == index) gMap.copyOf.Erase(copy.handle);
  // A slot the grid still names stays out of use until the grid is made again.
  const bool inGrid = copy.inGrid;
  copy = PathCopy{};
  copy.inGrid = inGrid;
  if (!inGrid) gMap.freeCopies.push_back(index);
}

void Replace(uint32_t index, std::vector<AIPathSegment> segments) {
  Unfile(index);
  gMap.copies[index].segments = std::move(segments);
  gMap.copies[index].unread = false;
  File(index);
}

// `listed` is taken by value: the map it may belong to is replaced.
void Remake(std::vector<AIArtHandle> listed) {
  gMap = Map{};
  gMap.remake = false;
  gMap.listed = std::move(listed);
  const std::vector<AIArtHandle>& paths = gMap.listed;
  gMap.copyAt.reserve(paths.size());
  gMap.copies.reserve(paths.size());
  gMap.copyOf.Reserve(paths.size());
  for (uint32_t rank = 0; rank < paths.size(); ++rank) {
    const uint32_t index = AddCopy(paths[rank], false);
    gMap.copies[index].rank = rank;
    gMap.copyAt.push_back(index);
  }
  Refile();
}

// The host's list differs from the last one: between the common beginning
// and the common end, paths still listed keep their copies (they may have
// moved in the order), paths no longer listed are taken out and new ones read in.
// The list is taken: `listed` is left holding the old one, its memory reused next time.
void Follow(std::vector<AIArtHandle>& listed) {
  const std::vector<AIArtHandle>& old = gMap.listed;
  const std::size_t n = old.size(), m = listed.size();
  std::size_t head = 0;
  while (head < n && head < m && old[head] == listed[head]) ++head;
  if (head == n && head == m) return;
  std::size_t tail = 0;
  while (tail < n - head && tail < m - head && old[n - 1 - tail] == listed[m - 1 - tail]) ++tail;

  std::vector<uint32_t> middle, added;
  middle.reserve(m - tail - head);
  std::size_t addedSegments = 0;
  for (std::size_t i = head; i < m - tail; ++i) {
    const uint32_t* at = gMap.copyOf.Find(listed[i]);
    const bool kept = at != nullptr && gMap.copies[*at].live && !gMap.copies[*at].listedNow;
    const uint32_t index = kept ? *at : AddCopy(listed[i], false);
    if (!kept) {
      added.push_back(index);
      addedSegments += gMap.copies[index].segments.size();
    }
    gMap.copies[index].listedNow = true;
    middle.push_back(index);
  }
  for (std::size_t i = head; i < n - tail; ++i) {
    if (!gMap.copies[gMap.copyAt[i]].listedNow) RemoveCopy(gMap.copyAt[i]);
  }
  for (const uint32_t index : middle) gMap.copies[index].listedNow = false;
  // The middle is replaced in place: no new block for the whole list.
  std::vector<uint32_t>& copyAt = gMap.copyAt;
  const auto from = copyAt.begin() + static_cast<std::ptrdiff_t>(head);
  copyAt.insert(copyAt.erase(from, from + static_cast<std::ptrdiff_t>(n - tail - head)), middle.begin(), middle.end());
  for (std::size_t i = head; i < m; ++i) gMap.copies[copyAt[i]].rank = static_cast<uint32_t>(i);
  gMap.listed.swap(listed);
  // Most of the drawing new (a drawing opened): the map is made again, in
  // the grid; a few new paths go to the table.
  if (addedSegments > kRefileAdded && addedSegments > gMap.segments) {
    Refile();
  } else {
    for (const uint32_t index : added) File(index);
  }
}

// Takes anchors just read for a copy: filed again when they differ.
void TakeRead(uint32_t index, const std::vector<AIPathSegment>& segments) {
  PathCopy& copy = gMap.copies[index];
  if (!copy.unread && SameAnchors(segments, copy.segments)) return;
  if (copy.unread && gMap.unread > 0) --gMap.unread;
  Replace(index, segments);
}

// The host's word that anything may have changed: its list is followed and
// every path read again, and only those that changed are filed again.
// Reading costs far less than filing.
void Recheck(std::vector<AIArtHandle>& listed) {
  Follow(listed);
  std::vector<AIPathSegment> segments;
  for (uint32_t i = 0; i < gMap.copies.size(); ++i) {
    PathCopy& copy = gMap.copies[i];
    if (!copy.live) continue;
    if (ReadPath(copy.handle, segments) != kNoErr) {
      if (!copy.unread) ++gMap.unread;
      copy.unread = true;
      continue;
    }
    TakeRead(i, segments);
  }
}

// Paths the plug-in wrote, and paths the host would not give last time, are read again.
void ReadEdited() {
  std::vector<AIArtHandle> edited;
  edited.swap(gMap.edited);
  for (AIArtHandle art : edited) {
    const uint32_t* at = gMap.copyOf.Find(art);
    if (at == nullptr) {
      // A moved group moves the paths inside it, which the map cannot list.
      if (ArtAlive(art) && ArtType(art) == kGroupArt) gMap.recheck = true;
      continue;
    }
    std::vector<AIPathSegment> segments;
    if (ReadPath(art, segments) != kNoErr) {
      if (!gMap.copies[*at].unread) ++gMap.unread;
      gMap.copies[*at].unread = true;
      continue;
    }
    TakeRead(*at, segments);
  }
}

void RereadUnread() {
  if (gMap.unread == 0) return;
  gMap.unread = 0;
  for (uint32_t i = 0; i < gMap.copies.size(); ++i) {
    PathCopy& copy = gMap.copies[i];
    if (!copy.live || !copy.unread) continue;
    std::vector<AIPathSegment> segments;
    if (ReadPath(copy.handle, segments) == kNoErr) {
      Replace(i, std::move(segments));
    } else {
      ++gMap.unread;
    }
  }
}

// The samples first..last (of 0..127) as a mask of each word.
uint64_t SampleMask(int word, int first, int last) {
  const int lo = std::max(first, word * 64) - word * 64, hi = std::min(last, word * 64 + 63) - word * 64;
  if (lo > hi) return 0;
  const uint64_t upTo = hi == 63 ? ~uint64_t{0} : (uint64_t{1} << (hi + 1)) - 1;
  return upTo & ~((uint64_t{1} << lo) - 1);
}

// Sets bits first..last of a 128-bit set.
void MarkSamples(uint64_t (&samples)[2], int first, int last) {
  for (int word = 0; word < 2; ++word) samples[word] |= SampleMask(word, first, last);
}

double SampleT(int k) { return static_cast<double>(static_cast<float>(k) * 0.01f); }

// So few marked samples are looked at one by one rather than by halving the curve.
constexpr int kFewSamples = 16;

struct FarSamples {
  const Cubic& curve;
  double x, y, limit;
  uint64_t (&samples)[2];

  // Clears the marked samples of first..last that stay out of reach, in
  // order, up to the first that may come near (true). A part of the curve
  // that stays far as a whole is cleared at once; else its halves are looked
  // at in turn.
  bool ClearUpToNear(int first, int last) {
    const uint64_t marked[2] = {samples[0] & SampleMask(0, first, last), samples[1] & SampleMask(1, first, last)};
    if ((marked[0] | marked[1]) == 0) return false;
    if (last - first >= 4 && std::popcount(marked[0]) + std::popcount(marked[1]) > kFewSamples) {
      if (FarFrom(Piece(curve, SampleT(first), SampleT(last)), x, y, limit)) {
        for (int word = 0; word < 2; ++word) samples[word] &= ~SampleMask(word, first, last);
        return false;
      }
      const int middle = (first + last) / 2;
      return ClearUpToNear(first, middle) || ClearUpToNear(middle + 1, last);
    }
    for (int word = 0; word < 2; ++word) {
      for (uint64_t bits = marked[word]; bits != 0; bits &= bits - 1) {
        const int k = word * 64 + std::countr_zero(bits);
        double px, py;
        PointAt(curve, SampleT(k), px, py);
        if ((px - x) * (px - x) + (py - y) * (py - y) < limit * limit) return true;
        samples[word] &= ~(uint64_t{1} << (k % 64));
      }
    }
    return false;
  }
};

// Clears, of the samples marked, those of the copy's segment j that stay out
// of reach of the cursor by our own evaluation (with room for the host's
// rounding), up to the first that may come near: the host is asked about
// the samples in order and stops at the first it finds near. The copy is the
// one the segment was filed by, so it is as current as the filing itself.
void ClearFarSamples(const PathCopy& copy, std::size_t j, double x, double y, double reach, uint64_t (&samples)[2]) {
  const Cubic c = SegmentCubic(copy.segments, j);
  if (!IsFinite(c)) return;
  const double limit = reach + RoundingSlack(std::max({Magnitude(c), std::fabs(x), std::fabs(y)}));
  FarSamples{c, x, y, limit, samples}.ClearUpToNear(0, 99);
}

bool ListPaths(std::vector<AIArtHandle>& listed) {
  const AIMatchingArtSpec pathsOnly{kPathArt, 0, 0};
  AIArtHandle* matches = nullptr;
  int32_t count = 0;
  listed.clear();
  if (sAIMatchingArt->GetMatchingArt(&pathsOnly, 1, &matches, &count) != kNoErr) return false;
  // Bottom first: the paths of art made on top come last.
  if (matches != nullptr && count > 0) {
    listed.assign(std::make_reverse_iterator(matches + count), std::make_reverse_iterator(matches));
  }
  sSPBasic->FreeBlock(matches);
  return true;
}

// Paths the plug-in disposed of are taken out where they lie near the top of
// the list; false when one lies deeper (the host's list is then compared).
bool TakeOutDisposed() {
  constexpr std::size_t kNearTop = 4096;
  for (AIArtHandle path : gMap.disposed) {
    if (gMap.copyOf.Find(path) == nullptr) continue;
    const std::size_t size = gMap.listed.size(), stop = size > kNearTop ? size - kNearTop : 0;
    std::size_t at = size;
    while (at > stop && gMap.listed[at - 1] != path) --at;
    if (at == stop) return false;
    --at;
    const uint32_t index = gMap.copyAt[at];
    gMap.listed.erase(gMap.listed.begin() + static_cast<std::ptrdiff_t>(at));
    gMap.copyAt.erase(gMap.copyAt.begin() + static_cast<std::ptrdiff_t>(at));
    RemoveCopy(index);
    for (std::size_t i = at; i < gMap.copyAt.size(); ++i) gMap.copies[gMap.copyAt[i]].rank = static_cast<uint32_t>(i);
  }
  return true;
}

bool MadeThisRound(AIArtHandle art) {
  return std::find(gMap.made.begin(), gMap.made.end(), art) != gMap.made.end();
}

// Appends the paths in `art` in document order (top first); false when the
// host will not say.
bool CollectPaths(AIArtHandle art, std::vector<AIArtHandle>& paths, int depth) {
  int16_t type = kUnknownArt;
  if (depth > 64 || sAIArt->GetArtType(art, &type) != kNoErr) return false;
  if (type == kPathArt) {
    paths.push_back(art);
    return true;
  }
  if (type != kGroupArt) return true;
  AIArtHandle child = nullptr;
  if (sAIArt->GetArtFirstChild(art, &child) != kNoErr) return false;
  while (child != nullptr) {
    if (!CollectPaths(child, paths, depth + 1)) return false;
    if (sAIArt->GetArtSibling(child, &child) != kNoErr) return false;
  }
  return true;
}

// The usual case of the plug-in's own making: new art on top of the top
// layer. Its paths are then the first of the host's list, in the order of a
// walk down from the top, and are appended without listing the document.
// False when the new art lies anywhere else (the host's list is then compared).
bool AppendMadeOnTop() {
  AILayerHandle top = nullptr;
  AIArtHandle group = nullptr, child = nullptr;
  if (sAILayer->GetNthLayer(0, &top) != kNoErr || top == nullptr) return false;
  if (sAIArt->GetFirstArtOfLayer(top, &group) != kNoErr || group == nullptr) return false;
  if (sAIArt->GetArtFirstChild(group, &child) != kNoErr) return false;
  std::vector<AIArtHandle> paths;
  while (child != nullptr && MadeThisRound(child)) {
    if (!CollectPaths(child, paths, 0)) return false;
    if (sAIArt->GetArtSibling(child, &child) != kNoErr) return false;
  }
  // They are all new, and every path made and still there is among them.
  for (AIArtHandle path : paths) {
    if (!MadeThisRound(path) || gMap.copyOf.Find(path) != nullptr) return false;
  }
  std::size_t madePaths = 0;
  for (AIArtHandle art : gMap.made) {
    if (ArtAlive(art) && ArtType(art) == kPathArt) ++madePaths;
  }
  if (madePaths != paths.size()) return false;
  for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
    const uint32_t index = AddCopy(*path, true);
    gMap.copies[index].rank = static_cast<uint32_t>(gMap.listed.size());
    gMap.listed.push_back(*path);
    gMap.copyAt.push_back(index);
  }
  return true;
}

// The plug-in's own making and disposing, followed without listing the
// document when it happened on top; else the host's list is compared.
void FollowOwnEdits() {
  if (gMap.made.empty() && gMap.disposed.empty()) return;
  if (!gMap.relist && !(TakeOutDisposed() && AppendMadeOnTop())) gMap.relist = true;
  gMap.made.clear();
  gMap.disposed.clear();
}

// The host's list is asked for only when something may have changed it: the
// plug-in's own making and disposing, or the host's word (notification, tool
// change). Between those, hovering costs what the cursor's neighbourhood holds.
bool Synchronise() {
  std::vector<AIArtHandle>& listed = gMap.relisted;
  if (gMap.remake || gMap.recheck) {
    gMap.made.clear();
    gMap.disposed.clear();
  }
  FollowOwnEdits();
  if (gMap.remake || gMap.relist || gMap.recheck) {
    if (!ListPaths(listed)) return false;
    if (gMap.remake) {
      Remake(listed);
      return true;
    }
    gMap.relist = false;
    if (gMap.recheck) {
      gMap.recheck = false;
      Recheck(listed);
    } else {
      Follow(listed);
    }
  }
  ReadEdited();
  if (gMap.recheck) {
    if (!ListPaths(listed)) return false;
    gMap.recheck = false;
    Recheck(listed);
  }
  RereadUnread();
  // Cells sized for a small drawing hold a grown one badly: sized again once
  // the drawing has doubled and its segments fill many cells each.
  if (gMap.segments > 2 * gMap.sizedFor + 64 && gMap.items > kItemsPerSegmentLimit * gMap.segments) Refile();
  // Segments too long for the cells are looked at for every cursor: once
  // they are many more than at the last sizing, the cells are sized again.
  if (gMap.everywhere > 2 * gMap.everywhereWhenSized + 64) Refile();
  // A grid mostly gone stale (its paths edited or disposed) is made again.
  if (gMap.staleInGrid > 1024 && gMap.staleInGrid > gMap.segments) Refile();
  return true;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Looking up a cursor
//-----------------------------------------------------------------------------

namespace {
// Candidates picked out by passes over the items before a heap is made,
// when no more items than this were found.
constexpr int kPickedCandidates = 3;
constexpr std::size_t kPickAmong = 128;

// The walk's order as one number, largest first: the path's rank, then the
// anchor or segment, anchor j (code 2j) before segment j (2j + 1).
uint64_t WalkKey(uint32_t rank, uint32_t code) { return (uint64_t{rank} << 32) | (0xFFFFFFFFu - code); }
}  // namespace

bool FindMagnetCandidates(AIRealPoint cursor, double anchorReach, double segmentReach,
                          const std::function<MagnetVisit(const MagnetCandidate&)>& visit, bool& listed) {
  listed = Synchronise();
  if (!listed) return false;
  const double x = cursor.h, y = cursor.v;
  // Rounding matters only for points near the cursor, so the slack follows its size.
  const double size = std::max(std::fabs(x), std::fabs(y)) + std::max(anchorReach, segmentReach);
  const double anchorSlack = anchorReach * (1 + 1e-6) + RoundingSlack(size);
  const double segmentSlack = segmentReach * (1 + 1e-6) + RoundingSlack(size);
  const double reach = std::max(anchorSlack, segmentSlack);
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(reach)) return false;

  // The grid items found are the first `hitCount` of a buffer that only
  // grows: the scan writes the place of every item it looks at and counts
  // those that pass. The table's items found go to `found`.
  std::vector<const Item*>& hits = gMap.hits;
  std::size_t hitCount = 0;
  std::vector<Found>& found = gMap.found;
  std::size_t count = 0;
  const auto grow = [](auto& buffer, std::size_t size) {
    if (buffer.size() < size) buffer.resize(std::max(size, 2 * buffer.size()));
  };
  const auto consider = [&](const Item& item) {
    const double r = item.code % 2 == 0 ? anchorSlack : segmentSlack;
    if (x < item.left - r || x > item.right + r || y < item.bottom - r || y > item.top + r) return;
    grow(found, count + 1);
    found[count++] = {0, item.code, item.path, item.firstSample, item.lastSample};
  };

  // The grid's cells of one kind (0 anchors, 1 segment pieces) within r of
  // the cursor. The box test is made on floats rounded outwards, which can
  // only let a few more items through, and without branches: in a dense
  // drawing about half pass it, which no branch predicts.
  const auto scanGrid = [&](double r, uint32_t kind) {
    const Grid& grid = gMap.grid;
    if (grid.across == 0) return;
    const int64_t x0 = std::max<int64_t>(CellCoord(x - r, gMap.cell), grid.x0);
    const int64_t x1 = std::min<int64_t>(CellCoord(x + r, gMap.cell), int64_t{grid.x0} + grid.across - 1);
    const int64_t y0 = std::max<int64_t>(CellCoord(y - r, gMap.cell), grid.y0);
    const int64_t y1 = std::min<int64_t>(CellCoord(y + r, gMap.cell), int64_t{grid.y0} + grid.up - 1);
    const float maxLeft = Up(x + r), minRight = Down(x - r), maxBottom = Up(y + r), minTop = Down(y - r);
    if (x0 > x1 || y0 > y1) return;
    const int64_t side = grid.side;
    const std::size_t layer = kind * static_cast<std::size_t>(side * side);
    for (int64_t cy = y0; cy <= y1; ++cy) {
      const int64_t blockRow = (cy - grid.y0) / side, row = (cy - grid.y0) % side;
      for (int64_t bx = (x0 - grid.x0) / side; bx <= (x1 - grid.x0) / side; ++bx) {
        const Block& block = FileBlock(static_cast<std::size_t>(blockRow * grid.blocksAcross + bx));
        if (block.start.empty()) continue;
        // The row's cells from x0 to x1 within the block hold their items side by side.
        const int64_t from = std::max(x0 - grid.x0 - bx * side, int64_t{0});
        const int64_t to = std::min(x1 - grid.x0 - bx * side, side - 1);
        const std::size_t at = layer + static_cast<std::size_t>(row * side);
        const Item* first = block.items.data() + block.start[at + static_cast<std::size_t>(from)];
        const Item* last = block.items.data() + block.start[at + static_cast<std::size_t>(to) + 1];
        grow(hits, hitCount + static_cast<std::size_t>(last - first));
        for (const Item* item = first; item != last; ++item) {
          hits[hitCount] = item;
          hitCount += (item->left <= maxLeft) & (item->right >= minRight) & (item->bottom <= maxBottom) &
                      (item->top >= minTop);
        }
      }
    }
  };
  scanGrid(anchorSlack, 0);
  scanGrid(segmentSlack, 1);

  // The table: paths filed after the grid was made, and what it cannot hold.
  if (!gMap.cells.empty()) {
    const Box around{x - reach, y - reach, x + reach, y + reach};
    if (const auto it = gMap.cells.find(kEverywhere); it != gMap.cells.end()) {
      for (const Item& item : it->second) consider(item);
    }
    if (CellsAcross(around, gMap.cell) > static_cast<double>(gMap.cells.size())) {
      // The cursor's reach covers more cells than are filled: look at them all.
      const int32_t x0 = CellCoord(around.left, gMap.cell), x1 = CellCoord(around.right, gMap.cell);
      const int32_t y0 = CellCoord(around.bottom, gMap.cell), y1 = CellCoord(around.top, gMap.cell);
      for (const auto& [key, items] : gMap.cells) {
        const auto cx = static_cast<int32_t>(static_cast<uint32_t>(key >> 32));
        const auto cy = static_cast<int32_t>(static_cast<uint32_t>(key));
        if (cx < x0 || cx > x1 || cy < y0 || cy > y1) continue;
        for (const Item& item : items) consider(item);
      }
    } else {
      VisitBoxCells(around, gMap.cell, [&](uint64_t key) {
        const auto it = gMap.cells.find(key);
        if (it == gMap.cells.end()) return;
        for (const Item& item : it->second) consider(item);
      });
    }
  }
  // Each item's path by its place in the host's list; grid items of copies
  // changed since the grid was made are dropped.
  grow(found, count + hitCount);
  for (std::size_t i = 0; i < count; ++i) found[i].key = WalkKey(gMap.copies[found[i].path].rank, found[i].code);
  std::size_t kept = count;
  for (std::size_t h = 0; h < hitCount; ++h) {
    const Item& item = *hits[h];
    const PathCopy& copy = gMap.copies[item.path];
    found[kept] = {WalkKey(copy.rank, item.code), item.code, item.path, item.firstSample, item.lastSample};
    kept += copy.gridded;
  }
  // Offers the candidate of the items that share `f`'s path and code (a
  // segment filed in several cells is one candidate, its samples merged).
  const auto offer = [&](const Found& f, const uint64_t (&samples)[2]) {
    MagnetCandidate candidate{gMap.copies[f.path].handle, static_cast<int32_t>(f.code / 2), f.code % 2 == 1,
                              {samples[0], samples[1]}};
    if (candidate.segment) {
      ClearFarSamples(gMap.copies[f.path], f.code / 2, x, y, segmentReach, candidate.samples);
      if ((candidate.samples[0] | candidate.samples[1]) == 0) return MagnetVisit::Next;
    }
    return visit(candidate);
  };
  // In the walk's order: path by path from the top of the host's list, anchor
  // j before segment j, i.e. the largest WalkKey first. The caller usually
  // stops after the first candidate or two: among a few items those are
  // picked out by passes over them, and a heap takes the rest only when the
  // walk goes on.
  std::size_t left = kept;
  const int picks = kept <= kPickAmong ? kPickedCandidates : 0;
  for (int pass = 0; pass < picks && left > 0; ++pass) {
    uint64_t first = 0;
    for (std::size_t i = 0; i < left; ++i) first = std::max(first, found[i].key);
    uint64_t samples[2] = {0, 0};
    Found chosen{};
    for (std::size_t i = 0; i < left;) {
      if (found[i].key != first) {
        ++i;
        continue;
      }
      chosen = found[i];
      MarkSamples(samples, chosen.firstSample, chosen.lastSample);
      found[i] = found[--left];
    }
    if (offer(chosen, samples) == MagnetVisit::Stop) return true;
  }
  const auto after = [](const Found& a, const Found& b) { return a.key < b.key; };
  const auto heap = found.begin();
  auto end = heap + static_cast<std::ptrdiff_t>(left);
  std::make_heap(heap, end, after);
  while (heap != end) {
    std::pop_heap(heap, end, after);
    const Found f = *--end;
    uint64_t samples[2] = {0, 0};
    MarkSamples(samples, f.firstSample, f.lastSample);
    while (heap != end && heap->key == f.key) {
      MarkSamples(samples, heap->firstSample, heap->lastSample);
      std::pop_heap(heap, end, after);
      --end;
    }
    if (offer(f, samples) == MagnetVisit::Stop) return true;
  }
  return true;
}

bool MendMagnetPath(AIArtHandle path, const std::vector<AIPathSegment>& segments) {
  const uint32_t* at = gMap.copyOf.Find(path);
  if (at == nullptr) return false;
  const uint32_t index = *at;
  if (!gMap.copies[index].unread && SameAnchors(segments, gMap.copies[index].segments)) return false;
  Replace(index, segments);
  return true;
}

void MagnetDocumentChanged() { gMap.recheck = true; }

void MagnetArtListChanged() { gMap.relist = true; }

namespace {
// Beyond this much making and disposing between two uses of the map (a long
// drag), comparing the host's list once costs less than following each.
constexpr std::size_t kOwnEditsLimit = 1024;
}  // namespace

void MagnetArtMade(AIArtHandle art) {
  if (art == nullptr || gMap.relist) return;
  gMap.made.push_back(art);
  if (gMap.made.size() + gMap.disposed.size() > kOwnEditsLimit) gMap.relist = true;
}

void MagnetArtDisposing(AIArtHandle art) {
  if (art == nullptr || gMap.relist) return;
  if (!CollectPaths(art, gMap.disposed, 0) || gMap.made.size() + gMap.disposed.size() > kOwnEditsLimit) {
    gMap.relist = true;
  }
}

void MagnetArtEdited(AIArtHandle art) {
  if (art == nullptr) return;
  // The same few paths are written on every drag; note each once.
  if (std::find(gMap.edited.begin(), gMap.edited.end(), art) == gMap.edited.end()) gMap.edited.push_back(art);
}

void ForgetMagnetMap() { gMap = Map{}; }

MagnetMapSize MeasureMagnetMap() { return {gMap.items, gMap.everywhere, gMap.cell}; }

void SetMagnetBlockSide(int cells) {
  gBlockSideForTests = cells > 0 ? static_cast<int32_t>(std::bit_floor(static_cast<uint32_t>(cells))) : 0;
}
