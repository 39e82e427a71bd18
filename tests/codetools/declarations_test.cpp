#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "codetools/includes.h"
#include "tests/codetools/include_fakes.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::IncludeWorld;
using test::Lines;
using test::Win32Lines;
using Names = std::vector<std::wstring>;

const std::wstring kComments = Win32Lines(1, 2);
const std::wstring kGetTickCount = Win32Lines(4, 4);
const std::wstring kGetClientRect = Win32Lines(5, 6);
const std::wstring kRect = Win32Lines(7, 12);

TEST(AddDeclaration, TheFirstIncludeThatDefinesAWordGivesIt) {
  IncludeWorld world;
  world.WithClass();
  world.files.Add(L"C:\\Empty\\Kernel.bas", {L"Declare Function GetTickCount Lib \"k\" () As Long", L"Const K = 1"});
  world.project.Add(L"Module2", L"'#Include <Kernel.bas>");
  world.Pass();
  world.Declare(L"GetTickCount K");
  EXPECT_EQ(world.project.writes, (Names{L"GetOrAddModule Kernel: ", L"InsertLines Win32 3: " + kGetTickCount,
                                         L"InsertLines Kernel 1: Const K = 1"}));
}

TEST(AddDeclaration, AClassTargetGetsPrivateDeclarations) {
  IncludeWorld world;
  world.WithClass(L"'#Include In <Win32.bas>");
  world.Declare(L"GetTickCount GetClientRect SW_SHOW ShowModes");
  EXPECT_EQ(world.project.Text(L"Class1"),
            Lines({L"Option Explicit", L"Private " + kGetTickCount.substr(7), L"Private " + kGetClientRect.substr(7),
                   L"Private " + kRect.substr(7), L"Private Const SW_SHOW As Long = 5", Win32Lines(15, 17), L"",
                   L"Sub Work()", L"End Sub"}));
  EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Class1"}));
}

TEST(PrivateDeclaration, VisibilityForAClass) {
  EXPECT_EQ(PrivateDeclaration(L"Type A"), L"Private Type A");
  EXPECT_EQ(PrivateDeclaration(L"Declare Sub S"), L"Private Declare Sub S");
  for (const wchar_t* kept : {L"Const X = 1", L"Public Sub S()", L"Private Type A"}) {
    EXPECT_EQ(PrivateDeclaration(kept), kept);
  }
}

TEST(AddDeclaration, AProcedureGoesBelowTheBlankLineAfterTheDeclarations) {
  const std::wstring twice = Win32Lines(18, 20);
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"' Win32\r\n\r\nSub Old()", Lines({L"' Win32", L"", twice, L"Sub Old()"})},
      {L"' Win32\r\nSub Old()", Lines({L"' Win32", twice, L"Sub Old()"})},
      {L"' Win32", Lines({L"' Win32", twice})}};
  for (const auto& [before, after] : cases) {
    IncludeWorld world;
    world.project.Add(L"Win32", before);
    world.project.Add(L"Module1", L"'#Include <Win32.bas>");
    world.Pass();
    world.Declare(L"Twice(2)");
    EXPECT_EQ(world.project.Text(L"Win32"), after) << testing::PrintToString(before);
  }
}

TEST(AddDeclaration, ListingModeGivesNamesInFirstUseOrderAndInsertsNothing) {
  IncludeWorld world;
  world.WithClass();
  const std::wstring procedure =
      Lines({L"Sub Work()", L"    t = GetTickCount: Sleep 10", L"    If\tGetClientRect(h, r) Then",
             L"        t = GetTickCount - t", L"        Sleep(t)", L"    End If", L"End Sub"});
  world.Declare(procedure, true);
  EXPECT_EQ(test::Items(world.declared), (Names{L"GetTickCount", L"Sleep", L"GetClientRect"}));
  EXPECT_EQ(world.project.writes, Names{});
  // The dialog then inserts what the user keeps: GetClientRect only, continued, with the RECT it takes.
  world.declared.Remove(L"GetClientRect");
  world.Declare(procedure);
  EXPECT_EQ(world.project.Text(L"Win32"), Lines({kComments, kGetClientRect, kRect}));
}

