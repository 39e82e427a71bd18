#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codetools/includes.h"
#include "tests/codetools/include_fakes.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::IncludeWorld;
using test::Lines;
using Names = std::vector<std::wstring>;

const std::vector<std::wstring> kWin32 = test::Win32File();
const std::wstring kGetTickCount = kWin32[4];
const std::wstring kGetClientRect = kWin32[5] + L"\r\n" + kWin32[6];
const std::wstring kRect = Lines({kWin32[7], kWin32[8], kWin32[9], kWin32[10], kWin32[11], kWin32[12]});
const std::wstring kTwice = Lines({kWin32[18], kWin32[19], kWin32[20]});

// Module1 includes Win32.bas (whose module holds its comments), Class1 is selected.
struct Declarations : IncludeWorld {
  explicit Declarations(const wchar_t* directive = L"'#Include <Win32.bas>", long selected_type = 2) {
    project.Add(L"Module1", Lines({directive, L"Option Explicit"}), 1, false);
    project.Add(L"Class1", Lines({L"Option Explicit", L"", L"Sub Work()", L"End Sub"}), selected_type, true);
    Pass();
    project.writes.clear();
  }
  void Add(std::wstring_view text, bool list_only = false) {
    AddDeclaration(text, list_only, tables, project, declared);
  }
  KeyedCollection<std::wstring> declared;
};

TEST(AddDeclaration, AContinuedDeclareGoesInWholeWithTheTypeItUses) {
  // text, the word as typed
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"x = GetClientRect(h, r)", L"GetClientRect"},
      {L"GetClientRect", L"GetClientRect"},
      {L"Call\tGetClientRect(h,r)", L"GetClientRect"},
      {L"gETcLIENTrECT", L"gETcLIENTrECT"},
  };
  for (const auto& [text, word] : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    Declarations world;
    world.Add(text);
    EXPECT_EQ(world.project.Text(L"Win32"), Lines({L"' Win32 API", L"' for the examples", kGetClientRect, kRect}));
    EXPECT_EQ(test::Items(world.declared), (Names{word, L"RECT"}));
  }
}

TEST(AddDeclaration, ATypeAsTheLastParameterIsFollowed) {
  Declarations world;
  world.files.Add(L"C:\\Empty\\Geo.bas",
                  {L"Public Declare Function InRect Lib \"user32\" (ByVal x As Long, lpRect As RECT) As Long",
                   L"Public Declare Function Area Lib \"geo\" (ByVal a As RECT,\tByVal b As POINTAPI)",
                   L"Public Type POINTAPI", L"x As Long", L"End Type"});
  world.project.Add(L"Module2", L"'#Include <Geo.bas>");
  world.Pass();
  world.Add(L"n = InRect(1, r) + Area(a, b)");
  EXPECT_EQ(test::Items(world.declared), (Names{L"InRect", L"RECT", L"Area", L"POINTAPI"}));
  EXPECT_EQ(world.project.Text(L"Win32"), Lines({L"' Win32 API", L"' for the examples", kRect}));
}

// The Space after "x = GetTickCount": the word before the caret, declared after Win32's declarations.
TEST(AddDeclaration, TheWordTypedBeforeTheCaret) {
  Declarations world;
  world.project.Add(L"Module2", Lines({L"Sub Work()", L"    x = GetTickCount", L"End Sub"}));
  const std::wstring word = DeclarationWord(world.project.Find(L"Module2")->module, 2, 21);
  EXPECT_EQ(word, L"GetTickCount");
  world.Add(word);
  EXPECT_EQ(world.project.Text(L"Win32"), Lines({L"' Win32 API", L"' for the examples", kGetTickCount}));
}

