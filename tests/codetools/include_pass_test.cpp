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

const wchar_t kWin32Comments[] = L"' Win32 API\r\n' for the examples\r\n";

TEST(ProcessIncludes, PlainDirectiveLoadsMembersAndCreatesTheModule) {
  const wchar_t* const directives[] = {
      L"'#Include <Win32.bas>",
      L"' #include <Win32.bas> ' note",
      L"  '#INCLUDE <win32.BAS>  _",
      L"#Include <Win32.bas>",
  };
  for (const wchar_t* directive : directives) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(directive)));
    IncludeWorld world;
    world.project.Add(L"Module1", Lines({directive, L"Option Explicit", L"", L"Sub Main()", L"End Sub"}));
    world.Pass();
    EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
    EXPECT_EQ(test::Modules(world.tables), Names{L"Win32"});
    ASSERT_TRUE(test::InStep(world.tables));
    const MemberCollection& members = world.tables.IncludeItems.Item(1);
    EXPECT_EQ(members.Count(), 8);
    EXPECT_TRUE(members.Contains(L"gettickcount"));
    EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Win32"}));
    EXPECT_EQ(world.project.writes, Names{std::wstring(L"GetOrAddModule Win32: ") + kWin32Comments});
    // The next pass finds everything in place.
    world.project.writes.clear();
    world.Pass();
    EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
    EXPECT_EQ(world.project.writes, Names{});
  }
}

TEST(ProcessIncludes, WhatIsNoDirectiveOrNotFoundDoesNothing) {
  const std::wstring modules[] = {
      Lines({L"'#Include Win32.bas"}),
      Lines({L"'#Include <Missing.bas>"}),
      Lines({L"'#Include \"Win32.bas\""}),  // not beside the project, nor in ProjectsPath
      Lines({L"Dim x ' #Include <Win32.bas>"}),
      Lines({L"'' #Include <Win32.bas>"}),
      // Past the declarations section.
      Lines({L"Option Explicit", L"Sub Main()", L"'#Include <Win32.bas>", L"End Sub"}),
  };
  for (const std::wstring& text : modules) {
    SCOPED_TRACE(testing::PrintToString(text));
    IncludeWorld world;
    world.project.Add(L"Module1", text);
    world.Pass();
    EXPECT_EQ(test::Keys(world.tables), Names{});
    EXPECT_EQ(world.project.writes, Names{});
  }
}

TEST(ProcessIncludes, ReadsTheSelectedComponentAndStandardModulesOnly) {
  // type, selected, read
  const std::tuple<long, bool, bool> cases[] = {
      {1, false, true}, {1, true, true}, {2, true, true}, {2, false, false}, {3, false, false}, {100, false, false},
  };
  for (const auto& [type, selected, read] : cases) {
    IncludeWorld world;
    world.project.Add(L"Component1", L"'#Include <Win32.bas>", type, selected);
    world.Pass();
    EXPECT_EQ(world.tables.IncludeKeys.Count(), read ? 1 : 0) << type << selected;
  }
}

TEST(ProcessIncludes, InFormTargetsTheSelectedComponent) {
  IncludeWorld world;
  world.project.Add(L"Module1", L"Option Explicit");
  world.project.Add(L"Class1", Lines({L"'#Include In <Win32.bas>", L"Option Explicit"}), 2, true);
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
  EXPECT_EQ(test::Modules(world.tables), Names{L"Class1"});
  EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Class1"}));
  EXPECT_EQ(world.project.writes, Names{});
}

TEST(ProcessIncludes, FullCopiesTheFileOnceWithoutAttributeLines) {
  struct Case {
    std::wstring project_file;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"C:\\Proj\\App.vbp", L"' Tools\r\nOption Explicit\r\nPublic Const TOOLS_A = 1\r\n"},
      {L"", L"Public Const TOOLS_B = 2\r\n"},  // never saved: ProjectsPath only
  };
  for (const Case& c : cases) {
    IncludeWorld world;
    world.places.project_file = c.project_file;
    world.project.Add(L"Module1", L"'#Include Full \"Tools.bas\"");
    world.Pass();
    EXPECT_EQ(world.project.writes, Names{std::wstring(L"GetOrAddModule Tools: ") + c.text});
    EXPECT_EQ(test::Keys(world.tables), Names{L"Tools"});
    world.project.writes.clear();
    world.Pass();
    EXPECT_EQ(world.project.writes, Names{});
  }
  // A component of that name already there: nothing is copied.
  IncludeWorld world;
  world.project.Add(L"tools", L"' mine");
  world.project.Add(L"Module1", L"'#Include Full \"Tools.bas\"");
  world.Pass();
  EXPECT_EQ(world.project.writes, Names{});
  EXPECT_EQ(world.project.Text(L"Tools"), L"' mine");
  EXPECT_EQ(test::Keys(world.tables), Names{L"Tools"});
}

