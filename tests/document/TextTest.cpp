#include "DocumentFixture.h"
#include "hostsim/FontRefs.h"

namespace doctest {
namespace {

class Texts : public DocumentTest {
 protected:
  std::size_t DejaVuSans() {
    const auto index = Fonts().FindByFullName("DejaVu Sans");
    if (!index) ADD_FAILURE() << "DejaVu Sans is not installed";
    return index.value_or(0);
  }

  AIArtHandle NewText(AIRealPoint anchor, const char* chars, ATETextRangeRef* keep = nullptr) {
    AIArtHandle text = nullptr;
    EXPECT_EQ(frames->NewPointText(kPlaceInsideOnTop, LayerGroup(), kHorizontalTextOrientation, anchor, &text), kNoErr);
    ATETextRangeRef range = nullptr;
    EXPECT_EQ(frames->GetATETextRange(text, &range), kNoErr);
    EXPECT_EQ(ranges->InsertAfter_AsChar(range, chars, static_cast<int32_t>(std::strlen(chars))), kNoErr);
    if (keep) {
      *keep = range;
    } else {
      EXPECT_EQ(ranges->Release(range), kNoErr);
    }
    return text;
  }
};

TEST_F(Texts, WidthComesFromTheFontInFontUnitsScaledToTheSize) {
  const hostsim::TextMetrics m = doc->textEngine().Measure(DejaVuSans(), "Label 12", 12);
  EXPECT_NEAR(m.width, 51.457, 0.01);
  EXPECT_GT(m.ascender, 8);
  EXPECT_LT(m.descender, -2);
  EXPECT_NEAR(doc->textEngine().Measure(DejaVuSans(), "Label 12", 24).width, 2 * m.width, 1e-9);
  EXPECT_EQ(doc->textEngine().Measure(DejaVuSans(), "", 12).width, 0);
}

TEST_F(Texts, BoundsFollowJustificationAndBaselineShift) {
  ATETextRangeRef range = nullptr;
  AIArtHandle text = NewText({100, 200}, "Label 12", &range);
  ATECharFeaturesRef cf = nullptr;
  ASSERT_EQ(chars->Initialize(&cf), kNoErr);
  ASSERT_EQ(chars->SetFontSize(cf, 12), kNoErr);
  ASSERT_EQ(chars->SetBaselineShift(cf, -4), kNoErr);
  ATEFontRef font = hostsim::MakeFontRef(DejaVuSans());
  ASSERT_EQ(chars->SetFont(cf, font), kNoErr);
  ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
  ATEParaFeaturesRef pf = nullptr;
  ASSERT_EQ(paras->Initialize(&pf), kNoErr);
  ASSERT_EQ(paras->SetJustification(pf, kATECenterJustify), kNoErr);
  ASSERT_EQ(ranges->SetLocalParaFeatures(range, pf), kNoErr);

  AIRealRect b{};
  ASSERT_EQ(art->GetArtBounds(text, &b), kNoErr);
  EXPECT_NEAR(b.left, 100 - 51.457 / 2, 0.01);
  EXPECT_NEAR(b.right, 100 + 51.457 / 2, 0.01);
  const hostsim::TextMetrics m = doc->textEngine().Measure(DejaVuSans(), "x", 12);
  EXPECT_NEAR(b.top, 196 + m.ascender, 1e-3);
  EXPECT_NEAR(b.bottom, 196 + m.descender, 1e-3);

  ASSERT_EQ(paras->SetJustification(pf, kATERightJustify), kNoErr);
  ASSERT_EQ(ranges->SetLocalParaFeatures(range, pf), kNoErr);
  ASSERT_EQ(art->GetArtBounds(text, &b), kNoErr);
  EXPECT_NEAR(b.right, 100, 1e-3);
  EXPECT_EQ(paras->SetJustification(pf, 7), kBadParameterErr);

  hostsim::ReleaseFontRef(font);
  EXPECT_EQ(chars->Release(cf), kNoErr);
  EXPECT_EQ(paras->Release(pf), kNoErr);
  EXPECT_EQ(ranges->Release(range), kNoErr);
}

TEST_F(Texts, FeaturesApplyOnlyWhatWasSet) {
  ATETextRangeRef range = nullptr;
  AIArtHandle text = NewText({0, 0}, "A", &range);
  const hostsim::TextData before = doc->FindArt(reinterpret_cast<std::uintptr_t>(text))->text;
  ATECharFeaturesRef cf = nullptr;
  ASSERT_EQ(chars->Initialize(&cf), kNoErr);
  ASSERT_EQ(chars->SetFontSize(cf, 30), kNoErr);
  ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
  const hostsim::TextData& after = doc->FindArt(reinterpret_cast<std::uintptr_t>(text))->text;
  EXPECT_EQ(after.size, 30);
  EXPECT_EQ(after.font, before.font);
  EXPECT_EQ(after.baselineShift, before.baselineShift);
  EXPECT_EQ(after.fill.kind, before.fill.kind);

  const AIColor red = hostsim::RgbColor(1, 0, 0);
  ATEApplicationPaintRef paint = nullptr;
  ASSERT_EQ(paintConv->CreateATEApplicationPaint(&red, &paint), kNoErr);
  ASSERT_EQ(chars->SetFillColor(cf, paint), kNoErr);
  ASSERT_EQ(paints->Release(paint), kNoErr);
  ASSERT_EQ(ranges->SetLocalCharFeatures(range, cf), kNoErr);
  EXPECT_EQ(after.fill.kind, kThreeColor) << "the features keep the colour after the paint is released";
  EXPECT_EQ(chars->Release(cf), kNoErr);
  EXPECT_EQ(ranges->Release(range), kNoErr);
}

TEST_F(Texts, RangeTextIsReplacedAndReadInTheWindowsEncoding) {
  ATETextRangeRef range = nullptr;
  AIArtHandle text = NewText({0, 0}, "12", &range);
  ASSERT_EQ(ranges->Remove(range), kNoErr);
  ASSERT_EQ(ranges->InsertAfter_AsChar(range, "\x95\xC9t\xE9", 4), kNoErr);
  int32_t size = 0;
  ASSERT_EQ(ranges->GetSize(range, &size), kNoErr);
  EXPECT_EQ(size, 4);
  EXPECT_EQ(doc->FindArt(reinterpret_cast<std::uintptr_t>(text))->text.text, "\u2022\u00C9t\u00E9");
  char buffer[4] = {};
  int32_t length = 0;
  ASSERT_EQ(ranges->GetContents_AsChar(range, buffer, sizeof buffer, &length), kNoErr);
  EXPECT_EQ(length, 3);
  EXPECT_STREQ(buffer, "\x95\xC9t");
  EXPECT_EQ(ranges->InsertAfter_AsChar(range, "x", -1), kBadParameterErr);
  EXPECT_EQ(ranges->Release(range), kNoErr);
}

TEST_F(Texts, ReleasedRefsAndRangesOfDisposedTextsAreRefused) {
  ATETextRangeRef range = nullptr;
  AIArtHandle text = NewText({0, 0}, "A", &range);
  ATETextRangeRef second = nullptr;
  ASSERT_EQ(frames->GetATETextRange(text, &second), kNoErr);
  ASSERT_EQ(art->DisposeArt(text), kNoErr);
  int32_t size = 0;
  EXPECT_EQ(ranges->GetSize(range, &size), kBadParameterErr);
  EXPECT_EQ(ranges->Remove(range), kBadParameterErr);
  EXPECT_EQ(ranges->Release(range), kNoErr) << "the ref itself is still to be released";
  EXPECT_EQ(ranges->Release(range), kBadParameterErr);
  EXPECT_EQ(ranges->Release(second), kNoErr);

  ATECharFeaturesRef cf = nullptr;
  ASSERT_EQ(chars->Initialize(&cf), kNoErr);
  ASSERT_EQ(chars->Release(cf), kNoErr);
  EXPECT_EQ(chars->SetFontSize(cf, 12), kBadParameterErr);
  ASSERT_EQ(chars->Initialize(&cf), kNoErr);
  EXPECT_EQ(chars->SetFont(cf, reinterpret_cast<ATEFontRef>(0x42)), kBadParameterErr);
  EXPECT_EQ(chars->SetFontSize(cf, -1), kBadParameterErr);
  EXPECT_EQ(chars->SetBaselineShift(cf, NAN), kBadParameterErr);
  EXPECT_EQ(chars->Release(cf), kNoErr);

  AIArtHandle path = NewPath(LayerGroup(), {{0, 0}, {1, 1}});
  EXPECT_EQ(frames->GetATETextRange(path, &range), kBadParameterErr) << "a path has no text";
  AIArtHandle vertical = nullptr;
  EXPECT_EQ(frames->NewPointText(kPlaceInsideOnTop, LayerGroup(), kVerticalTextOrientation, {0, 0}, &vertical),
            kBadParameterErr);
}

}  // namespace
}  // namespace doctest
