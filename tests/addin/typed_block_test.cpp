// A block typed key by key in lower case into a host that cases keywords as the real editors do:
// the host lists each line the caret leaves, and the add-in indents it.
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

TEST_P(TypedBlockTest, ALowerCaseBlockIsCasedByTheHostAndIndentedByTheAddinLineByLine) {
  StartHost({.case_keywords = true});
  ComponentObject& component = host_->AddComponent(host_->AddProject(L"VBAProject"), kStdModule, L"Module1",
                                                   L"Sub Main()\r\n    w = 0\r\n\r\nEnd Sub");
  host_->Open(component);
  ASSERT_TRUE(Connect());
  host_->Open(component);  // back from the main window, which took the focus at connection, for the keys
  host_->workspace().ActiveCodeWindow()->SetSelection(0, {{3, 1}, {3, 1}});
  PumpTicks(3);

  // The add-in indents the empty line the caret reaches, so the typing starts at the indentation;
  // the typed line keeps its case until the caret leaves it.
  const Keystrokes steps[] = {
      {L"if x then", 0, L"Sub Main()\r\n    w = 0\r\n    if x then\r\nEnd Sub"},
      {nullptr, VK_RETURN, L"Sub Main()\r\n    w = 0\r\n    If x Then\r\n        \r\nEnd Sub"},
      {L"y = 1", 0, L"Sub Main()\r\n    w = 0\r\n    If x Then\r\n        y = 1\r\nEnd Sub"},
      {nullptr, VK_RETURN, L"Sub Main()\r\n    w = 0\r\n    If x Then\r\n        y = 1\r\n        \r\nEnd Sub"},
      {L"end if", 0, L"Sub Main()\r\n    w = 0\r\n    If x Then\r\n        y = 1\r\n        end if\r\nEnd Sub"},
      {nullptr, VK_UP, L"Sub Main()\r\n    w = 0\r\n    If x Then\r\n        y = 1\r\n    End If\r\nEnd Sub"},
  };
  for (const Keystrokes& step : steps) {
    step.text ? SendText(step.text) : SendKey(step.key);
    EXPECT_GE(PumpTicks(3), 3);
    EXPECT_EQ(step.module, ModuleText()) << "after " << (step.text ? step.text : L"a key");
  }
  EXPECT_EQ(L"", Failures());
}

INSTANTIATE_TEST_SUITE_P(Libraries, TypedBlockTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
