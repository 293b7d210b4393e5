// What the document keeps aside to answer quickly (the list of paths in
// document order, each art's bounds, the map behind hit testing) must always
// give what walking the whole tree gives, whatever was made, disposed or
// reordered since.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"

namespace {

using hostsim::ArtKind;
using hostsim::Document;
using hostsim::ObjectId;

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

std::vector<ObjectId> PathsByWalking(const Document& doc) {
  std::vector<ObjectId> paths;
  for (ObjectId id : doc.ArtInDocumentOrder()) {
    if (doc.FindArt(id)->kind == ArtKind::Path) paths.push_back(id);
  }
  return paths;
}

std::vector<ObjectId> KeptPaths(const Document& doc) {
  const auto paths = doc.PathsInDocumentOrder();
  return {paths.begin(), paths.end()};
}

class KeptOrder : public ::testing::Test {
 protected:
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  std::mt19937 rng{7};
  std::vector<ObjectId> art;

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  ObjectId Any() { return art.empty() ? 0 : art[static_cast<std::size_t>(Below(static_cast<int>(art.size())))]; }

  // Makes, disposes or reorders one art at a random place, through every paint order.
  void RandomEdit() {
    const int16_t orders[] = {kPlaceAbove, kPlaceBelow, kPlaceInsideOnTop, kPlaceInsideOnBottom, kPlaceAboveAll,
                              kPlaceBelowAll};
    const int what = Below(10);
    if (what < 6 || art.empty()) {
      ObjectId id = 0;
      const ArtKind kind = Below(3) == 0 ? ArtKind::Group : (Below(4) == 0 ? ArtKind::Text : ArtKind::Path);
      if (doc->NewArt(kind, orders[Below(6)], Below(5) == 0 ? 0 : Any(), &id) == kNoErr) art.push_back(id);
    } else if (what < 8) {
      const ObjectId gone = Any();
      if (doc->DisposeArt(gone) == kNoErr) {
        std::erase_if(art, [&](ObjectId id) { return doc->FindArt(id) == nullptr; });
      }
    } else if (what == 8) {
      doc->ReorderArt(Any(), orders[Below(6)], Any());
    } else {
      const ObjectId layer = doc->InsertLayer(static_cast<std::size_t>(Below(3)));
      doc->SetCurrentLayer(layer);
    }
  }
};

TEST_F(KeptOrder, TheListOfPathsFollowsEveryMakeDisposeAndReorder) {
  for (int step = 0; step < 3000; ++step) {
    RandomEdit();
    // Asked now and then, so that the list is kept up to date between askings too.
    if (step % 7 == 0) {
      ASSERT_EQ(KeptPaths(*doc), PathsByWalking(*doc)) << "after step " << step;
    }
  }
  EXPECT_GT(KeptPaths(*doc).size(), 50u);
}

TEST_F(KeptOrder, ChildrenReversedByHandAreListedAgain) {
  ObjectId a = 0, b = 0;
  ASSERT_EQ(doc->NewArt(ArtKind::Path, kPlaceBelowAll, 0, &a), kNoErr);
  ASSERT_EQ(doc->NewArt(ArtKind::Path, kPlaceBelowAll, 0, &b), kNoErr);
  EXPECT_EQ(KeptPaths(*doc), (std::vector<ObjectId>{a, b}));
  doc->FindArt(doc->layers().front().group)->children.Reverse();
  doc->ChildrenReordered();
  EXPECT_EQ(KeptPaths(*doc), (std::vector<ObjectId>{b, a}));
}

// Random paths and texts, hidden and locked groups, hidden and locked
// layers, moved, disposed and reordered art: the hit test through the map
// of bounds finds what visiting every art finds, point for point.
TEST_F(KeptOrder, TheHitTestFindsWhatVisitingEveryArtFinds) {
  std::uniform_real_distribution<float> place(0, 200), near(-6, 6);
  const auto randomize = [&](ObjectId id) {
    hostsim::Art& a = *doc->FindArt(id);
    if (a.kind == ArtKind::Path) {
      a.path.segments.clear();
      AIRealPoint p{place(rng), place(rng)};
      for (int i = 0, n = 1 + Below(5); i < n; ++i) {
        const AIRealPoint in{p.h + near(rng), p.v + near(rng)}, out{p.h + near(rng), p.v + near(rng)};
        a.path.segments.push_back({p, Below(2) ? p : in, Below(2) ? p : out, false});
        p = {p.h + 3 * near(rng), p.v + 3 * near(rng)};
      }
      a.path.closed = Below(2) == 0;
      a.path.guide = Below(15) == 0;
      a.path.style.fillPaint = Below(3) == 0;
      a.path.style.fill.color = hostsim::GrayColor(0.5);
    } else if (a.kind == ArtKind::Text) {
      a.text.anchor = {place(rng), place(rng)};
      a.text.text = Below(2) ? "Label" : "12";
      a.text.size = 6 + Below(12);
    }
    if (Below(12) == 0) a.userAttr = Below(2) ? kArtHidden : kArtLocked;
    doc->ArtChanged(id);
  };
  int hits = 0;
  for (int step = 0; step < 1500 && !HasFailure(); ++step) {
    const std::size_t before = art.size();
    RandomEdit();
    if (art.size() > before) randomize(art.back());
    if (Below(6) == 0 && !art.empty()) randomize(Any());
    if (Below(20) == 0 && !art.empty()) {
      const AIRealMatrix m{1, 0, 0, 1, near(rng), near(rng)};
      doc->Transform(Any(), m);
    }
    if (Below(30) == 0) {
      hostsim::Layer& layer = const_cast<hostsim::Layer&>(doc->layers()[static_cast<std::size_t>(Below(static_cast<int>(doc->layers().size())))]);
      (Below(2) ? layer.visible : layer.editable) = Below(2) == 0;
    }
    for (int i = 0; i < 8; ++i) {
      const AIRealPoint point{place(rng), place(rng)};
      const double tolerance = Below(2) ? 2.0 : 6.5;
      const hostsim::HitResult expected = doc->HitTestByWalk(point, tolerance);
      const hostsim::HitResult actual = doc->HitTest(0, point, tolerance);
      ASSERT_EQ(actual.hit, expected.hit) << "step " << step;
      hits += expected.hit ? 1 : 0;
      EXPECT_EQ(actual.object, expected.object) << "step " << step;
      EXPECT_EQ(actual.type, expected.type);
      EXPECT_EQ(actual.segment, expected.segment);
      EXPECT_EQ(actual.point.h, expected.point.h);
      EXPECT_EQ(actual.point.v, expected.point.v);
    }
  }
  EXPECT_GT(hits, 1500) << "too few points hit anything to tell";
}

}  // namespace
