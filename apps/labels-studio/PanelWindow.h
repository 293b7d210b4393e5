// The plug-in's panel as a floating tool window: its flyout menu behind a
// button at the top right, then the panel's items. The window follows the
// panel's visibility in the host; its close box is the panel's.
#pragma once

#include <QToolButton>
#include <QWidget>

#include "apps/labels-studio/DialogView.h"

namespace studio {

class PanelWindow : public QWidget {
 public:
  PanelWindow(Studio& studio, ADMDialogRef panel, QWidget* parent);

  DialogView& view() { return *view_; }
  ADMDialogRef dialog() const { return view_->dialog(); }
  // The window shown or hidden as the panel is, its items synced, its title the dialog's.
  void Sync();
  QToolButton* flyoutButton() { return flyout_; }
  // Fills the flyout menu from the panel's list (done each time it opens).
  void FillFlyout();
  // Lets the window close without telling the host (the studio is shutting down).
  void Release() { released_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The person moved the window: the panel's bounds follow, so that the
  // plug-in remembers its place.
  void moveEvent(QMoveEvent* event) override;

 private:
  Studio& studio_;
  DialogView* view_;
  QToolButton* flyout_;
  bool released_ = false;
  bool syncing_ = false;
};

}  // namespace studio
