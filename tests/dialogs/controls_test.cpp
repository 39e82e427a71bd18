#include "dialogs/controls.h"

#include <gtest/gtest.h>

#include "tests/dialogs/kit_dialog.h"

namespace qv::test {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.Create(QV_TEST_KIT_DIALOG, nullptr)); }
  HWND Item(int id) const { return dialog_.Item(id); }
  std::vector<std::wstring>& Commands() { return dialog_.commands; }
  static std::wstring Command(int id, int code) { return std::to_wstring(id) + L":" + std::to_wstring(code); }

  KitDialog dialog_;
};

struct TextCase {
  const wchar_t* before;
  const wchar_t* set;
  size_t changes;
};

TEST_F(ControlsTest, SettingATextRaisesChangeOnlyWhenItDiffers) {
  const TextCase cases[] = {{L"a", L"a", 0}, {L"a", L"b", 1}, {L"", L"", 0}, {L"a", L"", 1}};
  for (const TextCase& c : cases) {
    SetWindowTextW(Item(QV_TEST_EDIT), c.before);
    Commands().clear();
    SetControlText(Item(QV_TEST_EDIT), c.set);
    EXPECT_EQ(c.set, ControlText(Item(QV_TEST_EDIT)));
    EXPECT_EQ(std::vector<std::wstring>(c.changes, Command(QV_TEST_EDIT, EN_CHANGE)), Commands())
        << "from \"" << c.before << "\" to \"" << c.set << "\"";
  }
}

TEST_F(ControlsTest, SettingACheckBoxRaisesClickOnlyWhenItChanges) {
  const struct {
    bool before;
    bool set;
    size_t clicks;
  } cases[] = {{false, true, 1}, {true, true, 0}, {true, false, 1}, {false, false, 0}};
  for (const auto& c : cases) {
    SendMessageW(Item(QV_TEST_CHECK), BM_SETCHECK, c.before ? BST_CHECKED : BST_UNCHECKED, 0);
    Commands().clear();
    SetChecked(Item(QV_TEST_CHECK), c.set);
    EXPECT_EQ(c.set, IsChecked(Item(QV_TEST_CHECK)));
    EXPECT_EQ(std::vector<std::wstring>(c.clicks, Command(QV_TEST_CHECK, BN_CLICKED)), Commands())
        << c.before << " set " << c.set;
  }
}

TEST_F(ControlsTest, SelectingAnOptionClearsItsGroupOnlyAndClicksWhenNewlySelected) {
  SendMessageW(Item(QV_TEST_ONE), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(Item(QV_TEST_OTHER), BM_SETCHECK, BST_CHECKED, 0);
  SelectOption(Item(QV_TEST_THREE));
  EXPECT_EQ(std::vector<std::wstring>{Command(QV_TEST_THREE, BN_CLICKED)}, Commands());
  EXPECT_FALSE(IsChecked(Item(QV_TEST_ONE)));
  EXPECT_FALSE(IsChecked(Item(QV_TEST_TWO)));
  EXPECT_TRUE(IsChecked(Item(QV_TEST_THREE)));
  EXPECT_TRUE(IsChecked(Item(QV_TEST_OTHER))) << "another group";

  Commands().clear();
  SelectOption(Item(QV_TEST_THREE));
  EXPECT_TRUE(Commands().empty()) << "already selected";
  EXPECT_TRUE(IsChecked(Item(QV_TEST_THREE)));
}

}  // namespace
}  // namespace qv::test
