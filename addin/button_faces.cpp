#include "addin/button_faces.h"

#include <windows.h>

#include "win/clipboard.h"

namespace qv {

// The clipboard is opened for the command window: emptied by an owner, it can be given data.
void PutFaceOnClipboard(HWND form, const wchar_t* face) {
  const OpenedClipboard clipboard(form);
  if (!clipboard.open()) return;
  EmptyClipboard();
  // The library's module, which the command window was made with.
  const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
  const auto bitmap = static_cast<HBITMAP>(LoadImageW(module, face, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  // The clipboard owns the bitmap once it has taken it.
  if (bitmap && !SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
}

void ClearClipboard(HWND form) {
  const OpenedClipboard clipboard(form);
  if (clipboard.open()) EmptyClipboard();
}

}  // namespace qv
