#pragma once
// Keys given to the focus window as if typed, so that the host does what it does for the user: a
// paste its undo takes back in one step, or the deletion of a selection.

namespace qv {

// Sends Shift+Insert to the window that has the focus and dispatches this thread's messages until
// the keys have been processed. Throws VbError when they are not processed in time.
void PasteFromKeyboard();

// Sends Delete to the window that has the focus and dispatches this thread's messages until it has
// been processed, for at most about a second. False when it was not processed in that time.
bool DeleteFromKeyboard();

}  // namespace qv
