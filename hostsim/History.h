// The host's history of the drawing, for undo and redo. Each step is a copy
// of the drawing as an action left it. An action through the front-end seam
// is one step; actions inside another (the items of a dialog the first one
// opened) and every action of an open gesture (mouse down to mouse up)
// belong to the outermost. An action that changes nothing but the selection
// makes no step. Levels are kept while their copies fit in the memory budget,
// the oldest dropped first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "hostsim/document/Document.h"

namespace hostsim {

class History {
 public:
  // An action begins and ends. The drawing before the first is taken as it is.
  void Begin(const Document& doc);
  // True when the outermost action ended with a step made.
  bool End(const Document& doc);
  // A gesture holds the step open from mouse down to mouse up.
  void OpenGesture(const Document& doc);
  bool CloseGesture(const Document& doc);
  bool gestureOpen() const { return gesture_; }
  // No action or gesture is under way: undo and redo may run.
  bool idle() const { return depth_ == 0 && !gesture_; }

  // Puts the drawing back as it was before the last step (after the step
  // undone). False, with the drawing untouched, when there is none or an
  // action is under way. A change made outside any action becomes a step first.
  bool Undo(Document& doc);
  bool Redo(Document& doc);
  std::size_t undoLevels() const { return undo_.size(); }
  std::size_t redoLevels() const { return redo_.size(); }

  // Drops every step: the drawing is new, or was opened.
  void Clear(const Document& doc);
  // Names the drawing's place in the history: two equal values mean the same
  // drawing (an undo back to a saved state gives the saved state's value).
  std::uint64_t state() const { return current_.state; }

  void SetMemoryBudget(std::size_t bytes) { budget_ = bytes; }
  std::size_t bytesKept() const;

 private:
  struct Entry {
    std::shared_ptr<const Document::Copy> copy;
    std::uint64_t state = 0;
  };
  bool Settle(const Document& doc);
  void Take(const Document& doc);
  void Trim();

  std::deque<Entry> undo_;  // oldest first
  std::deque<Entry> redo_;  // the next to redo last
  Entry current_;           // the drawing as the last step left it
  std::uint64_t nextState_ = 1;
  int depth_ = 0;
  bool gesture_ = false;
  std::size_t budget_ = std::size_t(1) << 30;
};

// One action for the history, from its making to its end.
class HistoryStep {
 public:
  HistoryStep(History& history, const Document& doc) : history_(history), doc_(doc) { history_.Begin(doc_); }
  ~HistoryStep() { history_.End(doc_); }
  HistoryStep(const HistoryStep&) = delete;
  HistoryStep& operator=(const HistoryStep&) = delete;

 private:
  History& history_;
  const Document& doc_;
};

}  // namespace hostsim
