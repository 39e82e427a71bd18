#pragma once
// What a formatting run is asked to do and what it gives back, for the engine and its callers.
#include <optional>
#include <string>

#include "codetools/module_view.h"
#include "codetools/selection.h"

namespace qv {

struct FormatRequest {
  // Incremental: from FormatStart down to the first line that is already right;
  // otherwise the selected lines.
  bool incremental = false;
  long FormatStart = 0;  // incremental only: the line the caret has left
  Selection selection;
};

// What a run rewrote: lines FormatStart..last_line are to become FormatText,
// and the selection's columns move by column_shift. The main loop reads
// FormatStart and FormatEnd to tell whether the caret's new line was covered.
struct FormatResult {
  long FormatStart = 0;
  long FormatEnd = 0;  // first line of the last logical line written; 0 when none
  long last_line = 0;
  std::wstring FormatText;
  long column_shift = 0;

  // The edit for the writer; none when there is nothing to write.
  std::optional<CodeEdit> Edit() const;
};

}  // namespace qv
