#pragma once

namespace qv {

// The selection of the code pane, lines and columns from 1.
struct Selection {
  long start_line = 0;
  long start_column = 1;
  long end_line = 0;
  long end_column = 1;
};

}  // namespace qv
