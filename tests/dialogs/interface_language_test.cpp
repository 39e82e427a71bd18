#include "dialogs/interface_language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/vb_error.h"
#include "tests/dialogs/scripted_prompts.h"
#include "tests/dialogs/temp_folder.h"
#include "win/ansi_file.h"
#include "win/files.h"

namespace qv::test {
namespace {

// The dialog that asked for the change.
HWND Owner() { return GetDesktopWindow(); }

TEST(LanguageTargetTest, TheHostsInterfaceLibrary) {
  const struct {
    std::optional<std::wstring> runtime;
    const wchar_t* version;
    const wchar_t* folder;
    const wchar_t* file;
  } cases[] = {
      {std::nullopt, L"7.01", L"C:\\Program Files\\Common Files\\Microsoft Shared\\VBA\\VBA7\\1049\\", L"VBE7INTL.DLL"},
      {std::nullopt, L"6.05", L"C:\\Program Files\\Common Files\\Microsoft Shared\\VBA\\VBA6\\1049\\", L"VBE6INTL.DLL"},
      {L"D:\\Shared\\VBA\\mso97rt.dll", L"6.05", L"D:\\Shared\\VBA\\VBA6\\1049\\", L"VBE6INTL.DLL"},
  };
  for (const auto& c : cases) {
    const LanguageTarget target = VbaLanguageTarget(c.runtime, L"C:\\Program Files", c.version);
    EXPECT_EQ(c.folder, target.folder) << c.version;
    EXPECT_EQ(c.file, target.file) << c.version;
  }
  const LanguageTarget vb6 = Vb6LanguageTarget(L"C:\\VS\\VB98\\VB6.EXE");
  EXPECT_EQ(L"C:\\VS\\VB98\\", vb6.folder);
  EXPECT_EQ(L"VB6IDE.DLL", vb6.file);
}

TEST(LanguageBatchTest, IsSixLines) {
  EXPECT_EQ(
      L"@echo off\r\n"
      L":try\r\n"
      L"del VBE7INTL.DLL\r\n"
      L"if exist VBE7INTL.DLL goto try\r\n"
      L"copy \"C:\\Q\\Languages\\vbe7eng.dll\", VBE7INTL.DLL\r\n"
      L"del ChangeLanguageIDE.bat\r\n",
      LanguageBatch(L"C:\\Q\\Languages\\vbe7eng.dll", L"VBE7INTL.DLL"));
}

// An entry of Languages.ini names a file of the Languages folder and nothing else.
TEST(LanguageSourceTest, OnlyABareFileNameIsTaken) {
  EXPECT_EQ(L"C:\\Q\\Languages\\vbe7eng.dll", LanguageSource(L"C:\\Q\\", L"vbe7eng.dll"));
  EXPECT_EQ(L"C:\\Q\\Languages\\", LanguageSource(L"C:\\Q\\", L"")) << "a language without a file";
  for (const wchar_t* entry : {L"..\\..\\Windows\\x.dll", L"sub\\x.dll", L"sub/x.dll", L"C:x.dll", L"D:\\x.dll", L"..",
                               L"x..dll", L"\\\\server\\x.dll"}) {
    EXPECT_EQ(std::nullopt, LanguageSource(L"C:\\Q\\", entry)) << entry;
  }
}

class ReplaceLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW(folder_.File(L"Языки").c_str(), nullptr);
    CreateDirectoryW(folder_.File(L"VBA6").c_str(), nullptr);
    target_ = {folder_.File(L"VBA6") + L"\\", L"VBE6INTL.DLL"};
  }

  std::wstring Batch() const { return target_.folder + L"ChangeLanguageIDE.bat"; }

  TempFolder folder_;
  ScriptedPrompts prompts_;
  LanguageTarget target_;
  const std::wstring source_ = folder_.File(L"Языки\\Английский.dll");
};

TEST_F(ReplaceLanguageTest, AMissingSourceGivesASilentFalse) {
  ASSERT_TRUE(WriteFileBytes(target_.folder + target_.file, "old"));
  EXPECT_FALSE(ReplaceLanguageLibrary(source_, target_, true, Owner()));
  EXPECT_FALSE(ReplaceLanguageLibrary(folder_.File(L"Языки\\"), target_, true, Owner())) << "a language without a file";
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_FALSE(FileExists(Batch()));
}

