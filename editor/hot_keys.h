#pragma once
// The nine editor commands the user binds to keys, run when a key is released in the code window.

namespace qv {

// Tests every binding in order with the released key and the held modifiers (a hot-key mask); each
// that matches runs, and a failing one is recorded and the next tested. The key is never swallowed.
void RunHotKeys(long key_code, int modifiers);

}  // namespace qv
