#include "core/PathStyles.h"

#include <cmath>

namespace {

float Unit(float value, float full) {
  const float unit = value / full;
  if (!std::isfinite(unit) || unit < 0) return 0;
  return unit > 1 ? 1 : unit;
}

AIColor NoColor() {
  AIColor none{};
  none.kind = kNoneColor;
  return none;
}

AIStrokeStyle OutlineStroke(const AIColor& color, float width) {
  AIStrokeStyle stroke{};
  stroke.color = color;
  stroke.width = std::isfinite(width) && width > 0 ? width : 0;
  stroke.cap = kAIRoundCap;
  stroke.join = kAIMiterJoin;
  stroke.miterLimit = 10;
  return stroke;
}

}  // namespace

AIColor SettingColor(bool rgb, float redOrGray, float green, float blue) {
  AIColor color{};
  if (rgb) {
    color.kind = kThreeColor;
    color.c.rgb.red = Unit(redOrGray, 255);
    color.c.rgb.green = Unit(green, 255);
    color.c.rgb.blue = Unit(blue, 255);
  } else {
    color.kind = kGrayColor;
    color.c.g.gray = Unit(redOrGray, 100);
  }
  return color;
}

LabelPathStyles MakePathStyles(const AIColor& outline, const AIColor& background, bool filled, float lineWidth) {
  LabelPathStyles styles{};

  styles.line.fillPaint = 0;
  styles.line.fill.color = NoColor();
  styles.line.strokePaint = 1;
  styles.line.stroke = OutlineStroke(outline, lineWidth);

  styles.shape.fillPaint = filled ? 1 : 0;
  styles.shape.fill.color = filled ? background : NoColor();
  styles.shape.strokePaint = 1;
  styles.shape.stroke = OutlineStroke(outline, lineWidth);

  styles.solidHead.fillPaint = 1;
  styles.solidHead.fill.color = outline;
  styles.solidHead.strokePaint = 0;
  styles.solidHead.stroke = OutlineStroke(NoColor(), 0);
  return styles;
}

AIColor OutlineColor(const State& g) { return SettingColor(g.RVBC != 0, g.RougeGrisC, g.VertC, g.BleuC); }

AIColor BackgroundColor(const State& g) { return SettingColor(g.RVBF != 0, g.RougeGrisF, g.VertF, g.BleuF); }

void UpdatePathStyles() {
  State& g = *gState;
  const LabelPathStyles styles = MakePathStyles(OutlineColor(g), BackgroundColor(g), g.Fond != 0, g.LineWidthInForce);
  g.LineStyle = styles.line;
  g.ShapeStyle = styles.shape;
  g.SolidHeadStyle = styles.solidHead;
}
