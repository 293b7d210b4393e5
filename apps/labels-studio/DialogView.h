// A toolkit dialog (the panel or a modal dialog) as a Qt widget: the
// dialog's background painted from its display list, and one item widget at
// each item's rectangle. The view holds no state of the dialog's own: Sync
// reads the model again, and items the plug-in made or destroyed come and go.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include <QWidget>

#include "apps/labels-studio/DisplayListPainter.h"
#include "apps/labels-studio/Studio.h"
#include "hostsim/toolkit/DisplayList.h"

namespace studio {

class ItemWidget;

class DialogView : public QWidget {
 public:
  DialogView(Studio& studio, ADMDialogRef dialog, QWidget* parent = nullptr);

  Studio& studio() { return studio_; }
  ADMDialogRef dialog() const { return dialog_; }
  // False once the host has destroyed the dialog.
  bool alive() const;
  // The dialog's size from its bounds.
  QSize DialogSize() const;

  // Brings the item widgets in line with the model.
  void Sync();
  // The host asks for an item (null: every item) to be painted again.
  void Invalidate(ADMItemRef item);
  // What the item drew when the dialog was last painted; the dialog is
  // painted afresh when something changed since. Null when it drew nothing.
  const hostsim::toolkit::DisplayList* ListOf(std::uintptr_t itemHandle);
  const PictureLookup& pictures() const { return pictures_; }

  // Runs one of the person's actions on the dialog, then refreshes every view.
  void Act(const std::function<hostsim::ActionResult()>& action);

  QSize sizeHint() const override { return DialogSize(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const hostsim::toolkit::DialogPicture* Picture();

  Studio& studio_;
  ADMDialogRef dialog_;
  std::map<std::uintptr_t, ItemWidget*> widgets_;  // by item handle; Qt's children
  std::optional<hostsim::toolkit::DialogPicture> picture_;
  bool stale_ = true;
  bool painting_ = false;
  PictureLookup pictures_;
};

}  // namespace studio
