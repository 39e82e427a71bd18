#include "addin/settings_environment.h"

#include <windows.h>

#include "addin/error_box.h"
#include "win/ansi_file.h"
#include "win/environment.h"
#include "win/files.h"
#include "win/host_settings.h"
#include "win/registry.h"

namespace qv {
namespace {

class RegistryEnvironment final : public SettingsEnvironment {
 public:
  explicit RegistryEnvironment(const std::function<void(long)>& set_ide_style) : set_ide_style_(set_ide_style) {}

  std::optional<std::wstring> ReadValue(std::wstring_view key, std::wstring_view name) override {
    return GetRegValue(HKEY_CURRENT_USER, key, name);
  }

  void WriteValue(std::wstring_view key, std::wstring_view name, std::wstring_view value, bool terminated) override {
    SetRegValue(HKEY_CURRENT_USER, key, name, value, terminated ? TextEnd::kNul : TextEnd::kNone);
  }

  std::wstring EnvironmentVariable(std::wstring_view name) override { return qv::EnvironmentVariable(name); }

  long WheelScrollLines() override { return qv::WheelScrollLines(); }

  void SetIDEStyle(long style) override { set_ide_style_(style); }

  // The whole section: the buffer grows until the section fits.
  std::wstring LanguagesSection(std::wstring_view section) override {
    const std::wstring file = AppPath() + L"Languages.ini";
    CreateIfMissing(file);
    const std::wstring name(section);
    std::wstring buffer(256, L'\0');
    for (;;) {
      const DWORD got = GetPrivateProfileSectionW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  file.c_str());
      // A section cut short comes back with size - 2 characters.
      if (got + 2 < buffer.size()) return buffer.substr(0, got);
      buffer.assign(buffer.size() * 2, L'\0');
    }
  }

  void ReportError(const VbError& error, long step) override { ShowError(error, step, MB_ICONEXCLAMATION); }

 private:
  const std::function<void(long)>& set_ide_style_;
};

}  // namespace

void LoadSettings(const SettingsContext& context, Settings& settings, KeyedCollection<std::wstring>& LanguageFiles,
                  const std::function<void(long)>& set_ide_style) {
  RegistryEnvironment environment(set_ide_style);
  LoadSettings(context, settings, LanguageFiles, environment);
}

}  // namespace qv
