#pragma once
// The options dialog: a page list on the left, a heading with the page's title and description, the
// thirteen pages one at a time, and "OK", "Отмена", "Применить", "Справка". Opening loads every
// setting and the four list files into the controls; Apply stores them back. ShowOptions
// opens it modal from the menu, or modeless at an external start.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_window.h"
#include "dialogs/modeless_dialogs.h"
#include "dialogs/mouse_button.h"
#include "dialogs/options_ids.h"
#include "kit/options_text.h"
#include "kit/settings.h"
#include "kit/vb_error.h"
#include "win/gdi_owners.h"
#include "win/subclass.h"

namespace qv {

// What the dialog asks of the user beyond message boxes and folders (dialogs/prompts.h), and what it
// sets going in the rest of the add-in. Each default is the real one; tests put scripts in place.
// The tab strip belongs to the add-in's connection, which the library gives.
class OptionsEffects {
 public:
  virtual ~OptionsEffects() = default;
  // "" when cancelled.
  virtual std::wstring Input(HWND owner, std::wstring_view prompt, std::wstring_view dflt);
  // The colour dialog: the colour chosen with OK, nothing otherwise.
  virtual std::optional<std::int32_t> PickColour(HWND owner, std::int32_t colour);
  virtual short GetIDEStyle();
  // `owner`, the dialog, owns their message boxes.
  virtual void SetIDEStyle(HWND owner, long style);
  virtual bool ChangeLanguageIDE(HWND owner, const std::wstring& name);
  virtual void StartMDITabs() = 0;
  virtual void StopMDITabs() = 0;
  virtual void SetTabPosition(long position) = 0;
  // Rebuilds the error-handler submenu from the file; nothing without the add-in's toolbar.
  virtual void AddErrorHandlers();
  // The toolbar's numbering button, when there is one.
  virtual void EnableNumerationButton(bool enabled);
  // The host's own tab width, as the add-in reads it when its custom width is off.
  virtual std::int32_t HostTabWidth();
  virtual std::int32_t WheelScrollLines();
  // The host's Version text; "" without a connection.
  virtual std::wstring HostVersion();
};

// The settings of the hot-key boxes 0 to 8.
inline constexpr std::wstring Settings::*kHotKeySettings[QV_HOT_KEY_COUNT] = {
    &Settings::HotKeys_Format,   &Settings::HotKeys_Save,         &Settings::HotKeys_Redo,
    &Settings::HotKeys_Comment,  &Settings::HotKeys_Uncomment,    &Settings::HotKeys_Bookmark,
    &Settings::HotKeys_NextBookmark, &Settings::HotKeys_PrevBookmark, &Settings::HotKeys_ProcAndFunc};

class OptionsDialog final : public DialogWindow {
 public:
  // The list files and Languages.ini are those of `folder` (ending in "\").
  OptionsDialog(std::wstring folder, OptionsEffects& effects);
  ~OptionsDialog() override;

  // Created hidden and loaded. A modeless one (with the `modeless` dialogs it is one of, or nullptr
  // for a modal one) destroys itself when closed.
  bool Create(HWND owner, ModelessDialogs* modeless);
  // A control of the frame or of a page.
  HWND Control(int id) const;
  // The page shown, 1 to 13.
  int Page() const { return page_; }

  // "Применить": every control into its setting, the registry and the list files.
  void Apply();

  // The list editors.
  void Добавить();
  void Изменить();
  void Удалить();
  void ДобавитьПодсветку();
  void ИзменитьПодсветку();
  void УдалитьПодсветку();
  void ДобавитьПуть();
  void ИзменитьПуть();
  void УдалитьПуть();
  void ДобавитьОбработчик();
  void ИзменитьОбработчик();
  void УдалитьОбработчик();
  void ToParameter();

  // What the lists hold beside their rows.
  const std::vector<std::wstring>& Expansions() const { return lstZamena_; }
  const std::vector<std::wstring>& Parameters() const { return lstErrorHandlers_; }
  std::int32_t TextColour() const { return text_colour_; }
  std::int32_t HighlightColour() const { return highlight_colour_; }

