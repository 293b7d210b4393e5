// Each art's bounds are kept with it between changes: whatever is done
// through the suites (paths reshaped, texts retyped, art made, moved,
// reordered, transformed or disposed), the bounds handed out must be those
// measured afresh, and listings must follow the tree as its walk does.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "DocumentFixture.h"
#include "hostsim/Blocks.h"
#include "hostsim/FontRefs.h"

namespace doctest {
namespace {

using hostsim::ObjectId;

ObjectId IdOf(AIArtHandle h) { return static_cast<ObjectId>(reinterpret_cast<std::uintptr_t>(h)); }
AIArtHandle HandleOf(ObjectId id) { return reinterpret_cast<AIArtHandle>(static_cast<std::uintptr_t>(id)); }

bool SameRect(const AIRealRect& a, const AIRealRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class KeptBounds : public DocumentTest {
 protected:
  AIRealRect BoundsOf(AIArtHandle a) {
    AIRealRect r{-1, -1, -1, -1};
    EXPECT_EQ(art->GetArtBounds(a, &r), kNoErr);
    return r;
  }

  void SetSegments(AIArtHandle p, const std::vector<AIPathSegment>& segs) {
    ASSERT_EQ(path->SetPathSegmentCount(p, static_cast<int16_t>(segs.size())), kNoErr);
    ASSERT_EQ(path->SetPathSegments(p, 0, static_cast<int16_t>(segs.size()), segs.data()), kNoErr);
  }

  std::size_t DejaVuSans() {
    const auto index = Fonts().FindByFullName("DejaVu Sans");
    if (!index) ADD_FAILURE() << "DejaVu Sans is not installed";
    return index.value_or(0);
  }

  // Every art, layers top first, by the art suite's own walk (first child,
  // next sibling), which reads the children one by one.
  std::vector<AIArtHandle> WalkedThroughSiblings() {
    std::vector<AIArtHandle> out;
    int32_t count = 0;
    EXPECT_EQ(layers->CountLayers(&count), kNoErr);
    for (int32_t n = 0; n < count; ++n) WalkBelow(LayerGroup(n), out);
    return out;
  }
  void WalkBelow(AIArtHandle group, std::vector<AIArtHandle>& out) {
    AIArtHandle child = nullptr;
    EXPECT_EQ(art->GetArtFirstChild(group, &child), kNoErr);
    while (child != nullptr) {
      out.push_back(child);
      WalkBelow(child, out);
      ASSERT_EQ(art->GetArtSibling(child, &child), kNoErr);
    }
  }

  std::vector<AIArtHandle> Matching(int16_t type, int32_t whichAttr, int32_t attr) {
    const AIMatchingArtSpec wanted{type, whichAttr, attr};
    AIArtHandle* found = nullptr;
    int32_t count = 0;
    EXPECT_EQ(matching->GetMatchingArt(&wanted, 1, &found, &count), kNoErr);
    std::vector<AIArtHandle> out(found, found + count);
    hostsim::FreeBlock(found);
    return out;
  }
};

// Numbers by hand: a path's box holds its anchors and handles, a group's the
// union of what it holds; "Label 12" in DejaVu Sans is 51.457 pt wide at 12 pt.
TEST_F(KeptBounds, AGroupsBoundsFollowWhatIsDoneToTheArtInside) {
  AIArtHandle layer = LayerGroup();
  AIArtHandle group = NewGroup(layer);
  AIArtHandle a = NewPath(group, {{0, 0}, {10, 20}});
  AIArtHandle b = NewPath(group, {{30, 5}, {40, 8}});
  SetSegments(b, {Corner(30, 5), {{40, 8}, {40, 8}, {45, -3}, false}});
  EXPECT_TRUE(SameRect(BoundsOf(b), AIRealRect{30, 8, 45, -3}));
  EXPECT_TRUE(SameRect(BoundsOf(group), AIRealRect{0, 20, 45, -3}));

  SetSegments(a, {Corner(0, 0), Corner(10, 50)});
  EXPECT_TRUE(SameRect(BoundsOf(group), AIRealRect{0, 50, 45, -3})) << "an anchor moved inside";

  const AIRealMatrix shift{1, 0, 0, 1, 5, -2};
  ASSERT_EQ(xform->TransformArt(layer, &shift, 1, 0), kNoErr);
  EXPECT_TRUE(SameRect(BoundsOf(a), AIRealRect{5, 48, 15, -2})) << "moved with the layer's group";
  EXPECT_TRUE(SameRect(BoundsOf(group), AIRealRect{5, 48, 50, -5}));

  AIArtHandle other = NewGroup(layer, kPlaceInsideOnBottom);
  ASSERT_EQ(art->ReorderArt(b, kPlaceInsideOnTop, other), kNoErr);
  EXPECT_TRUE(SameRect(BoundsOf(group), AIRealRect{5, 48, 15, -2})) << "what left the group no longer counts";
  EXPECT_TRUE(SameRect(BoundsOf(other), AIRealRect{35, 6, 50, -5}));
  EXPECT_TRUE(SameRect(BoundsOf(layer), AIRealRect{5, 48, 50, -5}));

  ASSERT_EQ(art->DisposeArt(a), kNoErr);
  EXPECT_TRUE(SameRect(BoundsOf(group), AIRealRect{0, 0, 0, 0})) << "an empty group has no bounds";
  EXPECT_TRUE(SameRect(BoundsOf(layer), AIRealRect{35, 6, 50, -5}));
  AIRealRect dead{};
  EXPECT_EQ(art->GetArtBounds(a, &dead), kBadParameterErr);

  AIArtHandle text = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, group, kHorizontalTextOrientation, {100, 200}, &text), kNoErr);
  ATETextRangeRef range = nullptr;
  ASSERT_EQ(frames->GetATETextRange(text, &range), kNoErr);
  ASSERT_EQ(ranges->InsertAfter_AsChar(range, "Label 12", 8), kNoErr);
  EXPECT_NEAR(BoundsOf(group).right, 100 + 51.457, 0.01) << "a new text is set in DejaVu Sans 12 pt";
  ATECharFeaturesRef cf = nullptr;
  ASSERT_EQ(chars->Initialize(&cf), kNoErr);
  ATEFontRef font = hostsim::MakeFontRef(DejaVuSans());
  ASSERT_EQ(chars->SetFont(cf, font), kNoErr);
  ASSERT_EQ(chars->SetFontSize(cf, 12), kNoErr);
  ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
  EXPECT_NEAR(BoundsOf(group).right, 100 + 51.457, 0.01);
  EXPECT_NEAR(BoundsOf(layer).right, 100 + 51.457, 0.01);

