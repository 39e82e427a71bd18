#include "dialogs/colour_dialog.h"

#include <string>

#include "dialogs/controls.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/twips.h"
#include "kit/colour_entry.h"

namespace qv {
namespace {

constexpr int kPreviewTwips = 1000;
constexpr int kComponentDigits = 3;

struct EnableGroup {
  int id;
  short pos;
};

constexpr EnableGroup kEnableGroups[] = {
    {QV_COLOUR_R_LABEL, 1}, {QV_COLOUR_R, 1}, {QV_COLOUR_G_LABEL, 1}, {QV_COLOUR_G, 1},
    {QV_COLOUR_B_LABEL, 1}, {QV_COLOUR_B, 1}, {QV_COLOUR_HEX_TEXT, 2}, {QV_COLOUR_DECIMAL_TEXT, 3},
};

bool IsBox(int id) {
  return id == QV_COLOUR_R || id == QV_COLOUR_G || id == QV_COLOUR_B || id == QV_COLOUR_HEX_TEXT ||
         id == QV_COLOUR_DECIMAL_TEXT;
}

}  // namespace

bool ColourDialog::Create(HWND owner) { return DialogWindow::Create(QV_COLOUR_DIALOG, owner); }

void ColourDialog::SetColour(std::int32_t colour) {
  SetControlText(Item(QV_COLOUR_DECIMAL_TEXT), std::to_wstring(colour));
}

void ColourDialog::OnInit() {
  brush_.reset(CreateSolidBrush(static_cast<COLORREF>(colour_)));
  SendMessageW(Item(QV_COLOUR_DECIMAL), BM_SETCHECK, BST_CHECKED, 0);
  for (const int id : {QV_COLOUR_R, QV_COLOUR_G, QV_COLOUR_B}) {
    SendMessageW(Item(id), EM_LIMITTEXT, kComponentDigits, 0);
  }
  const int side = TwipsToScreenPixels(kPreviewTwips);
  SetWindowPos(Item(QV_COLOUR_PREVIEW), nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ColourDialog::SetEnables(short pos) {
  for (const EnableGroup& group : kEnableGroups) EnableWindow(Item(group.id), group.pos == pos);
}

void ColourDialog::OnTextChanged(int id) {
  if (id == QV_COLOUR_DECIMAL_TEXT) {
    const std::optional<std::int32_t> colour = ColourOfDecimal(ControlText(Item(id)));
    if (!colour) return;
    colour_ = *colour;
    brush_.reset(CreateSolidBrush(static_cast<COLORREF>(colour_)));
    InvalidateRect(Item(QV_COLOUR_PREVIEW), nullptr, TRUE);
    return;
  }
  const std::optional<std::wstring> decimal = DecimalOfEntry(id);
  if (decimal) SetControlText(Item(QV_COLOUR_DECIMAL_TEXT), *decimal);
}

std::optional<std::wstring> ColourDialog::DecimalOfEntry(int id) const {
  if (id == QV_COLOUR_HEX_TEXT) return DecimalOfHex(ControlText(Item(id)));
  const std::optional<std::int32_t> colour = ColourOfComponents(
      ControlText(Item(QV_COLOUR_R)), ControlText(Item(QV_COLOUR_G)), ControlText(Item(QV_COLOUR_B)));
  if (!colour) return std::nullopt;
  return std::to_wstring(*colour);
}

void ColourDialog::OnCommand(int id, int code) {
  if (IsBox(id)) {
    if (code == EN_CHANGE) OnTextChanged(id);
    if (code == EN_SETFOCUS) SelectAllText(Item(id));
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case QV_COLOUR_RGB:
      SetEnables(1);
      break;
    case QV_COLOUR_HEX:
      SetEnables(2);
      break;
    case QV_COLOUR_DECIMAL:
      SetEnables(3);
      break;
    case IDOK:
      result_ = 1;
      EndModal();
      break;
    case QV_COLOUR_CANCEL:
      result_ = 2;
      EndModal();
      break;
    default:  // IDCANCEL: Esc does nothing
      break;
  }
}

INT_PTR ColourDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lparam) == Item(QV_COLOUR_PREVIEW)) {
    SetBkColor(reinterpret_cast<HDC>(wparam), static_cast<COLORREF>(colour_));
    return reinterpret_cast<INT_PTR>(brush_.get());
  }
  // The close box unloads the dialog; the default would make it Esc's IDCANCEL.
  if (message == WM_CLOSE) {
    result_ = 0;
    EndModal();
    DestroyWindow(hwnd());
    return TRUE;
  }
  return FALSE;
}

}  // namespace qv
