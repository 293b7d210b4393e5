// The magnet test against the whole-document walk it replaces, on random
// drawings: every difference in what is found (anchor or segment, sample,
// the anchors stored, the cursor) is a failure. The drawings change between
// lookups the way a document does: by the plug-in's own making, writing and
// disposing, behind its back with the selection notification a host sends
// after an edit or an undo (new, moved, reshaped, closed or reordered art),
// and behind its back with no word at all where the magnet asks afresh
// (disposed art, locked, hidden or guide paths, hidden layers).
//
// KPX_MAGNET_FULL=1 runs the full size (thousands of drawings); the default
// keeps CI fast.
#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "InProcessCore.h"
#include "LiteralMagnet.h"
#include "core/Ids.h"
#include "shell/Registration.h"
#include "hostsim/document/Document.h"
#include "label/LabelArt.h"
#include "label/Magnet.h"
#include "label/MagnetIndex.h"
#include "label/ToolHandlers.h"

namespace {

namespace ref = magnet_reference;

bool FullSize() {
  const char* full = std::getenv("KPX_MAGNET_FULL");
  return full != nullptr && std::string(full) == "1";
}

hostsim::ObjectId IdOf(const void* handle) { return static_cast<hostsim::ObjectId>(reinterpret_cast<std::uintptr_t>(handle)); }

std::string Describe(const AIPathSegment& s) {
  std::ostringstream out;
  out << "(" << s.p.h << "," << s.p.v << " in " << s.in.h << "," << s.in.v << " out " << s.out.h << "," << s.out.v
      << ")";
  return out.str();
}

bool SameSegment(const AIPathSegment& a, const AIPathSegment& b) {
  return a.p.h == b.p.h && a.p.v == b.p.v && a.in.h == b.in.h && a.in.v == b.in.v && a.out.h == b.out.h &&
         a.out.v == b.out.v && (a.corner != 0) == (b.corner != 0);
}

class MagnetEquivalence : public InProcessCoreTest {
 protected:
  void SetUp() override {
    InProcessCoreTest::SetUp();
    ForgetMagnetMap();
    ASSERT_TRUE(ref::Acquire(host().basicSuite(), suites_));
    g().Magnetisme = true;
  }
  void TearDown() override {
    ref::Release(suites_);
    ForgetMagnetMap();
    InProcessCoreTest::TearDown();
  }

