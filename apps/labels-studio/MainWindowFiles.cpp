// The main window's files: New, Open, Open Recent, Save, Save As, Revert, the
// question before a changed drawing goes, the title, and the recovery copy.
#include <iostream>
#include <sstream>

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "apps/labels-studio/Artboard.h"
#include "apps/labels-studio/MainWindow.h"
#include "apps/labels-studio/Recovery.h"
#include "hostsim/SafeFile.h"

namespace studio {

namespace {

QString DisplayName(const std::filesystem::path& file) {
  return file.empty() ? QString("Untitled") : QString::fromStdString(file.filename().string());
}

enum SaveAnswer { kAnswerSave = 0, kAnswerDiscard = 1, kAnswerCancel = 2 };

}  // namespace

std::string MainWindow::DrawingSvg() const {
  std::ostringstream out;
  user_->SaveSvg(out);
  return out.str();
}

void MainWindow::Report(const std::string& what) {
  std::cerr << "labels-studio: " << what << "\n";
  statusBar()->showMessage(QString::fromStdString(what), 8000);
}

int MainWindow::Ask(const QString& text, const QStringList& buttons) {
  if (question_) return question_(text, buttons);
  QMessageBox box(QMessageBox::Question, "Labels Studio", text, QMessageBox::NoButton, this);
  box.setObjectName("question");
  std::vector<QPushButton*> made;
  for (int i = 0; i < buttons.size(); ++i) {
    const QMessageBox::ButtonRole role = i == 0 ? QMessageBox::AcceptRole
                                         : i == buttons.size() - 1 ? QMessageBox::RejectRole
                                                                   : QMessageBox::DestructiveRole;
    made.push_back(box.addButton(buttons[i], role));
  }
  box.setDefaultButton(made.front());
  box.setEscapeButton(made.back());
  box.exec();
  for (std::size_t i = 0; i < made.size(); ++i) {
    if (box.clickedButton() == made[i]) return static_cast<int>(i);
  }
  return static_cast<int>(made.size()) - 1;  // closed otherwise: the last, Cancel
}

bool MainWindow::modified() const { return user_->DrawingState() != savedState_; }

void MainWindow::UpdateTitle() {
  setWindowTitle(DisplayName(file_) + "[*] \u2014 Labels Studio");
  setWindowModified(modified());
}

// The drawing now shown is the file's as it stands on disk (or a new one).
void MainWindow::DrawingIsNow(const std::filesystem::path& file) {
  ForgetRecoveryCopy();
  file_ = file;
  savedState_ = user_->DrawingState();
  recoveryKey_ = RecoveryKey(file_, ++untitledCount_);
  if (!file_.empty()) NoteRecentFile(file_);
  UpdateTitle();
}

bool MainWindow::SaveSvgTo(const std::filesystem::path& file, std::string* problem) {
  artboard_->FinishGesture();
  if (const std::optional<std::string> failed = hostsim::ReplaceFileAtomically(file, DrawingSvg())) {
    *problem = "cannot save " + file.string() + ": " + *failed;
    return false;
  }
  DrawingIsNow(file);
  Refresh();
  return true;
}

bool MainWindow::OpenSvgFrom(const std::filesystem::path& file, std::string* problem) {
  artboard_->FinishGesture();
  const hostsim::SvgReadResult result = user_->OpenSvg(file);
  if (!result.ok) {
    *problem = file.string() + ": " + result.error;
    return false;
  }
  for (const std::string& w : result.warnings) Report(file.string() + ": " + w);
  DrawingIsNow(file);
  artboard_->FitPage();
  Refresh();
  return true;
}

void MainWindow::NewDrawing() {
  artboard_->FinishGesture();
  user_->NewDrawing();
  DrawingIsNow({});
  artboard_->FitPage();
  Refresh();
}

bool MainWindow::MayLeaveDrawing(const QString& doing) {
  artboard_->FinishGesture();
  if (!modified()) return true;
  const QString text = QString("Save the changes to \u201c%1\u201d before %2?").arg(DisplayName(file_), doing);
  switch (Ask(text, {"Save", "Discard", "Cancel"})) {
    case kAnswerSave: return SaveCommand();
    case kAnswerDiscard:
      // The changes are let go: no copy is kept of them, now or at shut-down.
      ForgetRecoveryCopy();
      savedState_ = user_->DrawingState();
      return true;
    default: return false;
  }
}

bool MainWindow::NewCommand() {
  if (!MayLeaveDrawing("making a new drawing")) return false;
  NewDrawing();
  return true;
}

bool MainWindow::OpenCommand(const std::filesystem::path& file) {
  if (!MayLeaveDrawing("opening another")) return false;
  std::string problem;
  if (OpenSvgFrom(file, &problem)) return true;
  QMessageBox::warning(this, "Open", QString::fromStdString(problem));
  return false;
}

bool MainWindow::SaveCommand() {
  if (file_.empty()) return SaveAsCommand();
  std::string problem;
  if (SaveSvgTo(file_, &problem)) return true;
  QMessageBox::warning(this, "Save", QString::fromStdString(problem));
  return false;
}

bool MainWindow::SaveAsCommand() {
  const QString start = file_.empty() ? QString("Untitled.svg") : QString::fromStdString(file_.string());
  QString name = QFileDialog::getSaveFileName(this, "Save As", start, "SVG drawings (*.svg)");
  if (name.isEmpty()) return false;
  if (QFileInfo(name).suffix().isEmpty()) name += ".svg";
  std::string problem;
  if (SaveSvgTo(name.toStdString(), &problem)) return true;
  QMessageBox::warning(this, "Save As", QString::fromStdString(problem));
  return false;
}

bool MainWindow::RevertCommand() {
  if (file_.empty() || !modified()) return false;
  const QString text = QString("Go back to \u201c%1\u201d as last saved? The changes since are lost.").arg(DisplayName(file_));
  if (Ask(text, {"Revert", "Cancel"}) != 0) return false;
  const std::filesystem::path file = file_;
  std::string problem;
  if (OpenSvgFrom(file, &problem)) return true;
  QMessageBox::warning(this, "Revert", QString::fromStdString(problem));
  return false;
}

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  for (const std::filesystem::path& file : RecentFiles()) {
    QAction* a = recentMenu_->addAction(QString::fromStdString(file.string()));
    connect(a, &QAction::triggered, this, [this, file] { OpenCommand(file); });
  }
  recentMenu_->setEnabled(!recentMenu_->actions().isEmpty());
}

