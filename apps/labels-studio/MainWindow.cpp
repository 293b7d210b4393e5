#include "apps/labels-studio/MainWindow.h"

// [SECTION] index
//   The host's screen (the front end the host calls)
//   Window, menus and toolbox
//   Files (MainWindowFiles.cpp)
//   First start
//   Edit commands
//   Refresh
//   The host's screen: modal loops, alerts, cursors, tones, Info
//   Keys and closing

#include <fstream>
#include <iostream>
#include <sstream>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "apps/labels-studio/Artboard.h"
#include "apps/labels-studio/Cursors.h"
#include "apps/labels-studio/DialogView.h"
#include "apps/labels-studio/PanelWindow.h"
#include "apps/labels-studio/Recovery.h"
#include "host/PluginExports.h"
#include "host/Platform.h"
#include "hostsim/SafeFile.h"

namespace studio {
namespace {

// -----------------------------------------------------------------------------
// [SECTION] The host's screen (the front end the host calls)

class WindowFrontEnd : public hostsim::FrontEnd {
 public:
  explicit WindowFrontEnd(MainWindow& window) : window_(window) {}
  void RunModal(hostsim::Host&, ADMDialogRef dialog) override { window_.RunModal(dialog); }
  int32_t ShowAlert(const hostsim::AlertRequest& alert) override { return window_.ShowAlert(alert); }
  void SetCursor(int32_t cursorId) override { window_.SetPluginCursor(cursorId); }
  void Tone(uint32_t hz, uint32_t ms) override { window_.Tone(hz, ms); }
  void Redraw(ADMDialogRef dialog, ADMItemRef item) override { window_.Redraw(dialog, item); }
  void ShowInfo(const hostsim::InfoValues& info) override { window_.ShowInfo(info); }

 private:
  MainWindow& window_;
};

std::optional<int> VirtualKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Space: return VK_SPACE;
    default: return std::nullopt;
  }
}

}  // namespace

// -----------------------------------------------------------------------------
// [SECTION] Window, menus and toolbox

MainWindow::MainWindow(const StudioOptions& options) {
  hostsim::HostOptions hostOptions;
  hostOptions.prefsFile = options.prefsFile;
  hostOptions.pluginFile = options.pluginFile;
  host_ = std::make_unique<hostsim::Host>(hostOptions);
  user_ = std::make_unique<hostsim::UserActions>(*host_);
  studio_ = std::make_unique<Studio>(Studio{*host_, *user_, [this] { Refresh(); }});
  host_->SetFrontEnd(std::make_unique<WindowFrontEnd>(*this));

  setObjectName("mainWindow");
  setWindowTitle("Labels Studio");
  artboard_ = new Artboard(*studio_, this);
  artboard_->setObjectName("artboard");
  setCentralWidget(artboard_);
  artboard_->onToolStep = [this] { NoteLabelMade(); };
  hint_ = new QLabel(QString::fromUtf8(kFirstStartHint), this);
  hint_->setObjectName("hint");
  statusBar()->addWidget(hint_);
  hint_->setVisible(!std::filesystem::exists(StateFolder() / kTaughtMarker));
  info_ = new QLabel(this);
  info_->setObjectName("info");
  statusBar()->addPermanentWidget(info_, 1);
  BuildMenus();
  BuildToolbox();
  resize(1000, 760);
  qApp->installEventFilter(this);
  recoveryTimer_ = new QTimer(this);
  recoveryTimer_->setInterval(kRecoveryIntervalMs);
  connect(recoveryTimer_, &QTimer::timeout, this, [this] { WriteRecoveryCopyNow(); });
  recoveryTimer_->start();
  DrawingIsNow({});
  if (!options.openFile.empty()) {
    std::string problem;
    if (!OpenSvgFrom(options.openFile, &problem)) Report(problem);
  }
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  ShutDown();
}