  float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng_); }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

  AIArtHandle NewPath(const std::vector<AIPathSegment>& segments, bool closed) {
    AIArtHandle path = nullptr;
    EXPECT_EQ(sAIArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kNoErr);
    const auto count = static_cast<int16_t>(segments.size());
    EXPECT_EQ(sAIPath->SetPathSegmentCount(path, count), kNoErr);
    if (count > 0) {
      EXPECT_EQ(sAIPath->SetPathSegments(path, 0, count, segments.data()), kNoErr);
    }
    EXPECT_EQ(sAIPath->SetPathClosed(path, closed), kNoErr);
    return path;
  }

  AIRealPoint Near(AIRealPoint p, float by) { return {p.h + Uniform(-by, by), p.v + Uniform(-by, by)}; }

  // Anchors with handles: a random walk of cubic curves, short straight
  // pieces of a grid, or a few long segments across the page; anchors now and
  // then repeated so that ties between anchors and paths occur.
  std::vector<AIPathSegment> RandomAnchors() {
    std::vector<AIPathSegment> s;
    const int kind = Below(4);
    const int count = 1 + Below(kind == 2 ? 4 : 12);
    AIRealPoint p{Uniform(0, 300), Uniform(0, 300)};
    for (int i = 0; i < count; ++i) {
      AIPathSegment a{};
      if (kind == 0) {
        a = {p, Near(p, 15), Near(p, 15), false};
        p = Near(p, 30);
      } else if (kind == 1) {
        a = {p, p, p, true};
        p = Chance(0.5) ? AIRealPoint{p.h + 10, p.v} : AIRealPoint{p.h, p.v + 10};
      } else if (kind == 2) {
        a = {p, Chance(0.5) ? p : Near(p, 100), Chance(0.5) ? p : Near(p, 100), false};
        p = {Uniform(0, 300), Uniform(0, 300)};
      } else {
        // One anchor of another path, or a point repeated within the path.
        if (!anchors_.empty() && Chance(0.5)) p = anchors_[static_cast<std::size_t>(Below(static_cast<int>(anchors_.size())))];
        a = {p, Chance(0.5) ? p : Near(p, 5), p, false};
        if (Chance(0.7)) p = Near(p, 6);
      }
      anchors_.push_back(a.p);
      s.push_back(a);
    }
    return s;
  }

  AIArtHandle AddRandomPath() {
    AIArtHandle path = NewPath(RandomAnchors(), Chance(0.4));
    if (Chance(0.12)) sAITag->SetTag(path, kLeaderLineTag, "string", "jj");
    paths_.push_back(path);
    return path;
  }

  void BuildDrawing(int paths) {
    if (Chance(0.3)) {
      AILayerHandle layer = nullptr;
      ASSERT_EQ(sAILayer->InsertLayer(nullptr, kPlaceAboveAll, &layer), kNoErr);
      layers_.push_back(layer);
    }
    for (int i = 0; i < paths; ++i) {
      if (!layers_.empty() && Chance(0.1)) {
        sAILayer->SetCurrentLayer(layers_[static_cast<std::size_t>(Below(static_cast<int>(layers_.size())))]);
      }
      AddRandomPath();
    }
    // Now and then a path far off the page: the map cannot afford cells over
    // such an extent and files everything another way, which must agree too.
    if (Chance(0.15)) {
      const float far = Chance(0.5) ? 1e6f : -3e7f;
      paths_.push_back(NewPath({{{far, 40}, {far, 40}, {far, 40}, true}, {{far + 10, 50}, {far + 10, 50}, {far + 10, 50}, true}},
                               false));
    }
  }

  AIArtHandle AnyPath() {
    return paths_.empty() ? nullptr : paths_[static_cast<std::size_t>(Below(static_cast<int>(paths_.size())))];
  }

  std::vector<AIPathSegment> Read(AIArtHandle path) {
    std::vector<AIPathSegment> s;
    ReadPath(path, s);
    return s;
  }

  // A cursor where the answer is decided: on an anchor's snapping boundary,
  // on a segment's sample, exactly 1.0 from one, or anywhere.
  AIRealPoint Cursor(float snapDistance) {
    AIArtHandle path = AnyPath();
    const std::vector<AIPathSegment> s = path ? Read(path) : std::vector<AIPathSegment>{};
    const int how = s.empty() ? 5 : Below(6);
    if (how == 5) return {Uniform(-20, 320), Uniform(-20, 320)};
    const AIPathSegment& a = s[static_cast<std::size_t>(Below(static_cast<int>(s.size())))];
    const AIPathSegment& b = s[(static_cast<std::size_t>(&a - s.data()) + 1) % s.size()];
    switch (how) {
      case 0:
        return Near(a.p, snapDistance * 1.2f);
      case 1: {
        const float dx = Chance(0.5) ? snapDistance : -snapDistance, dy = Uniform(-snapDistance, snapDistance);
        return Chance(0.5) ? AIRealPoint{a.p.h + dx, a.p.v + dy} : AIRealPoint{a.p.h + dy, a.p.v + dx};
      }
      default: {
        const AIRealBezier curve{a.p, a.out, b.in, b.p};
        AIRealPoint sample{};
        sAIRealBezier->Evaluate(&curve, static_cast<AIReal>(Below(100)) * 0.01f, &sample);
        if (how == 2) return Near(sample, 1.3f);
        if (how == 3) return Chance(0.5) ? AIRealPoint{sample.h + 1.0f, sample.v} : AIRealPoint{sample.h, sample.v - 1.0f};
        return {sample.h + 0.6f, sample.v + 0.8f};  // 1.0 away, diagonally
      }
    }
  }

  float SnapDistance() const {
    const auto zoom = static_cast<AIReal>(const_cast<MagnetEquivalence*>(this)->host().document().zoom);
    return static_cast<AIReal>(gState->Tolerance) / zoom;
  }

  // Both tests at one cursor (the tolerance in screen units, the snapping
  // distance in document units); what the literal walk found.
  ref::Found ExpectSameHitAt(AIRealPoint cursor, float tolerance, float snapDistance) {
    const ref::Result expected = ref::Run(suites_, cursor, tolerance);
    const MagnetHit actual = FindMagnetHit(cursor, snapDistance);
    SCOPED_TRACE(std::to_string(cursor.h) + ", " + std::to_string(cursor.v));
    EXPECT_EQ(static_cast<int>(actual.found), static_cast<int>(expected.found));
    EXPECT_EQ(actual.path, expected.path);
    EXPECT_EQ(actual.anchor, expected.anchor);
    EXPECT_EQ(actual.sample, expected.sample);
    return expected.found;
  }

  // Compares both tests at `cursors` cursor positions; stops at the first difference.
  void Compare(int cursors, const std::string& when) {
    for (int i = 0; i < cursors && !HasFailure(); ++i) {
      const float snap = SnapDistance();
      const AIRealPoint cursor = Cursor(snap);
      const ref::Result expected = ref::Run(suites_, cursor, static_cast<float>(g().Tolerance));
      const MagnetHit actual = Chance(0.2) ? RunAndRead(cursor, snap) : FindMagnetHit(cursor, snap);
      SCOPED_TRACE(when + " at (" + std::to_string(cursor.h) + ", " + std::to_string(cursor.v) + ") seed " +
                   std::to_string(seed_));
      ASSERT_EQ(static_cast<int>(actual.found), static_cast<int>(expected.found));
      ++seen_[static_cast<int>(expected.found)];
      if (expected.found == ref::Found::Nothing) continue;
      EXPECT_EQ(actual.path, expected.path);
      EXPECT_EQ(actual.anchor, expected.anchor);
      EXPECT_EQ(actual.sample, expected.sample);
      EXPECT_TRUE(SameSegment(actual.a, expected.a)) << Describe(actual.a) << " vs " << Describe(expected.a);
      EXPECT_TRUE(SameSegment(actual.b, expected.b)) << Describe(actual.b) << " vs " << Describe(expected.b);
    }
  }

  // The flags and anchors the tool's own run leaves in the state block, read back as a hit.
  MagnetHit RunAndRead(AIRealPoint cursor, float) {
    const bool found = RunMagnetTest(cursor);
    MagnetHit hit = FindMagnetHit(cursor, SnapDistance());  // for the path, anchor and sample
    EXPECT_EQ(found, hit.found != MagnetFound::Nothing);
    EXPECT_EQ(g().SnapAnchor, hit.found == MagnetFound::Anchor);
    EXPECT_EQ(g().OverLabelLine, hit.found == MagnetFound::LabelLine);
    EXPECT_EQ(g().SnapStraight, hit.found == MagnetFound::Straight);
    EXPECT_EQ(g().SnapCurve, hit.found == MagnetFound::Curve);
    if (hit.found == MagnetFound::Anchor) {
      EXPECT_TRUE(SameSegment(g().MagnetSegA, hit.a));
    }
    if (hit.found == MagnetFound::Straight || hit.found == MagnetFound::Curve) {
      EXPECT_TRUE(SameSegment(g().MagnetSegA, hit.a));
      EXPECT_TRUE(SameSegment(g().MagnetSegB, hit.b));
      EXPECT_EQ(g().SnapSegA.p.h, hit.a.p.h);
      EXPECT_EQ(g().SnapSegB.p.v, hit.b.p.v);
    }
    return hit;
  }

  void Notify() {
    AINotifierMessage message{};
    Notification(&message);  // any notification but the start-up one
  }

  // Edits a real host makes and follows with its selection notification.
  void EditAndNotify() {
    AIArtHandle path = AnyPath();
    if (path == nullptr) return;
    hostsim::Art* art = host().document().FindArt(IdOf(path));
    if (art == nullptr) return;
    switch (Below(6)) {
      case 4:
        AddRandomPath();
        break;
      case 5:
        sAIArt->ReorderArt(path, Chance(0.5) ? kPlaceAboveAll : kPlaceBelowAll, nullptr);
        break;
      case 0:  // moved somewhere else entirely (an undone move)
        for (AIPathSegment& s : art->path.segments) {
          for (AIRealPoint* p : {&s.p, &s.in, &s.out}) {
            p->h += 150;
            p->v -= 90;
          }
        }
        break;
      case 1:
        art->path.closed = !art->path.closed;
        break;
      case 2:
        art->path.segments = RandomAnchors();
        break;
      default: {
        const AIRealMatrix m{1, 0, 0, 1, 30, 40};
        host().document().Transform(art->parent, m);  // the whole layer moves
      }
    }
    if (Chance(0.3)) {
      // Made while another tool was current: the tool chosen again is the word.
      AIToolMessage message{};
      ToolDeselect(&message);
      ToolSelect(&message);
    } else {
      Notify();
    }
  }

  // Changes the magnet sees without a word: disposed art, and the states it
  // asks about afresh (locked, hidden, guide, hidden layers).
  void EditSilently() {
    AIArtHandle path = AnyPath();
    switch (Below(7)) {
      case 0:
      case 1:
        if (path != nullptr) {
          sAIArt->DisposeArt(path);
          std::erase(paths_, path);
        }
        break;
      case 2:
      case 3:
        if (path != nullptr) sAIArt->SetArtUserAttr(path, kArtLocked | kArtHidden, Chance(0.5) ? kArtHidden : kArtLocked);
        break;
      case 4:
        if (path != nullptr) sAIArt->SetArtUserAttr(path, kArtLocked | kArtHidden, 0);
        break;
      case 5:
        if (path != nullptr) {
          if (hostsim::Art* art = host().document().FindArt(IdOf(path))) art->path.guide = !art->path.guide;
        }
        break;
      default:
        if (!layers_.empty()) {
          ASBoolean visible = false;
          sAILayer->GetLayerVisible(layers_.front(), &visible);
          sAILayer->SetLayerVisible(layers_.front(), !visible);
        }
    }
  }

  // A segment reshaped before the host's word arrives, and cursors where its
  // old shape passed: the old copy makes the path a candidate, and what is
  // tested must be its shape now.
  void ReshapeSilentlyAndLookWhereItWas(int cursors) {
    AIArtHandle path = AnyPath();
    hostsim::Art* art = path ? host().document().FindArt(IdOf(path)) : nullptr;
    if (art == nullptr || art->path.segments.size() < 2) return;
    auto& s = art->path.segments;
    const std::size_t j = static_cast<std::size_t>(Below(static_cast<int>(s.size()) - 1));
    std::vector<AIRealPoint> was;
    for (int i = 0; i < cursors; ++i) {
      const AIRealBezier curve{s[j].p, s[j].out, s[j + 1].in, s[j + 1].p};
      AIRealPoint sample{};
      sAIRealBezier->Evaluate(&curve, static_cast<AIReal>(Below(100)) * 0.01f, &sample);
      was.push_back(Near(sample, 0.6f));
    }
    s[j].out = Near(s[j].p, 12);
    s[j + 1].in = Near(s[j + 1].p, 12);
    for (const AIRealPoint cursor : was) {
      if (HasFailure()) return;
      const ref::Result expected = ref::Run(suites_, cursor, static_cast<float>(g().Tolerance));
      const MagnetHit actual = FindMagnetHit(cursor, SnapDistance());
      SCOPED_TRACE("after a silent reshape, seed " + std::to_string(seed_));
      ASSERT_EQ(static_cast<int>(actual.found), static_cast<int>(expected.found));
      EXPECT_EQ(actual.path, expected.path);
      EXPECT_EQ(actual.anchor, expected.anchor);
      EXPECT_EQ(actual.sample, expected.sample);
    }
    // Elsewhere only the host's notification tells of the change.
    Notify();
  }

  // The plug-in making and writing paths itself, as the rebuild does.
  // Both tests at one cursor; stops at a difference.
  void CompareAt(AIRealPoint cursor, const std::string& when) {
    const ref::Result expected = ref::Run(suites_, cursor, static_cast<float>(g().Tolerance));
    const MagnetHit actual = FindMagnetHit(cursor, SnapDistance());
    SCOPED_TRACE(when + ", seed " + std::to_string(seed_));
    ASSERT_EQ(static_cast<int>(actual.found), static_cast<int>(expected.found));
    EXPECT_EQ(actual.path, expected.path);
    EXPECT_EQ(actual.anchor, expected.anchor);
    EXPECT_EQ(actual.sample, expected.sample);
  }

  // Paths the plug-in makes one after another through the same anchor, as a
  // label's lines meet at its frame: the newest lies on top and wins the tie,
  // also after one of them is disposed of again.
  void MakeSeveralThroughOnePoint() {
    const AIRealPoint shared{Uniform(0, 300), Uniform(0, 300)};
    std::vector<AIArtHandle> made;
    for (int i = 0; i < 3; ++i) {
      AIArtHandle path = nullptr;
      ASSERT_EQ(::NewPath(kPlaceAboveAll, nullptr, 0, &path), kNoErr);
      const AIRealPoint other = Near(shared, 40);
      ASSERT_EQ(WriteSegments(path, {{shared, shared, shared, true}, {other, other, other, true}}, false), kNoErr);
      made.push_back(path);
    }
    CompareAt({shared.h + 0.5f, shared.v}, "three paths made through one anchor");
    AIArtHandle gone = made[static_cast<std::size_t>(Below(3))];
    std::erase(made, gone);
    ::DisposeArt(gone);
    CompareAt({shared.h, shared.v - 0.5f}, "one of them disposed of");
    paths_.insert(paths_.end(), made.begin(), made.end());
  }

  void EditAsThePlugIn() {
    if (Chance(0.3)) MakeSeveralThroughOnePoint();
    AIArtHandle path = AnyPath();
    if (Chance(0.4) || path == nullptr) {
      ASSERT_EQ(::NewPath(kPlaceAboveAll, nullptr, 0, &path), kNoErr);
      paths_.push_back(path);
    }
    std::vector<AIPathSegment> s = RandomAnchors();
    ASSERT_EQ(WriteSegments(path, s, Chance(0.5)), kNoErr);
    if (Chance(0.3)) {
      // A group of the plug-in's own, looked at, then moved whole: the paths
      // inside move with no write of their own.
      AIArtHandle group = nullptr, inside = nullptr;
      ASSERT_EQ(::NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
      ASSERT_EQ(::NewPath(kPlaceInsideOnTop, group, 0, &inside), kNoErr);
      ASSERT_EQ(WriteSegments(inside, RandomAnchors(), false), kNoErr);
      paths_.push_back(inside);
      Compare(10, "before the plug-in moves its group");
      ASSERT_EQ(MoveArt(group, {Uniform(-40, 40), Uniform(-40, 40)}), kNoErr);
    }
    if (Chance(0.2)) {
      AIArtHandle gone = AnyPath();
      std::erase(paths_, gone);
      DisposeArt(gone);
    }
  }

  void RunDrawings(int drawings, int paths, int cursors, unsigned firstSeed = 1000) {
    for (int d = 0; d < drawings && !HasFailure(); ++d) {
      seed_ = firstSeed + static_cast<unsigned>(d);
      rng_.seed(seed_);
      StartHost(false);
      ForgetMagnetMap();
      ref::Release(suites_);
      ASSERT_TRUE(ref::Acquire(host().basicSuite(), suites_));
      paths_.clear();
      layers_.clear();
      anchors_.clear();
      g().Magnetisme = true;
      const int16_t tolerances[] = {8, 1, 3, 20};
      const double zooms[] = {1, 0.5, 2, 3.7, 8};
      g().Tolerance = tolerances[Below(4)];
      host().document().zoom = zooms[Below(5)];
      BuildDrawing(1 + Below(paths));
      Compare(cursors, "as drawn");
      for (int round = 0; round < 3 && !HasFailure(); ++round) {
        EditSilently();
        Compare(cursors / 4, "after a silent change");
        EditAndNotify();
        Compare(cursors / 4, "after a notified change");
        EditAsThePlugIn();
        Compare(cursors / 4, "after the plug-in's own write");
        ReshapeSilentlyAndLookWhereItWas(cursors / 8);
      }
    }
  }

  ref::Suites suites_;
  int seen_[5] = {};  // results by kind, so that a run that never snaps cannot pass
  std::mt19937 rng_{1};
  unsigned seed_ = 1;
  std::vector<AIArtHandle> paths_;
  std::vector<AILayerHandle> layers_;
  std::vector<AIRealPoint> anchors_;
};

}  // namespace