TEST(ProcessIncludes, DesignerFilesAreRewrittenToTheFullFormAndCopiedWithoutTheirHeader) {
  const std::vector<std::wstring> form = {
      L"VERSION 5.00",
      L"Begin VB.Form Form1",
      L"   Caption = \"Form1\"",
      L"End",
      L"Attribute VB_Name = \"Form1\"",
      L"Attribute VB_GlobalNameSpace = False",
      L"Option Explicit",
      L"Public Const FORM_C = 1",
      L"Attribute FORM_C.VB_VarDescription = \"c\"",
      L"Private Sub Form_Load()",
      L"End Sub",
  };
  const wchar_t kCopied[] = L"Option Explicit\r\nPublic Const FORM_C = 1\r\nPrivate Sub Form_Load()\r\nEnd Sub\r\n";
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L"Form1.frm", L"  '#Include <Form1.frm> ' the form _", L"  '#Include Full <Form1.frm> ' the form _"},
      {L"Class1.CLS", L"'#include \"Class1.cls\"", L"'#Include Full \"Class1.cls\""},
      {L"Ctl.ctl", L"'#Include In <Ctl.ctl>", L"'#Include Full <Ctl.ctl>"},
      {L"Form1.frm", L"'#Include Full <Form1.frm>", nullptr},
  };
  for (const auto& [file, directive, rewritten] : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(directive)));
    IncludeWorld world;
    world.files.Add(std::wstring(L"C:\\Proj\\") + file, form);
    world.files.Add(std::wstring(L"C:\\Empty\\") + file, form);
    world.project.Add(L"Module1", Lines({L"Option Explicit", directive}));
    world.Pass();
    const std::wstring base(file, std::wstring_view(file).find(L'.'));
    Names writes;
    if (rewritten) writes.push_back(std::wstring(L"ReplaceLine Module1 2: ") + rewritten);
    writes.push_back(L"GetOrAddModule " + base + L": " + kCopied);
    EXPECT_EQ(world.project.writes, writes);
    EXPECT_EQ(test::Modules(world.tables), Names{base});
    // The rewritten line is still the directive: nothing more happens.
    world.project.writes.clear();
    world.Pass();
    EXPECT_EQ(world.project.writes, Names{});
    EXPECT_EQ(test::Keys(world.tables), Names{base});
  }
}

TEST(ProcessIncludes, FullWithoutAttributeLinesCopiesEveryLine) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Plain.bas", {L"' Plain", L"Public Const P = 1"});
  world.project.Add(L"Module1", L"'#Include Full <Plain.bas>");
  world.Pass();
  EXPECT_EQ(world.project.Text(L"Plain"), L"' Plain\r\nPublic Const P = 1");
}

TEST(ProcessIncludes, TablesStayInStepAndLoseWhatNoDirectiveNames) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Extra.bas", {L"Public Const EXTRA = 1"});
  world.project.Add(L"Module1", Lines({L"'#Include <Win32.bas>", L"'#Include \"Tools.bas\"", L"'#Include <Extra.bas>"}),
                    1, true);
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Win32", L"Tools", L"Extra"}));
  ASSERT_TRUE(test::InStep(world.tables));
  // The directive in the middle goes away.
  world.project.ReplaceLine(1, 2, L"' no more tools");
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Win32", L"Extra"}));
  EXPECT_EQ(test::Modules(world.tables), (Names{L"Win32", L"Extra"}));
  ASSERT_TRUE(test::InStep(world.tables));
  EXPECT_TRUE(world.tables.IncludeItems.Item(L"Extra").Contains(L"EXTRA"));
  // Another target module for Win32: its entry is made afresh at the end.
  world.project.ReplaceLine(1, 1, L"'#Include In <Win32.bas>");
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Extra", L"Win32"}));
  EXPECT_EQ(test::Modules(world.tables), (Names{L"Extra", L"Module1"}));
  ASSERT_TRUE(test::InStep(world.tables));
  // A target whose letter case alone differs is the same one.
  world.project.Find(L"Module1")->name = L"MODULE1";
  world.Pass();
  EXPECT_EQ(test::Modules(world.tables), (Names{L"Extra", L"Module1"}));
  // No directive left.
  world.project.ReplaceLine(1, 1, L"");
  world.project.ReplaceLine(1, 3, L"");
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), Names{});
  ASSERT_TRUE(test::InStep(world.tables));
}

TEST(ProcessIncludes, TheFirstDirectiveOfANameWinsAndThePassGoesOn) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Extra.bas", {L"Public Const EXTRA = 1"});
  world.project.Add(L"Module1", Lines({L"'#Include <Stale.bas>"}));
  world.files.Add(L"C:\\Empty\\Stale.bas", {L"Public Const STALE = 1"});
  world.Pass();
  world.project.ReplaceLine(1, 1, L"'#Include <Win32.bas>");
  world.project.Add(L"Class1", Lines({L"'#Include In <WIN32.bas>", L"'#Include <Extra.bas>"}), 2, true);
  world.project.Add(L"Module2", Lines({L"'#Include <Win32.bas>"}));
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Win32", L"Extra"}));
  EXPECT_EQ(test::Modules(world.tables), (Names{L"Win32", L"Extra"}));
  EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Stale", L"Class1", L"Module2", L"Win32", L"Extra"}));
}

