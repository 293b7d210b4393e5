// The host's suites: the acquisition table in the host's order, the typed
// pointers every other file calls through, and the counter that decides when
// the suites are acquired and released.
#pragma once

#include <cstdint>

#include "host/AllSuites.h"

// A suite pointer filled by the acquisition walk. The walk writes the
// untyped slot; callers use it like a pointer to the suite's table.
template <class Table>
struct SuitePtr {
  const void* slot = nullptr;

  const Table* get() const { return static_cast<const Table*>(slot); }
  const Table* operator->() const { return get(); }
  explicit operator bool() const { return slot != nullptr; }
};

// The basic suite and the plug-in reference of the message being handled.
// Set at the start of every call, before anything else runs.
extern SPBasicSuite* sSPBasic;
extern SPPluginRef gPluginRef;

// Suites the plug-in calls or holds, one pointer per slot of the table.
extern SuitePtr<SPBlocksSuite> sSPBlocks;
extern SuitePtr<SPAccessSuite> sSPAccess;
extern SuitePtr<AIPluginSuite> sAIPlugin;
extern SuitePtr<AIMdMemorySuite> sAIMdMemory;
extern SuitePtr<AIRealMathSuite> sAIRealMath;
extern SuitePtr<AIArtSuite> sAIArt;
extern SuitePtr<AIUserSuite> sAIUser;
extern SuitePtr<AIPathSuite> sAIPath;
extern SuitePtr<AIPathStyleSuite> sAIPathStyle;
extern SuitePtr<AIUndoSuite> sAIUndo;
extern SuitePtr<AIAnnotatorSuite> sAIAnnotator;
extern SuitePtr<AIMenuSuite> sAIMenu;
extern SuitePtr<AIToolSuite> sAITool;
extern SuitePtr<AINotifierSuite> sAINotifier;
extern SuitePtr<ADMBasicSuite> sADMBasic;
extern SuitePtr<ADMDialogSuite> sADMDialog;
extern SuitePtr<ADMItemSuite> sADMItem;
extern SuitePtr<ADMIconSuite> sADMIcon;   // version 1
extern SuitePtr<ADMIconSuite> sADMIcon2;  // version 2
extern SuitePtr<ADMTrackerSuite> sADMTracker;
extern SuitePtr<ADMDrawerSuite> sADMDrawer;
extern SuitePtr<AIUnicodeStringSuite> sAIUnicodeString;
extern SuitePtr<AIPreferenceSuite> sAIPreference;
extern SuitePtr<AIContextSuite> sAIContext;
extern SuitePtr<ADMDialogGroupSuite> sADMDialogGroup;
extern SuitePtr<ADMListSuite> sADMList;
extern SuitePtr<ADMEntrySuite> sADMEntry;
extern SuitePtr<ADMNotifierSuite> sADMNotifier;
extern SuitePtr<AICursorSnapSuite> sAICursorSnap;
extern SuitePtr<AIDocumentViewSuite> sAIDocumentView;
extern SuitePtr<AIDocumentSuite> sAIDocument;
extern SuitePtr<AIMatchingArtSuite> sAIMatchingArt;
extern SuitePtr<AITagSuite> sAITag;
extern SuitePtr<AILayerSuite> sAILayer;
extern SuitePtr<AIRealBezierSuite> sAIRealBezier;
extern SuitePtr<AIHitTestSuite> sAIHitTest;
extern SuitePtr<AITransformArtSuite> sAITransformArt;
extern SuitePtr<AITextFrameSuite> sAITextFrame;
extern SuitePtr<AIRuntimeSuite> sAIRuntime;
extern SuitePtr<AIFontSuite> sAIFont;
extern SuitePtr<AIATEPaintSuite> sAIATEPaint;
extern SuitePtr<AIURLSuite> sAIURL;
extern SuitePtr<AIDocumentSuite> sAIDocument2;  // the document suite held a second time

// Text engine suites: sATETextRange, sATEFont, ... The five the label text
// calls are typed; the others are held only.
template <class Tag>
struct ATESuiteTable {
  using type = ATEUnusedSuite;
};
#define KPX_TYPED_ATE_SUITE(name, table) \
  struct ATE##name##Tag;                 \
  template <>                            \
  struct ATESuiteTable<ATE##name##Tag> { \
    using type = table;                  \
  };
KPX_TYPED_ATE_SUITE(ApplicationPaint, ATEApplicationPaintSuite)
KPX_TYPED_ATE_SUITE(CharFeatures, ATECharFeaturesSuite)
KPX_TYPED_ATE_SUITE(Font, ATEFontSuite)
KPX_TYPED_ATE_SUITE(ParaFeatures, ATEParaFeaturesSuite)
KPX_TYPED_ATE_SUITE(TextRange, ATETextRangeSuite)
#undef KPX_TYPED_ATE_SUITE

#define KPX_DECLARE_ATE_SUITE(name, version) \
  struct ATE##name##Tag;                     \
  extern SuitePtr<ATESuiteTable<ATE##name##Tag>::type> sATE##name;
KPX_ATE_SUITES(KPX_DECLARE_ATE_SUITE)
#undef KPX_DECLARE_ATE_SUITE

// One row of the acquisition table. A row without a slot is skipped.
struct SuiteRow {
  const char* name;
  int32_t version;
  const void** slot;
};

constexpr int kSuiteRowCount = 118;
// Rows before this one are acquired before the dialog toolkit can show an alert.
constexpr int kADMBasicRow = 14;

extern const SuiteRow kSuiteRows[kSuiteRowCount];

// Acquires every suite unless they are already held (counter above 0), then
// counts the call. On a failure the suites acquired by this walk are released
// again, the counter is left as it was and the failing code is returned, so
// that no handler runs with a missing suite and the next call tries afresh.
// A failure after the ADM Basic suite is held is shown in an alert.
ASErr AcquireSuites();

// After a handler: for a result other than 0, 1 and 'S!Fd', releases every
// suite when this was the only counted call, and uncounts the call. Returns
// the result unchanged.
ASErr ReleaseSuitesAfter(ASErr result);

// "Reload": the suites are acquired afresh by the next call.
void ResetSuiteCounter();

// Number of counted calls since the suites were acquired (0: not held).
int64_t SuiteCounter();
