// The host's own selection tool and a new drawing: what a person does to art
// without the plug-in's tool, checked in the dump.
#include <cmath>
#include <limits>

#include "TestSupport.h"
#include "hostsim/Host.h"
#include "hostsim/document/Document.h"
#include "hostsim/UserActions.h"

namespace {

using hostsim::ActionStatus;
using hostsim::Host;
using hostsim::HostOptions;
using nlohmann::json;

class UserSelection : public ::testing::Test {
 protected:
  hostsim_test::ScratchDir dir;
  Host host{HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN}};
  hostsim::UserActions user{host};

  json Layer(std::size_t i = 0) { return host.Dump()["layers"][i]; }
  // The first anchor of the path at the top-level place i of layer 0.
  std::pair<double, double> FirstAnchor(const json& art) { return {art["anchors"][0][0], art["anchors"][0][1]}; }
};

TEST_F(UserSelection, APressOnAGroupsPathSelectsTheWholeGroupAndMovesItAsOne) {
  // A group made by the SVG reader: two paths inside one group, and a loose rectangle.
  const auto svg = dir / "two.svg";
  hostsim_test::WriteFile(svg,
                          "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 200 100'>"
                          "<g id='pair'><path d='M 10 10 L 50 10' stroke='black'/>"
                          "<path d='M 10 30 L 50 30' stroke='black'/></g>"
                          "<rect x='120' y='20' width='40' height='40' fill='grey'/></svg>");
  ASSERT_TRUE(user.OpenSvg(svg).ok);
  // y up: the file's y = 30 is 70 in the document (a 100 pt tall page).
  ASSERT_TRUE(user.SelectAt({30, 70.5f}, 1).done());
  const auto bounds = user.SelectionBounds();
  ASSERT_TRUE(bounds.has_value());
  EXPECT_NEAR(bounds->left, 10, 1e-4);
  EXPECT_NEAR(bounds->right, 50, 1e-4);
  EXPECT_NEAR(bounds->bottom, 70, 1e-4);
  EXPECT_NEAR(bounds->top, 90, 1e-4);

  ASSERT_TRUE(user.MoveSelection(5, -2.5).done());
  ASSERT_TRUE(user.MoveSelection(1, 1).done());  // moves add up
  const json art = Layer()["art"];
  ASSERT_EQ(art.size(), 2u);
  const json& group = art[1].value("type", "") == "group" ? art[1] : art[0];
  const json& rect = art[1].value("type", "") == "group" ? art[0] : art[1];
  for (const json& path : group["children"]) {
    const double y = path["anchors"][0][1];
    EXPECT_NEAR(path["anchors"][0][0].get<double>(), 16, 1e-4);
    EXPECT_TRUE(std::fabs(y - 88.5) < 1e-4 || std::fabs(y - 68.5) < 1e-4) << y;
  }
  // The rectangle was not selected and stays where it was.
  double minX = 1e9;
  for (const json& a : rect["anchors"]) minX = std::min(minX, a[0].get<double>());
  EXPECT_NEAR(minX, 120, 1e-4);
}

TEST_F(UserSelection, SelectingAnotherOrNothingDropsTheFormerSelection) {
  ASSERT_TRUE(user.AddRect(0, 0, 10, 10, true).done());
  ASSERT_TRUE(user.AddRect(100, 100, 10, 10, true).done());
  ASSERT_TRUE(user.SelectAt({5, 5}, 0.5).done());
  ASSERT_TRUE(user.SelectAt({105, 105}, 0.5).done());
  EXPECT_NEAR(user.SelectionBounds()->left, 100, 1e-4);
  EXPECT_EQ(user.SelectAt({50, 50}, 0.5).status, ActionStatus::NoItem);
  EXPECT_FALSE(user.SelectionBounds().has_value());
  EXPECT_EQ(user.DeleteSelection().status, ActionStatus::NoItem);
  EXPECT_EQ(Layer()["art"].size(), 2u);
}

TEST_F(UserSelection, DeletingTakesOnlyTheSelectedArt) {
  ASSERT_TRUE(user.AddRect(0, 0, 10, 10, true).done());
  ASSERT_TRUE(user.AddLine({100, 0}, {200, 0}).done());
  // The line is unfilled: a press 2 pt beside it misses with tolerance 1 and hits with 3.
  EXPECT_EQ(user.SelectAt({150, 2}, 1).status, ActionStatus::NoItem);
  ASSERT_TRUE(user.SelectAt({150, 2}, 3).done());
  ASSERT_TRUE(user.DeleteSelection().done());
  const json art = Layer()["art"];
  ASSERT_EQ(art.size(), 1u);
  EXPECT_TRUE(art[0]["closed"].get<bool>());
}

TEST_F(UserSelection, ArtOnALockedLayerCannotBeSelected) {
  ASSERT_TRUE(user.AddRect(0, 0, 10, 10, true).done());
  ASSERT_TRUE(user.AddLayer("Locked", true, false).done());
  ASSERT_TRUE(user.AddRect(0, 0, 10, 10, true).done());
  // The press finds the rectangle of the unlocked layer below.
  ASSERT_TRUE(user.SelectAt({5, 5}, 0.5).done());
  ASSERT_TRUE(user.DeleteSelection().done());
  EXPECT_EQ(Layer(0)["art"].size(), 1u);
  EXPECT_EQ(Layer(1)["art"].size(), 0u);
}

TEST_F(UserSelection, AMoveThatDoesNotFitOrIsNotANumberMovesNothing) {
  ASSERT_TRUE(user.AddRect(10, 10, 10, 10, true).done());
  ASSERT_TRUE(user.SelectAt({15, 15}, 0.5).done());
  EXPECT_EQ(user.MoveSelection(std::numeric_limits<double>::quiet_NaN(), 0).status, ActionStatus::BadValue);
  EXPECT_EQ(user.MoveSelection(1e39, 0).status, ActionStatus::BadValue);
  EXPECT_EQ(user.SelectAt({std::numeric_limits<float>::infinity(), 0}, 1).status, ActionStatus::BadValue);
  EXPECT_NEAR(user.SelectionBounds()->left, 10, 1e-4);
}

TEST_F(UserSelection, ANewDrawingHasOneEmptyLayerTheDefaultPageAndKeepsTheViewsZoom) {
  const auto svg = dir / "small.svg";
  hostsim_test::WriteFile(svg, "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 300 200'>"
                               "<rect x='1' y='1' width='5' height='5'/></svg>");
  ASSERT_TRUE(user.OpenSvg(svg).ok);
  ASSERT_TRUE(user.AddLayer("Second", false, false).done());
  ASSERT_TRUE(user.SetZoom(2.5).done());
  user.NewDrawing();
  const json layers = host.Dump()["layers"];
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0]["title"], "Layer 1");
  EXPECT_TRUE(layers[0]["art"].empty());
  const AIRealRect page = user.PageBounds();
  EXPECT_EQ(page.right - page.left, 612);
  EXPECT_EQ(page.top - page.bottom, 792);
  EXPECT_EQ(host.document().zoom, 2.5);
}

}  // namespace
