// The studio's main window: the artboard, the toolbox (the host's selection
// tool and the plug-in's tool), the host's menus with the plug-in's items,
// the Info bar, the panel window and the modal dialogs. It is the host's
// screen: the front end the host asks to run modal loops, show alerts,
// set cursors, sound tones, paint items and show Info values.
#pragma once

#include <filesystem>
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

  // File menu commands without their file choosers. False, with the reason,
  // when the file cannot be written or read; the drawing stays as it was.
  bool SaveSvgTo(const std::filesystem::path& file, std::string* problem);
  bool OpenSvgFrom(const std::filesystem::path& file, std::string* problem);
  void NewDrawing();
  // Where an unsaved drawing is kept when the window closes.
  std::filesystem::path UnsavedDrawingFile() const;

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
  void KeepUnsavedDrawing();
  std::string DrawingSvg() const;
  void Report(const std::string& what);

  std::unique_ptr<hostsim::Host> host_;
  std::unique_ptr<hostsim::UserActions> user_;
  std::unique_ptr<Studio> studio_;
  Artboard* artboard_ = nullptr;
  PanelWindow* panel_ = nullptr;
  QAction* selectionTool_ = nullptr;
  QAction* pluginTool_ = nullptr;
  QLabel* info_ = nullptr;
  struct ModalRun {
    QDialog* window;
    DialogView* view;
    QEventLoop* loop;
  };
  std::vector<ModalRun> modals_;
  std::map<int32_t, QCursor> cursors_;
  std::vector<int32_t> cursorsShown_;
  int tones_ = 0;
  std::string savedSvg_;          // the drawing as last opened or saved
  bool closing_ = false;
  bool shutDown_ = false;
  bool refreshing_ = false;
};

}  // namespace studio
