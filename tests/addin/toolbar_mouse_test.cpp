// The add-in's toolbar, its popups and its Add-Ins entries clicked with the mouse where the host
// draws them, through the system's input queue as a user's clicks arrive.
#include <windows.h>

#include <string>

#include "sandbox/ui/input.h"
#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kCode[] = L"Sub A()\r\n    x = 1\r\nEnd Sub";

class ToolbarMouseTest : public CommandBarTest {
 protected:
  void SetUp() override {
    CommandBarTest::SetUp();
    error_handlers_.Write(L"Resume next = On Error Resume Next\r\n");
    StartWithModule(kCode, {.personality = library().personality});
    window_ = host_->workspace().ActiveCodeWindow();
    ASSERT_TRUE(Connect());
    Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {2L, 5L, 2L, 5L});
    PumpTicks(2);
  }

  BarBandWindow& Band() const { return host_->workspace().BarBand(); }
  // The calls into the parts that the clicks at these places make.
  std::wstring Clicks(std::initializer_list<std::initializer_list<std::wstring_view>> paths) {
    const std::wstring before = Log();
    for (const auto& path : paths) SendClick(OnScreen(path));
    return Log().substr(before.size());
  }
  std::wstring ModuleText() const {
    const Variant module = CodeModule();
    return Get(module.Object(), L"Lines", {1L, Get(module.Object(), L"CountOfLines").Long()}).Text();
  }

  CodeWindow* window_ = nullptr;
};

TEST_P(ToolbarMouseTest, AClickOnAButtonFiresItsHandlerOnceAndOnADisabledOneNothing) {
  EXPECT_EQ(L"ShowProcs\n", Clicks({{L"Quorvane", L"Функции и процедуры"}}));
  EXPECT_EQ(L"ShowDeclarations\n", Clicks({{L"Quorvane", L"Объявление переменных"}}));
  // Through the menu bar's Add-Ins menu and the add-in's entry in it.
  EXPECT_EQ(
      L"ShowAbout\n",
      Clicks({{L"Menu Bar", L"Add-Ins"}, {L"Add-Ins", L"Quorvane"}, {L"Add-Ins", L"Quorvane", L"О программе..."}}));
  EXPECT_TRUE(Band().DropDowns().empty());

  // No code window: the main loop disables the code commands.
  SendMessageW(window_->hwnd(), WM_CLOSE, 0, 0);
  PumpTicks(2);
  ASSERT_FALSE(Control({L"Quorvane", L"Объявление переменных"}).Enabled());
  EXPECT_EQ(L"", Clicks({{L"Quorvane", L"Объявление переменных"}}));
  EXPECT_EQ(L"", Clicks({{L"Quorvane", L"Обработчики ошибок"}}));
  EXPECT_TRUE(Band().DropDowns().empty()) << "a disabled popup opens nothing";
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(ToolbarMouseTest, AnErrorHandlerEntryInsertsItsHandlerAndEscapeClosesTheEntriesWithoutOne) {
  Clicks({{L"Quorvane", L"Обработчики ошибок"}});
  ASSERT_EQ(1u, Band().DropDowns().size());
  EXPECT_TRUE(Band().ScreenRect(&Control({L"Quorvane", L"Обработчики ошибок", L"Удалить обработчика ошибок"})));
  SendKey(VK_ESCAPE);
  EXPECT_TRUE(Band().DropDowns().empty());
  EXPECT_EQ(kCode, ModuleText());

  EXPECT_EQ(L"", Clicks({{L"Quorvane", L"Обработчики ошибок"}, {L"Quorvane", L"Обработчики ошибок", L"Resume next"}}));
  EXPECT_EQ(L"Sub A()\r\n    On Error Resume Next\r\n    x = 1\r\nEnd Sub", ModuleText());
  EXPECT_TRUE(Band().DropDowns().empty());
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(L"", Failures());
}

INSTANTIATE_TEST_SUITE_P(Libraries, ToolbarMouseTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

}  // namespace
}  // namespace sbx::test
