#include "codetools/highlight_runs.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "kit/options_text.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr auto npos = std::wstring_view::npos;

// A colour of the user's list, read as the options dialog reads it; 0 when it does not fit.
std::int32_t ColourOf(std::wstring_view text) {
  try {
    return NumberOfText(text);
  } catch (const VbError&) {
    return 0;
  }
}

// Commented compiler directives stay comments.
bool IsOwnDirective(std::wstring_view key) {
  if (!key.starts_with(L'#')) return false;
  for (const std::wstring_view compiler : {L"#if", L"#const", L"#end if", L"#elseif"}) {
    if (key.starts_with(compiler)) return false;
  }
  return true;
}

bool HasTwoWordKeyword(std::wstring_view key) {
  for (const std::wstring_view two : {L"#include file ", L"#include related ", L"#include in ", L"#include full ", L"#end "}) {
    if (key.starts_with(two)) return true;
  }
  return false;
}

// The logical line, continuation marks read as blanks, starts with a comment.
bool StartsWithComment(std::wstring_view raw) {
  std::wstring text(raw);
  for (std::size_t at = text.find(L" _\r\n"); at != npos; at = text.find(L" _\r\n", at)) text.replace(at, 4, L"    ");
  return LTrimBlanks(text).starts_with(L'\'');
}

// Physical line `index` (from 0) of a text whose lines end in CR LF: its offset and length.
std::pair<std::size_t, std::size_t> PhysicalLine(std::wstring_view text, long index) {
  std::size_t start = 0;
  for (long i = 0; i < index; ++i) {
    const std::size_t end = text.find(L"\r\n", start);
    if (end == npos) return {text.size(), 0};
    start = end + 2;
  }
  const std::size_t end = std::min(text.find(L"\r\n", start), text.size());
  return {start, end - start};
}

// Selected columns [from, to) of physical line `line`; empty when none.
std::pair<std::size_t, std::size_t> SelectedColumns(const Selection& s, long line) {
  long sl = s.start_line, sc = s.start_column, el = s.end_line, ec = s.end_column;
  if (sl > el || (sl == el && sc > ec)) {
    std::swap(sl, el);
    std::swap(sc, ec);
  }
  if (s.collapsed() || line < sl || line > el) return {0, 0};
  const auto column = [](long c) { return static_cast<std::size_t>(std::max(c - 1, 0L)); };
  return {line == sl ? column(sc) : 0, line == el ? column(ec) : npos};
}

}  // namespace

HighlightOptions MakeHighlightOptions(const Settings& settings, const KeyedCollection<std::wstring>& texts,
                                      const KeyedCollection<std::wstring>& colours) {
  HighlightOptions options;
  options.directives = settings.SyntaxColoring_AdditionalOperators;
  options.directive_colour = settings.SyntaxColoring_Operators ? 0xFF0000 : 0x800000;  // RGB(0,0,255), RGB(0,0,128)
  options.strings = settings.SyntaxColoring_Texts;
  options.string_colour = settings.TextColor;
  options.texts = settings.SyntaxColoring_CustomTexts;
  const long count = std::min(texts.Count(), colours.Count());
  for (long i = 1; i <= count; ++i) {
    if (!texts.Item(i).empty()) options.user_texts.push_back({texts.Item(i), ColourOf(colours.Item(i))});
  }
  return options;
}

std::optional<Directive> FindDirective(std::wstring_view p, bool comment_above) {
  const std::size_t lead = LeadingBlanks(p);
  if (lead == p.size()) return std::nullopt;
  const bool quoted = p[lead] == L'\'';
  if (!quoted && !comment_above) return std::nullopt;
  const std::size_t hash = quoted ? std::min(p.find_first_not_of(L' ', lead + 1), p.size()) : lead;
  const std::wstring key = FoldCase(p.substr(hash));
  if (!IsOwnDirective(key)) return std::nullopt;
  const std::size_t word = std::min(p.find_first_not_of(L' ', lead + 1), p.size());
  std::size_t end = p.find(L' ', word);
  if (end != npos && HasTwoWordKeyword(key)) end = p.find(L' ', end + 1);
  // Never into a string: its case is the user's.
  end = std::min({end, p.find(L'"', word), p.size()});
  return Directive{hash + 1, std::max(end, hash + 1)};
}

std::wstring FormatDirectives(std::wstring_view text) {
  std::wstring result(text);
  std::size_t start = 0;
  while (start <= result.size()) {
    const std::size_t end = std::min(result.find(L' ', start), result.size());
    const std::wstring_view word = std::wstring_view(result).substr(start, end - start);
    const std::size_t first = word.starts_with(L"'#") ? 2 : word.starts_with(L'#') ? 1 : 0;
    for (std::size_t i = start + first; i < end; ++i) {
      result[i] = i == start + first ? UpperCase(result[i]) : FoldCase(result[i]);
    }
    start = end + 1;
  }
  return result;
}

LineHighlight HighlightLine(const LogicalLine& line, long line_number, const Selection& selection,
                            const HighlightOptions& options) {
  LineHighlight result;
  const auto [offset, length] = PhysicalLine(line.text, line.lines_before);
  const std::wstring_view physical = std::wstring_view(line.text).substr(offset, length);
  // The line's code part: string contents blanked, no comment except a directive.
  const std::wstring_view code = offset < line.code_text.size()
                                     ? std::wstring_view(line.code_text).substr(offset, std::min(length, line.code_text.size() - offset))
                                     : std::wstring_view();
  const std::wstring_view p = physical.substr(0, code.size());
  std::vector<std::optional<std::int32_t>> colours(p.size());
  const auto paint = [&](std::size_t from, std::size_t to, std::int32_t colour) {
    std::fill(colours.begin() + static_cast<std::ptrdiff_t>(from), colours.begin() + static_cast<std::ptrdiff_t>(to), colour);
  };
  const auto [selected_from, selected_to] = SelectedColumns(selection, line_number);
  if (options.directives) {
    if (const std::optional<Directive> directive = FindDirective(p, StartsWithComment(line.text))) {
      paint(0, p.size(), 0);  // shown as code, not in the comment colour
      paint(directive->word_start, directive->head_end, options.directive_colour);
      const std::wstring_view head = p.substr(0, directive->head_end);
      const std::wstring formatted = FormatDirectives(head);
      const bool on_selection = line_number >= std::min(selection.start_line, selection.end_line) &&
                                line_number <= std::max(selection.start_line, selection.end_line);
      if (formatted != head && !on_selection) result.rewritten = formatted + std::wstring(physical.substr(head.size()));
    }
  }
  if (options.strings) {
    bool in_string = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
      if (p[i] == L'"') {
        in_string = !in_string;
      } else if (in_string) {
        colours[i] = options.string_colour;
      }
    }
  }
  if (options.texts) {
    for (const HighlightText& text : options.user_texts) {
      for (std::size_t at = code.find(text.text); at != npos; at = code.find(text.text, at + 1)) {
        paint(at, at + text.text.size(), text.colour);
      }
    }
  }
  for (std::size_t i = selected_from; i < std::min(selected_to, colours.size()); ++i) colours[i].reset();
  for (std::size_t i = 0; i < colours.size();) {
    std::size_t end = i + 1;
    while (end < colours.size() && colours[end] == colours[i]) ++end;
    if (colours[i]) result.runs.push_back({i, end - i, *colours[i]});
    i = end;
  }
  return result;
}

}  // namespace qv
