// Every operation of every suite the host serves, called with handles it never
// gave out (or took back), null out-pointers and strings, sizes and counts of
// zero or below, indexes out of range and reals that are not finite. Each call
// must answer with an error code (or the neutral answer of an operation that
// cannot fail) and must neither crash nor write outside what it was given; the
// sanitizer build checks the latter.
//
// Families: basic and blocks, access, art tree, paths and styles, tags, layers,
// matching art and hit testing, document and view, math, text and fonts,
// menus, tools and notifiers, preferences, dialog toolkit.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "host/AllSuites.h"
#include "hostsim/Blocks.h"
#include "hostsim/Host.h"
#include "hostsim/document/Document.h"

namespace {

using hostsim::Host;
using hostsim::HostOptions;
using hostsim_test::ScratchDir;

constexpr AIReal kNaN = std::numeric_limits<AIReal>::quiet_NaN();
constexpr AIReal kInf = std::numeric_limits<AIReal>::infinity();
constexpr AIReal kHuge = std::numeric_limits<AIReal>::max();

// A handle the host must refuse, and what it is, for the failure message.
template <class H>
struct BadHandle {
  const char* what;
  H handle;
};

template <class H>
H Raw(std::uintptr_t value) {
  return reinterpret_cast<H>(value);
}

// Handles no suite may accept: null (unless skipped), wild integers, the address
// of a caller's variable, and one the host gave out and took back.
template <class H>
std::vector<BadHandle<H>> BadHandles(H dead, const void* local, bool withNull = true) {
  std::vector<BadHandle<H>> out = {
      {"0xdeadbeef", Raw<H>(0xdeadbeef)},
      {"1", Raw<H>(1)},
      {"all bits set", Raw<H>(~std::uintptr_t{0})},
      {"address of a local", reinterpret_cast<H>(const_cast<void*>(local))},
      {"dead", dead},
  };
  if (withNull) out.push_back({"null", nullptr});
  return out;
}

// A named call that must fail.
struct Case {
  const char* what;
  std::function<ASErr()> call;
};

void ExpectAllFail(const std::vector<Case>& cases, const std::string& context = {}) {
  for (const Case& c : cases) EXPECT_NE(c.call(), kNoErr) << c.what << context;
}

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.Launch(), kNoErr);
    self = host.pluginRef();
    Acquire(kAIArtSuite, kAIArtSuiteVersion, art);
    Acquire(kAIPathSuite, kAIPathSuiteVersion, path);
    Acquire(kAIPathStyleSuite, kAIPathStyleSuiteVersion, style);
    Acquire(kAITagSuite, kAITagSuiteVersion, tags);
    Acquire(kAILayerSuite, kAILayerSuiteVersion, layers);
    Acquire(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, matching);
    Acquire(kAIHitTestSuite, kAIHitTestSuiteVersion, hits);
    Acquire(kAIDocumentSuite, kAIDocumentSuiteVersion, document);
    Acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, view);
    Acquire(kAIRealMathSuite, kAIRealMathSuiteVersion, math);
    Acquire(kAIRealBezierSuite, kAIRealBezierSuiteVersion, bezier);
    Acquire(kAITransformArtSuite, kAITransformArtSuiteVersion, xform);
    Acquire(kAITextFrameSuite, kAITextFrameSuiteVersion, frames);
    Acquire(kAIFontSuite, kAIFontSuiteVersion, fonts);
    Acquire(kAIATEPaintSuite, kAIATEPaintSuiteVersion, paintConv);
    Acquire(kAIMenuSuite, kAIMenuSuiteVersion, menu);
    Acquire(kAIToolSuite, kAIToolSuiteVersion, tool);
    Acquire(kAINotifierSuite, kAINotifierSuiteVersion, notifier);
    Acquire(kAIPreferenceSuite, kAIPreferenceSuiteVersion, prefs);
    Acquire(kADMBasicSuite, kADMBasicSuiteVersion, adm);
    Acquire(kADMDialogSuite, kADMDialogSuiteVersion, dialog);
    Acquire(kADMIconSuite, kADMIconSuiteVersion2, icon);
    Acquire(kSPBlocksSuite, kSPBlocksSuiteVersion, blocks);
    Acquire(kSPAccessSuite, kSPAccessSuiteVersion, access);
    Acquire(kATETextRangeSuite, 1, ranges);
    Acquire(kATECharFeaturesSuite, 101, chars);
    Acquire(kATEParaFeaturesSuite, 101, paras);
    Acquire(kATEFontSuite, 1, ateFonts);
    Acquire(kATEApplicationPaintSuite, 1, paints);
    basic = host.basicSuite();

    ASSERT_EQ(layers->GetNthLayer(0, &layer), kNoErr);
    ASSERT_EQ(art->GetFirstArtOfLayer(layer, &top), kNoErr);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, top, &livePath), kNoErr);
    ASSERT_EQ(path->SetPathSegmentCount(livePath, 2), kNoErr);
    const AIPathSegment segs[2] = {Corner(10, 10), Corner(20, 10)};
    ASSERT_EQ(path->SetPathSegments(livePath, 0, 2, segs), kNoErr);
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, top, &liveGroup), kNoErr);
    ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, top, kHorizontalTextOrientation, {0, 0}, &liveText), kNoErr);

    AIArtHandle doomed = nullptr;
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, top, &doomed), kNoErr);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, doomed, &deadChild), kNoErr);
    ASSERT_EQ(art->DisposeArt(doomed), kNoErr);
    deadArt = doomed;
  }

  template <class Suite>
  void Acquire(const char* name, int32_t version, const Suite*& suite) {
    suite = host.suites().AcquireTable<Suite>(name, version);
    ASSERT_NE(suite, nullptr) << name;
  }

  static AIPathSegment Corner(AIReal x, AIReal y) { return {{x, y}, {x, y}, {x, y}, true}; }

  std::vector<AIPathSegment> Segments(AIArtHandle p) {
    int16_t n = 0;
    EXPECT_EQ(path->GetPathSegmentCount(p, &n), kNoErr);
    std::vector<AIPathSegment> out(static_cast<std::size_t>(n));
    if (n > 0) {
      EXPECT_EQ(path->GetPathSegments(p, 0, n, out.data()), kNoErr);
    }
    return out;
  }

  ScratchDir dir;
  Host host{HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN, false}};
  SPPluginRef self = nullptr;
  SPBasicSuite* basic = nullptr;
  const AIArtSuite* art = nullptr;
  const AIPathSuite* path = nullptr;
  const AIPathStyleSuite* style = nullptr;
  const AITagSuite* tags = nullptr;
  const AILayerSuite* layers = nullptr;
  const AIMatchingArtSuite* matching = nullptr;
  const AIHitTestSuite* hits = nullptr;
  const AIDocumentSuite* document = nullptr;
  const AIDocumentViewSuite* view = nullptr;
  const AIRealMathSuite* math = nullptr;
  const AIRealBezierSuite* bezier = nullptr;
  const AITransformArtSuite* xform = nullptr;
  const AITextFrameSuite* frames = nullptr;
  const AIFontSuite* fonts = nullptr;
  const AIATEPaintSuite* paintConv = nullptr;
  const AIMenuSuite* menu = nullptr;
  const AIToolSuite* tool = nullptr;
  const AINotifierSuite* notifier = nullptr;
  const AIPreferenceSuite* prefs = nullptr;
  const ADMBasicSuite* adm = nullptr;
  const ADMDialogSuite* dialog = nullptr;
  const ADMIconSuite* icon = nullptr;
  const SPBlocksSuite* blocks = nullptr;
  const SPAccessSuite* access = nullptr;
  const ATETextRangeSuite* ranges = nullptr;
  const ATECharFeaturesSuite* chars = nullptr;
  const ATEParaFeaturesSuite* paras = nullptr;
  const ATEFontSuite* ateFonts = nullptr;
  const ATEApplicationPaintSuite* paints = nullptr;

  AILayerHandle layer = nullptr;
  AIArtHandle top = nullptr;  // the first layer's top group
  AIArtHandle livePath = nullptr;
  AIArtHandle liveGroup = nullptr;
  AIArtHandle liveText = nullptr;
  AIArtHandle deadArt = nullptr;    // a disposed group
  AIArtHandle deadChild = nullptr;  // a path that was inside it
};

// =============================================================================
// Basic, Blocks and Access suites
// =============================================================================

TEST_F(BadInput, SuitesWithoutOperationsAreOfferedAndUnknownNamesRefused) {
  struct Row {
    const char* name;
    int32_t version;
  };
  const Row placeholders[] = {
      {kAIPluginSuite, kAIPluginSuiteVersion},       {kAIMdMemorySuite, kAIMdMemorySuiteVersion},
      {kAIUserSuite, kAIUserSuiteVersion},           {kAIUndoSuite, kAIUndoSuiteVersion},
      {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion}, {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion},
      {kAIContextSuite, kAIContextSuiteVersion},     {kAICursorSnapSuite, kAICursorSnapSuiteVersion},
      {kAIRuntimeSuite, kAIRuntimeSuiteVersion},     {kAIURLSuite, kAIURLSuiteVersion},
      {kADMItemSuite, kADMItemSuiteVersion},         {kADMTrackerSuite, kADMTrackerSuiteVersion},
      {kADMDrawerSuite, kADMDrawerSuiteVersion},     {kADMDialogGroupSuite, kADMDialogGroupSuiteVersion},
      {kADMListSuite, kADMListSuiteVersion},         {kADMEntrySuite, kADMEntrySuiteVersion},
      {kADMNotifierSuite, kADMNotifierSuiteVersion},
#define ROW(object, version) {"ATE " #object " Suite", version},
      KPX_ATE_SUITES(ROW)
#undef ROW
  };
  for (const Row& row : placeholders) {
    const void* table = nullptr;
    EXPECT_EQ(basic->AcquireSuite(row.name, row.version, &table), kNoErr) << row.name;
    EXPECT_NE(table, nullptr) << row.name;
    EXPECT_EQ(basic->ReleaseSuite(row.name, row.version), kNoErr) << row.name;
  }
  int sentinel = 0;
  const void* table = &sentinel;
  EXPECT_EQ(basic->AcquireSuite(nullptr, 1, &table), kSPBadParameterError);
  EXPECT_EQ(table, nullptr);
  EXPECT_NE(basic->AcquireSuite(kAIArtSuite, kAIArtSuiteVersion, nullptr), kNoErr);
  EXPECT_EQ(basic->AcquireSuite("", 1, &table), kSPSuiteNotFoundError);
  EXPECT_EQ(basic->AcquireSuite(kAIArtSuite, -1, &table), kSPSuiteNotFoundError);
  EXPECT_NE(basic->ReleaseSuite(nullptr, 1), kNoErr);
  EXPECT_NE(basic->ReleaseSuite(kAIURLSuite, kAIURLSuiteVersion), kNoErr);  // not held
  EXPECT_FALSE(basic->IsEqual(nullptr, "a"));
  EXPECT_FALSE(basic->IsEqual("a", nullptr));
  EXPECT_FALSE(basic->IsEqual(nullptr, nullptr));
  EXPECT_NE(basic->Undefined(), kNoErr);
}

