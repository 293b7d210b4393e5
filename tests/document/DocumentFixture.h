// A fresh document with its suites acquired by name from a registry, as the
// plug-in acquires them, and helpers that build art through those suites.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/ATESuites.h"
#include "host/AISuites.h"
#include "hostsim/FontList.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"

namespace doctest {

inline const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = hostsim::MakeDocument(Fonts());
    hostsim::RegisterDocumentSuites(registry);
    Acquire(kAIArtSuite, kAIArtSuiteVersion, art);
    Acquire(kAIPathSuite, kAIPathSuiteVersion, path);
    Acquire(kAIPathStyleSuite, kAIPathStyleSuiteVersion, style);
    Acquire(kAITagSuite, kAITagSuiteVersion, tags);
    Acquire(kAILayerSuite, kAILayerSuiteVersion, layers);
    Acquire(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, matching);
    Acquire(kAIHitTestSuite, kAIHitTestSuiteVersion, hits);
    Acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, view);
    Acquire(kAITransformArtSuite, kAITransformArtSuiteVersion, xform);
    Acquire(kAIRealMathSuite, kAIRealMathSuiteVersion, math);
    Acquire(kAIRealBezierSuite, kAIRealBezierSuiteVersion, bezier);
    Acquire(kAITextFrameSuite, kAITextFrameSuiteVersion, frames);
    Acquire(kAIATEPaintSuite, kAIATEPaintSuiteVersion, paintConv);
    Acquire(kATETextRangeSuite, 1, ranges);
    Acquire(kATECharFeaturesSuite, 101, chars);
    Acquire(kATEParaFeaturesSuite, 101, paras);
    Acquire(kATEApplicationPaintSuite, 1, paints);
  }

  template <class Suite>
  void Acquire(const char* name, int32_t version, const Suite*& suite) {
    suite = registry.AcquireTable<Suite>(name, version);
    ASSERT_NE(suite, nullptr) << name;
  }

  AIArtHandle LayerGroup(int32_t n = 0) {
    AILayerHandle layer = nullptr;
    AIArtHandle group = nullptr;
    EXPECT_EQ(layers->GetNthLayer(n, &layer), kNoErr);
    EXPECT_EQ(art->GetFirstArtOfLayer(layer, &group), kNoErr);
    return group;
  }

  static AIPathSegment Corner(double x, double y) {
    const AIRealPoint p{static_cast<AIReal>(x), static_cast<AIReal>(y)};
    return {p, p, p, true};
  }

  // A path of straight segments through the points, on top inside `group`.
  AIArtHandle NewPath(AIArtHandle group, std::initializer_list<AIRealPoint> points, bool closed = false,
                      bool filled = false) {
    AIArtHandle p = nullptr;
    EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &p), kNoErr);
    std::vector<AIPathSegment> segs;
    for (AIRealPoint q : points) segs.push_back(Corner(q.h, q.v));
    EXPECT_EQ(path->SetPathSegmentCount(p, static_cast<int16_t>(segs.size())), kNoErr);
    EXPECT_EQ(path->SetPathSegments(p, 0, static_cast<int16_t>(segs.size()), segs.data()), kNoErr);
    EXPECT_EQ(path->SetPathClosed(p, closed), kNoErr);
    AIPathStyle s = hostsim::DefaultPathStyle();
    if (filled) {
      s.fillPaint = true;
      s.fill.color = hostsim::GrayColor(0.5);
    }
    EXPECT_EQ(style->SetPathStyle(p, &s), kNoErr);
    return p;
  }

  AIArtHandle NewGroup(AIArtHandle prep, int16_t order = kPlaceInsideOnTop) {
    AIArtHandle g = nullptr;
    EXPECT_EQ(art->NewArt(kGroupArt, order, prep, &g), kNoErr);
    return g;
  }

  std::vector<AIArtHandle> Children(AIArtHandle group) {
    std::vector<AIArtHandle> out;
    AIArtHandle child = nullptr;
    EXPECT_EQ(art->GetArtFirstChild(group, &child), kNoErr);
    while (child) {
      out.push_back(child);
      EXPECT_EQ(art->GetArtSibling(child, &child), kNoErr);
    }
    return out;
  }

  struct Hit {
    bool hit = false;
    AIToolHitData data{};
  };
  Hit HitAt(double x, double y, double tolerance, AIArtHandle target = nullptr) {
    const AIRealPoint p{static_cast<AIReal>(x), static_cast<AIReal>(y)};
    AIHitRef ref = nullptr;
    Hit h;
    EXPECT_EQ(hits->HitTestEx(target, &p, static_cast<AIReal>(tolerance), 0, &ref), kNoErr);
    h.hit = hits->IsHit(ref);
    EXPECT_EQ(hits->GetHitData(ref, &h.data), kNoErr);
    EXPECT_EQ(hits->Release(ref), kNoErr);
    return h;
  }

  hostsim::DocumentPtr doc;
  hostsim::SuiteRegistry registry;
  const AIArtSuite* art = nullptr;
  const AIPathSuite* path = nullptr;
  const AIPathStyleSuite* style = nullptr;
  const AITagSuite* tags = nullptr;
  const AILayerSuite* layers = nullptr;
  const AIMatchingArtSuite* matching = nullptr;
  const AIHitTestSuite* hits = nullptr;
  const AIDocumentViewSuite* view = nullptr;
  const AITransformArtSuite* xform = nullptr;
  const AIRealMathSuite* math = nullptr;
  const AIRealBezierSuite* bezier = nullptr;
  const AITextFrameSuite* frames = nullptr;
  const AIATEPaintSuite* paintConv = nullptr;
  const ATETextRangeSuite* ranges = nullptr;
  const ATECharFeaturesSuite* chars = nullptr;
  const ATEParaFeaturesSuite* paras = nullptr;
  const ATEApplicationPaintSuite* paints = nullptr;
};

}  // namespace doctest
