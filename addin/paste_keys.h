#pragma once
// The host's paste command, given through the keyboard so that the host records it as one edit that
// its undo takes back.

namespace qv {

// Sends Shift+Insert to the window that has the focus and dispatches this thread's messages until
// the keys have been processed. Throws VbError when they are not processed in time.
void PasteFromKeyboard();

}  // namespace qv
