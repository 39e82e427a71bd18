#pragma once

namespace qv {

// The selection of the code pane, lines and columns from 1.
struct Selection {
  long start_line = 0;
  long start_column = 1;
  long end_line = 0;
  long end_column = 1;

  // The caret alone: no character selected.
  bool collapsed() const { return start_line == end_line && start_column == end_column; }
};

}  // namespace qv