TEST_F(ReplaceLanguageTest, AMissingTargetGivesItsMessage) {
  ASSERT_TRUE(WriteFileBytes(source_, "new"));
  for (const bool is_vba : {true, false}) {
    EXPECT_FALSE(ReplaceLanguageLibrary(source_, target_, is_vba, Owner()));
  }
  ASSERT_EQ(2u, prompts_.shown.size());
  for (const ShownMessage& shown : prompts_.shown) {
    EXPECT_EQ(Owner(), shown.owner);
    EXPECT_EQ(L"Невозможно определить путь к VBA", shown.text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shown.style);
  }
  EXPECT_FALSE(FileExists(Batch()));
}

// The batch as the command interpreter runs it, the Cyrillic source path read in the interpreter's
// code page: it replaces the library and deletes itself.
TEST_F(ReplaceLanguageTest, TheBatchReplacesTheLibraryAndGoes) {
  const struct {
    bool is_vba;
    const wchar_t* close;
  } cases[] = {{true, L"VBA и приложения Office."}, {false, L"VB."}};
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileBytes(source_, c.is_vba ? "new VBA" : "new VB"));
    ASSERT_TRUE(WriteFileBytes(target_.folder + target_.file, "old"));
    prompts_.shown.clear();
    EXPECT_TRUE(ReplaceLanguageLibrary(source_, target_, c.is_vba, Owner()));
    ASSERT_EQ(1u, prompts_.shown.size());
    EXPECT_EQ(std::wstring(L"Язык интерфейса будеть изменятся после перезапуска программы.\r\n"
                           L"Чтобы изменение вступили в силу закройте все окна ") +
                  c.close,
              prompts_.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), prompts_.shown[0].style);
    EXPECT_EQ(Owner(), prompts_.shown[0].owner);
    // The batch runs on its own; it is done when it has deleted itself.
    for (int wait = 0; wait < 1500 && FileExists(Batch()); ++wait) Sleep(20);
    EXPECT_FALSE(FileExists(Batch()));
    EXPECT_EQ(c.is_vba ? "new VBA" : "new VB", ReadFileBytes(target_.folder + target_.file));
  }
}

// The command interpreter reads the batch in the OEM code page: a path with a letter it has no place
// for would copy another file, or none, after the host's library is gone.
TEST_F(ReplaceLanguageTest, APathTheBatchCannotHoldIsSaidAndChangesNothing) {
  const std::wstring source = folder_.File(L"Языки\\Ελληνικά.dll");
  ASSERT_TRUE(WriteFileBytes(source, "new"));
  ASSERT_TRUE(WriteFileBytes(target_.folder + target_.file, "old"));
  EXPECT_FALSE(ReplaceLanguageLibrary(source, target_, true, Owner()));
  ASSERT_EQ(1u, prompts_.shown.size());
  EXPECT_EQ(Owner(), prompts_.shown[0].owner);
  EXPECT_NE(std::wstring::npos, prompts_.shown[0].text.find(source)) << prompts_.shown[0].text;
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), prompts_.shown[0].style);
  EXPECT_FALSE(FileExists(Batch()));
  EXPECT_EQ("old", ReadFileBytes(target_.folder + target_.file));
}

TEST_F(ReplaceLanguageTest, ABatchThatCannotBeWrittenIsReportedInRussian) {
  ASSERT_TRUE(WriteFileBytes(source_, "new"));
  ASSERT_TRUE(WriteFileBytes(target_.folder + target_.file, "old"));
  ASSERT_TRUE(WriteFileBytes(Batch(), ""));
  const HANDLE held =
      CreateFileW(Batch().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  try {
    ReplaceLanguageLibrary(source_, target_, false, Owner());
    ADD_FAILURE() << "no error";
  } catch (const VbError& error) {
    EXPECT_EQ(75, error.number);
    EXPECT_EQ(L"Ошибка доступа к пути/файлу: " + Batch(), error.description);
  }
  CloseHandle(held);
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_EQ("old", ReadFileBytes(target_.folder + target_.file));
}

}  // namespace
}  // namespace qv::test
