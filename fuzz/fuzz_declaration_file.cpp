// Reads the input as a declaration file and checks its members against its lines: each member is
// whole logical lines of the file, keyed by the name its first logical line declares, and what a
// later line holds never displaces a member found before it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/declaration_file.h"
#include "codetools/logical_line.h"
#include "kit/case_fold.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "declaration file: %s\n", what);
  std::abort();
}

// Bytes as the file's characters (the high half as Cyrillic), split at CR LF; a lone CR or LF
// stays inside its line.
std::vector<std::wstring> FileLines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::wstring> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back().push_back(static_cast<wchar_t>(data[i] < 0x80 ? data[i] : data[i] - 0x80 + 0x400));
    }
  }
  return lines;
}

// The lines first..last joined by CR LF.
std::wstring Slice(const std::vector<std::wstring>& lines, std::size_t first, std::size_t last) {
  std::wstring text = lines[first];
  for (std::size_t i = first + 1; i <= last; ++i) text += L"\r\n" + lines[i];
  return text;
}

// The last line of the member that starts at `first`, or npos when `item` is not lines from there.
std::size_t MatchFrom(const std::vector<std::wstring>& lines, std::size_t first, std::wstring_view item) {
  std::size_t at = 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    if (item.substr(at, lines[i].size()) != lines[i]) return std::wstring::npos;
    at += lines[i].size();
    if (at == item.size()) return i;
    if (item.substr(at, 2) != L"\r\n") return std::wstring::npos;
    at += 2;
  }
  return std::wstring::npos;
}

void CheckName(std::wstring_view line, std::wstring prefix) {
  long kind = -1;
  const bool drops = prefix == L"1";
  const std::wstring name = qv::GetDeclarationName(line, prefix, kind);
  if (drops && !prefix.empty()) Fail("prefix 1 left in place");
  if (name.empty()) {
    if (kind != -1) Fail("a kind without a name");
    return;
  }
  if (kind < 1 || kind > 8) Fail("kind out of range");
  std::wstring_view bare(name);
  if (kind == 8 && (bare.starts_with(L"Get ") || bare.starts_with(L"Let ") || bare.starts_with(L"Set "))) {
    bare.remove_prefix(4);
  }
  if (bare.empty() || bare.find_first_of(L" \t=('\r\n") != std::wstring_view::npos) Fail("name not ended");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::wstring> lines = FileLines(data, size);
  for (const std::wstring& line : lines) {
    for (const wchar_t* prefix : {L"", L"1", L"Public ", L"Private "}) CheckName(line, prefix);
  }

  const qv::MemberCollection members = qv::GetFileMembers(lines);
  std::vector<std::wstring> folded_keys;
  std::size_t next = 0;  // members follow one another in file order without overlapping
  for (long m = 1; m <= members.Count(); ++m) {
    const std::wstring key = members.KeyAt(m).value_or(L"");
    const std::wstring& item = members.Item(m);
    for (const std::wstring& earlier : folded_keys) {
      if (earlier == qv::FoldCase(key)) Fail("a name twice");
    }
    folded_keys.push_back(qv::FoldCase(key));
    // Whole logical lines: it starts after no continued line and ends on none (or at the end).
    std::size_t first = next;
    std::size_t last = std::wstring::npos;
    for (; first < lines.size(); ++first) {
      if (first > 0 && qv::IsContinued(lines[first - 1])) continue;
      last = MatchFrom(lines, first, item);
      if (last != std::wstring::npos && (last + 1 == lines.size() || !qv::IsContinued(lines[last]))) break;
    }
    if (first == lines.size()) Fail("a member that is no run of whole logical lines");
    std::size_t header = first;
    while (header + 1 < lines.size() && qv::IsContinued(lines[header])) ++header;
    std::wstring prefix = L"1";
    long kind = 0;
    if (qv::GetDeclarationName(Slice(lines, first, header), prefix, kind) != key) Fail("key not the header's name");
    next = last + 1;
  }

  // A later line never displaces a member: the file cut after any logical line gives members that
  // the whole file holds too, unchanged.
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  std::size_t cut = hash % (lines.size() + 1);
  while (cut > 0 && cut < lines.size() && qv::IsContinued(lines[cut - 1])) --cut;
  const qv::MemberCollection head =
      qv::GetFileMembers(std::vector<std::wstring>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(cut)));
  for (long m = 1; m <= head.Count(); ++m) {
    const std::wstring* whole = members.Find(head.KeyAt(m).value_or(L""));
    if (!whole || *whole != head.Item(m)) Fail("a member displaced by a later line");
  }
  return 0;
}
