#include "codetools/declaration_file.h"

#include <utility>

#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

// The name at the start of `text` (leading blanks skipped), up to the first blank, TAB, "=",
// "(", "'" or line break.
std::wstring NameAt(std::wstring_view text) {
  text = text.substr(LeadingBlanks(text));
  return std::wstring(text.substr(0, text.find_first_of(L" \t=('\r\n")));
}

bool DropLeading(std::wstring_view& line, std::wstring_view word) {
  if (!line.starts_with(word)) return false;
  line.remove_prefix(word.size());
  line.remove_prefix(LeadingBlanks(line));
  return true;
}

std::wstring Named(std::wstring name, long kind, long& kind_out) {
  if (!name.empty()) kind_out = kind;
  return name;
}

bool IsBlockKind(long kind) { return kind == kEnumKind || kind == kTypeKind || kind >= kSubKind; }

bool IsBlockEnd(std::wstring_view line) {
  for (const wchar_t* end : {L"End Type", L"End Enum", L"End Sub", L"End Function", L"End Property"}) {
    if (line.starts_with(end)) return true;
  }
  return false;
}

}  // namespace

std::wstring GetDeclarationName(std::wstring_view line, std::wstring& prefix, long& kind) {
  if (prefix == L"1") {
    DropLeading(line, L"Public ");
    DropLeading(line, L"Private ");
    DropLeading(line, L"Friend ");
    prefix.clear();
  }
  if (!line.starts_with(prefix)) return {};
  std::wstring_view rest = line.substr(prefix.size());
  if (DropLeading(rest, L"Const ")) {
    return rest.find(L'=') == std::wstring_view::npos ? std::wstring() : Named(NameAt(rest), kConstKind, kind);
  }
  if (DropLeading(rest, L"Enum ")) return Named(NameAt(rest), kEnumKind, kind);
  if (DropLeading(rest, L"Type ")) return Named(NameAt(rest), kTypeKind, kind);
  if (DropLeading(rest, L"Declare ")) {
    DropLeading(rest, L"PtrSafe ");
    const bool is_sub = DropLeading(rest, L"Sub ");
    if (!is_sub && !DropLeading(rest, L"Function ")) return {};
    const std::size_t lib = rest.find(L" Lib ");
    if (lib == std::wstring_view::npos) return {};
    return Named(NameAt(rest.substr(0, lib)), is_sub ? kDeclareSubKind : kDeclareFunctionKind, kind);
  }
  long found = 0;
  if (DropLeading(rest, L"Sub ")) {
    found = kSubKind;
  } else if (DropLeading(rest, L"Function ")) {
    found = kFunctionKind;
  } else if (DropLeading(rest, L"Property ")) {
    found = kPropertyKind;
  } else {
    return {};
  }
  if (rest.find(L'(') == std::wstring_view::npos) return {};
  std::wstring accessor;
  for (const wchar_t* word : {L"Get ", L"Let ", L"Set "}) {
    if (found == kPropertyKind && DropLeading(rest, word)) accessor = word;
  }
  std::wstring name = NameAt(rest);
  return Named(name.empty() ? name : accessor + name, found, kind);
}

long DeclarationKind(std::wstring_view line) {
  std::wstring prefix = L"1";
  long kind = 0;
  return GetDeclarationName(line, prefix, kind).empty() ? 0 : kind;
}

MemberCollection GetFileMembers(const std::vector<std::wstring>& lines) {
  MemberCollection members;
  std::size_t next = 0;
  // Members are made of whole logical lines. Reads the one at `next` (a line and those it continues
  // into with " _") into `text`; gives its first physical line.
  const auto logical_line = [&](std::wstring& text) -> const std::wstring& {
    const std::wstring& first = lines[next];
    text = first;
    while (IsContinued(lines[next]) && next + 1 < lines.size()) {
      text += L"\r\n";
      text += lines[++next];
    }
    ++next;
    return first;
  };
  std::wstring text;
  std::wstring more;
  while (next < lines.size()) {
    logical_line(text);
    std::wstring prefix = L"1";
    long kind = 0;
    const std::wstring name = GetDeclarationName(text, prefix, kind);
    if (name.empty()) continue;
    if (!IsBlockKind(kind)) {
      members.TryAdd(std::move(text), name);
      continue;
    }
    // A block through its End line; one the file leaves open is no member.
    while (next < lines.size()) {
      const std::wstring& first = logical_line(more);
      text += L"\r\n";
      text += more;
      if (IsBlockEnd(first)) {
        members.TryAdd(std::move(text), name);
        break;
      }
    }
  }
  return members;
}

}  // namespace qv
