// The host's text engine suites. The plug-in styles its label text through
// TextRange, CharFeatures, ParaFeatures, Font and ApplicationPaint; the other
// suites are held but not called. Refs are released through their suite's
// Release; a released or foreign ref gives kBadParameterErr.
#pragma once

#include "AISuites.h"

// Every text engine suite, in the host's order: X(object name, version).
// The suite's name is "ATE " + object name + " Suite".
#define KPX_ATE_SUITES(X) \
  X(ApplicationPaint, 1) X(CompFont, 1) X(CompFontClass, 1) X(CompFontClassSet, 1) X(CompFontComponent, 1) \
  X(CompFontSet, 1) X(GlyphRun, 1) X(GlyphRunsIterator, 1) X(MojiKumi, 1) X(MojiKumiSet, 1) \
  X(TextFrame, 101) X(TextFramesIterator, 1) X(TextLine, 1) X(TextLinesIterator, 1) X(TextResources, 1) \
  X(ApplicationTextResources, 1) X(DocumentTextResources, 101) \
  X(ArrayApplicationPaintRef, 1) X(ArrayReal, 1) X(ArrayBool, 1) X(ArrayInteger, 1) X(ArrayLineCapType, 1) \
  X(ArrayFigureStyle, 1) X(ArrayLineJoinType, 1) X(ArrayWariChuJustification, 1) X(ArrayStyleRunAlignment, 1) \
  X(ArrayAutoKernType, 1) X(ArrayBaselineDirection, 1) X(ArrayLanguage, 1) X(ArrayFontCapsOption, 1) \
  X(ArrayFontBaselineOption, 1) X(ArrayParagraphJustification, 1) X(ArrayArrayReal, 1) X(ArrayBurasagariType, 1) \
  X(ArrayPreferredKinsokuOrder, 1) X(ArrayKinsokuRef, 1) X(ArrayMojiKumiRef, 1) X(ArrayMojiKumiSetRef, 1) \
  X(ArrayTabStopsRef, 1) X(ArrayLeadingType, 1) X(ArrayFontRef, 1) X(ArrayGlyphID, 1) X(ArrayRealPoint, 1) \
  X(ArrayRealMatrix, 1) \
  X(CharFeatures, 101) X(CharInspector, 101) X(CharStyle, 1) X(CharStyles, 1) X(CharStylesIterator, 1) \
  X(Find, 101) X(Font, 1) X(Glyph, 1) X(Glyphs, 1) X(GlyphsIterator, 1) X(Kinsoku, 1) X(KinsokuSet, 1) \
  X(ParaFeatures, 101) X(Paragraph, 1) X(ParagraphsIterator, 1) X(ParaInspector, 101) X(ParaStyle, 1) \
  X(ParaStyles, 1) X(ParaStylesIterator, 1) X(Spell, 101) X(Stories, 1) X(Story, 1) X(TabStop, 1) \
  X(TabStops, 1) X(TabStopsIterator, 1) X(TextRange, 1) X(TextRanges, 1) X(TextRangesIterator, 1) \
  X(TextRunsIterator, 1) X(WordsIterator, 1)

#define kATETextRangeSuite "ATE TextRange Suite"
#define kATECharFeaturesSuite "ATE CharFeatures Suite"
#define kATEParaFeaturesSuite "ATE ParaFeatures Suite"
#define kATEFontSuite "ATE Font Suite"
#define kATEApplicationPaintSuite "ATE ApplicationPaint Suite"

typedef struct _t_ATECharFeatures* ATECharFeaturesRef;
typedef struct _t_ATEParaFeatures* ATEParaFeaturesRef;

typedef struct ATEUnusedSuite { void* reserved; } ATEUnusedSuite;

enum { kATELeftJustify = 0, kATERightJustify = 1, kATECenterJustify = 2 };

typedef struct ATETextRangeSuite {
  // Gives the range back; its handle is dead after.
  AIErr (*Release)(ATETextRangeRef range);
  // Number of characters in the range.
  AIErr (*GetSize)(ATETextRangeRef range, int32_t* size);
  // Deletes the range's text.
  AIErr (*Remove)(ATETextRangeRef range);
  // Appends length characters (platform encoding) at the end of the range; a length
  // that runs past a terminator in text gives kBadParameterErr.
  AIErr (*InsertAfter_AsChar)(ATETextRangeRef range, const char* text, int32_t length);
  // The range's text (platform encoding) into a buffer of size bytes.
  AIErr (*GetContents_AsChar)(ATETextRangeRef range, char* text, int32_t size, int32_t* length);
  // Applies the set character features to the whole range.
  AIErr (*SetLocalCharFeatures)(ATETextRangeRef range, ATECharFeaturesRef features);
  // Applies the set paragraph features to the whole range.
  AIErr (*SetLocalParaFeatures)(ATETextRangeRef range, ATEParaFeaturesRef features);
} ATETextRangeSuite;

typedef struct ATECharFeaturesSuite {
  // A new, empty set of character features (nothing set).
  AIErr (*Initialize)(ATECharFeaturesRef* features);
  // Gives the features back; their handle is dead after.
  AIErr (*Release)(ATECharFeaturesRef features);
  // The font size in points.
  AIErr (*SetFontSize)(ATECharFeaturesRef features, double size);
  // The baseline shift in points, up positive.
  AIErr (*SetBaselineShift)(ATECharFeaturesRef features, double shift);
  // The font of the characters.
  AIErr (*SetFont)(ATECharFeaturesRef features, ATEFontRef font);
  // The fill of the characters.
  AIErr (*SetFillColor)(ATECharFeaturesRef features, ATEApplicationPaintRef paint);
} ATECharFeaturesSuite;

typedef struct ATEParaFeaturesSuite {
  // *features: new paragraph features with nothing set, owned by the caller until Release.
  AIErr (*Initialize)(ATEParaFeaturesRef* features);
  // Gives the features back; their handle is dead after.
  AIErr (*Release)(ATEParaFeaturesRef features);
  // The paragraph's justification.
  AIErr (*SetJustification)(ATEParaFeaturesRef features, int32_t justification);
} ATEParaFeaturesSuite;

typedef struct ATEFontSuite {
  // Gives the font reference back; its handle is dead after.
  AIErr (*Release)(ATEFontRef font);
} ATEFontSuite;

typedef struct ATEApplicationPaintSuite {
  // Gives the paint back; its handle is dead after.
  AIErr (*Release)(ATEApplicationPaintRef paint);
} ATEApplicationPaintSuite;