TEST(AddDeclaration, TheFirstIncludeThatDefinesAWordGivesIt) {
  Declarations world;
  world.files.Add(L"C:\\Empty\\Kernel.bas", {L"Declare Function GetTickCount Lib \"k\" () As Long", L"Const K = 1"});
  world.project.Add(L"Module2", L"'#Include <Kernel.bas>");
  world.Pass();
  world.Add(L"GetTickCount K");
  EXPECT_EQ(world.project.writes, (Names{L"GetOrAddModule Kernel: ", L"InsertLines Win32 3: " + kGetTickCount,
                                         L"InsertLines Kernel 1: Const K = 1"}));
}

TEST(AddDeclaration, AClassTargetGetsPrivateDeclarations) {
  Declarations world(L"'#Include <Win32.bas>");
  world.tables.IncludeModules.Item(1) = L"Class1";  // as an "in" directive in the class leaves it
  world.Add(L"GetTickCount GetClientRect SW_SHOW ShowModes");
  const wchar_t* private_rect = L"Private Type RECT\r\n    Left As Long";
  EXPECT_EQ(world.project.Text(L"Class1"),
            Lines({L"Option Explicit", L"Private Declare Function GetTickCount Lib \"kernel32\" () As Long",
                   L"Private " + kGetClientRect.substr(7),
                   std::wstring(private_rect) +
                       kRect.substr(std::wstring_view(L"Public Type RECT\r\n    Left As Long").size()),
                   L"Private Const SW_SHOW As Long = 5", L"Public Enum ShowModes", L"    smHide = 0", L"End Enum", L"",
                   L"Sub Work()", L"End Sub"}));
}

TEST(AddDeclaration, InFormInAClassFromTheDirective) {
  IncludeWorld world;
  world.project.Add(L"Class1", Lines({L"'#Include In <Win32.bas>", L"Option Explicit"}), 2, true);
  world.Pass();
  KeyedCollection<std::wstring> declared;
  AddDeclaration(L"x = GetTickCount", false, world.tables, world.project, declared);
  EXPECT_EQ(world.project.Text(L"Class1"),
            Lines({L"'#Include In <Win32.bas>", L"Option Explicit",
                   L"Private Declare Function GetTickCount Lib \"kernel32\" () As Long"}));
  EXPECT_EQ(world.project.Names(), Names{L"Class1"});
}

TEST(PrivateDeclaration, VisibilityForAClass) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"Type A", L"Private Type A"},
      {L"Declare Sub S Lib \"k\" ()", L"Private Declare Sub S Lib \"k\" ()"},
      {L"Public Type A\r\nx As Long\r\nEnd Type", L"Private Type A\r\nx As Long\r\nEnd Type"},
      {L"Public Declare PtrSafe Sub S Lib \"k\" ()", L"Private Declare PtrSafe Sub S Lib \"k\" ()"},
      {L"Public Const X = 1", L"Private Const X = 1"},
      {L"Const X = 1", L"Const X = 1"},
      {L"Public Enum E", L"Public Enum E"},
      {L"Public Sub S()", L"Public Sub S()"},
      {L"Private Type A", L"Private Type A"},
      {L"Private Declare Sub S Lib \"k\" ()", L"Private Declare Sub S Lib \"k\" ()"},
      {L"Public  Type A", L"Public  Type A"},
      {L"", L""},
  };
  for (const auto& [declaration, private_one] : cases) EXPECT_EQ(PrivateDeclaration(declaration), private_one);
}

TEST(AddDeclaration, AProcedureGoesBelowTheBlankLineAfterTheDeclarations) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {Lines({L"' Win32", L"", L"Sub Old()", L"End Sub"}), Lines({L"' Win32", L"", kTwice, L"Sub Old()", L"End Sub"})},
      {Lines({L"' Win32", L"    ", L"Sub Old()", L"End Sub"}),
       Lines({L"' Win32", L"    ", kTwice, L"Sub Old()", L"End Sub"})},
      {Lines({L"' Win32", L"Sub Old()", L"End Sub"}), Lines({L"' Win32", kTwice, L"Sub Old()", L"End Sub"})},
      {Lines({L"' Win32"}), Lines({L"' Win32", kTwice})},
      {Lines({L"' Win32", L""}), Lines({L"' Win32", L"", kTwice})},
  };
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(testing::PrintToString(before));
    IncludeWorld world;
    world.project.Add(L"Win32", before);
    world.project.Add(L"Module1", L"'#Include <Win32.bas>");
    world.Pass();
    KeyedCollection<std::wstring> declared;
    AddDeclaration(L"Twice(2)", false, world.tables, world.project, declared);
    EXPECT_EQ(world.project.Text(L"Win32"), after);
  }
}

