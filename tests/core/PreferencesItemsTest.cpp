// Items of the Preferences dialog that a look-up by id cannot tell apart or
// that lie outside the collapsed dialog, with the real library.
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ModalScreen.h"
#include "PluginHost.h"
#include "hostsim/UserActions.h"
#include "hostsim/suites/FaultInjector.h"
#include "hostsim/toolkit/Item.h"
#include "hostsim/toolkit/Toolkit.h"

namespace {

using hostsim::toolkit::ActionStatus;
using nlohmann::json;

constexpr int32_t kSize = 13, kArrowsOrPoints = 23, kExpand = 51, kFontShift = 52, kFontShiftArea = 53;
constexpr int32_t kPreferencesFlyout = 7;

class PreferencesItems : public PluginHostTest {
 protected:
  // Launches with the tool selected and runs `step` in the Preferences dialog.
  void InPreferences(const std::function<void(ADMDialogRef)>& step) {
    auto screen = std::make_unique<ModalScreen>();
    int opened = 0;
    screen->onModal = [&](hostsim::Host&, ADMDialogRef d) {
      ++opened;
      step(d);
    };
    host().SetFrontEnd(std::move(screen));
    ASSERT_EQ(host().Launch(), kNoErr);
    hostsim::UserActions user(host());
    ASSERT_TRUE(user.SelectTool().done());
    ASSERT_TRUE(user.FlyoutPick(kPreferencesFlyout).done());
    EXPECT_EQ(opened, 1);
  }

  hostsim::toolkit::Toolkit& kit() { return host().dialogs(); }
  json ItemOf(int32_t id) { return kit().DumpDialog()["items"][std::to_string(id)]; }

  // The dialog's items with that id, in the order they were made.
  std::vector<const hostsim::toolkit::Item*> WithId(ADMDialogRef d, int32_t id) {
    std::vector<const hostsim::toolkit::Item*> found;
    for (std::uintptr_t handle : kit().Find(d)->items) {
      const hostsim::toolkit::Item* item = kit().FindItem(reinterpret_cast<ADMItemRef>(handle));
      if (item != nullptr && item->id == id) found.push_back(item);
    }
    return found;
  }
};

// The click area beside the size field and the Default button share id 3: the
// area's tooltip follows arrows or points even when no item can be looked up.
TEST_F(PreferencesItems, TheSizeAreaFollowsArrowsOrPointsWithoutALookUpByTheIdItSharesWithDefault) {
  OpenHost();
  InPreferences([&](ADMDialogRef d) {
    const auto threes = WithId(d, 3);
    ASSERT_EQ(threes.size(), 2u);
    const auto* area = threes[0];
    const auto* button = threes[1];
    ASSERT_EQ(area->bounds.left, 13);
    ASSERT_EQ(button->text, "Default");
    EXPECT_EQ(area->tooltip, "Arrowheads size by default (from 0%).");
    const auto refused = host().faults().Add(hostsim::FaultRule::Of(kADMDialogSuite, "GetItem").Onward());
    EXPECT_EQ(kit().Click(d, kArrowsOrPoints), ActionStatus::kDone);
    host().faults().Remove(refused);
    EXPECT_EQ(area->tooltip, "Points size by default (from 0%).");
    EXPECT_EQ(button->tooltip, "Back to the original settings.");
  });
}

TEST_F(PreferencesItems, TheFontShiftFieldAndItsAreaAreHiddenAndInertUntilTheDialogIsExpanded) {
  FirstStart();
  OpenHost();
  prefs().Put(kSection, "VariablePolice", 2);
  InPreferences([&](ADMDialogRef d) {
    for (const int32_t id : {kFontShift, kFontShiftArea}) {
      EXPECT_FALSE(ItemOf(id)["visible"].get<bool>()) << id;
      EXPECT_EQ(kit().Click(d, id), ActionStatus::kIgnored) << id;
    }
    EXPECT_EQ(kit().SetValue(d, kFontShift, 4), ActionStatus::kIgnored);
    EXPECT_FALSE(ItemOf(kFontShift)["active"].get<bool>()) << "a click below the edge took the focus";
    EXPECT_EQ(ItemOf(kFontShift)["value"], 2);

    ASSERT_EQ(kit().Click(d, kExpand), ActionStatus::kDone);
    EXPECT_TRUE(ItemOf(kFontShift)["visible"].get<bool>());
    EXPECT_TRUE(ItemOf(kFontShiftArea)["visible"].get<bool>());
    ASSERT_EQ(kit().Click(d, kSize), ActionStatus::kDone);
    EXPECT_EQ(kit().Click(d, kFontShiftArea), ActionStatus::kDone);
    EXPECT_TRUE(ItemOf(kFontShift)["active"].get<bool>());

    ASSERT_EQ(kit().Click(d, kExpand), ActionStatus::kDone);  // collapsed again
    EXPECT_FALSE(ItemOf(kFontShift)["visible"].get<bool>());
    EXPECT_FALSE(ItemOf(kFontShiftArea)["visible"].get<bool>());
  });
}

}  // namespace