TEST(ProcessIncludes, NamesThatCannotNameAModuleBreedNone) {
  const wchar_t* const bad[] = {L"win-api.bas", L"1st.bas", L"A_very_long_module_name_of_32_ch.bas", L".bas",
                                L"a b.bas"};
  for (const wchar_t* name : bad) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    IncludeWorld world;
    world.files.Add(std::wstring(L"C:\\Empty\\") + name, test::Win32File());
    world.project.Add(L"Module1", std::wstring(L"'#Include <") + name + L">");
    world.project.Add(L"Module2", std::wstring(L"'#Include Full <") + name + L">");
    world.Pass();
    world.Pass();
    EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Module2"}));
    EXPECT_EQ(world.project.writes, Names{});
    EXPECT_EQ(test::Keys(world.tables), Names{});
    // The "in" form needs no module of that name.
    world.project.Add(L"Class1", std::wstring(L"'#Include In <") + name + L">", 2, true);
    world.Pass();
    EXPECT_EQ(test::Modules(world.tables), Names{L"Class1"});
    EXPECT_TRUE(world.tables.IncludeItems.Item(1).Contains(L"Sleep"));
    EXPECT_EQ(world.project.writes, Names{});
  }
}

TEST(ProcessIncludes, ProjectFilesWhereTheProjectHasFiles) {
  const std::vector<std::wstring> module = {L"'#Include File <Help.txt>", L"  '#Include Related \"Notes.doc\" ' notes",
                                            L"'#Include <App.res> _", L"'#Include <Win32.bas>"};
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Help.txt", {});
  world.files.Add(L"C:\\Empty\\App.res", {});
  world.files.Add(L"C:\\Proj\\Notes.doc", {});
  world.project.Add(L"Module1", Lines(module));
  world.project.has_project_files = false;
  world.Pass();
  EXPECT_EQ(world.project.writes, Names{std::wstring(L"GetOrAddModule Win32: ") + kWin32Comments});
  EXPECT_EQ(world.project.Text(L"Module1"), Lines(module));
  EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});

  world.project.has_project_files = true;
  world.project.writes.clear();
  world.Pass();
  EXPECT_EQ(world.project.writes,
            (Names{L"AddFile C:\\Empty\\Help.txt", L"AddFile C:\\Proj\\Notes.doc related",
                   L"AddFile C:\\Empty\\App.res related", L"ReplaceLine Module1 3: '#Include Related <App.res> _"}));
  EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
  // Already in the project: nothing more.
  world.project.writes.clear();
  world.Pass();
  EXPECT_EQ(world.project.writes, Names{});
}

TEST(ProcessIncludes, AnUnreadableFileGivesNoMembers) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Locked.bas", {});  // found, but it reads as no lines
  world.project.Add(L"Module1", L"'#Include <Locked.bas>");
  world.Pass();
  ASSERT_EQ(test::Keys(world.tables), Names{L"Locked"});
  EXPECT_EQ(world.tables.IncludeItems.Item(1).Count(), 0);
  EXPECT_EQ(world.project.Text(L"Locked"), L"");
  KeyedCollection<std::wstring> declared;
  AddDeclaration(L"Locked", false, world.tables, world.project, declared);
  EXPECT_EQ(test::Items(declared), Names{});
}

// Host calls grow with the components and the directives, not with the lines.
TEST(ProcessIncludes, HostCallsDoNotGrowWithLines) {
  const auto calls = [](int comments) {
    IncludeWorld world;
    std::vector<std::wstring> lines(static_cast<std::size_t>(comments), L"' a comment");
    lines.insert(lines.begin() + comments / 2, L"'#Include <Win32.bas>");
    for (int m = 0; m < 5; ++m) world.project.Add(L"M" + std::to_wstring(m), Lines(lines));
    world.Pass();
    world.project.calls = 0;
    world.Pass();
    return world.project.calls;
  };
  EXPECT_EQ(calls(1000), calls(10));
}

TEST(ProcessIncludes, HostFailuresEndThePass) {
  IncludeWorld world;
  world.project.Add(L"Module1", L"'#Include <Win32.bas>");
  world.project.fail_modules = true;
  EXPECT_THROW(world.Pass(), VbError);
}

TEST(ProcessIncludes, ARefusedModuleLeavesTheTables) {
  IncludeWorld world;
  world.project.Add(L"Module1", L"'#Include <Win32.bas>");
  world.project.refused = {L"Win32"};
  world.Pass();
  EXPECT_EQ(world.project.Names(), Names{L"Module1"});
  EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
}

}  // namespace
}  // namespace qv
