#include <cstring>
#include <functional>
#include <vector>

#include "DocumentFixture.h"
#include "hostsim/Blocks.h"

namespace doctest {
namespace {

class ArtTree : public DocumentTest {};

TEST_F(ArtTree, PaintOrdersPlaceArtInsideAboveAndBelow) {
  AIArtHandle layer = LayerGroup();
  AIArtHandle middle = NewGroup(layer);
  AIArtHandle top = NewGroup(layer, kPlaceInsideOnTop);
  AIArtHandle bottom = NewGroup(layer, kPlaceInsideOnBottom);
  AIArtHandle above = NewGroup(middle, kPlaceAbove);
  AIArtHandle below = NewGroup(middle, kPlaceBelow);
  EXPECT_EQ(Children(layer), (std::vector<AIArtHandle>{top, above, middle, below, bottom}));

  AIArtHandle prior = nullptr, parent = nullptr;
  ASSERT_EQ(art->GetArtPriorSibling(middle, &prior), kNoErr);
  EXPECT_EQ(prior, above);
  ASSERT_EQ(art->GetArtParent(middle, &parent), kNoErr);
  EXPECT_EQ(parent, layer);
  ASSERT_EQ(art->GetArtParent(layer, &parent), kNoErr);
  EXPECT_EQ(parent, nullptr) << "a layer's top group has no parent";

  ASSERT_EQ(art->ReorderArt(bottom, kPlaceAbove, top), kNoErr);
  EXPECT_EQ(Children(layer), (std::vector<AIArtHandle>{bottom, top, above, middle, below}));
  EXPECT_EQ(art->ReorderArt(middle, kPlaceInsideOnTop, middle), kBadParameterErr) << "art cannot go inside itself";

  AIArtHandle p = NewPath(layer, {{0, 0}, {1, 1}});
  AIArtHandle out = nullptr;
  EXPECT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, p, &out), kBadParameterErr) << "a path holds no art";
  EXPECT_EQ(art->NewArt(kGroupArt, kPlaceAbove, layer, &out), kBadParameterErr) << "nothing beside a layer group";
}

TEST_F(ArtTree, DisposedArtAndItsChildrenAreDeadHandles) {
  AIArtHandle group = NewGroup(LayerGroup());
  AIArtHandle inner = NewGroup(group);
  AIArtHandle p = NewPath(inner, {{0, 0}, {10, 0}});
  ASSERT_TRUE(art->ValidArt(p));
  ASSERT_EQ(art->DisposeArt(group), kNoErr);
  for (AIArtHandle dead : {group, inner, p}) {
    EXPECT_FALSE(art->ValidArt(dead));
    int16_t type = 0, count = 0;
    AIArtHandle other = nullptr;
    AIRealRect bounds{};
    EXPECT_EQ(art->GetArtType(dead, &type), kBadParameterErr);
    EXPECT_EQ(art->GetArtParent(dead, &other), kBadParameterErr);
    EXPECT_EQ(art->GetArtBounds(dead, &bounds), kBadParameterErr);
    EXPECT_EQ(art->DisposeArt(dead), kBadParameterErr);
    EXPECT_EQ(path->GetPathSegmentCount(dead, &count), kBadParameterErr);
    EXPECT_EQ(tags->SetTag(dead, "lab", "string", "jj"), kBadParameterErr);
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, dead, &other), kBadParameterErr);
  }
  EXPECT_FALSE(art->ValidArt(reinterpret_cast<AIArtHandle>(0xdeadbeef)));
  EXPECT_FALSE(art->ValidArt(nullptr));
  EXPECT_EQ(art->DisposeArt(LayerGroup()), kBadParameterErr) << "a layer's top group stays";
}

