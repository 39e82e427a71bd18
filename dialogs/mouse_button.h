#pragma once
// The options dialog's pictures that act as buttons: the list editors' image buttons, which look
// pressed while a mouse button is held on them and act on its release, even outside; and the colour
// swatches, which act as soon as a mouse button goes down. Either tells its parent with a
// WM_COMMAND BN_CLICKED, as a button does. Both are owner-drawn statics with SS_NOTIFY.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "win/subclass.h"

namespace qv {

class MouseButton final : public Subclass {
 public:
  enum class Acts { kOnRelease, kOnPress };
  explicit MouseButton(Acts acts) : acts_(acts) {}
  bool pressed() const { return pressed_; }

 protected:
  std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;

 private:
  void SetPressed(HWND window, bool pressed);

  Acts acts_;
  bool pressed_ = false;
};

// The pictures, drawn for WM_DRAWITEM: a plus, a pencil and a cross; greyed when disabled, framed
// with a single line while pressed.
enum class ButtonPicture { kAdd, kEdit, kDelete };
void DrawImageButton(const DRAWITEMSTRUCT& item, ButtonPicture picture, bool pressed);
// A swatch: its colour (0x00BBGGRR) inside a sunken edge.
void DrawSwatch(const DRAWITEMSTRUCT& item, std::int32_t colour);

}  // namespace qv
