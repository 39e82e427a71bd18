#include "dialogs/colour_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/controls.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/twips.h"
#include "win/failure_log.h"

namespace qv::test {
namespace {

// What the dialog procedure caught and recorded: no input may make a handler fail.
std::wstring& Failures() {
  static std::wstring failures;
  return failures;
}

class ColourDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Failures().clear();
    SetFailureSink([](std::wstring_view line) noexcept { Failures() += std::wstring(line) + L"\n"; });
    ASSERT_TRUE(dialog_.Create(nullptr));
  }
  void TearDown() override {
    SetFailureSink(nullptr);
    EXPECT_EQ(L"", Failures());
  }

  HWND Item(int id) const { return dialog_.Item(id); }
  std::wstring Text(int id) const { return ControlText(Item(id)); }
  // As the user types it: the box gets the whole text.
  void Type(int id, const wchar_t* text) const { SetWindowTextW(Item(id), text); }
  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  // The preview's colour as the dialog paints it.
  COLORREF Preview() const {
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    SetBkColor(dc.get(), RGB(1, 2, 3));
    SendMessageW(dialog_.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(Item(QV_COLOUR_PREVIEW)));
    return GetBkColor(dc.get());
  }
  // A key as IsDialogMessage gets it in the modal loop, at the decimal box.
  void Key(WPARAM key) const {
    MSG message{Item(QV_COLOUR_DECIMAL_TEXT), WM_KEYDOWN, key, 1, 0, {}};
    IsDialogMessageW(dialog_.hwnd(), &message);
  }

  ColourDialog dialog_;
};

TEST_F(ColourDialogTest, OpensInItsDesignedStateWithTheCallersColour) {
  dialog_.SetColour(255);
  EXPECT_EQ(RGB(255, 0, 0), Preview());
  EXPECT_EQ(255, dialog_.PreviewColour());
  EXPECT_EQ(0, dialog_.Result());
  EXPECT_TRUE(IsChecked(Item(QV_COLOUR_DECIMAL)));
  EXPECT_FALSE(IsChecked(Item(QV_COLOUR_RGB)));
  EXPECT_FALSE(IsChecked(Item(QV_COLOUR_HEX)));
  const struct {
    int id;
    const wchar_t* text;
    bool enabled;
  } boxes[] = {{QV_COLOUR_R, L"0", false},          {QV_COLOUR_G, L"0", false},
               {QV_COLOUR_B, L"0", false},          {QV_COLOUR_HEX_TEXT, L"&H", false},
               {QV_COLOUR_DECIMAL_TEXT, L"255", true}, {QV_COLOUR_R_LABEL, L"R:", false}};
  for (const auto& box : boxes) {
    EXPECT_EQ(box.text, Text(box.id)) << box.id;
    EXPECT_EQ(box.enabled, IsWindowEnabled(Item(box.id)) != FALSE) << box.id;
  }
  EXPECT_EQ(L"Выберите цвет", ControlText(dialog_.hwnd()));
  RECT preview;
  GetWindowRect(Item(QV_COLOUR_PREVIEW), &preview);
  EXPECT_EQ(TwipsToScreenPixels(1000), preview.right - preview.left);
  EXPECT_EQ(TwipsToScreenPixels(1000), preview.bottom - preview.top);
}

TEST_F(ColourDialogTest, EachOptionEnablesItsOwnBoxesOnly) {
  const std::vector<int> rgb = {QV_COLOUR_R_LABEL, QV_COLOUR_R, QV_COLOUR_G_LABEL, QV_COLOUR_G,
                                QV_COLOUR_B_LABEL, QV_COLOUR_B};
  const struct {
    int option;
    std::vector<int> enabled;
  } cases[] = {{QV_COLOUR_RGB, rgb}, {QV_COLOUR_HEX, {QV_COLOUR_HEX_TEXT}}, {QV_COLOUR_DECIMAL, {QV_COLOUR_DECIMAL_TEXT}}};
  for (const auto& c : cases) {
    Click(c.option);
    std::vector<int> enabled;
    for (const int id : rgb) {
      if (IsWindowEnabled(Item(id))) enabled.push_back(id);
    }
    for (const int id : {QV_COLOUR_HEX_TEXT, QV_COLOUR_DECIMAL_TEXT}) {
      if (IsWindowEnabled(Item(id))) enabled.push_back(id);
    }
    EXPECT_EQ(c.enabled, enabled) << "option " << c.option;
  }
}

TEST_F(ColourDialogTest, RedGreenAndBlueRewriteTheDecimalBox) {
  const struct {
    const wchar_t* red;
    const wchar_t* green;
    const wchar_t* blue;
    const wchar_t* decimal;
  } cases[] = {{L"300", L"0", L"0", L"255"}, {L"0", L"0", L"255", L"16711680"}, {L"-12", L"5", L"0", L"1280"},
               {L"1", L"-", L"2", L"131073"}};
  Click(QV_COLOUR_RGB);
  for (const auto& c : cases) {
    Type(QV_COLOUR_R, c.red);
    Type(QV_COLOUR_G, c.green);
    Type(QV_COLOUR_B, c.blue);
    EXPECT_EQ(c.decimal, Text(QV_COLOUR_DECIMAL_TEXT)) << c.red << " " << c.green << " " << c.blue;
  }
  EXPECT_EQ(RGB(1, 0, 2), Preview());
}

