// A click on each of the add-in's menu entries and toolbar buttons reaches its handler, which calls
// its command with the arguments it is meant to, or does its work on the code.
#include <windows.h>

#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

class CommandHandlersTest : public CommandBarTest {
 protected:
  // A code window is open, so the main loop keeps the code commands enabled.
  void SetUp() override {
    CommandBarTest::SetUp();
    module_ = &StartWithModule(L"Sub A()\r\nDim a\r\nx = 1\r\nEnd Sub", {.personality = library().personality});
  }

  ControlObject& NumberingButton() const { return Control({L"Quorvane", L"Нумерация строк"}); }
  void ShowPressed(bool pressed) const { Put(NumberingButton().AsDispatch(), L"State", pressed ? -1 : 0); }
  std::wstring ModuleText() const { return Get(CodeModule().Object(), L"Lines", {1L, 4L}).Text(); }
  // The pressed states of the button, "Нумерация" and "Убрать нумерацию".
  std::wstring States() const {
    std::wstring states;
    for (ControlObject* control : {&NumberingButton(), &Control({L"Quorvane", L" ", L"Нумерация"}),
                                   &Control({L"Quorvane", L" ", L"Убрать нумерацию"})}) {
      states += Get(control->AsDispatch(), L"State").Long() != 0 ? L"down " : L"up ";
    }
    return states;
  }

  ComponentObject* module_ = nullptr;
};

TEST_P(CommandHandlersTest, EveryClickReachesItsHandlerWithItsArguments) {
  ASSERT_TRUE(Connect());
  EXPECT_EQ(L"ShowOptions(modal)\n", Clicked({L"Add-Ins", L"Quorvane", L"Настройки..."}));
  EXPECT_EQ(L"ShowAbout\n", Clicked({L"Add-Ins", L"Quorvane", L"О программе..."}));
  EXPECT_EQ(L"ShowDeclarations\n", Clicked({L"Quorvane", L"Объявление переменных"}));
  EXPECT_EQ(L"ShowProcs\n", Clicked({L"Quorvane", L"Функции и процедуры"}));
  EXPECT_EQ(L"BackupProject\n", Clicked({L"Quorvane", L"Архивировать"}));
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

TEST_P(CommandHandlersTest, TheNumberingButtonNumbersInOneUndoStepAndTakesTheNumbersOffWhenPressed) {
  SetSetting(L"SkipLinesInOffensive", L"True");
  SetSetting(L"AutoIndent.Automatic", L"True");
  ASSERT_TRUE(Connect());
  const CodeWindow& window = host_->Open(*module_);
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {3L, 1L, 3L, 1L});
  EXPECT_EQ(L"", Clicked(NumberingButton()));
  EXPECT_EQ(L"Sub A()\r\nDim a\r\n10 x = 1\r\nEnd Sub", ModuleText()) << "the skip list is the setting's";
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(L"down up down ", States());
  long line = 0, column = 0, end_line = 0, end_column = 0;
  Invoke(
      Pane().Object(), L"GetSelection", DISPATCH_METHOD,
      {Variant::LongRef(&line), Variant::LongRef(&column), Variant::LongRef(&end_line), Variant::LongRef(&end_column)});
  EXPECT_EQ(4, column) << "the caret stays behind the number";
  // Pressed, the button takes the numbers off, and the body is re-indented.
  EXPECT_EQ(L"", Clicked(NumberingButton()));
  EXPECT_EQ(L"Sub A()\r\n    Dim a\r\n    x = 1\r\nEnd Sub", ModuleText());
  EXPECT_EQ(L"up down up ", States());
  // The popup's entries do one thing each, whatever the button shows.
  EXPECT_EQ(L"", Clicked({L"Quorvane", L" ", L"Нумерация"}));
  EXPECT_EQ(L"Sub A()\r\n    Dim a\r\n10  x = 1\r\nEnd Sub", ModuleText());
  ShowPressed(false);
  EXPECT_EQ(L"", Clicked({L"Quorvane", L" ", L"Убрать нумерацию"}));
  EXPECT_EQ(L"Sub A()\r\n    Dim a\r\n    x = 1\r\nEnd Sub", ModuleText());
  // Nothing to take off: the controls stay as they show.
  ShowPressed(true);
  EXPECT_EQ(L"", Clicked({L"Quorvane", L" ", L"Убрать нумерацию"}));
  EXPECT_EQ(-1, Get(NumberingButton().AsDispatch(), L"State").Long());
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(L"", Failures());
}

TEST_P(CommandHandlersTest, TheFormatButtonReindentsTheSelectedLines) {
  ASSERT_TRUE(Connect());
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1, 1, 4, 1});
  Clicked({L"Quorvane", L"Форматировать блок"});
  EXPECT_EQ(L"Sub A()\r\n    Dim a\r\n    x = 1\r\nEnd Sub", ModuleText());
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandHandlersTest, AFailingHandlerEndsQuietly) {
  ASSERT_TRUE(Connect());
  host_->InjectFault(L"CommandBarButton", L"State");
  EXPECT_EQ(L"", Clicked(NumberingButton()));
  EXPECT_TRUE(boxes_.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Libraries, CommandHandlersTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

}  // namespace
}  // namespace sbx::test
