#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "codetools/module_view.h"

namespace qv {

// Where a template's names come from: the host at the moment of insertion.
class TemplateHost {
 public:
  virtual ~TemplateHost() = default;
  // The active code pane's module; null when there is none.
  virtual const CodeModuleView* CodePane() = 0;
  // nullopt when the host has no active project or no selected component.
  virtual std::optional<std::wstring> ProjectName() = 0;
  virtual std::optional<std::wstring> ComponentName() = 0;
};

// The procedure that holds `line` and its kind as the host reports them, with
// member_type "Sub", "Function" or "Property" from its header; "" outside
// procedures, where kind and member_type are left alone.
std::wstring GetProcName(const CodeModuleView& module, long line, long& kind, std::wstring& member_type);

// Expands the placeholders of a template, in this order: "(Tab)" to
// IndentWidth blanks, "(CrLf)" to CR LF and `indent` blanks, "(MemberName)"
// and "(MemberType)" for the procedure at `line`, "(ProjectName)",
// "(ComponentName)". A placeholder whose source is missing stays as written.
std::wstring ExpandTemplate(std::wstring_view text, long line, long indent, long IndentWidth, TemplateHost& host);

// The line of an expanded template where the user goes on typing: its first line of blanks only
// (the body between the custom code's statements), counted from 0; nullopt when it has none.
std::optional<long> FirstEmptyLine(std::wstring_view expanded);

}  // namespace qv
