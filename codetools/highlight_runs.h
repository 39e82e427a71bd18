#pragma once
// What the highlight painter paints over one physical line: directive comments shown as code with
// their keyword coloured, string contents, and the user's texts, each as a colour run over columns
// of the line. Selected characters are never covered; the editor shows them itself.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/logical_line.h"
#include "codetools/selection.h"
#include "kit/keyed_collection.h"
#include "kit/settings.h"

namespace qv {

struct HighlightText {
  std::wstring text;
  std::int32_t colour = 0;  // 0x00BBGGRR, or a system colour with the high bit set
};

struct HighlightOptions {
  bool directives = false;
  std::int32_t directive_colour = 0;
  bool strings = false;
  std::int32_t string_colour = 0;
  bool texts = false;
  std::vector<HighlightText> user_texts;  // later texts paint over earlier ones
};

// From the settings and the lists of SyntaxColors.ini (colours as decimal text).
HighlightOptions MakeHighlightOptions(const Settings& settings, const KeyedCollection<std::wstring>& texts,
                                      const KeyedCollection<std::wstring>& colours);

// Columns from 0 in the physical line.
struct ColourRun {
  std::size_t column = 0;
  std::size_t length = 0;
  std::int32_t colour = 0;
  bool operator==(const ColourRun&) const = default;
};

struct LineHighlight {
  std::vector<ColourRun> runs;  // left to right, not overlapping, not touching a selected column
  // The physical line with its directive keyword's case normalised, when that changes it.
  std::optional<std::wstring> rewritten;
};

// `line` is the logical line read for physical line `line_number`; `selection` the pane's, in either
// order. The caret's line and the selected lines are never rewritten.
LineHighlight HighlightLine(const LogicalLine& line, long line_number, const Selection& selection,
                            const HighlightOptions& options);

// A directive comment in a physical line's code part `p`: the keyword head p[0, head_end), of which
// p[word_start, head_end) is the keyword after "#". `comment_above`: the logical line starts with a
// comment, so that a continuation line is part of it.
struct Directive {
  std::size_t word_start = 0;
  std::size_t head_end = 0;
};
std::optional<Directive> FindDirective(std::wstring_view p, bool comment_above);

// Each blank-separated word capitalised ("'#include file" -> "'#Include File"); runs of blanks kept.
std::wstring FormatDirectives(std::wstring_view text);

}  // namespace qv