bool MainWindow::Launch(std::string* problem) {
  const ASErr code = host_->Launch();
  std::string messages;
  for (const std::string& m : host_->TakeMessages()) messages += m + "\n";
  if (!host_->launched()) {
    *problem = messages.empty() ? "the plug-in did not start (code " + std::to_string(code) + ")" : messages;
    return false;
  }
  if (!messages.empty()) Report(messages);
  // The plug-in's tool, with its icon and tooltip, once it has registered it.
  for (const hostsim::Tool& tool : host_->tools().tools()) {
    if (!tool.plugin) continue;
    pluginTool_->setText(QString::fromStdString(tool.title));
    pluginTool_->setToolTip(QString::fromStdString(tool.tooltip));
    const hostsim::Icon* icon = host_->icons().Find(tool.icon);
    const auto png = icon != nullptr ? host_->PluginResource(kPictureResource, icon->resourceId) : std::nullopt;
    QPixmap pixmap;
    if (png && pixmap.loadFromData(reinterpret_cast<const uchar*>(png->data()), static_cast<uint>(png->size()), "PNG")) {
      pluginTool_->setIcon(QIcon(pixmap));
    }
    pluginTool_->setEnabled(true);
    break;
  }
  Refresh();
  return true;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("menuFile");
  file->addAction("&New", QKeySequence::New, this, [this] { NewCommand(); })->setObjectName("actionNew");
  file->addAction("&Open…", QKeySequence::Open, this, [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open", QString(), "SVG drawings (*.svg)");
    if (!name.isEmpty()) OpenCommand(name.toStdString());
  })->setObjectName("actionOpen");
  recentMenu_ = file->addMenu("Open &Recent");
  recentMenu_->setObjectName("menuRecent");
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  FillRecentMenu();
  file->addSeparator();
  file->addAction("&Save", QKeySequence::Save, this, [this] { SaveCommand(); })->setObjectName("actionSave");
  file->addAction("Save &As…", QKeySequence::SaveAs, this, [this] { SaveAsCommand(); })->setObjectName("actionSaveAs");
  file->addAction("Re&vert", this, [this] { RevertCommand(); })->setObjectName("actionRevert");
  file->addSeparator();
  file->addAction("&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), this, [this] { close(); })->setObjectName("actionQuit");

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("menuEdit");
  undo_ = edit->addAction("&Undo", this, [this] { UndoCommand(); });
  undo_->setObjectName("actionUndo");
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = edit->addAction("&Redo", this, [this] { RedoCommand(); });
  redo_->setObjectName("actionRedo");
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addSeparator();
  edit->addAction("Select &All", QKeySequence::SelectAll, this, [this] { SelectAllCommand(); })
      ->setObjectName("actionSelectAll");
  edit->addAction("&Delete", QKeySequence::Delete, this, [this] { DeleteCommand(); })->setObjectName("actionDelete");

  QMenu* view = menuBar()->addMenu("&View");
  view->setObjectName("menuView");
  view->addAction("Zoom &In", QKeySequence::ZoomIn, this, [this] { artboard_->ZoomIn(); })->setObjectName("actionZoomIn");
  view->addAction("Zoom &Out", QKeySequence::ZoomOut, this, [this] { artboard_->ZoomOut(); })
      ->setObjectName("actionZoomOut");
  view->addAction("&Actual Size (100 %)", QKeySequence(Qt::CTRL | Qt::Key_1), this, [this] { artboard_->SetZoom(1); })
      ->setObjectName("actionActualSize");
  view->addAction("&Fit Page", QKeySequence(Qt::CTRL | Qt::Key_0), this, [this] { artboard_->FitPage(); })
      ->setObjectName("actionFitPage");

  // The commands work wherever the focus is: in the panel's window, after a
  // file chooser has closed, in a dialog's field.
  for (QMenu* menu : {file, edit, view}) {
    for (QAction* a : menu->actions()) a->setShortcutContext(Qt::ApplicationShortcut);
  }

  // The host's own menus, filled from its menu model each time they open, so
  // that the plug-in's items stand where it put them, enabled as it left them.
  for (const char* name : {"Window", "Help"}) {
    QMenu* menu = menuBar()->addMenu(name);
    menu->setObjectName(QString("menu") + name);
    const hostsim::MenuPath place{hostsim::MenuStep{name, 0}};
    connect(menu, &QMenu::aboutToShow, this, [this, menu, place] { FillHostMenu(menu, place); });
  }
}

void MainWindow::FillHostMenu(QMenu* menu, const hostsim::MenuPath& place) {
  menu->clear();
  if (place.size() == 1 && place.front().text == "Help") {
    menu->addAction("&Getting Started", this, [this] { ShowGettingStarted(); })->setObjectName("actionGettingStarted");
    menu->addSeparator();
  }
  const std::vector<hostsim::MenuEntry> entries = hostsim::MenuEntriesAt(host_->menus(), place);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const hostsim::MenuEntry& entry = entries[i];
    hostsim::MenuPath path = place;
    path.push_back(hostsim::MenuStep{"", static_cast<int>(i) + 1});
    const QString text = QString::fromStdString(entry.text);
    if (entry.opensSubMenu) {
      QMenu* sub = menu->addMenu(text);
      connect(sub, &QMenu::aboutToShow, this, [this, sub, path] { FillHostMenu(sub, path); });
      FillHostMenu(sub, path);  // filled now too, so that a test or a shortcut finds its items
      continue;
    }
    QAction* action = menu->addAction(text);
    action->setEnabled(entry.item == nullptr || entry.item->enabled);
    connect(action, &QAction::triggered, this, [this, path] {
      user_->ChooseMenu(path);
      Refresh();
    });
  }
  if (entries.empty()) menu->addAction("(empty)")->setEnabled(false);
}

