#include "codetools/declaration_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/codetools/include_fakes.h"

namespace qv {
namespace {

TEST(GetDeclarationName, EightKindsInOrder) {
  struct Case {
    const wchar_t* line;
    const wchar_t* prefix;
    const wchar_t* name;
    long kind;  // 99: left alone
  };
  const Case cases[] = {
      {L"Const X = 5", L"", L"X", 1},
      {L"Const X As Long = 5", L"", L"X", 1},
      {L"Const X=5", L"", L"X", 1},
      {L"Const  X = 5 ' five", L"", L"X", 1},
      {L"Public Const WM_USER As Long = &H400", L"Public ", L"WM_USER", 1},
      {L"Public Const X = 5", L"", L"", 99},
      {L"Const X As Long", L"", L"", 99},  // no "="
      {L"const X = 5", L"", L"", 99},      // letter case counts
      {L"  Const X = 5", L"", L"", 99},    // the line as passed
      {L"Enum Colors", L"", L"Colors", 2},
      {L"Enum Colors ' note", L"", L"Colors", 2},
      {L"Public Enum Colors", L"Public ", L"Colors", 2},
      {L"Enum ", L"", L"", 99},
      {L"Type RECT", L"", L"RECT", 3},
      {L"Private Type RECT 'x", L"Private ", L"RECT", 3},
      {L"Type\tRECT", L"", L"", 99},
      {L"Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)", L"", L"Sleep", 4},
      {L"Declare PtrSafe Sub Sleep Lib \"kernel32\" (ByVal ms As Long)", L"", L"Sleep", 4},
      {L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long", L"Public ", L"GetTickCount", 5},
      {L"Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long", L"Private ", L"GetTickCount", 5},
      {L"Declare Function GetTickCount Lib \"kernel32\" Alias \"GetTickCount\" () As Long", L"", L"GetTickCount", 5},
      {L"Declare Function A _\r\n    Lib \"k\" () As Long", L"", L"A", 5},
      {L"Declare Function NoLib ()", L"", L"", 99},
      {L"Declare Const X = 1", L"", L"", 99},  // no later row is tried
      {L"Declare  Function A Lib \"k\" ()", L"", L"A", 5},
      {L"Sub Main()", L"", L"Main", 6},
      {L"Sub Main", L"", L"", 99},
      {L"Public Sub Main(ByVal a As Long)", L"Public ", L"Main", 6},
      {L"Function Twice(x As Long) As Long", L"", L"Twice", 7},
      {L"Function Twice\t(x As Long) As Long", L"", L"Twice", 7},
      {L"Property Get Value() As Long", L"", L"Get Value", 8},
      {L"Property Let Value(v As Long)", L"", L"Let Value", 8},
      {L"Property Set Item(o As Object)", L"", L"Set Item", 8},
      {L"Property Value()", L"", L"Value", 8},
      {L"Dim X As Long", L"", L"", 99},
      {L"Public X As Long", L"Public ", L"", 99},
      {L"Option Explicit", L"", L"", 99},
      {L"", L"", L"", 99},
      {L"Public ", L"Public ", L"", 99},
  };
  for (const Case& c : cases) {
    std::wstring prefix = c.prefix;
    long kind = 99;
    EXPECT_EQ(GetDeclarationName(c.line, prefix, kind), c.name) << testing::PrintToString(std::wstring(c.line));
    EXPECT_EQ(kind, c.kind) << testing::PrintToString(std::wstring(c.line));
    EXPECT_EQ(prefix, c.prefix);
  }
}

TEST(GetDeclarationName, PrefixOneDropsVisibility) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"Public Const X = 1", L"X"},
      {L"Private   Declare PtrSafe Sub S Lib \"k\" ()", L"S"},
      {L"Friend Property Get Value() As Long", L"Get Value"},
      {L"Public Property Let Value(v As Long)", L"Let Value"},
      {L"Private Friend Function F()", L"F"},
      {L"Const X = 1", L"X"},
      {L"Friend Public Const X = 1", L""},  // in its order only
      {L"Static Sub S()", L""},
      {L"Global Const X = 1", L""},
  };
  for (const auto& [line, name] : cases) {
    std::wstring prefix = L"1";
    long kind = 0;
    EXPECT_EQ(GetDeclarationName(line, prefix, kind), name) << testing::PrintToString(std::wstring(line));
    EXPECT_EQ(prefix, L"");
  }
}

TEST(DeclarationKind, OfAnyVisibility) {
  const std::pair<const wchar_t*, long> cases[] = {
      {L"Public Const X = 1", kConstKind},
      {L"Private Enum E", kEnumKind},
      {L"Type T", kTypeKind},
      {L"Declare PtrSafe Sub S Lib \"k\" ()", kDeclareSubKind},
      {L"Private Declare Function F Lib \"k\" ()", kDeclareFunctionKind},
      {L"Public Sub S()", kSubKind},
      {L"Private Function F() As Long", kFunctionKind},
      {L"Friend Property Get P()", kPropertyKind},
      {L"Sub S", 0},
      {L"Dim X As Long", 0},
      {L"", 0},
  };
  for (const auto& [line, kind] : cases)
    EXPECT_EQ(DeclarationKind(line), kind) << testing::PrintToString(std::wstring(line));
}

