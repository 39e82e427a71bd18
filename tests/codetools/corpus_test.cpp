#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "codetools/logical_line.h"
#include "codetools/module_view.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

TEST(Corpus, FormattingKeepsItsPropertiesAtEveryIndentWidth) {
  const std::vector<std::string> names = test::CorpusNames();
  ASSERT_GE(names.size(), 15u);
  for (const std::string& name : names) {
    const std::wstring text = test::ReadCorpus(name);
    for (long width = 0; width <= 8; ++width) {
      EXPECT_EQ(test::CheckFormatProperties(text, width), "") << name << " at " << width;
    }
  }
}

// Every logical line moved by `shift(line)` blanks (at least to column 1);
// label and number lines stay, since moving them changes what they are.
template <class Shift>
std::wstring Reindent(const std::wstring& text, Shift shift) {
  const ModuleText module(text);
  std::wstring out;
  long moved = 0;
  for (long line = 1; line <= module.CountOfLines(); ++line) {
    std::wstring_view own = module.Line(line);
    const std::size_t blanks = std::min(own.find_first_not_of(L' '), own.size());
    if (!IsContinued(module.Line(line - 1))) {
      const std::wstring_view word = own.substr(blanks, own.find(L' ', blanks) - blanks);
      moved = IsLabel(word) || IsLineNumber(word) ? 0 : shift(line) - static_cast<long>(blanks);
    }
    if (line > 1) out += L"\r\n";
    out.append(static_cast<std::size_t>(std::max(static_cast<long>(blanks) + moved, 0L)), L' ');
    out += own.substr(blanks);
  }
  return out;
}

TEST(Corpus, FormattedModulesComeBackFromAnyIndentation) {
  for (const char* name : {"blocks.bas", "continuations.bas", "cyrillic.cls", "declarations.bas", "labels_numbers.bas",
                           "one_line_forms.bas", "strings_comments.bas"}) {
    const std::wstring formatted = test::ReadCorpus(name);
    EXPECT_EQ(test::FormatWhole(formatted, 4), formatted) << name;
    EXPECT_EQ(test::FormatWhole(Reindent(formatted, [](long) { return 0L; }), 4), formatted) << name;
    EXPECT_EQ(test::FormatWhole(Reindent(formatted, [](long line) { return line * 7 % 11; }), 4), formatted) << name;
  }
}

// Each line of a formatted module in turn, and every line below it, de-indented.
TEST(Corpus, IncrementalRunsReachTheFullFormat) {
  for (const std::string& name : test::CorpusNames()) {
    const ModuleText formatted(test::FormatWhole(test::ReadCorpus(name), 4));
    const ModuleText flush(Reindent(formatted.Text(), [](long) { return 0L; }));
    for (long line = 1; line <= formatted.CountOfLines(); ++line) {
      std::wstring text;
      for (long at = 1; at <= formatted.CountOfLines(); ++at) {
        if (at > 1) text += L"\r\n";
        text += at < line ? formatted.Line(at) : flush.Line(at);
      }
      EXPECT_EQ(test::CheckIncrementalRun(text, line, 4), "") << name << " from " << line;
    }
  }
}

TEST(Formatting, IncrementalRunGoesPastALabelAlone) {
  const std::wstring text = test::Lines({L"Sub A()", L"    On Error GoTo ErrorHandler", L"    With o", L"    x = 1",
                                         L"ErrorHandler:", L"    MsgBox Err.Description", L"    End With", L"End Sub"});
  // Lines 1 and 2 stand as a full format puts them.
  for (long line = 1; line <= 3; ++line) {
    EXPECT_EQ(test::CheckIncrementalRun(text, line, 4), "") << line;
  }
}

// Random well-nested code: each line at its depth times IndentWidth, Case one
// level under Select, every closer at its opener's column.
class NestedCode {
 public:
  explicit NestedCode(std::uint32_t seed) : random_(seed) {
    const wchar_t* procedures[][2] = {{L"Sub P()", L"End Sub"},
                                      {L"Private Function F(a As Long) As Long", L"End Function"},
                                      {L"Public Static Property Get G() As Long", L"End Property"}};
    for (int n = 0; n < 6; ++n) Construct(0, {procedures[n % 3][0], {}, procedures[n % 3][1]});
  }
  std::wstring Text(long indent_width, bool scrambled) {
    std::wstring text;
    for (const auto& [depth, line] : lines_) {
      if (!text.empty()) text += L"\r\n";
      text.append(scrambled ? random_() % 10 : static_cast<std::size_t>(depth * indent_width), L' ');
      text += line;
    }
    return text;
  }

 private:
  struct Block {
    const wchar_t* opener;
    std::vector<const wchar_t*> middles;
    const wchar_t* closer;
    bool cases = false;  // middles one level in, their bodies two
  };
  void Construct(long depth, const Block& block) {
    lines_.emplace_back(depth, block.opener);
    if (!block.cases) Body(depth + 1);
    for (const wchar_t* middle : block.middles) {
      lines_.emplace_back(depth + (block.cases ? 1 : 0), middle);
      Body(depth + (block.cases ? 2 : 1));
    }
    lines_.emplace_back(depth, block.closer);
  }
  void Body(long depth) {
    static const Block blocks[] = {
        {L"If a > 0 Then", {L"ElseIf a < 0 Then", L"Else"}, L"End If"},
        {L"Select Case s", {L"Case 1, 2", L"Case Is > 3", L"Case Else"}, L"End Select", true},
        {L"For i = 1 To 3", {}, L"Next i"},
        {L"Do While d < 3", {}, L"Loop"},
        {L"Do", {}, L"Loop Until d > 3"},
        {L"While w", {}, L"Wend"},
        {L"With Объект", {}, L"End With"},
        {L"#If ОТЛАДКА Then", {L"#Else"}, L"#End If"},
    };
    for (auto count = 1 + random_() % (depth < 5 ? 3 : 2); count > 0; --count) {
      const auto kind = depth < 5 ? random_() % 11 : 10;
      if (kind < 8) {
        Construct(depth, blocks[kind]);
      } else {
        const wchar_t* simple[] = {L"If x Then y = 1 Else y = 2: z = \"a: b\" ' c: d", L"", L"x = x + 1"};
        lines_.emplace_back(depth, simple[kind - 8]);
      }
    }
  }

  std::mt19937 random_;
  std::vector<std::pair<long, std::wstring>> lines_;
};

TEST(GeneratedCode, EveryLineStandsAtItsDepth) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    NestedCode code(seed);
    for (long width = 0; width <= 8; ++width) {
      const std::wstring expected = code.Text(width, false);
      EXPECT_EQ(test::FormatWhole(code.Text(0, false), width), expected) << seed << " at " << width;
      EXPECT_EQ(test::FormatWhole(code.Text(0, true), width), expected) << seed << " at " << width;
    }
  }
}

}  // namespace
}  // namespace qv
