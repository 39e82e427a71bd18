// A block typed key by key in lower case into a host that cases keywords as the real editors do:
// the add-in completes the block on Enter, and the host lists each line the caret leaves by a key.
#include <windows.h>

#include "sandbox/ui/input.h"
#include "tests/addin/addin_fixture.h"

namespace sbx::test {
namespace {

class TypedBlockTest : public AddinTest {
 protected:
  std::wstring ModuleText() const {
    const Variant module = CodeModule();
    return Get(module.Object(), L"Lines", {1L, Get(module.Object(), L"CountOfLines").Long()}).Text();
  }
};

// What the user types (or the key pressed), and the module once the add-in has had its ticks.
struct Keystrokes {
  const wchar_t* text;
  WORD key;
  const wchar_t* module;
};

TEST_P(TypedBlockTest, ATypedBlockIsCompletedOnEnterAndCasedByTheHostLineByLine) {
  StartHost({.case_keywords = true});
  ComponentObject& component = host_->AddComponent(host_->AddProject(L"VBAProject"), kStdModule, L"Module1",
                                                   L"Sub Main()\r\n    w = 0\r\n\r\nEnd Sub");
  host_->Open(component);
  ASSERT_TRUE(Connect());
  host_->Open(component);  // back from the main window, which took the focus at connection, for the keys
  host_->workspace().ActiveCodeWindow()->SetSelection(0, {{3, 1}, {3, 1}});
  PumpTicks(3);

  // The add-in indents the empty line the caret reaches, so the typing starts at the indentation;
  // Enter after the opener writes the closer, and a line the editor breaks itself is cased.
  const Keystrokes steps[] = {
      {L"if x then", 0, L"Sub Main()\r\n    w = 0\r\n    if x then\r\nEnd Sub"},
      {nullptr, VK_RETURN, L"Sub Main()\r\n    w = 0\r\n    if x then\r\n        \r\n    End If\r\nEnd Sub"},
      {L"exit sub", 0, L"Sub Main()\r\n    w = 0\r\n    if x then\r\n        exit sub\r\n    End If\r\nEnd Sub"},
      {nullptr, VK_RETURN,
       L"Sub Main()\r\n    w = 0\r\n    if x then\r\n        Exit Sub\r\n        \r\n    End If\r\nEnd Sub"},
      {nullptr, VK_DOWN,
       L"Sub Main()\r\n    w = 0\r\n    if x then\r\n        Exit Sub\r\n        \r\n    End If\r\nEnd Sub"},
  };
  for (const Keystrokes& step : steps) {
    step.text ? SendText(step.text) : SendKey(step.key);
    EXPECT_GE(PumpTicks(3), 3);
    EXPECT_EQ(step.module, ModuleText()) << "after " << (step.text ? step.text : L"a key");
  }
  EXPECT_EQ(L"", Failures());
}

// A new procedure typed as a new user types it: the body goes onto the custom code's empty line, so
// the blocks typed there close around the body and leave the custom code's statements outside them.
TEST_P(TypedBlockTest, ABodyTypedIntoANewProcedureStaysOutOfTheCustomCode) {
  StartHost({.case_keywords = true});
  ComponentObject& component =
      host_->AddComponent(host_->AddProject(L"VBAProject"), kStdModule, L"Module1", L"Option Explicit\r\n");
  host_->Open(component);
  ASSERT_TRUE(Connect());
  host_->Open(component);
  host_->workspace().ActiveCodeWindow()->SetSelection(0, {{2, 1}, {2, 1}});
  PumpTicks(3);
  for (const wchar_t* line : {L"Sub T()", L"if a then", L"for j = 1 to 2", L"select case j", L"case 1"}) {
    SendText(line);
    PumpTicks(3);
    SendKey(VK_RETURN);
    PumpTicks(3);
  }
  SendText(L"x = j");
  SendKey(VK_DOWN);
  PumpTicks(3);
  EXPECT_EQ(L"Option Explicit\r\nSub T()\r\n    On Error Goto ErrorHandler\r\n    if a then\r\n        for j = 1 to 2\r\n"
            L"            select case j\r\n                case 1\r\n                    x = j\r\n            End Select\r\n"
            L"        Next\r\n    End If\r\nExit Sub\r\nErrorHandler:\r\nMsgBox Error, vbExclamation + vbOkOnly\r\nEnd Sub",
            ModuleText());
  EXPECT_EQ(L"", Failures());
}

INSTANTIATE_TEST_SUITE_P(Libraries, TypedBlockTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

}  // namespace
}  // namespace sbx::test
