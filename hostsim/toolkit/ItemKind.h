// The kinds of dialog items and what each kind is made of.
#pragma once

#include <optional>
#include <string_view>

namespace hostsim::toolkit {

enum class ItemKind {
  Frame,
  PictureCheckBox,
  PicturePushButton,
  PictureRadioButton,
  PictureStatic,
  PopupList,
  PopupMenu,
  ScrollingPopupList,
  Slider,
  SpinEdit,
  SpinEditPopup,
  SpinEditScrollingPopup,
  TextCheckBox,
  TextEdit,
  TextEditMultiLine,
  TextEditPopup,
  TextEditScrollingPopup,
  TextPushButton,
  TextRadioButton,
  TextStatic,
  TextStaticMultiLine,
  User,
};

struct KindInfo {
  ItemKind kind;
  const char* typeName;    // the kADM...Type string
  const char* shortName;   // how the dump names it
  bool hasList;            // popups and menus
  bool spinEdit;           // numeric field with arrows (and maybe a list)
  bool textEdit;           // the user types into it
  bool pushButton;
  bool checkBox;
  bool radioButton;
  bool textStatic;
  bool picture;            // shows its picture ids
};

const KindInfo& Info(ItemKind kind);
// The kind of a kADM...Type name.
std::optional<ItemKind> KindOfType(std::string_view typeName);

}  // namespace hostsim::toolkit
