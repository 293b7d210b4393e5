// The log of what the user saw and heard: runs of equal cursor and Info
// events kept once with a count, a cap past which events are only counted,
// and the dump's view of both.
#include "hostsim/EventLog.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "hostsim/Host.h"

namespace {

using hostsim::AlertEvent;
using hostsim::BeepEvent;
using hostsim::CursorEvent;
using hostsim::EventLog;
using hostsim::InfoEvent;
using nlohmann::json;

TEST(EventLog, ARunOfEqualCursorsOrInfoValuesIsOneEntryWithItsCount) {
  EventLog log;
  for (int i = 0; i < 3; ++i) log.Add(CursorEvent{17001});
  for (int i = 0; i < 4; ++i) log.Add(InfoEvent{1.5, 2.0, std::string("Next shape.")});
  log.Add(CursorEvent{17001});
  EXPECT_EQ(log.Json(), json::parse(R"([
      {"type":"cursor","id":17001,"count":3},
      {"type":"info","x":1.5,"y":2.0,"text":"Next shape.","count":4},
      {"type":"cursor","id":17001}])"));
}

TEST(EventLog, EventsThatDifferInAnyValueStaySeparate) {
  EventLog log;
  log.Add(CursorEvent{17001});
  log.Add(CursorEvent{17002});
  log.Add(InfoEvent{1.0, 2.0, std::string("a")});
  log.Add(InfoEvent{1.0, 2.5, std::string("a")});
  log.Add(InfoEvent{1.0, 2.5, std::string("b")});
  log.Add(InfoEvent{1.0, 2.5, std::nullopt});
  log.Add(InfoEvent{std::nullopt, 2.5, std::nullopt});
  EXPECT_EQ(log.size(), 7u);
  EXPECT_EQ(log.Json()[6], json::parse(R"({"type":"info","x":null,"y":2.5,"text":null})"));
}

TEST(EventLog, EveryToneAndAlertIsKeptEvenWhenRepeated) {
  EventLog log;
  log.Add(BeepEvent{9000, 100});
  log.Add(BeepEvent{9000, 100});
  log.Add(AlertEvent{"Impossible, locked layer."});
  log.Add(AlertEvent{"Impossible, locked layer."});
  EXPECT_EQ(log.Json(), json::parse(R"([
      {"type":"beep","hz":9000,"ms":100}, {"type":"beep","hz":9000,"ms":100},
      {"type":"alert","text":"Impossible, locked layer."}, {"type":"alert","text":"Impossible, locked layer."}])"));
  EXPECT_EQ(log.All<AlertEvent>().size(), 2u);
  EXPECT_EQ(log.OfType("beep").size(), 2u);
}

TEST(EventLog, PastTheCapTheFirstEntriesStayAndTheRestAreCounted) {
  EventLog log(3);
  log.Add(BeepEvent{1, 1});
  log.Add(CursorEvent{5});
  log.Add(CursorEvent{5});  // joins the entry before: nothing dropped
  log.Add(BeepEvent{3, 1});
  log.Add(AlertEvent{"lost"});
  log.Add(BeepEvent{4, 1});
  EXPECT_EQ(log.Json(), json::parse(R"([
      {"type":"beep","hz":1,"ms":1}, {"type":"cursor","id":5,"count":2}, {"type":"beep","hz":3,"ms":1}])"));
  EXPECT_EQ(log.dropped(), 2u);
}

TEST(EventLog, AfterADropNothingJoinsTheLastKeptEntry) {
  // The last kept cursor and a later equal one were not consecutive: an
  // Info value came between them and was dropped.
  EventLog log(1);
  log.Add(CursorEvent{5});
  log.Add(InfoEvent{1.0, 1.0, std::nullopt});
  log.Add(CursorEvent{5});
  EXPECT_EQ(log.Json(), json::parse(R"([{"type":"cursor","id":5}])"));
  EXPECT_EQ(log.dropped(), 2u);
}

TEST(EventLog, ClearingStartsAFreshLog) {
  EventLog log(1);
  log.Add(BeepEvent{1, 1});
  log.Add(BeepEvent{2, 1});
  log.Clear();
  log.Add(BeepEvent{3, 1});
  EXPECT_EQ(log.Json(), json::parse(R"([{"type":"beep","hz":3,"ms":1}])"));
  EXPECT_EQ(log.dropped(), 0u);
}

TEST(EventLogInTheHost, TheDumpSaysHowManyEventsTheFullLogLeftOut) {
  hostsim_test::ScratchDir dir;
  hostsim::Host host(hostsim::HostOptions{dir / "prefs.json", {}, false});
  EXPECT_EQ(host.Dump()["eventsDropped"], 0);
  const std::size_t cap = EventLog::kDefaultLimit;
  for (std::size_t i = 0; i < cap + 25; ++i) host.Tone(static_cast<uint32_t>(100 + i % 2), 10);
  const json dump = host.Dump();
  ASSERT_EQ(dump["events"].size(), cap);
  EXPECT_EQ(dump["eventsDropped"], 25);
  EXPECT_EQ(dump["events"][0], json::parse(R"({"type":"beep","hz":100,"ms":10})"));
  EXPECT_EQ(dump["events"][cap - 1]["hz"], 101);
}

TEST(EventLogInTheHost, TheScreenIsToldEveryEventEvenWhenTheLogCoalescesOrDropsIt) {
  struct Counting : hostsim::NullFrontEnd {
    int* cursors;
    explicit Counting(int* c) : cursors(c) {}
    void SetCursor(int32_t) override { ++*cursors; }
  };
  hostsim_test::ScratchDir dir;
  hostsim::Host host(hostsim::HostOptions{dir / "prefs.json", {}, false});
  int cursors = 0;
  host.SetFrontEnd(std::make_unique<Counting>(&cursors));
  for (std::size_t i = 0; i < EventLog::kDefaultLimit; ++i) host.Tone(1, 1);
  for (int i = 0; i < 3; ++i) host.SetCursor(17001);
  EXPECT_EQ(cursors, 3);
  EXPECT_EQ(host.events().dropped(), 3u);
}

}  // namespace
