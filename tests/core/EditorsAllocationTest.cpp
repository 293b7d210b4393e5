// The editors' canvas draws and tracks without allocating: the count of
// operator new is armed only while the plug-in's own canvas procedures run,
// and paused again whenever they call into the host, whose toolkit records
// display lists and may allocate as it likes.
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "ModalSteps.h"
#include "editors/Editors.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/toolkit/Toolkit.h"

namespace {
bool gCounting = false;
long gAllocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (gCounting) ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// While the host runs on the plug-in's behalf, its allocations are its own.
struct HostRuns {
  bool was = gCounting;
  HostRuns() { gCounting = false; }
  ~HostRuns() { gCounting = was; }
};

// One suite operation relayed to the host's own table with the count paused.
template <auto Operation>
struct Relay;
template <class Table, class R, class... A, R (*Table::*Operation)(A...)>
struct Relay<Operation> {
  static inline const Table* host = nullptr;
  static R Call(A... args) {
    HostRuns pause;
    return (host->*Operation)(args...);
  }
};

#define RELAY(Table, copy, op)                   \
  Relay<&Table::op>::host = original##Table;     \
  copy.op = &Relay<&Table::op>::Call

// The suites the editors call, every operation relayed. An operation left
// out would run with the count armed and fail the test, never pass it.
struct RelayedSuites {
  ADMDrawerSuite drawer;
  ADMItemSuite item;
  ADMDialogSuite dialog;
  ADMTrackerSuite tracker;
  ADMBasicSuite basic;
  const void* saved[5];

  void Install() {
    const ADMDrawerSuite* originalADMDrawerSuite = sADMDrawer.get();
    const ADMItemSuite* originalADMItemSuite = sADMItem.get();
    const ADMDialogSuite* originalADMDialogSuite = sADMDialog.get();
    const ADMTrackerSuite* originalADMTrackerSuite = sADMTracker.get();
    const ADMBasicSuite* originalADMBasicSuite = sADMBasic.get();
    drawer = *originalADMDrawerSuite;
    item = *originalADMItemSuite;
    dialog = *originalADMDialogSuite;
    tracker = *originalADMTrackerSuite;
    basic = *originalADMBasicSuite;
    RELAY(ADMDrawerSuite, drawer, GetBoundsRect);
    RELAY(ADMDrawerSuite, drawer, Clear);
    RELAY(ADMDrawerSuite, drawer, ClearRect);
    RELAY(ADMDrawerSuite, drawer, SetADMColor);
    RELAY(ADMDrawerSuite, drawer, SetRGBColor);
    RELAY(ADMDrawerSuite, drawer, GetRGBColor);
    RELAY(ADMDrawerSuite, drawer, SetFont);
    RELAY(ADMDrawerSuite, drawer, GetFont);
    RELAY(ADMDrawerSuite, drawer, DrawLine);
    RELAY(ADMDrawerSuite, drawer, DrawRect);
    RELAY(ADMDrawerSuite, drawer, FillRect);
    RELAY(ADMDrawerSuite, drawer, DrawSunkenRect);
    RELAY(ADMDrawerSuite, drawer, DrawRaisedRect);
    RELAY(ADMDrawerSuite, drawer, DrawOval);
    RELAY(ADMDrawerSuite, drawer, FillOval);
    RELAY(ADMDrawerSuite, drawer, DrawPolygon);
    RELAY(ADMDrawerSuite, drawer, FillPolygon);
    RELAY(ADMDrawerSuite, drawer, DrawText);
    RELAY(ADMDrawerSuite, drawer, DrawTextLeft);
    RELAY(ADMDrawerSuite, drawer, DrawTextCentered);
    RELAY(ADMDrawerSuite, drawer, DrawTextRight);
    RELAY(ADMDrawerSuite, drawer, DrawTextInABox);
    RELAY(ADMDrawerSuite, drawer, DrawIcon);
    RELAY(ADMDrawerSuite, drawer, DrawResPicture);
    RELAY(ADMDrawerSuite, drawer, GetTextWidth);
    RELAY(ADMItemSuite, item, GetDialog);
    RELAY(ADMItemSuite, item, GetID);
    RELAY(ADMItemSuite, item, Invalidate);
    RELAY(ADMItemSuite, item, SetFloatValue);
    RELAY(ADMItemSuite, item, GetFloatValue);
    RELAY(ADMItemSuite, item, SetBooleanValue);
    RELAY(ADMItemSuite, item, GetBooleanValue);
    RELAY(ADMItemSuite, item, SetText);
    RELAY(ADMItemSuite, item, SetTipString);
    RELAY(ADMItemSuite, item, Enable);
    RELAY(ADMItemSuite, item, Show);
    RELAY(ADMItemSuite, item, Activate);
    RELAY(ADMItemSuite, item, SelectAll);
    RELAY(ADMItemSuite, item, SetPictureID);
    RELAY(ADMItemSuite, item, SetSelectedPictureID);
    RELAY(ADMItemSuite, item, DefaultTrack);
    RELAY(ADMItemSuite, item, GetList);
    RELAY(ADMDialogSuite, dialog, GetItem);
    RELAY(ADMDialogSuite, dialog, Invalidate);
    RELAY(ADMDialogSuite, dialog, GetBoundsRect);
    RELAY(ADMTrackerSuite, tracker, GetPoint);
    RELAY(ADMTrackerSuite, tracker, GetAction);
    RELAY(ADMTrackerSuite, tracker, TestAction);
    RELAY(ADMTrackerSuite, tracker, GetModifiers);
    RELAY(ADMTrackerSuite, tracker, TestModifier);
    RELAY(ADMTrackerSuite, tracker, Abort);
    RELAY(ADMBasicSuite, basic, SetPlatformCursor);
    saved[0] = sADMDrawer.slot;
    saved[1] = sADMItem.slot;
    saved[2] = sADMDialog.slot;
    saved[3] = sADMTracker.slot;
    saved[4] = sADMBasic.slot;
    sADMDrawer.slot = &drawer;
    sADMItem.slot = &item;
    sADMDialog.slot = &dialog;
    sADMTracker.slot = &tracker;
    sADMBasic.slot = &basic;
  }
  void Remove() {
    sADMDrawer.slot = saved[0];
    sADMItem.slot = saved[1];
    sADMDialog.slot = saved[2];
    sADMTracker.slot = saved[3];
    sADMBasic.slot = saved[4];
  }
};

// The canvas's own procedures, with the count armed while they run.
ADMItemDrawProc gCanvasDraw = nullptr;
ADMItemTrackProc gCanvasTrack = nullptr;
int gDraws = 0, gTracks = 0;
void CountedDraw(ADMItemRef item, ADMDrawerRef drawer) {
  ++gDraws;
  gCounting = true;
  gCanvasDraw(item, drawer);
  gCounting = false;
}
ASBoolean CountedTrack(ADMItemRef item, ADMTrackerRef tracker) {
  ++gTracks;
  gCounting = true;
  const ASBoolean changed = gCanvasTrack(item, tracker);
  gCounting = false;
  return changed;
}

class EditorsAllocation : public ModalDialogTest {
 protected:

