#pragma once
// The pictures of the add-in's buttons: BITMAP resources of the library, named after the images of
// the command window ("imgOptions", "imgFormat", ...). A button takes its face from the clipboard.

#include <windows.h>

namespace qv {

// `form` is the hidden command window, which owns the clipboard for them and whose module holds the
// faces. Empties the clipboard and puts the face on it; a face or clipboard that cannot be had leaves the
// clipboard without a picture, so the button's PasteFace fails.
void PutFaceOnClipboard(HWND form, const wchar_t* face);
void ClearClipboard(HWND form);

}  // namespace qv
