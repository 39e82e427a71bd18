#pragma once
// Paints directive comments, string contents and the user's texts over the editor's own text in the
// active code window, right after the editor has painted, and normalises directive keywords' case.
#include <windows.h>

namespace qv {

enum class PaintLines {
  kVisible,    // every line the active pane shows, the partly shown last one too
  kCaretLine,  // the caret's line only, after a typed character or Delete
};

// Nothing unless `window` is the active code window: between an activation and the next tick the
// hooked window may be another. The pane's position and selection are read once per call.
void PaintCodePane(HWND window, PaintLines lines);

}  // namespace qv