  ASSERT_EQ(chars->SetFontSize(cf, 24), kNoErr);
  ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
  EXPECT_NEAR(BoundsOf(layer).right, 100 + 2 * 51.457, 0.02) << "the size doubled through a range";
  ASSERT_EQ(ranges->Remove(range), kNoErr);
  EXPECT_NEAR(BoundsOf(group).right, 100, 1e-4) << "no characters left";
  EXPECT_NEAR(BoundsOf(group).left, 100, 1e-4);

  hostsim::ReleaseFontRef(font);
  EXPECT_EQ(chars->Release(cf), kNoErr);
  EXPECT_EQ(ranges->Release(range), kNoErr);
}

// Thousands of random edits through the suites; after each, every art's
// bounds as handed out equal a fresh measure, and the listings equal the
// art suite's own walk of the tree.
TEST_F(KeptBounds, EveryArtsBoundsEqualAFreshMeasureAfterRandomEdits) {
  std::mt19937 rng(20261207);
  const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::uniform_real_distribution<float> place(-300, 300), near(-20, 20);
  const int16_t orders[] = {kPlaceAbove, kPlaceBelow, kPlaceInsideOnTop, kPlaceInsideOnBottom, kPlaceAboveAll,
                            kPlaceBelowAll};
  const std::size_t fontCount = std::min<std::size_t>(Fonts().size(), 6);
  ASSERT_GT(fontCount, 0u);

  std::vector<AIArtHandle> live;
  const auto any = [&]() -> AIArtHandle {
    if (live.empty() || below(6) == 0) return LayerGroup(below(static_cast<int>(doc->layers().size())));
    return live[static_cast<std::size_t>(below(static_cast<int>(live.size())))];
  };
  const auto forgetDead = [&] { std::erase_if(live, [&](AIArtHandle h) { return !art->ValidArt(h); }); };
  const auto randomSegments = [&] {
    std::vector<AIPathSegment> segs;
    AIRealPoint p{place(rng), place(rng)};
    for (int i = 0, n = 1 + below(6); i < n; ++i) {
      const AIRealPoint in{p.h + near(rng), p.v + near(rng)}, out{p.h + near(rng), p.v + near(rng)};
      segs.push_back({p, below(2) ? p : in, below(2) ? p : out, false});
      p = {p.h + near(rng), p.v + near(rng)};
    }
    return segs;
  };
  const auto ofKind = [&](int16_t type) -> AIArtHandle {
    for (int tries = 0; tries < 8 && !live.empty(); ++tries) {
      AIArtHandle h = live[static_cast<std::size_t>(below(static_cast<int>(live.size())))];
      int16_t t = 0;
      if (art->GetArtType(h, &t) == kNoErr && t == type) return h;
    }
    return nullptr;
  };

  int checked = 0, measured = 0;
  for (int step = 0; step < 2500 && !HasFailure(); ++step) {
    const int what = below(20);
    AIArtHandle made = nullptr;
    if (what < 4) {
      if (art->NewArt(kPathArt, orders[below(6)], any(), &made) == kNoErr) {
        live.push_back(made);
        SetSegments(made, randomSegments());
      }
    } else if (what < 6) {
      if (art->NewArt(kGroupArt, orders[below(6)], any(), &made) == kNoErr) live.push_back(made);
    } else if (what < 8) {
      if (frames->NewPointText(orders[below(6)], any(), kHorizontalTextOrientation, {place(rng), place(rng)}, &made) ==
          kNoErr) {
        live.push_back(made);
        ATETextRangeRef range = nullptr;
        ASSERT_EQ(frames->GetATETextRange(made, &range), kNoErr);
        ASSERT_EQ(ranges->InsertAfter_AsChar(range, "Label", 5), kNoErr);
        ASSERT_EQ(ranges->Release(range), kNoErr);
      }
    } else if (what < 10) {
      if (AIArtHandle p = ofKind(kPathArt)) {
        const auto segs = randomSegments();
        if (below(2) == 0) {
          SetSegments(p, segs);
        } else {
          int16_t count = 0;
          ASSERT_EQ(path->GetPathSegmentCount(p, &count), kNoErr);
          const int16_t at = static_cast<int16_t>(below(count));
          ASSERT_EQ(path->SetPathSegments(p, at, 1, segs.data()), kNoErr);
        }
      }
    } else if (what < 12) {
      if (AIArtHandle t = ofKind(kTextFrameArt)) {
        ATETextRangeRef range = nullptr;
        ASSERT_EQ(frames->GetATETextRange(t, &range), kNoErr);
        const int how = below(4);
        if (how == 0) {
          ASSERT_EQ(ranges->InsertAfter_AsChar(range, " 12", 3), kNoErr);
        } else if (how == 1) {
          ASSERT_EQ(ranges->Remove(range), kNoErr);
        } else if (how == 2) {
          ATECharFeaturesRef cf = nullptr;
          ASSERT_EQ(chars->Initialize(&cf), kNoErr);
          ATEFontRef font = hostsim::MakeFontRef(static_cast<std::size_t>(below(static_cast<int>(fontCount))));
          ASSERT_EQ(chars->SetFont(cf, font), kNoErr);
          ASSERT_EQ(chars->SetFontSize(cf, 4 + below(30)), kNoErr);
          ASSERT_EQ(chars->SetBaselineShift(cf, below(9) - 4), kNoErr);
          ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
          hostsim::ReleaseFontRef(font);
          ASSERT_EQ(chars->Release(cf), kNoErr);
        } else {
          ATEParaFeaturesRef pf = nullptr;
          ASSERT_EQ(paras->Initialize(&pf), kNoErr);
          const int32_t justs[] = {kATELeftJustify, kATERightJustify, kATECenterJustify};
          ASSERT_EQ(paras->SetJustification(pf, justs[below(3)]), kNoErr);
          ASSERT_EQ(ranges->SetLocalParaFeatures(range, pf), kNoErr);
          ASSERT_EQ(paras->Release(pf), kNoErr);
        }
        ASSERT_EQ(ranges->Release(range), kNoErr);
      }
    } else if (what < 14) {
      const float turn = near(rng) / 40;
      const AIRealMatrix m{std::cos(turn), std::sin(turn), -std::sin(turn), std::cos(turn), near(rng), near(rng)};
      xform->TransformArt(any(), &m, 1, 0);
    } else if (what < 16) {
      art->DisposeArt(any());
      forgetDead();
    } else if (what < 18) {
      art->ReorderArt(any(), orders[below(6)], any());
    } else if (what == 18) {
      AIArtHandle a = any();
      art->SetArtUserAttr(a, kArtHidden | kArtLocked, below(2) ? kArtHidden : 0);
      if (AIArtHandle p = ofKind(kPathArt)) path->SetPathClosed(p, below(2));
    } else {
      AILayerHandle layer = nullptr;
      if (below(4) == 0) layers->InsertLayer(nullptr, kPlaceAboveAll, &layer);
    }

    // Bounds asked for in a random order and amount, so that some are kept
    // and others not when the next edit comes.
    std::vector<AIArtHandle> ask = live;
    for (std::size_t n = 0; n < doc->layers().size(); ++n) ask.push_back(LayerGroup(static_cast<int32_t>(n)));
    std::shuffle(ask.begin(), ask.end(), rng);
    if (step % 2 == 1) ask.resize(ask.size() / 4);
    for (AIArtHandle h : ask) {
      const hostsim::Art& a = *doc->FindArt(IdOf(h));
      const auto fresh = doc->BoundsByWalk(a);
      const AIRealRect handed = BoundsOf(h);
      ASSERT_TRUE(SameRect(handed, fresh.value_or(AIRealRect{0, 0, 0, 0})))
          << "step " << step << ": bounds of art " << IdOf(h) << " are " << handed.left << " " << handed.top << " "
          << handed.right << " " << handed.bottom;
      ++checked;
      measured += fresh ? 1 : 0;
    }

    if (step % 25 == 0) {
      const std::vector<AIArtHandle> walked = WalkedThroughSiblings();
      std::vector<AIArtHandle> listed;
      for (ObjectId id : doc->ArtInDocumentOrder()) listed.push_back(HandleOf(id));
      ASSERT_EQ(listed, walked) << "step " << step;
      ASSERT_EQ(Matching(-1, 0, 0), walked) << "step " << step;
      std::vector<AIArtHandle> shown, paths;
      for (AIArtHandle h : walked) {
        int32_t attr = 0;
        int16_t type = 0;
        ASSERT_EQ(art->GetArtUserAttr(h, kArtHidden, &attr), kNoErr);
        ASSERT_EQ(art->GetArtType(h, &type), kNoErr);
        if (type == kPathArt) paths.push_back(h);
        if (type == kPathArt && attr == 0) shown.push_back(h);
      }
      ASSERT_EQ(Matching(kPathArt, kArtHidden, 0), shown) << "step " << step;
      ASSERT_EQ(Matching(kPathArt, 0, 0), paths) << "step " << step;
    }
    if (live.size() > 400) {
      for (int i = 0; i < 40; ++i) art->DisposeArt(any());
      forgetDead();
    }
  }
  EXPECT_GT(checked, 100000);
  EXPECT_GT(measured, checked / 2) << "too few art had bounds to tell";
}

}  // namespace
}  // namespace doctest
