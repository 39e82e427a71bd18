#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codetools/includes.h"
#include "kit/line_breaks.h"
#include "tests/codetools/include_fakes.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::IncludeWorld;
using test::Lines;
using Names = std::vector<std::wstring>;

const std::wstring kWin32Module = L"GetOrAddModule Win32: ' Win32 API\r\n' for the examples\r\n";

// Passes again and expects nothing more to happen.
void ExpectSettled(IncludeWorld& world) {
  const Names keys = test::Keys(world.tables);
  world.project.writes.clear();
  world.Pass();
  EXPECT_EQ(world.project.writes, Names{});
  EXPECT_EQ(test::Keys(world.tables), keys);
}

TEST(ProcessIncludes, DirectivesOfTheSelectedComponentAndStandardModulesLoadTheFileAndMakeItsModule) {
  const std::tuple<const wchar_t*, long, bool, bool> cases[] = {
      // text, type, selected, read
      {L"' #include <Win32.bas> ' note", 1, false, true},
      {L"  '#INCLUDE <win32.BAS>  _", 2, true, true},
      {L"#Include <Win32.bas>\r\nOption Explicit\r\n\r\nSub Main()\r\nEnd Sub", 1, true, true},
      {L"'#Include <Win32.bas>", 2, false, false},
      {L"'#Include <Win32.bas>", 3, false, false},
      {L"'#Include Win32.bas", 1, true, false},
      {L"'#Include <Missing.bas>", 1, true, false},
      // Not beside the project, nor in ProjectsPath; past the declarations section.
      {L"'#Include \"Win32.bas\"", 1, true, false},
      {L"Option Explicit\r\nSub Main()\r\n'#Include <Win32.bas>\r\nEnd Sub", 1, true, false}};
  for (const auto& [text, type, selected, read] : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    IncludeWorld world;
    world.project.Add(L"Component1", text, type, selected);
    world.Pass();
    EXPECT_EQ(test::Keys(world.tables), read ? Names{L"Win32"} : Names{});
    EXPECT_EQ(test::Modules(world.tables), test::Keys(world.tables));
    EXPECT_EQ(world.project.writes, read ? Names{kWin32Module} : Names{});
    EXPECT_EQ(read ? world.tables.IncludeItems.Item(1).Count() : 8, 8);
    ExpectSettled(world);
  }
}

// Designer files go in whole as Full does: their header above the first Attribute line and the
// Attribute lines stay out, and the directive becomes the Full form.
TEST(ProcessIncludes, FullCopiesTheFileOnce) {
  std::vector<std::wstring> form;
  for (std::wstring_view line :
       SplitLines(L"VERSION 5.00\r\nBegin VB.Form Form1\r\nEnd\r\nAttribute VB_Name = \"Form1\"\r\n"
                  L"Option Explicit\r\nAttribute X.VB_X = 1\r\nPrivate Sub Form_Load()\r\nEnd Sub")) {
    form.emplace_back(line);
  }
  const std::wstring copied = L"Option Explicit\r\nPrivate Sub Form_Load()\r\nEnd Sub\r\n";
  const struct {
    const wchar_t* file;
    const wchar_t* directive;
    const wchar_t* rewritten;
    std::wstring module;
  } cases[] = {
      {L"Form1.frm", L"  '#Include <Form1.frm> ' the form _", L"  '#Include Full <Form1.frm> ' the form _", copied},
      {L"Class1.CLS", L"'#include \"Class1.cls\"", L"'#Include Full \"Class1.cls\"", copied},
      {L"Ctl.ctl", L"'#Include In <Ctl.ctl>", L"'#Include Full <Ctl.ctl>", copied},
      {L"Form1.frm", L"'#Include Full <Form1.frm>", nullptr, copied},
      {L"Tools.bas", L"'#Include Full \"Tools.bas\"", nullptr,
       L"' Tools\r\nOption Explicit\r\nPublic Const TOOLS_A = 1\r\n"},
      {L"Plain.bas", L"'#Include Full <Plain.bas>", nullptr, L"' Plain\r\nPublic Const P = 1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.directive)));
    IncludeWorld world;
    world.files.Add(L"C:\\Empty\\Plain.bas", {L"' Plain", L"Public Const P = 1"});
    for (const wchar_t* folder : {L"C:\\Empty\\", L"C:\\Proj\\"}) {
      for (const wchar_t* designer : {L"Form1.frm", L"Class1.CLS", L"Ctl.ctl"})
        world.files.Add(folder + std::wstring(designer), form);
    }
    world.project.Add(L"Module1", Lines({L"Option Explicit", c.directive}));
    world.Pass();
    const std::wstring base(c.file, std::wstring_view(c.file).find(L'.'));
    Names writes;
    if (c.rewritten) writes.push_back(std::wstring(L"ReplaceLine Module1 2: ") + c.rewritten);
    writes.push_back(L"GetOrAddModule " + base + L": " + c.module);
    EXPECT_EQ(world.project.writes, writes);
    EXPECT_EQ(test::Modules(world.tables), Names{base});
    ExpectSettled(world);
  }
}

TEST(ProcessIncludes, TablesStayInStepAndLoseWhatNoDirectiveNames) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Extra.bas", {L"Public Const EXTRA = 1"});
  world.project.Add(L"Module1", Lines({L"'#Include <Win32.bas>", L"'#Include \"Tools.bas\"", L"'#Include <Extra.bas>"}),
                    1, true);
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Win32", L"Tools", L"Extra"}));
  ASSERT_TRUE(test::InStep(world.tables));
  world.project.ReplaceLine(1, 2, L"' no more tools");
  world.Pass();
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
  world.project.ReplaceLine(1, 1, L"");
  world.project.ReplaceLine(1, 3, L"");
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), Names{});
  ASSERT_TRUE(test::InStep(world.tables));
}

