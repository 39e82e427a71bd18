#include "codetools/line_numbering.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "codetools/jump_targets.h"
#include "codetools/logical_line.h"
#include "codetools/procedure_body.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

// Line numbers are whole numbers of at most 32 bits.
constexpr std::int64_t kLargestNumber = 2147483647;

// Old line number to new, for the jump targets.
using Renumbering = std::unordered_map<std::wstring, std::wstring>;

// One logical line of the body as a pass rewrites it.
struct BodyLine {
  long first = 0;
  long last = 0;
  std::wstring text;  // its physical lines joined by CR LF
  std::wstring code;
  std::size_t number = 0;       // the length of its line number in column 1; 0 without one
  std::vector<TextSpan> jumps;  // the line numbers its jumps name, in `code`
  // A number put in front would break it: it starts with a label or a number after blanks, it is
  // a directive comment ('#Region) or a compiler directive (#If, #Const), which neither host takes
  // with a number, or a lone "_" that would join the line below.
  bool keeps_front = false;
  bool end = false;     // the End line: never numbered, but its jumps follow their lines
  bool walked = false;  // the pass numbers or unnumbers it
  std::wstring new_number;
  bool changed = false;
};

// The body's logical lines from the first below the header to the one before the End line (or the
// procedure's last line, when it has none).
class Body {
 public:
  Body(const CodeModuleView& module, const ProcedureInfo& procedure) {
    const ProcedureBody extent = ReadBody(module, procedure);
    const long end = extent.end_line != 0 ? extent.end_line : extent.last_line + 1;
    lines_.reserve(static_cast<std::size_t>(std::max(end - extent.first_line + 1, 0L)));
    for (long line = extent.first_line; line < end;) {
      LogicalLine logical = GetLine(module, line);
      // A statement continued past the procedure's end is not its to rewrite.
      if (line + logical.lines_after >= end) break;
      line = Read(module, line, std::move(logical)).last + 1;
    }
    if (extent.end_line >= extent.first_line) {
      Read(module, extent.end_line, GetLine(module, extent.end_line)).end = true;
    }
  }

  std::vector<BodyLine>& lines() { return lines_; }

  // The line numbers that the procedure's jumps name.
  std::unordered_set<std::wstring> Targets() const {
    std::unordered_set<std::wstring> targets;
    for (const BodyLine& line : lines_) {
      for (const TextSpan& jump : line.jumps) targets.emplace(line.code.substr(jump.position, jump.length));
    }
    return targets;
  }

  // Writes each line anew: a walked line's number blanked, the targets of `renumbered` followed,
  // the new number put in front. Gives how far the statement on `caret_line` moved right.
  long Rewrite(const Renumbering& renumbered, long caret_line) {
    long shift = 0;
    for (BodyLine& line : lines_) {
      const bool unnumbered = line.walked && line.number > 0;
      if (!unnumbered && renumbered.empty() && line.new_number.empty()) continue;
      std::wstring text = line.text;
      if (unnumbered) text.replace(0, line.number, line.number, L' ');
      if (!renumbered.empty()) FollowTargets(line, text, renumbered);
      if (!line.new_number.empty()) {
        // In front of the statement, which keeps its column when there is room.
        const std::size_t indent = LeadingBlanks(text);
        const std::size_t width = line.new_number.size();
        const std::size_t gap = indent <= width ? 1 : indent - width;
        if (line.first == caret_line) shift = static_cast<long>(width + gap) - static_cast<long>(indent);
        text.replace(0, indent, gap, L' ');
        text.insert(0, line.new_number);
      }
      if (text != line.text) {
        line.text = std::move(text);
        line.changed = true;
      }
    }
    return shift;
  }

  // The walked lines and any other changed line, as one replacement; none when nothing changed.
  std::optional<CodeEdit> Edit(long column_shift) const {
    const auto in_edit = [](const BodyLine& line) { return line.walked || line.changed; };
    if (std::none_of(lines_.begin(), lines_.end(), [](const BodyLine& line) { return line.changed; })) {
      return std::nullopt;
    }
    const auto first = std::find_if(lines_.begin(), lines_.end(), in_edit);
    const auto last = std::find_if(lines_.rbegin(), lines_.rend(), in_edit).base();
    CodeEdit edit;
    edit.first_line = first->first;
    edit.last_line = (last - 1)->last;
    edit.column_shift = column_shift;
    std::size_t size = 0;
    for (auto line = first; line != last; ++line) size += line->text.size() + 2;
    edit.text.reserve(size);
    for (auto line = first; line != last; ++line) {
      if (line != first) edit.text += L"\r\n";
      edit.text += line->text;
    }
    return edit;
  }

