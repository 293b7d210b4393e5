#include <string>

#include "InProcessCore.h"

namespace {

using SuiteRules = InProcessCoreTest;

// A basic suite whose acquisition of the layer suite fails with a code of
// its own; then one that gives no table for it, with success.
const SPBasicSuite* gHostBasic = nullptr;
SPBasicSuite gFaultyBasic;
ASErr LayerSuiteOutOfMemory(const char* name, int32_t version, const void** suite) {
  if (std::string(name) == kAILayerSuite) return kSPOutOfMemoryError;
  return gHostBasic->AcquireSuite(name, version, suite);
}
ASErr LayerSuiteWithoutTable(const char* name, int32_t version, const void** suite) {
  if (std::string(name) == kAILayerSuite) {
    *suite = nullptr;
    return kNoErr;
  }
  return gHostBasic->AcquireSuite(name, version, suite);
}

bool EverySlotFilled() {
  for (const SuiteRow& row : kSuiteRows) {
    if (row.slot != nullptr && *row.slot == nullptr) return false;
  }
  return true;
}

bool EverySlotEmpty() {
  for (const SuiteRow& row : kSuiteRows) {
    if (row.slot != nullptr && *row.slot != nullptr) return false;
  }
  return true;
}

}  // namespace

TEST_F(SuiteRules, CodesZeroOneAndNotFoundNeverRelease) {
  ASSERT_TRUE(EverySlotFilled());
  const auto releases = host().suites().releases();
  for (ASErr code : {ASErr{kNoErr}, ASErr{1}, ASErr{kSPSuiteNotFoundError}}) {
    EXPECT_EQ(ReleaseSuitesAfter(code), code);
  }
  EXPECT_EQ(host().suites().releases(), releases);
  EXPECT_EQ(SuiteCounter(), 1);
  EXPECT_TRUE(EverySlotFilled());
}

TEST_F(SuiteRules, AFailingCallReleasesOnlyWhenItIsTheOnlyCountedCall) {
  ASSERT_EQ(AcquireSuites(), kNoErr);  // a second call: nothing acquired, counted
  EXPECT_EQ(SuiteCounter(), 2);
  EXPECT_EQ(ReleaseSuitesAfter(kCantHappenErr), kCantHappenErr);
  EXPECT_TRUE(EverySlotFilled());
  EXPECT_EQ(ReleaseSuitesAfter(kCantHappenErr), kCantHappenErr);
  EXPECT_TRUE(EverySlotEmpty());
  EXPECT_EQ(SuiteCounter(), 0);
  EXPECT_EQ(host().suites().HeldCount(kADMTrackerSuite, kADMTrackerSuiteVersion), 0);
  EXPECT_EQ(host().suites().HeldCount(kAIArtSuite, kAIArtSuiteVersion), 0);
}

TEST_F(SuiteRules, TheCounterKeepsCountingPastSixteenBits) {
  const auto acquisitions = host().suites().acquisitions();
  for (int i = 0; i < 70000; ++i) ASSERT_EQ(AcquireSuites(), kNoErr);
  EXPECT_EQ(SuiteCounter(), 70001);
  EXPECT_EQ(host().suites().acquisitions(), acquisitions);
  ReleaseSuitesAfter(kCantHappenErr);
  EXPECT_TRUE(EverySlotFilled()) << "suites released while 70000 calls hold them";
}

TEST_F(SuiteRules, AFailedWalkHoldsNothingAndTheNextCallTriesAgain) {
  ReleaseSuitesAfter(kCantHappenErr);
  ASSERT_EQ(SuiteCounter(), 0);
  for (const char* refused : {kSPAccessSuite, kAILayerSuite}) {
    const auto missing = host().faults().Add(hostsim::MissingSuite(refused));
    EXPECT_EQ(AcquireSuites(), kSPSuiteNotFoundError) << refused;
    EXPECT_EQ(SuiteCounter(), 0);
    EXPECT_TRUE(EverySlotEmpty());
    EXPECT_EQ(host().suites().HeldCount(kSPBlocksSuite, kSPBlocksSuiteVersion), 0);
    host().faults().Remove(missing);
  }
  const auto alerts = host().events().OfType("alert");
  ASSERT_EQ(alerts.size(), 1u) << "only a failure after the dialog toolkit is held is shown";
  EXPECT_EQ(alerts[0]["text"], "Error: 1394689636, suite: AI Layer Suite, version: 9!");
  EXPECT_EQ(AcquireSuites(), kNoErr);
  EXPECT_TRUE(EverySlotFilled());
}

TEST_F(SuiteRules, AFailedAcquisitionGivesTheHostsCodeAndAMissingTableNotFound) {
  ReleaseSuitesAfter(kCantHappenErr);
  gHostBasic = sSPBasic;
  gFaultyBasic = *sSPBasic;
  gFaultyBasic.AcquireSuite = LayerSuiteOutOfMemory;
  sSPBasic = &gFaultyBasic;
  EXPECT_EQ(AcquireSuites(), kSPOutOfMemoryError);
  EXPECT_TRUE(EverySlotEmpty());
  gFaultyBasic.AcquireSuite = LayerSuiteWithoutTable;
  EXPECT_EQ(AcquireSuites(), kSPSuiteNotFoundError);
  EXPECT_TRUE(EverySlotEmpty());
  sSPBasic = const_cast<SPBasicSuite*>(gHostBasic);
}
