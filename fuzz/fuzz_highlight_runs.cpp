// Highlights one physical line of a module made of the input, under a selection and user texts
// taken from it, and checks the runs against the line and the selection.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codetools/highlight_runs.h"
#include "kit/case_fold.h"
#include "tests/codetools/format_properties.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "HighlightLine: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  const std::wstring text = qv::test::DecodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size));
  const qv::ModuleText module(text);
  const long count = module.CountOfLines();
  if (count == 0) return 0;
  const long line = 1 + static_cast<long>(hash % static_cast<std::uint32_t>(count));
  const std::wstring_view physical = module.Line(line);
  const auto pick = [&](int shift, long below) { return 1 + static_cast<long>((hash >> shift) % static_cast<std::uint32_t>(below)); };
  const qv::Selection selection{pick(3, count), pick(7, 40), pick(13, count), pick(19, 40)};
  // User texts: pieces of the input itself, so that they occur.
  qv::HighlightOptions options{true, 1, true, 2, true, {}};
  for (std::size_t at = 0; at + 3 < text.size() && options.user_texts.size() < 4; at += 1 + hash % 7) {
    options.user_texts.push_back({text.substr(at, 1 + (hash >> (at % 16)) % 3), static_cast<std::int32_t>(10 + at)});
  }
  const qv::LineHighlight got = qv::HighlightLine(qv::GetLine(module, line), line, selection, options);

  std::size_t next = 0;
  for (const qv::ColourRun& run : got.runs) {
    if (run.length == 0 || run.column < next || run.column + run.length > physical.size()) Fail("run out of place");
    next = run.column + run.length;
    for (std::size_t c = run.column; c < next; ++c) {
      const long column = static_cast<long>(c) + 1;
      const auto before = [](long l1, long c1, long l2, long c2) { return l1 < l2 || (l1 == l2 && c1 < c2); };
      const qv::Selection& s = selection;
      const bool forward = !before(s.end_line, s.end_column, s.start_line, s.start_column);
      const long sl = forward ? s.start_line : s.end_line, sc = forward ? s.start_column : s.end_column;
      const long el = forward ? s.end_line : s.start_line, ec = forward ? s.end_column : s.start_column;
      if (!before(line, column, sl, sc) && before(line, column, el, ec)) Fail("a selected column painted");
    }
  }
  if (got.rewritten) {
    if (qv::FoldCase(*got.rewritten) != qv::FoldCase(physical)) Fail("rewrite changed more than case");
    const long low = std::min(selection.start_line, selection.end_line);
    const long high = std::max(selection.start_line, selection.end_line);
    if (line >= low && line <= high) Fail("a selected line rewritten");
    if (*got.rewritten == physical) Fail("a rewrite that changes nothing");
  }
  return 0;
}
