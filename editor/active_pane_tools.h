#pragma once
// The typing tools over the active code pane. Each reads the pane afresh: the tool before it may
// have changed the lines.
namespace qv {

void ApplyLineAutoInsertInActivePane(bool AtCaret);
void AutoIndentNewLineInActivePane(bool AtCaret);
void InsertAutoTextInActivePane();

}  // namespace qv
