// A vector that grows at both ends: the elements sit in one block with room
// kept free before the first, so that putting one in front costs as little as
// putting one at the back, and one put or taken near either end moves only
// the elements between it and that end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace hostsim {

template <class T>
class Devector {
 public:
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  std::size_t size() const { return slots_.size() - head_; }
  bool empty() const { return size() == 0; }
  iterator begin() { return slots_.begin() + static_cast<std::ptrdiff_t>(head_); }
  iterator end() { return slots_.end(); }
  const_iterator begin() const { return slots_.begin() + static_cast<std::ptrdiff_t>(head_); }
  const_iterator end() const { return slots_.end(); }
  T& operator[](std::size_t i) { return slots_[head_ + i]; }
  const T& operator[](std::size_t i) const { return slots_[head_ + i]; }
  T& front() { return slots_[head_]; }
  const T& front() const { return slots_[head_]; }
  T& back() { return slots_.back(); }
  const T& back() const { return slots_.back(); }
  std::span<const T> view() const { return {slots_.data() + head_, size()}; }

  void clear() {
    slots_.clear();
    head_ = 0;
  }

  void push_back(const T& value) { slots_.push_back(value); }

  // Puts value at position index (0 = first, size() = last).
  void insert(std::size_t index, const T& value) {
    const std::size_t n = size();
    if (index > n / 2) {
      slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(head_ + index), value);
      return;
    }
    if (head_ == 0) MakeRoomInFront();
    --head_;
    std::move(slots_.begin() + static_cast<std::ptrdiff_t>(head_ + 1),
              slots_.begin() + static_cast<std::ptrdiff_t>(head_ + 1 + index),
              slots_.begin() + static_cast<std::ptrdiff_t>(head_));
    slots_[head_ + index] = value;
  }

  // Takes out the element at index.
  void erase(std::size_t index) {
    if (index >= size() / 2) {
      slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(head_ + index));
    } else {
      std::move_backward(slots_.begin() + static_cast<std::ptrdiff_t>(head_),
                         slots_.begin() + static_cast<std::ptrdiff_t>(head_ + index),
                         slots_.begin() + static_cast<std::ptrdiff_t>(head_ + index + 1));
      slots_[head_] = T{};
      ++head_;
    }
    if (empty()) clear();
  }

  // Keeps only the elements for which keep(element) is true, in their order.
  template <class Keep>
  void keep_if(Keep&& keep) {
    slots_.erase(std::remove_if(begin(), end(), [&](const T& value) { return !keep(value); }), slots_.end());
    if (empty()) clear();
  }

 private:
  // Room in front as large as what is held (at least a few), so that a run of
  // insertions in front costs amortised constant time.
  void MakeRoomInFront() {
    const std::size_t n = size();
    const std::size_t room = std::max<std::size_t>(n, 4);
    std::vector<T> grown;
    grown.reserve(room + n + n / 2 + 1);
    grown.resize(room);
    grown.insert(grown.end(), begin(), end());
    slots_ = std::move(grown);
    head_ = room;
  }

  std::vector<T> slots_;
  std::size_t head_ = 0;  // slots before this one are free
};

}  // namespace hostsim
