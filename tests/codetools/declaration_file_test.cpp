#include "codetools/declaration_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/codetools/include_fakes.h"

namespace qv {
namespace {

// Prefix "1" rows also check DeclarationKind, which reads any visibility.
TEST(GetDeclarationName, EightKindsAndWhereANameEnds) {
  const struct {
    const wchar_t* line;
    const wchar_t* prefix;
    const wchar_t* name;
    long kind;  // 99: left alone
  } cases[] = {
      {L"Const X As Long = 5", L"", L"X", kConstKind},
      {L"Const X=5", L"", L"X", kConstKind},
      {L"Public Const WM_USER As Long = &H400", L"Public ", L"WM_USER", kConstKind},
      {L"Public Const X = 5", L"", L"", 99},
      {L"Const X As Long", L"", L"", 99},  // no "="
      {L"const X = 5", L"", L"", 99},      // letter case counts
      {L"Enum Colors'note", L"", L"Colors", kEnumKind},
      {L"Private Type RECT 'x", L"Private ", L"RECT", kTypeKind},
      {L"Declare PtrSafe Sub Sleep Lib \"kernel32\" (ByVal ms As Long)", L"", L"Sleep", kDeclareSubKind},
      {L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long", L"Public ", L"GetTickCount",
       kDeclareFunctionKind},
      {L"Declare Function NoLib ()", L"", L"", 99},
      {L"Sub Main()", L"", L"Main", kSubKind},
      {L"Sub Main", L"", L"", 99},
      {L"Function Twice\t(x As Long) As Long", L"", L"Twice", kFunctionKind},
      {L"Property Let Value(v As Long)", L"", L"Let Value", kPropertyKind},
      {L"Public X As Long", L"Public ", L"", 99},
      {L"Private   Declare PtrSafe Sub S Lib \"k\" ()", L"1", L"S", kDeclareSubKind},
      {L"Friend Property Get Value() As Long", L"1", L"Get Value", kPropertyKind},
      {L"Private Friend Function F()", L"1", L"F", kFunctionKind},
      {L"Private Enum E", L"1", L"E", kEnumKind},
      {L"Friend Public Const X = 1", L"1", L"", 99},  // in its order only
      {L"Dim X As Long", L"1", L"", 99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    std::wstring prefix = c.prefix;
    long kind = 99;
    EXPECT_EQ(GetDeclarationName(c.line, prefix, kind), c.name);
    EXPECT_EQ(kind, c.kind);
    const bool any = c.prefix == std::wstring_view(L"1");
    EXPECT_EQ(prefix, any ? L"" : c.prefix);
    EXPECT_EQ(any ? DeclarationKind(c.line) : 0, any && c.kind != 99 ? c.kind : 0);
  }
}

using Members = std::vector<std::pair<std::wstring, std::wstring>>;

Members Read(const std::vector<std::wstring>& lines) {
  const MemberCollection members = GetFileMembers(lines);
  Members result;
  for (long i = 1; i <= members.Count(); ++i) result.emplace_back(*members.KeyAt(i), members.Item(i));
  return result;
}

TEST(GetFileMembers, OneLineMembersAndBlocks) {
  std::vector<std::wstring> file = test::Win32File();
  file.push_back(L"Public Const SW_SHOW = 1");
  const Members expected = {
      {L"GetTickCount", test::Win32Lines(4, 4)}, {L"GetClientRect", test::Win32Lines(5, 6)},
      {L"RECT", test::Win32Lines(7, 12)},        {L"SW_SHOW", test::Win32Lines(13, 13)},
      {L"SECRET", test::Win32Lines(14, 14)},     {L"ShowModes", test::Win32Lines(15, 17)},
      {L"Twice", test::Win32Lines(18, 20)},      {L"Sleep", test::Win32Lines(21, 21)},
  };
  EXPECT_EQ(Read(file), expected);
}

TEST(GetFileMembers, EdgesOfTheFile) {
  const std::pair<std::vector<std::wstring>, Members> cases[] = {
      {{}, {}},
      // A continuation at the end of the file ends there.
      {{L"Declare Sub A Lib \"k\" () _"}, {{L"A", L"Declare Sub A Lib \"k\" () _"}}},
      // What a declaration continues into belongs to it, even when it reads as a declaration.
      {{L"Const A = 1 + _", L"Const B = 2", L"Const C = 3"},
       {{L"A", L"Const A = 1 + _\r\nConst B = 2"}, {L"C", L"Const C = 3"}}},
      // A block the file leaves open is dropped with what it holds.
      {{L"Const A = 1", L"Type T", L"    Const B = 2"}, {{L"A", L"Const A = 1"}}},
      {{L"Type T", L"end type", L"  End Type", L"Const B = 2"}, {}},
      // Any End line closes a block; the first member of a name wins, whatever its letter case.
      {{L"Type T", L"End Sub", L"Enum T", L"End Enum", L"Const t = 1"}, {{L"T", L"Type T\r\nEnd Sub"}}},
      // A block's header may be continued; its End line is the first after the header.
      {{L"Sub S(a, _", L"End Sub", L"b)", L"End Sub"}, {{L"S", L"Sub S(a, _\r\nEnd Sub\r\nb)\r\nEnd Sub"}}},
      {{L"Sub S()", L"x = 1 + _", L"End Sub", L"End Sub", L"Const X = 1"},
       {{L"S", L"Sub S()\r\nx = 1 + _\r\nEnd Sub\r\nEnd Sub"}, {L"X", L"Const X = 1"}}},
  };
  for (const auto& [lines, members] : cases) EXPECT_EQ(Read(lines), members) << testing::PrintToString(lines);
}

}  // namespace
}  // namespace qv
