#pragma once
// The nine editor commands the user binds to keys, run when a key is released in the code window.
// The table comes from the library, which knows what each command reaches.
#include <functional>
#include <string>
#include <vector>

namespace qv {

struct HotKey {
  const std::wstring* keys;  // the setting that binds it, as the options dialog writes it
  std::function<void()> action;
};
using HotKeyTable = std::vector<HotKey>;

// Tests every binding in order with the released key and the held modifiers (a hot-key mask); each
// that matches runs, and a failing one is recorded and the next tested. The key is never swallowed.
void RunHotKeys(const HotKeyTable& table, long key_code, int modifiers);

}  // namespace qv
