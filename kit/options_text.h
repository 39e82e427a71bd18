#pragma once
// The options dialog's rules that need no window: how its four lists read and write their files,
// the numbers typed into its boxes, the hot-key capture and the names the list editors refuse.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A row of a key-value list as the dialog shows it: a "*" in column 1 clears `on` and is dropped.
struct DialogListRow {
  bool on = true;
  std::wstring key;    // trimmed of blanks
  std::wstring value;  // leading blanks removed
};

// nullopt for a line without its "="; the "=" is searched after the "*" from the first character,
// or from the second, so that a highlighted text or a template name may itself be "=".
std::optional<DialogListRow> DialogRowOfLine(std::wstring_view line, bool from_second_char);
// A folder row: trimmed, after a leading "*" is dropped.
std::wstring DialogPathOfLine(std::wstring_view line);

// "*" when off, then the key padded with blanks to `width` (the "*" counts), " = " and the value.
std::wstring ListEntryLine(std::wstring_view key, bool on, std::size_t width, std::wstring_view value);
// The lines, each ended by CR LF.
std::wstring ListFileText(const std::vector<std::wstring>& lines);

// A number typed into a box: its leading number rounded half to even; 0 when there is none. VbError 6
// when it does not fit in 32 bits.
std::int32_t NumberOfText(std::wstring_view text);

// The colour of a highlighted text as its file holds it: the number that is the whole text, blanks
// around it allowed. VbError 13 when the text is no number, 6 when it does not fit in 32 bits.
std::int32_t ColourOfText(std::wstring_view text);

// The lists store every line break, CR LF or a lone CR or LF, as "(CrLf)"; the boxes show CR LF.
std::wstring StoredText(std::wstring_view shown);
std::wstring ShownText(std::wstring_view stored);

// A key pressed in a hot-key box: Escape or Delete alone give "Нет", a key without a name leaves the
// current text, any other key gives its hot-key text.
std::wstring CapturedHotKey(std::wstring_view current, long key_code, int modifiers);

enum class ListName { kAbbreviation, kHighlight, kTemplate };
// Why a name typed into a list editor would not read back as typed; "" when it is accepted.
std::wstring NameRefusal(ListName list, std::wstring_view name);

}  // namespace qv