TEST_F(BadInput, BlocksRefuseWildSizesForeignPointersAndDoubleFrees) {
  constexpr std::size_t kWild[] = {SIZE_MAX, SIZE_MAX / 2, std::size_t{1} << 40,
                                   static_cast<std::size_t>(-1) - 15};  // a negative count made unsigned
  for (std::size_t size : kWild) {
    int sentinel = 0;
    void* block = &sentinel;
    EXPECT_EQ(basic->AllocateBlock(size, &block), kSPOutOfMemoryError) << size;
    EXPECT_EQ(block, nullptr);
    block = &sentinel;
    EXPECT_EQ(blocks->AllocateBlock(size, nullptr, &block), kSPOutOfMemoryError) << size;
    EXPECT_EQ(block, nullptr);
  }
  EXPECT_NE(basic->AllocateBlock(8, nullptr), kNoErr);
  EXPECT_NE(blocks->AllocateBlock(8, "debug", nullptr), kNoErr);

  // A failed resize keeps the old block and its contents.
  void* block = nullptr;
  ASSERT_EQ(basic->AllocateBlock(4, &block), kNoErr);
  std::memcpy(block, "abc", 4);
  for (std::size_t size : kWild) {
    int sentinel = 0;
    void* resized = &sentinel;
    EXPECT_NE(basic->ReallocateBlock(block, size, &resized), kNoErr) << size;
    EXPECT_EQ(resized, nullptr);
    EXPECT_NE(blocks->ReallocateBlock(block, size, nullptr, &resized), kNoErr) << size;
  }
  EXPECT_STREQ(static_cast<const char*>(block), "abc");
  EXPECT_NE(basic->ReallocateBlock(block, 8, nullptr), kNoErr);

  // A zero-size block is a real block.
  void* empty = nullptr;
  ASSERT_EQ(basic->AllocateBlock(0, &empty), kNoErr);
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(basic->FreeBlock(empty), kNoErr);

  ASSERT_EQ(basic->FreeBlock(block), kNoErr);
  int local = 0;
  for (const auto& bad : BadHandles<void*>(block, &local, /*withNull=*/false)) {
    EXPECT_EQ(basic->FreeBlock(bad.handle), kSPBadParameterError) << bad.what;
    EXPECT_EQ(blocks->FreeBlock(bad.handle), kSPBadParameterError) << bad.what;
    void* resized = &local;
    EXPECT_EQ(basic->ReallocateBlock(bad.handle, 8, &resized), kSPBadParameterError) << bad.what;
    EXPECT_EQ(resized, nullptr) << bad.what;
  }
  EXPECT_EQ(basic->FreeBlock(nullptr), kNoErr);  // documented: null is accepted
}

TEST_F(BadInput, AccessRefusesForeignPluginRefsAndRefsNotHeld) {
  int local = 0;
  SPAccessRef held = nullptr;
  ASSERT_EQ(access->AcquirePlugin(self, &held), kNoErr);
  ASSERT_EQ(access->ReleasePlugin(held), kNoErr);
  for (const auto& bad : BadHandles<SPAccessRef>(held, &local)) {
    EXPECT_EQ(access->ReleasePlugin(bad.handle), kBadParameterErr) << bad.what;
  }
  char name[8] = "xxxxxxx";
  for (const auto& bad : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(access->GetPluginName(bad.handle, name, sizeof name), kNoErr) << bad.what;
    SPAccessRef ref = Raw<SPAccessRef>(1);
    EXPECT_NE(access->AcquirePlugin(bad.handle, &ref), kNoErr) << bad.what;
    EXPECT_EQ(ref, nullptr) << bad.what;
  }
  EXPECT_STREQ(name, "xxxxxxx");
  EXPECT_NE(access->AcquirePlugin(self, nullptr), kNoErr);
  EXPECT_NE(access->GetPluginName(self, nullptr, 8), kNoErr);
  EXPECT_NE(access->GetPluginName(self, name, 0), kNoErr);
  EXPECT_NE(access->GetPluginName(self, name, -1), kNoErr);
  EXPECT_NE(access->GetPluginName(self, name, INT32_MIN), kNoErr);
  char one[1] = {'x'};
  EXPECT_EQ(access->GetPluginName(self, one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(host.accessRefs(), 0u);
}

// =============================================================================
// Art tree, paths, styles, tags, transforms
// =============================================================================

TEST_F(BadInput, ArtOperationsRefuseEveryHandleTheHostDidNotGiveOrTookBack) {
  int local = 0;
  auto bad = BadHandles<AIArtHandle>(deadArt, &local);
  bad.push_back({"child of a disposed group", deadChild});
  bad.push_back({"a layer handle", reinterpret_cast<AIArtHandle>(layer)});
  for (const auto& [what, h] : bad) {
    AIArtHandle out = nullptr;
    int16_t type = 0;
    int32_t attr = 0;
    char name[8] = "";
    ASBoolean flag = 0;
    AIRealRect bounds{};
    AILayerHandle of = nullptr;
    const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
    const AIPathStyle pathStyle = hostsim::DefaultPathStyle();
    AIPathStyle gotStyle{};
    AIPathSegment seg = Corner(0, 0);
    AIRealPoint anchor{};
    ATETextRangeRef range = nullptr;
    char value[8] = "";
    ExpectAllFail(
        {
            {"NewArt inside", [&] { return art->NewArt(kPathArt, kPlaceInsideOnTop, h, &out); }},
            {"NewArt above", [&] { return art->NewArt(kPathArt, kPlaceAbove, h, &out); }},
            {"DisposeArt", [&] { return art->DisposeArt(h); }},
            {"ReorderArt as art", [&] { return art->ReorderArt(h, kPlaceInsideOnTop, liveGroup); }},
            {"ReorderArt as prep", [&] { return art->ReorderArt(livePath, kPlaceInsideOnTop, h); }},
            {"GetArtParent", [&] { return art->GetArtParent(h, &out); }},
            {"GetArtFirstChild", [&] { return art->GetArtFirstChild(h, &out); }},
            {"GetArtSibling", [&] { return art->GetArtSibling(h, &out); }},
            {"GetArtPriorSibling", [&] { return art->GetArtPriorSibling(h, &out); }},
            {"GetArtType", [&] { return art->GetArtType(h, &type); }},
            {"GetArtUserAttr", [&] { return art->GetArtUserAttr(h, kArtHidden, &attr); }},
            {"SetArtUserAttr", [&] { return art->SetArtUserAttr(h, kArtHidden, kArtHidden); }},
            {"GetArtName", [&] { return art->GetArtName(h, name, sizeof name, &flag); }},
            {"SetArtName", [&] { return art->SetArtName(h, "n"); }},
            {"GetArtBounds", [&] { return art->GetArtBounds(h, &bounds); }},
            {"GetLayerOfArt", [&] { return art->GetLayerOfArt(h, &of); }},
            {"GetPathSegmentCount", [&] { return path->GetPathSegmentCount(h, &type); }},
            {"SetPathSegmentCount", [&] { return path->SetPathSegmentCount(h, 1); }},
            {"GetPathSegments", [&] { return path->GetPathSegments(h, 0, 1, &seg); }},
            {"SetPathSegments", [&] { return path->SetPathSegments(h, 0, 1, &seg); }},
            {"GetPathClosed", [&] { return path->GetPathClosed(h, &flag); }},
            {"SetPathClosed", [&] { return path->SetPathClosed(h, true); }},
            {"GetPathGuide", [&] { return path->GetPathGuide(h, &flag); }},
            {"GetPathStyle", [&] { return style->GetPathStyle(h, &gotStyle); }},
            {"SetPathStyle", [&] { return style->SetPathStyle(h, &pathStyle); }},
            {"SetTag", [&] { return tags->SetTag(h, "k", "string", "v"); }},
            {"GetTag", [&] { return tags->GetTag(h, "k", "string", value, sizeof value); }},
            {"RemoveTag", [&] { return tags->RemoveTag(h, "k"); }},
            {"HasTag", [&] { return tags->HasTag(h, "k", &flag); }},
            {"TransformArt", [&] { return xform->TransformArt(h, &identity, 1, 0); }},
            {"NewPointText", [&] { return frames->NewPointText(kPlaceInsideOnTop, h, 0, {0, 0}, &out); }},
            {"GetATETextRange", [&] { return frames->GetATETextRange(h, &range); }},
            {"GetPointTextAnchor", [&] { return frames->GetPointTextAnchor(h, &anchor); }},
        },
        std::string(" with ") + what);
    EXPECT_FALSE(art->ValidArt(h)) << what;
    EXPECT_STREQ(name, "") << what;
    EXPECT_STREQ(value, "") << what;
  }
  // Nothing above created or moved art.
  std::vector<AIArtHandle> children;
  AIArtHandle child = nullptr;
  ASSERT_EQ(art->GetArtFirstChild(top, &child), kNoErr);
  while (child) {
    children.push_back(child);
    ASSERT_EQ(art->GetArtSibling(child, &child), kNoErr);
  }
  EXPECT_EQ(children, (std::vector<AIArtHandle>{liveText, liveGroup, livePath}));
}

TEST_F(BadInput, ArtOperationsRefuseNullOutPointersAndBadArguments) {
  ExpectAllFail({
      {"NewArt null out", [&] { return art->NewArt(kPathArt, kPlaceInsideOnTop, top, nullptr); }},
      {"GetArtParent null", [&] { return art->GetArtParent(livePath, nullptr); }},
      {"GetArtFirstChild null", [&] { return art->GetArtFirstChild(top, nullptr); }},
      {"GetArtSibling null", [&] { return art->GetArtSibling(livePath, nullptr); }},
      {"GetArtPriorSibling null", [&] { return art->GetArtPriorSibling(livePath, nullptr); }},
      {"GetArtType null", [&] { return art->GetArtType(livePath, nullptr); }},
      {"GetArtUserAttr null", [&] { return art->GetArtUserAttr(livePath, kArtHidden, nullptr); }},
      {"GetArtName null buffer", [&] { return art->GetArtName(livePath, nullptr, 8, nullptr); }},
      {"SetArtName null", [&] { return art->SetArtName(livePath, nullptr); }},
      {"GetArtBounds null", [&] { return art->GetArtBounds(livePath, nullptr); }},
      {"GetFirstArtOfLayer null", [&] { return art->GetFirstArtOfLayer(layer, nullptr); }},
      {"GetLayerOfArt null", [&] { return art->GetLayerOfArt(livePath, nullptr); }},
  });
  char name[4] = "abc";
  for (int32_t size : {0, -1, INT32_MIN}) {
    EXPECT_NE(art->GetArtName(livePath, name, size, nullptr), kNoErr) << size;
  }
  EXPECT_STREQ(name, "abc");
  char one[1] = {'x'};
  EXPECT_EQ(art->GetArtName(livePath, one, 1, nullptr), kNoErr);
  EXPECT_EQ(one[0], '\0');

  AIArtHandle out = nullptr;
  for (int16_t type : {int16_t{kUnknownArt}, int16_t{kTextFrameArt}, int16_t{-1}, int16_t{999}}) {
    EXPECT_NE(art->NewArt(type, kPlaceInsideOnTop, top, &out), kNoErr) << type;
  }
  for (int16_t order : {int16_t{0}, int16_t{-1}, int16_t{7}, int16_t{INT16_MAX}, int16_t{INT16_MIN}}) {
    EXPECT_NE(art->NewArt(kPathArt, order, top, &out), kNoErr) << order;
    EXPECT_NE(art->ReorderArt(livePath, order, liveGroup), kNoErr) << order;
  }
  ExpectAllFail({
      {"inside a path", [&] { return art->NewArt(kPathArt, kPlaceInsideOnTop, livePath, &out); }},
      {"inside a text", [&] { return art->NewArt(kPathArt, kPlaceInsideOnBottom, liveText, &out); }},
      {"beside a layer group", [&] { return art->NewArt(kPathArt, kPlaceAbove, top, &out); }},
      {"dispose a layer group", [&] { return art->DisposeArt(top); }},
      {"reorder a layer group", [&] { return art->ReorderArt(top, kPlaceInsideOnTop, liveGroup); }},
      {"reorder into itself", [&] { return art->ReorderArt(liveGroup, kPlaceInsideOnTop, liveGroup); }},
      {"reorder beside itself", [&] { return art->ReorderArt(livePath, kPlaceAbove, livePath); }},
  });
  AIArtHandle inner = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, liveGroup, &inner), kNoErr);
  EXPECT_NE(art->ReorderArt(liveGroup, kPlaceInsideOnTop, inner), kNoErr);  // into its own child
  AIArtHandle parent = nullptr;
  EXPECT_EQ(art->GetArtParent(inner, &parent), kNoErr);
  EXPECT_EQ(parent, liveGroup);
  EXPECT_EQ(art->GetArtParent(liveGroup, &parent), kNoErr);
  EXPECT_EQ(parent, top);
}

