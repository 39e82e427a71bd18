#include "codetools/templates.h"

#include "codetools/block_table.h"
#include "codetools/logical_line.h"
#include "kit/line_breaks.h"

namespace qv {
namespace {

void ReplaceAll(std::wstring& text, std::wstring_view placeholder, std::wstring_view value) {
  for (std::size_t at = text.find(placeholder); at != std::wstring::npos;
       at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

}  // namespace

std::wstring GetProcName(const CodeModuleView& module, long line, long& kind, std::wstring& member_type) {
  std::wstring name = module.ProcOfLine(line, kind);
  if (name.empty()) return name;
  if (kind != 0) {
    member_type = L"Property";
  } else {
    // Keywords have no case, and a header just typed is not cased by the host yet.
    static const PatternList sub(L"Sub *,* Sub *");
    member_type = sub.Matches(GetLine(module, module.ProcBodyLine(name, kind)).code_text) ? L"Sub" : L"Function";
  }
  return name;
}

std::wstring ExpandTemplate(std::wstring_view text, long line, long indent, long IndentWidth, TemplateHost& host) {
  std::wstring expanded(text);
  ReplaceAll(expanded, L"(Tab)", RepeatString(L" ", IndentWidth));
  ReplaceAll(expanded, L"(CrLf)", L"\r\n" + RepeatString(L" ", indent));
  if (expanded.find(L"(MemberName)") != std::wstring::npos || expanded.find(L"(MemberType)") != std::wstring::npos) {
    if (const CodeModuleView* pane = host.CodePane()) {
      long kind = 0;
      std::wstring member_type;
      const std::wstring name = GetProcName(*pane, line, kind, member_type);
      ReplaceAll(expanded, L"(MemberName)", name);
      ReplaceAll(expanded, L"(MemberType)", member_type);
    }
  }
  if (expanded.find(L"(ProjectName)") != std::wstring::npos) {
    if (const auto project = host.ProjectName()) ReplaceAll(expanded, L"(ProjectName)", *project);
  }
  if (expanded.find(L"(ComponentName)") != std::wstring::npos) {
    if (const auto component = host.ComponentName()) ReplaceAll(expanded, L"(ComponentName)", *component);
  }
  return expanded;
}

std::optional<long> FirstEmptyLine(std::wstring_view expanded) {
  const std::vector<std::wstring_view> lines = SplitLines(expanded);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find_first_not_of(L' ') == std::wstring_view::npos) return static_cast<long>(i);
  }
  return std::nullopt;
}

}  // namespace qv
