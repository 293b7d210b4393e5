// The real plug-in library driven by tool messages in the simulated host,
// with the document's art read back through the host's own suites.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "host/AllSuites.h"
#include "hostsim/document/Document.h"

class ToolSessionTest : public PluginHostTest {
 protected:
  // Launches with the label tool current. `settings` changes the stored
  // settings of a first start before the launch that reads them.
  void Start(const std::function<void(hostsim::PreferenceStore&)>& settings = {}) {
    if (settings) {
      FirstStart();
      OpenHost();
      settings(prefs());
    } else {
      OpenHost();
    }
    ASSERT_EQ(host().Launch(), kNoErr);
    ASSERT_EQ(host().SelectTool(true), kNoErr);
    art_ = host().suites().AcquireTable<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
    layers_ = host().suites().AcquireTable<AILayerSuite>(kAILayerSuite, kAILayerSuiteVersion);
    paths_ = host().suites().AcquireTable<AIPathSuite>(kAIPathSuite, kAIPathSuiteVersion);
    tags_ = host().suites().AcquireTable<AITagSuite>(kAITagSuite, kAITagSuiteVersion);
    ASSERT_TRUE(art_ && layers_ && paths_ && tags_);
  }

  ASErr Send(const char* selector, float x, float y) { return host().SendTool(selector, AIRealPoint{x, y}); }
  ASErr Hover(float x, float y) { return Send(kSelectorAITrackToolCursor, x, y); }
  // The pointer arrives, then the button goes down.
  void Press(float x, float y) {
    EXPECT_EQ(Hover(x, y), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDown, x, y), kNoErr);
  }
  // Two drag messages to the label's place (the box is sized from the text
  // of the previous one), then the button goes up.
  void DragTo(float x, float y) {
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, x, y), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, x, y), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseUp, x, y), kNoErr);
  }
  // Click, drag twice 80 right and 60 up, release: one finished label.
  void DrawLabel(float x, float y) {
    Press(x, y);
    DragTo(x + 80, y + 60);
  }
  void HoldKey(int key) { host().keyboard().Press(key); }
  void ReleaseKey(int key) { host().keyboard().Release(key); }

  std::vector<AIArtHandle> Children(AIArtHandle group) {
    std::vector<AIArtHandle> out;
    AIArtHandle child = nullptr;
    art_->GetArtFirstChild(group, &child);
    while (child != nullptr) {
      out.push_back(child);
      art_->GetArtSibling(child, &child);
    }
    return out;
  }

  // Art of the top layer, top first: the label groups and anything else.
  std::vector<AIArtHandle> Labels() {
    AILayerHandle layer = nullptr;
    AIArtHandle top = nullptr;
    layers_->GetNthLayer(0, &layer);
    art_->GetFirstArtOfLayer(layer, &top);
    return Children(top);
  }

  AIArtHandle Named(AIArtHandle group, const char* name) {
    for (AIArtHandle child : Children(group)) {
      char buffer[64] = {};
      ASBoolean isDefault = false;
      art_->GetArtName(child, buffer, sizeof buffer, &isDefault);
      if (std::string(buffer) == name) return child;
    }
    return nullptr;
  }

  std::vector<AIPathSegment> Segments(AIArtHandle path) {
    int16_t count = 0;
    paths_->GetPathSegmentCount(path, &count);
    std::vector<AIPathSegment> out(static_cast<size_t>(count));
    if (count > 0) paths_->GetPathSegments(path, 0, count, out.data());
    return out;
  }

  // A path in the drawing below everything, black 1 pt, grey when filled.
  void AddPath(const std::vector<AIPathSegment>& segments, bool closed, bool filled = false) {
    hostsim::Document& doc = host().document();
    hostsim::ObjectId id = 0;
    ASSERT_EQ(doc.NewArt(hostsim::ArtKind::Path, kPlaceBelowAll, 0, &id), kNoErr);
    hostsim::Art& path = *doc.FindArt(id);
    path.path.segments = segments;
    path.path.closed = closed;
    path.path.style = hostsim::DefaultPathStyle();
    if (filled) {
      path.path.style.fillPaint = true;
      path.path.style.fill.color = hostsim::GrayColor(0.5);
    }
    // As after any drawing by the user, the host says the selection changed.
    if (host().launched()) host().Notify(kAIArtSelectionChangedNotifier);
  }
  static AIPathSegment Corner(float x, float y) { return {{x, y}, {x, y}, {x, y}, true}; }
  void AddFilledRectangle(float x, float y, float w, float h) {
    AddPath({Corner(x, y), Corner(x + w, y), Corner(x + w, y + h), Corner(x, y + h)}, true, true);
  }

  // Cursor resources set so far, in order.
  std::vector<int> Cursors() {
    std::vector<int> ids;
    for (const auto& e : host().events().OfType("cursor")) ids.push_back(e["id"].get<int>());
    return ids;
  }
  std::vector<int> Beeps() {
    std::vector<int> hz;
    for (const auto& e : host().events().OfType("beep")) hz.push_back(e["hz"].get<int>());
    return hz;
  }

  const AIArtSuite* art_ = nullptr;
  const AILayerSuite* layers_ = nullptr;
  const AIPathSuite* paths_ = nullptr;
  const AITagSuite* tags_ = nullptr;
};
