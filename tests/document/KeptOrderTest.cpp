// What the document keeps aside to answer quickly (the list of paths in
// document order, each art's bounds, the map behind hit testing) must always
// give what walking the whole tree gives, whatever was made, disposed or
// reordered since.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"

namespace {

using hostsim::ArtKind;
using hostsim::Document;
using hostsim::ObjectId;

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

std::vector<ObjectId> PathsByWalking(const Document& doc) {
  std::vector<ObjectId> paths;
  for (ObjectId id : doc.ArtInDocumentOrder()) {
    if (doc.FindArt(id)->kind == ArtKind::Path) paths.push_back(id);
  }
  return paths;
}

class KeptOrder : public ::testing::Test {
 protected:
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  std::mt19937 rng{7};
  std::vector<ObjectId> art;

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  ObjectId Any() { return art.empty() ? 0 : art[static_cast<std::size_t>(Below(static_cast<int>(art.size())))]; }

  // Makes, disposes or reorders one art at a random place, through every paint order.
  void RandomEdit() {
    const int16_t orders[] = {kPlaceAbove, kPlaceBelow, kPlaceInsideOnTop, kPlaceInsideOnBottom, kPlaceAboveAll,
                              kPlaceBelowAll};
    const int what = Below(10);
    if (what < 6 || art.empty()) {
      ObjectId id = 0;
      const ArtKind kind = Below(3) == 0 ? ArtKind::Group : (Below(4) == 0 ? ArtKind::Text : ArtKind::Path);
      if (doc->NewArt(kind, orders[Below(6)], Below(5) == 0 ? 0 : Any(), &id) == kNoErr) art.push_back(id);
    } else if (what < 8) {
      const ObjectId gone = Any();
      if (doc->DisposeArt(gone) == kNoErr) {
        std::erase_if(art, [&](ObjectId id) { return doc->FindArt(id) == nullptr; });
      }
    } else if (what == 8) {
      doc->ReorderArt(Any(), orders[Below(6)], Any());
    } else {
      const ObjectId layer = doc->InsertLayer(static_cast<std::size_t>(Below(3)));
      doc->SetCurrentLayer(layer);
    }
  }
};

TEST_F(KeptOrder, TheListOfPathsFollowsEveryMakeDisposeAndReorder) {
  for (int step = 0; step < 3000; ++step) {
    RandomEdit();
    // Asked now and then, so that the list is kept up to date between askings too.
    if (step % 7 == 0) {
      ASSERT_EQ(doc->PathsInDocumentOrder(), PathsByWalking(*doc)) << "after step " << step;
    }
  }
  EXPECT_GT(doc->PathsInDocumentOrder().size(), 50u);
}

TEST_F(KeptOrder, ChildrenReversedByHandAreListedAgain) {
  ObjectId a = 0, b = 0;
  ASSERT_EQ(doc->NewArt(ArtKind::Path, kPlaceBelowAll, 0, &a), kNoErr);
  ASSERT_EQ(doc->NewArt(ArtKind::Path, kPlaceBelowAll, 0, &b), kNoErr);
  EXPECT_EQ(doc->PathsInDocumentOrder(), (std::vector<ObjectId>{a, b}));
  auto& children = doc->FindArt(doc->layers().front().group)->children;
  std::reverse(children.begin(), children.end());
  doc->ChildrenReordered();
  EXPECT_EQ(doc->PathsInDocumentOrder(), (std::vector<ObjectId>{b, a}));
}

}  // namespace
