#include "core/TextWrappers.h"

#include "core/HostCode.h"
#include "core/Suites.h"

TextFont::TextFont(int32_t index) {
  AIFontKey key = nullptr;
  status_ = sAIFont->IndexFontList(index, &key);
  if (status_ == kNoErr) status_ = sAIFont->FontFromFontKey(key, &ref_);
  if (status_ != kNoErr) ref_ = nullptr;
}
TextFont::~TextFont() {
  if (ref_ != nullptr) Ignore(sATEFont->Release(ref_), Why::Cleanup);
}

TextPaint::TextPaint(const AIColor& color) {
  status_ = sAIATEPaint->CreateATEApplicationPaint(&color, &ref_);
  if (status_ != kNoErr) ref_ = nullptr;
}
TextPaint::~TextPaint() {
  if (ref_ != nullptr) Ignore(sATEApplicationPaint->Release(ref_), Why::Cleanup);
}

CharFeatures::CharFeatures() {
  if (sATECharFeatures->Initialize(&ref_) != kNoErr) ref_ = nullptr;
}
CharFeatures::~CharFeatures() {
  if (ref_ != nullptr) Ignore(sATECharFeatures->Release(ref_), Why::Cleanup);
}
ASErr CharFeatures::SetFontSize(double size) { return sATECharFeatures->SetFontSize(ref_, size); }
ASErr CharFeatures::SetBaselineShift(double shift) { return sATECharFeatures->SetBaselineShift(ref_, shift); }
ASErr CharFeatures::SetFont(const TextFont& font) { return sATECharFeatures->SetFont(ref_, font.ref()); }
ASErr CharFeatures::SetFillColor(const TextPaint& paint) { return sATECharFeatures->SetFillColor(ref_, paint.ref()); }

ParaFeatures::ParaFeatures() {
  if (sATEParaFeatures->Initialize(&ref_) != kNoErr) ref_ = nullptr;
}
ParaFeatures::~ParaFeatures() {
  if (ref_ != nullptr) Ignore(sATEParaFeatures->Release(ref_), Why::Cleanup);
}
ASErr ParaFeatures::SetJustification(int32_t justification) {
  return sATEParaFeatures->SetJustification(ref_, justification);
}

TextRange::TextRange(AIArtHandle textFrame) {
  status_ = sAITextFrame->GetATETextRange(textFrame, &ref_);
  if (status_ != kNoErr) ref_ = nullptr;
}
TextRange::~TextRange() {
  if (ref_ != nullptr) Ignore(sATETextRange->Release(ref_), Why::Cleanup);
}
ASErr TextRange::Remove() { return sATETextRange->Remove(ref_); }
ASErr TextRange::InsertAfter(const char* text, int32_t length) {
  return sATETextRange->InsertAfter_AsChar(ref_, text, length);
}
ASErr TextRange::SetLocalCharFeatures(const CharFeatures& features) {
  return sATETextRange->SetLocalCharFeatures(ref_, features.ref());
}
ASErr TextRange::SetLocalParaFeatures(const ParaFeatures& features) {
  return sATETextRange->SetLocalParaFeatures(ref_, features.ref());
}
