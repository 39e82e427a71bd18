#pragma once
// A dialog of the test program's own, with one control of each kind the toolkit sets.
#define QV_TEST_KIT_DIALOG 9001
#define QV_TEST_EDIT 9101
#define QV_TEST_CHECK 9102
#define QV_TEST_ONE 9103
#define QV_TEST_TWO 9104
#define QV_TEST_THREE 9105
#define QV_TEST_OTHER 9106

#ifndef RC_INVOKED
#include <string>
#include <vector>

#include "dialogs/dialog_window.h"

namespace qv::test {

// Keeps every Click and Change as "id:code"; Esc (IDCANCEL) destroys it.
class KitDialog final : public DialogWindow {
 public:
  std::vector<std::wstring> commands;

 protected:
  void OnCommand(int id, int code) override {
    if (code == BN_CLICKED || code == EN_CHANGE) commands.push_back(std::to_wstring(id) + L":" + std::to_wstring(code));
    if (id == IDCANCEL) DestroyWindow(hwnd());
  }
};

}  // namespace qv::test
#endif