  // Counts what the canvas allocates over a gesture: hover, press on the
  // selected point, drags across the canvas with and without Shift, release,
  // each followed by a paint of the dialog, in move mode then in add/delete
  // mode (hover and press).
  long AllocationsOverGestures(ADMDialogRef d, int32_t canvasId, int32_t addDeleteButton) {
    hostsim::toolkit::Item* canvas = kit().ItemById(d, canvasId);
    EXPECT_NE(canvas, nullptr);
    if (canvas == nullptr) return -1;
    gCanvasDraw = canvas->drawProc;
    gCanvasTrack = canvas->trackProc;
    canvas->drawProc = &CountedDraw;
    canvas->trackProc = &CountedTrack;
    RelayedSuites relayed;
    relayed.Install();
    const auto gesture = [&] {
      kit().Track(d, canvasId, kADMMouseMovedUpAction, {200, 130});
      kit().Track(d, canvasId, kADMButtonDownAction, {200, 130});
      for (int step = 0; step < 20; ++step) {
        const int32_t modifiers = step % 2 == 0 ? 0 : kADMShiftKeyFlag;
        kit().Track(d, canvasId, kADMMouseMovedDownAction, {ADMInt(150 + 10 * step), ADMInt(60 + 7 * step)},
                    modifiers);
        kit().Paint(d);
      }
      kit().Track(d, canvasId, kADMButtonUpAction, {340, 193});
      kit().Paint(d);
    };
    gesture();  // anything made once, on first use, is not counted
    gAllocations = 0;
    gDraws = gTracks = 0;
    gesture();
    EXPECT_EQ(kit().Click(d, addDeleteButton, 0), hostsim::toolkit::ActionStatus::kDone);
    for (int step = 0; step < 20; ++step) {
      kit().Track(d, canvasId, kADMMouseMovedUpAction, {ADMInt(100 + 15 * step), ADMInt(40 + 9 * step)});
      kit().Paint(d);
    }
    kit().Track(d, canvasId, kADMButtonDownAction, {250, 120});
    kit().Track(d, canvasId, kADMButtonUpAction, {250, 120});
    kit().Paint(d);
    relayed.Remove();
    const long counted = gAllocations;
    // Every paint drew the canvas and every event reached its tracking.
    EXPECT_EQ(gDraws, 20 + 1 + 20 + 1);
    EXPECT_GE(gTracks, 2 + 20 + 1 + 20);
    if (kit().ItemById(d, canvasId) != nullptr) {
      canvas->drawProc = gCanvasDraw;
      canvas->trackProc = gCanvasTrack;
    }
    return counted;
  }

  static int32_t ADMInt(int v) { return static_cast<int32_t>(v); }

};

constexpr int32_t kCanvas = 12, kAddDeleteMode = 9, kCancel = 2;

TEST_F(EditorsAllocation, TheArrowsEditorsCanvasDrawsAndTracksWithoutAllocating) {
  long counted = -1;
  bool drawn = false;
  screen_->Reset({[&](ADMDialogRef d) {
    counted = AllocationsOverGestures(d, kCanvas, kAddDeleteMode);
    drawn = kit().Paint(d) != nullptr;
    kit().Click(d, kCancel, 0);
  }});
  EXPECT_EQ(RunArrowsEditor(), kNoErr);
  EXPECT_TRUE(drawn);
  EXPECT_EQ(counted, 0);
}

TEST_F(EditorsAllocation, TheShapeEditorsCanvasDrawsAndTracksWithoutAllocating) {
  long counted = -1;
  screen_->Reset({[&](ADMDialogRef d) {
    counted = AllocationsOverGestures(d, kCanvas, kAddDeleteMode);
    kit().Click(d, kCancel, 0);
  }});
  EXPECT_EQ(RunShapeEditor("bidon"), kNoErr);
  EXPECT_EQ(counted, 0);
}

// The count itself works: an allocation made while armed is seen.
TEST(AllocationCount, SeesAnAllocationMadeWhileArmed) {
  gAllocations = 0;
  gCounting = true;
  std::vector<int> made(100);
  gCounting = false;
  EXPECT_EQ(gAllocations, 1);
  EXPECT_EQ(made.size(), 100u);
}

}  // namespace
