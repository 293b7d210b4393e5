// The magnet test taken literally: every path of the document, every anchor
// through the host's closeness test, every segment sampled at t = 0, 0.01 ...
// 0.99 through the host's Bezier evaluation. It changes nothing and sets no
// cursor; it reports what it found, so that tests and benchmarks can hold the
// plug-in's own test against it.
#pragma once

#include "host/AISuites.h"
#include "host/SPBasic.h"

namespace magnet_reference {

enum class Found { Nothing, Anchor, LabelLine, Straight, Curve };

struct Result {
  Found found = Found::Nothing;
  AIArtHandle path = nullptr;
  int anchor = -1;   // the anchor snapped to, or the first anchor of the segment
  int sample = -1;   // k of the first sample within reach (t = k / 100); -1 for an anchor
  AIPathSegment a{}, b{};  // the anchor, or both ends of the segment
  int cursor = 0;    // the cursor the plug-in would show; 0 for nothing
};

// The host suites the literal test calls.
struct Suites {
  SPBasicSuite* basic = nullptr;
  const AIMatchingArtSuite* matching = nullptr;
  const AIArtSuite* art = nullptr;
  const AILayerSuite* layer = nullptr;
  const AIPathSuite* path = nullptr;
  const AITagSuite* tag = nullptr;
  const AIRealMathSuite* math = nullptr;
  const AIRealBezierSuite* bezier = nullptr;
  const AIDocumentViewSuite* view = nullptr;
};

// Acquires every suite above through the basic suite; false when one is missing.
bool Acquire(SPBasicSuite* basic, Suites& out);
void Release(const Suites& suites);

// Every segment sampled, or (the tool's first walk, kept as a second
// reference for speed) only segments whose control points' box, grown by the
// reach, holds the cursor.
enum class Walk { EverySample, SkippingFarBoxes };

// The test at the cursor, with the magnet on (`on`) and the tolerance in
// screen units; the zoom comes from the host's view.
Result Run(const Suites& suites, AIRealPoint cursor, float tolerance, bool on = true, Walk walk = Walk::EverySample);

}  // namespace magnet_reference
