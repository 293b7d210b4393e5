// The studio's main window: the artboard, the toolbox (the host's selection
// tool and the plug-in's tool), the host's menus with the plug-in's items,
// the Info bar, the panel window and the modal dialogs. It is the host's
// screen: the front end the host asks to run modal loops, show alerts,
// set cursors, sound tones, paint items and show Info values.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QMainWindow>

#include "apps/labels-studio/Studio.h"
#include "hostsim/FrontEnd.h"

class QDialog;
class QTimer;
class QEventLoop;

namespace studio {

class Artboard;
class DialogView;
class PanelWindow;

struct StudioOptions {
  std::filesystem::path prefsFile;   // empty: the host's default file, as the runner's
  std::filesystem::path pluginFile;
  std::filesystem::path openFile;    // an SVG drawing to open at start; empty: none
};

// The status line of a first start, shown until the first label is made.
inline constexpr const char* kFirstStartHint =
    "Choose the Labels tool in the toolbox, click the points to label, then drag to place the label";
inline constexpr const char* kTaughtMarker = "first-label-made";
inline constexpr const char* kGettingStartedTitle = "Drawing a label";
inline constexpr const char* kGettingStartedSteps =
    "1. Choose the Labels tool in the toolbox (left).\n"
    "2. Click each point the label should point at: each click places the tip of a leader line.\n"
    "3. Press, drag and release to place the label itself; it follows the pointer.\n"
    "4. Change the shape, the text, the arrowheads and the line width in the panel; the label being "
    "drawn follows at once. The panel's menu (top right) opens the preferences and colours.\n"
    "5. Click on a leader line of a label with the Labels tool to take it up again and drag it elsewhere.\n"
    "Edit > Undo takes any step back; File > Save writes the drawing as SVG.";

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(const StudioOptions& options);
  ~MainWindow() override;

  // Launches the plug-in: its menus, tool and panel appear. False, with the
  // host's messages, when it cannot start.
  bool Launch(std::string* problem);

  Studio& studio() { return *studio_; }
  Artboard& artboard() { return *artboard_; }
  // Null until the plug-in has made its panel.
  PanelWindow* panel() { return panel_; }
  // The open modal dialog's window, front one last.
  QDialog* modalWindow() const;
  DialogView* modalView() const;
  QAction* pluginToolAction() const { return pluginTool_; }
  QAction* selectionToolAction() const { return selectionTool_; }
  QLabel* infoLabel() const { return info_; }
  QLabel* hintLabel() const { return hint_; }
  void ShowGettingStarted();
  // The plug-in's tool made a step: the first label is drawn.
  void NoteLabelMade();

  // -- Files -------------------------------------------------------------------
  // File menu commands without their file choosers or questions. False, with
  // the reason, when the file cannot be written or read; the drawing stays as
  // it was. Saving to a file makes it the drawing's file; every save is atomic.
  bool SaveSvgTo(const std::filesystem::path& file, std::string* problem);
  bool OpenSvgFrom(const std::filesystem::path& file, std::string* problem);
  void NewDrawing();
  // The menu commands as a person gives them: New, Open and Revert ask first
  // about changes not saved; Save writes the drawing's own file (Save As
  // when it has none). False when cancelled or failed.
  bool NewCommand();
  bool OpenCommand(const std::filesystem::path& file);
  bool SaveCommand();
  bool SaveAsCommand();
  bool RevertCommand();
  // Asks whether to save a changed drawing before it goes: true to go on
  // (saved, or the changes discarded), false to stay (cancelled, or the save failed).
  bool MayLeaveDrawing(const QString& doing);
  // The drawing's file; empty for a drawing never saved.
  const std::filesystem::path& drawingFile() const { return file_; }
  // Changed since it was opened, made or last saved.
  bool modified() const;

  // -- Recovery copies -----------------------------------------------------------
  // Written every minute while the drawing has changes not saved (and not
  // yet in the copy); removed once saved or discarded.
  void WriteRecoveryCopyNow();
  std::filesystem::path RecoveryCopyFile() const;
  // Offers the copies a studio that ended without saving left behind.
  void OfferRecoveryCopies();
  static constexpr int kRecoveryIntervalMs = 60 * 1000;

  // The studio's questions: a text and the buttons, answered by the index of
  // the button pressed. A message box by default; tests answer with their own.
  using Question = std::function<int(const QString& text, const QStringList& buttons)>;
  void SetQuestion(Question question) { question_ = std::move(question); }

  // -- Edit commands -------------------------------------------------------------
  void UndoCommand();
  void RedoCommand();
  void SelectAllCommand();
  void DeleteCommand();
  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }

  // Brings every view in line with the host after an action.
  void Refresh();

  // -- The host's screen -------------------------------------------------------
  void RunModal(ADMDialogRef dialog);
  int32_t ShowAlert(const hostsim::AlertRequest& alert);
  void SetPluginCursor(int32_t cursorId);
  void Tone(uint32_t hz, uint32_t ms);
  void Redraw(ADMDialogRef dialog, ADMItemRef item);
  void ShowInfo(const hostsim::InfoValues& info);
  const std::vector<int32_t>& cursorsShown() const { return cursorsShown_; }
  int tonesSounded() const { return tones_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void FillHostMenu(QMenu* menu, const hostsim::MenuPath& place);
  void BuildToolbox();
  void ChooseTool(bool plugin);
  void SyncPanel();
  void ShutDown();
  std::string DrawingSvg() const;
  void Report(const std::string& what);
  int Ask(const QString& text, const QStringList& buttons);
  // The drawing is (now) the one of file, unchanged: title, recovery copy, recent files.
  void DrawingIsNow(const std::filesystem::path& file);
  void ForgetRecoveryCopy();
  void UpdateTitle();
  void FillRecentMenu();

  std::unique_ptr<hostsim::Host> host_;
  std::unique_ptr<hostsim::UserActions> user_;
  std::unique_ptr<Studio> studio_;
  Artboard* artboard_ = nullptr;
  PanelWindow* panel_ = nullptr;
  QAction* selectionTool_ = nullptr;
  QAction* pluginTool_ = nullptr;
  QLabel* info_ = nullptr;
  QLabel* hint_ = nullptr;
  struct ModalRun {
    QDialog* window;
    DialogView* view;
    QEventLoop* loop;
  };
  std::vector<ModalRun> modals_;
  std::map<int32_t, QCursor> cursors_;
  std::vector<int32_t> cursorsShown_;
  int tones_ = 0;
  std::filesystem::path file_;    // the drawing's file; empty: never saved
  std::uint64_t savedState_ = 0;  // the history's state of the drawing as opened, made or saved
  std::string recoveryKey_;       // its recovery copy's name
  std::uint64_t copiedState_ = 0; // the state last written to the recovery copy; 0: no copy
  int untitledCount_ = 0;
  QTimer* recoveryTimer_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  Question question_;
  bool closing_ = false;
  bool shutDown_ = false;
  bool refreshing_ = false;
};

}  // namespace studio
