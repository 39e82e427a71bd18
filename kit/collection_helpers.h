#pragma once

#include <concepts>
#include <string>
#include <string_view>

#include "kit/keyed_collection.h"

namespace qv {

inline const std::wstring& ToText(const std::wstring& text) { return text; }

// Whole numbers (colours, window handles) as decimal text.
template <std::integral A>
requires(!std::same_as<A, bool>) std::wstring ToText(A value) { return std::to_wstring(value); }

// The item under key as text; "" when there is no collection or no such key.
template <class T>
std::wstring GetItem(const KeyedCollection<T>* coll, std::wstring_view key) {
  const T* item = coll ? coll->Find(key) : nullptr;
  return item ? std::wstring(ToText(*item)) : std::wstring();
}

template <class T>
bool ItemExists(const KeyedCollection<T>* coll, std::wstring_view key) {
  return coll && coll->Contains(key);
}

// On equality both give b.
template <class A>
A MinVar(const A& a, const A& b) {
  return a < b ? a : b;
}
template <class A>
A MaxVar(const A& a, const A& b) {
  return a > b ? a : b;
}

}  // namespace qv