TEST_F(ColourDialogTest, TheHexadecimalBoxRewritesTheDecimalBoxWhenItIsUsable) {
  const struct {
    const wchar_t* hex;
    const wchar_t* decimal;
    COLORREF preview;
  } cases[] = {
      {L"&HFF0000", L"16711680", RGB(0, 0, 255)},
      {L"FF", L"0", RGB(0, 0, 0)},
      {L"&HFFFF", L"-1", RGB(0, 0, 100)},  // no colour: the preview stays
      {L"&HFFFFFFFFFFFFFFFFFFFFFFFF", L"6553600", RGB(0, 0, 100)},  // overflows: nothing changes
  };
  Click(QV_COLOUR_HEX);
  for (const auto& c : cases) {
    dialog_.SetColour(6553600);
    Type(QV_COLOUR_HEX_TEXT, c.hex);
    EXPECT_EQ(c.decimal, Text(QV_COLOUR_DECIMAL_TEXT)) << c.hex;
    EXPECT_EQ(c.preview, Preview()) << c.hex;
  }
}

TEST_F(ColourDialogTest, ThePreviewFollowsTheDecimalBoxAndKeepsTheLastColour) {
  const struct {
    const wchar_t* decimal;
    COLORREF preview;
  } cases[] = {{L"65280", RGB(0, 255, 0)}, {L"-5", RGB(0, 255, 0)},      {L"16777216", RGB(0, 255, 0)},
               {L"99999999999", RGB(0, 255, 0)}, {L"12.5abc", RGB(12, 0, 0)}, {L"1e400", RGB(12, 0, 0)}};
  for (const auto& c : cases) {
    Type(QV_COLOUR_DECIMAL_TEXT, c.decimal);
    EXPECT_EQ(c.preview, Preview()) << c.decimal;
  }
  EXPECT_EQ(L"&H", Text(QV_COLOUR_HEX_TEXT)) << "one way only";
  EXPECT_EQ(L"0", Text(QV_COLOUR_R));
  Click(IDOK);
  EXPECT_EQ(1, dialog_.Result());
  EXPECT_EQ(12, dialog_.PreviewColour());
}

TEST_F(ColourDialogTest, FocusSelectsABoxsWholeText) {
  ShowWindow(dialog_.hwnd(), SW_SHOW);
  const struct {
    int option;
    int id;
  } boxes[] = {{QV_COLOUR_RGB, QV_COLOUR_R}, {QV_COLOUR_HEX, QV_COLOUR_HEX_TEXT}, {QV_COLOUR_DECIMAL, QV_COLOUR_DECIMAL_TEXT}};
  for (const auto [option, id] : boxes) {
    Click(option);
    Type(id, L"123");
    SendMessageW(Item(id), EM_SETSEL, 1, 1);
    SetFocus(Item(option));
    SetFocus(Item(id));
    DWORD start = 9;
    DWORD end = 9;
    SendMessageW(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start) << id;
    EXPECT_EQ(3u, end) << id;
  }
}

TEST_F(ColourDialogTest, EscDoesNothingEnterConfirmsCancelAndTheCloseBoxDoNot) {
  ShowWindow(dialog_.hwnd(), SW_SHOW);
  Key(VK_ESCAPE);
  EXPECT_EQ(0, dialog_.Result());
  EXPECT_TRUE(IsWindowVisible(dialog_.hwnd()));
  Key(VK_RETURN);
  EXPECT_EQ(1, dialog_.Result());
  EXPECT_FALSE(IsWindowVisible(dialog_.hwnd())) << "hidden, readable";
  Click(QV_COLOUR_CANCEL);
  EXPECT_EQ(2, dialog_.Result());
  SendMessageW(dialog_.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(0, dialog_.Result());
  EXPECT_EQ(nullptr, dialog_.hwnd());
}

TEST_F(ColourDialogTest, RunsModallyUntilAButtonAndGivesTheOwnerBack) {
  ColourDialog owned;
  ASSERT_TRUE(owned.Create(dialog_.hwnd()));
  EXPECT_EQ(dialog_.hwnd(), GetWindow(owned.hwnd(), GW_OWNER));
  PostMessageW(owned.Item(QV_COLOUR_CANCEL), BM_CLICK, 0, 0);
  owned.RunModal();
  EXPECT_EQ(2, owned.Result());
  EXPECT_FALSE(IsWindowVisible(owned.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(dialog_.hwnd()));
}

}  // namespace
}  // namespace qv::test
