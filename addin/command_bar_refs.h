#pragma once
// The add-in's own command-bar controls and the host's built-in ones it executes or watches, held by
// the connection. An empty control: the step that finds it failed or has not run. The bindings come
// last, so that they are released before the controls they listen to.
#include <optional>
#include <string>
#include <vector>

#include "addin/error_handler_menu.h"
#include "host/click_binding.h"
#include "host/command_bars.h"

namespace qv {

struct CommandBarRefs {
  // The add-in's controls.
  CommandBarControl AddinsPopup;
  CommandBarControl OptionsButton;
  CommandBarControl AboutButton;
  CommandBar Toolbar;
  CommandBarControl FormatButton;
  CommandBarControl DeclarateButton;
  CommandBarControl NumerationButton;
  CommandBarControl NumerationPopup;
  CommandBarControl NumerationMenuItem;
  CommandBarControl UnNumerationMenuItem;
  CommandBarControl ErrorHandlersPopup;
  CommandBarControl ProcsButton;
  CommandBarControl BackupButton;
  CommandBarControl HelpButton;
  CommandBarControl DeleteErrorHandlerItem;
  // The host's controls.
  CommandBarControl SaveProjectControl;
  CommandBarControl RedoControl;
  CommandBarControl CommentControl;
  CommandBarControl UncommentControl;
  CommandBarControl BookmarkControl;
  CommandBarControl NextBookmarkControl;
  CommandBarControl PrevBookmarkControl;
  // The command window's click bindings: its event members of the menu and the toolbar, the
  // error-handler entries' handler objects in entry order, and the delete command's binding.
  std::vector<ClickBinding> EventMembers;
  std::vector<EHEventHandler> EHHandlers;
  std::optional<ClickBinding> DeleteErrorHandlerHandler;
};

}  // namespace qv
