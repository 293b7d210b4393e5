// A host that refuses the panel: the plug-in goes on without one. The
// values in force still come from the settings, and the tool, the menu
// command and the About box work (or do nothing) without touching a panel.
#include <cstring>
#include <string>

#include "InProcessCore.h"
#include "shell/Registration.h"
#include "label/ToolHandlers.h"
#include "panel/About.h"
#include "panel/Panel.h"

namespace {

// No library is launched here: the host takes no dialog from this plug-in.
using PanelRefused = InProcessCoreTest;

AIToolMessage At(float x, float y) {
  AIToolMessage message{};
  message.cursor = {x, y};
  return message;
}

TEST_F(PanelRefused, TheValuesInForceStillComeFromTheSettings) {
  WriteDefaultSettings();
  g().Pointes = 150;
  g().Epaisseur = 0.8f;
  g().Etiquette = 2;
  g().FouP = false;
  g().Attaches = -5;
  ASSERT_GE(host().fonts().size(), 3u);
  const std::string second = host().fonts().at(1).fullName;
  std::strcpy(g().Police, second.c_str());
  g().VariablePolice = 1;

  EXPECT_NE(BuildPanel(), kNoErr);
  EXPECT_EQ(g().PanelRef, nullptr);
  EXPECT_EQ(g().PanelAccess, nullptr);
  EXPECT_EQ(host().accessRefs(), 0u) << "a refused panel keeps a hold on the plug-in";
  EXPECT_EQ(g().ArrowSizeInForce, 150.0f);
  EXPECT_EQ(g().ArrowSizeShown, 150.0f);
  EXPECT_EQ(g().LineWidthInForce, 0.8f);
  EXPECT_EQ(g().LandingLength, -5.0f);
  EXPECT_EQ(g().ShapeKind, 2);
  EXPECT_FALSE(g().ArrowsOn);
  EXPECT_EQ(g().LabelNumber, 1);
  EXPECT_TRUE(g().KeepIndexOnce);
  EXPECT_EQ(g().FontListIndex, 2) << "the same font matching as the panel's list: the font after the second";
}

TEST_F(PanelRefused, TheToolDrawsAndTheMenuAndAboutDoNothing) {
  WriteDefaultSettings();
  BuildPanel();
  EXPECT_EQ(TogglePanel(true), kNoErr);
  ShowAboutBox();
  AIToolMessage down = At(100, 100), place = At(180, 160);
  EXPECT_EQ(ToolSelect(&down), kNoErr);
  EXPECT_EQ(ToolMouseDown(&down), kNoErr);
  ToolMouseDrag(&place);
  ToolMouseDrag(&place);
  EXPECT_EQ(ToolMouseUp(&place), kNoErr);
  EXPECT_EQ(ToolDeselect(&place), kNoErr);
  const nlohmann::json dump = host().Dump();
  EXPECT_FALSE(dump["panel"]["exists"].get<bool>());
  EXPECT_TRUE(dump["dialog"].is_null());
  ASSERT_EQ(dump["layers"][0]["art"].size(), 1u);
  EXPECT_EQ(dump["layers"][0]["art"][0]["name"], "Label (square)");
}

}  // namespace
