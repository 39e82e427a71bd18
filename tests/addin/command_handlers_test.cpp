// A click on each of the add-in's menu entries and toolbar buttons reaches its handler, which calls
// its command with the arguments it is meant to.
#include <windows.h>

#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kAddLineNumbers[] =
    L"AddLineNumbers(-1)\n  FirstLine(0)\n  LastLine(0)\n  ShiftCaret(1)\n  UseSkipList(0)\n";

class CommandHandlersTest : public CommandBarTest {
 protected:
  // A code window is open, so the main loop keeps the code commands enabled.
  void SetUp() override {
    CommandBarTest::SetUp();
    StartWithModule(L"Sub A()\r\nx = 1\r\nEnd Sub", {.personality = library().personality});
  }

  ControlObject& NumberingButton() const { return Control({L"Quorvane", L"Нумерация строк"}); }
  void ShowPressed(bool pressed) const { Put(NumberingButton().AsDispatch(), L"State", pressed ? -1 : 0); }
};

TEST_P(CommandHandlersTest, EveryClickReachesItsHandlerWithItsArguments) {
  ASSERT_TRUE(Connect());
  EXPECT_EQ(L"ShowOptions(modal)\n", Clicked({L"Add-Ins", L"Quorvane", L"Настройки..."}));
  EXPECT_EQ(L"ShowAbout\n", Clicked({L"Add-Ins", L"Quorvane", L"О программе..."}));
  EXPECT_EQ(L"ShowDeclarations\n", Clicked({L"Quorvane", L"Объявление переменных"}));
  EXPECT_EQ(kAddLineNumbers, Clicked({L"Quorvane", L" ", L"Нумерация"}));
  EXPECT_EQ(L"RemoveLineNumbers\n", Clicked({L"Quorvane", L" ", L"Убрать нумерацию"}));
  EXPECT_EQ(L"ShowProcs\n", Clicked({L"Quorvane", L"Функции и процедуры"}));
  EXPECT_EQ(L"BackupProject\n", Clicked({L"Quorvane", L"Архивировать"}));
  EXPECT_EQ(L"DeleteErrorHandler(0)\n  OnErrorLine(0)\n",
            Clicked({L"Quorvane", L"Обработчики ошибок", L"Удалить обработчика ошибок"}));
  // Help: the file beside the library, opened by the shell for the command window.
  const HWND command_window = FindWindowW(L"QuorvaneMainForm", nullptr);
  ASSERT_NE(nullptr, command_window);
  EXPECT_EQ(L"ShellExecute(" + Handle(command_window) + L")\n  " + qv::AppPath() + L"Quorvane.chm\n  C:\\\n",
            Clicked({L"Quorvane", L"Справка"}));
  // No handler touches the two Booleans of the click.
  EXPECT_FALSE(Control({L"Quorvane", L"Справка"}).last_handled());
  EXPECT_FALSE(Control({L"Quorvane", L"Справка"}).last_cancel_default());
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandHandlersTest, TheNumberingButtonRemovesNumbersWhenItShowsPressedAndAddsThemOtherwise) {
  SetSetting(L"SkipLinesInOffensive", L"True");
  ASSERT_TRUE(Connect());
  const std::wstring add = L"AddLineNumbers(-1)\n  FirstLine(0)\n  LastLine(0)\n  ShiftCaret(1)\n  UseSkipList(1)\n";
  ShowPressed(true);
  EXPECT_EQ(L"RemoveLineNumbers\n", Clicked(NumberingButton()));
  EXPECT_EQ(-1, Get(NumberingButton().AsDispatch(), L"State").Long()) << "the handler leaves the state alone";
  // The popup's entries do one thing each, whatever the button shows.
  EXPECT_EQ(add, Clicked({L"Quorvane", L" ", L"Нумерация"}));
  ShowPressed(false);
  EXPECT_EQ(add, Clicked(NumberingButton()));
  EXPECT_EQ(L"RemoveLineNumbers\n", Clicked({L"Quorvane", L" ", L"Убрать нумерацию"}));
}

TEST_P(CommandHandlersTest, TheFormatButtonReindentsTheSelectedLines) {
  ASSERT_TRUE(Connect());
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1, 1, 3, 1});
  Clicked({L"Quorvane", L"Форматировать блок"});
  EXPECT_EQ(L"Sub A()\r\n    x = 1\r\nEnd Sub", Get(CodeModule().Object(), L"Lines", {1, 3}).Text());
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandHandlersTest, AFailingHandlerEndsQuietly) {
  ASSERT_TRUE(Connect());
  host_->InjectFault(L"CommandBarButton", L"State");
  EXPECT_EQ(L"", Clicked(NumberingButton()));
  EXPECT_TRUE(boxes_.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Libraries, CommandHandlersTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
