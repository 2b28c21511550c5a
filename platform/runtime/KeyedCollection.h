#pragma once
// The run time's keyed collection: 1-based positions, optional unique keys
// compared without regard to case, enumeration in insertion order.

#include <QString>
#include <algorithm>
#include <vector>

#include "runtime/RuntimeError.h"

namespace rt {

template <class T>
class KeyedCollection {
 public:
  struct Entry {
    T item;
    QString key;
  };

  Long Count() const { return static_cast<Long>(entries_.size()); }

  // Adds at the end; a key already present raises error 457 and adds nothing.
  void Add(T item, const QString& key = QString()) {
    if (!key.isEmpty() && find(key) != entries_.end()) raise(err::DuplicateKey);
    entries_.push_back(Entry{std::move(item), key});
  }

  // Item by 1-based position (error 9 outside 1..Count).
  const T& Item(Long position) const { return entries_.at(index(position)).item; }
  T& Item(Long position) { return entries_.at(index(position)).item; }
  // Item by key (error 5 when no item has it).
  const T& Item(const QString& key) const { return existing(key)->item; }

  bool Contains(const QString& key) const { return find(key) != entries_.end(); }
  QString KeyAt(Long position) const { return entries_.at(index(position)).key; }

  void Remove(Long position) { entries_.erase(entries_.begin() + index(position)); }
  void Remove(const QString& key) {
    auto it = find(key);
    if (it == entries_.end()) raise(err::InvalidCall);
    entries_.erase(it);
  }
  void Clear() { entries_.clear(); }

  // For Each: the items in insertion order.
  class const_iterator {
   public:
    explicit const_iterator(typename std::vector<Entry>::const_iterator it) : it_(it) {}
    const T& operator*() const { return it_->item; }
    const T* operator->() const { return &it_->item; }
    const_iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const const_iterator& other) const { return it_ == other.it_; }
    bool operator!=(const const_iterator& other) const { return it_ != other.it_; }

   private:
    typename std::vector<Entry>::const_iterator it_;
  };
  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }

  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::size_t index(Long position) const {
    if (position < 1 || position > Count()) raise(err::SubscriptOutOfRange);
    return static_cast<std::size_t>(position - 1);
  }
  typename std::vector<Entry>::const_iterator find(const QString& key) const {
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
      return !e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0;
    });
  }
  typename std::vector<Entry>::iterator find(const QString& key) {
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
      return !e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0;
    });
  }
  typename std::vector<Entry>::const_iterator existing(const QString& key) const {
    auto it = find(key);
    if (it == entries_.end()) raise(err::InvalidCall);
    return it;
  }

  std::vector<Entry> entries_;
};

}  // namespace rt
