// Every dialog template: each control lies inside its dialog and overlaps no sibling.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_ids.h"

namespace qv::test {
namespace {

INT_PTR CALLBACK NoHandler(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct Control {
  int id;
  RECT rect;  // in the dialog's client area
};

std::vector<Control> Controls(HWND dialog) {
  std::vector<Control> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    controls.push_back({GetDlgCtrlID(child), rect});
  }
  return controls;
}

class LayoutTest : public ::testing::TestWithParam<int> {};

TEST_P(LayoutTest, ControlsLieInsideAndApart) {
  const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GetParam()), nullptr,
                                         NoHandler, 0);
  ASSERT_NE(nullptr, dialog);
  RECT client;
  GetClientRect(dialog, &client);
  const std::vector<Control> controls = Controls(dialog);
  EXPECT_FALSE(controls.empty());
  for (size_t i = 0; i < controls.size(); ++i) {
    const RECT& rect = controls[i].rect;
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
        << "control " << controls[i].id << " outside";
    for (size_t j = i + 1; j < controls.size(); ++j) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &rect, &controls[j].rect))
          << "controls " << controls[i].id << " and " << controls[j].id << " overlap";
    }
  }
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Templates, LayoutTest, ::testing::Values(QV_ABOUT_DIALOG, QV_COLOUR_DIALOG));

}  // namespace
}  // namespace qv::test
