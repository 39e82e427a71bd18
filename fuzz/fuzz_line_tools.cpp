// Runs the line rewriting, the auto-indent and the abbreviation expansion on a caret taken from
// the input, over the input as a module (ANSI bytes) and over a module of code built from it,
// and aborts when a tool breaks one of its properties:
// - a rewrite or re-indent brings in no character the line lacked but those of the keywords and
//   operators it writes (" Then", "'", " = ", " 1", ":", ",");
// - on code, applying it a second time changes nothing;
// - an expansion keeps the text before its word and from the caret on, and every other line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "codetools/auto_indent.h"
#include "codetools/auto_text.h"
#include "codetools/line_rewrite.h"
#include "kit/case_fold.h"
#include "kit/vb_strings.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/memory_pane.h"
#include "tests/codetools/test_support.h"

namespace {

using qv::LineEdit;
using qv::Selection;
using qv::test::MemoryPane;

// What is being checked, for the report of a broken property.
const std::wstring* g_module = nullptr;
Selection g_caret;
bool g_at_caret = false;

[[noreturn]] void Fail(const char* property) {
  std::fprintf(stderr, "broken: %s\ncaret %ld:%ld%s in:\n", property, g_caret.start_line, g_caret.start_column,
               g_at_caret ? " (Enter)" : "");
  for (const wchar_t c : *g_module) {
    if (c >= 0x20 && c < 0x7F) {
      std::fputc(static_cast<char>(c), stderr);
    } else if (c == L'\n') {
      std::fputs("\\n\n", stderr);
    } else {
      std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
    }
  }
  std::fputc('\n', stderr);
  std::abort();
}

// The input's bytes, one decision each; zeros once they run out, and a zero ends every repetition.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Pick(std::size_t count) { return at_ < size_ ? data_[at_++] % count : 0; }
  bool Done() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

template <std::size_t N>
std::wstring_view OneOf(Choices& in, const std::wstring_view (&words)[N]) {
  return words[in.Pick(N)];
}

constexpr std::wstring_view kNames[] = {L"x",      L"count", L"Me.Count", L"a(i)", L"a(1, 2)",
                                        L"a(1,2)", L"Счёт",  L"ift",      L"DOL"};
constexpr std::wstring_view kAtoms[] = {L"x", L"1", L"2.5", L"\"a:b 'c\"", L"\"{x}\"", L"\"\"", L"a(i)", L"Me.Count"};
constexpr std::wstring_view kBinary[] = {L"+", L"-", L"&", L"*", L"=", L"<>", L"And"};
constexpr std::wstring_view kCompound[] = {L"+=", L"-=", L"*=", L"/=", L"\\=", L"&="};
constexpr std::wstring_view kClosers[] = {L"End If",     L"Else",      L"Loop",    L"Loop Until x",
                                          L"Next",       L"Next i, j", L"Case 1",  L"Case Else",
                                          L"End Select", L"End With",  L"End Sub", L"Wend"};
constexpr std::wstring_view kDirectives[] = {L"#include \"x.bas\"", L"#Region \"r: 'a'\"", L"#End Region",
                                             L"'#Include <x>", L"'#Region \"r\""};

std::wstring Expression(Choices& in) {
  std::wstring text(OneOf(in, kAtoms));
  while (in.Pick(3) == 1) {
    text += L' ';
    text += OneOf(in, kBinary);
    text += L' ';
    text += OneOf(in, kAtoms);
  }
  return text;
}

// A statement that may follow Then or Else on one line.
std::wstring Simple(Choices& in) {
  std::wstring text(OneOf(in, kNames));
  switch (in.Pick(4)) {
    case 0:
      return text + L"++";
    case 1:
      return text + L"--";
    case 2:
      return text + L' ' + std::wstring(OneOf(in, kCompound)) + L' ' + Expression(in);
    default:
      return text + L" = " + Expression(in);
  }
}

std::wstring Statement(Choices& in) {
  switch (in.Pick(9)) {
    case 0:
      return L"If " + Expression(in) + (in.Pick(2) == 0 ? L"" : L" Then " + Simple(in));
    case 1:
      return std::wstring(in.Pick(2) == 0 ? L"ElseIf " : L"#If ") + Expression(in);
    case 2:
      return L"Else " + Simple(in);
    case 3: {
      std::wstring text = L"Dim ";
      do {
        if (text.size() > 4) text += L", ";
        text += OneOf(in, kNames);
        if (in.Pick(2) == 0) text += L" As Long";
        if (in.Pick(2) == 0) text += L" = " + Expression(in);
      } while (in.Pick(2) == 1);
      return text;
    }
    case 4:
      return std::wstring(OneOf(in, kDirectives));
    case 5:
      return std::wstring(OneOf(in, kClosers));
    default:
      return Simple(in);
  }
}

// A line of code: indentation, a label or number, statements, a comment, maybe continued.
std::wstring CodeLine(Choices& in) {
  std::wstring text(in.Pick(4) * 4, L' ');
  if (in.Pick(4) == 0) text += in.Pick(2) == 0 ? L"10 " : L"Retry: ";
  do {
    if (!text.empty() && text.back() != L' ') text += L": ";
    text += Statement(in);
  } while (in.Pick(3) == 1);
  if (in.Pick(4) == 1) text += L" ' note: it's";
  // A continuation at a blank outside strings.
  if (in.Pick(3) == 0) {
    std::size_t blank = std::wstring::npos;
    bool in_string = false;
    const std::size_t wanted = in.Pick(text.size() + 1);
    for (std::size_t i = text.find_first_not_of(L' '); i < text.size() && i <= wanted; ++i) {
      if (text[i] == L'"') in_string = !in_string;
      if (text[i] == L' ' && !in_string && text.find(L'\'') > i) blank = i;
    }
    if (blank != std::wstring::npos) text.replace(blank, 1, L" _\r\n    ");
  }
  return text;
}

std::wstring Span(const MemoryPane& pane, long first, long last) {
  std::wstring text;
  for (long line = first; line <= last; ++line) {
    if (line > first) text += L"\r\n";
    text += pane.Line(line);
  }
  return text;
}

void CheckCharacters(const LineEdit& edit, std::wstring_view before) {
  static constexpr std::wstring_view kWritten = L" Then'=1:,";
  for (const wchar_t c : edit.text) {
    if (before.find(c) == std::wstring_view::npos && kWritten.find(c) == std::wstring_view::npos) {
      Fail("a character that was in neither the line nor the keywords");
    }
  }
}

template <class Tool>
void CheckLineTool(const std::wstring& module, Selection caret, bool at_caret, bool code, Tool tool) {
  MemoryPane pane(module, caret);
  const std::optional<LineEdit> edit = tool(qv::ReadCaretLine(pane, caret, at_caret), pane);
  if (!edit) return;
  if (edit->first_line < 1 || edit->last_line > pane.CountOfLines() || edit->first_line > edit->last_line) {
    Fail("the span is outside the module");
  }
  CheckCharacters(*edit, Span(pane, edit->first_line, edit->last_line));
  const long count = pane.CountOfLines();
  qv::WriteLineEdit(pane, *edit);
  if (pane.CountOfLines() != count) Fail("the line count changed");
  if (!code) return;
  const Selection after = pane.GetSelection();
  const std::optional<LineEdit> again = tool(qv::ReadCaretLine(pane, after, at_caret), pane);
  if (again && (again->text != Span(pane, again->first_line, again->last_line) ||
                again->selection.start_column != after.start_column)) {
    Fail("a second run changed the line again");
  }
}

void CheckExpansion(const std::wstring& module, Selection caret) {
  static const qv::KeyedCollection<std::wstring> kInserts = [] {
    // Every expansion starts with a character no input holds, so where it begins shows.
    qv::KeyedCollection<std::wstring> inserts;
    inserts.Add(L"\u263AIf {[Условие]} Then", L"ift");
    inserts.Add(L"\u263ADo(CrLf)(Tab){}(CrLf)Loop", L"dol");
    inserts.Add(L"\u263A{", L"x");
    inserts.Add(L"\u263A}{a(CrLf)}{(Tab)", L"a(i)");
    return inserts;
  }();
  MemoryPane pane(module, caret);
  const qv::TypedLine typed = qv::ReadTypedLine(pane, caret);
  qv::test::NoTemplateHost host;
  const std::optional<LineEdit> edit = qv::ExpandAbbreviation(typed, kInserts, 4, host);
  if (!edit) return;
  if (edit->first_line != typed.line || edit->last_line != typed.line) Fail("an expansion outside the caret's line");
  const std::wstring_view line = typed.text;
  const std::wstring_view text = edit->text;
  const auto tail = static_cast<std::size_t>(typed.caret_column - 1);
  if (tail > line.size()) Fail("the caret stands beyond the line");
  // It follows the expansion, or stands below one of several lines at the line's indentation.
  const std::wstring right(line.substr(tail));
  const std::wstring rest = qv::LTrimBlanks(right);
  const std::size_t indent = std::min(line.find_first_not_of(L' '), line.size());
  const bool below = !rest.empty() && text.find(L"\r\n") != std::wstring_view::npos;
  if (!text.ends_with(below ? L"\r\n" + std::wstring(indent, L' ') + rest : right)) {
    Fail("the text right of the caret changed");
  }
  std::size_t start = 0;
  while (start < line.size() && start < text.size() && line[start] == text[start]) ++start;
  if (start + 2 > static_cast<std::size_t>(typed.caret_column) || text[start] != L'\u263A') {
    Fail("the text before the word changed");
  }
  if (!kInserts.Contains(qv::TrimBlanks(line.substr(start, tail - start)))) Fail("a word that is no key expanded");
  const long count = pane.CountOfLines();
  const std::wstring others = Span(pane, 1, typed.line - 1) + L'|' + Span(pane, typed.line + 1, count);
  qv::WriteLineEdit(pane, *edit);
  const long added = pane.CountOfLines() - count;
  if (Span(pane, 1, typed.line - 1) + L'|' + Span(pane, typed.line + added + 1, pane.CountOfLines()) != others) {
    Fail("another line changed");
  }
  const Selection s = edit->selection;
  if (s.start_line < typed.line || s.start_line > typed.line + added || s.end_line != s.start_line ||
      s.start_column < 1 || s.end_column < s.start_column) {
    Fail("the selection is outside the expansion");
  }
}

// Where the caret stands and which options are on come from a hash of the input, so that the
// module's own bytes decide nothing else.
class Dice {
 public:
  Dice(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) state_ = (state_ ^ data[i]) * 1099511628211u;
  }
  long Roll(long count) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<long>((state_ >> 33) % static_cast<std::uint64_t>(count));
  }

 private:
  std::uint64_t state_ = 14695981039346656037u;
};