 private:
  BodyLine& Read(const CodeModuleView& module, long line, LogicalLine logical) {
    BodyLine& body = lines_.emplace_back();
    body.first = line;
    body.last = line + logical.lines_after;
    const std::wstring_view first_piece = module.Line(line);
    body.number = LineNumberLength(first_piece, logical.code_text);
    body.jumps = FindJumpTargets(logical.code_text);
    const std::size_t code_start = LeadingBlanks(logical.code_text);
    const wchar_t lead = code_start < logical.code_text.size() ? logical.code_text[code_start] : L' ';
    body.keeps_front = (body.number == 0 && LabelLength(first_piece, logical.code_text) > 0) || lead == L'\'' ||
                       lead == L'#' || IsLoneUnderscore(first_piece, line, module.CountOfLines());
    body.text = std::move(logical.text);
    body.code = std::move(logical.code_text);
    return body;
  }

  static void FollowTargets(const BodyLine& line, std::wstring& text, const Renumbering& renumbered) {
    // From the right, so that a longer number leaves the positions to its left where they were.
    for (auto jump = line.jumps.rbegin(); jump != line.jumps.rend(); ++jump) {
      const auto found = renumbered.find(line.code.substr(jump->position, jump->length));
      if (found != renumbered.end()) text.replace(jump->position, jump->length, found->second);
    }
  }

  std::vector<BodyLine> lines_;
};

std::wstring NumberText(std::int64_t number) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return std::wstring(static_cast<const char*>(digits), end);
}

bool OnSkipList(std::wstring_view statement) {
  statement.remove_prefix(LeadingBlanks(statement));
  for (const std::wstring_view declaration : {L"Dim ", L"Static "}) {
    if (statement.starts_with(declaration) && statement.find(L" New ") == std::wstring_view::npos) return true;
  }
  for (const std::wstring_view start : {L"Exit ", L"Next ", L"On Error ", L"Resume ", L"End "}) {
    if (statement.starts_with(start)) return true;
  }
  const std::wstring whole = TrimBlanks(statement);
  for (const std::wstring_view word : {L"Do", L"Loop", L"Next", L"Wend", L"Resume", L"Else"}) {
    if (whole == word) return true;
  }
  return false;
}

}  // namespace

bool SkipLineNumber(std::wstring_view Code, bool UseSkipList) {
  if (!UseSkipList) return false;
  const std::vector<std::wstring_view> statements = SplitStatements(Code);
  return std::all_of(statements.begin(), statements.end(), OnSkipList);
}

NumberingResult AddLineNumbers(const CodeModuleView& module, const ProcedureInfo& procedure,
                               const NumberingRequest& request) {
  NumberingResult result;
  const bool whole = request.StartNumber == -1;
  std::int64_t number = whole ? request.NumerationStart : request.StartNumber;
  const std::int64_t step = request.NumerationStep;
  if (step <= 0 || number < 0 || number > kLargestNumber) {
    result.refused = true;
    return result;
  }
  const bool renumber_only = !whole && request.LastLine == 0;
  const long first = whole ? 0 : request.FirstLine;
  const long before = whole || request.LastLine == 0 ? std::numeric_limits<long>::max() : request.LastLine;

  Body body(module, procedure);
  std::unordered_set<std::wstring> targets = body.Targets();
  Renumbering renumbered;
  for (BodyLine& line : body.lines()) {
    if (line.end || line.last < first || line.first >= before) continue;
    line.walked = true;
    if (line.keeps_front) continue;
    // A line that a jump names keeps a number, which the jump follows: freed, its number would go
    // to a later line and send the jump there. Of lines that carry the same number, the first.
    const bool named = line.number > 0 && targets.erase(line.text.substr(0, line.number)) > 0;
    const bool skipped = whole ? !HasStatement(line.code) : renumber_only && line.number == 0;
    if (!named && (skipped || SkipLineNumber(line.code, request.UseSkipList))) continue;
    // Numbers past 32 bits would be no line numbers, and wrapped ones would repeat.
    if (number > kLargestNumber) {
      result.refused = true;
      return result;
    }
    line.new_number = NumberText(number);
    number += step;
    if (line.number > 0 && line.text.compare(0, line.number, line.new_number) != 0) {
      renumbered.emplace(line.text.substr(0, line.number), line.new_number);
    }
    if (line.first <= request.caret_line && request.caret_line <= line.last) result.caret_numbered = true;
  }
  result.edit = body.Edit(body.Rewrite(renumbered, request.caret_line));
  return result;
}

std::optional<CodeEdit> RemoveLineNumbers(const CodeModuleView& module, const ProcedureInfo& procedure) {
  Body body(module, procedure);
  for (BodyLine& line : body.lines()) line.walked = !line.end;
  body.Rewrite({}, 0);
  return body.Edit(0);
}

}  // namespace qv