TEST(AddDeclaration, ListingModeGivesNamesInFirstUseOrderAndInsertsNothing) {
  Declarations world;
  const std::wstring procedure =
      Lines({L"Sub Work()", L"    t = GetTickCount: Sleep 10", L"    If GetClientRect(h, r) Then",
             L"        t = GetTickCount - t", L"        Sleep(t)", L"    End If", L"End Sub"});
  world.Add(procedure, true);
  EXPECT_EQ(test::Items(world.declared), (Names{L"GetTickCount", L"Sleep", L"GetClientRect"}));
  EXPECT_EQ(world.project.writes, Names{});
  // The dialog then inserts what the user keeps: GetClientRect only.
  world.declared.Remove(L"GetClientRect");
  world.Add(procedure);
  EXPECT_EQ(world.project.Text(L"Win32"), Lines({L"' Win32 API", L"' for the examples", kGetClientRect, kRect}));
}

TEST(AddDeclaration, TheSameWordInsertsOnce) {
  Declarations world;
  world.Add(L"GetTickCount GetTickCount, gettickcount");
  world.Add(L"x = GetTickCount");
  KeyedCollection<std::wstring> fresh;
  AddDeclaration(L"GetTickCount", false, world.tables, world.project, fresh);
  EXPECT_EQ(world.project.writes, Names{L"InsertLines Win32 3: " + kGetTickCount});
}

