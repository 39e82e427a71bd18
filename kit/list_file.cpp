#include "kit/list_file.h"

#include "kit/line_breaks.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

bool SwitchedOff(std::wstring_view line) { return line.starts_with(L'*'); }

std::wstring TrimKey(std::wstring_view key) {
  const std::size_t first = key.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  return std::wstring(key.substr(first, key.find_last_not_of(L" \t") - first + 1));
}

}  // namespace

std::vector<std::wstring> ListLines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  for (const std::wstring_view line : SplitLines(text)) std::erase(lines.emplace_back(line), L'\0');
  // Nothing but NULs after the last break is no line.
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::optional<ListEntry> SplitEntry(std::wstring_view line, EntrySplit split) {
  if (SwitchedOff(line)) return std::nullopt;
  std::size_t at = std::wstring_view::npos;
  switch (split) {
    case EntrySplit::kFirst:
      at = line.find(L'=');
      break;
    case EntrySplit::kFromSecondChar:
      at = line.find(L'=', 1);
      break;
    case EntrySplit::kLast:
      // Never the first character: a line whose only "=" stands there has no text.
      at = line.rfind(L'=');
      if (at == 0) at = std::wstring_view::npos;
      break;
  }
  if (at == std::wstring_view::npos) return std::nullopt;
  return ListEntry{TrimKey(line.substr(0, at)), LTrimBlanks(line.substr(at + 1))};
}

KeyedCollection<std::wstring> ReadAutoInserts(std::wstring_view text) {
  KeyedCollection<std::wstring> inserts;
  for (const std::wstring& line : ListLines(text)) {
    if (auto entry = SplitEntry(line, EntrySplit::kFirst)) inserts.TryAdd(std::move(entry->value), entry->key);
  }
  return inserts;
}

SyntaxColorList ReadSyntaxColors(std::wstring_view text) {
  SyntaxColorList list;
  for (const std::wstring& line : ListLines(text)) {
    if (auto entry = SplitEntry(line, EntrySplit::kLast)) {
      list.texts.Add(std::move(entry->key));
      list.colors.Add(std::move(entry->value));
    }
  }
  return list;
}

KeyedCollection<std::wstring> ReadIncludingPaths(std::wstring_view text) {
  KeyedCollection<std::wstring> paths;
  for (const std::wstring& line : ListLines(text)) {
    if (!SwitchedOff(line)) paths.Add(TrimBlanks(line));
  }
  return paths;
}

}  // namespace qv
