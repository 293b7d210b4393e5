// Undo and redo in the host, driven through the studio's window: every kind
// of step (art added, a layer, a selection moved and deleted, a click and a
// drag of the labels tool, a panel change, a dialog's OK) is undone and
// redone, and the document compared with what it was, names and tags
// included. A label the plug-in still holds as pending is undone, and the
// next label is drawn and taken up as usual.
#include <QtTest>

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include "apps/labels-studio/Artboard.h"
#include "apps/labels-studio/MainWindow.h"
#include "apps/labels-studio/PanelWindow.h"
#include "hostsim/document/DocumentApi.h"
#include "plugin/panel/PanelIds.h"
#include "tests/studio/StudioTestKit.h"

using namespace studiotest;
using nlohmann::json;
namespace fs = std::filesystem;

class StudioUndoTest : public QObject {
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
  json Layers() { return hostsim::DumpLayers(window_->studio().host.document()); }
  QPointF Widget(double x, double y) { return window_->artboard().ToWidget({x, y}); }
  void SelectPluginTool() {
    window_->pluginToolAction()->trigger();
    QVERIFY(window_->studio().host.tools().PluginToolSelected());
  }
  void SelectSelectionTool() {
    window_->selectionToolAction()->trigger();
    QVERIFY(!window_->studio().host.tools().PluginToolSelected());
  }
  QDoubleSpinBox* PanelSpin(int32_t id) {
    QWidget* item = window_->panel()->findChild<QWidget*>(QString("item%1").arg(id));
    return item != nullptr ? item->findChild<QDoubleSpinBox*>() : nullptr;
  }
  // The leader line's middle, in widget pixels, of the label at index i.
  QPointF OnFirstLine(const json& label) {
    const json& line = (*Child(label, "Lines"))["children"][0];
    const json& a0 = line["anchors"][0];
    const json& a1 = line["anchors"][1];
    return Widget((a0[0].get<double>() + a1[0].get<double>()) / 2, (a0[1].get<double>() + a1[1].get<double>()) / 2);
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

  void EveryKindOfStepIsUndoneAndRedoneExactly() {
    studio::MainWindow& w = Open();
    hostsim::UserActions& user = w.studio().user;
    w.artboard().SetZoom(1.5);
    std::vector<json> states{Layers()};
    auto step = [&](const char* what) {
      w.Refresh();
      const json now = Layers();
      QVERIFY2(now != states.back(), what);
      states.push_back(now);
      QCOMPARE(w.studio().host.history().undoLevels(), states.size() - 1);
    };

    QVERIFY(user.AddLayer("Notes", false, false).done());
    step("a layer added");
    QVERIFY(user.AddRect(100, 100, 50, 40, true).done());
    step("a rectangle drawn");
    // The selection tool's drag: four moves, one step.
    SelectSelectionTool();
    DragOn(&w.artboard(), Widget(120, 120), Widget(120, 120) + QPointF(30, -15), 4);
    step("the rectangle moved");
    w.DeleteCommand();
    step("the rectangle deleted");
    // The labels tool: a click (a tip), then a press, drags and a release (the label).
    SelectPluginTool();
    ClickOn(&w.artboard(), Widget(200, 400));
    step("a tip clicked");
    DragOn(&w.artboard(), Widget(240, 400), Widget(260, 300), 6);
    step("the label dragged into place");
    QCOMPARE(Labels(Layers()).size(), std::size_t(1));
    // A panel change that rebuilds the pending label.
    QDoubleSpinBox* size = PanelSpin(kItemArrowSize);
    QVERIFY(size != nullptr);
    size->setValue(size->value() * 1.5);
    step("the arrowheads made larger in the panel");

    // Undone one by one back to the start, then redone to the end.
    for (std::size_t i = states.size() - 1; i-- > 0;) {
      QVERIFY(w.undoAction()->isEnabled());
      w.undoAction()->trigger();
      QVERIFY2(Layers() == states[i], qPrintable(QString("undo to state %1").arg(i)));
    }
    QVERIFY(!w.undoAction()->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
      QVERIFY(w.redoAction()->isEnabled());
      w.redoAction()->trigger();
      QVERIFY2(Layers() == states[i], qPrintable(QString("redo to state %1").arg(i)));
    }
    QVERIFY(!w.redoAction()->isEnabled());
    // A new step after an undo leaves nothing to redo.
    w.UndoCommand();
    QVERIFY(user.AddRect(10, 10, 5, 5, false).done());
    w.Refresh();
    QVERIFY(!w.redoAction()->isEnabled());
  }

  void ADialogsOkThatRebuildsIsOneStep() {
    studio::MainWindow& w = Open();
    SelectPluginTool();
    DragOn(&w.artboard(), Widget(150, 300), Widget(230, 420));
    const json before = Layers();
    const std::size_t levels = w.studio().host.history().undoLevels();
    bool confirmed = false;
    WhenModalOpens([&] {
      QDialog* dialog = w.modalWindow();
      if (dialog == nullptr) return;
      // Every field one step up, then OK: the pending label takes the new colours and sizes.
      for (QDoubleSpinBox* spin : dialog->findChildren<QDoubleSpinBox*>()) {
        if (spin->isVisible() && spin->isEnabled() && spin->value() + spin->singleStep() <= spin->maximum()) {
          spin->setValue(spin->value() + spin->singleStep());
        }
      }
      auto* ok = dialog->findChild<QPushButton*>("item1");
      if (ok == nullptr) {
        dialog->reject();
        return;
      }
      ok->click();
      confirmed = true;
    });
    w.panel()->FillFlyout();
    w.panel()->flyoutButton()->menu()->actions()[kFlyoutPosColors]->trigger();
    QVERIFY(confirmed);
    QVERIFY2(Layers() != before, "the dialog's OK rebuilt the label");
    QCOMPARE(w.studio().host.history().undoLevels(), levels + 1);
    w.UndoCommand();
    QCOMPARE(Layers(), before);
  }

  void UndoingThePendingLabelLetsTheNextOneBeDrawnAndTakenUp() {
    studio::MainWindow& w = Open();
    w.artboard().SetZoom(2);
    SelectPluginTool();
    const json empty = Layers();
    QVERIFY(empty[0]["art"].empty());
    // The label the plug-in still holds as pending, undone: its art is gone.
    DragOn(&w.artboard(), Widget(150, 300), Widget(200, 360));
    QCOMPARE(Labels(Layers()).size(), std::size_t(1));
    w.UndoCommand();
    QCOMPARE(Layers(), empty);
    const int deadWritesBefore = w.studio().host.document().deadHandleWrites;

    // The next label is drawn as usual, as the only one.
    DragOn(&w.artboard(), Widget(100, 200), Widget(160, 260));
    std::vector<json> labels = Labels(Layers());
    QCOMPARE(labels.size(), std::size_t(1));
    QCOMPARE((*Child(labels[0], "Lines"))["children"].size(), std::size_t(1));
    const std::vector<double> shapeBefore = AnchorBounds(*Shape(labels[0]));

    // Taken up by its leader line and dragged: the same label moves.
    const QPointF on = OnFirstLine(labels[0]);
    DragOn(&w.artboard(), on, on + QPointF(60, 30));
    labels = Labels(Layers());
    QCOMPARE(labels.size(), std::size_t(1));
    QCOMPARE((*Child(labels[0], "Lines"))["children"].size(), std::size_t(1));
    const std::vector<double> shapeAfter = AnchorBounds(*Shape(labels[0]));
    QVERIFY2(shapeAfter != shapeBefore, "the label follows the drag");
    QVERIFY2(w.studio().host.document().deadHandleWrites == deadWritesBefore, "no write went to the undone label");

    // The taking up is a step of its own: undone, the label is back where it was drawn.
    w.UndoCommand();
    QCOMPARE(AnchorBounds(*Shape(Labels(Layers())[0])), shapeBefore);
  }

  void TheHistoryIsDroppedOnNewAndOpen() {
    studio::MainWindow& w = Open();
    QVERIFY(w.studio().user.AddRect(100, 100, 50, 40, true).done());
    w.Refresh();
    QVERIFY(w.undoAction()->isEnabled());
    answers_->next = {1};
    QVERIFY(w.NewCommand());
    QVERIFY(!w.undoAction()->isEnabled());
    QVERIFY(w.studio().user.AddRect(100, 100, 50, 40, true).done());
    std::string problem;
    QVERIFY(w.SaveSvgTo(Dir() / "one.svg", &problem));
    QVERIFY(w.OpenSvgFrom(Dir() / "one.svg", &problem));
    QVERIFY(!w.undoAction()->isEnabled());
    QVERIFY(!w.redoAction()->isEnabled());
  }

  void RubberBandShiftClickAndNudgeSelectAndMoveAsOneStepEach() {
    studio::MainWindow& w = Open();
    hostsim::UserActions& user = w.studio().user;
    w.artboard().SetZoom(2);
    QVERIFY(user.AddRect(100, 100, 20, 20, true).done());
    QVERIFY(user.AddRect(200, 100, 20, 20, true).done());
    QVERIFY(user.AddRect(300, 100, 20, 20, true).done());
    SelectSelectionTool();
    // A band from (90, 90) to (230, 130) meets the first two only.
    DragOn(&w.artboard(), Widget(90, 90), Widget(230, 130));
    std::optional<AIRealRect> b = user.SelectionBounds();
    QVERIFY(b.has_value());
    QCOMPARE(b->left, 100.0f);
    QCOMPARE(b->right, 220.0f);
    // Shift-click adds the third, then takes the first away.
    Mouse(&w.artboard(), QEvent::MouseButtonPress, Widget(310, 110), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Mouse(&w.artboard(), QEvent::MouseButtonRelease, Widget(310, 110), Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    Mouse(&w.artboard(), QEvent::MouseButtonPress, Widget(110, 110), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Mouse(&w.artboard(), QEvent::MouseButtonRelease, Widget(110, 110), Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    b = user.SelectionBounds();
    QCOMPARE(b->left, 200.0f);
    QCOMPARE(b->right, 320.0f);
    // Arrows nudge one point, ten with Shift (y up); each nudge one step.
    const std::size_t levels = w.studio().host.history().undoLevels();
    w.artboard().setFocus();
    QTest::keyClick(&w.artboard(), Qt::Key_Right);
    QTest::keyClick(&w.artboard(), Qt::Key_Up, Qt::ShiftModifier);
    b = user.SelectionBounds();
    QCOMPARE(b->left, 201.0f);
    QCOMPARE(b->bottom, 110.0f);
    QCOMPARE(w.studio().host.history().undoLevels(), levels + 2);
    w.UndoCommand();
    QCOMPARE(user.SelectionBounds()->bottom, 100.0f);
  }

  void UndoAndQuitShortcutsWorkAfterAPanelFieldHadTheFocus() {
    studio::MainWindow& w = Open();
    QVERIFY(w.studio().user.AddRect(100, 100, 50, 40, true).done());
    w.Refresh();
    QDoubleSpinBox* size = PanelSpin(kItemArrowSize);
    QVERIFY(size != nullptr);
    QLineEdit* field = size->findChild<QLineEdit*>();
    QVERIFY(field != nullptr);
    w.panel()->activateWindow();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Layers()[0]["art"].size(), std::size_t(0));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Layers()[0]["art"].size(), std::size_t(1));
    // Text keys stay the field's: Delete edits the number, not the drawing.
    w.SelectAllCommand();
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(Layers()[0]["art"].size(), std::size_t(1));
    QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!w.isVisible());
  }
};

QTEST_MAIN(StudioUndoTest)
#include "StudioUndoTest.moc"