TEST_F(MagnetEquivalence, RandomDrawingsGiveTheWholeWalksAnswerEverywhere) {
  if (FullSize()) {
    RunDrawings(2000, 60, 400);
  } else {
    RunDrawings(60, 40, 160);
  }
  for (int kind = 0; kind < 5; ++kind) EXPECT_GT(seen_[kind], 20) << "kind " << kind << " was hardly ever met";
}

// Ties and the boundaries, built by hand: two paths sharing an anchor (the
// one the host lists first wins), a cursor exactly at the snapping distance
// on one axis, and a sample exactly 1.0 away (not within reach) next to one
// just inside it.
TEST_F(MagnetEquivalence, TiesAndBoundariesGoTheWayTheWholeWalkGoes) {
  g().Tolerance = 5;
  host().document().zoom = 2;  // 2.5 document units
  const AIPathSegment a{{100, 100}, {100, 100}, {100, 100}, true};
  const AIPathSegment b{{200, 100}, {200, 100}, {200, 100}, true};
  const AIPathSegment c{{100, 100}, {100, 100}, {100, 100}, true};
  const AIPathSegment d{{100, 200}, {100, 200}, {100, 200}, true};
  NewPath({a, b}, false);
  NewPath({c, d}, false);
  for (const AIRealPoint cursor : std::vector<AIRealPoint>{{102.5f, 100}, {102.5f, 102.5f}, {102.51f, 100},
                                                           {150, 101}, {150, 100.99f}, {150, 99}, {150.3f, 101},
                                                           {99, 150}, {98.9f, 150}, {100, 97.5f}}) {
    ExpectSameHitAt(cursor, 5, 2.5f);
  }
  // Hand-checked: (102.5, 102.5) is on the boundary of both axes, so the first path's anchor 0 snaps.
  const MagnetHit corner = FindMagnetHit({102.5f, 102.5f}, 2.5f);
  EXPECT_EQ(corner.found, MagnetFound::Anchor);
  EXPECT_EQ(corner.anchor, 0);
  // 1.0 below the straight segment is not within reach; the first sample is
  // t = 0.25 of 100 + 100 (3t^2 - 2t^3) = 115.625 at x = 115.625.
  EXPECT_EQ(FindMagnetHit({150, 99}, 2.5f).found, MagnetFound::Nothing);
}