TEST_F(BadInput, PathOperationsRefuseBadCountsIndexesAndNonFiniteAnchors) {
  const std::vector<AIPathSegment> before = Segments(livePath);
  AIPathSegment buffer[4] = {Corner(7, 7), Corner(7, 7), Corner(7, 7), Corner(7, 7)};
  for (int16_t count : {int16_t{-1}, int16_t{32001}, int16_t{INT16_MIN}}) {
    EXPECT_NE(path->SetPathSegmentCount(livePath, count), kNoErr) << count;
  }
  struct Range {
    int16_t first, count;
  };
  for (Range r : {Range{-1, 1}, Range{0, -1}, Range{0, 3}, Range{2, 1}, Range{1, 2}, Range{INT16_MAX, 1},
                  Range{INT16_MIN, 2}, Range{1, INT16_MAX}}) {
    EXPECT_NE(path->GetPathSegments(livePath, r.first, r.count, buffer), kNoErr) << r.first << "," << r.count;
    EXPECT_NE(path->SetPathSegments(livePath, r.first, r.count, buffer), kNoErr) << r.first << "," << r.count;
  }
  EXPECT_EQ(buffer[0].p.h, 7);  // nothing was read into the buffer
  ExpectAllFail({
      {"GetPathSegments null", [&] { return path->GetPathSegments(livePath, 0, 1, nullptr); }},
      {"SetPathSegments null", [&] { return path->SetPathSegments(livePath, 0, 1, nullptr); }},
      {"GetPathSegmentCount null", [&] { return path->GetPathSegmentCount(livePath, nullptr); }},
      {"GetPathClosed null", [&] { return path->GetPathClosed(livePath, nullptr); }},
      {"GetPathGuide null", [&] { return path->GetPathGuide(livePath, nullptr); }},
      {"count of a group", [&] { return path->SetPathSegmentCount(liveGroup, 1); }},
      {"closed of a text", [&] { return path->SetPathClosed(liveText, true); }},
  });
  for (AIReal bad : {kNaN, kInf, -kInf}) {
    for (int field = 0; field < 6; ++field) {
      AIPathSegment s = Corner(1, 1);
      AIReal* values[] = {&s.p.h, &s.p.v, &s.in.h, &s.in.v, &s.out.h, &s.out.v};
      *values[field] = bad;
      const AIPathSegment two[2] = {Corner(0, 0), s};
      EXPECT_NE(path->SetPathSegments(livePath, 0, 2, two), kNoErr) << "field " << field;
    }
  }
  const std::vector<AIPathSegment> after = Segments(livePath);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(std::memcmp(&after[i], &before[i], sizeof after[i]), 0);
  // Count 0 is a legal, empty range.
  EXPECT_EQ(path->GetPathSegments(livePath, 2, 0, nullptr), kNoErr);
}

TEST_F(BadInput, PathStylesWithNonFiniteOrOutOfRangeValuesChangeNothing) {
  AIPathStyle good = hostsim::DefaultPathStyle();
  good.stroke.width = 3;
  ASSERT_EQ(style->SetPathStyle(livePath, &good), kNoErr);
  using Edit = std::function<void(AIPathStyle&)>;
  const std::pair<const char*, Edit> edits[] = {
      {"NaN width", [](AIPathStyle& s) { s.stroke.width = kNaN; }},
      {"infinite width", [](AIPathStyle& s) { s.stroke.width = kInf; }},
      {"negative width", [](AIPathStyle& s) { s.stroke.width = -1; }},
      {"NaN miter", [](AIPathStyle& s) { s.stroke.miterLimit = kNaN; }},
      {"NaN dash offset", [](AIPathStyle& s) { s.stroke.dash.offset = kNaN; }},
      {"dash length -1", [](AIPathStyle& s) { s.stroke.dash.length = -1; }},
      {"dash length 7", [](AIPathStyle& s) { s.stroke.dash.length = 7; }},
      {"infinite dash", [](AIPathStyle& s) { s.stroke.dash.array[5] = -kInf; }},
      {"cap -1", [](AIPathStyle& s) { s.stroke.cap = -1; }},
      {"join 3", [](AIPathStyle& s) { s.stroke.join = 3; }},
      {"colour kind 99", [](AIPathStyle& s) { s.fill.color.kind = 99; }},
      {"NaN gray", [](AIPathStyle& s) { s.stroke.color = hostsim::GrayColor(kNaN); }},
      {"infinite blue", [](AIPathStyle& s) { s.fill.color = hostsim::RgbColor(0, 0, kInf); }},
  };
  for (const auto& [what, edit] : edits) {
    AIPathStyle s = good;
    edit(s);
    EXPECT_NE(style->SetPathStyle(livePath, &s), kNoErr) << what;
  }
  EXPECT_NE(style->SetPathStyle(livePath, nullptr), kNoErr);
  EXPECT_NE(style->GetPathStyle(livePath, nullptr), kNoErr);
  EXPECT_NE(style->SetPathStyle(liveGroup, &good), kNoErr);
  AIPathStyle now{};
  ASSERT_EQ(style->GetPathStyle(livePath, &now), kNoErr);
  EXPECT_EQ(now.stroke.width, 3);
  EXPECT_EQ(now.stroke.cap, kAIButtCap);
}

