#pragma once
// The colour dialog: a colour typed as red, green and blue, as a hexadecimal or as a decimal number,
// shown in a preview square. The list editors' swatches open it: they put the current colour in,
// run it modally and take the preview's colour when Result is 1.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/dialog_window.h"
#include "win/gdi_owners.h"

namespace qv {

class ColourDialog final : public DialogWindow {
 public:
  // Created hidden, owned by the caller's dialog.
  bool Create(HWND owner);
  // Writes the decimal box, which the preview follows.
  void SetColour(std::int32_t colour);
  std::int32_t PreviewColour() const { return colour_; }
  // 0 until a button is pressed (and after the close box), 1 for OK, 2 for Cancel.
  short Result() const { return result_; }

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // 1 enables the red, green and blue boxes, 2 the hexadecimal box, 3 the decimal box; each of the
  // eight controls is set, enabled exactly when it belongs to `pos`.
  void SetEnables(short pos);
  // A change of a box: the red, green and blue or the hexadecimal box rewrite the decimal box,
  // which moves the preview.
  void OnTextChanged(int id);
  // The decimal text that the red, green and blue or the hexadecimal box give.
  std::optional<std::wstring> DecimalOfEntry(int id) const;

  std::int32_t colour_ = 0;
  Brush brush_;
  short result_ = 0;
};

}  // namespace qv
