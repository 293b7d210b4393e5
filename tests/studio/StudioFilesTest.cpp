// The studio's files as a person uses them: the title, Save to the file the
// drawing came from, the question before a changed drawing goes (each answer
// doing what it says), Open Recent, Revert, and the recovery copy written,
// offered after a crash and removed.
#include <QtTest>

#include <QMenu>
#include <QTemporaryDir>

#include "apps/labels-studio/Artboard.h"
#include "apps/labels-studio/MainWindow.h"
#include "apps/labels-studio/Recovery.h"
#include "hostsim/document/DocumentApi.h"
#include "tests/studio/StudioTestKit.h"

using namespace studiotest;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

// A 400 x 300 point page with one grey rectangle.
const char* kOneBox =
    "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='300' viewBox='0 0 400 300'>"
    "<rect x='10' y='10' width='50' height='40' fill='grey'/></svg>";

std::size_t ArtCount(studio::MainWindow& w) {
  std::size_t n = 0;
  for (const json& layer : hostsim::DumpLayers(w.studio().host.document())) n += layer["art"].size();
  return n;
}

}  // namespace

class StudioFilesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::shared_ptr<Answers> answers_;
  std::unique_ptr<studio::MainWindow> window_;

  fs::path Dir() const { return fs::path(dir_->path().toStdString()); }
  studio::MainWindow& Open() {
    window_ = OpenStudio(Dir() / "prefs.json", answers_);
    return *window_;
  }
  fs::path Drawing(const std::string& name) {
    const fs::path file = Dir() / name;
    WriteText(file, kOneBox);
    return file;
  }
  // Counts the shapes a saved file holds (one host runs at a time: the text is read).
  std::size_t ArtInFile(const fs::path& file) {
    const std::string text = ReadText(file);
    std::size_t n = 0;
    for (const char* element : {"<path", "<rect"}) {
      for (std::size_t at = text.find(element); at != std::string::npos; at = text.find(element, at + 1)) ++n;
    }
    return n;
  }
  // The note beside a recovery copy, as if the studio that wrote it had died.
  void PretendItsWriterEnded(const fs::path& copy) {
    const fs::path note = fs::path(copy).replace_extension(".json");
    json j = json::parse(ReadText(note));
    j["pid"] = 0x7FFFFFF0;  // above any process number the system gives
    WriteText(note, j.dump());
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    UseStateFolder(Dir() / "state");
    answers_ = std::make_shared<Answers>();
  }
  void cleanup() {
    if (window_) window_->close();
    window_.reset();
    dir_.reset();
  }

  void TheTitleNamesTheFileAndMarksChangesButNotAnOpenAndFit() {
    const fs::path file = Drawing("boxes.svg");
    studio::MainWindow& w = Open();
    QVERIFY(w.windowTitle().startsWith("Untitled"));
    std::string problem;
    QVERIFY(w.OpenSvgFrom(file, &problem));
    w.artboard().FitPage();
    w.artboard().SetZoom(3);
    QVERIFY(w.windowTitle().startsWith("boxes.svg"));
    QVERIFY(!w.isWindowModified());
    QVERIFY(!w.modified());
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    w.Refresh();
    QVERIFY(w.isWindowModified());
    // Undone back to the drawing as opened: no longer changed.
    w.UndoCommand();
    QVERIFY(!w.isWindowModified());
  }

  void SaveWritesTheFileTheDrawingCameFromWithoutAChooser() {
    const fs::path file = Drawing("boxes.svg");
    studio::MainWindow& w = Open();
    QVERIFY(w.OpenCommand(file));
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    QVERIFY(w.SaveCommand());  // a chooser would block the test here
    QCOMPARE(ArtInFile(file), std::size_t(2));
    QVERIFY(!w.modified());
    QCOMPARE(w.drawingFile(), file);
    // Save As makes the new file the drawing's own.
    std::string problem;
    QVERIFY(w.studio().user.AddRect(150, 100, 20, 20, false).done());
    QVERIFY(w.SaveSvgTo(Dir() / "copy.svg", &problem));
    QCOMPARE(w.drawingFile(), Dir() / "copy.svg");
    QCOMPARE(ArtInFile(file), std::size_t(2));
    QCOMPARE(ArtInFile(Dir() / "copy.svg"), std::size_t(3));
    QVERIFY(answers_->asked.isEmpty());
  }

  void ClosingNewAndOpenAskAboutChangesAndEachAnswerDoesWhatItSays() {
    const fs::path a = Drawing("a.svg"), b = Drawing("b.svg");
    studio::MainWindow& w = Open();
    QVERIFY(w.OpenCommand(a));
    QVERIFY(answers_->asked.isEmpty());  // nothing changed: nothing to ask

    // Cancel: the window stays, with its changes and its plug-in.
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    answers_->next = {2};
    w.close();
    QVERIFY(w.isVisible());
    QVERIFY(w.modified());
    QVERIFY(w.studio().host.launched());
    QCOMPARE(answers_->asked.size(), 1);
    QVERIFY2(answers_->asked.back().contains("a.svg"), qPrintable(answers_->asked.back()));

    // Discard on New: a new drawing; the file is as it was.
    answers_->next = {1};
    QVERIFY(w.NewCommand());
    QCOMPARE(ArtCount(w), std::size_t(0));
    QVERIFY(w.drawingFile().empty());
    QCOMPARE(ArtInFile(a), std::size_t(1));

    // Save on Open: the changed drawing is written to its file first.
    QVERIFY(w.OpenCommand(a));
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    answers_->next = {0};
    QVERIFY(w.OpenCommand(b));
    QCOMPARE(ArtInFile(a), std::size_t(2));
    QCOMPARE(w.drawingFile(), b);

    // Cancel on Open: the drawing stays, changed.
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    answers_->next = {2};
    QVERIFY(!w.OpenCommand(a));
    QCOMPARE(w.drawingFile(), b);
    QCOMPARE(ArtCount(w), std::size_t(2));

    // Discard on closing: the window closes, the file is untouched, no copy stays.
    const fs::path copy = w.RecoveryCopyFile();
    w.WriteRecoveryCopyNow();
    QVERIFY(fs::exists(copy));
    answers_->next = {1};
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(!w.studio().host.launched());
    QCOMPARE(ArtInFile(b), std::size_t(1));
    QVERIFY(!fs::exists(copy));
    QCOMPARE(answers_->asked.size(), 5);
  }

  void OpenRecentListsTheFilesOpenedNewestFirstAndRevertReadsTheFileAgain() {
    const fs::path a = Drawing("a.svg"), b = Drawing("b.svg");
    studio::MainWindow& w = Open();
    QVERIFY(w.OpenCommand(a));
    QVERIFY(w.OpenCommand(b));
    QVERIFY(w.OpenCommand(a));
    const std::vector<fs::path> recent = studio::RecentFiles();
    QCOMPARE(recent.size(), std::size_t(2));
    QCOMPARE(recent[0], a);
    QCOMPARE(recent[1], b);
    auto* menu = w.findChild<QMenu*>("menuRecent");
    QVERIFY(menu != nullptr);
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 2);
    menu->actions()[1]->trigger();
    QCOMPARE(w.drawingFile(), b);

    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    answers_->next = {1};  // Cancel
    QVERIFY(!w.RevertCommand());
    QCOMPARE(ArtCount(w), std::size_t(2));
    answers_->next = {0};  // Revert
    QVERIFY(w.RevertCommand());
    QCOMPARE(ArtCount(w), std::size_t(1));
    QVERIFY(!w.modified());
  }

  void TheRecoveryCopyIsWrittenOfferedAfterACrashAndRemovedOnceSaved() {
    const fs::path file = Drawing("boxes.svg");
    fs::path copy;
    {
      studio::MainWindow& w = Open();
      QVERIFY(w.OpenCommand(file));
      copy = w.RecoveryCopyFile();
      w.WriteRecoveryCopyNow();
      QVERIFY2(!fs::exists(copy), "no copy of a drawing without changes");
      QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
      w.WriteRecoveryCopyNow();
      QVERIFY(fs::exists(copy));
      QVERIFY(copy.string().find((Dir() / "state").string()) == 0);
      // The studio ends without closing its window (as a crash would): the copy stays.
      window_.reset();
    }
    QVERIFY(fs::exists(copy));
    PretendItsWriterEnded(copy);

    // Later answered "Later": the copy stays for the next start.
    answers_->next = {2};
    studio::MainWindow& w = Open();
    w.OfferRecoveryCopies();
    QCOMPARE(answers_->asked.size(), 1);
    QVERIFY2(answers_->asked[0].contains("boxes.svg"), qPrintable(answers_->asked[0]));
    QVERIFY(fs::exists(copy));
    // Recover: the drawing with its change, belonging to its file, changed.
    answers_->next = {0};
    w.OfferRecoveryCopies();
    QCOMPARE(ArtCount(w), std::size_t(2));
    QCOMPARE(w.drawingFile(), file);
    QVERIFY(w.modified());
    QVERIFY(w.windowTitle().startsWith("boxes.svg"));
    // The copy is now this studio's own: not offered to another start while it runs.
    QVERIFY(studio::LeftRecoveryCopies().empty());
    QVERIFY(fs::exists(w.RecoveryCopyFile()));
    QVERIFY(w.SaveCommand());
    QVERIFY(!fs::exists(w.RecoveryCopyFile()));
    QCOMPARE(ArtInFile(file), std::size_t(2));
  }

  void EachDrawingHasItsOwnCopyAndADiscardedOneIsRemoved() {
    const fs::path a = Drawing("a.svg"), b = Drawing("b.svg");
    studio::MainWindow& w = Open();
    QVERIFY(w.studio().user.AddRect(100, 100, 20, 20, false).done());
    w.WriteRecoveryCopyNow();
    const fs::path untitled = w.RecoveryCopyFile();
    QVERIFY(fs::exists(untitled));
    answers_->next = {1};
    QVERIFY(w.NewCommand());  // discarded: its copy goes
    QVERIFY(!fs::exists(untitled));
    QVERIFY(w.studio().user.AddRect(10, 10, 20, 20, false).done());
    w.WriteRecoveryCopyNow();
    QVERIFY(w.RecoveryCopyFile() != untitled);
    const fs::path secondUntitled = w.RecoveryCopyFile();
    QVERIFY(fs::exists(secondUntitled));
    // Another drawing's copy is written beside it, never over it.
    answers_->next = {2};
    QVERIFY(!w.OpenCommand(a));  // cancelled: the untitled drawing stays
    std::string problem;
    QVERIFY(w.SaveSvgTo(b, &problem));
    QVERIFY(!fs::exists(secondUntitled));  // saved: its copy goes
    QVERIFY(w.studio().user.AddRect(10, 40, 20, 20, false).done());
    w.WriteRecoveryCopyNow();
    const fs::path ofB = w.RecoveryCopyFile();
    QVERIFY(w.OpenSvgFrom(a, &problem));
    QVERIFY(w.studio().user.AddRect(10, 70, 20, 20, false).done());
    w.WriteRecoveryCopyNow();
    QVERIFY(w.RecoveryCopyFile() != ofB);
    QVERIFY(fs::exists(w.RecoveryCopyFile()));
  }
};

QTEST_MAIN(StudioFilesTest)
#include "StudioFilesTest.moc"