void MainWindow::BuildToolbox() {
  QToolBar* toolbox = addToolBar("Tools");
  toolbox->setObjectName("toolbox");
  addToolBar(Qt::LeftToolBarArea, toolbox);
  toolbox->setMovable(false);
  auto* group = new QActionGroup(this);
  selectionTool_ = toolbox->addAction(QString::fromUtf8("\u2196"), this, [this] { ChooseTool(false); });
  selectionTool_->setObjectName("selectionTool");
  selectionTool_->setToolTip("Selection Tool: select, move (drag) and delete (Delete) art");
  pluginTool_ = toolbox->addAction("Labels", this, [this] { ChooseTool(true); });
  pluginTool_->setObjectName("pluginTool");
  pluginTool_->setEnabled(false);  // until the plug-in has registered its tool
  for (QAction* a : {selectionTool_, pluginTool_}) {
    a->setCheckable(true);
    group->addAction(a);
  }
  selectionTool_->setChecked(true);
}

void MainWindow::ChooseTool(bool plugin) {
  artboard_->FinishGesture();
  if (plugin) {
    user_->SelectTool();
  } else {
    user_->DeselectTool();
  }
  artboard_->unsetCursor();
  Refresh();
}

// -----------------------------------------------------------------------------
// [SECTION] First start

void MainWindow::ShowGettingStarted() {
  auto* page = new QMessageBox(QMessageBox::Information, "Getting Started", kGettingStartedTitle, QMessageBox::Close, this);
  page->setObjectName("gettingStarted");
  page->setInformativeText(kGettingStartedSteps);
  page->setAttribute(Qt::WA_DeleteOnClose);
  page->setModal(false);
  page->show();
}

// The first label made with the plug-in's tool: the hint has done its work,
// for this start and the next ones.
void MainWindow::NoteLabelMade() {
  if (!hint_->isVisible()) return;
  hint_->hide();
  std::error_code ec;
  std::filesystem::create_directories(StateFolder(), ec);
  (void)hostsim::ReplaceFileAtomically(StateFolder() / kTaughtMarker, "1\n");  // without it the hint shows again
}

// -----------------------------------------------------------------------------
// [SECTION] Edit commands

void MainWindow::UndoCommand() {
  artboard_->FinishGesture();
  user_->Undo();
  Refresh();
}

void MainWindow::RedoCommand() {
  artboard_->FinishGesture();
  user_->Redo();
  Refresh();
}

void MainWindow::SelectAllCommand() {
  user_->SelectAll();
  Refresh();
}

