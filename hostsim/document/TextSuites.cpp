// Point texts and the text engine's refs: the Text Frame and AIATE Paint
// suites, and the ATE TextRange, CharFeatures, ParaFeatures and
// ApplicationPaint suites. A text range names a whole point text; features
// carry only what was set on them and apply only that.
#include <cstring>

#include "host/ATESuites.h"
#include "hostsim/Encoding.h"
#include "hostsim/FontList.h"
#include "hostsim/FontRefs.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kFrame = "AI Text Frame Suite";
constexpr const char* kPaint = "AIATE Paint Suite";
constexpr const char* kRange = kATETextRangeSuite;
constexpr const char* kChar = kATECharFeaturesSuite;
constexpr const char* kPara = kATEParaFeaturesSuite;
constexpr const char* kAppPaint = kATEApplicationPaintSuite;

// --- Text Frame ------------------------------------------------------------------

AIErr NewPointText(int16_t paintOrder, AIArtHandle prep, int32_t orientation, AIRealPoint anchor,
                   AIArtHandle* newText) {
  return Run(kFrame, "NewPointText", [&](Document& doc) -> AIErr {
    // Vertical text is not supported by this host.
    if (!newText || orientation != kHorizontalTextOrientation || !Finite(anchor.h) || !Finite(anchor.v)) {
      return kBadParameterErr;
    }
    if (prep && !ArtToChange(doc, prep)) return kBadParameterErr;
    ObjectId id = 0;
    const AIErr err = doc.NewArt(ArtKind::Text, paintOrder, IdOf(prep), &id);
    if (err != kNoErr) return err;
    doc.FindArt(id)->text.anchor = anchor;
    doc.ArtChanged(id);
    *newText = HandleOf<AIArtHandle>(id);
    return kNoErr;
  });
}

AIErr GetATETextRange(AIArtHandle text, ATETextRangeRef* range) {
  return Run(kFrame, "GetATETextRange", [&](Document& doc) -> AIErr {
    const Art* art = FindArt(doc, text, ArtKind::Text);
    if (!art || !range) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.textRanges[ref] = art->id;
    *range = HandleOf<ATETextRangeRef>(ref);
    return kNoErr;
  });
}

AIErr GetPointTextAnchor(AIArtHandle text, AIRealPoint* anchor) {
  return Run(kFrame, "GetPointTextAnchor", [&](Document& doc) -> AIErr {
    const Art* art = FindArt(doc, text, ArtKind::Text);
    if (!art || !anchor) return kBadParameterErr;
    *anchor = art->text.anchor;
    return kNoErr;
  });
}

const AITextFrameSuite kTextFrameSuiteTable = {NewPointText, GetATETextRange, GetPointTextAnchor};

// --- AIATE Paint -----------------------------------------------------------------

AIErr CreateATEApplicationPaint(const AIColor* color, ATEApplicationPaintRef* paint) {
  return Run(kPaint, "CreateATEApplicationPaint", [&](Document& doc) -> AIErr {
    if (!color || !paint || !ValidColor(*color)) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.paints[ref] = *color;
    *paint = HandleOf<ATEApplicationPaintRef>(ref);
    return kNoErr;
  });
}

const AIATEPaintSuite kAIATEPaintSuiteTable = {CreateATEApplicationPaint};

AIErr ReleasePaint(ATEApplicationPaintRef paint) {
  return Run(kAppPaint, "Release",
             [&](Document& doc) -> AIErr { return doc.paints.erase(IdOf(paint)) ? kNoErr : kBadParameterErr; });
}

const ATEApplicationPaintSuite kApplicationPaintSuiteTable = {ReleasePaint};

// --- TextRange -------------------------------------------------------------------

// The text a live range names; null for a released range or a disposed text.
TextData* RangeText(Document& doc, ATETextRangeRef range) {
  const auto it = doc.textRanges.find(IdOf(range));
  if (it == doc.textRanges.end()) return nullptr;
  Art* art = doc.FindArt(it->second);
  if (art == nullptr || art->kind != ArtKind::Text) return nullptr;
  doc.ArtChanged(art->id);  // the caller may change the text, its size or its font
  return &art->text;
}