TEST_F(BadInput, TagsRefuseNullStringsAndEmptyBuffers) {
  ASSERT_EQ(tags->SetTag(livePath, "k", "string", "value"), kNoErr);
  char value[4] = "abc";
  ASBoolean has = 0;
  ExpectAllFail({
      {"SetTag null name", [&] { return tags->SetTag(livePath, nullptr, "string", "v"); }},
      {"SetTag empty name", [&] { return tags->SetTag(livePath, "", "string", "v"); }},
      {"SetTag null type", [&] { return tags->SetTag(livePath, "k", nullptr, "v"); }},
      {"SetTag null value", [&] { return tags->SetTag(livePath, "k", "string", nullptr); }},
      {"GetTag null name", [&] { return tags->GetTag(livePath, nullptr, "string", value, 4); }},
      {"GetTag null buffer", [&] { return tags->GetTag(livePath, "k", "string", nullptr, 4); }},
      {"GetTag size 0", [&] { return tags->GetTag(livePath, "k", "string", value, 0); }},
      {"GetTag size -1", [&] { return tags->GetTag(livePath, "k", "string", value, -1); }},
      {"GetTag absent", [&] { return tags->GetTag(livePath, "absent", "string", value, 4); }},
      {"GetTag other type", [&] { return tags->GetTag(livePath, "k", "real", value, 4); }},
      {"RemoveTag null", [&] { return tags->RemoveTag(livePath, nullptr); }},
      {"HasTag null name", [&] { return tags->HasTag(livePath, nullptr, &has); }},
      {"HasTag null out", [&] { return tags->HasTag(livePath, "k", nullptr); }},
  });
  EXPECT_STREQ(value, "abc");
  char one[1] = {'x'};
  EXPECT_EQ(tags->GetTag(livePath, "k", "string", one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(tags->GetTag(livePath, "k", "string", value, 4), kNoErr);
  EXPECT_STREQ(value, "val");
}

TEST_F(BadInput, TransformsThatAreNotFiniteOrOverflowLeaveTheArtAlone) {
  const std::vector<AIPathSegment> before = Segments(livePath);
  AIRealPoint textAnchor{};
  ASSERT_EQ(frames->GetPointTextAnchor(liveText, &textAnchor), kNoErr);
  const AIRealMatrix bad[] = {
      {kNaN, 0, 0, 1, 0, 0}, {1, kInf, 0, 1, 0, 0}, {1, 0, -kInf, 1, 0, 0},
      {1, 0, 0, kNaN, 0, 0}, {1, 0, 0, 1, kInf, 0}, {1, 0, 0, 1, 0, kNaN},
      // Finite, but the path's anchors (x 10 to 20, y 10) land beyond a real's range;
      // on the layer group the text at the origin would fit, the path not: nothing moves.
      {kHuge, 0, 0, 1, 0, 0}, {1, 0, 0, -kHuge, 0, 0}, {kHuge, 0, 0, 1, kHuge, 0},
  };
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    EXPECT_NE(xform->TransformArt(livePath, &bad[i], 1, 0), kNoErr) << "matrix " << i;
    EXPECT_NE(xform->TransformArt(top, &bad[i], 1, 0), kNoErr) << "matrix " << i << " on the layer group";
  }
  EXPECT_NE(xform->TransformArt(livePath, nullptr, 1, 0), kNoErr);
  const std::vector<AIPathSegment> after = Segments(livePath);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(std::memcmp(&after[i], &before[i], sizeof after[i]), 0);
  AIRealPoint textAfter{};
  ASSERT_EQ(frames->GetPointTextAnchor(liveText, &textAfter), kNoErr);
  EXPECT_EQ(textAfter.h, textAnchor.h);
  EXPECT_EQ(textAfter.v, textAnchor.v);
}

// =============================================================================
// Layers, matching art, hit testing, document and view
// =============================================================================

TEST_F(BadInput, LayerOperationsRefuseForeignLayersIndexesAndNullOuts) {
  int local = 0;
  auto bad = BadHandles<AILayerHandle>(reinterpret_cast<AILayerHandle>(deadArt), &local);
  bad.push_back({"an art handle", reinterpret_cast<AILayerHandle>(top)});
  for (const auto& [what, h] : bad) {
    char title[8] = "";
    ASBoolean flag = 0;
    AIArtHandle group = nullptr;
    AILayerHandle made = nullptr;
    ExpectAllFail(
        {
            {"SetCurrentLayer", [&] { return layers->SetCurrentLayer(h); }},
            {"InsertLayer above", [&] { return layers->InsertLayer(h, kPlaceAbove, &made); }},
            {"InsertLayer below", [&] { return layers->InsertLayer(h, kPlaceBelow, &made); }},
            {"GetLayerTitle", [&] { return layers->GetLayerTitle(h, title, sizeof title); }},
            {"SetLayerTitle", [&] { return layers->SetLayerTitle(h, "t"); }},
            {"GetLayerVisible", [&] { return layers->GetLayerVisible(h, &flag); }},
            {"SetLayerVisible", [&] { return layers->SetLayerVisible(h, false); }},
            {"GetLayerEditable", [&] { return layers->GetLayerEditable(h, &flag); }},
            {"SetLayerEditable", [&] { return layers->SetLayerEditable(h, false); }},
            {"GetFirstArtOfLayer", [&] { return art->GetFirstArtOfLayer(h, &group); }},
        },
        std::string(" with ") + what);
    EXPECT_STREQ(title, "") << what;
  }
  AILayerHandle made = nullptr;
  char title[4] = "abc";
  ExpectAllFail({
      {"CountLayers null", [&] { return layers->CountLayers(nullptr); }},
      {"GetNthLayer null", [&] { return layers->GetNthLayer(0, nullptr); }},
      {"GetNthLayer -1", [&] { return layers->GetNthLayer(-1, &made); }},
      {"GetNthLayer 1", [&] { return layers->GetNthLayer(1, &made); }},
      {"GetNthLayer max", [&] { return layers->GetNthLayer(INT32_MAX, &made); }},
      {"GetNthLayer min", [&] { return layers->GetNthLayer(INT32_MIN, &made); }},
      {"GetCurrentLayer null", [&] { return layers->GetCurrentLayer(nullptr); }},
      {"InsertLayer null out", [&] { return layers->InsertLayer(layer, kPlaceAbove, nullptr); }},
      {"InsertLayer inside", [&] { return layers->InsertLayer(layer, kPlaceInsideOnTop, &made); }},
      {"InsertLayer order 0", [&] { return layers->InsertLayer(layer, 0, &made); }},
      {"InsertLayer order -1", [&] { return layers->InsertLayer(nullptr, -1, &made); }},
      {"GetLayerTitle null", [&] { return layers->GetLayerTitle(layer, nullptr, 4); }},
      {"GetLayerTitle size 0", [&] { return layers->GetLayerTitle(layer, title, 0); }},
      {"GetLayerTitle size -1", [&] { return layers->GetLayerTitle(layer, title, -1); }},
      {"SetLayerTitle null", [&] { return layers->SetLayerTitle(layer, nullptr); }},
      {"GetLayerVisible null", [&] { return layers->GetLayerVisible(layer, nullptr); }},
      {"GetLayerEditable null", [&] { return layers->GetLayerEditable(layer, nullptr); }},
  });
  EXPECT_STREQ(title, "abc");
  int32_t count = 0;
  ASSERT_EQ(layers->CountLayers(&count), kNoErr);
  EXPECT_EQ(count, 1);  // no failed call inserted a layer
}

TEST_F(BadInput, MatchingArtRefusesNegativeCountsAndMissingSpecs) {
  AIArtHandle sentinel[1] = {};
  AIArtHandle* matches = sentinel;
  int32_t n = -7;
  const AIMatchingArtSpec match{kPathArt, 0, 0};
  ExpectAllFail({
      {"null matches", [&] { return matching->GetMatchingArt(&match, 1, nullptr, &n); }},
      {"null count", [&] { return matching->GetMatchingArt(&match, 1, &matches, nullptr); }},
      {"negative specs", [&] { return matching->GetMatchingArt(&match, -1, &matches, &n); }},
      {"min specs", [&] { return matching->GetMatchingArt(&match, INT16_MIN, &matches, &n); }},
      {"null specs", [&] { return matching->GetMatchingArt(nullptr, 1, &matches, &n); }},
  });
  // No match matches nothing: a neutral answer.
  EXPECT_EQ(matching->GetMatchingArt(nullptr, 0, &matches, &n), kNoErr);
  EXPECT_EQ(matches, nullptr);
  EXPECT_EQ(n, 0);
}

TEST_F(BadInput, HitTestingRefusesForeignArtAndRefsAndNonFinitePoints) {
  int local = 0;
  AIHitRef released = nullptr;
  const AIRealPoint at{15, 10};
  ASSERT_EQ(hits->HitTestEx(nullptr, &at, 2, 0, &released), kNoErr);
  ASSERT_EQ(hits->Release(released), kNoErr);

  AIHitRef ref = nullptr;
  for (const auto& [what, h] : BadHandles<AIArtHandle>(deadArt, &local, /*withNull=*/false)) {
    EXPECT_NE(hits->HitTestEx(h, &at, 2, 0, &ref), kNoErr) << what;
  }
  for (AIRealPoint p : {AIRealPoint{kNaN, 0}, AIRealPoint{0, kInf}, AIRealPoint{-kInf, kNaN}}) {
    EXPECT_NE(hits->HitTestEx(nullptr, &p, 2, 0, &ref), kNoErr);
  }
  for (AIReal tolerance : {kNaN, kInf, AIReal{-1}}) {
    EXPECT_NE(hits->HitTestEx(nullptr, &at, tolerance, 0, &ref), kNoErr) << tolerance;
  }
  EXPECT_NE(hits->HitTestEx(nullptr, nullptr, 2, 0, &ref), kNoErr);
  EXPECT_NE(hits->HitTestEx(nullptr, &at, 2, 0, nullptr), kNoErr);
  EXPECT_EQ(ref, nullptr);

  auto badRefs = BadHandles<AIHitRef>(released, &local);
  badRefs.push_back({"an art handle", reinterpret_cast<AIHitRef>(livePath)});
  for (const auto& [what, h] : badRefs) {
    AIToolHitData data{};
    data.segment = 99;
    EXPECT_FALSE(hits->IsHit(h)) << what;
    EXPECT_EQ(hits->GetType(h), -1) << what;
    EXPECT_NE(hits->GetHitData(h, &data), kNoErr) << what;
    EXPECT_EQ(data.segment, 99) << what;
    EXPECT_NE(hits->Release(h), kNoErr) << what;
  }
  ASSERT_EQ(hits->HitTestEx(nullptr, &at, 2, 0, &ref), kNoErr);
  EXPECT_NE(hits->GetHitData(ref, nullptr), kNoErr);
  EXPECT_EQ(hits->Release(ref), kNoErr);
  EXPECT_NE(hits->Release(ref), kNoErr);  // twice
}

TEST_F(BadInput, DocumentAndViewRefuseEmptyBuffersForeignViewsAndBadZooms) {
  char name[4] = "abc";
  for (int32_t size : {0, -1, INT32_MIN}) EXPECT_NE(document->GetDocumentFileName(name, size), kNoErr) << size;
  EXPECT_NE(document->GetDocumentFileName(nullptr, 8), kNoErr);
  EXPECT_STREQ(name, "abc");
  char one[1] = {'x'};
  EXPECT_EQ(document->GetDocumentFileName(one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');

  int local = 0;
  AIReal zoom = 5;
  for (const auto& [what, v] :
       BadHandles<AIDocumentViewHandle>(Raw<AIDocumentViewHandle>(2), &local, /*withNull=*/false)) {
    EXPECT_NE(view->GetDocumentViewZoom(v, &zoom), kNoErr) << what;
    EXPECT_NE(view->SetDocumentViewZoom(v, 2), kNoErr) << what;
  }
  EXPECT_EQ(zoom, 5);
  EXPECT_NE(view->GetDocumentViewZoom(nullptr, nullptr), kNoErr);
  for (AIReal z : {kNaN, kInf, -kInf, AIReal{0}, AIReal{-1}}) {
    EXPECT_NE(view->SetDocumentViewZoom(nullptr, z), kNoErr) << z;
  }
  ASSERT_EQ(view->GetDocumentViewZoom(nullptr, &zoom), kNoErr);
  EXPECT_EQ(zoom, 1);
}

// =============================================================================
// Real Math and Real Bezier
// =============================================================================

TEST_F(BadInput, MathRefusesNonFiniteInputsNullResultsAndOverflow) {
  AIReal r = 42;
  ASBoolean b = 7;
  AIRealPoint p{42, 42};
  const AIRealPoint zero{0, 0}, nan{kNaN, 0}, huge{kHuge, -kHuge};
  AIRealMatrix m{1, 0, 0, 1, 0, 0};
  for (AIReal bad : {kNaN, kInf, -kInf}) {
    ExpectAllFail(
        {
            {"Sin", [&] { return math->AIRealSin(bad, &r); }},
            {"Cos", [&] { return math->AIRealCos(bad, &r); }},
            {"ATan y", [&] { return math->AIRealATan(bad, 1, &r); }},
            {"ATan x", [&] { return math->AIRealATan(1, bad, &r); }},
            {"DegreeToRadian", [&] { return math->AIDegreeToRadian(bad, &r); }},
            {"RadianToDegree", [&] { return math->AIRadianToDegree(bad, &r); }},
            {"Multiple value", [&] { return math->AIRealMultiple(bad, 1, false, &r); }},
            {"Multiple multiple", [&] { return math->AIRealMultiple(1, bad, true, &r); }},
            {"PointClose tolerance", [&] { return math->AIRealPointClose(&zero, &zero, bad, &b); }},
            {"PointPolar length", [&] { return math->AIRealPointPolar(bad, 0, &p); }},
            {"PointPolar angle", [&] { return math->AIRealPointPolar(1, bad, &p); }},
            {"SetTranslate", [&] { return math->AIRealMatrixSetTranslate(&m, bad, 0); }},
            {"ConcatRotate", [&] { return math->AIRealMatrixConcatRotate(&m, bad); }},
            {"ConcatTranslate", [&] { return math->AIRealMatrixConcatTranslate(&m, 0, bad); }},
        },
        " with " + std::to_string(bad));
  }
  ExpectAllFail({
      {"Sin null", [&] { return math->AIRealSin(0, nullptr); }},
      {"Cos null", [&] { return math->AIRealCos(0, nullptr); }},
      {"ATan null", [&] { return math->AIRealATan(0, 1, nullptr); }},
      {"DegreeToRadian null", [&] { return math->AIDegreeToRadian(0, nullptr); }},
      {"RadianToDegree null", [&] { return math->AIRadianToDegree(0, nullptr); }},
      {"RadianToDegree overflow", [&] { return math->AIRadianToDegree(kHuge, &r); }},
      {"Multiple of zero", [&] { return math->AIRealMultiple(5, 0, false, &r); }},
      {"Multiple null", [&] { return math->AIRealMultiple(5, 1, false, nullptr); }},
      {"PointAngle null p1", [&] { return math->AIRealPointAngle(nullptr, &zero, &r); }},
      {"PointAngle null p2", [&] { return math->AIRealPointAngle(&zero, nullptr, &r); }},
      {"PointAngle null out", [&] { return math->AIRealPointAngle(&zero, &zero, nullptr); }},
      {"PointAngle NaN", [&] { return math->AIRealPointAngle(&nan, &zero, &r); }},
      {"PointLength null", [&] { return math->AIRealPointLength(&zero, &zero, nullptr); }},
      {"PointLength NaN", [&] { return math->AIRealPointLength(&zero, &nan, &r); }},
      {"PointLength overflow", [&] { return math->AIRealPointLength(&zero, &huge, &r); }},
      {"PointClose null", [&] { return math->AIRealPointClose(&zero, nullptr, 1, &b); }},
      {"PointClose null out", [&] { return math->AIRealPointClose(&zero, &zero, 1, nullptr); }},
      {"PointClose NaN", [&] { return math->AIRealPointClose(&nan, &zero, 1, &b); }},
      {"PointPolar null", [&] { return math->AIRealPointPolar(1, 0, nullptr); }},
      {"SetIdentity null", [&] { return math->AIRealMatrixSetIdentity(nullptr); }},
      {"SetTranslate null", [&] { return math->AIRealMatrixSetTranslate(nullptr, 0, 0); }},
      {"ConcatRotate null", [&] { return math->AIRealMatrixConcatRotate(nullptr, 0); }},
      {"ConcatTranslate null", [&] { return math->AIRealMatrixConcatTranslate(nullptr, 0, 0); }},
      {"XformPoint null matrix", [&] { return math->AIRealMatrixXformPoint(nullptr, &zero, &p); }},
      {"XformPoint null in", [&] { return math->AIRealMatrixXformPoint(&m, nullptr, &p); }},
      {"XformPoint null out", [&] { return math->AIRealMatrixXformPoint(&m, &zero, nullptr); }},
      {"XformPoint NaN point", [&] { return math->AIRealMatrixXformPoint(&m, &nan, &p); }},
  });
  EXPECT_EQ(r, 42);
  EXPECT_EQ(b, 7);
  EXPECT_EQ(p.h, 42);

  // A matrix holding a non-finite value is refused, and results that overflow
  // a real are refused without touching the matrix or the point.
  AIRealMatrix poisoned{1, 0, 0, kNaN, 0, 0};
  EXPECT_NE(math->AIRealMatrixConcatRotate(&poisoned, 1), kNoErr);
  EXPECT_NE(math->AIRealMatrixConcatTranslate(&poisoned, 1, 1), kNoErr);
  EXPECT_NE(math->AIRealMatrixXformPoint(&poisoned, &zero, &p), kNoErr);
  AIRealMatrix big{kHuge, kHuge, kHuge, kHuge, kHuge, 0};
  const AIRealMatrix bigBefore = big;
  EXPECT_NE(math->AIRealMatrixConcatRotate(&big, 0.7f), kNoErr);
  EXPECT_NE(math->AIRealMatrixConcatTranslate(&big, kHuge, 0), kNoErr);
  EXPECT_EQ(std::memcmp(&big, &bigBefore, sizeof big), 0);
  const AIRealPoint one{1, 1};
  EXPECT_NE(math->AIRealMatrixXformPoint(&big, &one, &p), kNoErr);
  EXPECT_EQ(p.h, 42);
}

TEST_F(BadInput, BezierRefusesNullsAndNonFiniteCurves) {
  const AIRealBezier good{{0, 0}, {1, 1}, {2, 1}, {3, 0}};
  AIRealBezier bad = good;
  bad.p2.v = kNaN;
  AIRealPoint p{42, 42};
  AIRealBezier b1{}, b2{};
  ExpectAllFail({
      {"Evaluate null curve", [&] { return bezier->Evaluate(nullptr, 0.5f, &p); }},
      {"Evaluate null out", [&] { return bezier->Evaluate(&good, 0.5f, nullptr); }},
      {"Evaluate NaN curve", [&] { return bezier->Evaluate(&bad, 0.5f, &p); }},
      {"Evaluate NaN t", [&] { return bezier->Evaluate(&good, kNaN, &p); }},
      {"Evaluate infinite t", [&] { return bezier->Evaluate(&good, kInf, &p); }},
      {"Divide null curve", [&] { return bezier->Divide(nullptr, 0.5f, &b1, &b2); }},
      {"Divide null first", [&] { return bezier->Divide(&good, 0.5f, nullptr, &b2); }},
      {"Divide null second", [&] { return bezier->Divide(&good, 0.5f, &b1, nullptr); }},
      {"Divide NaN curve", [&] { return bezier->Divide(&bad, 0.5f, &b1, &b2); }},
      {"Divide NaN t", [&] { return bezier->Divide(&good, kNaN, &b1, &b2); }},
  });
  EXPECT_EQ(p.h, 42);
  // t outside [0, 1] is clamped, not refused.
  EXPECT_EQ(bezier->Evaluate(&good, 5, &p), kNoErr);
  EXPECT_EQ(p.h, 3);
}

// =============================================================================
// Text frames, text engine refs, fonts, paints
// =============================================================================

TEST_F(BadInput, PointTextsRefuseBadOrientationsAnchorsAndOuts) {
  AIArtHandle out = nullptr;
  ATETextRangeRef range = nullptr;
  ExpectAllFail({
      {"vertical",
       [&] { return frames->NewPointText(kPlaceInsideOnTop, top, kVerticalTextOrientation, {0, 0}, &out); }},
      {"orientation -1", [&] { return frames->NewPointText(kPlaceInsideOnTop, top, -1, {0, 0}, &out); }},
      {"NaN anchor", [&] { return frames->NewPointText(kPlaceInsideOnTop, top, 0, {kNaN, 0}, &out); }},
      {"infinite anchor", [&] { return frames->NewPointText(kPlaceInsideOnTop, top, 0, {0, -kInf}, &out); }},
      {"null out", [&] { return frames->NewPointText(kPlaceInsideOnTop, top, 0, {0, 0}, nullptr); }},
      {"bad order", [&] { return frames->NewPointText(99, top, 0, {0, 0}, &out); }},
      {"inside a path", [&] { return frames->NewPointText(kPlaceInsideOnTop, livePath, 0, {0, 0}, &out); }},
      {"range of a path", [&] { return frames->GetATETextRange(livePath, &range); }},
      {"range null out", [&] { return frames->GetATETextRange(liveText, nullptr); }},
      {"anchor of a group", [&] { AIRealPoint a; return frames->GetPointTextAnchor(liveGroup, &a); }},
      {"anchor null out", [&] { return frames->GetPointTextAnchor(liveText, nullptr); }},
  });
  EXPECT_EQ(out, nullptr);
}

TEST_F(BadInput, TextRangesRefuseReleasedForeignRefsAndBadLengths) {
  int local = 0;
  ATETextRangeRef released = nullptr, orphan = nullptr, range = nullptr;
  ASSERT_EQ(frames->GetATETextRange(liveText, &released), kNoErr);
  ASSERT_EQ(ranges->Release(released), kNoErr);
  AIArtHandle doomed = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, top, 0, {0, 0}, &doomed), kNoErr);
  ASSERT_EQ(frames->GetATETextRange(doomed, &orphan), kNoErr);
  ASSERT_EQ(art->DisposeArt(doomed), kNoErr);
  ATECharFeaturesRef charRef = nullptr;
  ATEParaFeaturesRef paraRef = nullptr;
  ASSERT_EQ(chars->Initialize(&charRef), kNoErr);
  ASSERT_EQ(paras->Initialize(&paraRef), kNoErr);

  auto bad = BadHandles<ATETextRangeRef>(released, &local);
  bad.push_back({"range of a disposed text", orphan});
  bad.push_back({"a char features ref", reinterpret_cast<ATETextRangeRef>(charRef)});
  for (const auto& [what, h] : bad) {
    int32_t size = -5, length = -5;
    char text[8] = "";
    ExpectAllFail(
        {
            {"GetSize", [&] { return ranges->GetSize(h, &size); }},
            {"Remove", [&] { return ranges->Remove(h); }},
            {"InsertAfter", [&] { return ranges->InsertAfter_AsChar(h, "ab", 2); }},
            {"GetContents", [&] { return ranges->GetContents_AsChar(h, text, sizeof text, &length); }},
            {"SetLocalCharFeatures", [&] { return ranges->SetLocalCharFeatures(h, charRef); }},
            {"SetLocalParaFeatures", [&] { return ranges->SetLocalParaFeatures(h, paraRef); }},
        },
        std::string(" with ") + what);
    EXPECT_EQ(size, -5) << what;
    EXPECT_STREQ(text, "") << what;
    if (h != orphan) {
      EXPECT_NE(ranges->Release(h), kNoErr) << what;
    }
  }
  EXPECT_EQ(ranges->Release(orphan), kNoErr);  // still a ref to give back

  ASSERT_EQ(frames->GetATETextRange(liveText, &range), kNoErr);
  ASSERT_EQ(ranges->InsertAfter_AsChar(range, "abc", 3), kNoErr);
  char buffer[4] = "xyz";
  int32_t length = -5;
  const char notTerminated[3] = {'d', 'e', 'f'};
  ExpectAllFail({
      {"negative length", [&] { return ranges->InsertAfter_AsChar(range, "ab", -1); }},
      {"min length", [&] { return ranges->InsertAfter_AsChar(range, "ab", INT32_MIN); }},
      {"null text", [&] { return ranges->InsertAfter_AsChar(range, nullptr, 2); }},
      {"length past the terminator", [&] { return ranges->InsertAfter_AsChar(range, "ab", 1000); }},
      {"max length", [&] { return ranges->InsertAfter_AsChar(range, "ab", INT32_MAX); }},
      {"GetSize null", [&] { return ranges->GetSize(range, nullptr); }},
      {"GetContents null", [&] { return ranges->GetContents_AsChar(range, nullptr, 4, &length); }},
      {"GetContents size 0", [&] { return ranges->GetContents_AsChar(range, buffer, 0, &length); }},
      {"GetContents size -1", [&] { return ranges->GetContents_AsChar(range, buffer, -1, &length); }},
      {"released char features", [&] {
         ATECharFeaturesRef gone = nullptr;
         chars->Initialize(&gone);
         chars->Release(gone);
         return ranges->SetLocalCharFeatures(range, gone);
       }},
      {"null para features", [&] { return ranges->SetLocalParaFeatures(range, nullptr); }},
      {"para ref as char ref", [&] {
         return ranges->SetLocalCharFeatures(range, reinterpret_cast<ATECharFeaturesRef>(paraRef));
       }},
  });
  EXPECT_STREQ(buffer, "xyz");
  EXPECT_EQ(length, -5);
  // Exactly `length` characters of an unterminated run are fine; a zero length appends nothing.
  EXPECT_EQ(ranges->InsertAfter_AsChar(range, notTerminated, 3), kNoErr);
  EXPECT_EQ(ranges->InsertAfter_AsChar(range, nullptr, 0), kNoErr);
  char one[1] = {'x'};
  EXPECT_EQ(ranges->GetContents_AsChar(range, one, 1, &length), kNoErr);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(length, 0);
  EXPECT_EQ(ranges->GetContents_AsChar(range, buffer, 4, nullptr), kNoErr);
  EXPECT_STREQ(buffer, "abc");
  int32_t size = 0;
  EXPECT_EQ(ranges->GetSize(range, &size), kNoErr);
  EXPECT_EQ(size, 6);
  EXPECT_EQ(ranges->Release(range), kNoErr);
  EXPECT_EQ(chars->Release(charRef), kNoErr);
  EXPECT_EQ(paras->Release(paraRef), kNoErr);
}

TEST_F(BadInput, FeaturesRefuseReleasedRefsAndValuesOutOfRange) {
  int local = 0;
  ATECharFeaturesRef deadChar = nullptr, liveChar = nullptr;
  ATEParaFeaturesRef deadPara = nullptr, livePara = nullptr;
  ASSERT_EQ(chars->Initialize(&deadChar), kNoErr);
  ASSERT_EQ(chars->Release(deadChar), kNoErr);
  ASSERT_EQ(paras->Initialize(&deadPara), kNoErr);
  ASSERT_EQ(paras->Release(deadPara), kNoErr);
  ASSERT_EQ(chars->Initialize(&liveChar), kNoErr);
  ASSERT_EQ(paras->Initialize(&livePara), kNoErr);

  AIFontKey key = nullptr;
  ATEFontRef font = nullptr;
  ASSERT_EQ(fonts->IndexFontList(0, &key), kNoErr);
  ASSERT_EQ(fonts->FontFromFontKey(key, &font), kNoErr);
  const AIColor red = hostsim::RgbColor(1, 0, 0);
  ATEApplicationPaintRef paint = nullptr;
  ASSERT_EQ(paintConv->CreateATEApplicationPaint(&red, &paint), kNoErr);

  for (const auto& [what, h] : BadHandles<ATECharFeaturesRef>(deadChar, &local)) {
    ExpectAllFail(
        {
            {"Release", [&] { return chars->Release(h); }},
            {"SetFontSize", [&] { return chars->SetFontSize(h, 12); }},
            {"SetBaselineShift", [&] { return chars->SetBaselineShift(h, 1); }},
            {"SetFont", [&] { return chars->SetFont(h, font); }},
            {"SetFillColor", [&] { return chars->SetFillColor(h, paint); }},
        },
        std::string(" with ") + what);
  }
  for (const auto& [what, h] : BadHandles<ATEParaFeaturesRef>(deadPara, &local)) {
    EXPECT_NE(paras->Release(h), kNoErr) << what;
    EXPECT_NE(paras->SetJustification(h, kATECenterJustify), kNoErr) << what;
  }
  for (double size : {0.0, -1.0, double(kNaN), double(kInf), -double(kInf)}) {
    EXPECT_NE(chars->SetFontSize(liveChar, size), kNoErr) << size;
  }
  for (double shift : {double(kNaN), double(kInf), -double(kInf)}) {
    EXPECT_NE(chars->SetBaselineShift(liveChar, shift), kNoErr) << shift;
  }
  for (int32_t j : {-1, 3, 99, INT32_MIN}) EXPECT_NE(paras->SetJustification(livePara, j), kNoErr) << j;

  ATEFontRef goneFont = nullptr;
  ASSERT_EQ(fonts->FontFromFontKey(key, &goneFont), kNoErr);
  ASSERT_EQ(ateFonts->Release(goneFont), kNoErr);
  for (const auto& [what, f] : BadHandles<ATEFontRef>(goneFont, &local)) {
    EXPECT_NE(chars->SetFont(liveChar, f), kNoErr) << what;
    EXPECT_NE(ateFonts->Release(f), kNoErr) << what;
  }
  ATEApplicationPaintRef gonePaint = nullptr;
  ASSERT_EQ(paintConv->CreateATEApplicationPaint(&red, &gonePaint), kNoErr);
  ASSERT_EQ(paints->Release(gonePaint), kNoErr);
  for (const auto& [what, p] : BadHandles<ATEApplicationPaintRef>(gonePaint, &local)) {
    EXPECT_NE(chars->SetFillColor(liveChar, p), kNoErr) << what;
    EXPECT_NE(paints->Release(p), kNoErr) << what;
  }

  AIColor badKind = red;
  badKind.kind = 42;
  const AIColor nanGray = hostsim::GrayColor(kNaN);
  ATEApplicationPaintRef made = nullptr;
  ExpectAllFail({
      {"Char Initialize null", [&] { return chars->Initialize(nullptr); }},
      {"Para Initialize null", [&] { return paras->Initialize(nullptr); }},
      {"paint of null colour", [&] { return paintConv->CreateATEApplicationPaint(nullptr, &made); }},
      {"paint null out", [&] { return paintConv->CreateATEApplicationPaint(&red, nullptr); }},
      {"paint of colour kind 42", [&] { return paintConv->CreateATEApplicationPaint(&badKind, &made); }},
      {"paint of NaN gray", [&] { return paintConv->CreateATEApplicationPaint(&nanGray, &made); }},
  });
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(ateFonts->Release(font), kNoErr);
  EXPECT_EQ(paints->Release(paint), kNoErr);
  EXPECT_EQ(chars->Release(liveChar), kNoErr);
  EXPECT_EQ(paras->Release(livePara), kNoErr);
}

TEST_F(BadInput, FontListRefusesIndexesAndKeysOutOfRange) {
  int32_t count = 0;
  ASSERT_EQ(fonts->CountFonts(&count), kNoErr);
  int local = 0;
  AIFontKey key = Raw<AIFontKey>(1);
  for (int32_t index : {-1, count, INT32_MAX, INT32_MIN}) {
    EXPECT_NE(fonts->IndexFontList(index, &key), kNoErr) << index;
    EXPECT_EQ(key, nullptr);
  }
  auto bad = BadHandles<AIFontKey>(Raw<AIFontKey>(static_cast<std::uintptr_t>(count) + 1), &local);
  for (const auto& [what, k] : bad) {
    if (count >= 1 && k == Raw<AIFontKey>(1)) continue;  // key 1 is the first font
    char name[8] = "";
    ATEFontRef font = Raw<ATEFontRef>(1);
    EXPECT_NE(fonts->GetFullFontName(k, name, sizeof name), kNoErr) << what;
    EXPECT_STREQ(name, "") << what;
    EXPECT_NE(fonts->FontFromFontKey(k, &font), kNoErr) << what;
    EXPECT_EQ(font, nullptr) << what;
  }
  char name[4] = "abc";
  ExpectAllFail({
      {"CountFonts null", [&] { return fonts->CountFonts(nullptr); }},
      {"IndexFontList null", [&] { return fonts->IndexFontList(0, nullptr); }},
      {"GetFullFontName null", [&] { return fonts->GetFullFontName(key, nullptr, 4); }},
      {"GetFullFontName size 0", [&] { return fonts->GetFullFontName(key, name, 0); }},
      {"GetFullFontName size -1", [&] { return fonts->GetFullFontName(key, name, -1); }},
      {"FontFromFontKey null out", [&] { return fonts->FontFromFontKey(key, nullptr); }},
  });
  EXPECT_STREQ(name, "abc");
}

// =============================================================================
// Menus, tools, notifiers
// =============================================================================

TEST_F(BadInput, MenusRefuseForeignRefsItemsGroupsAndNullStrings) {
  int local = 0;
  AIMenuItemHandle item = nullptr;
  ASSERT_NE(host.menus().FindItem("Outil1"), nullptr);
  const AIMenuItemHandle live = host.menus().HandleOf(*host.menus().FindItem("Outil1"));
  for (const auto& [what, s] : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(menu->AddMenuItem(s, "BadItem", "About", "Bad", 0, &item), kNoErr) << what;
    EXPECT_EQ(item, nullptr) << what;
  }
  AIMenuGroup group = nullptr;
  const char* groupName = "untouched";
  ExpectAllFail({
      {"AddMenuItem null name", [&] { return menu->AddMenuItem(self, nullptr, "About", "t", 0, &item); }},
      {"AddMenuItem empty name", [&] { return menu->AddMenuItem(self, "", "About", "t", 0, &item); }},
      {"AddMenuItem null group", [&] { return menu->AddMenuItem(self, "n", nullptr, "t", 0, &item); }},
      {"AddMenuItem unknown group", [&] { return menu->AddMenuItem(self, "n", "No Such Group", "t", 0, &item); }},
      {"AddMenuItem null text", [&] { return menu->AddMenuItem(self, "n", "About", nullptr, 0, &item); }},
      {"AddMenuItem null out", [&] { return menu->AddMenuItem(self, "n", "About", "t", 0, nullptr); }},
      {"AddMenuItem same name twice", [&] { return menu->AddMenuItem(self, "Outil1", "About", "t", 0, &item); }},
      {"sub-menu null name", [&] { return menu->AddMenuGroupAsSubMenu(nullptr, 0, live, &group); }},
      {"sub-menu empty name", [&] { return menu->AddMenuGroupAsSubMenu("", 0, live, &group); }},
      {"sub-menu existing group", [&] { return menu->AddMenuGroupAsSubMenu("About", 0, live, &group); }},
      {"CountMenuGroups null", [&] { return menu->CountMenuGroups(nullptr); }},
      {"GetNthMenuGroup null", [&] { return menu->GetNthMenuGroup(0, nullptr); }},
      {"GetNthMenuGroup -1", [&] { return menu->GetNthMenuGroup(-1, &group); }},
      {"GetNthMenuGroup max", [&] { return menu->GetNthMenuGroup(INT32_MAX, &group); }},
      {"GetMenuGroupName null out", [&] { return menu->GetMenuGroupName(group, nullptr); }},
      {"SetItemText null", [&] { return menu->SetItemText(live, nullptr); }},
      {"GetItemText null", [&] { return menu->GetItemText(live, nullptr, 8); }},
      {"GetItemText size 0", [&] { char t[2] = "x"; return menu->GetItemText(live, t, 0); }},
      {"GetItemText size -1", [&] { char t[2] = "x"; return menu->GetItemText(live, t, -1); }},
  });
  EXPECT_EQ(group, nullptr);
  for (const auto& [what, g] : BadHandles<AIMenuGroup>(reinterpret_cast<AIMenuGroup>(live), &local)) {
    EXPECT_NE(menu->GetMenuGroupName(g, &groupName), kNoErr) << what;
    EXPECT_EQ(groupName, nullptr) << what;
    groupName = "untouched";
  }
  for (const auto& [what, i] :
       BadHandles<AIMenuItemHandle>(reinterpret_cast<AIMenuItemHandle>(host.tools().PluginTool()), &local)) {
    char text[8] = "";
    ExpectAllFail(
        {
            {"AddMenuGroupAsSubMenu", [&] { return menu->AddMenuGroupAsSubMenu("BadGroup", 0, i, &group); }},
            {"SetItemText", [&] { return menu->SetItemText(i, "t"); }},
            {"GetItemText", [&] { return menu->GetItemText(i, text, sizeof text); }},
            {"EnableItem", [&] { return menu->EnableItem(i); }},
            {"DisableItem", [&] { return menu->DisableItem(i); }},
        },
        std::string(" with ") + what);
    EXPECT_STREQ(text, "") << what;
  }
  char one[1] = {'x'};
  EXPECT_EQ(menu->GetItemText(live, one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');
}

TEST_F(BadInput, ToolsAndNotifiersRefuseForeignRefsAndUnterminatedInfoLists) {
  int local = 0;
  ADMIconRef deadIcon = nullptr;
  ASSERT_EQ(icon->GetFromResource(self, 16051, 0, &deadIcon), kNoErr);
  ASSERT_EQ(icon->Destroy(deadIcon), kNoErr);
  const AIToolHandle live = host.tools().PluginTool();
  ASSERT_NE(live, nullptr);

  AIToolHandle made = nullptr;
  AINotifierHandle notif = nullptr;
  const AIAddToolData data{"T", "tip", nullptr, kNoTool, kNoTool};
  for (const auto& [what, s] : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(tool->AddTool(s, "BadTool", &data, 0, &made), kNoErr) << what;
    EXPECT_NE(notifier->AddNotifier(s, "n", kAIApplicationStartedNotifier, &notif), kNoErr) << what;
    EXPECT_EQ(made, nullptr) << what;
    EXPECT_EQ(notif, nullptr) << what;
  }
  for (const auto& [what, i] : BadHandles<ADMIconRef>(deadIcon, &local, /*withNull=*/false)) {
    const AIAddToolData withIcon{"T", "tip", i, kNoTool, kNoTool};
    EXPECT_NE(tool->AddTool(self, "BadTool", &withIcon, 0, &made), kNoErr) << what;
    EXPECT_NE(tool->SetToolRolloverIcon(live, i), kNoErr) << what;
  }
  for (const auto& [what, t] : BadHandles<AIToolHandle>(reinterpret_cast<AIToolHandle>(layer), &local)) {
    EXPECT_NE(tool->SetSelectedTool(t), kNoErr) << what;
    EXPECT_NE(tool->SetToolRolloverIcon(t, nullptr), kNoErr) << what;
  }
  const AIAddToolData badGroup{"T", "tip", nullptr, 12345, kNoTool};
  const AIAddToolData badToolset{"T", "tip", nullptr, kNoTool, -7};
  int32_t number = -3;
  ExpectAllFail({
      {"AddTool null name", [&] { return tool->AddTool(self, nullptr, &data, 0, &made); }},
      {"AddTool empty name", [&] { return tool->AddTool(self, "", &data, 0, &made); }},
      {"AddTool null data", [&] { return tool->AddTool(self, "BadTool", nullptr, 0, &made); }},
      {"AddTool null out", [&] { return tool->AddTool(self, "BadTool", &data, 0, nullptr); }},
      {"AddTool unknown group tool", [&] { return tool->AddTool(self, "BadTool", &badGroup, 0, &made); }},
      {"AddTool unknown toolset tool", [&] { return tool->AddTool(self, "BadTool", &badToolset, 0, &made); }},
      {"AddTool existing name", [&] { return tool->AddTool(self, "Fixture Tool", &data, 0, &made); }},
      {"GetToolNumberFromName null", [&] { return tool->GetToolNumberFromName(nullptr, &number); }},
      {"GetToolNumberFromName unknown", [&] { return tool->GetToolNumberFromName("No Such Tool", &number); }},
      {"GetToolNumberFromName null out", [&] { return tool->GetToolNumberFromName("Selection Tool", nullptr); }},
      {"GetSelectedTool null", [&] { return tool->GetSelectedTool(nullptr); }},
      {"AddNotifier null name", [&] { return notifier->AddNotifier(self, nullptr, "t", &notif); }},
      {"AddNotifier null type", [&] { return notifier->AddNotifier(self, "n", nullptr, &notif); }},
      {"AddNotifier null out", [&] { return notifier->AddNotifier(self, "n", "t", nullptr); }},
  });
  EXPECT_EQ(number, -3);

  // Info lists: nulls, unknown variables and a list with no end marker.
  const int32_t unknown[] = {kInfoPageVar1, 99, kInfoEndOfList};
  AIReal x = 1;
  void* values[70] = {&x, &x};
  int32_t unterminated[70];
  for (int32_t& v : unterminated) v = kInfoPageVar1;
  const std::size_t eventsBefore = host.events().size();
  ExpectAllFail({
      {"null vars", [&] { return tool->SetToolInfoVarValues(nullptr, values); }},
      {"null values", [&] { return tool->SetToolInfoVarValues(unknown, nullptr); }},
      {"unknown variable", [&] { return tool->SetToolInfoVarValues(unknown, values); }},
      {"no end marker", [&] { return tool->SetToolInfoVarValues(unterminated, values); }},
  });
  EXPECT_EQ(host.events().size(), eventsBefore);
  EXPECT_EQ(host.tools().Dump().size(), 5u);  // the host's four and the fixture's
}

TEST_F(BadInput, MenuAndToolHandlesDieWithThePlugIn) {
  const AIMenuItemHandle item = host.menus().HandleOf(*host.menus().FindItem("Outil1"));
  const AIToolHandle oldTool = host.tools().PluginTool();
  ASSERT_EQ(host.Quit(), kNoErr);
  char text[8] = "";
  AIMenuGroup group = nullptr;
  ExpectAllFail({
      {"SetItemText", [&] { return menu->SetItemText(item, "t"); }},
      {"GetItemText", [&] { return menu->GetItemText(item, text, sizeof text); }},
      {"EnableItem", [&] { return menu->EnableItem(item); }},
      {"DisableItem", [&] { return menu->DisableItem(item); }},
      {"AddMenuGroupAsSubMenu", [&] { return menu->AddMenuGroupAsSubMenu("G", 0, item, &group); }},
      {"SetSelectedTool", [&] { return tool->SetSelectedTool(oldTool); }},
      {"SetToolRolloverIcon", [&] { return tool->SetToolRolloverIcon(oldTool, nullptr); }},
  });
  EXPECT_STREQ(text, "");
}

// =============================================================================
// Preferences
// =============================================================================

TEST_F(BadInput, PreferencesRefuseMissingKeysOtherTypesNullsAndNonFiniteReals) {
  const char* s = "BadInput";
  ASSERT_EQ(prefs->PutIntegerPreference(s, "Int", 5), kNoErr);
  ASSERT_EQ(prefs->PutStringPreference(s, "Str", "hello"), kNoErr);
  ASBoolean b = 7;
  int32_t i = 7;
  double d = 7;
  char text[4] = "abc";
  AIPoint p{7, 7};
  for (const char* key : {"Missing", "Int", "Str", ""}) {
    if (std::strcmp(key, "Int") != 0) {
      EXPECT_EQ(prefs->GetIntegerPreference(s, key, &i), kNoSuchKeyErr) << key;
    }
    EXPECT_EQ(prefs->GetBooleanPreference(s, key, &b), kNoSuchKeyErr) << key;
    EXPECT_EQ(prefs->GetRealPreference(s, key, &d), kNoSuchKeyErr) << key;
    EXPECT_EQ(prefs->GetPointPreference(s, key, &p), kNoSuchKeyErr) << key;
    if (std::strcmp(key, "Str") != 0) {
      EXPECT_EQ(prefs->GetStringPreference(s, key, text, 4), kNoSuchKeyErr) << key;
    }
  }
  EXPECT_EQ(prefs->GetIntegerPreference("No Such Section", "Int", &i), kNoSuchKeyErr);
  EXPECT_TRUE(b == 7 && i == 7 && d == 7 && p.h == 7 && p.v == 7);
  EXPECT_STREQ(text, "abc");

  const AIPoint point{1, 2};
  ExpectAllFail({
      {"get bool null suffix", [&] { return prefs->GetBooleanPreference(s, nullptr, &b); }},
      {"get bool null out", [&] { return prefs->GetBooleanPreference(s, "Int", nullptr); }},
      {"get int null out", [&] { return prefs->GetIntegerPreference(s, "Int", nullptr); }},
      {"get real null suffix", [&] { return prefs->GetRealPreference(nullptr, nullptr, &d); }},
      {"get real null out", [&] { return prefs->GetRealPreference(s, "Int", nullptr); }},
      {"get string null buffer", [&] { return prefs->GetStringPreference(s, "Str", nullptr, 4); }},
      {"get string size 0", [&] { return prefs->GetStringPreference(s, "Str", text, 0); }},
      {"get string size -1", [&] { return prefs->GetStringPreference(s, "Str", text, -1); }},
      {"get point null out", [&] { return prefs->GetPointPreference(s, "Int", nullptr); }},
      {"put bool null suffix", [&] { return prefs->PutBooleanPreference(s, nullptr, true); }},
      {"put int empty suffix", [&] { return prefs->PutIntegerPreference(s, "", 1); }},
      {"put int empty prefix", [&] { return prefs->PutIntegerPreference("", "K", 1); }},
      {"put real NaN", [&] { return prefs->PutRealPreference(s, "Real", std::nan("")); }},
      {"put real infinite", [&] { return prefs->PutRealPreference(s, "Real", HUGE_VAL); }},
      {"put real -infinite", [&] { return prefs->PutRealPreference(s, "Real", -HUGE_VAL); }},
      {"put string null", [&] { return prefs->PutStringPreference(s, "Str", nullptr); }},
      {"put string null suffix", [&] { return prefs->PutStringPreference(s, nullptr, "v"); }},
      {"put point null", [&] { return prefs->PutPointPreference(s, "Pt", nullptr); }},
      {"put point null suffix", [&] { return prefs->PutPointPreference(s, nullptr, &point); }},
  });
  EXPECT_STREQ(text, "abc");
  EXPECT_FALSE(host.prefs().Find(s, "Real"));
  EXPECT_FALSE(host.prefs().Find(s, "Pt"));
  EXPECT_EQ(host.prefs().GetString(s, "Str"), "hello");
  char one[1] = {'x'};
  EXPECT_EQ(prefs->GetStringPreference(s, "Str", one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');
}

// =============================================================================
// Dialog toolkit: basic services, icons, dialogs
// =============================================================================

TEST_F(BadInput, AdmBasicRefusesForeignRefsEmptyBuffersAndBadNumbers) {
  int local = 0;
  char buffer[8] = "";
  for (const auto& [what, s] : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(adm->SetPlatformCursor(s, 16000), kNoErr) << what;
    EXPECT_NE(adm->GetIndexString(s, 16100, 1, buffer, sizeof buffer), kNoErr) << what;
  }
  EXPECT_STREQ(buffer, "");
  for (int32_t index : {0, -1, 4, 99, INT32_MAX, INT32_MIN}) {
    EXPECT_NE(adm->GetIndexString(self, 16100, index, buffer, sizeof buffer), kNoErr) << index;
  }
  char keep[4] = "abc";
  ExpectAllFail({
      {"MessageAlert null", [&] { return adm->MessageAlert(nullptr); }},
      {"unknown cursor", [&] { return adm->SetPlatformCursor(self, 12345); }},
      {"unknown string list", [&] { return adm->GetIndexString(self, 1, 1, buffer, sizeof buffer); }},
      {"index string null", [&] { return adm->GetIndexString(self, 16100, 1, nullptr, 8); }},
      {"index string size 0", [&] { return adm->GetIndexString(self, 16100, 1, keep, 0); }},
      {"index string size -1", [&] { return adm->GetIndexString(self, 16100, 1, keep, -1); }},
      {"ValueToText null", [&] { return adm->ValueToText(1, nullptr, 8, 2); }},
      {"ValueToText size 0", [&] { return adm->ValueToText(1, keep, 0, 2); }},
      {"ValueToText size min", [&] { return adm->ValueToText(1, keep, INT32_MIN, 2); }},
      {"ValueToText NaN", [&] { return adm->ValueToText(kNaN, buffer, 8, 2); }},
      {"ValueToText infinite", [&] { return adm->ValueToText(-kInf, buffer, 8, 2); }},
      {"ValueToText precision -1", [&] { return adm->ValueToText(1, buffer, 8, -1); }},
      {"ValueToText precision 21", [&] { return adm->ValueToText(1, buffer, 8, 21); }},
      {"ValueToText precision max", [&] { return adm->ValueToText(1, buffer, 8, INT32_MAX); }},
  });
  EXPECT_STREQ(keep, "abc");
  // The widest number fits whatever the buffer: truncated, terminated, in bounds.
  char one[1] = {'x'};
  EXPECT_EQ(adm->ValueToText(-kHuge, one, 1, 20), kNoErr);
  EXPECT_EQ(one[0], '\0');
  char small[5];
  EXPECT_EQ(adm->ValueToText(-kHuge, small, sizeof small, 20), kNoErr);
  EXPECT_STREQ(small, "-340");
  EXPECT_EQ(adm->GetIndexString(self, 16100, 1, one, 1), kNoErr);
  EXPECT_EQ(one[0], '\0');
}

TEST_F(BadInput, IconsRefuseForeignAndDestroyedRefs) {
  int local = 0;
  ADMIconRef dead = nullptr;
  ASSERT_EQ(icon->GetFromResource(self, 16051, 0, &dead), kNoErr);
  ASSERT_EQ(icon->Destroy(dead), kNoErr);
  for (const auto& [what, i] : BadHandles<ADMIconRef>(dead, &local)) {
    int32_t type = -9, w = -9, h = -9;
    EXPECT_NE(icon->GetType(i, &type), kNoErr) << what;
    EXPECT_NE(icon->GetSize(i, &w, &h), kNoErr) << what;
    EXPECT_NE(icon->Destroy(i), kNoErr) << what;
    EXPECT_TRUE(type == -9 && w == -9 && h == -9) << what;
  }
  ADMIconRef made = Raw<ADMIconRef>(1);
  for (const auto& [what, s] : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(icon->GetFromResource(s, 16051, 0, &made), kNoErr) << what;
    EXPECT_EQ(made, nullptr) << what;
  }
  ADMIconRef live = nullptr;
  ASSERT_EQ(icon->GetFromResource(self, 16051, 0, &live), kNoErr);
  int32_t w = 0;
  ExpectAllFail({
      {"GetFromResource null out", [&] { return icon->GetFromResource(self, 16051, 0, nullptr); }},
      {"GetType null", [&] { return icon->GetType(live, nullptr); }},
      {"GetSize null width", [&] { return icon->GetSize(live, nullptr, &w); }},
      {"GetSize null height", [&] { return icon->GetSize(live, &w, nullptr); }},
  });
  EXPECT_EQ(icon->Destroy(live), kNoErr);
}

TEST_F(BadInput, DialogsRefuseForeignAndDestroyedRefsAndMissingResources) {
  int local = 0;
  ADMDialogRef dead = nullptr;
  ASSERT_EQ(dialog->Create(self, "Doomed", 16400, kADMFloatingDialogStyle, nullptr, nullptr, 0, &dead), kNoErr);
  ASSERT_EQ(dialog->Destroy(dead), kNoErr);
  for (const auto& [what, d] : BadHandles<ADMDialogRef>(dead, &local)) {
    ASBoolean visible = 7;
    ADMUserData data = &local;
    ExpectAllFail(
        {
            {"Destroy", [&] { return dialog->Destroy(d); }},
            {"IsVisible", [&] { return dialog->IsVisible(d, &visible); }},
            {"Show", [&] { return dialog->Show(d, true); }},
            {"EndModal", [&] { return dialog->EndModal(d, 1, false); }},
            {"GetUserData", [&] { return dialog->GetUserData(d, &data); }},
            {"SetText", [&] { return dialog->SetText(d, "t"); }},
        },
        std::string(" with ") + what);
    EXPECT_EQ(visible, 7) << what;
    EXPECT_EQ(data, &local) << what;
  }
  ADMDialogRef made = Raw<ADMDialogRef>(1);
  int32_t hit = -9;
  for (const auto& [what, s] : BadHandles<SPPluginRef>(nullptr, &local)) {
    EXPECT_NE(dialog->Create(s, "D", 16400, kADMFloatingDialogStyle, nullptr, nullptr, 0, &made), kNoErr) << what;
    EXPECT_EQ(made, nullptr) << what;
    EXPECT_NE(dialog->Modal(s, "D", 30000, kADMModalDialogStyle, nullptr, nullptr, 0, &hit), kNoErr) << what;
  }
  ADMDialogRef live = nullptr;
  ASSERT_EQ(dialog->Create(self, nullptr, 16400, kADMFloatingDialogStyle, nullptr, nullptr, 0, &live), kNoErr);
  ExpectAllFail({
      {"Create null out", [&] { return dialog->Create(self, "D", 16400, 0, nullptr, nullptr, 0, nullptr); }},
      {"Create unknown resource", [&] { return dialog->Create(self, "D", 1, 0, nullptr, nullptr, 0, &made); }},
      {"Modal unknown resource", [&] { return dialog->Modal(self, "D", -1, 0, nullptr, nullptr, 0, &hit); }},
      {"IsVisible null", [&] { return dialog->IsVisible(live, nullptr); }},
      {"GetUserData null", [&] { return dialog->GetUserData(live, nullptr); }},
      {"SetText null", [&] { return dialog->SetText(live, nullptr); }},
      {"EndModal of a floating dialog", [&] { return dialog->EndModal(live, 1, false); }},
  });
  // A modal dialog may be run without an out-pointer for the item hit.
  EXPECT_EQ(dialog->Modal(self, nullptr, 30000, kADMModalDialogStyle, nullptr, nullptr, 0, nullptr), kNoErr);
  EXPECT_EQ(dialog->Destroy(live), kNoErr);
}

}  // namespace
