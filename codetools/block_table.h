#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/like.h"

namespace qv {

// One Like pattern, lower-cased, for lower-cased text. A pattern that starts
// with literal characters rejects most texts on that prefix alone.
class FoldedPattern {
 public:
  explicit FoldedPattern(std::wstring_view pattern);

  // VbError 93 when the pattern is malformed.
  bool Matches(std::wstring_view folded) const;
  const std::wstring& prefix() const { return prefix_; }

 private:
  std::wstring prefix_;
  bool literal_ = false;                // nothing but the prefix
  std::optional<LikePattern> pattern_;  // empty when malformed
};

// A comma-separated list of Like patterns, each lower-cased, matched against
// blank-trimmed, lower-cased text. Compiled once; pieces that start with
// literal characters are rejected on that prefix before the full match.
class PatternList {
 public:
  explicit PatternList(std::wstring_view patterns);

  // VbError 93 when a malformed piece is reached before any piece matched.
  bool Matches(std::wstring_view text) const;
  // The same for text that is already trimmed and lower-cased.
  bool MatchesFolded(std::wstring_view folded) const;
  bool empty() const { return pieces_.empty(); }

 private:
  std::vector<FoldedPattern> pieces_;
};

// Whether Text matches any pattern of the comma-separated Patterns, without
// regard to letter case; False for an empty list.
bool LikePatterns(std::wstring_view text, std::wstring_view patterns);

// The kind of a block statement.
enum BlockKind : int { kOpening = 1, kClosing = 2, kMiddle = 3 };

// Which cells of the block table a statement matches: bit r of each mask
// stands for row r.
struct BlockMatch {
  std::uint16_t opening = 0;
  std::uint16_t closing = 0;
  std::uint16_t middle = 0;

  // The first row whose admitted column matches, as FindBlock gives it.
  int Find(int mode, int& kind) const;
};

// The vocabulary of block constructs: 13 rows (constructs), three columns
// (opening, closing, middle), each cell a comma-separated pattern list.
class BlockTable {
 public:
  static constexpr int kRows = 13;
  static constexpr int kProcedureRows = 10;  // rows from here on are procedures
  static constexpr int kSelectRow = 2;
  static constexpr int kForRow = 3;

  BlockTable();
  // Column 0 opening, 1 closing, 2 middle.
  const std::wstring& Cell(int row, int column) const;
  // Every cell that the blank-trimmed statement matches.
  BlockMatch Classify(std::wstring_view statement) const;

 private:
  struct Entry {
    FoldedPattern pattern;
    int row;
    int column;
  };

  std::array<std::array<std::wstring, 3>, kRows> cells_;
  // Entries by the first character of their prefix; ASCII only, others in
  // the last slot; entries without a prefix go into every slot.
  std::array<std::vector<Entry>, 129> by_first_;
};

const BlockTable& GetBlockTable();

// The row (0 to 12) of the first construct that Text matches in a column
// that Mode admits (opening when Mode >= 0, closing when Mode <= 0, middle
// when Mode <= 1), with Kind set to 1, 2 or 3; -1 and Kind untouched when
// nothing matches.
int FindBlock(std::wstring_view text, int mode, int& kind);

}  // namespace qv