AIErr ReleaseRange(ATETextRangeRef range) {
  return Run(kRange, "Release",
             [&](Document& doc) -> AIErr { return doc.textRanges.erase(IdOf(range)) ? kNoErr : kBadParameterErr; });
}

AIErr GetSize(ATETextRangeRef range, int32_t* size) {
  return Run(kRange, "GetSize", [&](Document& doc) -> AIErr {
    const TextData* text = RangeText(doc, range);
    if (!text || !size) return kBadParameterErr;
    *size = static_cast<int32_t>(Utf8ToCp1252(text->text).size());
    return kNoErr;
  });
}

AIErr Remove(ATETextRangeRef range) {
  return Run(kRange, "Remove", [&](Document& doc) -> AIErr {
    TextData* text = RangeText(doc, range);
    if (!text) return kBadParameterErr;
    text->text.clear();
    return kNoErr;
  });
}

AIErr InsertAfter_AsChar(ATETextRangeRef range, const char* chars, int32_t length) {
  return Run(kRange, "InsertAfter_AsChar", [&](Document& doc) -> AIErr {
    TextData* text = RangeText(doc, range);
    if (!text || length < 0 || (length > 0 && !chars)) return kBadParameterErr;
    // A length running past the string's terminator would read beyond the caller's text.
    if (length > 0 && std::memchr(chars, '\0', static_cast<std::size_t>(length))) return kBadParameterErr;
    text->text += Cp1252ToUtf8(std::string_view(chars ? chars : "", static_cast<std::size_t>(length)));
    return kNoErr;
  });
}

AIErr GetContents_AsChar(ATETextRangeRef range, char* chars, int32_t size, int32_t* length) {
  return Run(kRange, "GetContents_AsChar", [&](Document& doc) -> AIErr {
    const TextData* text = RangeText(doc, range);
    if (!text || !chars || size < 1) return kBadParameterErr;
    const std::string cp = Utf8ToCp1252(text->text);
    CopyTruncated(cp, chars, size);
    if (length) *length = static_cast<int32_t>(std::min<std::size_t>(cp.size(), static_cast<std::size_t>(size - 1)));
    return kNoErr;
  });
}

AIErr SetLocalCharFeatures(ATETextRangeRef range, ATECharFeaturesRef features) {
  return Run(kRange, "SetLocalCharFeatures", [&](Document& doc) -> AIErr {
    TextData* text = RangeText(doc, range);
    const auto it = doc.charFeatures.find(IdOf(features));
    if (!text || it == doc.charFeatures.end()) return kBadParameterErr;
    const CharFeatures& f = it->second;
    if (f.size) text->size = *f.size;
    if (f.baselineShift) text->baselineShift = *f.baselineShift;
    if (f.font) text->font = *f.font;
    if (f.fill) text->fill = *f.fill;
    return kNoErr;
  });
}

AIErr SetLocalParaFeatures(ATETextRangeRef range, ATEParaFeaturesRef features) {
  return Run(kRange, "SetLocalParaFeatures", [&](Document& doc) -> AIErr {
    TextData* text = RangeText(doc, range);
    const auto it = doc.paraFeatures.find(IdOf(features));
    if (!text || it == doc.paraFeatures.end()) return kBadParameterErr;
    if (it->second.justification) text->justification = *it->second.justification;
    return kNoErr;
  });
}

const ATETextRangeSuite kTextRangeSuiteTable = {
    ReleaseRange, GetSize, Remove, InsertAfter_AsChar, GetContents_AsChar, SetLocalCharFeatures, SetLocalParaFeatures,
};

// --- CharFeatures and ParaFeatures ---------------------------------------------------

template <class Body>
AIErr WithChar(const char* op, ATECharFeaturesRef features, Body&& body) {
  return Run(kChar, op, [&](Document& doc) -> AIErr {
    const auto it = doc.charFeatures.find(IdOf(features));
    return it == doc.charFeatures.end() ? kBadParameterErr : body(doc, it->second);
  });
}

