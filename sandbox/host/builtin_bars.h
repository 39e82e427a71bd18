#pragma once
// The host's own bars and controls: what is there at start, when a built-in control is enabled,
// and what its Execute does.
namespace sbx {

class CommandBarsObject;
class HostState;

enum class BuiltIn {
  kNone,         // a control an add-in made
  kCommand,      // a host command the sandbox does not imitate; always enabled
  kCodeCommand,  // likewise, enabled while a code window is active
  kSave,
  kUndo,
  kRedo,
  kToggleBreakpoint,
  kCommentBlock,
  kUncommentBlock,
  kToggleBookmark,
  kNextBookmark,
  kPreviousBookmark,
  kClearBookmarks,
};

// Builds the bars the personality shows at start, and the bars an add-in left from an earlier run.
void AddStartBars(HostState& state, CommandBarsObject& bars);
// Computed on every read.
bool BuiltInEnabled(BuiltIn command, HostState& state);
void RunBuiltIn(BuiltIn command, HostState& state);

}  // namespace sbx
