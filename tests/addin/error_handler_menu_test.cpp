// The error-handler popup: one entry per template of ErrorHandlers.ini, each inserting its own
// template, and the delete command last; rebuilt when the file is rewritten.
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kEmpty[] = L"Sub A()\r\nEnd Sub";

class ErrorHandlerMenuTest : public CommandBarTest {
 protected:
  void SetUp() override {
    CommandBarTest::SetUp();
    SetSetting(L"CustomIndentWidth", L"True");
    SetSetting(L"TabWidth", L"4");
    StartWithModule(kEmpty, {.personality = library().personality});
  }

  // What a click on `entry` makes of the module `text`, the caret on its first line.
  std::wstring AfterClick(ControlObject& entry, const std::wstring& text = kEmpty) {
    const Variant module = CodeModule();
    Invoke(module.Object(), L"DeleteLines", DISPATCH_METHOD, {1L, Get(module.Object(), L"CountOfLines").Long()});
    Invoke(module.Object(), L"InsertLines", DISPATCH_METHOD, {1L, text});
    Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1L, 1L, 1L, 1L});
    EXPECT_EQ(L"", Clicked(entry)) << "no call into a missing part";
    return Get(module.Object(), L"Lines", {1L, Get(module.Object(), L"CountOfLines").Long()}).Text();
  }

  ControlsObject& Popup() const { return Control({L"Quorvane", L"Обработчики ошибок"}).submenu()->controls(); }
  // One line per entry: its caption, and whether it starts a group.
  std::wstring Entries() const {
    std::wstring entries;
    for (const auto& entry : Popup().items())
      entries += entry->caption() + (entry->begin_group() ? L" group\n" : L"\n");
    return entries;
  }
  // Entry `index` of the popup; captions may repeat.
  ControlObject& Entry(size_t index) const { return *Popup().items()[index - 1].Get(); }
};

TEST_P(ErrorHandlerMenuTest, EntriesFollowTheFileLineByLine) {
  error_handlers_.Write(
      L"*On Error Resume Next          = On Error Resume Next|||0|0\r\n"
      L"No separator at all\r\n"
      L"= only a first-column equals sign\r\n"
      L"Two signs                      =   Exit Sub = done|x|0|0  \r\n"
      L"On Error Goto ... с нумерацией = On Error Goto (MemberName)_Err|Exit (MemberType)|1|1\r\n"
      L"Same                           = first\r\n"
      L"\tsame\t                       = second\r\n");
  ASSERT_TRUE(Connect());
  EXPECT_EQ(L"Two signs\nOn Error Goto ... с нумерацией\nSame\nsame\nУдалить обработчика ошибок group\n", Entries());
  EXPECT_EQ(L"Sub A()\r\n    Exit Sub = done\r\n    x\r\nEnd Sub", AfterClick(Entry(1)));
  EXPECT_EQ(L"Sub A()\r\n    On Error Goto A_Err\r\n    Exit Sub\r\nEnd Sub", AfterClick(Entry(2)));
  // Captions equal but for case: each entry keeps its own template.
  EXPECT_EQ(L"Sub A()\r\n    first\r\nEnd Sub", AfterClick(Entry(3)));
  EXPECT_EQ(L"Sub A()\r\n    second\r\nEnd Sub", AfterClick(Entry(4)));
  EXPECT_EQ(kEmpty, AfterClick(Entry(5), L"Sub A()\r\n    On Error Resume Next\r\nEnd Sub"));
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(ErrorHandlerMenuTest, AMissingFileIsCreatedEmptyAndLeavesOnlyTheDeleteCommand) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(std::filesystem::exists(error_handlers_.path()));
  EXPECT_EQ(0u, std::filesystem::file_size(error_handlers_.path()));
  EXPECT_EQ(L"Удалить обработчика ошибок group\n", Entries());
}

TEST_P(ErrorHandlerMenuTest, ARebuildShowsExactlyTheNewEntriesAndLetsTheOldHandlersGo) {
  error_handlers_.Write(L"Old one = 1\r\nOld two = 2\r\n");
  ASSERT_TRUE(Connect());
  const int sinks = host_->live().sinks;
  const int controls = host_->live().controls;
  error_handlers_.Write(L"New one = a\r\nNew two = b\r\nNew three = c\r\n");
  RebuildErrorHandlerMenu();
  EXPECT_EQ(L"New one\nNew two\nNew three\nУдалить обработчика ошибок group\n", Entries());
  EXPECT_EQ(sinks + 1, host_->live().sinks);
  EXPECT_EQ(sinks + 1, host_->live().event_objects);
  EXPECT_EQ(controls + 1, host_->live().controls);
  EXPECT_EQ(L"Sub A()\r\n    a\r\nEnd Sub", AfterClick(Entry(1)));
  EXPECT_EQ(L"Sub A()\r\n    b\r\nEnd Sub", AfterClick(Entry(2)));
  EXPECT_EQ(L"Sub A()\r\n    c\r\nEnd Sub", AfterClick(Entry(3)));
  EXPECT_EQ(L"Sub A()\r\n    a\r\nEnd Sub", AfterClick(Entry(4), L"Sub A()\r\n    a\r\nEnd Sub")) << "no handler";
}

TEST_P(ErrorHandlerMenuTest, TheShippedFileGivesFiveEntriesEachInsertingItsHandler) {
  std::filesystem::copy_file(QV_CONFIG_DIR "/ErrorHandlers.ini", error_handlers_.path());
  ASSERT_TRUE(Connect());
  EXPECT_EQ(
      L"On Error Resume Next\nOn Error Goto ...\nOn Error Goto ... с нумерацией\n"
      L"On Error Goto ... Resume Next\nOn Error Goto ... Resume Next с нумерацией\n"
      L"Удалить обработчика ошибок group\n",
      Entries());
  const std::wstring body = L"Sub A()\r\n    x = 1\r\nEnd Sub";
  const std::wstring plain =
      L"\r\n    x = 1\r\n    Exit Sub\r\n    A_Err:\r\n    MsgBox Err.Description & vbCrLf & _\r\n"
      L"           \"в VBAProject.Module1.A\", _\r\n           vbExclamation + vbOKOnly, App.Title";
  const std::wstring numbered =
      L"\r\n10  x = 1\r\n    Exit Sub\r\n    A_Err:\r\n20  MsgBox Err.Description & vbCrLf & _\r\n"
      L"           \"в VBAProject.Module1.A \" & _\r\n           \"в строке \" & Erl, _\r\n"
      L"           vbExclamation + vbOKOnly, App.Title";
  const std::wstring header = L"Sub A()\r\n    On Error Goto A_Err";
  EXPECT_EQ(L"Sub A()\r\n    On Error Resume Next\r\n    x = 1\r\nEnd Sub", AfterClick(Entry(1), body));
  EXPECT_EQ(header + plain + L"\r\nEnd Sub", AfterClick(Entry(2), body));
  EXPECT_EQ(header + numbered + L"\r\nEnd Sub", AfterClick(Entry(3), body));
  EXPECT_EQ(header + plain + L"\r\n    Resume Next\r\nEnd Sub", AfterClick(Entry(4), body));
  EXPECT_EQ(header + numbered + L"\r\n    Resume Next\r\nEnd Sub", AfterClick(Entry(5), body));
  EXPECT_EQ(body, AfterClick(Entry(6), header + plain + L"\r\nEnd Sub"));
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(L"", Failures());
}

INSTANTIATE_TEST_SUITE_P(Libraries, ErrorHandlerMenuTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

}  // namespace
}  // namespace sbx::test
