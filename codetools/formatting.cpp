// Formatting: one pass over whole logical lines, each line's indentation
// from the running indentation and its first statement, the new text built in
// memory and handed back for one write.
#include <algorithm>

#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {

long AppendIndented(std::wstring& out, std::wstring_view line, std::size_t label_length, std::int64_t indent,
                    bool lone_underscore) {
  const std::size_t blanks = LeadingBlanks(line);
  // A label left where it stood, or brought to column 1, would be read otherwise by the next run.
  const std::size_t label = blanks == 0 || indent == 0 ? label_length : 0;
  std::int64_t gap = std::max<std::int64_t>(indent - static_cast<std::int64_t>(label), 0);
  if (label > 0) gap = std::max<std::int64_t>(gap, 1);
  if (lone_underscore) gap = 0;
  const std::wstring_view text = line.substr(blanks);
  const std::wstring_view rest = text.substr(label);
  const std::size_t after = LeadingBlanks(rest);
  out += text.substr(0, label);
  out.append(static_cast<std::size_t>(gap), L' ');
  out += rest.substr(after);
  return static_cast<long>(gap) - static_cast<long>(blanks + after);
}

FormatResult IndentEngine::Format(const FormatRequest& request) {
  if (!lines_.empty()) {
    // What an earlier run computed may rest on lines it rewrote.
    lines_.clear();
    statements_.clear();
    slots_.clear();
    index_ = std::make_unique<PagedIndex>(count_);
  }
  format_text_.clear();
  fresh_lines_.clear();
  format_end_ = 0;
  const Selection& selection = request.selection;
  format_start_ = request.incremental ? request.FormatStart : selection.start_line;

  FormatResult result;
  result.FormatStart = format_start_;
  if (format_start_ < 1 || format_start_ > count_) return result;
  format_start_ = FirstOf(format_start_);
  const long first = format_start_;
  std::int64_t indent = GetPrevIndent(first - 1);
  const long last = request.incremental ? count_ : std::min(selection.end_line, count_);
  if (!request.incremental && last >= first) {
    const auto lines = static_cast<std::size_t>(last - first + 1);
    lines_.reserve(lines);
    statements_.reserve(lines + lines / 2);
    slots_.reserve(4 * lines);
    fresh_lines_.reserve(lines);
    std::size_t size = 0;
    for (long physical = first; physical <= last; ++physical) size += module_.Line(physical).size() + 8;
    format_text_.reserve(size);
  }
  long line = first;
  long shift = 0;
  bool appended = false;
  while (line <= last) {
    const std::int32_t index = LineAt(line);
    const Logical logical = lines_[static_cast<std::size_t>(index)];
    if (logical.statement_count > 0) {
      const Statement opening = statements_[logical.statement_begin];
      Node opener;
      if (opening.close_row >= 0 && OpenerOf(index, 0, opener)) indent = Value(opener) + CaseStep(opening);
    }
    indent = std::clamp<std::int64_t>(indent, 0, kMaxIndent);
    const std::int64_t current = Value({index, 0, false});

    if (request.incremental && indent == current) {
      if (line != first) break;
      format_start_ = logical.last + 1;
    } else {
      const std::int64_t delta = indent - current;
      if (line == selection.start_line)
        shift = static_cast<long>(std::max<std::int64_t>(delta, 1 - selection.start_column));
      for (long physical = line; physical <= logical.last; ++physical) {
        if (appended) format_text_ += L"\r\n";
        appended = true;
        const std::size_t offset = format_text_.size();
        std::wstring_view piece = module_.Line(physical);
        const bool continued = physical < logical.last;
        if (continued) piece.remove_suffix(2);
        if (physical == line) {
          AppendIndented(format_text_, piece, logical.label_length, indent, logical.bare_underscore);
        } else {
          const std::int64_t own = static_cast<std::int64_t>(LeadingBlanks(piece));
          const std::wstring_view text = piece.substr(LeadingBlanks(piece));
          const bool joins = IsLoneUnderscore(module_.Line(physical), physical, count_);
          format_text_.append(joins ? 0 : static_cast<std::size_t>(std::max<std::int64_t>(own + delta, 0)), L' ');
          format_text_ += text;
        }
        if (continued) format_text_ += L" _";
        fresh_lines_.emplace_back(offset, format_text_.size() - offset);
      }
      format_end_ = line;
    }

    for (std::uint32_t statement = 0; statement < logical.statement_count; ++statement) {
      if (statement == 0) {
        if (statements_[logical.statement_begin].open_row >= 0) indent += indent_width_;
      } else {
        indent = Step(indent, index, statement);
      }
    }
    line = logical.last + 1;
  }
  result.FormatStart = format_start_;
  result.FormatEnd = format_end_;
  result.last_line = line - 1;
  result.column_shift = shift;
  result.FormatText = std::move(format_text_);
  format_text_.clear();
  fresh_lines_.clear();
  return result;
}

FormatResult Formatting(const CodeModuleView& module, const FormatRequest& request, const IndentSettings& settings) {
  return IndentEngine(module, settings).Format(request);
}

}  // namespace qv
