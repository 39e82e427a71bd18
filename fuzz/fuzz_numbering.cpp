// Numbers every procedure of a module (ANSI bytes, CR LF or LF) from a start and step taken from
// the input, and aborts when numbering breaks one of its properties:
// - a second run writes nothing;
// - the numbers of the body go up from the start by the step;
// - the End line and every line outside the body stay as they were;
// - taking the numbers off a body that had none gives it back but for leading blanks.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/line_numbering.h"
#include "codetools/logical_line.h"
#include "codetools/procedure_body.h"
#include "kit/vb_strings.h"
#include "tests/codetools/format_properties.h"
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

// The column-1 numbers of the body's statements, in order.
std::vector<std::wstring> Numbers(const ModuleText& module, long first, long end) {
  std::vector<std::wstring> numbers;
  for (long line = first; line < end;) {
    const qv::LogicalLine logical = qv::GetLine(module, line);
    const std::wstring_view piece = module.Line(line);
    const std::size_t length = qv::LineNumberLength(piece, logical.code_text);
    if (length > 0) numbers.emplace_back(piece.substr(0, length));
    line += logical.lines_after + 1;
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
  if (!SameOutside(before, once, body.first_line, end)) Fail("a line outside the body changed", procedure);
  std::int64_t expected = request.NumerationStart;
  for (const std::wstring& number : Numbers(numbered, body.first_line, end)) {
    if (number != std::to_wstring(expected)) Fail("the numbers do not go up by the step", procedure);
    expected += request.NumerationStep;
  }
  if (qv::AddLineNumbers(numbered, procedure, request).edit) Fail("a second run wrote again", procedure);
  if (!Numbers(module, body.first_line, end).empty()) return;
  const std::vector<std::wstring> original = qv::test::LinesOf(before);
  const std::vector<std::wstring> removed =
      qv::test::LinesOf(Written(numbered, qv::RemoveLineNumbers(numbered, procedure)));
  if (removed.size() != original.size()) Fail("removal changed the line count", procedure);
  for (std::size_t i = 0; i < original.size(); ++i) {
    if (qv::LTrimBlanks(removed[i]) != qv::LTrimBlanks(original[i])) Fail("removal left more than blanks", procedure);
  }
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
  for (const ProcedureInfo& procedure : module.procedures()) CheckWhole(module, procedure, request);
  return 0;
}
