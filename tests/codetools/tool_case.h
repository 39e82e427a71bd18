#pragma once

#include <functional>
#include <string>

#include "tests/codetools/memory_pane.h"

namespace qv::test {

// A line tool's run on a pane: the module and caret before, and the text and
// selection it should leave; an empty `expected` asks that nothing be
// written and the caret stay.
struct ToolCase {
  std::wstring text;
  Selection caret;
  std::wstring expected;
  Selection after;
};

inline Selection At(long line, long column) { return {line, column, line, column}; }

void CheckTool(const ToolCase& c, const std::function<void(MemoryPane&)>& tool);

}  // namespace qv::test
