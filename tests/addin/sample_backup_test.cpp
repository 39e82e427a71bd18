// The backup of the built libraries on the sandbox's sample project, started by a mouse click on the
// toolbar: the host saves the edited project to its files, and the archive beside it is one that
// unzip accepts, holding the project's files.
#include <windows.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "sandbox/sample/sample_project.h"
#include "sandbox/ui/input.h"
#include "tests/addin/addin_fixture.h"
#include "tests/addin/unix_command.h"
#include "win/ansi_file.h"

namespace sbx::test {
namespace {

namespace fs = std::filesystem;

class SampleBackupTest : public AddinTest {
 protected:
  std::wstring file() const override { return library().file + std::wstring(L".dll"); }
  void SetUp() override {
    AddinTest::SetUp();
    folder_ = fs::temp_directory_path() / (L"qv_sample_" + std::to_wstring(GetCurrentProcessId()));
  }
  void TearDown() override {
    AddinTest::TearDown();
    fs::remove_all(folder_);
  }

  // The files the sample's project lives in.
  std::set<std::string> SampleFiles() const {
    if (library().personality == Personality::kVba) return {"Sample.xls"};
    return {"Sample.vbp", "Main.bas", "TextTools.bas", "Customer.cls", "OrderForm.frm"};
  }

  fs::path folder_;
};

TEST_P(SampleBackupTest, AToolbarClickSavesTheEditedSampleAndArchivesItsFilesBesideIt) {
  StartHost();
  // Not a first start: the Visual Basic 6.0 IDE's would put a style manifest beside this program.
  SetSetting(L"StyleIDE", L"False");
  const ProjectObject& project = OpenSampleProject(*host_, folder_.wstring());
  ASSERT_TRUE(Connect());
  PumpTicks(2);
  const Variant module = CodeModule();
  Invoke(module.Object(), L"InsertLines", DISPATCH_METHOD, {1L, L"' правка"});
  ASSERT_FALSE(Get(Get(vbe(), L"ActiveVBProject").Object(), L"Saved").Bool());

  boxes_.Answer(IDYES);
  SendClick(OnScreen({L"Quorvane", L"Архивировать"}));
  std::wstring shown;
  for (const auto& box : boxes_.boxes()) shown += box.text + L"\n";
  ASSERT_EQ(2u, boxes_.boxes().size()) << testing::PrintToString(shown);
  EXPECT_EQ(L"Сохранить проект?", boxes_.boxes()[0].text);
  EXPECT_EQ(L"Архивация прошло успешно!", boxes_.boxes()[1].text);
  EXPECT_TRUE(Get(Get(vbe(), L"ActiveVBProject").Object(), L"Saved").Bool());
  // The save wrote the edit to the module's file: the document, or the module's own file.
  const std::wstring saved = library().personality == Personality::kVba
                                 ? project.file_name()
                                 : project.components().Find(L"Main")->file_name();
  EXPECT_NE(std::wstring::npos, qv::ReadAnsiFile(saved).value_or(L"").find(L"' правка\r\nOption Explicit"));

  std::vector<fs::path> archives;
  for (const auto& entry : fs::directory_iterator(folder_ / L"Sample_backup")) archives.push_back(entry.path());
  ASSERT_EQ(1u, archives.size());
  EXPECT_EQ(L".zip", archives.front().extension().wstring());
  const std::string zip = UnixPath(archives.front().wstring());
  const std::optional<UnixResult> test = RunUnixCommand("unzip -t '" + zip + "'");
  ASSERT_TRUE(test);
  EXPECT_EQ(0, test->status) << test->output;
  const std::optional<UnixResult> listing = RunUnixCommand("unzip -Z1 '" + zip + "'");
  ASSERT_TRUE(listing);
  std::set<std::string> names;
  std::istringstream lines(listing->output);
  for (std::string name; std::getline(lines, name);) names.insert(name);
  EXPECT_EQ(SampleFiles(), names);
  // The archive holds the file as the save wrote it.
  const std::optional<UnixResult> content =
      RunUnixCommand("unzip -p '" + zip + "' '" + fs::path(saved).filename().string() + "'");
  ASSERT_TRUE(content);
  EXPECT_EQ(qv::ReadFileBytes(saved), content->output);
}

INSTANTIATE_TEST_SUITE_P(Libraries, SampleBackupTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
