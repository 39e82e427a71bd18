#include "addin/button_faces.h"

#include <windows.h>

#include "addin/main_form.h"

namespace qv {
namespace {

// The clipboard, opened for the command window: emptied by an owner, it can be given data.
class OpenedClipboard {
 public:
  OpenedClipboard() : open_(OpenClipboard(MainFormWindow()) != FALSE) {
    if (open_) EmptyClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

void PutFaceOnClipboard(const wchar_t* face) {
  const OpenedClipboard clipboard;
  if (!clipboard.open()) return;
  // The library's module, which the command window was made with.
  const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(MainFormWindow(), GWLP_HINSTANCE));
  const auto bitmap = static_cast<HBITMAP>(LoadImageW(module, face, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  // The clipboard owns the bitmap once it has taken it.
  if (bitmap && !SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
}

void ClearClipboard() { const OpenedClipboard clipboard; }

}  // namespace qv
