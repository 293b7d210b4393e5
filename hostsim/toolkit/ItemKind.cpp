#include "hostsim/toolkit/ItemKind.h"

#include <cstddef>
#include <iterator>

#include "host/ADMSuites.h"

namespace hostsim::toolkit {
namespace {

// kind, type name, dump name, then: list, spin, edit, push, check, radio, static, picture
constexpr KindInfo kKinds[] = {
    {ItemKind::Frame, kADMFrameType, "frame", false, false, false, false, false, false, false, false},
    {ItemKind::PictureCheckBox, kADMPictureCheckBoxType, "picture check box", false, false, false, false, true, false, false, true},
    {ItemKind::PicturePushButton, kADMPicturePushButtonType, "picture push button", false, false, false, true, false, false, false, true},
    {ItemKind::PictureRadioButton, kADMPictureRadioButtonType, "picture radio button", false, false, false, false, false, true, false, true},
    {ItemKind::PictureStatic, kADMPictureStaticType, "picture static", false, false, false, false, false, false, false, true},
    {ItemKind::PopupList, kADMPopupListType, "popup list", true, false, false, false, false, false, false, false},
    {ItemKind::PopupMenu, kADMPopupMenuType, "popup menu", true, false, false, false, false, false, false, false},
    {ItemKind::ScrollingPopupList, kADMScrollingPopupListType, "scrolling popup list", true, false, false, false, false, false, false, false},
    {ItemKind::Slider, kADMSliderType, "slider", false, false, false, false, false, false, false, false},
    {ItemKind::SpinEdit, kADMSpinEditType, "spin edit", false, true, false, false, false, false, false, false},
    {ItemKind::SpinEditPopup, kADMSpinEditPopupType, "spin edit popup", true, true, false, false, false, false, false, false},
    {ItemKind::SpinEditScrollingPopup, kADMSpinEditScrollingPopupType, "spin edit scrolling popup", true, true, false, false, false, false, false, false},
    {ItemKind::TextCheckBox, kADMTextCheckBoxType, "check box", false, false, false, false, true, false, false, false},
    {ItemKind::TextEdit, kADMTextEditType, "text edit", false, false, true, false, false, false, false, false},
    {ItemKind::TextEditMultiLine, kADMTextEditMultiLineType, "text edit multi line", false, false, true, false, false, false, false, false},
    {ItemKind::TextEditPopup, kADMTextEditPopupType, "text edit popup", true, false, true, false, false, false, false, false},
    {ItemKind::TextEditScrollingPopup, kADMTextEditScrollingPopupType, "text edit scrolling popup", true, false, true, false, false, false, false, false},
    {ItemKind::TextPushButton, kADMTextPushButtonType, "text push button", false, false, false, true, false, false, false, false},
    {ItemKind::TextRadioButton, kADMTextRadioButtonType, "radio button", false, false, false, false, false, true, false, false},
    {ItemKind::TextStatic, kADMTextStaticType, "static text", false, false, false, false, false, false, true, false},
    {ItemKind::TextStaticMultiLine, kADMTextStaticMultiLineType, "static text multi line", false, false, false, false, false, false, true, false},
    {ItemKind::User, kADMUserType, "user", false, false, false, false, false, false, false, false},
};

// The table is in the order of the enumeration, so a kind is its own index.
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kKinds lists the item kinds in the order of ItemKind");

}  // namespace

const KindInfo& Info(ItemKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(kKinds) ? kKinds[index] : kKinds[0];
}

std::optional<ItemKind> KindOfType(std::string_view typeName) {
  for (const KindInfo& k : kKinds) {
    if (typeName == k.typeName) return k.kind;
  }
  return std::nullopt;
}

}  // namespace hostsim::toolkit
