#include "editor/hot_keys.h"

#include "kit/hot_key.h"
#include "win/failure_log.h"

namespace qv {

void RunHotKeys(const HotKeyTable& table, long key_code, int modifiers) {
  for (const HotKey& binding : table) {
    if (IsHotKey(*binding.keys, modifiers, key_code)) Guarded(L"hot key", [&] { binding.action(); });
  }
}

}  // namespace qv
