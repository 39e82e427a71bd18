// Reads one logical line of a module made of the input and checks it against
// the module's physical lines; then runs the engine's operations on it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codetools/block_table.h"
#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "tests/codetools/format_properties.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "GetLine: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  const qv::ModuleText module(qv::test::DecodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size)));
  const long count = module.CountOfLines();
  const long line = static_cast<long>(hash % static_cast<std::uint32_t>(count + 2));
  const long length = static_cast<long>(module.Line(line).size());
  const long column =
      (hash >> 12) % 3 == 0 ? static_cast<long>((hash >> 16) % static_cast<std::uint32_t>(length + 3)) : 0;
  const qv::LogicalLine got = qv::GetLine(module, line, column);

  if (line < 1 || line > count) {
    if (!got.text.empty() || !got.code_text.empty() || got.lines_before != 0 || got.lines_after != 0) Fail("outside");
    return 0;
  }
  const long first = line - got.lines_before;
  const long last = line + got.lines_after;
  if (got.lines_before < 0 || got.lines_after < 0 || first < 1 || last > count) Fail("extent");
  if (first > 1 && qv::IsContinued(module.Line(first - 1))) Fail("a continued line above");
  if (column != 0 && last != line) Fail("read below the caret");
  if (column == 0 && last < count && qv::IsContinued(module.Line(last))) Fail("a continuation below");
  std::wstring joined;
  for (long physical = first; physical <= last; ++physical) {
    if (physical < last && !qv::IsContinued(module.Line(physical))) Fail("a line that does not continue");
    if (physical > first) joined += L"\r\n";
    std::wstring_view own = module.Line(physical);
    if (physical == line && column != 0) own = own.substr(0, static_cast<std::size_t>(column > 0 ? column - 1 : 0));
    joined += own;
  }
  if (got.text != joined) Fail("raw text");

  // The code text keeps the raw text's columns: each character is the raw
  // one or a blank, quotes come in pairs, and no line feed is left.
  const std::wstring& code = got.code_text;
  if (code.size() > joined.size() + 1) Fail("code text too long");
  std::size_t quotes = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] == L'\n') Fail("line feed in the code text");
    if (code[i] == L'"') ++quotes;
    if (code[i] != L' ' && (i >= joined.size() || code[i] != joined[i])) Fail("code text column");
  }
  if (quotes % 2 != 0) Fail("unpaired quote");

  qv::IndentEngine engine(module, {static_cast<long>(hash % 9)});
  std::wstring label;
  engine.GetLineIndent(line, got.text, code, label);
  engine.GetPrevIndent(line);
  for (const std::wstring_view statement : qv::SplitStatements(code)) {
    int kind = 0;
    const int row = qv::FindBlock(statement, -1, kind);
    if (row >= 0) engine.GetSpacesCount(0, line, static_cast<long>(hash % 4), row, kind);
  }
  return 0;
}
