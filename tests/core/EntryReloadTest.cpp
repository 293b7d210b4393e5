// A "Reload" access message that brings no parked state block, sent while
// the plug-in runs: the plug-in keeps the state block it has.
#include "PluginHost.h"
#include "hostsim/UserActions.h"

namespace {

using EntryReload = PluginHostTest;

TEST_F(EntryReload, AReloadWithoutAParkedBlockKeepsThePluginsState) {
  hostsim::Host& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  hostsim::UserActions person(h);
  ASSERT_TRUE(person.SelectTool().done());
  ASSERT_TRUE(person.ItemValue(8, 1.5).done());

  ASSERT_EQ(h.globals(), nullptr) << "the host parked a block: the message would bring one";
  SPAccessMessage reload{};
  ASSERT_EQ(h.SendRaw(kSPAccessCaller, kSPAccessReloadSelector, &reload), kNoErr);

  // The line width typed before the message is still the one drawn with.
  const hostsim::ActionResult down = person.MouseDown({100, 100});
  EXPECT_EQ(down.code(), kNoErr);
  EXPECT_EQ(person.Drag({180, 160}).code(), kNoErr);
  EXPECT_EQ(person.MouseUp({180, 160}).code(), kNoErr);
  const nlohmann::json art = h.Dump()["layers"][0]["art"];
  ASSERT_EQ(art.size(), 1u) << "no label was drawn";
  const nlohmann::json& lines = art[0]["children"][1];
  ASSERT_EQ(lines["name"], "Lines");
  EXPECT_DOUBLE_EQ(lines["children"][0]["stroke"]["width"].get<double>(), 1.5);
}

}  // namespace
