#pragma once
// Loading the options at connection: the values of SettingsTable() read top
// to bottom, with the steps that are more than a value among them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kit/keyed_collection.h"
#include "kit/settings.h"
#include "kit/vb_error.h"

namespace qv {

// What the build and the connection fixed before the settings are read.
struct SettingsContext {
  bool IsVBA = false;
  std::wstring IDESettingsKey;  // the host's editor settings, under HKEY_CURRENT_USER
  std::wstring SettingsKey;     // the add-in's own key, under HKEY_CURRENT_USER
  std::wstring HostVersion;     // the host's Version text
};

// Everything outside the settings that loading reads, writes or calls.
class SettingsEnvironment {
 public:
  virtual ~SettingsEnvironment() = default;
  // A text value under HKEY_CURRENT_USER as GetRegValue reads it; nullopt
  // when the key or value is missing or empty.
  virtual std::optional<std::wstring> ReadValue(std::wstring_view key, std::wstring_view name) = 0;
  // A text value of the add-in is stored without a terminating NUL; a value
  // of the host that the host reads back (`terminated`) with one.
  virtual void WriteValue(std::wstring_view key, std::wstring_view name, std::wstring_view value, bool terminated) = 0;
  virtual std::wstring EnvironmentVariable(std::wstring_view name) = 0;
  // The system's wheel scroll lines.
  virtual long WheelScrollLines() = 0;
  // Installs (1) or removes (0) the host's visual-style manifest.
  virtual void SetIDEStyle(long style) = 0;
  // The whole section of Languages.ini beside the library, the file created
  // empty when missing: its lines separated by NULs.
  virtual std::wstring LanguagesSection(std::wstring_view section) = 0;
  // One message box for a step that failed; `step` identifies the step.
  virtual void ReportError(const VbError& error, long step) = 0;
};

// The host's tab width as its editor settings keep it: the number its "TabWidth" value starts
// with, 4 when it has none. VbError 6 when the number does not fit in 32 bits.
inline constexpr std::wstring_view kTabWidthValue = L"TabWidth";
std::int32_t TabWidthOfValue(const std::optional<std::wstring>& value);

// The scroll height that follows the system's wheel lines: at least 1.
std::int32_t ScrollHeightOfWheelLines(long lines);

// Fills settings and languageFiles. The steps are numbered from 1 in loading
// order: one per value of SettingsTable(), counted in both builds, with the
// language list before "LanguageIDE" and the host's "CodeForeColors" before
// "CustomColors". A failing step is reported and the next one runs; the
// failing step's member keeps the value it had.
void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& languageFiles,
                  SettingsEnvironment& environment);

}  // namespace qv
