#include "codetools/templates.h"

#include <gtest/gtest.h>

#include "tests/codetools/memory_module.h"
#include "tests/codetools/procedures.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

struct FakeHost : TemplateHost {
  const CodeModuleView* CodePane() override {
    ++pane_asked;
    return pane;
  }
  std::optional<std::wstring> ProjectName() override { return project; }
  std::optional<std::wstring> ComponentName() override { return component; }

  const CodeModuleView* pane = nullptr;
  std::optional<std::wstring> project;
  std::optional<std::wstring> component;
  int pane_asked = 0;
};

class ExpandTemplateTest : public testing::Test {
 protected:
  ExpandTemplateTest()
      : module_(test::Lines({L"Option Explicit", L"Private Function Сумма() As Long", L"  x = 1", L"End Function",
                             L"Public Property Get Имя() As String", L"End Property"})) {
    module_.SetDeclarationLines(1);
    module_.SetProcedures({{L"Сумма", 0, 2, 2, 3}, {L"Имя", 3, 5, 5, 2}});
    host_.pane = &module_;
  }
  MemoryModule module_;
  FakeHost host_;
};

TEST_F(ExpandTemplateTest, ReplacesEveryPlaceholderInTurn) {
  host_.project = L"(ComponentName)";  // put in before the component's name, so replaced again
  host_.component = L"Модуль1";
  EXPECT_EQ(ExpandTemplate(L"x = 1(CrLf)(Tab)Exit (MemberType)", 3, 8, 4, host_),
            L"x = 1\r\n            Exit Function");
  EXPECT_EQ(ExpandTemplate(L"(MemberName) (MemberType) (ProjectName)", 5, 0, 4, host_), L"Имя Property Модуль1");
  EXPECT_EQ(ExpandTemplate(L"[(MemberName)][(MemberType)]", 1, 0, 4, host_), L"[][]");  // outside procedures
  EXPECT_EQ(ExpandTemplate(L"(tab)(CRLF)(Tab)", 1, 2, 0, host_), L"(tab)(CRLF)");       // exact case only
}

TEST_F(ExpandTemplateTest, AsksTheHostOnlyForWhatItNeedsAndKeepsWhatIsMissing) {
  EXPECT_EQ(ExpandTemplate(L"On Error GoTo 0", 3, 4, 4, host_), L"On Error GoTo 0");
  EXPECT_EQ(host_.pane_asked, 0);
  host_.pane = nullptr;
  EXPECT_EQ(ExpandTemplate(L"(MemberName)(ProjectName)(ComponentName)", 3, 0, 4, host_),
            L"(MemberName)(ProjectName)(ComponentName)");
}

TEST(GetProcName, TheKindWordInAnyCase) {
  const ModuleText module = test::WithProcedures(
      test::Lines({L"sub Messy()", L"End Sub", L"Public sub P()", L"End Sub", L"PRIVATE STATIC SUB Q(a, _", L"  b)",
                   L"End Sub", L"function F() As Long", L"End Function", L"Function Subtotal()", L"End Function",
                   L"PROPERTY GET V()", L"End Property"}));
  // line, name, member type
  const std::tuple<long, const wchar_t*, const wchar_t*> cases[] = {
      {2, L"Messy", L"Sub"},          {4, L"P", L"Sub"},       {6, L"Q", L"Sub"}, {9, L"F", L"Function"},
      {11, L"Subtotal", L"Function"}, {13, L"V", L"Property"},
  };
  for (const auto& [line, name, type] : cases) {
    long kind = 0;
    std::wstring member_type;
    EXPECT_EQ(GetProcName(module, line, kind, member_type), name);
    EXPECT_EQ(member_type, type) << name;
  }
}

// The caret goes to the custom code's body: its first line of blanks only, if any.
TEST(FirstEmptyLine, IsTheFirstLineOfBlanksOnly) {
  const struct {
    const wchar_t* expanded;
    std::optional<long> line;
  } cases[] = {
      {L"On Error Goto ErrorHandler\r\n\r\nExit Sub\r\nErrorHandler:\r\n", 1},
      {L"On Error Goto E\r\n    \r\n    Exit Sub\r\n\r\n", 1},
      {L"\r\nx = 1", 0},
      {L"' Foo\r\n      Exit Function", std::nullopt},
      {L"x = 1", std::nullopt},
      {L"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, FirstEmptyLine(c.expanded)) << testing::PrintToString(c.expanded);
}

}  // namespace
}  // namespace qv