TEST(AddDeclaration, AWordGoesInOnceAndNoMemberNever) {
  const std::pair<const wchar_t*, Names> cases[] = {
      {L"GetTickCount GetTickCount, gettickcount", {L"InsertLines Win32 3: " + kGetTickCount}},
      {L"Foo a+GetTickCount \"GetTickCount\" GetTickCount2 Get Value Work", {}}};
  for (const auto& [text, writes] : cases) {
    IncludeWorld world;
    world.WithClass();
    world.Declare(text);
    world.Declare(text);
    EXPECT_EQ(world.project.writes, writes) << text;
  }
}

TEST(AddDeclaration, WordsInStringsAndCommentsAreNoDeclarations) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Kernel.bas",
                  {L"Declare Function Tick Lib \"k\" () As Long ' see Sleep", L"Const Sleep = 1"});
  world.project.Add(L"Module1", L"'#Include <Kernel.bas>");
  world.Pass();
  // Listed: the names of the code only.
  const std::wstring procedure =
      Lines({L"Sub Work()", L"    s = \"Sleep\" & Tick ' Sleep", L"    Rem Sleep", L"End Sub"});
  world.Declare(procedure, true);
  EXPECT_EQ(test::Items(world.declared), Names{L"Tick"});
  // Inserted: the declaration's comment names nothing it needs.
  world.declared.Clear();
  world.Declare(procedure);
  EXPECT_EQ(world.project.Text(L"Kernel"), L"Declare Function Tick Lib \"k\" () As Long ' see Sleep");
}

TEST(Includes, HostFailures) {
  IncludeWorld world;
  world.project.Add(L"Module1", L"'#Include <Win32.bas>");
  world.project.fail_modules = true;
  EXPECT_THROW(world.Pass(), VbError);
  world.project.fail_modules = false;
  world.project.refused = {L"Win32"};
  world.Pass();
  world.Declare(L"GetClientRect");
  EXPECT_EQ(world.project.Names(), Names{L"Module1"});
  // IsDeclared shows the failure and answers declared, so the word is not collected.
  world.project.fail_modules = true;
  world.Declare(L"GetTickCount");
  EXPECT_EQ(world.project.errors, Names{L"Automation error"});
  EXPECT_EQ(test::Items(world.declared), Names{L"GetClientRect"});
}