namespace {

// A drawing one cell wide (lines close together up the page) and one a cell
// high (the same across it): the map's grid has a single column or row.
class MagnetOnAStrip : public MagnetEquivalence {
 protected:
  void CompareAlong(bool upright) {
    int snapped = 0;
    for (float along = 3.0f; along < 300.0f; along += 7.3f) {
      for (const float across : {99.2f, 100.1f, 100.4f, 101.6f, 104.0f}) {
        const AIRealPoint cursor = upright ? AIRealPoint{across, along} : AIRealPoint{along, across};
        snapped += ExpectSameHitAt(cursor, 8, 8) != ref::Found::Nothing ? 1 : 0;
        if (HasFailure()) return;
      }
    }
    EXPECT_GT(snapped, 40);
  }
  void Lines(bool upright) {
    for (const float at : {100.0f, 100.25f, 100.5f}) {
      const AIRealPoint from = upright ? AIRealPoint{at, 0} : AIRealPoint{0, at};
      const AIRealPoint to = upright ? AIRealPoint{at, 300} : AIRealPoint{300, at};
      NewPath({{from, from, from, true}, {to, to, to, true}}, false);
    }
  }
};

TEST_F(MagnetOnAStrip, LinesUpThePageInOneColumnAreFound) {
  g().Tolerance = 8;
  Lines(true);
  CompareAlong(true);
}

TEST_F(MagnetOnAStrip, LinesAcrossThePageInOneRowAreFound) {
  g().Tolerance = 8;
  Lines(false);
  CompareAlong(false);
}

}  // namespace

