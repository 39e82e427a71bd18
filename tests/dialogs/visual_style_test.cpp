#include "dialogs/visual_style.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/case_fold.h"
#include "kit/vb_error.h"
#include "tests/dialogs/scripted_prompts.h"
#include "tests/dialogs/temp_folder.h"
#include "win/ansi_file.h"
#include "win/files.h"

namespace qv::test {
namespace {

constexpr wchar_t kMessage[] = L"Стиль интерфейса будеть изменятся после перезапуска программы";

#ifdef _WIN64
constexpr const char* kArch = "amd64";
#else
constexpr const char* kArch = "x86";
#endif

const std::string kHead =
    std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
                "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"") +
    kArch + "\" name=\"prjThemed\" type=\"win32\" />\r\n";
const std::string kBlock = std::string(
                               "<dependency>\r\n"
                               "<dependentAssembly>\r\n"
                               "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
                               "version=\"6.0.0.0\" processorArchitecture=\"") +
                           kArch +
                           "\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />\r\n"
                           "</dependentAssembly>\r\n"
                           "</dependency>\r\n"
                           "</assembly>\r\n";

// UTF-8 with a byte-order mark and Cyrillic in a comment.
const std::string kForeignBody =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<!-- \xD0\xA7\xD1\x83\xD0\xB6\xD0\xBE\xD0\xB9 -->\r\n";
const std::string kForeign = kForeignBody + "</assembly>\r\n";
const std::string kForeignStyled =
    "<assembly><dependency><assemblyIdentity name=\"Microsoft.Windows.Common-Controls\"/></dependency></assembly>";

// The window the boxes belong to: the dialog that asked for the change.
HWND Owner() { return GetDesktopWindow(); }

class VisualStyleTest : public ::testing::Test {
 protected:
  StyledHost Host(bool is_vba, const wchar_t* program = L"Host.exe") const {
    return {is_vba, folder_.File(program)};
  }
  std::wstring Manifest(const wchar_t* program = L"Host.exe") const {
    return folder_.File(program) + L".MANIFEST";
  }
  std::optional<std::string> Bytes(const std::wstring& path) const { return ReadFileBytes(path); }
  void Put(const std::wstring& path, const std::string& bytes) const { ASSERT_TRUE(WriteFileBytes(path, bytes)); }
  size_t Messages() const {
    for (const ShownMessage& shown : prompts_.shown) {
      EXPECT_EQ(Owner(), shown.owner);
      EXPECT_EQ(kMessage, shown.text);
      EXPECT_EQ(L"QuorvaneOffice", shown.caption);
      EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), shown.style);
    }
    return prompts_.shown.size();
  }

  TempFolder folder_;
  ScriptedPrompts prompts_;
};

TEST_F(VisualStyleTest, OnWritesTheNineLinesForTheBuildsArchitecture) {
  for (const bool is_vba : {true, false}) {
    SetIDEStyleOf(Host(is_vba), 1, Owner());
    EXPECT_EQ(kHead + kBlock, Bytes(Manifest())) << is_vba;
    EXPECT_EQ(1, IDEStyleOf(Host(is_vba)));
    DeleteFileW(Manifest().c_str());
  }
  EXPECT_EQ(2u, Messages());
}

TEST_F(VisualStyleTest, OffDeletesTheAddinsOwnManifestInBothHosts) {
  for (const bool is_vba : {false, true}) {
    Put(Manifest(), kHead + kBlock);
    SetIDEStyleOf(Host(is_vba), 0, Owner());
    EXPECT_FALSE(FileExists(Manifest())) << is_vba;
    EXPECT_EQ(0, IDEStyleOf(Host(is_vba)));
  }
  Put(Manifest(), "<assembly Name=\"prjThemed\"><dependency>Microsoft.Windows.Common-Controls</assembly>");
  SetIDEStyleOf(Host(true), 0, Owner());
  EXPECT_FALSE(FileExists(Manifest())) << "a manifest named as the add-in's own goes whole";
  EXPECT_EQ(3u, Messages());
}

TEST_F(VisualStyleTest, AForeignManifestGetsTheBlockAndGoesBackToItsBytes) {
  Put(Manifest(), kForeign);
  SetIDEStyleOf(Host(true), 1, Owner());
  EXPECT_EQ(kForeignBody + kBlock, Bytes(Manifest()));
  SetIDEStyleOf(Host(true), 0, Owner());
  EXPECT_EQ(kForeign, Bytes(Manifest()));
  EXPECT_EQ(2u, Messages());
}

