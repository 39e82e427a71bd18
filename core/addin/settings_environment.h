#pragma once
// Loading the settings from this user's registry, with the host's Languages.ini beside the library.
#include <string>

#include "core/keyed_collection.h"
#include "core/load_settings.h"
#include "core/settings.h"

namespace qv {

void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& LanguageFiles);

}  // namespace qv
