// The error-handler popup: one entry per template of ErrorHandlers.ini, each inserting its own
// template, and the delete command last; rebuilt when the file is rewritten.
#include <windows.h>

#include <filesystem>

#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

class ErrorHandlerMenuTest : public CommandBarTest {
 protected:
  void SetUp() override {
    CommandBarTest::SetUp();
    StartWithModule(L"Sub A()\r\nEnd Sub", {.personality = library().personality});
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
  EXPECT_EQ(L"AddErrorHandler Exit Sub = done|x|0|0  \n", Clicked(Entry(1)));
  EXPECT_EQ(L"AddErrorHandler On Error Goto (MemberName)_Err|Exit (MemberType)|1|1\n", Clicked(Entry(2)));
  // Captions equal but for case: each entry keeps its own template.
  EXPECT_EQ(L"AddErrorHandler first\n", Clicked(Entry(3)));
  EXPECT_EQ(L"AddErrorHandler second\n", Clicked(Entry(4)));
  EXPECT_EQ(L"DeleteErrorHandler(0)\n  OnErrorLine(0)\n", Clicked(Entry(5)));
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
  EXPECT_EQ(L"AddErrorHandler a\n", Clicked(Entry(1)));
  EXPECT_EQ(L"AddErrorHandler b\n", Clicked(Entry(2)));
  EXPECT_EQ(L"AddErrorHandler c\n", Clicked(Entry(3)));
  EXPECT_EQ(L"DeleteErrorHandler(0)\n  OnErrorLine(0)\n", Clicked(Entry(4)));
}

INSTANTIATE_TEST_SUITE_P(Libraries, ErrorHandlerMenuTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
