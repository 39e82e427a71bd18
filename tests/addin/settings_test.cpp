// The settings as a connection loads them from the registry and Languages.ini.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "tests/addin/addin_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kOperatorColors[] = L"0 0 5 0 1 10 13 0 0 0 0 0 0 0 0 0 ";

// The stored bytes of a text value, NUL included when it was stored with one.
std::wstring RawText(const std::wstring& key, const wchar_t* name) {
  wchar_t data[256] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return L"(missing)";
  }
  return std::wstring(data, size / sizeof(wchar_t));
}

class SettingsTest : public AddinTest {
 protected:
  std::wstring IdeKey(const wchar_t* version) const {
    return library().personality == Personality::kVb6 ? L"Software\\Microsoft\\VBA\\Microsoft Visual Basic"
                                                      : L"Software\\Microsoft\\VBA\\" + std::wstring(version, 3) +
                                                            L"\\Common";
  }
};

TEST_P(SettingsTest, TheHostsOperatorColoursAreWrittenUnderItsOwnSettingsKey) {
  for (const wchar_t* version : {L"6.00", L"7.01"}) {
    StartHost({.version = version});
    ASSERT_TRUE(Connect());
    // The host reads its own value, so it keeps its terminating NUL.
    EXPECT_EQ(kOperatorColors + std::wstring(1, L'\0'), RawText(IdeKey(version), L"CodeForeColors")) << version;
    host_->ShutDown();
  }
}

TEST_P(SettingsTest, TheOperatorColoursAreLeftAloneWhenTheyAreRightOrNotWanted) {
  // As the host stores it; what follows the NUL shows whether the value was rewritten.
  const std::wstring stored = kOperatorColors + std::wstring(L"\0old", 4);
  RegSetKeyValueW(HKEY_CURRENT_USER, IdeKey(L"6.05").c_str(), L"CodeForeColors", REG_SZ, stored.c_str(),
                  static_cast<DWORD>(stored.size() * sizeof(wchar_t)));
  StartHost();
  ASSERT_TRUE(Connect());
  EXPECT_EQ(stored + L'\0', RawText(IdeKey(L"6.05"), L"CodeForeColors"));
  host_->ShutDown();

  RegDeleteKeyValueW(HKEY_CURRENT_USER, IdeKey(L"6.05").c_str(), L"CodeForeColors");
  SetSetting(L"SyntaxColoring.Operators", L"False");
  StartHost();
  ASSERT_TRUE(Connect());
  EXPECT_EQ(L"(missing)", RawText(IdeKey(L"6.05"), L"CodeForeColors"));
}

TEST_P(SettingsTest, AValueThatDoesNotConvertShowsOneBoxNamingItsStep) {
  SetSetting(L"AutoIndent", L"yes");
  StartHost();
  ASSERT_TRUE(Connect());
  ASSERT_EQ(1u, boxes_.boxes().size());
  const MessageBoxRecord& box = boxes_.boxes()[0];
  EXPECT_EQ(library().title, box.caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.style);
  EXPECT_NE(std::wstring::npos, box.text.find(L"\r\nв строке ")) << box.text;
  // The rest of the connection went on.
  host_->Pump(100);
  EXPECT_GT(Ticks(), 0);
}

TEST_P(SettingsTest, ALanguagesSectionLongerThanAnyFixedBufferIsReadWhole) {
  // A name repeated far into the section is an error that only a whole reading sees.
  std::string section = library().personality == Personality::kVba ? "[VBE6]\r\n" : "[VB6]\r\n";
  for (int i = 0; i < 40; ++i) section += "Language" + std::to_string(i) + "=file" + std::to_string(i) + ".dll\r\n";
  section += "Language0=again.dll\r\n";
  const std::wstring languages = qv::AppPath() + L"Languages.ini";
  std::ofstream(std::filesystem::path(languages), std::ios::binary) << section;
  StartHost();
  ASSERT_TRUE(Connect());
  DeleteFileW(languages.c_str());
  ASSERT_EQ(1u, boxes_.boxes().size());
  EXPECT_NE(std::wstring::npos, boxes_.boxes()[0].text.find(L"в строке ")) << boxes_.boxes()[0].text;
}

// The first connection of the Visual Basic 6.0 build installs the host's visual style, once; the VBA
// editor's never does.
TEST_P(SettingsTest, TheVisualStyleIsInstalledAtTheFirstConnectionOnly) {
  StartHost();
  ASSERT_TRUE(Connect());
  Pin();
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  if (library().personality == Personality::kVb6) {
    EXPECT_EQ(0u, Log().find(L"SetIDEStyle(1)\n")) << Log();
    EXPECT_EQ(Log().find(L"SetIDEStyle"), Log().rfind(L"SetIDEStyle")) << Log();
    EXPECT_EQ(L"True", qv::GetRegValue(HKEY_CURRENT_USER, library().settings_key, L"StyleIDE").value_or(L""));
  } else {
    EXPECT_EQ(std::wstring::npos, Log().find(L"SetIDEStyle")) << Log();
  }
}

INSTANTIATE_TEST_SUITE_P(Libraries, SettingsTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