// Tests of a plug-in's care with deleted art read this count.
TEST_F(ArtTree, EveryChangeThroughADeadHandleIsCountedAndReadsAreNot) {
  AIArtHandle live = NewPath(LayerGroup(), {{0, 0}, {10, 0}});
  AIArtHandle dead = NewPath(LayerGroup(), {{0, 0}, {10, 0}});
  ASSERT_EQ(art->DisposeArt(dead), kNoErr);
  const AIPathSegment seg = Corner(1, 1);
  const AIPathStyle pathStyle = hostsim::DefaultPathStyle();
  AIRealMatrix move{};
  ASSERT_EQ(math->AIRealMatrixSetTranslate(&move, 1, 1), kNoErr);
  AIArtHandle made = nullptr;
  AIRealRect bounds{};
  int16_t count = 0;

  // Reads of a dead handle and changes of a live one count nothing.
  EXPECT_EQ(art->GetArtBounds(dead, &bounds), kBadParameterErr);
  EXPECT_EQ(path->GetPathSegmentCount(dead, &count), kBadParameterErr);
  EXPECT_EQ(art->SetArtName(live, "kept"), kNoErr);
  EXPECT_EQ(xform->TransformArt(live, &move, 1, 0), kNoErr);
  EXPECT_EQ(doc->deadHandleWrites, 0);

  const std::vector<std::function<AIErr()>> changes = {
      [&] { return art->DisposeArt(dead); },
      [&] { return art->ReorderArt(dead, kPlaceAboveAll, nullptr); },
      [&] { return art->SetArtUserAttr(dead, kArtSelected, 0); },
      [&] { return art->SetArtName(dead, "x"); },
      [&] { return art->NewArt(kPathArt, kPlaceInsideOnTop, dead, &made); },
      [&] { return path->SetPathSegmentCount(dead, 2); },
      [&] { return path->SetPathSegments(dead, 0, 1, &seg); },
      [&] { return path->SetPathClosed(dead, true); },
      [&] { return style->SetPathStyle(dead, &pathStyle); },
      [&] { return tags->SetTag(dead, "lab", "string", "jj"); },
      [&] { return tags->RemoveTag(dead, "lab"); },
      [&] { return xform->TransformArt(dead, &move, 1, 0); },
      [&] { return frames->NewPointText(kPlaceInsideOnTop, dead, kHorizontalTextOrientation, {0, 0}, &made); },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(changes[i](), kBadParameterErr) << "change " << i;
    EXPECT_EQ(doc->deadHandleWrites, static_cast<int>(i + 1)) << "change " << i;
  }
}

TEST_F(ArtTree, HandlesOfAnEarlierDocumentAreForeign) {
  AIArtHandle p = NewPath(LayerGroup(), {{0, 0}, {10, 0}});
  doc = hostsim::MakeDocument(Fonts());
  EXPECT_FALSE(art->ValidArt(p));
  EXPECT_EQ(art->SetArtName(p, "x"), kBadParameterErr);
}

TEST_F(ArtTree, TagsAreSetReadReplacedAndRemoved) {
  AIArtHandle p = NewPath(LayerGroup(), {{0, 0}, {10, 0}});
  char value[8] = {};
  ASBoolean has = true;
  EXPECT_EQ(tags->GetTag(p, "lab", "string", value, sizeof value), kNoSuchTagErr);
  ASSERT_EQ(tags->SetTag(p, "lab", "string", "jj"), kNoErr);
  ASSERT_EQ(tags->HasTag(p, "lab", &has), kNoErr);
  EXPECT_TRUE(has);
  ASSERT_EQ(tags->SetTag(p, "lab", "string", "a longer value"), kNoErr);
  ASSERT_EQ(tags->GetTag(p, "lab", "string", value, sizeof value), kNoErr);
  EXPECT_STREQ(value, "a longe") << "truncated to the buffer, terminated";
  ASSERT_EQ(tags->RemoveTag(p, "lab"), kNoErr);
  ASSERT_EQ(tags->HasTag(p, "lab", &has), kNoErr);
  EXPECT_FALSE(has);
  EXPECT_EQ(tags->RemoveTag(p, "lab"), kNoErr) << "removing an absent tag is fine";
}

TEST_F(ArtTree, NamesTravelInTheWindowsEncoding) {
  AIArtHandle g = NewGroup(LayerGroup());
  char name[32] = {};
  ASBoolean isDefault = false;
  ASSERT_EQ(art->GetArtName(g, name, sizeof name, &isDefault), kNoErr);
  EXPECT_TRUE(isDefault);
  ASSERT_EQ(art->SetArtName(g, "Label (rect.) \x95\xC9"), kNoErr);
  ASSERT_EQ(art->GetArtName(g, name, sizeof name, &isDefault), kNoErr);
  EXPECT_FALSE(isDefault);
  EXPECT_STREQ(name, "Label (rect.) \x95\xC9");
  EXPECT_EQ(doc->FindArt(reinterpret_cast<std::uintptr_t>(g))->name, "Label (rect.) \u2022\u00C9");
}

