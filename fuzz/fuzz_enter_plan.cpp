// Plans Enter at a caret and with options taken from a hash of the input, over the input as a module
// (ANSI bytes), writes the plan and aborts when a property breaks:
// - the caret's line keeps its text left of the caret byte for byte, and no other line changes;
// - the new line holds blanks (and a comment's mark) up to the caret, then the text that stood right
//   of the caret, or the "." that ends a comment block;
// - the caret never stood inside a string literal, so no literal is cut.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codetools/enter_plan.h"
#include "codetools/logical_line.h"
#include "kit/vb_strings.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/memory_module.h"

namespace {

[[noreturn]] void Fail(const char* property, long line, long column) {
  std::fprintf(stderr, "broken: %s at %ld:%ld\n", property, line, column);
  std::abort();
}

// Whether the caret stands between a literal's quotes: before the logical line's code part ends, and
// after an odd number of quotes of that logical line, whose code text keeps the raw text's columns. A
// literal runs on across a " _" as the continuation rule reads it.
bool InLiteral(const qv::ModuleText& module, long line, std::size_t column) {
  const std::size_t caret = qv::GetLine(module, line, 1).text.size() + column;  // the caret's line starts above it
  const qv::LogicalLine logical = qv::GetLine(module, line);
  if (caret >= logical.code_text.size()) return false;
  return std::count(logical.text.begin(), logical.text.begin() + static_cast<std::ptrdiff_t>(caret), L'"') % 2 == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qv::ModuleText module(qv::test::DecodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size)));
  const long count = module.CountOfLines();
  if (count == 0) return 0;
  std::uint64_t hash = 14695981039346656037u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211u;
  const auto roll = [&hash](std::size_t n) {
    hash = hash * 6364136223846793005u + 1442695040888963407u;
    return static_cast<long>((hash >> 33) % n);
  };
  const long line = roll(static_cast<std::size_t>(count)) + 1;
  const std::wstring_view physical = module.Line(line);
  const long column = roll(physical.size() + 2);
  qv::Settings settings;
  settings.AutoInsert = true;
  settings.AutoInsert_Comment = roll(2) != 0;
  settings.AutoInsert_EndConstructions = roll(2) != 0;
  settings.AutoIndent = roll(2) != 0;
  settings.IndentWidth = static_cast<std::int32_t>(roll(12) - 2);
  const std::wstring_view cur = physical.substr(0, static_cast<std::size_t>(std::max(column - 1, 0L)));
  const std::wstring rest = qv::LTrimBlanks(physical.substr(cur.size()));

  const qv::EnterPlan plan = qv::PlanEnter(module, line, column, rest, settings);
  if (!plan.swallow) return 0;
  const long caret = plan.caret.start_column;
  if (plan.line != line || plan.caret.start_line != line + 1 || caret < 1) Fail("the caret", line, column);
  if (InLiteral(module, line, cur.size())) Fail("a string literal was cut", line, column);

  qv::MemoryModule after(module.Text());
  after.Write({line, line, plan.text, 0});
  const long added = plan.closer_inserted ? 2 : 1;
  if (after.CountOfLines() != count + added) Fail("the line count", line, column);
  if (after.Line(line) != cur) Fail("the text left of the caret changed", line, column);
  for (long other = 1; other <= count; ++other) {
    if (other != line && after.Line(other > line ? other + added : other) != module.Line(other)) {
      Fail("another line changed", line, column);
    }
  }
  const std::wstring_view made = after.Line(line + 1);
  const std::size_t lead = static_cast<std::size_t>(caret - 1);
  if (lead > made.size() || made.substr(0, lead).find_first_not_of(L" '#") != std::wstring_view::npos) {
    Fail("the new line does not start with its indentation", line, column);
  }
  if (made.substr(lead) != rest && !(rest.empty() && made.substr(lead) == L".")) {
    Fail("the text right of the caret changed", line, column);
  }
  return 0;
}
