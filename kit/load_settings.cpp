#include "kit/load_settings.h"

#include <cstdint>
#include <optional>
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "kit/settings_table.h"
#include "kit/vb_convert.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

// The host's colour indices for its code-text categories, set while the
// add-in colours operators.
constexpr std::wstring_view kCodeForeColors = L"0 0 5 0 1 10 13 0 0 0 0 0 0 0 0 0 ";

// The values that the two steps reading no value of the table come before.
constexpr std::wstring_view kLanguagesBefore = L"LanguageIDE";
constexpr std::wstring_view kCodeForeColorsBefore = L"CustomColors";

bool FromText(std::wstring_view text, const BoolField&) { return CBool(text); }
std::int32_t FromText(std::wstring_view text, const LongField&) { return CLng(Val(text)); }
std::wstring FromText(std::wstring_view text, const TextField&) { return std::wstring(text); }

class Loader {
 public:
  Loader(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& languageFiles,
         SettingsEnvironment& environment)
      : context_(context), settings_(settings), languageFiles_(languageFiles), environment_(environment) {}

  template <class Step>
  void Run(Step&& step) {
    ++step_;
    try {
      std::forward<Step>(step)();
    } catch (const VbError& error) {
      environment_.ReportError(error, step_);
    }
  }

  void Load(const SettingDescriptor& row) {
    switch (row.rule) {
      case SettingRule::kStudioOnly:
        if (context_.IsVBA) return;
        break;
      case SettingRule::kIndentWidth:
        if (!settings_.CustomIndentWidth) return UseHostTabWidth();
        break;
      case SettingRule::kScrollHeight:
        if (!settings_.CustomScrollHeight) return UseWheelScrollLines();
        break;
      case SettingRule::kFirstRunStyle:
        if (!context_.IsVBA && !environment_.ReadValue(KeyOf(row), row.name)) return InstallStyle(row);
        break;
      case SettingRule::kPlain:
      case SettingRule::kUnderHome:
        break;
    }
    Read(row, KeyOf(row));
  }

  void LoadLanguageFiles() {
    languageFiles_.Clear();
    const std::wstring section = context_.IsVBA ? L"VBE" + context_.HostVersion.substr(0, 1) : L"VB6";
    const std::wstring lines = environment_.LanguagesSection(section);
    std::size_t start = 0;
    while (start < lines.size()) {
      const std::size_t end = std::min(lines.find(L'\0', start), lines.size());
      AddLanguage(std::wstring_view(lines).substr(start, end - start));
      start = end + 1;
    }
  }

  void EnsureCodeForeColors() {
    if (!settings_.SyntaxColoring_Operators) return;
    if (environment_.ReadValue(context_.IDESettingsKey, L"CodeForeColors") != kCodeForeColors) {
      // The host reads its own value only up to a terminating NUL.
      environment_.WriteValue(context_.IDESettingsKey, L"CodeForeColors", kCodeForeColors, true);
    }
  }

 private:
  std::wstring_view KeyOf(const SettingDescriptor& row) const {
    return row.key == SettingKey::kAddin ? std::wstring_view(context_.SettingsKey) : kVisualBasicHostKey;
  }

  // The member changes only once its value has converted.
  void Read(const SettingDescriptor& row, std::wstring_view key) {
    const std::optional<std::wstring> text = environment_.ReadValue(key, row.name);
    std::visit(
        [&](const auto& field) { settings_.*field.member = text ? FromText(*text, field) : Fallback(row, field); },
        row.field);
  }

  template <class T>
  T Fallback(const SettingDescriptor&, const SettingField<T>& field) const {
    return field.fallback;
  }
  std::wstring Fallback(const SettingDescriptor& row, const TextField& field) const {
    if (row.rule != SettingRule::kUnderHome) return std::wstring(field.fallback);
    return environment_.EnvironmentVariable(L"HOMEDRIVE") + environment_.EnvironmentVariable(L"HOMEPATH") +
           std::wstring(field.fallback);
  }

  void UseHostTabWidth() {
    settings_.IndentWidth = TabWidthOfValue(environment_.ReadValue(context_.IDESettingsKey, kTabWidthValue));
  }

  void UseWheelScrollLines() { settings_.ScrollHeight = ScrollHeightOfWheelLines(environment_.WheelScrollLines()); }

  void InstallStyle(const SettingDescriptor& row) {
    settings_.StyleIDE = true;
    environment_.SetIDEStyle(1);
    // Stored, so that the next connection does not install it again.
    environment_.WriteValue(context_.SettingsKey, row.name, L"True", false);
  }

  // "name = file"; the "=" is looked for from the second character on, so a
  // line without a name is skipped.
  void AddLanguage(std::wstring_view line) {
    const std::size_t at = line.find(L'=', 1);
    if (at == std::wstring_view::npos) return;
    languageFiles_.Add(LTrimBlanks(line.substr(at + 1)), TrimBlanks(line.substr(0, at)));
  }

  const SettingsContext& context_;
  Settings& settings_;
  KeyedCollection<std::wstring>& languageFiles_;
  SettingsEnvironment& environment_;
  long step_ = 0;
};

}  // namespace

std::int32_t TabWidthOfValue(const std::optional<std::wstring>& value) { return value ? CLng(Val(*value)) : 4; }

std::int32_t ScrollHeightOfWheelLines(long lines) { return lines == 0 ? 1 : static_cast<std::int32_t>(lines); }

void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& languageFiles,
                  SettingsEnvironment& environment) {
  Loader loader(context, settings, languageFiles, environment);
  for (const SettingDescriptor& row : SettingsTable()) {
    if (row.name == kLanguagesBefore) loader.Run([&] { loader.LoadLanguageFiles(); });
    if (row.name == kCodeForeColorsBefore) loader.Run([&] { loader.EnsureCodeForeColors(); });
    loader.Run([&] { loader.Load(row); });
  }
}

}  // namespace qv
