#include <cmath>
#include <cstring>
#include <algorithm>
#include <limits>

#include "TestSupport.h"
#include "host/AllSuites.h"
#include "hostsim/Blocks.h"
#include "hostsim/Encoding.h"
#include "hostsim/FontRefs.h"
#include "hostsim/Host.h"

namespace {

using hostsim::Host;
using hostsim::HostOptions;
using hostsim_test::ScratchDir;

struct Row {
  const char* name;
  int32_t version;
};

// Every row the plug-in acquires, in its order (two suites are acquired twice).
const Row kPluginRows[] = {
    {kSPBlocksSuite, 2}, {kSPAccessSuite, 3}, {kAIPluginSuite, 3}, {kAIMdMemorySuite, 1}, {kAIRealMathSuite, 1},
    {kAIArtSuite, 10}, {kAIUserSuite, 6}, {kAIPathSuite, 8}, {kAIPathStyleSuite, 10}, {kAIUndoSuite, 4},
    {kAIAnnotatorSuite, 4}, {kAIMenuSuite, 9}, {kAIToolSuite, 10}, {kAINotifierSuite, 2}, {kADMBasicSuite, 11},
    {kADMDialogSuite, 10}, {kADMItemSuite, 7}, {kADMIconSuite, 1}, {kADMIconSuite, 2}, {kADMTrackerSuite, 2},
    {kADMDrawerSuite, 7}, {kAIUnicodeStringSuite, 6}, {kAIPreferenceSuite, 4}, {kAIContextSuite, 4},
    {kADMDialogGroupSuite, 1}, {kADMListSuite, 1}, {kADMEntrySuite, 2}, {kADMNotifierSuite, 2},
    {kADMTrackerSuite, 2}, {kAICursorSnapSuite, 3}, {kAIDocumentViewSuite, 10}, {kAIDocumentSuite, 11},
    {kAIMatchingArtSuite, 5}, {kAITagSuite, 2}, {kAILayerSuite, 9}, {kAIRealBezierSuite, 2}, {kAIHitTestSuite, 3},
    {kAITransformArtSuite, 1}, {kAITextFrameSuite, 1}, {kAIRuntimeSuite, 10}, {kAIFontSuite, 3},
    {kAIATEPaintSuite, 1}, {kAIURLSuite, 1}, {kAIDocumentSuite, 11},
#define ROW(object, version) {"ATE " #object " Suite", version},
    KPX_ATE_SUITES(ROW)
#undef ROW
};

class BasicSuite : public ::testing::Test {
 protected:
  ScratchDir dir;
  Host host{HostOptions{dir / "prefs.json", {}, false}};
  SPBasicSuite& basic = *host.basicSuite();

