#pragma once
// The add-in's module-level state, shared by all its parts: what the connection fixed, the
// settings, the main loop's handles, and the tables filled once when the library loads.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "kit/keyed_collection.h"
#include "kit/palette.h"
#include "kit/settings.h"

namespace qv {

// The main loop's state between ticks; all cleared when the add-in stops.
struct MainLoopState {
  bool Busy = false;  // a tick or a numbering run is in progress
  HWND hWndCode = nullptr;
  HWND hWndHooked = nullptr;
  long SelStartLine = 0;
  long SelStartCol = 0;
  long SelEndLine = 0;
  long SelEndCol = 0;
  // The formatter's run state; between ticks FormatStart is the caret line of the previous tick,
  // 0 when there was no code pane.
  long FormatStart = 0;
  long FormatEnd = 0;
  std::wstring FormatText;
  long PrevDeclLines = 0;
  // What the last look for a new procedure saw; its lines are read again only when this changes.
  struct CustomCodeLook {
    long line = 0;
    long count = 0;  // the module's lines
    bool ctrl = false;
    bool operator==(const CustomCodeLook&) const = default;
  };
  CustomCodeLook LastCustomCodeLook;
  // When a hot key asked for formatting that waits for its modifiers to be released (GetTickCount).
  std::optional<DWORD> FormatKeysAt;
  bool MDIActivated = false;  // set by the tab strip when an MDI child is activated
  long MDIRefreshTicks = 0;
};

struct AddinState {
  bool IsVBA = false;
  std::wstring IDESettingsKey;
  std::wstring SettingsKey;
  HWND hWndMain = nullptr;
  // "Английский" or "Русский", from the caption of the host's Add-Ins menu; known after unload, for
  // an external start that builds no bars.
  std::wstring HostLanguage;
  Settings settings;
  KeyedCollection<std::wstring> LanguageFiles;
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
};

AddinState& State();
LoadTables& Tables();

}  // namespace qv
