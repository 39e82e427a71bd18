#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "kit/case_fold.h"
#include "kit/vb_error.h"

namespace qv {

// The edited language's Collection: items in insertion order at 1-based
// positions, each with an optional key matched without regard to letter case.
template <class T = std::wstring>
class KeyedCollection {
 public:
  void Add(T item, std::optional<std::wstring> key = std::nullopt) {
    if (!Insert(std::move(item), std::move(key))) throw DuplicateKeyError();
  }
  bool TryAdd(T item, std::wstring key) { return Insert(std::move(item), std::move(key)); }

  const T& Item(long position) const { return items_[IndexOf(position)]; }
  T& Item(long position) { return items_[IndexOf(position)]; }
  const T& Item(std::wstring_view key) const {
    if (const T* item = Find(key)) return *item;
    throw InvalidCallError();
  }
  const T* Find(std::wstring_view key) const {
    const std::size_t index = IndexOf(key);
    return index == npos ? nullptr : &items_[index];
  }
  bool Contains(std::wstring_view key) const { return IndexOf(key) != npos; }

  void Remove(long position) { RemoveAt(IndexOf(position)); }
  void Remove(std::wstring_view key) {
    const std::size_t index = IndexOf(key);
    if (index == npos) throw InvalidCallError();
    RemoveAt(index);
  }

  long Count() const { return static_cast<long>(items_.size()); }
  void Clear() {
    items_.clear();
    keys_.clear();
    index_.clear();
  }
  // The key spelled as it was added.
  std::optional<std::wstring> KeyAt(long position) const { return keys_[IndexOf(position)]; }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  bool Insert(T&& item, std::optional<std::wstring>&& key) {
    std::wstring folded = key ? FoldCase(*key) : std::wstring();
    if (key && index_.contains(folded)) return false;
    items_.push_back(std::move(item));
    keys_.push_back(std::move(key));
    if (keys_.back()) index_.emplace(std::move(folded), items_.size() - 1);
    return true;
  }

  std::size_t IndexOf(long position) const {
    if (position < 1 || position > Count()) throw SubscriptError();
    return static_cast<std::size_t>(position - 1);
  }
  std::size_t IndexOf(std::wstring_view key) const {
    const auto found = index_.find(FoldCase(key));
    return found == index_.end() ? npos : found->second;
  }

  void RemoveAt(std::size_t index) {
    if (keys_[index]) index_.erase(FoldCase(*keys_[index]));
    const auto offset = static_cast<std::ptrdiff_t>(index);
    items_.erase(items_.begin() + offset);
    keys_.erase(keys_.begin() + offset);
    for (auto& entry : index_) {
      if (entry.second > index) --entry.second;
    }
  }

  std::vector<T> items_;
  std::vector<std::optional<std::wstring>> keys_;        // as added
  std::unordered_map<std::wstring, std::size_t> index_;  // folded key -> index into items_
};

}  // namespace qv
