#include "editor/active_pane_tools.h"

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "codetools/auto_indent.h"
#include "codetools/auto_text.h"
#include "codetools/line_rewrite.h"
#include "host/host_code_pane.h"
#include "host/host_module_view.h"

namespace qv {
namespace {

template <class Tool>
void RunOnActivePane(Tool&& tool) {
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return;
  HostCodePane members(pane);
  const HostModuleView module(pane.CodeModule());
  tool(module, members, State().settings);
}

}  // namespace

void ApplyLineAutoInsertInActivePane(bool AtCaret) {
  RunOnActivePane([&](const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings) {
    ApplyLineAutoInsert(AtCaret, module, pane, settings);
  });
}

void AutoIndentNewLineInActivePane(bool AtCaret) {
  RunOnActivePane([&](const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings) {
    AutoIndentNewLine(AtCaret, module, pane, settings);
  });
}

void InsertAutoTextInActivePane() {
  RunOnActivePane([](const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings) {
    ActivePaneTemplateHost names;
    InsertAutoText(module, pane, Tables().AutoInserts, settings, names);
  });
}

}  // namespace qv
