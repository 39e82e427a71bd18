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
    const wchar_t* argument;
    const wchar_t* name;
    const wchar_t* span;  // the part a rewrite replaces
  };
  const Case cases[] = {
      {L"'#Include <Win32.bas>", Tag::kPlain, true, false, true, L"<Win32.bas>", L"Win32.bas", L"#Include <Win32.bas>"},
      {L"' #include <x.bas> ' note", Tag::kPlain, true, false, true, L"<x.bas>", L"x.bas", L"#include <x.bas>"},
      {L"    '#INCLUDE <x.bas>   _", Tag::kPlain, true, true, true, L"<x.bas>", L"x.bas", L"#INCLUDE <x.bas>"},
      {L"#Include \"Tools.bas\"", Tag::kPlain, false, false, false, L"\"Tools.bas\"", L"Tools.bas",
       L"#Include \"Tools.bas\""},
      {L"'#Include Full \"Tools.bas\"", Tag::kFull, true, false, false, L"\"Tools.bas\"", L"Tools.bas",
       L"#Include Full \"Tools.bas\""},
      {L"'#include in   <Win32.bas>  'x", Tag::kIn, true, false, true, L"<Win32.bas>", L"Win32.bas",
       L"#include in   <Win32.bas>"},
      {L"'#Include File <Help.txt> _", Tag::kFile, true, true, true, L"<Help.txt>", L"Help.txt",
       L"#Include File <Help.txt>"},
      {L"'#Include RELATED \"a b.doc\"", Tag::kRelated, true, false, false, L"\"a b.doc\"", L"a b.doc",
       L"#Include RELATED \"a b.doc\""},
      // The plain form comes last: a file may be named like a form's word.
      {L"'#Include <in.bas>", Tag::kPlain, true, false, true, L"<in.bas>", L"in.bas", L"#Include <in.bas>"},
      {L"'#Include <Full >", Tag::kPlain, true, false, true, L"<Full >", L"Full ", L"#Include <Full >"},
      {L"'#Include Full <x.cls>'", Tag::kFull, true, false, true, L"<x.cls>", L"x.cls", L"#Include Full <x.cls>"},
      {L"'#Include <\">", Tag::kPlain, true, false, true, L"<\">", L"\"", L"#Include <\">"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    const std::optional<IncludeDirective> d = ParseIncludeDirective(c.line);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->tag, c.tag);
    EXPECT_EQ(d->commented, c.commented);
    EXPECT_EQ(d->continued, c.continued);
    EXPECT_EQ(d->angle, c.angle);
    EXPECT_EQ(d->argument, c.argument);
    EXPECT_EQ(d->name, c.name);
    EXPECT_EQ(c.line.substr(d->start, d->length), c.span);
  }
}

TEST(ParseIncludeDirective, NoDirective) {
  const std::wstring lines[] = {
      L"",
      L"'",
      L"'#Include Win32.bas",     // neither brackets nor quotes
      L"'#Include <Win32.bas",    // unclosed
      L"'#Include \"Win32.bas>",  // mixed
      L"'#Include <>",            // empty name
      L"'#Include \"\"",
      L"'#Include <",
      L"'#Include \"",
      L"'#Include",
      L"'#Include ",
      L"'#Include Full",  // a plain directive with the argument "Full"
      L"'#Include full<x.bas>",
      L"'#Includes <x.bas>",
      L"'# Include <x.bas>",
      L"'#Include\t<x.bas>",
      L"'' #Include <x.bas>",  // a comment about a directive
      L"' note #Include <x.bas>",
      L"Dim x ' #Include <x.bas>",
      L"'#Include 'x' <x.bas>",   // the comment cut leaves no argument
      L"'#Include \"it's.bas\"",  // cut at the apostrophe
      L"Rem #Include <x.bas>",
      std::wstring(L"'#Include <a\0b.bas>", 19),
  };
  for (const std::wstring& line : lines) {
    EXPECT_FALSE(ParseIncludeDirective(line)) << testing::PrintToString(line);
  }
}

