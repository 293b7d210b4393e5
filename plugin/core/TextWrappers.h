// Thin owners of the text engine's refs: each releases its ref when it goes
// out of scope, so an early return never leaks one. Every call returns the
// host's code; a wrapper whose ref could not be made answers kBadParameterErr.
#pragma once

#include "host/ATESuites.h"

class TextFont {
 public:
  // The text engine's font for the host's font at `index` of its font list.
  explicit TextFont(int32_t index);
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;
  ATEFontRef ref() const { return ref_; }
  ASErr status() const { return status_; }

 private:
  ATEFontRef ref_ = nullptr;
  ASErr status_ = kBadParameterErr;
};

class TextPaint {
 public:
  explicit TextPaint(const AIColor& color);
  ~TextPaint();
  TextPaint(const TextPaint&) = delete;
  TextPaint& operator=(const TextPaint&) = delete;
  ATEApplicationPaintRef ref() const { return ref_; }
  ASErr status() const { return status_; }

 private:
  ATEApplicationPaintRef ref_ = nullptr;
  ASErr status_ = kBadParameterErr;
};

class CharFeatures {
 public:
  CharFeatures();
  ~CharFeatures();
  CharFeatures(const CharFeatures&) = delete;
  CharFeatures& operator=(const CharFeatures&) = delete;
  ATECharFeaturesRef ref() const { return ref_; }
  ASErr SetFontSize(double size);
  ASErr SetBaselineShift(double shift);
  ASErr SetFont(const TextFont& font);
  ASErr SetFillColor(const TextPaint& paint);

 private:
  ATECharFeaturesRef ref_ = nullptr;
};

class ParaFeatures {
 public:
  ParaFeatures();
  ~ParaFeatures();
  ParaFeatures(const ParaFeatures&) = delete;
  ParaFeatures& operator=(const ParaFeatures&) = delete;
  ATEParaFeaturesRef ref() const { return ref_; }
  ASErr SetJustification(int32_t justification);

 private:
  ATEParaFeaturesRef ref_ = nullptr;
};

class TextRange {
 public:
  // The whole text of a point text.
  explicit TextRange(AIArtHandle textFrame);
  ~TextRange();
  TextRange(const TextRange&) = delete;
  TextRange& operator=(const TextRange&) = delete;
  ASErr status() const { return status_; }
  ASErr Remove();
  ASErr InsertAfter(const char* text, int32_t length);
  ASErr SetLocalCharFeatures(const CharFeatures& features);
  ASErr SetLocalParaFeatures(const ParaFeatures& features);

 private:
  ATETextRangeRef ref_ = nullptr;
  ASErr status_ = kBadParameterErr;
};