TEST(AddDeclaration, WordsThatAreNoMembersOrDeclaredAlreadyDoNothing) {
  const wchar_t* const texts[] = {
      L"", L"   ", L"Foo", L"a+GetTickCount", L"\"GetTickCount\"", L"GetTickCount2", L"Get Value", L"Work"};
  for (const wchar_t* text : texts) {
    Declarations world;
    world.Add(text);
    EXPECT_EQ(world.project.writes, Names{}) << testing::PrintToString(std::wstring(text));
  }
  Declarations world;
  world.project.Add(L"Mine", L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long");
  world.Add(L"GetTickCount");
  EXPECT_EQ(world.project.writes, Names{});
  EXPECT_EQ(test::Items(world.declared), Names{});
}

TEST(AddDeclaration, ARefusedTargetModuleInsertsNothing) {
  IncludeWorld world;
  world.project.Add(L"Module1", L"'#Include <Win32.bas>");
  world.project.refused = {L"Win32"};
  world.Pass();
  KeyedCollection<std::wstring> declared;
  AddDeclaration(L"GetClientRect", false, world.tables, world.project, declared);
  EXPECT_EQ(world.project.Names(), Names{L"Module1"});
  EXPECT_EQ(test::Items(declared), Names{L"GetClientRect"});
}

struct DeclaredCase {
  const wchar_t* name;
  std::wstring text;  // of Other
  long type;
  bool selected;
  bool declared;
};

TEST(IsDeclared, WhatCountsAsDeclared) {
  const DeclaredCase cases[] = {
      {L"SW_SHOW", L"Public Const SW_SHOW As Long = 5", 1, false, true},
      {L"SW_SHOW", L"Public Const SW_SHOW = 5", 1, false, true},
      {L"sw_show", L"Const SW_SHOW = 5", 1, false, true},
      {L"SW_SHOW", L"Global Const SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"Private Const SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"Private Const SW_SHOW = 5", 1, true, true},
      {L"SW_SHOW", L"Private Const SW_SHOW = 5", 2, true, true},
      {L"SW_SHOW", L"Public Const SW_SHOW = 5", 2, false, false},
      {L"SW_SHOW", L"Public Const SW_SHOW = 5", 3, false, false},
      {L"smHide", Lines({L"Public Enum ShowModes", L"    smHide = 0", L"End Enum"}), 1, false, true},
      {L"smHide", Lines({L"Public Enum ShowModes", L"    smHide", L"End Enum"}), 1, false, false},
      {L"SMHIDE", Lines({L"Public Enum ShowModes", L"    smHide = 0", L"End Enum"}), 1, false, false},
      {L"GetTickCount", L"Public Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long", 1, false, true},
      {L"GetTickCount", L"Declare Function GetTickCount Lib \"kernel32\" () As Long", 1, false, true},
      {L"GetTickCount", L"Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long", 1, false, false},
      {L"GetTickCount",
       Lines({L"#If VBA7 Then", L"    Private Declare PtrSafe Function GetTickCount Lib \"k\" () As Long", L"#Else",
              L"    Private Declare Function GetTickCount Lib \"k\" () As Long", L"#End If"}),
       1, true, true},
      {L"GetClientRect",
       Lines({L"Public Declare Function GetClientRect Lib \"user32\" _", L"  (ByVal h As Long) As Long"}), 1, false,
       true},
      {L"RECT", Lines({L"Type RECT", L"    Left As Long", L"End Type"}), 1, false, true},
      {L"Left", Lines({L"Type RECT", L"    Left As Long", L"End Type"}), 1, false, false},
      {L"Twice", Lines({L"Function Twice(x As Long) As Long", L"End Function"}), 1, false, true},
      {L"Get Value", Lines({L"Property Get Value() As Long", L"End Property"}), 1, false, true},
      // Procedure bodies are skipped, whatever the procedure's visibility; property bodies are read.
      {L"SW_SHOW", Lines({L"Sub Work()", L"    Const SW_SHOW = 5", L"End Sub"}), 1, false, false},
      {L"SW_SHOW", Lines({L"Private Function Work() As Long", L"Const SW_SHOW = 5", L"End Function"}), 1, false, false},
      {L"SW_SHOW", Lines({L"Friend Sub Work(a, _", L"  b)", L"Const SW_SHOW = 5", L"End Sub"}), 2, true, false},
      {L"SW_SHOW", Lines({L"Sub Work(): End Sub", L"Const SW_SHOW = 5"}), 1, false, true},
      {L"SW_SHOW", Lines({L"Sub Work()", L"End Sub", L"Const SW_SHOW = 5"}), 1, false, true},
      {L"SW_SHOW", Lines({L"Property Get Value()", L"Const SW_SHOW = 5", L"End Property"}), 1, false, true},
      {L"x", Lines({L"Sub Work()", L"x = 1", L"End Sub"}), 1, false, false},
      // Strings and comments are no code.
      {L"SW_SHOW", L"' Public Const SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"Const A = \"Const SW_SHOW = 5\"", 1, false, false},
      {L"SW_SHOW", L"Const A = 1 ' SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"Dim SW_SHOW As Long", 1, false, false},
      {L"SW_SHOW", L"SW_SHOW = 5", 1, false, true},
      {L"SW_SHOW", L"SW_SHOW=5", 1, false, false},
      {L"SW_SHOW", L"", 1, false, false},
  };
  for (const DeclaredCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    IncludeWorld world;
    world.project.Add(L"Other", c.text, c.type, c.selected);
    EXPECT_EQ(IsDeclared(c.name, world.tables, world.project), c.declared)
        << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(world.project.errors, Names{});
  }
}

TEST(IsDeclared, PrivateCountsInTheIncludeTargetModule) {
  Declarations world;
  world.project.Add(L"Elsewhere", L"Private Const SECRET = 7");
  EXPECT_FALSE(IsDeclared(L"SECRET", world.tables, world.project));
  world.project.InsertLines(3, 2, L"Private Const SECRET = 7");
  ASSERT_EQ(world.project.Names()[2], L"Win32");
  EXPECT_TRUE(IsDeclared(L"SECRET", world.tables, world.project));
  // So a Private member goes in once.
  world.Add(L"SW_SHOW SW_SHOW");
  KeyedCollection<std::wstring> fresh;
  AddDeclaration(L"SW_SHOW", false, world.tables, world.project, fresh);
  EXPECT_EQ(world.project.writes, (Names{L"InsertLines Win32 2: Private Const SECRET = 7",
                                         L"InsertLines Win32 4: Public Const SW_SHOW As Long = 5"}));
}

TEST(IsDeclared, AHostFailureIsShownAndCountsAsDeclared) {
  Declarations world;
  world.project.fail_modules = true;
  EXPECT_TRUE(IsDeclared(L"GetTickCount", world.tables, world.project));
  EXPECT_EQ(world.project.errors, Names{L"Automation error"});
  world.Add(L"GetTickCount");
  EXPECT_EQ(world.project.writes, Names{});
}

TEST(DeclarationWord, TheWordBeforeTheCaret) {
  struct Case {
    std::wstring text;
    long line;
    long column;
    const wchar_t* word;
  };
  const Case cases[] = {
      {L"x = GetTickCount", 1, 17, L"GetTickCount"},
      {L"x = GetTickCount more", 1, 17, L"GetTickCount"},
      {L"x = GetTickCount", 1, 9, L"GetT"},
      {L"x = GetTickCount", 1, 1, L""},
      {L"x = GetTickCount", 1, 0, L""},
      {L"GetTickCount", 1, 13, L"GetTickCount"},
      {L"x = a+GetTickCount", 1, 19, L"a+GetTickCount"},  // a blank anywhere decides
      {L"x=a+GetTickCount", 1, 17, L"GetTickCount"},
      {L"x:a+b-GetTickCount", 1, 19, L"a+b-GetTickCount"},  // ":" before "+" and "-"
      {L"a-b+GetTickCount", 1, 17, L"GetTickCount"},        // "+" before "-", wherever they stand
      {L"a/b*c,GetTickCount", 1, 19, L"b*c,GetTickCount"},
      {L"a*b,GetTickCount", 1, 17, L"b,GetTickCount"},
      {L"a,GetTickCount", 1, 15, L"GetTickCount"},
      {L"Call Foo(GetTickCount", 1, 22, L"Foo(GetTickCount"},
      {L"x = GetTickCount   ", 1, 20, L""},
      {L"s = \"x GetTickCount", 1, 20, L""},  // in a string
      {L"s = 1 ' GetTickCount", 1, 21, L""},  // in a comment
      {L"s = 1' GetTickCount", 1, 20, L"1"},
      {Lines({L"x = Foo(a, _", L"GetTickCount"}), 2, 13, L"GetTickCount"},
      {Lines({L"x = GetTickCount _", L"  + 1"}), 1, 17, L"GetTickCount"},
  };
  for (const Case& c : cases) {
    const ModuleText module(c.text);
    EXPECT_EQ(DeclarationWord(module, c.line, c.column), c.word) << testing::PrintToString(c.text) << c.column;
  }
}

// Host calls grow with the number of modules, not with their lines.
TEST(AddDeclaration, HostCallsDoNotGrowWithLines) {
  const auto calls = [](int lines_per_module) {
    Declarations world;
    std::vector<std::wstring> lines;
    for (int i = 0; i < lines_per_module; ++i) lines.push_back(L"Public Const C" + std::to_wstring(i) + L" = 1");
    for (int m = 0; m < 50; ++m) world.project.Add(L"M" + std::to_wstring(m), Lines(lines));
    world.project.calls = 0;
    world.Add(L"GetTickCount");
    EXPECT_EQ(world.project.writes.size(), 1u);
    return world.project.calls;
  };
  const long few = calls(10);
  EXPECT_EQ(calls(1000), few);
  EXPECT_LT(few, 5 * 53 * 2);
}

}  // namespace
}  // namespace qv
