#include "hostsim/toolkit/Item.h"

#include <algorithm>

#include "hostsim/toolkit/Units.h"

namespace hostsim::toolkit {

bool Item::Numeric() const {
  const KindInfo& k = info();
  return k.spinEdit || kind == ItemKind::Slider || (k.textEdit && (style & kADMNumericEditStyle) != 0);
}

bool Item::ShowsValueAsText() const {
  const KindInfo& k = info();
  return Numeric() || k.textEdit || k.textStatic;
}

double Clamp(const Item& item, double value) {
  if (item.min && value < *item.min) value = *item.min;
  if (item.max && value > *item.max) value = *item.max;
  return value;
}

std::string FormatText(const Item& item) {
  const bool unit = item.showUnits && item.units != kADMNoUnits;
  return FormatValue(item.value, item.units, item.precision, unit, item.maxTextLength).value_or(std::string());
}

void ApplyValue(Item& item, double value) {
  item.value = Clamp(item, value);
  item.valueFromText = false;
  if (item.ShowsValueAsText()) {
    item.valueShown = true;
    item.text = FormatText(item);
    const auto length = static_cast<int32_t>(CharCount(item.text));
    item.selectionStart = std::min(item.selectionStart, length);
    item.selectionEnd = std::min(item.selectionEnd, length);
  }
}

void Reformat(Item& item) {
  if (item.valueFromText) return;
  if (item.Numeric() || item.valueShown) {
    ApplyValue(item, item.value);
  } else {
    item.value = Clamp(item, item.value);
  }
}

bool ApplyText(Item& item, std::string_view utf8) {
  if (item.Numeric()) {
    const std::optional<double> parsed = ParseValue(utf8, item.units);
    if (!parsed) return false;
    ApplyValue(item, *parsed);
    return true;
  }
  item.text = CutChars(utf8, static_cast<std::size_t>(item.maxTextLength));
  item.valueFromText = true;
  const auto length = static_cast<int32_t>(CharCount(item.text));
  item.selectionStart = std::min(item.selectionStart, length);
  item.selectionEnd = std::min(item.selectionEnd, length);
  return true;
}

double CurrentValue(const Item& item) {
  if (!item.valueFromText) return item.value;
  return Clamp(item, ParseValue(item.text, item.units).value_or(0.0));
}

std::string ShownText(const Item& item) {
  if ((item.kind == ItemKind::PopupList || item.kind == ItemKind::ScrollingPopupList) && item.list) {
    if (auto selected = item.list->SelectedIndex()) return item.list->at(*selected).text;
    return std::string();
  }
  return item.text;
}

}  // namespace hostsim::toolkit
