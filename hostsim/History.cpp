#include "hostsim/History.h"

namespace hostsim {

void History::Take(const Document& doc) { current_ = {doc.CopyDrawing(), nextState_++}; }

void History::Begin(const Document& doc) {
  if (current_.copy == nullptr) Take(doc);
  ++depth_;
}

bool History::End(const Document& doc) {
  if (depth_ > 0) --depth_;
  return idle() && Settle(doc);
}

void History::OpenGesture(const Document& doc) {
  if (current_.copy == nullptr) Take(doc);
  gesture_ = true;
}

bool History::CloseGesture(const Document& doc) {
  if (!gesture_) return false;
  gesture_ = false;
  return idle() && Settle(doc);
}

// A step when the drawing is not the one the last step left.
bool History::Settle(const Document& doc) {
  if (current_.copy == nullptr) {
    Take(doc);
    return false;
  }
  if (doc.SameDrawing(*current_.copy)) return false;
  undo_.push_back(std::move(current_));
  Take(doc);
  redo_.clear();
  Trim();
  return true;
}

bool History::Undo(Document& doc) {
  if (!idle()) return false;
  Settle(doc);
  if (undo_.empty()) return false;
  redo_.push_back(std::move(current_));
  current_ = std::move(undo_.back());
  undo_.pop_back();
  doc.RestoreDrawing(*current_.copy);
  return true;
}

bool History::Redo(Document& doc) {
  if (!idle()) return false;
  if (Settle(doc)) return false;  // a change since the undo: nothing is left to redo
  if (redo_.empty()) return false;
  undo_.push_back(std::move(current_));
  current_ = std::move(redo_.back());
  redo_.pop_back();
  doc.RestoreDrawing(*current_.copy);
  return true;
}

void History::Clear(const Document& doc) {
  undo_.clear();
  redo_.clear();
  depth_ = 0;
  gesture_ = false;
  Take(doc);
}

std::size_t History::bytesKept() const {
  std::size_t bytes = current_.copy != nullptr ? Document::CopyBytes(*current_.copy) : 0;
  for (const Entry& e : undo_) bytes += Document::CopyBytes(*e.copy);
  for (const Entry& e : redo_) bytes += Document::CopyBytes(*e.copy);
  return bytes;
}

// The oldest steps go while the copies exceed the budget; the last one stays.
void History::Trim() {
  std::size_t bytes = bytesKept();
  while (bytes > budget_ && undo_.size() > 1) {
    bytes -= Document::CopyBytes(*undo_.front().copy);
    undo_.pop_front();
  }
}

}  // namespace hostsim