using Members = std::vector<std::pair<std::wstring, std::wstring>>;

Members Read(const std::vector<std::wstring>& lines) {
  const MemberCollection members = GetFileMembers(lines);
  Members result;
  for (long i = 1; i <= members.Count(); ++i) result.emplace_back(*members.KeyAt(i), members.Item(i));
  return result;
}

TEST(GetFileMembers, OneLineMembersAndBlocks) {
  const std::vector<std::wstring> file = {
      L"Attribute VB_Name = \"Win32\"",
      L"' Win32 declarations",
      L"Option Explicit",
      L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long",
      L"Public Declare PtrSafe Function GetClientRect Lib \"user32\" (ByVal hwnd As LongPtr, _",
      L"    lpRect As RECT) As Long",
      L"Public Type RECT",
      L"    Left As Long",
      L"    Top As Long",
      L"End Type",
      L"Public Const WM_USER As Long = &H400",
      L"Public Const WM_USER = 1",
      L"Public Enum Colors ' note",
      L"    Red = 1",
      L"End Enum",
      L"Dim Counter As Long",
      L"Friend Sub Helper()",
      L"",
      L"End Sub",
      L"Private Function Twice(x As Long) As Long",
      L"    Twice = x * 2",
      L"End Function",
      L"Public Property Get Value() As Long",
      L"End Property",
      L"Private Const SECRET = 7",
  };
  const Members expected = {
      {L"GetTickCount", file[3]},
      {L"GetClientRect", file[4] + L"\r\n" + file[5]},
      {L"RECT", L"Public Type RECT\r\n    Left As Long\r\n    Top As Long\r\nEnd Type"},
      {L"WM_USER", file[10]},
      {L"Colors", L"Public Enum Colors ' note\r\n    Red = 1\r\nEnd Enum"},
      {L"Helper", L"Friend Sub Helper()\r\n\r\nEnd Sub"},
      {L"Twice", L"Private Function Twice(x As Long) As Long\r\n    Twice = x * 2\r\nEnd Function"},
      {L"Get Value", L"Public Property Get Value() As Long\r\nEnd Property"},
      {L"SECRET", file[24]},
  };
  EXPECT_EQ(Read(file), expected);
}

TEST(GetFileMembers, EdgesOfTheFile) {
  const std::pair<std::vector<std::wstring>, Members> cases[] = {
      {{}, {}},
      {{L"", L"' only comments", L"Option Explicit"}, {}},
      // A continuation at the end of the file ends there.
      {{L"Declare Sub A Lib \"k\" () _"}, {{L"A", L"Declare Sub A Lib \"k\" () _"}}},
      // What a declaration continues into is part of it, even when it reads as a declaration.
      {{L"Const A = 1 + _", L"Const B = 2", L"Const C = 3"},
       {{L"A", L"Const A = 1 + _\r\nConst B = 2"}, {L"C", L"Const C = 3"}}},
      // The name comes from the joined lines.
      {{L"Declare Function F _", L"  Lib \"k\" ()"}, {{L"F", L"Declare Function F _\r\n  Lib \"k\" ()"}}},
      // A block the file leaves open is dropped with what it holds.
      {{L"Const A = 1", L"Type T", L"    Const B = 2"}, {{L"A", L"Const A = 1"}}},
      {{L"Type T", L"end type", L"  End Type", L"Const B = 2"}, {}},
      // Any End line closes a block; the first member of a name wins.
      {{L"Type T", L"End Sub", L"Enum T", L"End Enum", L"Const T = 1"}, {{L"T", L"Type T\r\nEnd Sub"}}},
      {{L"Const t = 1", L"Type T", L"End Type"}, {{L"t", L"Const t = 1"}}},
      // A block's header may be continued; its End line is the first after the header.
      {{L"Sub S(a, _", L"End Sub", L"b)", L"End Sub"}, {{L"S", L"Sub S(a, _\r\nEnd Sub\r\nb)\r\nEnd Sub"}}},
      {{L"Sub S()", L"End Sub _", L"Const X = 1"}, {{L"S", L"Sub S()\r\nEnd Sub _\r\nConst X = 1"}}},
      {{L"Sub S()", L"x = 1 + _", L"End Sub", L"End Sub", L"Const X = 1"},
       {{L"S", L"Sub S()\r\nx = 1 + _\r\nEnd Sub\r\nEnd Sub"}, {L"X", L"Const X = 1"}}},
  };
  for (const auto& [lines, members] : cases) {
    EXPECT_EQ(Read(lines), members) << testing::PrintToString(lines);
  }
}

}  // namespace
}  // namespace qv