TEST_F(ArtTree, MatchingArtListsPathsInDocumentOrderInAFreeableBlock) {
  AIArtHandle g = NewGroup(LayerGroup());
  AIArtHandle inner = NewPath(g, {{0, 0}, {1, 0}});
  AIArtHandle top = NewPath(LayerGroup(), {{0, 0}, {1, 0}});
  AIArtHandle locked = NewPath(LayerGroup(), {{0, 0}, {1, 0}});
  ASSERT_EQ(art->SetArtUserAttr(locked, kArtLocked, kArtLocked), kNoErr);
  const std::size_t blocksBefore = hostsim::LiveBlocks();

  AIMatchingArtSpec match{kPathArt, 0, 0};
  AIArtHandle* found = nullptr;
  int32_t count = 0;
  ASSERT_EQ(matching->GetMatchingArt(&match, 1, &found, &count), kNoErr);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(found[0], locked);
  EXPECT_EQ(found[1], top);
  EXPECT_EQ(found[2], inner);
  EXPECT_EQ(hostsim::LiveBlocks(), blocksBefore + 1);
  EXPECT_TRUE(hostsim::FreeBlock(found));

  match = {kPathArt, kArtLocked, 0};
  ASSERT_EQ(matching->GetMatchingArt(&match, 1, &found, &count), kNoErr);
  EXPECT_EQ(count, 2);
  hostsim::FreeBlock(found);

  match = {kTextFrameArt, 0, 0};
  ASSERT_EQ(matching->GetMatchingArt(&match, 1, &found, &count), kNoErr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(found, nullptr);
}

TEST_F(ArtTree, PathSegmentsAreRangeCheckedAndGrowWithTheLastAnchor) {
  AIArtHandle p = NewPath(LayerGroup(), {{0, 0}, {10, 20}});
  ASSERT_EQ(path->SetPathSegmentCount(p, 4), kNoErr);
  AIPathSegment segs[4];
  ASSERT_EQ(path->GetPathSegments(p, 0, 4, segs), kNoErr);
  EXPECT_FLOAT_EQ(segs[3].p.h, 10);
  EXPECT_FLOAT_EQ(segs[3].p.v, 20);
  EXPECT_EQ(path->GetPathSegments(p, 2, 3, segs), kBadParameterErr);
  EXPECT_EQ(path->SetPathSegments(p, -1, 1, segs), kBadParameterErr);
  EXPECT_EQ(path->SetPathSegmentCount(p, -1), kBadParameterErr);
  segs[0].p.h = NAN;
  EXPECT_EQ(path->SetPathSegments(p, 0, 1, segs), kBadParameterErr) << "no NaN enters the document";

  AIPathStyle s = hostsim::DefaultPathStyle();
  s.stroke.width = INFINITY;
  EXPECT_EQ(style->SetPathStyle(p, &s), kBadParameterErr);
}

TEST_F(ArtTree, LayersInsertAboveAndBelowWithTitlesInTheWindowsEncoding) {
  AILayerHandle first = nullptr, top = nullptr, bottom = nullptr, nth = nullptr;
  ASSERT_EQ(layers->GetNthLayer(0, &first), kNoErr);
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &top), kNoErr);
  ASSERT_EQ(layers->InsertLayer(first, kPlaceBelow, &bottom), kNoErr);
  int32_t count = 0;
  ASSERT_EQ(layers->CountLayers(&count), kNoErr);
  EXPECT_EQ(count, 3);
  ASSERT_EQ(layers->GetNthLayer(0, &nth), kNoErr);
  EXPECT_EQ(nth, top);
  ASSERT_EQ(layers->GetNthLayer(2, &nth), kNoErr);
  EXPECT_EQ(nth, bottom);
  EXPECT_EQ(layers->GetNthLayer(3, &nth), kBadParameterErr);

  ASSERT_EQ(layers->SetLayerTitle(top, "KPX\x95\xC9tiq"), kNoErr);
  char title[9] = {};
  ASSERT_EQ(layers->GetLayerTitle(top, title, sizeof title), kNoErr);
  EXPECT_EQ(std::strlen(title), 8u);
  EXPECT_EQ(doc->layers()[0].title, "KPX\u2022\u00C9tiq");

  AILayerHandle current = nullptr;
  ASSERT_EQ(layers->GetCurrentLayer(&current), kNoErr);
  EXPECT_EQ(current, first);
  ASSERT_EQ(layers->SetCurrentLayer(top), kNoErr);
  EXPECT_EQ(layers->SetCurrentLayer(reinterpret_cast<AILayerHandle>(LayerGroup())), kBadParameterErr)
      << "an art handle is not a layer";
}

