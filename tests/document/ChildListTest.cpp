// The children's list grows and shrinks at both ends and in the middle; its
// order must always be what a plain vector given the same steps holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "hostsim/document/ChildList.h"
#include "hostsim/document/Devector.h"
#include "hostsim/document/Document.h"

namespace {

using hostsim::ObjectId;

TEST(Devector, KeepsTheOrderOfAVectorThroughInsertsAndErasesAnywhere) {
  std::mt19937 rng(11);
  hostsim::Devector<int> kept;
  std::vector<int> model;
  for (int step = 0; step < 20000; ++step) {
    const int what = std::uniform_int_distribution<int>(0, 9)(rng);
    const std::size_t n = model.size();
    // Ends are chosen often, as art is mostly put on top or at the bottom.
    std::size_t at = std::uniform_int_distribution<std::size_t>(0, n)(rng);
    if (what % 3 == 0) at = 0;
    if (what % 3 == 1) at = n;
    if (what < 6 || n == 0) {
      kept.insert(at, step);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), step);
    } else if (what < 9) {
      at = std::min(at, n - 1);
      kept.erase(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      kept.keep_if([](int v) { return v % 3 != 0; });
      std::erase_if(model, [](int v) { return v % 3 == 0; });
    }
    ASSERT_EQ(std::vector<int>(kept.begin(), kept.end()), model) << "step " << step;
    ASSERT_EQ(kept.size(), model.size());
    if (!model.empty()) {
      ASSERT_EQ(kept.front(), model.front());
      ASSERT_EQ(kept.back(), model.back());
      ASSERT_EQ(kept.view()[model.size() / 2], model[model.size() / 2]);
    }
  }
}

TEST(ChildList, ListsTopFirstFindsErasesAndTurnsOver) {
  std::vector<hostsim::Art> arts(5);
  hostsim::ChildList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.begin(), list.end());
  list.Insert(0, 30, arts[0], false);
  list.Insert(0, 20, arts[1], false);  // on top
  list.Insert(2, 40, arts[2], true);  // at the bottom
  list.Insert(1, 25, arts[3], false);
  EXPECT_EQ(std::vector<ObjectId>(list.begin(), list.end()), (std::vector<ObjectId>{20, 25, 30, 40}));
  EXPECT_EQ(std::vector<ObjectId>(list.rbegin(), list.rend()), (std::vector<ObjectId>{40, 30, 25, 20}));
  EXPECT_EQ(list.front(), 20u);
  EXPECT_EQ(list.back(), 40u);
  EXPECT_EQ(list[2], 30u);
  EXPECT_EQ(list.IndexOf(40), 3u);
  EXPECT_EQ(list.IndexOf(99), std::nullopt);
  EXPECT_EQ(list.entries()[1].art, &arts[3]) << "each id keeps its art";
  EXPECT_TRUE(list.entries()[3].group);
  EXPECT_FALSE(list.entries()[0].group);
  EXPECT_EQ(std::find(list.begin(), list.end(), 30u) - list.begin(), 2);

  EXPECT_FALSE(list.Erase(99));
  EXPECT_TRUE(list.Erase(20));
  EXPECT_TRUE(list.Erase(40));
  EXPECT_EQ(std::vector<ObjectId>(list.begin(), list.end()), (std::vector<ObjectId>{25, 30}));
  list.Insert(0, 10, arts[4], false);
  list.Reverse();
  EXPECT_EQ(std::vector<ObjectId>(list.begin(), list.end()), (std::vector<ObjectId>{30, 25, 10}));
  EXPECT_EQ(list.entries()[2].art, &arts[4]);
}

}  // namespace