void MainWindow::DeleteCommand() {
  artboard_->FinishGesture();
  user_->DeleteSelection();
  Refresh();
}

// -----------------------------------------------------------------------------
// [SECTION] Refresh

void MainWindow::SyncPanel() {
  const ADMDialogRef panel = host_->dialogs().Panel();
  if (panel_ != nullptr && panel_->dialog() != panel) {
    panel_->Release();
    panel_->hide();
    panel_->deleteLater();
    panel_ = nullptr;
  }
  if (panel_ == nullptr && panel != nullptr && !shutDown_) panel_ = new PanelWindow(*studio_, panel, this);
  if (panel_ != nullptr) panel_->Sync();
}

void MainWindow::Refresh() {
  if (refreshing_) return;
  refreshing_ = true;
  for (const std::string& m : host_->TakeMessages()) Report(m);
  SyncPanel();
  for (ModalRun& run : modals_) {
    if (!user_->ModalOpen(run.view->dialog()) || closing_) {
      run.loop->quit();
    } else {
      run.view->Sync();
    }
  }
  const bool pluginCurrent = host_->tools().PluginToolSelected();
  if (pluginTool_->isChecked() != pluginCurrent) (pluginCurrent ? pluginTool_ : selectionTool_)->setChecked(true);
  artboard_->update();
  UpdateTitle();
  undo_->setEnabled(user_->CanUndo());
  redo_->setEnabled(user_->CanRedo());
  refreshing_ = false;
}

// -----------------------------------------------------------------------------
// [SECTION] The host's screen: modal loops, alerts, cursors, tones, Info

QDialog* MainWindow::modalWindow() const { return modals_.empty() ? nullptr : modals_.back().window; }
DialogView* MainWindow::modalView() const { return modals_.empty() ? nullptr : modals_.back().view; }

