// The studio's real window under QTest: a person draws, edits, takes up,
// saves and closes, and every step is checked in the host's document.
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "apps/labels-studio/Artboard.h"
#include "apps/labels-studio/DialogView.h"
#include "apps/labels-studio/MainWindow.h"
#include "apps/labels-studio/PanelWindow.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "plugin/panel/PanelIds.h"
#include "tests/studio/StudioTestKit.h"

using namespace studiotest;
using nlohmann::json;

class StudioWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::shared_ptr<Answers> answers_;
  std::unique_ptr<studio::MainWindow> window_;

  std::filesystem::path PrefsFile() const { return std::filesystem::path(dir_->path().toStdString()) / "prefs.json"; }

  studio::MainWindow& Open() {
    window_ = OpenStudio(PrefsFile(), answers_);
    return *window_;
  }
  json Layers() { return hostsim::DumpLayers(window_->studio().host.document()); }
  QPointF Widget(double x, double y) { return window_->artboard().ToWidget({x, y}); }
  QDoubleSpinBox* PanelSpin(int32_t id) {
    QWidget* item = window_->panel()->findChild<QWidget*>(QString("item%1").arg(id));
    return item != nullptr ? item->findChild<QDoubleSpinBox*>() : nullptr;
  }
  // Picks a flyout entry of the panel as a person would, through its menu.
  void PickFlyout(int position) {
    studio::PanelWindow* panel = window_->panel();
    panel->FillFlyout();
    const QList<QAction*> actions = panel->flyoutButton()->menu()->actions();
    QVERIFY(position < actions.size());
    QVERIFY(actions[position]->isEnabled());
    actions[position]->trigger();
  }
  void SelectPluginTool() {
    window_->pluginToolAction()->trigger();
    QVERIFY(window_->studio().host.tools().PluginToolSelected());
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    UseStateFolder(PrefsFile().parent_path() / "state");
    answers_ = std::make_shared<Answers>();
  }
  void cleanup() {
    if (window_) window_->close();
    window_.reset();
    dir_.reset();
  }

  void WindowOpensWithThePanelAndThePluginsToolAndMenus() {
    studio::MainWindow& w = Open();
    QVERIFY(w.panel() != nullptr);
    QVERIFY(w.panel()->isVisible());
    // The tool comes with the plug-in's title and tooltip and an icon.
    QVERIFY(w.pluginToolAction()->isEnabled());
    QVERIFY(!w.pluginToolAction()->icon().isNull());
    QVERIFY(!w.pluginToolAction()->toolTip().isEmpty());
    // The Window menu holds the plug-in's sub-menu with its panel item.
    auto* windowMenu = w.findChild<QMenu*>("menuWindow");
    QVERIFY(windowMenu != nullptr);
    emit windowMenu->aboutToShow();
    QStringList texts;
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
      for (QAction* a : m->actions()) {
        texts << a->text();
        if (a->menu() != nullptr) walk(a->menu());
      }
    };
    walk(windowMenu);
    QVERIFY2(texts.size() >= 3, qPrintable(texts.join(", ")));
    // Choosing the panel item through the menu hides the panel, and again shows it.
    QAction* panelItem = nullptr;
    for (QAction* a : windowMenu->actions()) {
      if (a->menu() != nullptr && !a->menu()->actions().isEmpty() && a->menu()->actions().front()->menu()) {
        panelItem = a->menu()->actions().front()->menu()->actions().front();
      }
    }
    QVERIFY(panelItem != nullptr);
    panelItem->trigger();
    QVERIFY(!w.panel()->isVisible());
    panelItem->trigger();
    QVERIFY(w.panel()->isVisible());
  }

  void AFirstStartSaysWhatToDoUntilTheFirstLabelIsDrawn() {
    studio::MainWindow& w = Open();
    QVERIFY(w.hintLabel()->isVisible());
    QCOMPARE(w.hintLabel()->text(), QString("Choose the Labels tool in the toolbox, click the points to label, "
                                            "then drag to place the label"));
    SelectPluginTool();
    ClickOn(&w.artboard(), Widget(150, 300));  // a tip: no label yet
    QVERIFY(w.hintLabel()->isVisible());
    DragOn(&w.artboard(), Widget(190, 300), Widget(230, 380));
    QVERIFY(!w.hintLabel()->isVisible());
    w.close();
    window_.reset();
    studio::MainWindow& again = Open();  // the same state folder: taught already
    QVERIFY(!again.hintLabel()->isVisible());
    // Help > Getting Started shows the steps.
    auto* help = again.findChild<QMenu*>("menuHelp");
    emit help->aboutToShow();
    auto* start = again.findChild<QAction*>("actionGettingStarted");
    QVERIFY(start != nullptr);
    start->trigger();
    auto* page = again.findChild<QWidget*>("gettingStarted");
    QVERIFY(page != nullptr && page->isVisible());
    page->close();
  }

  void ThePanelsPlaceSurvivesARestart() {
    studio::MainWindow& w = Open();
    w.panel()->move(310, 222);
    const json bounds = w.studio().host.Dump()["panel"]["bounds"];
    QCOMPARE(bounds[0].get<int>(), 310);
    QCOMPARE(bounds[1].get<int>(), 222);
    window_->close();
    window_.reset();
    studio::MainWindow& again = Open();  // the same preference file
    const json reopened = again.studio().host.Dump()["panel"]["bounds"];
    QCOMPARE(reopened[0].get<int>(), 310);
    QCOMPARE(reopened[1].get<int>(), 222);
    QCOMPARE(again.panel()->pos(), QPoint(310, 222));
  }

  void DrawsALabelEditsItTakesItUpAndSavesIt() {
    studio::MainWindow& w = Open();
    AlertAnswerer alerts;
    w.artboard().SetZoom(1.5);
    QCOMPARE(w.studio().host.document().zoom, 1.5);  // the plug-in reads the view's zoom
    SelectPluginTool();
    QWidget* board = &w.artboard();

    // A click places the first tip; a press 60 pixels to its right, a drag
    // and a release place the second leader line and the label.
    const QPointF first = Widget(200, 400);
    const QPointF second = first + QPointF(60, 0);
    const QPointF release = first + QPointF(30, -150);
    ClickOn(board, first);
    DragOn(board, second, release);
    std::vector<json> labels = Labels(Layers());
    QCOMPARE(labels.size(), std::size_t(1));
    const json* lines = Child(labels[0], "Lines");
    QVERIFY(lines != nullptr);
    QCOMPARE((*lines)["children"].size(), std::size_t(2));
    // 60 pixels at a zoom of 1.5 are 40 points between the tips: each
    // arrowhead has its tip (an anchor, or the middle of anchors 0 and 2) at one.
    for (const json& line : (*lines)["children"]) QCOMPARE(line["tags"].count("lab"), std::size_t(1));
    const json* heads = Child(labels[0], "Arrows");
    QVERIFY(heads != nullptr);
    QCOMPARE((*heads)["children"].size(), std::size_t(2));
    for (const double tipX : {200.0, 240.0}) {
      bool found = false;
      for (const json& head : (*heads)["children"]) {
        const json& a = head["anchors"];
        for (std::size_t i = 0; i < a.size(); ++i) {
          found = found || (std::fabs(a[i][0].get<double>() - tipX) < 0.01 && std::fabs(a[i][1].get<double>() - 400) < 0.01);
        }
        if (a.size() >= 3) {
          const double mx = (a[0][0].get<double>() + a[2][0].get<double>()) / 2;
          const double my = (a[0][1].get<double>() + a[2][1].get<double>()) / 2;
          found = found || (std::fabs(mx - tipX) < 0.01 && std::fabs(my - 400) < 0.01);
        }
      }
      QVERIFY2(found, qPrintable(QString("no arrowhead tip at (%1, 400): %2").arg(tipX).arg(heads->dump().c_str())));
    }
    QVERIFY(w.cursorsShown().size() > 0);
    QVERIFY(!w.infoLabel()->text().isEmpty() || w.cursorsShown().size() > 0);

    // The arrowhead size in the panel: the label just drawn follows.
    const json* arrows = Child(labels[0], "Arrows");
    QVERIFY(arrows != nullptr && !(*arrows)["children"].empty());
    const std::vector<double> headBefore = AnchorBounds((*arrows)["children"][0]);
    QDoubleSpinBox* size = PanelSpin(kItemArrowSize);
    QVERIFY(size != nullptr);
    const double shown = size->value();
    size->setValue(shown * 1.5);
    labels = Labels(Layers());
    const std::vector<double> headAfter = AnchorBounds((*Child(labels[0], "Arrows"))["children"][0]);
    const double before = std::hypot(headBefore[2] - headBefore[0], headBefore[3] - headBefore[1]);
    const double after = std::hypot(headAfter[2] - headAfter[0], headAfter[3] - headAfter[1]);
    QVERIFY2(std::fabs(after / before - 1.5) < 0.02, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
    QCOMPARE(size->value(), shown * 1.5);

    // The shape before taking the label up.
    const json* shape = Shape(labels[0]);
    QVERIFY(shape != nullptr);
    const std::vector<double> shapeBefore = AnchorBounds(*shape);

    // A dialog from the flyout, confirmed with a changed value: the stored
    // settings change.
    const json prefsBefore = w.studio().host.Dump()["prefs"];
    bool confirmed = false;
    WhenModalOpens([&] {
      QDialog* dialog = w.modalWindow();
      if (dialog == nullptr) return;
      QDoubleSpinBox* field = nullptr;
      for (QDoubleSpinBox* spin : dialog->findChildren<QDoubleSpinBox*>()) {
        if (spin->isVisible() && spin->isEnabled() && spin->value() + spin->singleStep() <= spin->maximum()) {
          field = spin;
          break;
        }
      }
      auto* ok = dialog->findChild<QPushButton*>("item1");
      if (field == nullptr || ok == nullptr) {
        dialog->reject();
        return;
      }
      field->setValue(field->value() + field->singleStep());
      ok->click();
      confirmed = true;
    });
    PickFlyout(kFlyoutPosPreferences);
    QVERIFY(confirmed);
    QVERIFY(w.modalWindow() == nullptr);
    QVERIFY(w.studio().host.Dump()["prefs"] != prefsBefore);

    // A click on the first leader line takes the label up; the drag moves it.
    const json& line = (*Child(labels[0], "Lines"))["children"][0];
    const json& a0 = line["anchors"][0];
    const json& a1 = line["anchors"][1];
    const QPointF onLine = Widget((a0[0].get<double>() + a1[0].get<double>()) / 2,
                                  (a0[1].get<double>() + a1[1].get<double>()) / 2);
    DragOn(board, onLine, onLine + QPointF(90, 30));
    labels = Labels(Layers());
    QCOMPARE(labels.size(), std::size_t(1));  // the same label, not a new one
    QCOMPARE((*Child(labels[0], "Lines"))["children"].size(), std::size_t(2));
    const std::vector<double> shapeAfter = AnchorBounds(*Shape(labels[0]));
    QVERIFY2(std::fabs(shapeAfter[2] - shapeAfter[0] - (shapeBefore[2] - shapeBefore[0])) < 0.5,
             "the shape keeps its size");
    QVERIFY2(std::fabs(shapeAfter[0] - shapeBefore[0]) > 5, "the shape moved with the drag");

    // Saved as SVG: both leader lines with their tag, the label's name.
    const std::filesystem::path svg = std::filesystem::path(dir_->path().toStdString()) / "drawing.svg";
    std::string problem;
    QVERIFY(w.SaveSvgTo(svg, &problem));
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    const std::string saved = text.str();
    QVERIFY(saved.rfind("<?xml", 0) == 0 || saved.find("<svg") != std::string::npos);
    std::size_t tagged = 0;
    for (std::size_t at = saved.find("data-tag-lab="); at != std::string::npos; at = saved.find("data-tag-lab=", at + 1)) {
      ++tagged;
    }
    QCOMPARE(tagged, std::size_t(2));
    QVERIFY(saved.find("data-name=\"Label") != std::string::npos);
    QVERIFY(alerts.texts().isEmpty());

    SaveShot(w.grab().toImage(), "window");
    QVERIFY(DistinctColours(w.grab().toImage()) > 8);
    QVERIFY(DistinctColours(w.panel()->grab().toImage()) > 8);
    SaveShot(w.panel()->grab().toImage(), "panel");
  }

  // Opens a dialog with `open`, takes its picture, changes a field, and
  // leaves it with the window's close box: nothing may be stored.
  void ShowAndCancel(const std::function<void()>& open, const std::string& name) {
    const json prefsBefore = window_->studio().host.Dump()["prefs"];
    bool seen = false;
    int colours = 0;
    WhenModalOpens([&] {
      QDialog* dialog = window_->modalWindow();
      if (dialog == nullptr) return;
      const QImage image = dialog->grab().toImage();
      SaveShot(image, name);
      colours = DistinctColours(image);
      if (auto spins = dialog->findChildren<QDoubleSpinBox*>(); !spins.isEmpty()) {
        spins.front()->setValue(spins.front()->value() + spins.front()->singleStep());
      }
      seen = true;
      dialog->reject();
    });
    open();
    QVERIFY2(seen, name.c_str());
    QVERIFY2(colours > 3, name.c_str());
    QVERIFY(window_->modalWindow() == nullptr);
    QCOMPARE(window_->studio().host.Dump()["prefs"], prefsBefore);
  }

  void EveryDialogShowsAndCancels() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    ShowAndCancel([&] { PickFlyout(kFlyoutPosColors); }, "dialog-colors");
    ShowAndCancel([&] { PickFlyout(kFlyoutPosPreferences); }, "dialog-preferences");
    // The preferred free texts: free text chosen in the panel's text popup,
    // then the last entry of the free-text popup.
    auto* mode = w.panel()->findChild<QComboBox*>("item10");
    QVERIFY(mode != nullptr);
    emit mode->activated(2);
    auto* texts = w.panel()->findChild<QComboBox*>("item14");
    QVERIFY(texts != nullptr && texts->isVisible());
    ShowAndCancel([&] { emit texts->activated(texts->count() - 1); }, "dialog-free-texts");
    // About, from the host's Help menu where the plug-in put it.
    auto* help = w.findChild<QMenu*>("menuHelp");
    emit help->aboutToShow();
    // The first command inside the host's "About" sub-menu.
    QAction* about = nullptr;
    std::function<void(QMenu*, bool)> walk = [&](QMenu* m, bool inAbout) {
      for (QAction* a : m->actions()) {
        if (a->menu() != nullptr) walk(a->menu(), inAbout || a->text() == "About");
        else if (about == nullptr && inAbout && a->isEnabled()) about = a;
      }
    };
    walk(help, false);
    QVERIFY(about != nullptr);
    ShowAndCancel([&] { about->trigger(); }, "dialog-about");
  }

  void TextTypedInADialogIsStoredWhenConfirmed() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    auto* mode = w.panel()->findChild<QComboBox*>("item10");
    QVERIFY(mode != nullptr);
    emit mode->activated(2);  // free text
    auto* texts = w.panel()->findChild<QComboBox*>("item14");
    QVERIFY(texts != nullptr);
    bool typed = false;
    WhenModalOpens([&] {
      QDialog* dialog = w.modalWindow();
      if (dialog == nullptr) return;
      QList<QLineEdit*> edits;
      for (QLineEdit* e : dialog->findChildren<QLineEdit*>()) {
        if (e->isVisible() && qobject_cast<QAbstractSpinBox*>(e->parentWidget()) == nullptr) edits << e;
      }
      auto* ok = dialog->findChild<QPushButton*>("item1");
      if (edits.size() < 2 || ok == nullptr) {
        dialog->reject();
        return;
      }
      // The second field, typed over: the text reaches the host when the typing is done.
      edits[1]->setFocus();
      edits[1]->selectAll();
      QTest::keyClicks(edits[1], "Flank");
      QTest::keyClick(edits[1], Qt::Key_Return);
      typed = true;
      ok->click();
    });
    emit texts->activated(texts->count() - 1);
    QVERIFY(typed);
    QVERIFY(w.modalWindow() == nullptr);
    const json prefs = w.studio().host.Dump()["prefs"]["KPXEtiquette"];
    QStringList stored;
    for (const auto& [key, value] : prefs.items()) {
      if (value.is_string()) stored << QString::fromStdString(value.get<std::string>());
    }
    QVERIFY2(stored.contains("Flank"), qPrintable(stored.join(" | ")));
  }

  void ThePluginsToolWaitsForThePlugIn() {
    studio::StudioOptions options;
    options.prefsFile = PrefsFile();
    options.pluginFile = KPX_PLUGIN_FILE;
    window_ = std::make_unique<studio::MainWindow>(options);
    QVERIFY(!window_->pluginToolAction()->isEnabled());
    QVERIFY(window_->panel() == nullptr);
    std::string problem;
    QVERIFY(window_->Launch(&problem));
    QVERIFY(window_->pluginToolAction()->isEnabled());
  }

  void APlugInThatCannotLoadIsReportedAndTheWindowStaysUsable() {
    studio::StudioOptions options;
    options.prefsFile = PrefsFile();
    options.pluginFile = PrefsFile().parent_path() / "no-such-plugin.so";
    window_ = std::make_unique<studio::MainWindow>(options);
    std::string problem;
    QVERIFY(!window_->Launch(&problem));
    QVERIFY(!problem.empty());
    QVERIFY(!window_->pluginToolAction()->isEnabled());
  }

  void APressOnAPaintedPanelButtonRepaintsIt() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    QWidget* ellipse = w.panel()->findChild<QWidget*>("item52");
    QVERIFY(ellipse != nullptr && ellipse->isVisible());
    const QImage before = ellipse->grab().toImage();
    ClickOn(ellipse, QPointF(ellipse->width() / 2.0, ellipse->height() / 2.0));
    QVERIFY(w.studio().host.Dump()["panel"]["items"]["52"]["value"] != 0);
    QVERIFY2(ellipse->grab().toImage() != before, "the chosen shape's button shows it is chosen");
  }

  void FitPageShowsTheWholePageAsLargeAsTheArtboardAllows() {
    studio::MainWindow& w = Open();
    studio::Artboard& board = w.artboard();
    board.SetZoom(7);
    board.FitPage();
    // A new drawing's page is 612 x 792 points; the artboard leaves 24 pixels round it.
    const double expected = std::min((board.width() - 48) / 612.0, (board.height() - 48) / 792.0);
    QVERIFY2(std::fabs(board.zoom() - expected) < 1e-9, qPrintable(QString::number(board.zoom())));
    QCOMPARE(w.studio().host.document().zoom, expected);
    const QPointF bottomLeft = board.ToWidget({0, 0}), topRight = board.ToWidget({612, 792});
    QVERIFY(bottomLeft.x() >= 23.9 && topRight.x() <= board.width() - 23.9);
    QVERIFY(topRight.y() >= 23.9 && bottomLeft.y() <= board.height() - 23.9);
  }

  void TheSelectionToolMovesAndDeletesArtBehindThePluginsBack() {
    studio::MainWindow& w = Open();
    w.artboard().SetZoom(2);
    QVERIFY(w.studio().user.AddRect(100, 100, 50, 40, true).done());
    // Pressing inside the filled rectangle selects it; dragging 20 pixels moves it 10 points.
    DragOn(&w.artboard(), Widget(120, 120), Widget(120, 120) + QPointF(20, -20));
    json art = Layers()[0]["art"];
    QCOMPARE(art.size(), std::size_t(1));
    const std::vector<double> b = AnchorBounds(art[0]);
    QVERIFY2(std::fabs(b[0] - 110) < 0.01 && std::fabs(b[1] - 110) < 0.01,
             qPrintable(QString("%1 %2").arg(b[0]).arg(b[1])));
    QTest::keyClick(&w.artboard(), Qt::Key_Delete);
    QVERIFY(Layers()[0]["art"].empty());
    // A press on nothing selects nothing, and Delete then deletes nothing.
    QVERIFY(w.studio().user.AddRect(300, 300, 10, 10, false).done());
    ClickOn(&w.artboard(), Widget(200, 200));
    QTest::keyClick(&w.artboard(), Qt::Key_Delete);
    QCOMPARE(Layers()[0]["art"].size(), std::size_t(1));
  }

  void KeysHeldReachThePluginsKeyboard() {
    studio::MainWindow& w = Open();
    QTest::keyPress(&w.artboard(), Qt::Key_Shift);
    QVERIFY(w.studio().host.keyboard().IsDown(VK_SHIFT));
    QTest::keyPress(&w.artboard(), Qt::Key_Space);
    QVERIFY(w.studio().host.keyboard().IsDown(VK_SPACE));
    QTest::keyRelease(&w.artboard(), Qt::Key_Shift);
    QVERIFY(!w.studio().host.keyboard().IsDown(VK_SHIFT));
    QVERIFY(w.studio().host.keyboard().IsDown(VK_SPACE));
    QTest::keyRelease(&w.artboard(), Qt::Key_Space);
  }

  void ClosingWithADialogOpenCancelsItAndKeepsEverything() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    DragOn(&w.artboard(), Widget(150, 300), Widget(220, 420));
    QCOMPARE(Labels(Layers()).size(), std::size_t(1));
    bool closed = false;
    WhenModalOpens([&] {
      w.close();  // from inside the dialog's loop
      closed = true;
    });
    PickFlyout(kFlyoutPosColors);
    QVERIFY(closed);
    QTRY_VERIFY(!w.isVisible());
    // The plug-in was shut down (its panel keys stored, the file written),
    // once the person was asked about the drawing's changes.
    QVERIFY(std::filesystem::exists(PrefsFile()));
    QCOMPARE(answers_->asked.size(), 1);
    QVERIFY(!w.studio().host.launched());
  }

  void ClosingWhileDraggingFinishesTheLabelWhereItIs() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    QWidget* board = &w.artboard();
    const QPointF from = Widget(150, 300), to = Widget(260, 380);
    Mouse(board, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    Mouse(board, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(board, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    QVERIFY(w.artboard().dragging());
    answers_->next = {2};  // Cancel: the window stays, the label is finished
    w.close();
    QVERIFY(!w.artboard().dragging());
    QVERIFY(w.studio().host.launched());
    QCOMPARE(Labels(Layers()).size(), std::size_t(1));
    w.WriteRecoveryCopyNow();
    QVERIFY(ReadText(w.RecoveryCopyFile()).find("data-name=\"Label") != std::string::npos);
  }
};

QTEST_MAIN(StudioWindowTest)
#include "StudioWindowTest.moc"
