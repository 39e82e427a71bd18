#pragma once
// The registry values behind the members of Settings, in the order in which
// they are loaded. Loading and the options dialog's Apply both go through it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "kit/settings.h"

namespace qv {

// Where a value is stored, under HKEY_CURRENT_USER.
enum class SettingKey {
  kAddin,            // SettingsKey
  kVisualBasicHost,  // kVisualBasicHostKey, the host's own value
};

constexpr std::wstring_view kVisualBasicHostKey = L"Software\\Microsoft\\Visual Basic\\6.0";

// What makes a value's loading more than a read and a conversion.
enum class SettingRule {
  kPlain,
  kStudioOnly,     // read only in the Visual Basic 6.0 build
  kIndentWidth,    // the host's own "TabWidth" under IDESettingsKey unless CustomIndentWidth
  kScrollHeight,   // the system's wheel lines unless CustomScrollHeight
  kFirstRunStyle,  // the first connection of the Visual Basic 6.0 build installs the style
  kUnderHome,      // the default lies under HOMEDRIVE and HOMEPATH
};

// A member and the default it gets when the value is missing or empty. The
// member's type is the value's kind: "True"/"False" or a number for bool, the
// leading number for std::int32_t, the text itself for std::wstring.
template <class T, class Default = T>
struct SettingField {
  T Settings::*member;
  Default fallback;
};
using BoolField = SettingField<bool>;
using LongField = SettingField<std::int32_t>;
using TextField = SettingField<std::wstring, std::wstring_view>;

struct SettingDescriptor {
  std::wstring_view name;
  std::variant<BoolField, LongField, TextField> field;
  SettingKey key = SettingKey::kAddin;
  SettingRule rule = SettingRule::kPlain;
};

std::span<const SettingDescriptor> SettingsTable();

}  // namespace qv
