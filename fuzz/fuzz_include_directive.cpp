// Parses each line of the input as a directive and rewrites what parses: the span a rewrite
// replaces lies in the line and holds the directive, and a rewritten line is the same directive in
// its new form, with everything around the span kept.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "codetools/include_directive.h"
#include "kit/case_fold.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "include directive: %s\n", what);
  std::abort();
}

void Check(std::wstring_view line) {
  const std::optional<qv::IncludeDirective> directive = qv::ParseIncludeDirective(line);
  if (!directive) return;
  const qv::IncludeDirective& d = *directive;
  if (d.start > line.size() || d.length > line.size() - d.start) Fail("span outside the line");
  const std::wstring_view span = line.substr(d.start, d.length);
  if (!qv::FoldCase(span).starts_with(L"#include ")) Fail("span does not start with the directive");
  if (!span.ends_with(d.argument)) Fail("span does not end with the argument");
  const std::wstring brackets = d.angle ? L"<>" : L"\"\"";
  if (d.name.empty() || d.name.find(L'\0') != std::wstring::npos ||
      d.argument != brackets.substr(0, 1) + d.name + brackets.substr(1)) {
    Fail("argument and name");
  }
  for (const qv::IncludeTag tag : {qv::IncludeTag::kFull, qv::IncludeTag::kRelated}) {
    const std::wstring rewritten = qv::RewriteIncludeDirective(line, d, tag);
    if (!rewritten.starts_with(line.substr(0, d.start)) || !rewritten.ends_with(line.substr(d.start + d.length))) {
      Fail("rewrite changed the rest of the line");
    }
    const std::optional<qv::IncludeDirective> again = qv::ParseIncludeDirective(rewritten);
    if (!again || again->tag != tag || again->argument != d.argument || again->commented != d.commented ||
        again->continued != d.continued) {
      Fail("a rewritten line is another directive");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring line;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i == size || data[i] == '\n') {
      Check(line);
      line.clear();
    } else {
      line.push_back(static_cast<wchar_t>(data[i] < 0x80 ? data[i] : data[i] - 0x80 + 0x400));
    }
  }
  return 0;
}
