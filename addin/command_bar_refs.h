#pragma once
// The add-in's own command-bar controls and the host's built-in ones it executes or watches, kept
// from connection to unload. An empty Variant: the step that finds it failed or has not run.
#include <optional>
#include <string>
#include <vector>

#include "host/click_binding.h"
#include "addin/error_handler_menu.h"
#include "win/late_bound.h"

namespace qv {

struct CommandBarRefs {
  // The add-in's controls.
  Variant AddinsPopup;
  Variant OptionsButton;
  Variant AboutButton;
  Variant Toolbar;
  Variant FormatButton;
  Variant DeclarateButton;
  Variant NumerationButton;
  Variant NumerationPopup;
  Variant NumerationMenuItem;
  Variant UnNumerationMenuItem;
  Variant ErrorHandlersPopup;
  Variant ProcsButton;
  Variant BackupButton;
  Variant HelpButton;
  Variant DeleteErrorHandlerItem;
  // The host's controls.
  Variant SaveProjectControl;
  Variant RedoControl;
  Variant CommentControl;
  Variant UncommentControl;
  Variant BookmarkControl;
  Variant NextBookmarkControl;
  Variant PrevBookmarkControl;
  // "Английский" or "Русский", from the caption of the host's Add-Ins menu.
  std::wstring HostLanguage;
  // The command window's click bindings: its event members of the menu and the toolbar, the
  // error-handler entries' handler objects in entry order, and the delete command's binding.
  std::vector<ClickBinding> EventMembers;
  std::vector<EHEventHandler> EHHandlers;
  std::optional<ClickBinding> DeleteErrorHandlerHandler;
};

CommandBarRefs& Bars();

}  // namespace qv
