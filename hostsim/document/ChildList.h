// The children of a group in paint order, top first. Each is kept with a
// pointer to its art, so that walks of the tree need no look-up by id; art
// put on top or at the bottom costs the same however many siblings it has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>

#include "hostsim/document/Devector.h"

namespace hostsim {

using ObjectId = std::uint64_t;
struct Art;

struct ChildEntry {
  ObjectId id = 0;
  Art* art = nullptr;  // owned by the document's store of art
  bool group = false;  // the art is a group: walks look inside only these
};

class ChildList {
 public:
  // Iterates over the children's ids, top first.
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = ObjectId;
    using difference_type = std::ptrdiff_t;
    using pointer = const ObjectId*;
    using reference = const ObjectId&;

    const_iterator() = default;
    explicit const_iterator(const ChildEntry* at) : at_(at) {}
    reference operator*() const { return at_->id; }
    pointer operator->() const { return &at_->id; }
    reference operator[](difference_type n) const { return at_[n].id; }
    const_iterator& operator++() { ++at_; return *this; }
    const_iterator operator++(int) { auto old = *this; ++at_; return old; }
    const_iterator& operator--() { --at_; return *this; }
    const_iterator operator--(int) { auto old = *this; --at_; return old; }
    const_iterator& operator+=(difference_type n) { at_ += n; return *this; }
    const_iterator& operator-=(difference_type n) { at_ -= n; return *this; }
    friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
    friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
    friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
    friend difference_type operator-(const_iterator a, const_iterator b) { return a.at_ - b.at_; }
    friend bool operator==(const_iterator a, const_iterator b) { return a.at_ == b.at_; }
    friend auto operator<=>(const_iterator a, const_iterator b) { return a.at_ <=> b.at_; }

   private:
    const ChildEntry* at_ = nullptr;
  };
  using iterator = const_iterator;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const_iterator begin() const { return const_iterator(entries_.view().data()); }
  const_iterator end() const { return const_iterator(entries_.view().data() + entries_.size()); }
  const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
  ObjectId operator[](std::size_t i) const { return entries_[i].id; }
  ObjectId front() const { return entries_.front().id; }  // the top child
  ObjectId back() const { return entries_.back().id; }    // the bottom child

  // The children with their art, top first.
  std::span<const ChildEntry> entries() const { return entries_.view(); }

  // Puts the art at position index, 0 being the top.
  void Insert(std::size_t index, ObjectId id, Art& art, bool group) {
    entries_.insert(index, ChildEntry{id, &art, group});
  }
  // The position of the child, searched from the top.
  std::optional<std::size_t> IndexOf(ObjectId id) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].id == id) return i;
    }
    return std::nullopt;
  }
  // Takes the child out; false when it is not one.
  bool Erase(ObjectId id) {
    const auto at = IndexOf(id);
    if (!at) return false;
    entries_.erase(*at);
    return true;
  }
  // Turns the paint order upside down.
  void Reverse() {
    Devector<ChildEntry> reversed;
    for (std::size_t i = entries_.size(); i-- > 0;) reversed.push_back(entries_[i]);
    entries_ = std::move(reversed);
  }

 private:
  Devector<ChildEntry> entries_;
};

}  // namespace hostsim
