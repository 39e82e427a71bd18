#pragma once
// The add-in's list files: one entry per line, "key = value", a "*" in the
// first column switching an entry off. The text comes decoded from the ANSI
// code page; reading and writing the bytes is the caller's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/keyed_collection.h"

namespace qv {

// The file's lines. A line ends at CR LF, a lone CR or a lone LF; the break
// that ends the file opens no further line. NULs are dropped: the shipped
// files end in padding NULs.
std::vector<std::wstring> ListLines(std::wstring_view text);

// Where the "=" that separates key and value is looked for.
enum class EntrySplit {
  kFirst,            // the first "=": abbreviations, whose keys hold none
  kFromSecondChar,   // the first "=" after the first character: a caption may be "="
  kLast,             // the last "=": the value is a number, the key may hold "="
};

struct ListEntry {
  std::wstring key;    // blanks and TABs trimmed on both sides
  std::wstring value;  // leading blanks removed, trailing blanks kept
};

// The entry of a line; nullopt for a line switched off by "*" in column 1 or
// one without its "=".
std::optional<ListEntry> SplitEntry(std::wstring_view line, EntrySplit split);

// AutoInserts.ini: expansions keyed by abbreviation; of two equal keys
// (letter case ignored) the first wins.
KeyedCollection<std::wstring> ReadAutoInserts(std::wstring_view text);

// SyntaxColors.ini: the texts and their colours (decimal text) in file
// order, repeats kept.
struct SyntaxColorList {
  KeyedCollection<std::wstring> texts;
  KeyedCollection<std::wstring> colors;
};
SyntaxColorList ReadSyntaxColors(std::wstring_view text);

// IncludingPaths.ini: one folder per line, trimmed; an empty line gives an
// empty entry.
KeyedCollection<std::wstring> ReadIncludingPaths(std::wstring_view text);

}  // namespace qv
