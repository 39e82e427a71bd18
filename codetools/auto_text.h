#pragma once

#include <optional>
#include <string>

#include "codetools/caret_line.h"
#include "codetools/module_view.h"
#include "codetools/code_pane_members.h"
#include "codetools/templates.h"
#include "kit/keyed_collection.h"
#include "kit/settings.h"

namespace qv {

// The caret's physical line when a blank has just been typed left of the caret.
struct TypedLine {
  long line = 0;
  long caret_column = 1;
  std::wstring text;
  // The code text of the line's columns left of the caret (strings blanked),
  // shorter where a comment or an unterminated string begins.
  std::wstring code;
};

TypedLine ReadTypedLine(const CodeModuleView& module, const Selection& selection);

// Replaces the word before the typed blank by its expansion from AutoInserts
// (key without regard to letter case), expanded as a template at the line's
// indentation. The word starts after the last blank before it, or, when there
// is none, after the last ":", "+", "-", "/", "*" or "," (the first of these
// kinds that occurs). The part of the expansion marked by "{" and "}" is
// selected; without marks the caret follows the expansion's first line. What
// stood right of the caret follows a one-line expansion, and goes onto a line
// of its own, at the line's indentation, below one of several lines. A word in
// a string literal or a comment is left alone. nullopt when nothing is
// expanded.
std::optional<LineEdit> ExpandAbbreviation(const TypedLine& typed, const KeyedCollection<std::wstring>& AutoInserts,
                                           long IndentWidth, TemplateHost& host);

// On the release of Space: expands the abbreviation left of the caret in the pane.
void InsertAutoText(const CodeModuleView& module, CodePaneMembers& pane,
                    const KeyedCollection<std::wstring>& AutoInserts, const Settings& settings, TemplateHost& host);

}  // namespace qv
