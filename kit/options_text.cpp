#include "kit/options_text.h"

#include "kit/hot_key.h"
#include "kit/line_breaks.h"
#include "kit/vb_convert.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr std::wstring_view kStoredBreak = L"(CrLf)";
constexpr std::wstring_view kShownBreak = L"\r\n";

std::wstring Replaced(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  std::wstring result;
  for (std::size_t at = 0;;) {
    const std::size_t found = text.find(from, at);
    result.append(text.substr(at, found - at));
    if (found == std::wstring_view::npos) return result;
    result.append(to);
    at = found + from.size();
  }
}


}  // namespace

std::optional<DialogListRow> DialogRowOfLine(std::wstring_view line, bool from_second_char) {
  DialogListRow row;
  if (!line.empty() && line.front() == L'*') {
    row.on = false;
    line.remove_prefix(1);
  }
  const std::size_t equals = line.find(L'=', from_second_char ? 1 : 0);
  if (equals == std::wstring_view::npos) return std::nullopt;
  row.key = TrimBlanks(line.substr(0, equals));
  row.value = LTrimBlanks(line.substr(equals + 1));
  return row;
}

std::wstring DialogPathOfLine(std::wstring_view line) {
  if (!line.empty() && line.front() == L'*') line.remove_prefix(1);
  return TrimBlanks(line);
}

std::wstring ListEntryLine(std::wstring_view key, bool on, std::size_t width, std::wstring_view value) {
  std::wstring line = on ? std::wstring(key) : L"*" + std::wstring(key);
  if (line.size() < width) line.append(width - line.size(), L' ');
  return line + L" = " + std::wstring(value);
}

std::wstring ListFileText(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return text;
}

std::int32_t NumberOfText(std::wstring_view text) { return CLng(Val(text)); }

std::int32_t ColourOfText(std::wstring_view text) {
  const std::wstring number = TrimBlanks(text);
  if (!IsNumeric(number)) throw TypeMismatchError();
  return NumberOfText(number);
}

std::wstring StoredText(std::wstring_view shown) {
  // A lone CR or LF breaks the line as well: left in, it would split the entry's line in its file.
  const std::vector<std::wstring_view> lines = SplitLines(shown);
  std::wstring stored(lines.front());
  for (std::size_t index = 1; index < lines.size(); ++index) stored.append(kStoredBreak).append(lines[index]);
  return stored;
}

std::wstring ShownText(std::wstring_view stored) { return Replaced(stored, kStoredBreak, kShownBreak); }

std::wstring CapturedHotKey(std::wstring_view current, long key_code, int modifiers) {
  constexpr long kEscape = 27;
  constexpr long kDelete = 46;
  if ((key_code == kEscape || key_code == kDelete) && modifiers == 0) return std::wstring(kNoHotKey);
  std::wstring text = HotKeyText(key_code, modifiers);
  return text.empty() ? std::wstring(current) : text;
}

std::wstring NameRefusal(ListName list, std::wstring_view name) {
  if (StartsWith(TrimBlanks(name), L"*")) return L"Имя не может начинаться со знака \"*\"";
  switch (list) {
    case ListName::kAbbreviation:
      if (name.find(L'=') != std::wstring_view::npos) return L"Ключ не может содержать знак \"=\"";
      break;
    case ListName::kHighlight:
    case ListName::kTemplate:
      if (name.find(L'=', 1) != std::wstring_view::npos) {
        return L"Имя не может содержать знак \"=\" после первого символа";
      }
      break;
  }
  return {};
}

}  // namespace qv