namespace {

// Many paths crossing one spot, the topmost of them locked or hidden: the
// lookup finds more items than it picks out one by one, and the walk must go
// past many candidates that do not snap before it meets one that does.
class MagnetInACrowd : public MagnetEquivalence {
 protected:
  // `count` lines through (150, 150) at even angles, or starting there when
  // `star`; the last `skipped` made (the top of the list) cannot snap.
  void Crowd(int count, int skipped, bool star) {
    for (int i = 0; i < count; ++i) {
      const double angle = 3.14159265358979 * i / count;
      const AIRealPoint out{static_cast<AIReal>(150 + 100 * std::cos(angle)), static_cast<AIReal>(150 + 100 * std::sin(angle))};
      const AIRealPoint from = star ? AIRealPoint{150, 150} : AIRealPoint{300 - out.h, 300 - out.v};
      const AIRealPoint bend{(from.h + out.h) / 2 + 3, (from.v + out.v) / 2 - 3};  // every third one curved
      const AIRealPoint handle = i % 3 == 0 ? bend : from;
      AIArtHandle path = NewPath({{from, from, handle, false}, {out, out, out, true}}, false);
      if (i >= count - skipped) sAIArt->SetArtUserAttr(path, kArtLocked | kArtHidden, i % 2 == 0 ? kArtLocked : kArtHidden);
    }
  }
  void CompareAround(int least) {
    int snapped = 0;
    for (float dx = -4.0f; dx <= 4.0f; dx += 0.7f) {
      for (float dy = -4.0f; dy <= 4.0f; dy += 1.3f) {
        snapped += ExpectSameHitAt({150 + dx, 150 + dy}, 6, 3) != ref::Found::Nothing ? 1 : 0;
        if (HasFailure()) return;
      }
    }
    EXPECT_GE(snapped, least);
  }
};

TEST_F(MagnetInACrowd, ThreeHundredLinesTheTopTwoHundredLockedOrHidden) {
  g().Tolerance = 6;
  host().document().zoom = 2;
  Crowd(300, 200, false);
  CompareAround(30);
}

TEST_F(MagnetInACrowd, FortyLinesTheTopSixLockedOrHidden) {
  g().Tolerance = 6;
  host().document().zoom = 2;
  Crowd(40, 6, false);
  CompareAround(60);
}

TEST_F(MagnetInACrowd, AStarSharingOneAnchorTheTopTwentyLocked) {
  g().Tolerance = 6;
  host().document().zoom = 2;
  Crowd(60, 20, true);
  CompareAround(40);
  // The walk meets the top path that can snap first: the 40th made, anchor 0.
  const MagnetHit hit = FindMagnetHit({151, 150}, 3);
  EXPECT_EQ(hit.found, MagnetFound::Anchor);
  EXPECT_EQ(hit.anchor, 0);
}

}  // namespace