 protected:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnWindowDestroyed() override;

 private:
  class PagePanel;
  class HotKeyBox final : public Subclass {
   protected:
    std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;
  };
  struct PictureButton {
    int id;
    ButtonPicture picture;
    MouseButton mouse{MouseButton::Acts::kOnRelease};
  };

  // Frame and pages.
  void CreatePages();
  void AddItem(const std::wstring& item, long item_data = 0);
  std::wstring GetRootCaption(long index) const;
  void SwitchPage();
  void Close();

  // Loading, each step on its own.
  void Load();
  void LoadSettings();
  void LoadLanguages();
  void LoadPageList();
  void LoadAbbreviations();
  void LoadHighlights();
  void LoadTemplates();
  void LoadPaths();
  std::vector<std::wstring> ListFileLines(const wchar_t* name);
  void ReportLoadError(const std::wstring& description);
  // A list whose file could not be read is shown empty: Apply leaves its file and its collection as
  // they are.
  bool Unread(const wchar_t* name) const { return unread_lists_.contains(name); }

  // Apply's parts.
  void StoreFocusedEntry();
  void ApplyAbbreviations();
  void ApplyTemplates();
  void ApplyPaths();
  void ApplyHighlights();
  void ReplaceListFile(const wchar_t* name, const std::vector<std::wstring>& lines);
  void ReportApplyError(const VbError& error, long statement);

  // Enable rules and the style options.
  bool RunEnableRule(int box);
  void PaletteRule();

  // Events of the list editors.
  bool OnListCommand(int id, int code);
  // Insert, F2 and Delete in a list: the result of WM_VKEYTOITEM.
  INT_PTR OnListKey(HWND list, WORD key);
  void ShowAbbreviation();
  void StoreExpansion();
  void StoreAbbreviationFlag();
  void ShowHighlight();
  void ShowTemplate();
  void TemplateFlagClicked();
  void PickSwatchColour(int swatch);
  std::optional<std::wstring> AskName(ListName list, std::wstring_view prompt, std::wstring_view dflt);
  bool Confirmed(std::wstring_view question, std::wstring_view name);

  // Controls.
  bool Checked(int id) const;
  void Check(int id, bool checked);
  std::wstring Text(int id) const;
  void SetText(int id, std::wstring_view text);
  long Selected(int id) const;
  void Select(int id, long row);
  std::wstring RowText(int id, long row) const;
  long RowData(int id, long row) const;
  void SetRowData(int id, long row, long data);
  long AddRow(int id, const std::wstring& text, long data);
  void DeleteRow(int id, long row);
  // Replaces a row's text, keeping its data and selection.
  void RenameRow(int id, long row, const std::wstring& text);
  long RowCount(int id) const;

  // The row's place in a list kept beside a visible list.
  static std::size_t At(long row) { return static_cast<std::size_t>(row); }

  std::wstring folder_;
  OptionsEffects& effects_;
  ModelessDialogs* modeless_ = nullptr;
  std::array<std::unique_ptr<PagePanel>, QV_OPTIONS_PAGES> pages_;
  int page_ = 0;
  Font title_font_;
  Font code_font_;
  HWND tooltip_ = nullptr;
  std::array<PictureButton, 12> buttons_;
  MouseButton text_swatch_{MouseButton::Acts::kOnPress};
  MouseButton highlight_swatch_{MouseButton::Acts::kOnPress};
  std::array<HotKeyBox, QV_HOT_KEY_COUNT> hot_key_boxes_;
  std::vector<std::wstring> lstZamena_;
  std::vector<std::wstring> lstErrorHandlers_;
  std::set<std::wstring> unread_lists_;
  std::int32_t text_colour_ = 0;
  std::int32_t highlight_colour_ = 0;
};

// Modal from the menu, owned by the host's main window, so that it blocks the editor until it closes; or
// modeless without an owner for an external start, one of `dialogs` at a time. `effects` outlives the
// dialog.
void ShowOptions(bool modal, OptionsEffects& effects, ModelessDialogs& dialogs);

}  // namespace qv
