#include "codetools/include_directive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/codetools/include_fakes.h"

namespace qv {
namespace {

using Tag = IncludeTag;

TEST(ParseIncludeDirective, FiveFormsCleanedAndTheArgumentAsWritten) {
  struct Case {
    std::wstring line;
    Tag tag;
    bool commented, continued, angle;
    const wchar_t* name;
    const wchar_t* span;  // what a rewrite replaces
  };
  const Case cases[] = {
      {L"' #include <x.bas> ' note", Tag::kPlain, true, false, true, L"x.bas", L"#include <x.bas>"},
      {L"    '#INCLUDE <x.bas>   _", Tag::kPlain, true, true, true, L"x.bas", L"#INCLUDE <x.bas>"},
      {L"#Include \"Tools.bas\"", Tag::kPlain, false, false, false, L"Tools.bas", L"#Include \"Tools.bas\""},
      {L"'#Include Full \"Tools.bas\"", Tag::kFull, true, false, false, L"Tools.bas", L"#Include Full \"Tools.bas\""},
      {L"'#include in   <Win32.bas>  'x", Tag::kIn, true, false, true, L"Win32.bas", L"#include in   <Win32.bas>"},
      {L"'#Include File <Help.txt> _", Tag::kFile, true, true, true, L"Help.txt", L"#Include File <Help.txt>"},
      {L"'#Include RELATED \"a b.doc\"", Tag::kRelated, true, false, false, L"a b.doc",
       L"#Include RELATED \"a b.doc\""},
      // The plain form comes last: a file may be named like a form's word.
      {L"'#Include <in.bas>", Tag::kPlain, true, false, true, L"in.bas", L"#Include <in.bas>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    const std::optional<IncludeDirective> d = ParseIncludeDirective(c.line);
    ASSERT_TRUE(d);
    EXPECT_EQ(std::tie(d->tag, d->commented, d->continued, d->angle),
              std::tie(c.tag, c.commented, c.continued, c.angle));
    EXPECT_EQ(d->argument, (c.angle ? L"<" : L"\"") + std::wstring(c.name) + (c.angle ? L">" : L"\""));
    EXPECT_EQ(d->name, c.name);
    EXPECT_EQ(c.line.substr(d->start, d->length), c.span);
  }
}

TEST(ParseIncludeDirective, InvalidArgumentsAreNoDirective) {
  // A plain directive with the argument "Full"; a comment about a directive; a name cut at the apostrophe.
  for (const wchar_t* line :
       {L"", L"'#Include Win32.bas", L"'#Include <Win32.bas", L"'#Include \"Win32.bas>", L"'#Include <>", L"'#Include",
        L"'#Include Full", L"'#Includes <x.bas>", L"'#Include\t<x.bas>", L"'' #Include <x.bas>",
        L"Dim x ' #Include <x.bas>", L"'#Include \"it's.bas\""}) {
    EXPECT_FALSE(ParseIncludeDirective(line)) << testing::PrintToString(std::wstring(line));
  }
  EXPECT_FALSE(ParseIncludeDirective(std::wstring(L"'#Include <a\0b.bas>", 19)));
}

TEST(IsIdentifier, ModuleNames) {
  const std::pair<std::wstring, bool> cases[] = {{L"a_1", true},   {L"Модуль", true},
                                                 {L"Äpfel", true}, {std::wstring(31, L'a'), true},
                                                 {L"", false},     {L"1st", false},
                                                 {L"_a", false},   {L"a b", false},
                                                 {L"a×b", false},  {std::wstring(32, L'a'), false}};
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsIdentifier(name), valid) << testing::PrintToString(name);
}

TEST(FindInclude, SearchOrder) {
  const IncludePlaces saved{{L"", std::wstring(2, L'\0'), L"  ", std::wstring(L"C:\\Bad\0\\", 8), L"C:\\Empty\\",
                             L"(ProgramFiles)\\VB\\Include\\", L"(programfiles)\\Other", L"D:\\Second"},
                            L"C:\\Program Files",
                            L"C:\\Proj\\App.vbp",
                            L"C:\\Projects\\"};
  const IncludePlaces unsaved{saved.including_paths, saved.program_files, L"", L"C:\\Projects"};
  const std::wstring inc = L"C:\\Program Files\\VB\\Include\\Win32.bas", second = L"D:\\Second\\Win32.bas",
                     proj = L"C:\\Proj\\Win32.bas", projects = L"C:\\Projects\\Win32.bas";
  const std::vector<std::wstring> all = {inc, second, proj, projects};
  const std::vector<std::wstring> angle_probes = {L"C:\\Empty\\Win32.bas", inc, L"(programfiles)\\Other\\Win32.bas",
                                                  second};
  const struct {
    const IncludePlaces& places;
    std::vector<std::wstring> existing;
    bool angle;
    std::optional<std::wstring> path;
    std::vector<std::wstring> probes;
  } cases[] = {
      {saved, all, true, inc, {angle_probes[0], inc}},
      {saved, {L"D:\\Second\\win32.BAS"}, true, L"D:\\Second\\win32.BAS", angle_probes},
      {saved, {proj}, true, std::nullopt, angle_probes},
      {saved, all, false, proj, {proj}},
      {saved, {projects}, false, projects, {proj, projects}},
      {unsaved, all, false, projects, {projects}},
      {unsaved, {inc}, false, std::nullopt, {projects}},
  };
  for (const auto& c : cases) {
    test::FakeFiles files;
    for (const std::wstring& path : c.existing) files.Add(path, {});
    const std::optional<FoundInclude> found = FindInclude(
        *ParseIncludeDirective(c.angle ? L"'#Include <Win32.bas>" : L"'#Include \"Win32.bas\""), c.places, files);
    EXPECT_EQ(found ? std::optional(found->path) : std::nullopt, c.path);
    EXPECT_EQ(files.probes, c.probes);
  }
}

TEST(FindInclude, NamesAsTheFileSystemReportsThem) {
  const IncludePlaces places{{L"C:\\Inc"}, L"", L"", L""};
  const wchar_t* const cases[][5] = {
      // asked, stored, path, base name, extension
      {L"sub/deep.bas", L"Sub\\Deep.bas", L"C:\\Inc\\sub\\Deep.bas", L"Deep", L"bas"},
      {L"a.b.c", L"A.B.C", L"C:\\Inc\\A.B.C", L"A", L"B.C"},
  };
  for (const auto& [asked, stored, path, base_name, extension] : cases) {
    test::FakeFiles files;
    files.Add(std::wstring(L"C:\\Inc\\") + stored, {});
    IncludeDirective directive;
    directive.angle = true;
    directive.name = asked;
    const std::optional<FoundInclude> found = FindInclude(directive, places, files);
    ASSERT_TRUE(found) << asked;
    EXPECT_EQ(std::tie(found->path, found->base_name, found->extension),
              std::tuple(std::wstring(path), std::wstring(base_name), std::wstring(extension)));
  }
}

}  // namespace
}  // namespace qv
