#pragma once
// The pictures of the add-in's buttons: BITMAP resources of the library, named after the images of
// the command window ("imgOptions", "imgFormat", ...). A button takes its face from the clipboard.

namespace qv {

// Empties the clipboard and puts the face on it; a face or clipboard that cannot be had leaves the
// clipboard without a picture, so the button's PasteFace fails.
void PutFaceOnClipboard(const wchar_t* face);
void ClearClipboard();

}  // namespace qv