TEST(RewriteIncludeDirective, KeepsTheArgumentAndTheRestOfTheLine) {
  struct Case {
    const wchar_t* line;
    Tag tag;
    const wchar_t* rewritten;
  };
  const Case cases[] = {
      {L"'#Include <Class1.cls>", Tag::kFull, L"'#Include Full <Class1.cls>"},
      {L"    ' #include \"Form1.frm\" ' the form _", Tag::kFull, L"    ' #Include Full \"Form1.frm\" ' the form _"},
      {L"'#include in <Ctl.ctl> _", Tag::kFull, L"'#Include Full <Ctl.ctl> _"},
      {L"#Include <App.res>", Tag::kRelated, L"#Include Related <App.res>"},
      {L"'#Include File   <App.res>  ' icons", Tag::kRelated, L"'#Include Related <App.res>  ' icons"},
      {L"'#Include Related <App.res>", Tag::kRelated, L"'#Include Related <App.res>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    const std::optional<IncludeDirective> d = ParseIncludeDirective(c.line);
    ASSERT_TRUE(d);
    const std::wstring rewritten = RewriteIncludeDirective(c.line, *d, c.tag);
    EXPECT_EQ(rewritten, c.rewritten);
    // Still a directive, with the new form and the same name.
    const std::optional<IncludeDirective> again = ParseIncludeDirective(rewritten);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->tag, c.tag);
    EXPECT_EQ(again->name, d->name);
    EXPECT_EQ(std::tie(again->commented, again->continued, again->angle),
              std::tie(d->commented, d->continued, d->angle));
  }
}

TEST(JoinPath, OneSeparatorBetween) {
  const wchar_t* const cases[][3] = {
      {L"C:\\Inc", L"a.bas", L"C:\\Inc\\a.bas"},
      {L"C:\\Inc\\", L"a.bas", L"C:\\Inc\\a.bas"},
      {L"C:\\Inc\\\\", L"a.bas", L"C:\\Inc\\a.bas"},
      {L"C:/Inc/", L"a.bas", L"C:\\Inc\\a.bas"},
      {L"C:\\", L"a.bas", L"C:\\a.bas"},
      {L"\\\\server\\share\\", L"a.bas", L"\\\\server\\share\\a.bas"},
      {L"C:\\Inc", L"sub/a.bas", L"C:\\Inc\\sub\\a.bas"},
  };
  for (const auto& [folder, name, path] : cases) EXPECT_EQ(JoinPath(folder, name), path) << folder;
}

TEST(IsIdentifier, ModuleNames) {
  const std::pair<std::wstring, bool> cases[] = {
      {L"Win32", true},
      {L"a", true},
      {L"a_1", true},
      {L"Модуль", true},
      {L"Äpfel", true},
      {L"", false},
      {L"win-api", false},
      {L"1st", false},
      {L"_a", false},
      {L"a b", false},
      {L"a.b", false},
      {L"a×b", false},
      {std::wstring(31, L'a'), true},
      {std::wstring(32, L'a'), false},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsIdentifier(name), valid) << testing::PrintToString(name);
}

struct SearchCase {
  IncludePlaces places;
  std::vector<std::wstring> existing;
  std::wstring directive;
  std::optional<std::wstring> path;
  std::vector<std::wstring> probes;
};

