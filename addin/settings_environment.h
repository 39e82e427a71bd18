#pragma once
// Loading the settings from this user's registry, with the host's Languages.ini beside the library.
#include <string>

#include "kit/keyed_collection.h"
#include "kit/load_settings.h"
#include "kit/settings.h"

namespace qv {

void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& LanguageFiles);

}  // namespace qv
