#include "dialogs/input_box.h"

#include "addin/build_info.h"
#include "dialogs/controls.h"
#include "dialogs/dialog_window.h"
#include "dialogs/options_ids.h"

namespace qv {
namespace {

class InputDialog final : public DialogWindow {
 public:
  InputDialog(std::wstring_view prompt, std::wstring_view dflt) : prompt_(prompt), answer_(dflt) {}
  const std::wstring& answer() const { return answer_; }

 protected:
  void OnInit() override {
    SetWindowTextW(hwnd(), Build().AppTitle);
    SetControlText(Item(QV_INPUT_PROMPT), prompt_);
    SetControlText(Item(QV_INPUT_TEXT), answer_);
    SelectAllText(Item(QV_INPUT_TEXT));
  }

  void OnCommand(int id, int) override {
    if (id != IDOK && id != IDCANCEL) return;
    answer_ = id == IDOK ? ControlText(Item(QV_INPUT_TEXT)) : std::wstring();
    EndModal();
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message != WM_CLOSE) return FALSE;
    answer_.clear();
    EndModal();
    return TRUE;
  }

 private:
  std::wstring prompt_;
  std::wstring answer_;
};

}  // namespace

std::wstring InputBox(HWND owner, std::wstring_view prompt, std::wstring_view dflt) {
  InputDialog dialog(prompt, dflt);
  if (!dialog.Create(QV_INPUT_DIALOG, owner)) return {};
  dialog.RunModal();
  return dialog.answer();
}

}  // namespace qv
