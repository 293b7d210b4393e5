#include "apps/labels-studio/PanelWindow.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace studio {

PanelWindow::PanelWindow(Studio& studio, ADMDialogRef panel, QWidget* parent)
    : QWidget(parent, Qt::Tool), studio_(studio) {
  setObjectName("panelWindow");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* header = new QHBoxLayout();
  header->setContentsMargins(2, 2, 2, 2);
  header->addStretch(1);
  flyout_ = new QToolButton(this);
  flyout_->setObjectName("flyout");
  flyout_->setText(QString::fromUtf8("\u2261"));
  flyout_->setToolTip("Panel menu");
  flyout_->setPopupMode(QToolButton::InstantPopup);
  flyout_->setAutoRaise(true);
  auto* menu = new QMenu(flyout_);
  flyout_->setMenu(menu);
  connect(menu, &QMenu::aboutToShow, this, &PanelWindow::FillFlyout);
  header->addWidget(flyout_);
  layout->addLayout(header);
  view_ = new DialogView(studio, panel, this);
  layout->addWidget(view_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Sync();
}

void PanelWindow::FillFlyout() {
  QMenu* menu = flyout_->menu();
  menu->clear();
  hostsim::toolkit::Item* flyout = studio_.host.dialogs().ItemById(dialog(), kADMMenuItemID);
  if (flyout == nullptr || !flyout->list) return;
  const auto& entries = flyout->list->entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const hostsim::toolkit::Entry& e = entries[i];
    if (e.separator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromStdString(e.text));
    action->setEnabled(e.enabled);
    action->setCheckable(e.checked);
    action->setChecked(e.checked);
    const auto position = static_cast<int32_t>(i);
    connect(action, &QAction::triggered, this, [this, position] {
      view_->Act([this, position] { return studio_.user.FlyoutPick(position); });
    });
  }
}

void PanelWindow::Sync() {
  const hostsim::toolkit::Dialog* d = studio_.host.dialogs().Find(dialog());
  if (d == nullptr) {
    hide();
    return;
  }
  syncing_ = true;
  view_->Sync();
  const QString title = QString::fromStdString(d->title.empty() ? d->name : d->title);
  if (windowTitle() != title) setWindowTitle(title);
  if (d->visible && !isVisible()) {
    move(d->bounds.left, d->bounds.top);
    show();
  } else if (!d->visible && isVisible()) {
    hide();
  }
  syncing_ = false;
}

void PanelWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (syncing_ || released_ || !isVisible()) return;
  const QPoint at = pos();
  view_->Act([this, at] { return studio_.user.MovePanel(at.x(), at.y()); });
}

void PanelWindow::closeEvent(QCloseEvent* event) {
  if (released_) {
    event->accept();
    return;
  }
  // The panel's close box: the plug-in decides, the window follows the panel.
  event->ignore();
  view_->Act([this] { return studio_.user.CloseBox(); });
}

}  // namespace studio