void CheckTools(const std::wstring& module, Dice& dice, bool code) {
  const qv::ModuleText lines(module);
  if (lines.CountOfLines() == 0) return;
  const long line = dice.Roll(lines.CountOfLines()) + 1;
  const auto length = static_cast<long>(lines.Line(line).size());
  const long column = dice.Roll(2) == 0 ? length + 1 : dice.Roll(length + 1) + 1;
  const bool at_caret = dice.Roll(2) == 0;
  qv::Settings settings = qv::test::ToolSettings();
  for (bool qv::Settings::*option :
       {&qv::Settings::AutoInsert, &qv::Settings::AutoInsert_Then, &qv::Settings::AutoInsert_Comment,
        &qv::Settings::AutoReplace, &qv::Settings::IncrementAndDecrement, &qv::Settings::ComponentAssignment,
        &qv::Settings::InitializationWithDeclarate}) {
    if (dice.Roll(8) == 0) settings.*option = false;
  }
  settings.IndentWidth = static_cast<std::int32_t>(dice.Roll(9));

  const Selection caret{line, column, line, column};
  g_module = &module;
  g_caret = caret;
  g_at_caret = at_caret;
  CheckLineTool(module, caret, at_caret, code,
                [&](const qv::CaretLine& read, const MemoryPane&) { return qv::RewriteLine(read, settings); });
  CheckLineTool(module, caret, at_caret, code, [&](const qv::CaretLine& read, const MemoryPane& pane) {
    return qv::ReindentLine(read, pane, settings);
  });
  CheckExpansion(module, caret);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Dice dice(data, size);
  CheckTools(qv::test::DecodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size)), dice, false);
  // Code under blocks that closing lines can find.
  Choices in(data, size);
  std::wstring module = L"Sub A()\r\n    If x Then\r\n        Select Case a\r\n            Do";
  do {
    module += L"\r\n" + CodeLine(in);
  } while (!in.Done());
  CheckTools(module + L"\r\nEnd Sub", dice, true);
  return 0;
}
