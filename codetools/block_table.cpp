#include "codetools/block_table.h"

#include "kit/case_fold.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

std::wstring_view TrimmedView(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// Calls f with each comma-separated piece; none for an empty list.
template <class F>
void ForEachPiece(std::wstring_view list, F&& f) {
  if (list.empty()) return;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(L',', start);
    f(list.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
    if (comma == std::wstring_view::npos) return;
    start = comma + 1;
  }
}

// Does text, folded character by character, start with the folded prefix?
bool StartsWithFolded(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldCase(text[i]) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

FoldedPattern::FoldedPattern(std::wstring_view pattern) {
  const std::wstring folded = FoldCase(pattern);
  try {
    pattern_.emplace(folded);
  } catch (const VbError&) {
    return;  // raised when a match reaches it
  }
  std::size_t i = 0;
  while (i < folded.size()) {
    const wchar_t c = folded[i];
    if (c == L'*' || c == L'?' || c == L'#') break;
    if (c == L'[') {
      // "[x]" with one ordinary character is that character ("[#]" a literal '#').
      if (i + 2 >= folded.size() || folded[i + 2] != L']' || folded[i + 1] == L'!' || folded[i + 1] == L']') break;
      prefix_ += folded[i + 1];
      i += 3;
      continue;
    }
    prefix_ += c;
    ++i;
  }
  literal_ = i == folded.size();
}

bool FoldedPattern::Matches(std::wstring_view folded) const {
  if (!pattern_) throw PatternError();
  if (!folded.starts_with(prefix_)) return false;
  if (literal_) return folded.size() == prefix_.size();
  return pattern_->Matches(folded);
}

PatternList::PatternList(std::wstring_view patterns) {
  ForEachPiece(patterns, [this](std::wstring_view piece) { pieces_.emplace_back(piece); });
}

bool PatternList::Matches(std::wstring_view text) const {
  if (pieces_.empty()) return false;
  return MatchesFolded(FoldCase(TrimmedView(text)));
}

bool PatternList::MatchesFolded(std::wstring_view folded) const {
  for (const FoldedPattern& piece : pieces_) {
    if (piece.Matches(folded)) return true;
  }
  return false;
}

bool LikePatterns(std::wstring_view text, std::wstring_view patterns) { return PatternList(patterns).Matches(text); }

int BlockMatch::Find(int mode, int& kind) const {
  for (int row = 0; row < BlockTable::kRows; ++row) {
    const auto bit = static_cast<std::uint16_t>(1u << row);
    if (mode >= 0 && (opening & bit)) {
      kind = kOpening;
      return row;
    }
    if (mode <= 0 && (closing & bit)) {
      kind = kClosing;
      return row;
    }
    if (mode <= 1 && (middle & bit)) {
      kind = kMiddle;
      return row;
    }
  }
  return -1;
}

BlockTable::BlockTable()
    : cells_{{
          {L"[#]If * Then", L"[#]End If", L"[#]Else,[#]ElseIf *"},
          {L"If * Then", L"End If", L"Else,ElseIf *"},
          {L"Select Case *", L"End Select", L"Case *"},
          {L"For *", L"Next,Next *", L""},
          {L"Do *,Do", L"Loop,Loop *", L""},
          {L"While *", L"Wend", L""},
          {L"With *", L"End With", L""},
          {L"'*[#]Region \"*\"", L"'*[#]End Region", L""},
          {L"Type *,Private Type *,Public Type *,Friend Type *", L"End Type", L""},
          {L"Enum *,Private Enum *,Public Enum *,Friend Enum *", L"End Enum", L""},
          {L"Sub *(*)*,Private Sub *(*)*,Public Sub *(*)*,Friend Sub *(*)*,"
           L"Static Sub *(*)*,Private Static Sub *(*)*,Public Static Sub *(*)*,Friend Static Sub *(*)*",
           L"End Sub", L""},
          {L"Function *(*)*,Private Function *(*)*,Public Function *(*)*,Friend Function *(*)*,"
           L"Static Function *(*)*,Private Static Function *(*)*,Public Static Function *(*)*,"
           L"Friend Static Function *(*)*",
           L"End Function", L""},
          {L"Property *(*)*,Private Property *(*)*,Public Property *(*)*,Friend Property *(*)*,"
           L"Static Property *(*)*,Private Static Property *(*)*,Public Static Property *(*)*,"
           L"Friend Static Property *(*)*",
           L"End Property", L""},
      }} {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < 3; ++column) {
      const std::wstring& cell = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      ForEachPiece(cell, [&](std::wstring_view piece) {
        const Entry entry{FoldedPattern(piece), row, column};
        const std::wstring& prefix = entry.pattern.prefix();
        if (prefix.empty()) {
          for (auto& slot : by_first_) slot.push_back(entry);
        } else {
          by_first_[prefix[0] < 128 ? static_cast<std::size_t>(prefix[0]) : 128].push_back(entry);
        }
      });
    }
  }
}

const std::wstring& BlockTable::Cell(int row, int column) const {
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

BlockMatch BlockTable::Classify(std::wstring_view statement) const {
  BlockMatch match;
  const std::wstring_view text = TrimmedView(statement);
  if (text.empty()) return match;
  const wchar_t first = FoldCase(text[0]);
  std::wstring folded;
  for (const Entry& entry : by_first_[first < 128 ? static_cast<std::size_t>(first) : 128]) {
    if (!StartsWithFolded(text, entry.pattern.prefix())) continue;
    if (folded.empty()) folded = FoldCase(text);
    if (!entry.pattern.Matches(folded)) continue;
    const auto bit = static_cast<std::uint16_t>(1u << entry.row);
    (entry.column == 0 ? match.opening : entry.column == 1 ? match.closing : match.middle) |= bit;
  }
  return match;
}

const BlockTable& GetBlockTable() {
  static const BlockTable table;
  return table;
}

int FindBlock(std::wstring_view text, int mode, int& kind) {
  if (text.empty()) return -1;
  return GetBlockTable().Classify(text).Find(mode, kind);
}

}  // namespace qv