TEST(ProcessIncludes, TheFirstDirectiveOfANameWinsAndThePassGoesOn) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\Extra.bas", {L"Public Const EXTRA = 1"});
  world.files.Add(L"C:\\Empty\\Stale.bas", {L"Public Const STALE = 1"});
  world.project.Add(L"Module1", L"'#Include <Stale.bas>");
  world.Pass();
  world.project.ReplaceLine(1, 1, L"'#Include <Win32.bas>");
  world.project.Add(L"Class1", Lines({L"'#Include In <WIN32.bas>", L"'#Include <Extra.bas>"}), 2, true);
  world.project.Add(L"Module2", L"'#Include <Win32.bas>");
  world.Pass();
  EXPECT_EQ(test::Keys(world.tables), (Names{L"Win32", L"Extra"}));
  EXPECT_EQ(test::Modules(world.tables), (Names{L"Win32", L"Extra"}));
  EXPECT_EQ(world.project.Names(), (Names{L"Module1", L"Stale", L"Class1", L"Module2", L"Win32", L"Extra"}));
}

TEST(ProcessIncludes, NamesThatCannotNameAModuleBreedNone) {
  IncludeWorld world;
  world.files.Add(L"C:\\Empty\\win-api.bas", test::Win32File());
  world.project.Add(L"Module1", L"'#Include <win-api.bas>\r\n'#Include Full <win-api.bas>");
  world.Pass();
  EXPECT_EQ(world.project.Names(), Names{L"Module1"});
  EXPECT_EQ(test::Keys(world.tables), Names{});
  // The "in" form needs no module of that name.
  world.project.Add(L"Class1", L"'#Include In <win-api.bas>", 2, true);
  world.Pass();
  EXPECT_EQ(test::Modules(world.tables), Names{L"Class1"});
  EXPECT_TRUE(world.tables.IncludeItems.Item(1).Contains(L"Sleep"));
  EXPECT_EQ(world.project.writes, Names{});
}

TEST(ProcessIncludes, ProjectFilesWhereTheProjectHasFiles) {
  const std::wstring module = Lines({L"'#Include File <Help.txt>", L"  '#Include Related \"Notes.doc\" ' notes",
                                     L"'#Include <App.res> _", L"'#Include <Win32.bas>"});
  IncludeWorld world;
  for (const wchar_t* path : {L"C:\\Empty\\Help.txt", L"C:\\Empty\\App.res", L"C:\\Proj\\Notes.doc"}) {
    world.files.Add(path, {});
  }
  world.project.Add(L"Module1", module);
  world.project.has_project_files = false;
  world.Pass();
  EXPECT_EQ(world.project.writes, Names{kWin32Module});
  EXPECT_EQ(test::Keys(world.tables), Names{L"Win32"});
  world.project.has_project_files = true;
  world.project.writes.clear();
  world.Pass();
  EXPECT_EQ(world.project.writes,
            (Names{L"AddFile C:\\Empty\\Help.txt", L"AddFile C:\\Proj\\Notes.doc related",
                   L"AddFile C:\\Empty\\App.res related", L"ReplaceLine Module1 3: '#Include Related <App.res> _"}));
  ExpectSettled(world);
}

TEST(ProcessIncludes, AProjectFileIsInTheProjectWhenABareFileNameIsItsWhateverTheCase) {
  // the first file of a component, whether Help.txt is added
  const std::pair<const wchar_t*, bool> cases[] = {{L"C:\\P\\MyHelp.txt", true},
                                                   {L"C:\\Help.txt\\Notes.txt", true},
                                                   {L"C:\\P\\HELP.TXT", false},
                                                   {L"help.txt", false}};
  for (const auto& [path, added] : cases) {
    IncludeWorld world;
    world.files.Add(L"C:\\Empty\\Help.txt", {});
    world.project.files = {path};
    world.project.Add(L"Module1", L"'#Include File <Help.txt>");
    world.Pass();
    EXPECT_EQ(world.project.writes, added ? Names{L"AddFile C:\\Empty\\Help.txt"} : Names{})
        << testing::PrintToString(std::wstring(path));
  }
}

}  // namespace
}  // namespace qv