TEST_F(ArtTree, TransformMovesEveryPointOfAGroupAndItsTexts) {
  AIArtHandle g = NewGroup(LayerGroup());
  AIArtHandle p = NewPath(g, {{0, 0}, {10, 0}});
  AIArtHandle text = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, g, kHorizontalTextOrientation, {5, 5}, &text), kNoErr);
  AIRealMatrix m{};
  ASSERT_EQ(math->AIRealMatrixSetIdentity(&m), kNoErr);
  ASSERT_EQ(math->AIRealMatrixConcatRotate(&m, static_cast<AIReal>(M_PI / 2)), kNoErr);
  ASSERT_EQ(math->AIRealMatrixConcatTranslate(&m, 100, 0), kNoErr);  // rotate, then move
  ASSERT_EQ(xform->TransformArt(g, &m, 1, 0), kNoErr);
  AIPathSegment segs[2];
  ASSERT_EQ(path->GetPathSegments(p, 0, 2, segs), kNoErr);
  EXPECT_NEAR(segs[1].p.h, 100, 1e-4);
  EXPECT_NEAR(segs[1].p.v, 10, 1e-4);
  EXPECT_NEAR(segs[1].out.v, 10, 1e-4);
  AIRealPoint anchor{};
  ASSERT_EQ(frames->GetPointTextAnchor(text, &anchor), kNoErr);
  EXPECT_NEAR(anchor.h, 95, 1e-4);
  EXPECT_NEAR(anchor.v, 5, 1e-4);
  m.a = NAN;
  EXPECT_EQ(xform->TransformArt(g, &m, 1, 0), kBadParameterErr);
}

TEST_F(ArtTree, RealMathFollowsOrdinaryGeometry) {
  AIReal r = 0;
  const AIRealPoint a{0, 0}, b{-1, 0}, c{0, -2};
  ASSERT_EQ(math->AIRealPointAngle(&a, &b, &r), kNoErr);
  EXPECT_NEAR(r, M_PI, 1e-6);
  ASSERT_EQ(math->AIRealPointAngle(&a, &c, &r), kNoErr);
  EXPECT_NEAR(r, -M_PI / 2, 1e-6);
  ASSERT_EQ(math->AIRealPointAngle(&a, &a, &r), kNoErr);
  EXPECT_EQ(r, 0);
  const AIReal eighth = static_cast<AIReal>(M_PI / 4);
  ASSERT_EQ(math->AIRealMultiple(0.3f, eighth, true, &r), kNoErr);
  EXPECT_FLOAT_EQ(r, eighth) << "ceiling: the multiple above";
  ASSERT_EQ(math->AIRealMultiple(0.3f, eighth, false, &r), kNoErr);
  EXPECT_FLOAT_EQ(r, 0);
  ASSERT_EQ(math->AIRealMultiple(-0.3f, eighth, true, &r), kNoErr);
  EXPECT_FLOAT_EQ(r, 0);
  ASSERT_EQ(math->AIRealMultiple(eighth, eighth, true, &r), kNoErr);
  EXPECT_FLOAT_EQ(r, eighth) << "a value on a multiple stays";
  EXPECT_EQ(math->AIRealMultiple(1, 0, true, &r), kBadParameterErr);
  EXPECT_EQ(math->AIRealSin(NAN, &r), kBadParameterErr);
  ASBoolean close = false;
  const AIRealPoint d{3, -3};
  ASSERT_EQ(math->AIRealPointClose(&a, &d, 3, &close), kNoErr);
  EXPECT_TRUE(close);

  const AIRealBezier bz{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  AIRealPoint mid{};
  AIRealBezier left{}, right{};
  ASSERT_EQ(bezier->Evaluate(&bz, 0.5f, &mid), kNoErr);
  EXPECT_FLOAT_EQ(mid.h, 5);
  EXPECT_FLOAT_EQ(mid.v, 7.5f);
  ASSERT_EQ(bezier->Divide(&bz, 0.5f, &left, &right), kNoErr);
  EXPECT_FLOAT_EQ(left.p3.v, 7.5f);
  EXPECT_FLOAT_EQ(right.p0.h, 5);
  EXPECT_FLOAT_EQ(right.p1.h, 7.5f);
}

TEST_F(ArtTree, ZoomIsTheViewsAndMustBePositive) {
  AIReal zoom = 0;
  ASSERT_EQ(view->GetDocumentViewZoom(nullptr, &zoom), kNoErr);
  EXPECT_EQ(zoom, 1);
  ASSERT_EQ(view->SetDocumentViewZoom(nullptr, 4), kNoErr);
  ASSERT_EQ(view->GetDocumentViewZoom(nullptr, &zoom), kNoErr);
  EXPECT_EQ(zoom, 4);
  EXPECT_EQ(view->SetDocumentViewZoom(nullptr, 0), kBadParameterErr);
  EXPECT_EQ(view->SetDocumentViewZoom(nullptr, NAN), kBadParameterErr);
}

}  // namespace
}  // namespace doctest
