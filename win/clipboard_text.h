#pragma once
// The clipboard's text. Text goes on as CF_UNICODETEXT and as CF_TEXT in the ANSI code page, the
// format the host's code window pastes, so that neither depends on the system's conversion.
#include <optional>
#include <string>

namespace qv {

// The clipboard's text; nullopt when it holds none or cannot be opened.
std::optional<std::wstring> ClipboardText();
// The clipboard holds `text` alone, or nothing for nullopt. False when it could not be changed.
bool SetClipboardText(const std::optional<std::wstring>& text);

// Lends the clipboard to a paste: puts `text` on it and gives the user's text back when it goes,
// however the paste ends. Throws VbError when the clipboard cannot be taken.
class ClipboardLoan {
 public:
  explicit ClipboardLoan(const std::wstring& text);
  ClipboardLoan(const ClipboardLoan&) = delete;
  ClipboardLoan& operator=(const ClipboardLoan&) = delete;
  ~ClipboardLoan() { SetClipboardText(users_text_); }

 private:
  std::optional<std::wstring> users_text_;
};

}  // namespace qv