// -- Recovery copies ---------------------------------------------------------------

std::filesystem::path MainWindow::RecoveryCopyFile() const { return studio::RecoveryCopyFile(recoveryKey_); }

void MainWindow::ForgetRecoveryCopy() {
  if (!recoveryKey_.empty()) RemoveRecoveryCopy(recoveryKey_);
  copiedState_ = 0;
}

void MainWindow::WriteRecoveryCopyNow() {
  if (!modified()) {
    if (copiedState_ != 0) ForgetRecoveryCopy();  // undone back to the saved drawing
    return;
  }
  if (copiedState_ == user_->DrawingState()) return;
  if (const std::optional<std::string> problem = WriteRecoveryCopy(recoveryKey_, file_, DrawingSvg())) {
    Report("the recovery copy cannot be written: " + *problem);
    return;
  }
  copiedState_ = user_->DrawingState();
}

void MainWindow::OfferRecoveryCopies() {
  for (const RecoveryCopy& left : LeftRecoveryCopies()) {
    const QString name = left.drawing.empty() ? QString("a drawing never saved") : DisplayName(left.drawing);
    const QString text = QString("Labels Studio ended without saving the changes to %1 (last kept %2). Recover them?")
                             .arg(left.drawing.empty() ? name : "\u201c" + name + "\u201d",
                                  QString::fromStdString(left.written));
    const int answer = Ask(text, {"Recover", "Discard", "Later"});
    if (answer == 1) RemoveRecoveryCopy(left);
    if (answer != 0) continue;
    artboard_->FinishGesture();
    const hostsim::SvgReadResult read = user_->OpenSvg(left.copy);
    if (!read.ok) {
      Report(left.copy.string() + ": " + read.error);
      continue;
    }
    artboard_->FitPage();
    Refresh();
    // The recovered drawing belongs to its file again, changed since it was saved.
    ForgetRecoveryCopy();
    file_ = left.drawing;
    recoveryKey_ = RecoveryKey(file_, ++untitledCount_);
    savedState_ = 0;
    RemoveRecoveryCopy(left);
    WriteRecoveryCopyNow();
    UpdateTitle();
    return;  // one drawing at a time; the others wait for the next start
  }
}

}  // namespace studio