void MainWindow::RunModal(ADMDialogRef dialog) {
  // Closing: the host cancels the dialog once this returns.
  if (closing_ || shutDown_) return;
  artboard_->FinishGesture();
  QWidget* parent = modalWindow() != nullptr ? static_cast<QWidget*>(modalWindow()) : this;
  auto window = std::make_unique<QDialog>(parent);
  window->setObjectName("modalDialog");
  auto* layout = new QVBoxLayout(window.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* view = new DialogView(*studio_, dialog, window.get());
  layout->addWidget(view);
  if (const hostsim::toolkit::Dialog* d = host_->dialogs().Find(dialog)) {
    window->setWindowTitle(QString::fromStdString(d->title.empty() ? d->name : d->title));
  }
  // A dialog the plug-in gave no size still gets a window a person can see and close.
  window->setMinimumSize(160, 60);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  // Escape or the window's close box: the dialog is left, and the host cancels it.
  connect(window.get(), &QDialog::finished, &loop, &QEventLoop::quit);
  modals_.push_back({window.get(), view, &loop});
  window->show();
  Refresh();
  if (user_->ModalOpen(dialog) && !closing_) loop.exec();
  modals_.pop_back();
  window->hide();
  // The window goes once the event that ended it is over.
  window.release()->deleteLater();
}

int32_t MainWindow::ShowAlert(const hostsim::AlertRequest& alert) {
  if (closing_ || shutDown_) return 0;
  artboard_->FinishGesture();
  QMessageBox box(QMessageBox::Warning, "Labels", QString::fromStdString(alert.text), QMessageBox::NoButton,
                  modalWindow() != nullptr ? static_cast<QWidget*>(modalWindow()) : this);
  box.setObjectName("alert");
  std::vector<QPushButton*> buttons;
  for (std::size_t i = 0; i < alert.buttons.size(); ++i) {
    buttons.push_back(box.addButton(QString::fromStdString(alert.buttons[i]),
                                    i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
  }
  if (!buttons.empty()) box.setDefaultButton(buttons.front());
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int32_t>(i);
  }
  return 0;
}

void MainWindow::SetPluginCursor(int32_t cursorId) {
  cursorsShown_.push_back(cursorId);
  auto it = cursors_.find(cursorId);
  if (it == cursors_.end()) {
    const auto png = host_->PluginResource(kCursorResource, cursorId);
    const std::optional<QCursor> cursor = png ? CursorFromPng(*png, cursorId) : std::nullopt;
    if (!cursor) return;
    it = cursors_.emplace(cursorId, *cursor).first;
  }
  artboard_->setCursor(it->second);
}

void MainWindow::Tone(uint32_t, uint32_t) {
  // The desktop's bell: a click the person hears, whatever its pitch.
  ++tones_;
  if (!closing_) QApplication::beep();
}

void MainWindow::Redraw(ADMDialogRef dialog, ADMItemRef item) {
  if (panel_ != nullptr && panel_->dialog() == dialog) panel_->view().Invalidate(item);
  for (ModalRun& run : modals_) {
    if (run.view->dialog() == dialog) run.view->Invalidate(item);
  }
}

void MainWindow::ShowInfo(const hostsim::InfoValues& info) {
  QStringList parts;
  if (info.x) parts << QString("X: %1 pt").arg(*info.x, 0, 'f', 2);
  if (info.y) parts << QString("Y: %1 pt").arg(*info.y, 0, 'f', 2);
  if (info.text) parts << QString::fromStdString(*info.text);
  info_->setText(parts.join("    "));
}

// -----------------------------------------------------------------------------
// [SECTION] Keys and closing

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (const std::optional<int> vk = VirtualKey(key->key()); vk && !key->isAutoRepeat()) {
      if (type == QEvent::KeyPress) {
        user_->PressKey(*vk);
      } else {
        user_->ReleaseKey(*vk);
      }
      // Space pans the view while the host's own tool is current; with the
      // plug-in's tool it belongs to the plug-in.
      if (*vk == VK_SPACE && !host_->tools().PluginToolSelected()) artboard_->SetPanning(type == QEvent::KeyPress);
    }
  } else if (type == QEvent::ShortcutOverride) {
    // A text field claims Ctrl+Z and the like for itself: the window's own
    // commands keep them, except those a field needs for its text (select
    // all, delete, copy, paste).
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* a : findChildren<QAction*>()) {
      if (a->shortcutContext() != Qt::ApplicationShortcut || a->objectName() == "actionSelectAll" ||
          a->objectName() == "actionDelete") {
        continue;
      }
      for (const QKeySequence& k : a->shortcuts()) {
        if (k == pressed) return true;  // not accepted by the field: the shortcut runs
      }
    }
  } else if (type == QEvent::ApplicationDeactivate) {
    user_->ReleaseAllKeys();  // keys let go elsewhere would otherwise stay held
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  closing_ = true;
  if (!modals_.empty() || host_->busy()) {
    // A modal dialog (or a message) is still under way: its loop ends first,
    // the host cancels the dialog, and the window closes after.
    event->ignore();
    for (ModalRun& run : modals_) run.loop->quit();
    QTimer::singleShot(0, this, [this] { close(); });
    return;
  }
  artboard_->FinishGesture();
  if (!MayLeaveDrawing("closing")) {
    closing_ = false;
    event->ignore();
    return;
  }
  ShutDown();
  event->accept();
}

void MainWindow::ShutDown() {
  if (shutDown_) return;
  closing_ = true;
  artboard_->FinishGesture();  // a label being dragged is finished where it is
  // Changes neither saved nor discarded stay in the recovery copy, offered at the next start.
  if (modified()) WriteRecoveryCopyNow();
  shutDown_ = true;
  if (panel_ != nullptr) panel_->Release();
  if (host_->launched() && !host_->busy()) {
    host_->Quit();  // the panel stores its keys; the preference file is saved
    for (const std::string& m : host_->TakeMessages()) std::cerr << "labels-studio: " << m << "\n";
  }
  // Nothing reaches the windows from here on.
  host_->SetFrontEnd(std::make_unique<hostsim::NullFrontEnd>());
  if (panel_ != nullptr) panel_->hide();
}

}  // namespace studio