TEST(IsDeclared, WhatCountsAsDeclared) {
  // name, the text of a component, its type, whether it is selected, declared
  const std::tuple<const wchar_t*, const wchar_t*, long, bool, bool> cases[] = {
      {L"SW_SHOW", L"Public Const SW_SHOW As Long = 5", 1, false, true},
      {L"sw_show", L"Const SW_SHOW = 5", 1, false, true},
      {L"SW_SHOW", L"Private Const SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"Private Const SW_SHOW = 5", 2, true, true},
      {L"SW_SHOW", L"Public Const SW_SHOW = 5", 2, false, false},
      {L"smHide", L"Public Enum ShowModes\r\n    smHide = 0\r\nEnd Enum", 1, false, true},
      {L"smHide", L"Public Enum ShowModes\r\n    smHide\r\nEnd Enum", 1, false, false},
      {L"GetTickCount", L"#If VBA7 Then\r\n  Public Declare PtrSafe Function GetTickCount Lib \"k\" ()", 1, false,
       true},
      // Procedure bodies are skipped, whatever the procedure's visibility; property bodies are read.
      {L"SW_SHOW", L"Friend Sub Work(a, _\r\n  b)\r\nConst SW_SHOW = 5\r\nEnd Sub", 2, true, false},
      {L"SW_SHOW", L"Sub Work(): End Sub\r\nConst SW_SHOW = 5", 1, false, true},
      {L"SW_SHOW", L"Property Get Value()\r\nConst SW_SHOW = 5\r\nEnd Property", 1, false, true},
      // Strings and comments are no code.
      {L"SW_SHOW", L"Const A = \"Const SW_SHOW = 5\" ' SW_SHOW = 5", 1, false, false},
      {L"SW_SHOW", L"SW_SHOW=5", 1, false, false}};
  for (const auto& [name, text, type, selected, declared] : cases) {
    IncludeWorld world;
    world.project.Add(L"Other", text, type, selected);
    EXPECT_EQ(IsDeclared(name, world.tables, world.project), declared) << testing::PrintToString(std::wstring(text));
    EXPECT_EQ(world.project.errors, Names{});
  }
}

TEST(IsDeclared, PrivateCountsInTheIncludeTargetModule) {
  IncludeWorld world;
  world.WithClass();
  world.project.Add(L"Elsewhere", L"Private Const SECRET = 7");
  EXPECT_FALSE(IsDeclared(L"SECRET", world.tables, world.project));
  world.project.InsertLines(3, 2, L"Private Const SECRET = 7");
  ASSERT_EQ(world.project.Names()[2], L"Win32");
  EXPECT_TRUE(IsDeclared(L"SECRET", world.tables, world.project));
}

TEST(DeclarationWord, TheWordBeforeTheCaret) {
  const std::tuple<std::wstring, long, long, const wchar_t*> cases[] = {
      // text, line, column, word
      {L"    x = GetTickCount more", 1, 21, L"GetTickCount"},
      {L"x = GetTickCount", 1, 9, L"GetT"},
      {L"x = GetTickCount", 1, 1, L""},
      {L"x = a+GetTickCount", 1, 19, L"a+GetTickCount"},    // a blank anywhere decides
      {L"x:a+b-GetTickCount", 1, 19, L"a+b-GetTickCount"},  // ":" before "+" and "-"
      {L"a-b+GetTickCount", 1, 17, L"GetTickCount"},        // "+" before "-", wherever they stand
      {L"a/b*c,GetTickCount", 1, 19, L"b*c,GetTickCount"},
      {L"a*b,GetTickCount", 1, 17, L"b,GetTickCount"},
      {L"a,GetTickCount", 1, 15, L"GetTickCount"},
      {L"s = \"x GetTickCount", 1, 20, L""},  // in a string
      {L"s = 1' GetTickCount", 1, 20, L"1"},  // in a comment
      {Lines({L"x = Foo(a, _", L"GetTickCount"}), 2, 13, L"GetTickCount"},
  };
  for (const auto& [text, line, column, word] : cases) {
    EXPECT_EQ(DeclarationWord(ModuleText(text), line, column), word) << testing::PrintToString(text);
  }
}

// Host calls grow with the modules and the directives, not with the modules' lines.
TEST(Includes, HostCallsDoNotGrowWithLines) {
  const auto calls = [](std::size_t lines_per_module) {
    IncludeWorld world;
    world.WithClass();
    std::vector<std::wstring> lines(lines_per_module, L"Public Const C = 1");
    lines.insert(lines.begin() + std::ssize(lines) / 2, L"'#Include <Win32.bas>");
    for (int m = 0; m < 50; ++m) world.project.Add(L"M" + std::to_wstring(m), Lines(lines));
    world.project.calls = 0;
    world.Pass();
    const long pass = std::exchange(world.project.calls, 0);
    world.Declare(L"GetTickCount");
    EXPECT_EQ(world.project.writes.size(), 1u);
    return std::pair(pass, world.project.calls);
  };
  const auto few = calls(10);
  EXPECT_EQ(calls(1000), few);
  EXPECT_LT(few.second, 5 * 53 * 2);
}

}  // namespace
}  // namespace qv
