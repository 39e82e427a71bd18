#pragma once

#include <charconv>
#include <concepts>
#include <limits>
#include <string>
#include <string_view>

#include "core/keyed_collection.h"

namespace qv {

inline const std::wstring& ToText(const std::wstring& text) { return text; }

// Numbers as decimal text; fractions with at most the type's reliable digits,
// so 0.1 + 0.2 reads "0.3" as the edited language would print it.
template <class A>
requires(std::integral<A> || std::floating_point<A>) && (!std::same_as<A, bool>)std::wstring ToText(A value) {
  char buffer[64];
  char* const last = buffer + sizeof buffer;
  std::to_chars_result written;
  if constexpr (std::floating_point<A>) {
    written = std::to_chars(buffer, last, value, std::chars_format::general, std::numeric_limits<A>::digits10);
  } else {
    written = std::to_chars(buffer, last, value);
  }
  std::wstring text;
  for (const char* c = buffer; c != written.ptr; ++c) text.push_back(static_cast<wchar_t>(*c));
  return text;
}

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