namespace {

// A segment filed in several cells is offered once, with the samples its
// items of every cell may hold: every sample that lies within reach (by the
// test's own evaluation, with a margin for rounding) is among them. Checked
// over every candidate near cursors on a small drawing of short lines, whose
// cells are a few points wide, so that segments cross cell boundaries.
TEST_F(MagnetEquivalence, EachSegmentIsOfferedOnceWithEverySampleWithinReach) {
  for (int i = 0; i < 24; ++i) {
    const AIRealPoint from{static_cast<AIReal>(i % 6) * 2, static_cast<AIReal>(i / 6) * 3};
    const AIRealPoint to{from.h + 7, from.v + (i % 2 == 0 ? 1.5f : -2.0f)};
    const AIRealPoint handle{from.h + 3, from.v + 4};
    NewPath({{from, from, i % 4 == 0 ? handle : from, false}, {to, to, to, true}}, false);
  }
  int checked = 0;
  for (float x = -1; x <= 18; x += 0.11f) {
    for (const float y : {0.4f, 3.3f, 6.5f, 8.9f}) {
      std::set<std::tuple<AIArtHandle, int32_t, bool>> offered;
      bool listed = false;
      ASSERT_TRUE(FindMagnetCandidates({x, y}, 0.5, 1.0, [&](const MagnetCandidate& c) {
        EXPECT_TRUE(offered.insert({c.path, c.index, c.segment}).second) << "offered twice at " << x << ", " << y;
        if (!c.segment) return MagnetVisit::Next;
        const std::vector<AIPathSegment> s = Read(c.path);
        const AIPathSegment& a = s[static_cast<std::size_t>(c.index)];
        const AIPathSegment& b = s[(static_cast<std::size_t>(c.index) + 1) % s.size()];
        for (int k = 0; k < 100; ++k) {
          const double t = k / 100.0, u = 1 - t;
          const double px = u * u * u * a.p.h + 3 * u * u * t * a.out.h + 3 * u * t * t * b.in.h + t * t * t * b.p.h;
          const double py = u * u * u * a.p.v + 3 * u * u * t * a.out.v + 3 * u * t * t * b.in.v + t * t * t * b.p.v;
          if (std::hypot(px - x, py - y) < 0.999) {
            EXPECT_TRUE(MaySampleNear(c, k)) << "sample " << k << " at " << x << ", " << y;
            ++checked;
          }
        }
        return MagnetVisit::Next;
      }, listed));
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(checked, 5000);
}

}  // namespace

namespace {

// Leaders dragged very far off a small drawing after the map was sized for
// it. Each such segment is filed once and looked at for every cursor (filed
// piece by piece, it took millions of cells and seconds), and the lookup
// still agrees with the whole walk along it; once they are many, the cells
// are sized again for the grown drawing.
class MagnetFarLeaders : public MagnetEquivalence {
 protected:
  AIArtHandle Line(AIRealPoint from, AIRealPoint to) { return NewPath({{from, from, from, true}, {to, to, to, true}}, false); }
  // Where line i of the small drawing (and of a fan) starts: six across, four up.
  static AIRealPoint Start(int i) { return {static_cast<AIReal>(i % 6) * 2, static_cast<AIReal>(i / 6) * 3}; }
  // The end of fan line i, far up and to the right, each a little further round.
  static AIRealPoint FarEnd(int i, double up) {
    return {static_cast<AIReal>(1e6 - i * 20000), static_cast<AIReal>(up + i * 15000)};
  }
  // 24 short lines within 17 x 12 points: cells of a few points.
  void SmallLines() {
    for (int i = 0; i < 24; ++i) Line(Start(i), {Start(i).h + 7, Start(i).v + 1.5f});
  }
  void SmallDrawing() {
    SmallLines();
    FindMagnetHit({5, 5}, 6);  // the map is made and sized
  }
  // Lines first..last-1 of a fan from the small drawing to points `up` high.
  void Fan(int first, int last, double up) {
    for (int i = first; i < last; ++i) Line(Start(i), FarEnd(i, up));
  }
  // Cursors on every seventh sample of the straight line (handles on its
  // anchors: the sample at t lies 3t^2 - 2t^3 of the way along) and 0.6
  // beside it: how many snap onto it.
  int CompareAlong(AIRealPoint from, AIRealPoint to) {
    int onLine = 0;
    for (int k = 3; k < 100; k += 7) {
      const double t = k / 100.0, along = 3 * t * t - 2 * t * t * t;
      const AIRealPoint sample{static_cast<AIReal>(from.h + (to.h - from.h) * along),
                               static_cast<AIReal>(from.v + (to.v - from.v) * along)};
      for (const float beside : {0.0f, 0.6f}) {
        onLine += ExpectSameHitAt({sample.h + beside, sample.v}, 6, 6) == ref::Found::Straight ? 1 : 0;
        if (HasFailure()) return onLine;
      }
    }
    return onLine;
  }
};

TEST_F(MagnetFarLeaders, ALeaderAMillionPointsLongIsFiledOnce) {
  g().Tolerance = 6;
  SmallDrawing();
  const MagnetMapSize before = MeasureMagnetMap();
  const AIRealPoint up{426, 5254043}, across{1e6f, 1e6f};
  Line({6, 3}, up);
  Line({10, 9}, across);
  Line({20, 20}, {23, 20});  // a short one, filed in cells as ever
  Notify();
  EXPECT_EQ(CompareAlong({6, 3}, up), 28);
  EXPECT_EQ(CompareAlong({10, 9}, across), 28);
  // Each long line: two segments (the closing one runs back along it), one
  // item each, under the items for every cursor; and its two anchors. The
  // short line: its two anchors and at least one item a segment.
  const MagnetMapSize after = MeasureMagnetMap();
  EXPECT_EQ(after.everywhere, before.everywhere + 4);
  EXPECT_GE(after.items, before.items + 12);
  EXPECT_LE(after.items, before.items + 16);
  EXPECT_EQ(after.cell, before.cell);
}

// Cells of 8 points (the map made on an empty drawing): a straight segment
// moves at most 1.5 times its length per unit of t, so it is filed once
// beyond 2 * 8 * 4096 / 1.5 = 21 845.3 points, and in cells below that.
TEST_F(MagnetFarLeaders, TheLengthFiledOnceFollowsTheCellSize) {
  g().Tolerance = 6;
  FindMagnetHit({5, 5}, 6);
  ASSERT_EQ(MeasureMagnetMap().cell, 8.0);
  Line({0, 0}, {21800, 0});
  Notify();
  EXPECT_EQ(CompareAlong({0, 0}, {21800, 0}), 28);
  EXPECT_EQ(MeasureMagnetMap().everywhere, 0u);
  Line({0, 100}, {0, 22000});
  Notify();
  EXPECT_EQ(CompareAlong({0, 100}, {0, 22000}), 28);
  EXPECT_EQ(MeasureMagnetMap().everywhere, 2u);
  EXPECT_EQ(MeasureMagnetMap().cell, 8.0);
}

// Both handles on the start: the control polygon's only long leg is its last,
// 30 000 points, past the 21 845.3 of cells of 8; one line goes up, one
// across. Each closing segment's long leg is its middle one. All four are
// filed once, and the lookup agrees along the curves, whose samples lie t^3
// of the way.
TEST_F(MagnetFarLeaders, SegmentsLongOnlyInTheirLastLegAreFiledOnce) {
  g().Tolerance = 6;
  FindMagnetHit({5, 5}, 6);
  ASSERT_EQ(MeasureMagnetMap().cell, 8.0);
  const AIRealPoint upFrom{0, 100}, upTo{0, 30100}, acrossFrom{100, -50}, acrossTo{30100, -50};
  NewPath({{upFrom, upFrom, upFrom, true}, {upTo, upFrom, upTo, true}}, false);
  NewPath({{acrossFrom, acrossFrom, acrossFrom, true}, {acrossTo, acrossFrom, acrossTo, true}}, false);
  Notify();
  for (int k = 5; k < 100; k += 10) {
    const double t = k / 100.0, along = 30000 * t * t * t;
    for (const float beside : {0.6f, -2.5f}) {
      ExpectSameHitAt({beside, static_cast<AIReal>(100 + along)}, 6, 6);
      ExpectSameHitAt({static_cast<AIReal>(100 + along), -50 + beside}, 6, 6);
    }
  }
  EXPECT_EQ(MeasureMagnetMap().everywhere, 4u);
  EXPECT_EQ(MeasureMagnetMap().cell, 8.0);
}

// A stray line ten million points long is filed once even in the cells
// sized with it: 84 points, for 16 pieces of line a cell over the drawing's
// 1e7 x 10.5 points and its 2e7 + 48 * 7.16 points of line. Its two segments
// are the count at sizing: the cells are sized again past 2 * 2 + 64 = 68.
TEST_F(MagnetFarLeaders, TheCellsAreSizedAgainWhenTheItemsForEveryCursorDouble) {
  g().Tolerance = 6;
  SmallLines();
  Line({0, 0}, {1e7f, 0});
  FindMagnetHit({5, 5}, 6);
  const MagnetMapSize sized = MeasureMagnetMap();
  ASSERT_EQ(sized.everywhere, 2u);
  EXPECT_NEAR(sized.cell, 84.0, 0.01);
  Fan(0, 33, 2e6);
  Notify();
  EXPECT_EQ(CompareAlong({4, 6}, FarEnd(14, 2e6)), 28);
  EXPECT_EQ(MeasureMagnetMap().everywhere, 68u);
  EXPECT_EQ(MeasureMagnetMap().cell, sized.cell);
  Line({2, 3}, FarEnd(33, 2e6));
  Notify();
  EXPECT_EQ(CompareAlong({2, 3}, FarEnd(33, 2e6)), 28);
  EXPECT_NE(MeasureMagnetMap().cell, sized.cell);
  EXPECT_LT(MeasureMagnetMap().everywhere, 68u);
}

TEST_F(MagnetFarLeaders, ManyFarLeadersHaveTheCellsSizedAgain) {
  g().Tolerance = 6;
  SmallDrawing();
  const MagnetMapSize before = MeasureMagnetMap();
  ASSERT_EQ(before.everywhere, 0u);
  // 20 lines: 40 segments for every cursor, not yet enough to size the cells again.
  Fan(0, 20, 1e6);
  Notify();
  EXPECT_EQ(CompareAlong({2, 0}, FarEnd(1, 1e6)), 28);
  EXPECT_EQ(MeasureMagnetMap().everywhere, 40u);
  EXPECT_EQ(MeasureMagnetMap().cell, before.cell);
  // 20 more: 80, over 64; sized for a drawing a million points wide, every
  // segment fits the cells.
  Fan(20, 40, 1e6);
  Notify();
  EXPECT_EQ(CompareAlong({0, 15}, FarEnd(30, 1e6)), 28);
  const MagnetMapSize after = MeasureMagnetMap();
  EXPECT_EQ(after.everywhere, 0u);
  EXPECT_GT(after.cell, 1000 * before.cell);
}

}  // namespace

namespace {

// The map files its cells block by block, the first time a cursor comes near
// a block. Blocks of one or two cells put block edges everywhere: cursors on
// them, segments across many of them, art added after the first hover (into
// blocks filed and not yet filed), and art disposed of with no word.
class MagnetInBlocks : public MagnetEquivalence {
 protected:
  void TearDown() override {
    SetMagnetBlockSide(0);
    MagnetEquivalence::TearDown();
  }
  AIArtHandle Line(AIRealPoint from, AIRealPoint to) { return NewPath({{from, from, from, true}, {to, to, to, true}}, false); }
  // Cursors on the cell edges crossing the segment from `from` to `to` (each
  // handle a third of the way), and 0.7 beside them: how many snap.
  int CompareOnCellEdges(AIRealPoint from, AIRealPoint to, double cell) {
    int snapped = 0;
    const double x0 = std::min(from.h, to.h), x1 = std::max(from.h, to.h);
    for (double edge = std::ceil(x0 / cell) * cell; edge <= x1; edge += cell) {
      const double along = (edge - from.h) / (to.h - from.h);
      const auto y = static_cast<AIReal>(from.v + (to.v - from.v) * along);
      for (const float beside : {0.0f, 0.7f, -0.7f}) {
        const AIRealPoint cursor{static_cast<AIReal>(edge), y + beside};
        snapped += ExpectSameHitAt(cursor, 6, 6) != ref::Found::Nothing ? 1 : 0;
        // The same cursor on a horizontal cell edge as well.
        const AIRealPoint level{cursor.h, static_cast<AIReal>(std::round(cursor.v / cell) * cell)};
        snapped += ExpectSameHitAt(level, 6, 6) != ref::Found::Nothing ? 1 : 0;
        if (HasFailure()) return snapped;
      }
    }
    return snapped;
  }
};

TEST_F(MagnetInBlocks, RandomDrawingsInBlocksOfOneAndTwoCells) {
  for (const int side : {1, 2}) {
    SetMagnetBlockSide(side);
    RunDrawings(FullSize() ? 400 : 8, 40, 160, 5000u + 1000u * static_cast<unsigned>(side));
  }
  for (int kind = 0; kind < 5; ++kind) EXPECT_GT(seen_[kind], 5) << "kind " << kind << " was hardly ever met";
}

TEST_F(MagnetInBlocks, CellEdgesAndLaterArtAgreeWithTheWholeWalk) {
  g().Tolerance = 6;
  SetMagnetBlockSide(2);
  // Short lines every 20 points make cells of about 20 points; a long line and
  // a long curve cross them all.
  for (int i = 0; i < 100; ++i) {
    const AIRealPoint at{static_cast<AIReal>(i % 10) * 20 + 3, static_cast<AIReal>(i / 10) * 20 + 5};
    Line(at, {at.h + 6, at.v + 2});
  }
  AIArtHandle diagonal = Line({0.5f, 1.5f}, {198.5f, 190});
  const AIRealPoint bowFrom{2, 150}, bowTo{195, 20};
  NewPath({{bowFrom, bowFrom, {60, 260}, false}, {bowTo, {140, -80}, bowTo, false}}, false);
  // The first hover files a corner's block only.
  FindMagnetHit({199, 1}, 6);
  const double cell = MeasureMagnetMap().cell;
  ASSERT_GT(cell, 5);
  ASSERT_LT(cell, 60);
  EXPECT_GT(CompareOnCellEdges({0.5f, 1.5f}, {198.5f, 190}, cell), 20);
  for (float x = 3; x < 195; x += cell / 3) ExpectSameHitAt({x, static_cast<AIReal>(std::round(150 - x * 0.6 / cell) * cell)}, 6, 6);
  // Added after the first hover, with the host's word: across blocks filed and not.
  Line({1, 199}, {199, 2});
  Notify();
  EXPECT_GT(CompareOnCellEdges({1, 199}, {199, 2}, cell), 20);
  // Disposed of behind the plug-in's back: its blocks still name it.
  sAIArt->DisposeArt(diagonal);
  EXPECT_GT(CompareOnCellEdges({0.5f, 1.5f}, {198.5f, 190}, cell), 0);
}

// A drawing replaced while the tool is current (a file opened) is mapped as if
// it had been there when the map was first made: cells sized for it, not
// for the drawing before. 30 short lines (60 segments) over about 85 x 79
// points size cells of about 2 * sqrt(6 700 / 60) = 21 points; 1 600 squares
// of 20 points (6 400 segments) over about 2 900 x 2 900, cells of about
// 2 * sqrt(8.5e6 / 6 400) = 73.
TEST_F(MagnetInBlocks, ADrawingOpenedWhileTheToolIsCurrentIsMappedAsIfItCameFirst) {
  g().Tolerance = 6;
  std::vector<AIArtHandle> before;
  for (int i = 0; i < 30; ++i) {
    const AIRealPoint at{static_cast<AIReal>(i % 6) * 16, static_cast<AIReal>(i / 6) * 19};
    before.push_back(Line(at, {at.h + 5, at.v + 3}));
  }
  FindMagnetHit({5, 5}, 6);
  const double small = MeasureMagnetMap().cell;
  EXPECT_LT(small, 40);
  for (AIArtHandle path : before) sAIArt->DisposeArt(path);
  const auto square = [](int i) {
    const auto x = static_cast<AIReal>(i % 40) * 75, y = static_cast<AIReal>(i / 40) * 75;
    const AIRealPoint a{x, y}, b{x + 20, y}, c{x + 20, y + 20}, d{x, y + 20};
    return std::vector<AIPathSegment>{{a, a, a, true}, {b, b, b, true}, {c, c, c, true}, {d, d, d, true}};
  };
  for (int i = 0; i < 1600; ++i) NewPath(square(i), true);
  Notify();
  int snapped = 0;
  for (int i = 0; i < 1600; i += 97) {
    const AIRealPoint corner = square(i)[2].p;
    for (const AIRealPoint cursor : {corner, AIRealPoint{corner.h - 9.5f, corner.v + 0.4f}, AIRealPoint{corner.h + 3, corner.v + 3}}) {
      snapped += ExpectSameHitAt(cursor, 6, 6) != ref::Found::Nothing ? 1 : 0;
    }
  }
  EXPECT_GE(snapped, 30);
  const double opened = MeasureMagnetMap().cell;
  EXPECT_GT(opened, 60);
  ForgetMagnetMap();
  FindMagnetHit({5, 5}, 6);
  EXPECT_EQ(MeasureMagnetMap().cell, opened);
}

}  // namespace

// Samples 3, 63, 64 and 99 marked: each is found from itself and from just past the one before.
TEST(MagnetSamples, TheNextMarkedSampleIsFoundInEitherWord) {
  const MagnetCandidate c{nullptr, 0, true, {(uint64_t{1} << 3) | (uint64_t{1} << 63), 1 | (uint64_t{1} << 35)}};
  EXPECT_EQ(NextSampleMayBeNear(c, 0), 3);
  EXPECT_EQ(NextSampleMayBeNear(c, 3), 3);
  EXPECT_EQ(NextSampleMayBeNear(c, 4), 63);
  EXPECT_EQ(NextSampleMayBeNear(c, 64), 64);
  EXPECT_EQ(NextSampleMayBeNear(c, 65), 99);
  EXPECT_EQ(NextSampleMayBeNear(c, 100), 128);
  const MagnetCandidate none{nullptr, 0, true, {0, 0}};
  EXPECT_EQ(NextSampleMayBeNear(none, 0), 128);
}