TEST(FindInclude, SearchOrder) {
  const IncludePlaces angle{{L"", std::wstring(2, L'\0'), L"  ", std::wstring(L"C:\\Bad\0\\", 8), L"C:\\Empty\\",
                             L"(ProgramFiles)\\VB\\Include\\", L"(programfiles)\\Other", L"D:\\Second"},
                            L"C:\\Program Files",
                            L"C:\\Proj\\App.vbp",
                            L"C:\\Projects\\"};
  const IncludePlaces unsaved{angle.including_paths, angle.program_files, L"", L"C:\\Projects"};
  const std::vector<std::wstring> both = {L"C:\\Program Files\\VB\\Include\\Win32.bas", L"D:\\Second\\Win32.bas",
                                          L"C:\\Proj\\Win32.bas", L"C:\\Projects\\Win32.bas"};
  const std::vector<std::wstring> angle_probes = {L"C:\\Empty\\Win32.bas",
                                                  L"C:\\Program Files\\VB\\Include\\Win32.bas"};
  const SearchCase cases[] = {
      {angle, both, L"'#Include <Win32.bas>", L"C:\\Program Files\\VB\\Include\\Win32.bas", angle_probes},
      {angle,
       {L"D:\\Second\\win32.BAS"},
       L"'#Include <Win32.bas>",
       L"D:\\Second\\win32.BAS",
       {L"C:\\Empty\\Win32.bas", L"C:\\Program Files\\VB\\Include\\Win32.bas", L"(programfiles)\\Other\\Win32.bas",
        L"D:\\Second\\Win32.bas"}},
      {angle,
       {L"C:\\Proj\\Win32.bas"},
       L"'#Include <Win32.bas>",
       std::nullopt,
       {L"C:\\Empty\\Win32.bas", L"C:\\Program Files\\VB\\Include\\Win32.bas", L"(programfiles)\\Other\\Win32.bas",
        L"D:\\Second\\Win32.bas"}},
      {angle, both, L"'#Include \"Win32.bas\"", L"C:\\Proj\\Win32.bas", {L"C:\\Proj\\Win32.bas"}},
      {angle,
       {L"C:\\Projects\\Win32.bas"},
       L"'#Include \"Win32.bas\"",
       L"C:\\Projects\\Win32.bas",
       {L"C:\\Proj\\Win32.bas", L"C:\\Projects\\Win32.bas"}},
      {unsaved, both, L"'#Include \"Win32.bas\"", L"C:\\Projects\\Win32.bas", {L"C:\\Projects\\Win32.bas"}},
      {unsaved,
       {L"C:\\Program Files\\VB\\Include\\Win32.bas"},
       L"'#Include \"Win32.bas\"",
       std::nullopt,
       {L"C:\\Projects\\Win32.bas"}},
      {angle,
       {L"C:\\Empty\\Sub\\Deep.bas"},
       L"'#Include <sub/deep.bas>",
       L"C:\\Empty\\sub\\Deep.bas",
       {L"C:\\Empty\\sub\\deep.bas"}},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.directive));
    test::FakeFiles files;
    for (const std::wstring& path : c.existing) files.Add(path, {});
    const std::optional<FoundInclude> found = FindInclude(*ParseIncludeDirective(c.directive), c.places, files);
    EXPECT_EQ(found ? std::optional(found->path) : std::nullopt, c.path);
    EXPECT_EQ(files.probes, c.probes);
  }
}

TEST(FindInclude, NamesAsTheFileSystemReportsThem) {
  const IncludePlaces places{{L"C:\\Inc"}, L"", L"", L""};
  const wchar_t* const cases[][4] = {
      // stored name, file name, base name, extension
      {L"WIN32.BAS", L"WIN32.BAS", L"WIN32", L"BAS"},
      {L"Win32.bas", L"Win32.bas", L"Win32", L"bas"},
      {L"a.b.bas", L"a.b.bas", L"a", L"b.bas"},
      {L"a", L"a", L"a", L""},
      {L"a.", L"a.", L"a", L""},
  };
  for (const auto& [stored, file_name, base_name, extension] : cases) {
    test::FakeFiles files;
    files.Add(std::wstring(L"C:\\Inc\\") + stored, {});
    IncludeDirective directive;
    directive.angle = true;
    directive.name = stored;
    const std::optional<FoundInclude> found = FindInclude(directive, places, files);
    ASSERT_TRUE(found) << stored;
    EXPECT_EQ(std::tie(found->file_name, found->base_name, found->extension),
              std::tuple(std::wstring(file_name), std::wstring(base_name), std::wstring(extension)));
  }
}

}  // namespace
}  // namespace qv
