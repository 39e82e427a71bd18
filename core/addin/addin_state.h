#pragma once
// The add-in's module-level state, shared by all its parts: what the connection fixed, the
// settings, the main loop's handles, and the tables filled once when the library loads.
#include <windows.h>

#include <string>
#include <vector>

#include "core/keyed_collection.h"
#include "core/palette.h"
#include "core/settings.h"
#include "core/win/late_bound.h"

namespace qv {

// The main loop's re-entry flag and code-window handles; all cleared when the add-in stops.
struct MainLoopState {
  bool Busy = false;
  HWND hWndCode = nullptr;
  HWND hWndHooked = nullptr;
};

struct AddinState {
  bool IsVBA = false;
  Variant VBInstance;  // the host's VBE, from connection to disconnection
  std::wstring IDESettingsKey;
  std::wstring SettingsKey;
  HWND hWndMain = nullptr;
  std::vector<HWND> PopupTabs;
  Settings settings;
  KeyedCollection<std::wstring> LanguageFiles;
  Variant NumerationButton;  // the toolbar's numbering control, once the command bars are built
  MainLoopState loop;
};

// Filled by Main when the library loads; they outlive connections.
struct LoadTables {
  std::wstring SavedClipboard;
  KeyedCollection<std::wstring> AutoInserts;
  KeyedCollection<std::wstring> SyntaxTexts;
  KeyedCollection<std::wstring> SyntaxTextColors;
  KeyedCollection<std::wstring> IncludingPaths;
  PaletteTable PaletteColors{};
  std::wstring HelpFile;
};

AddinState& State();
LoadTables& Tables();

}  // namespace qv