AIErr InitializeChar(ATECharFeaturesRef* features) {
  return Run(kChar, "Initialize", [&](Document& doc) -> AIErr {
    if (!features) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.charFeatures[ref] = CharFeatures{};
    *features = HandleOf<ATECharFeaturesRef>(ref);
    return kNoErr;
  });
}

AIErr ReleaseChar(ATECharFeaturesRef features) {
  return Run(kChar, "Release",
             [&](Document& doc) -> AIErr {
               return doc.charFeatures.erase(IdOf(features)) ? kNoErr : kBadParameterErr;
             });
}

AIErr SetFontSize(ATECharFeaturesRef features, double size) {
  return WithChar("SetFontSize", features, [&](Document&, CharFeatures& f) -> AIErr {
    if (!Finite(size) || size <= 0) return kBadParameterErr;
    f.size = size;
    return kNoErr;
  });
}

AIErr SetBaselineShift(ATECharFeaturesRef features, double shift) {
  return WithChar("SetBaselineShift", features, [&](Document&, CharFeatures& f) -> AIErr {
    if (!Finite(shift)) return kBadParameterErr;
    f.baselineShift = shift;
    return kNoErr;
  });
}

AIErr SetFont(ATECharFeaturesRef features, ATEFontRef font) {
  return WithChar("SetFont", features, [&](Document& doc, CharFeatures& f) -> AIErr {
    const auto index = FontIndexFromRef(font);
    if (!index || *index >= doc.fonts().size()) return kBadParameterErr;
    f.font = *index;
    return kNoErr;
  });
}

AIErr SetFillColor(ATECharFeaturesRef features, ATEApplicationPaintRef paint) {
  return WithChar("SetFillColor", features, [&](Document& doc, CharFeatures& f) -> AIErr {
    const auto it = doc.paints.find(IdOf(paint));
    if (it == doc.paints.end()) return kBadParameterErr;
    f.fill = it->second;
    return kNoErr;
  });
}

const ATECharFeaturesSuite kCharFeaturesSuiteTable = {
    InitializeChar, ReleaseChar, SetFontSize, SetBaselineShift, SetFont, SetFillColor,
};

AIErr InitializePara(ATEParaFeaturesRef* features) {
  return Run(kPara, "Initialize", [&](Document& doc) -> AIErr {
    if (!features) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.paraFeatures[ref] = ParaFeatures{};
    *features = HandleOf<ATEParaFeaturesRef>(ref);
    return kNoErr;
  });
}

AIErr ReleasePara(ATEParaFeaturesRef features) {
  return Run(kPara, "Release",
             [&](Document& doc) -> AIErr {
               return doc.paraFeatures.erase(IdOf(features)) ? kNoErr : kBadParameterErr;
             });
}

AIErr SetJustification(ATEParaFeaturesRef features, int32_t justification) {
  return Run(kPara, "SetJustification", [&](Document& doc) -> AIErr {
    const auto it = doc.paraFeatures.find(IdOf(features));
    if (it == doc.paraFeatures.end()) return kBadParameterErr;
    if (justification != kATELeftJustify && justification != kATERightJustify && justification != kATECenterJustify) {
      return kBadParameterErr;
    }
    it->second.justification = justification;
    return kNoErr;
  });
}

const ATEParaFeaturesSuite kParaFeaturesSuiteTable = {InitializePara, ReleasePara, SetJustification};

}  // namespace

void RegisterTextSuites(SuiteRegistry& registry) {
  registry.Add(kAITextFrameSuite, kAITextFrameSuiteVersion, &kTextFrameSuiteTable);
  registry.Add(kAIATEPaintSuite, kAIATEPaintSuiteVersion, &kAIATEPaintSuiteTable);
  registry.Add(kATETextRangeSuite, 1, &kTextRangeSuiteTable);
  registry.Add(kATECharFeaturesSuite, 101, &kCharFeaturesSuiteTable);
  registry.Add(kATEParaFeaturesSuite, 101, &kParaFeaturesSuiteTable);
  registry.Add(kATEApplicationPaintSuite, 1, &kApplicationPaintSuiteTable);
}

}  // namespace hostsim
