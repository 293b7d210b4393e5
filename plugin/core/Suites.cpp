#include "core/Suites.h"

#include <cstdio>

#include "core/HostCode.h"

SPBasicSuite* sSPBasic = nullptr;
SPPluginRef gPluginRef = nullptr;

SuitePtr<SPBlocksSuite> sSPBlocks;
SuitePtr<SPAccessSuite> sSPAccess;
SuitePtr<AIPluginSuite> sAIPlugin;
SuitePtr<AIMdMemorySuite> sAIMdMemory;
SuitePtr<AIRealMathSuite> sAIRealMath;
SuitePtr<AIArtSuite> sAIArt;
SuitePtr<AIUserSuite> sAIUser;
SuitePtr<AIPathSuite> sAIPath;
SuitePtr<AIPathStyleSuite> sAIPathStyle;
SuitePtr<AIUndoSuite> sAIUndo;
SuitePtr<AIAnnotatorSuite> sAIAnnotator;
SuitePtr<AIMenuSuite> sAIMenu;
SuitePtr<AIToolSuite> sAITool;
SuitePtr<AINotifierSuite> sAINotifier;
SuitePtr<ADMBasicSuite> sADMBasic;
SuitePtr<ADMDialogSuite> sADMDialog;
SuitePtr<ADMItemSuite> sADMItem;
SuitePtr<ADMIconSuite> sADMIcon;
SuitePtr<ADMIconSuite> sADMIcon2;
SuitePtr<ADMTrackerSuite> sADMTracker;
SuitePtr<ADMDrawerSuite> sADMDrawer;
SuitePtr<AIUnicodeStringSuite> sAIUnicodeString;
SuitePtr<AIPreferenceSuite> sAIPreference;
SuitePtr<AIContextSuite> sAIContext;
SuitePtr<ADMDialogGroupSuite> sADMDialogGroup;
SuitePtr<ADMListSuite> sADMList;
SuitePtr<ADMEntrySuite> sADMEntry;
SuitePtr<ADMNotifierSuite> sADMNotifier;
SuitePtr<AICursorSnapSuite> sAICursorSnap;
SuitePtr<AIDocumentViewSuite> sAIDocumentView;
SuitePtr<AIDocumentSuite> sAIDocument;
SuitePtr<AIMatchingArtSuite> sAIMatchingArt;
SuitePtr<AITagSuite> sAITag;
SuitePtr<AILayerSuite> sAILayer;
SuitePtr<AIRealBezierSuite> sAIRealBezier;
SuitePtr<AIHitTestSuite> sAIHitTest;
SuitePtr<AITransformArtSuite> sAITransformArt;
SuitePtr<AITextFrameSuite> sAITextFrame;
SuitePtr<AIRuntimeSuite> sAIRuntime;
SuitePtr<AIFontSuite> sAIFont;
SuitePtr<AIATEPaintSuite> sAIATEPaint;
SuitePtr<AIURLSuite> sAIURL;
SuitePtr<AIDocumentSuite> sAIDocument2;

#define KPX_DEFINE_ATE_SUITE(name, version) SuitePtr<ATESuiteTable<ATE##name##Tag>::type> sATE##name;
KPX_ATE_SUITES(KPX_DEFINE_ATE_SUITE)
#undef KPX_DEFINE_ATE_SUITE

#define KPX_ATE_ROW(name, version) {"ATE " #name " Suite", version, &sATE##name.slot},

