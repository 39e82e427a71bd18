#pragma once
// The add-in's module-level state, shared by all its parts: what a start needs and what survives
// an unload (the host, the settings and their keys), and the tables filled once when the library
// loads. What one connection keeps is in addin/session.h.
#include <windows.h>

#include <string>
#include <vector>

#include "kit/keyed_collection.h"
#include "kit/palette.h"
#include "kit/settings.h"

namespace qv {

struct AddinState {
  bool IsVBA = false;
  std::wstring IDESettingsKey;
  std::wstring SettingsKey;
  // "Английский" or "Русский", from the caption of the host's Add-Ins menu; known after unload, for
  // an external start that builds no bars.
  std::wstring HostLanguage;
  Settings settings;
  KeyedCollection<std::wstring> LanguageFiles;
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
