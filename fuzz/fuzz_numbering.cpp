// Numbers every procedure of a module (ANSI bytes, CR LF or LF) from a start and step taken from
// the input, and aborts when numbering breaks one of its properties:
// - a second run writes nothing;
// - the numbers of the body go up from the start by the step;
// - every line outside the body stays as it was, and so does the End line but for its jumps;
// - taking the numbers off a body that had none gives it back but for leading blanks;
// - a jump whose number one statement carried names that statement afterwards, which still carries
//   a number: over the whole body, and as Enter below a numbered statement numbers the new line and
//   renumbers what follows.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/jump_targets.h"
#include "codetools/line_numbering.h"
#include "codetools/logical_line.h"
#include "codetools/procedure_body.h"
#include "kit/vb_strings.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/memory_module.h"
#include "tests/codetools/procedures.h"

namespace {

using qv::ModuleText;
using qv::ProcedureInfo;

[[noreturn]] void Fail(const char* property, const ProcedureInfo& procedure) {
  std::fprintf(stderr, "broken in the procedure whose header is line %ld: %s\n", procedure.body_line, property);
  std::abort();
}

std::wstring Written(const ModuleText& module, const std::optional<qv::CodeEdit>& edit) {
  qv::MemoryModule written(module.Text());
  if (edit) written.Write(*edit);
  return written.Text();
}

// Lines outside first..end-1 are the same in both texts, which have as many lines.
bool SameOutside(const std::wstring& before, const std::wstring& after, long first, long end) {
  const std::vector<std::wstring> a = qv::test::LinesOf(before);
  const std::vector<std::wstring> b = qv::test::LinesOf(after);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto line = static_cast<long>(i + 1);
    if ((line < first || line >= end) && a[i] != b[i]) return false;
  }
  return true;
}

// A statement from the body's first line through the End line, with what numbering must keep.
struct Statement {
  long first = 0;
  long last = 0;
  std::wstring number;              // in column 1; "" without one
  std::vector<std::wstring> jumps;  // the line numbers its jumps name
  bool directive = false;           // #If, #Const: no host takes a number on it
};

// The procedure's statements from its first body line through its End line, or its last line.
std::vector<Statement> Statements(const ModuleText& module, const qv::ProcedureBody& body) {
  std::vector<Statement> statements;
  const long last = body.end_line >= body.first_line ? body.end_line : body.last_line;
  for (long line = body.first_line; line <= last;) {
    const qv::LogicalLine logical = qv::GetLine(module, line);
    Statement& statement = statements.emplace_back();
    statement.first = line;
    statement.last = line + logical.lines_after;
    const std::wstring_view piece = module.Line(line);
    statement.number = piece.substr(0, qv::LineNumberLength(piece, logical.code_text));
    for (const qv::TextSpan& jump : qv::FindJumpTargets(logical.code_text)) {
      statement.jumps.push_back(logical.code_text.substr(jump.position, jump.length));
    }
    statement.directive = qv::TrimBlanks(logical.code_text).starts_with(L'#');
    line = statement.last + 1;
  }
  return statements;
}

// The statement starting on `line`, or null.
const Statement* At(const std::vector<Statement>& statements, long line) {
  for (const Statement& statement : statements) {
    if (statement.first == line) return &statement;
  }
  return nullptr;
}

// Each jump of `before` whose number one statement carried names that statement in `after`, where
// lines below `inserted` moved one down (0: none was inserted).
void CheckJumps(const std::vector<Statement>& before, const std::vector<Statement>& after, long inserted,
                const ProcedureInfo& procedure) {
  const auto moved = [&](long line) { return inserted != 0 && line >= inserted ? line + 1 : line; };
  for (const Statement& jumping : before) {
    const Statement* now = At(after, moved(jumping.first));
    if (jumping.jumps.empty()) continue;
    if (!now || now->jumps.size() != jumping.jumps.size()) Fail("a statement's jumps changed", procedure);
    for (std::size_t k = 0; k < jumping.jumps.size(); ++k) {
      const Statement* target = nullptr;
      int carriers = 0;
      for (const Statement& statement : before) {
        if (statement.number != jumping.jumps[k]) continue;
        ++carriers;
        target = &statement;
      }
      if (carriers != 1 || target->directive) continue;
      const Statement* target_now = At(after, moved(target->first));
      if (!target_now || target_now->number.empty()) Fail("a statement that a jump names lost its number", procedure);
      if (target_now->number != now->jumps[k]) Fail("a jump names another statement", procedure);
    }
  }
}

// The column-1 numbers of the statements above `end`, in order.
std::vector<std::wstring> Numbers(const std::vector<Statement>& statements, long end) {
  std::vector<std::wstring> numbers;
  for (const Statement& statement : statements) {
    if (statement.first < end && !statement.number.empty()) numbers.push_back(statement.number);
  }
  return numbers;
}