TEST_F(VisualStyleTest, TheStateThatHoldsAlreadyChangesNothingAndSaysNothing) {
  const struct {
    bool is_vba;
    std::optional<std::string> manifest;
    long style;
  } cases[] = {
      {true, std::nullopt, 0},    {false, std::nullopt, 0},
      {false, kForeign, 1},       // the Visual Basic 6.0 IDE: any manifest counts
      {true, kForeignStyled, 1},  // the VBA editor: a manifest with the common controls
  };
  for (const auto& c : cases) {
    if (c.manifest) Put(Manifest(), *c.manifest);
    SetIDEStyleOf(Host(c.is_vba), c.style, Owner());
    EXPECT_EQ(c.manifest, Bytes(Manifest())) << c.is_vba << " " << c.style;
    DeleteFileW(Manifest().c_str());
  }
  EXPECT_EQ(0u, Messages());
}

TEST_F(VisualStyleTest, AForeignManifestWithoutItsEndOrTheBlockIsLeftAlone) {
  const struct {
    std::string manifest;
    long style;
  } cases[] = {{"<assembly>", 1}, {"<assembly>Microsoft.Windows.Common-Controls</assembly>", 0}};
  for (const auto& c : cases) {
    Put(Manifest(), c.manifest);
    SetIDEStyleOf(Host(true), c.style, Owner());
    EXPECT_EQ(c.manifest, Bytes(Manifest()));
  }
  EXPECT_EQ(0u, Messages());
}

// The new text goes into a file of its own, which then takes the old one's place: a short write can
// leave a part of a temporary file behind, never a part of a manifest.
TEST_F(VisualStyleTest, TheManifestIsReplacedNeverWrittenOver) {
  const auto identity = [](const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    return (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  };
  for (const long style : {1, 0}) {
    Put(Manifest(), style == 1 ? kForeign : kForeignBody + kBlock);
    const unsigned long long before = identity(Manifest());
    SetIDEStyleOf(Host(true), style, Owner());
    EXPECT_NE(before, identity(Manifest())) << style;
  }
  EXPECT_EQ(kForeign, Bytes(Manifest()));
  EXPECT_EQ(2u, Messages());
}

TEST_F(VisualStyleTest, AManifestThatCannotBeReplacedIsReportedInRussianAndKept) {
  Put(Manifest(), kForeign);
  const HANDLE held = CreateFileW(Manifest().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  try {
    SetIDEStyleOf(Host(true), 1, Owner());
    ADD_FAILURE() << "no error";
  } catch (const VbError& error) {
    EXPECT_EQ(75, error.number);
    EXPECT_EQ(L"Ошибка доступа к пути/файлу: " + Manifest(), error.description);
  }
  CloseHandle(held);
  EXPECT_EQ(kForeign, Bytes(Manifest()));
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(folder_.File(L"qv*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "no temporary file is left";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  EXPECT_EQ(0u, Messages());
}

TEST(ExcelManifestTest, IsCopiedOnlyWhereThereIsNoneAndNeverOntoItself) {
  const struct {
    std::string excel;
    const wchar_t* program;
    std::optional<std::string> manifest;
    std::string result;
    size_t messages;
  } cases[] = {
      {kForeignStyled, L"Host.exe", std::nullopt, kForeignStyled, 0},  // styled by the copy
      {kForeign, L"Host.exe", std::nullopt, kForeignBody + kBlock, 1},  // copied, then styled
      {kForeignStyled, L"Host.exe", kForeign, kForeignBody + kBlock, 1},  // the host's own is kept
      {kForeign, L"EXCEL.EXE", kForeign, kForeignBody + kBlock, 1},  // Excel's is its own
  };
  for (const auto& c : cases) {
    TempFolder folder;
    ScriptedPrompts prompts;
    const std::wstring manifest = folder.File(c.program) + L".MANIFEST";
    ASSERT_TRUE(WriteFileBytes(folder.File(L"EXCEL.EXE.MANIFEST"), c.excel));
    if (c.manifest) {
      ASSERT_TRUE(WriteFileBytes(manifest, *c.manifest));
    }
    SetIDEStyleOf({true, folder.File(c.program)}, 1, Owner());
    EXPECT_EQ(c.result, ReadFileBytes(manifest)) << c.program;
    EXPECT_EQ(c.messages, prompts.shown.size()) << c.program;
  }
}

TEST(HostExePathTest, IsTheRunningProgram) {
  const std::wstring path = GetHostExePath();
  EXPECT_TRUE(FileExists(path)) << path;
  const std::wstring name = L"\\dialogs_tests.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(name, FoldCase(path.substr(path.size() - name.size())));
}

}  // namespace
}  // namespace qv::test
