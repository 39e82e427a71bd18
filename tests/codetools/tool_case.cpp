#include "tests/codetools/tool_case.h"

#include <gtest/gtest.h>

namespace qv::test {

void CheckTool(const ToolCase& c, const std::function<void(MemoryPane&)>& tool) {
  SCOPED_TRACE(testing::Message() << testing::PrintToString(c.text) << " caret " << c.caret.start_line << ":"
                                  << c.caret.start_column);
  MemoryPane pane(c.text, c.caret);
  tool(pane);
  const Selection after = pane.GetSelection();
  const Selection& wanted = c.expected.empty() ? c.caret : c.after;
  if (c.expected.empty()) {
    EXPECT_EQ(pane.writes(), 0);
    EXPECT_EQ(pane.Text(), c.text);
  } else {
    EXPECT_EQ(pane.Text(), c.expected);
  }
  EXPECT_EQ(after.start_line, wanted.start_line);
  EXPECT_EQ(after.start_column, wanted.start_column);
  EXPECT_EQ(after.end_line, wanted.end_line);
  EXPECT_EQ(after.end_column, wanted.end_column);
}

}  // namespace qv::test