  template <class Suite>
  const Suite& Get(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(basic.AcquireSuite(name, version, &table), kNoErr) << name;
    return *static_cast<const Suite*>(table);
  }
};

TEST_F(BasicSuite, EveryRowThePlugInAcquiresIsOfferedAndBalancesOnRelease) {
  ASSERT_EQ(std::size(kPluginRows), 118u);
  for (const Row& row : kPluginRows) {
    const void* table = nullptr;
    EXPECT_EQ(basic.AcquireSuite(row.name, row.version, &table), kNoErr) << row.name << " " << row.version;
    EXPECT_NE(table, nullptr) << row.name;
  }
  EXPECT_EQ(host.suites().acquisitions(), 118);
  EXPECT_EQ(host.suites().HeldCount(kADMTrackerSuite, 2), 2);
  for (const Row& row : kPluginRows) EXPECT_EQ(basic.ReleaseSuite(row.name, row.version), kNoErr) << row.name;
  EXPECT_EQ(host.suites().held(), 0);
  EXPECT_EQ(basic.ReleaseSuite(kAIMenuSuite, 9), kSPSuiteNotFoundError);
}

TEST_F(BasicSuite, UnknownOrMissingSuitesAreNotFound) {
  const void* table = &table;
  EXPECT_EQ(basic.AcquireSuite(kAIMenuSuite, 8, &table), kSPSuiteNotFoundError);
  EXPECT_EQ(table, nullptr);
  const auto missing = host.faults().Add(hostsim::MissingSuite(kADMBasicSuite));
  table = &table;
  EXPECT_EQ(basic.AcquireSuite(kADMBasicSuite, 11, &table), kSPSuiteNotFoundError);
  EXPECT_EQ(table, nullptr) << "a refused acquisition left a table behind";
  EXPECT_EQ(host.suites().acquisitions(), 0);
  host.faults().Remove(missing);
  EXPECT_EQ(basic.AcquireSuite(kADMBasicSuite, 11, &table), kNoErr);
  EXPECT_EQ(basic.AcquireSuite(nullptr, 11, &table), kSPBadParameterError);
}

TEST_F(BasicSuite, StringEqualityIsNullSafe) {
  EXPECT_TRUE(basic.IsEqual("AI Tool", "AI Tool"));
  EXPECT_FALSE(basic.IsEqual("AI Tool", "AI Tools"));
  EXPECT_FALSE(basic.IsEqual(nullptr, "AI Tool"));
  EXPECT_FALSE(basic.IsEqual("AI Tool", nullptr));
  EXPECT_FALSE(basic.IsEqual(nullptr, nullptr));
}

TEST_F(BasicSuite, BlocksAreZeroedTrackedAndForeignPointersAreRefused) {
  const std::size_t live = hostsim::LiveBlocks();
  void* block = nullptr;
  ASSERT_EQ(basic.AllocateBlock(6076, &block), kNoErr);
  const auto* bytes = static_cast<unsigned char*>(block);
  for (std::size_t i = 0; i < 6076; ++i) ASSERT_EQ(bytes[i], 0) << i;
  std::memset(block, 0x5A, 6076);
  void* bigger = nullptr;
  ASSERT_EQ(basic.ReallocateBlock(block, 8000, &bigger), kNoErr);
  EXPECT_EQ(static_cast<unsigned char*>(bigger)[6075], 0x5A);
  EXPECT_EQ(static_cast<unsigned char*>(bigger)[6076], 0);
  EXPECT_EQ(hostsim::LiveBlocks(), live + 1);

  int onStack = 0;
  EXPECT_EQ(basic.FreeBlock(&onStack), kSPBadParameterError);
  void* moved = &onStack;
  EXPECT_EQ(basic.ReallocateBlock(&onStack, 8, &moved), kSPBadParameterError);
  EXPECT_EQ(moved, nullptr);
  EXPECT_EQ(basic.FreeBlock(nullptr), kNoErr);
  EXPECT_EQ(basic.FreeBlock(bigger), kNoErr);
  EXPECT_EQ(basic.FreeBlock(bigger), kSPBadParameterError);  // twice
  EXPECT_EQ(hostsim::LiveBlocks(), live);
}

TEST_F(BasicSuite, PreferenceSuiteReportsMissingKeysAndConvertsStrings) {
  const auto& pref = Get<AIPreferenceSuite>(kAIPreferenceSuite, 4);
  double real = 42;
  EXPECT_EQ(pref.GetRealPreference("KPXEtiquette", "Epaisseur", &real), kNoSuchKeyErr);
  EXPECT_EQ(real, 42);
  EXPECT_EQ(pref.PutRealPreference("KPXEtiquette", "Epaisseur", static_cast<double>(0.24f)), kNoErr);
  ASSERT_EQ(pref.GetRealPreference("KPXEtiquette", "Epaisseur", &real), kNoErr);
  EXPECT_EQ(static_cast<float>(real), 0.24f);
  int32_t integer = 5;
  EXPECT_EQ(pref.GetIntegerPreference("KPXEtiquette", "Epaisseur", &integer), kNoSuchKeyErr);
  EXPECT_EQ(integer, 5);
  EXPECT_EQ(pref.PutRealPreference("KPXEtiquette", "Bad", std::nan("")), kBadParameterErr);
  EXPECT_EQ(pref.GetRealPreference("KPXEtiquette", "Bad", &real), kNoSuchKeyErr);

  EXPECT_EQ(pref.PutStringPreference("KPXEtiquette", "Police", "KPX\x95\xC9tiq"), kNoErr);
  EXPECT_EQ(host.prefs().GetString("KPXEtiquette", "Police"), "KPX\u2022\u00C9tiq");
  char small[5];
  ASSERT_EQ(pref.GetStringPreference("KPXEtiquette", "Police", small, sizeof small), kNoErr);
  EXPECT_STREQ(small, "KPX\x95");

  AIPoint point{3, -4};
  EXPECT_EQ(pref.PutPointPreference("KPXEtiquette", "PositionPalette", &point), kNoErr);
  AIPoint back{};
  ASSERT_EQ(pref.GetPointPreference("KPXEtiquette", "PositionPalette", &back), kNoErr);
  EXPECT_EQ(back.h, 3);
  EXPECT_EQ(back.v, -4);

  // The host's own grid colour reads without a section.
  ASSERT_EQ(pref.GetRealPreference(nullptr, "Grid/Color/Lite/r", &real), kNoErr);
  EXPECT_GE(real, 0.0);
  EXPECT_LE(real, 1.0);
}

TEST_F(BasicSuite, FontKeysAndRefsAreCheckedAndNamesTruncated) {
  const auto& font = Get<AIFontSuite>(kAIFontSuite, 3);
  const auto& ateFont = Get<ATEFontSuite>(kATEFontSuite, 1);
  int32_t count = 0;
  ASSERT_EQ(font.CountFonts(&count), kNoErr);
  ASSERT_GT(count, 0) << "fontconfig lists no scalable font";
  AIFontKey key = nullptr;
  ASSERT_EQ(font.IndexFontList(count - 1, &key), kNoErr);
  EXPECT_EQ(font.IndexFontList(count, &key), kBadParameterErr);
  ASSERT_EQ(font.IndexFontList(0, &key), kNoErr);
  char name[1024];
  ASSERT_EQ(font.GetFullFontName(key, name, sizeof name), kNoErr);
  EXPECT_EQ(hostsim::Cp1252ToUtf8(name), host.fonts().at(0).fullName);
  char four[4];
  ASSERT_EQ(font.GetFullFontName(key, four, sizeof four), kNoErr);
  EXPECT_EQ(std::strlen(four), std::min<std::size_t>(3, host.fonts().at(0).fullName.size()));
  EXPECT_EQ(font.GetFullFontName(nullptr, name, sizeof name), kBadParameterErr);
  EXPECT_EQ(font.GetFullFontName(reinterpret_cast<AIFontKey>(uintptr_t(count) + 1), name, 10), kBadParameterErr);

  ATEFontRef ref = nullptr;
  ASSERT_EQ(font.FontFromFontKey(key, &ref), kNoErr);
  EXPECT_EQ(hostsim::FontIndexFromRef(ref), 0u);
  EXPECT_EQ(ateFont.Release(ref), kNoErr);
  EXPECT_FALSE(hostsim::FontIndexFromRef(ref));
  EXPECT_EQ(ateFont.Release(ref), kBadParameterErr);
}

TEST_F(BasicSuite, MenusAndToolsAnswerBadHandlesAndNamesWithCodes) {
  const auto& menu = Get<AIMenuSuite>(kAIMenuSuite, 9);
  const auto& tool = Get<AIToolSuite>(kAIToolSuite, 10);
  AIMenuGroup group = nullptr;
  const char* name = nullptr;
  ASSERT_EQ(menu.GetNthMenuGroup(0, &group), kNoErr);
  ASSERT_EQ(menu.GetMenuGroupName(group, &name), kNoErr);
  EXPECT_NE(std::strncmp(name, "KPX", 3), 0);
  AIMenuItemHandle item = nullptr;
  EXPECT_EQ(menu.AddMenuItem(host.pluginRef(), "X", "No Such Group", "x", 0, &item), kNameNotFoundErr);
  EXPECT_EQ(menu.AddMenuItem(nullptr, "X", "About", "x", 0, &item), kBadParameterErr);
  EXPECT_EQ(menu.SetItemText(reinterpret_cast<AIMenuItemHandle>(0x1234), "x"), kBadParameterErr);
  EXPECT_EQ(menu.GetMenuGroupName(reinterpret_cast<AIMenuGroup>(0x1234), &name), kBadParameterErr);

  int32_t pen = 0, segment = 0, arcs = 0;
  EXPECT_EQ(tool.GetToolNumberFromName("Adobe Pen Tool", &pen), kNoErr);
  EXPECT_EQ(tool.GetToolNumberFromName("Segment Tool", &segment), kNoErr);
  EXPECT_EQ(tool.GetToolNumberFromName("Arcs & Circles Tool", &arcs), kNoErr);
  EXPECT_NE(pen, segment);
  EXPECT_EQ(tool.GetToolNumberFromName("Magic Wand", &pen), kNameNotFoundErr);
  EXPECT_EQ(tool.SetSelectedTool(reinterpret_cast<AIToolHandle>(0x99)), kBadParameterErr);
}

}  // namespace