const SuiteRow kSuiteRows[kSuiteRowCount] = {
    {kSPBlocksSuite, kSPBlocksSuiteVersion, &sSPBlocks.slot},
    {kSPAccessSuite, kSPAccessSuiteVersion, &sSPAccess.slot},
    {kAIPluginSuite, kAIPluginSuiteVersion, &sAIPlugin.slot},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion, &sAIMdMemory.slot},
    {kAIRealMathSuite, kAIRealMathSuiteVersion, &sAIRealMath.slot},
    {kAIArtSuite, kAIArtSuiteVersion, &sAIArt.slot},
    {kAIUserSuite, kAIUserSuiteVersion, &sAIUser.slot},
    {kAIPathSuite, kAIPathSuiteVersion, &sAIPath.slot},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion, &sAIPathStyle.slot},
    {kAIUndoSuite, kAIUndoSuiteVersion, &sAIUndo.slot},
    {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &sAIAnnotator.slot},
    {kAIMenuSuite, kAIMenuSuiteVersion, &sAIMenu.slot},
    {kAIToolSuite, kAIToolSuiteVersion, &sAITool.slot},
    {kAINotifierSuite, kAINotifierSuiteVersion, &sAINotifier.slot},
    {kADMBasicSuite, kADMBasicSuiteVersion, &sADMBasic.slot},
    {kADMDialogSuite, kADMDialogSuiteVersion, &sADMDialog.slot},
    {kADMItemSuite, kADMItemSuiteVersion, &sADMItem.slot},
    {kADMIconSuite, kADMIconSuiteVersion1, &sADMIcon.slot},
    {kADMIconSuite, kADMIconSuiteVersion2, &sADMIcon2.slot},
    {kADMTrackerSuite, kADMTrackerSuiteVersion, &sADMTracker.slot},
    {kADMDrawerSuite, kADMDrawerSuiteVersion, &sADMDrawer.slot},
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &sAIUnicodeString.slot},
    {kAIPreferenceSuite, kAIPreferenceSuiteVersion, &sAIPreference.slot},
    {kAIContextSuite, kAIContextSuiteVersion, &sAIContext.slot},
    {kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, &sADMDialogGroup.slot},
    {kADMListSuite, kADMListSuiteVersion, &sADMList.slot},
    {kADMEntrySuite, kADMEntrySuiteVersion, &sADMEntry.slot},
    {kADMNotifierSuite, kADMNotifierSuiteVersion, &sADMNotifier.slot},
    {kADMTrackerSuite, kADMTrackerSuiteVersion, &sADMTracker.slot},  // acquired a second time
    {kAICursorSnapSuite, kAICursorSnapSuiteVersion, &sAICursorSnap.slot},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &sAIDocumentView.slot},
    {kAIDocumentSuite, kAIDocumentSuiteVersion, &sAIDocument.slot},
    {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &sAIMatchingArt.slot},
    {kAITagSuite, kAITagSuiteVersion, &sAITag.slot},
    {kAILayerSuite, kAILayerSuiteVersion, &sAILayer.slot},
    {kAIRealBezierSuite, kAIRealBezierSuiteVersion, &sAIRealBezier.slot},
    {kAIHitTestSuite, kAIHitTestSuiteVersion, &sAIHitTest.slot},
    {kAITransformArtSuite, kAITransformArtSuiteVersion, &sAITransformArt.slot},
    {kAITextFrameSuite, kAITextFrameSuiteVersion, &sAITextFrame.slot},
    {kAIRuntimeSuite, kAIRuntimeSuiteVersion, &sAIRuntime.slot},
    {kAIFontSuite, kAIFontSuiteVersion, &sAIFont.slot},
    {kAIATEPaintSuite, kAIATEPaintSuiteVersion, &sAIATEPaint.slot},
    {kAIURLSuite, kAIURLSuiteVersion, &sAIURL.slot},
    {kAIDocumentSuite, kAIDocumentSuiteVersion, &sAIDocument2.slot},
    KPX_ATE_SUITES(KPX_ATE_ROW)
};
#undef KPX_ATE_ROW

static_assert(sizeof(kSuiteRows) / sizeof(kSuiteRows[0]) == kSuiteRowCount);

namespace {

// Calls counted since the suites were acquired. 64 bits: a long session
// sends far more than 32767 messages, and a wrapped counter would either
// acquire everything again or release the suites while they are in use.
int64_t gSuiteCounter = 0;
// The row whose failure was last shown: a suite that stays missing is
// reported once, not on every message that tries again.
const SuiteRow* gReportedRow = nullptr;

void ShowAcquisitionAlert(ASErr code, const SuiteRow& row) {
  char text[256];
  std::snprintf(text, sizeof text, "Error: %d, suite: %s, version: %d!", static_cast<int>(code), row.name,
                static_cast<int>(row.version));
  Ignore(sADMBasic->MessageAlert(text), Why::Alert);
}

// Releases the rows this walk acquired, in table order, and clears every slot.
void UndoAcquisition(const bool* acquired) {
  for (int i = 0; i < kSuiteRowCount; ++i) {
    const SuiteRow& row = kSuiteRows[i];
    if (row.slot == nullptr) continue;
    if (acquired[i]) Ignore(sSPBasic->ReleaseSuite(row.name, row.version), Why::Cleanup);
  }
  for (const SuiteRow& row : kSuiteRows) {
    if (row.slot != nullptr) *row.slot = nullptr;
  }
}

}  // namespace

ASErr AcquireSuites() {
  if (gSuiteCounter != 0) {
    ++gSuiteCounter;
    return kNoErr;
  }
  bool acquired[kSuiteRowCount] = {};
  for (int i = 0; i < kSuiteRowCount; ++i) {
    const SuiteRow& row = kSuiteRows[i];
    if (row.slot == nullptr) continue;
    const ASErr err = sSPBasic->AcquireSuite(row.name, row.version, row.slot);
    if (err != kNoErr || *row.slot == nullptr) {
      const ASErr code = err != kNoErr ? err : kSPSuiteNotFoundError;
      if (acquired[kADMBasicRow] && gReportedRow != &row) {
        ShowAcquisitionAlert(code, row);
        gReportedRow = &row;
      }
      UndoAcquisition(acquired);
      return code;
    }
    acquired[i] = true;
  }
  gSuiteCounter = 1;
  gReportedRow = nullptr;
  return kNoErr;
}

ASErr ReleaseSuitesAfter(ASErr result) {
  if (result == kNoErr || result == 1 || result == kSPSuiteNotFoundError) return result;
  if (gSuiteCounter == 1) {
    for (const SuiteRow& row : kSuiteRows) {
      if (row.slot == nullptr) continue;
      if (sSPBasic->ReleaseSuite(row.name, row.version) != kNoErr) break;
      *row.slot = nullptr;
    }
  }
  if (gSuiteCounter > 0) --gSuiteCounter;
  return result;
}

void ResetSuiteCounter() { gSuiteCounter = 0; }

int64_t SuiteCounter() { return gSuiteCounter; }