void CheckWhole(const ModuleText& module, const ProcedureInfo& procedure, const qv::NumberingRequest& request) {
  const qv::ProcedureBody body = qv::ReadBody(module, procedure);
  const long end = body.end_line != 0 ? body.end_line : body.last_line + 1;
  const std::wstring before = module.Text();
  const qv::NumberingResult added = qv::AddLineNumbers(module, procedure, request);
  if (added.refused) Fail("small numbers were refused", procedure);
  const ModuleText numbered(Written(module, added.edit));
  const std::wstring once = numbered.Text();
  const std::vector<Statement> statements = Statements(module, body);
  const Statement* end_line = body.end_line >= body.first_line ? At(statements, body.end_line) : nullptr;
  const long changeable = end_line && !end_line->jumps.empty() ? end + 1 : end;
  if (!SameOutside(before, once, body.first_line, changeable)) Fail("a line outside the body changed", procedure);
  std::int64_t expected = request.NumerationStart;
  const std::vector<Statement> after = Statements(numbered, body);
  CheckJumps(statements, after, 0, procedure);
  for (const std::wstring& number : Numbers(after, end)) {
    if (number != std::to_wstring(expected)) Fail("the numbers do not go up by the step", procedure);
    expected += request.NumerationStep;
  }
  if (qv::AddLineNumbers(numbered, procedure, request).edit) Fail("a second run wrote again", procedure);
  if (!Numbers(statements, end).empty()) return;
  const std::vector<std::wstring> original = qv::test::LinesOf(before);
  const std::vector<std::wstring> removed =
      qv::test::LinesOf(Written(numbered, qv::RemoveLineNumbers(numbered, procedure)));
  if (removed.size() != original.size()) Fail("removal changed the line count", procedure);
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (qv::LTrimBlanks(removed[i]) != qv::LTrimBlanks(original[i])) Fail("removal left more than blanks", procedure);
  }
}

// Enter at the end of the numbered statement `typed` leaves an empty line below it, which the two
// range passes number, renumbering the numbered lines that follow.
void CheckEnter(const ModuleText& module, std::size_t index, const Statement& typed,
                const qv::NumberingRequest& request) {
  std::vector<std::wstring> lines = qv::test::LinesOf(module.Text());
  lines.insert(lines.begin() + typed.last, L"");
  std::wstring text;
  for (const std::wstring& line : lines) text += (&line == lines.data() ? L"" : L"\r\n") + line;
  qv::MemoryModule entered(text);
  if (qv::test::WithProcedures(text).procedures().size() != module.procedures().size()) return;
  const std::int64_t number = std::stoll(typed.number);
  const long below = typed.last + 1;
  const qv::NumberingRequest passes[] = {{number + request.NumerationStep, below, below + 1, false,
                                          request.NumerationStart, request.NumerationStep, below},
                                         {number + 2 * request.NumerationStep, below + 1, 0, false,
                                          request.NumerationStart, request.NumerationStep, below}};
  const ProcedureInfo& procedure = module.procedures().at(index);
  for (const qv::NumberingRequest& pass : passes) {
    const ModuleText now = qv::test::WithProcedures(entered.Text());
    const qv::NumberingResult result = qv::AddLineNumbers(now, now.procedures().at(index), pass);
    if (result.refused) Fail("Enter's numbers were refused", procedure);
    if (result.edit) entered.Write(*result.edit);
  }
  const ModuleText after = qv::test::WithProcedures(entered.Text());
  CheckJumps(Statements(module, qv::ReadBody(module, procedure)),
             Statements(after, qv::ReadBody(after, after.procedures().at(index))), below, procedure);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  qv::NumberingRequest request;
  request.UseSkipList = (hash & 1) != 0;
  request.NumerationStart = (hash >> 1) % 1000;
  request.NumerationStep = 1 + (hash >> 11) % 100;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ModuleText module = qv::test::WithProcedures(qv::test::DecodeAnsi(bytes));
  for (std::size_t index = 0; index < module.procedures().size(); ++index) {
    const ProcedureInfo& procedure = module.procedures()[index];
    CheckWhole(module, procedure, request);
    // Enter below a statement of the body numbered in digits, whose numbers stay within 32 bits.
    const qv::ProcedureBody body = qv::ReadBody(module, procedure);
    for (const Statement& statement : Statements(module, body)) {
      const std::wstring& number = statement.number;
      if (number.empty() || number.size() > 9 || number.find_first_not_of(L"0123456789") != std::wstring::npos ||
          statement.first == body.end_line || statement.last > body.last_line || (hash++ & 3) != 0) {
        continue;
      }
      CheckEnter(module, index, statement, request);
    }
  }
  return 0;
}
