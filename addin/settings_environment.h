#pragma once
// Loading the settings from this user's registry, with the host's Languages.ini beside the library.
#include <functional>
#include <string>

#include "kit/keyed_collection.h"
#include "kit/load_settings.h"
#include "kit/settings.h"

namespace qv {

// The first connection of the Visual Basic 6.0 build installs the host's visual style through
// `set_ide_style`.
void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& LanguageFiles,
                  const std::function<void(long)>& set_ide_style);

}  // namespace qv
