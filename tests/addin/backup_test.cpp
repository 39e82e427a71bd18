// The backup command against the sandbox host: what it asks, when it saves, and that an archive
// appears only whole, under the clock's name, replacing one of the same second.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "addin/addin_state.h"
#include "addin/backup.h"
#include "addin/connection.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

namespace fs = std::filesystem;

class BackupTest : public CodePaneTest {
 protected:
  void SetUp() override {
    CodePaneTest::SetUp();
    folder_ = fs::temp_directory_path() / (L"qv_backup_" + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    CodePaneTest::TearDown();
    fs::remove_all(folder_);
  }

  // The active project, connected as the add-in of that personality sees it.
  ProjectObject& StartProject(Personality personality, std::wstring file_name = L"") {
    Host& host = HostTest::Start({.personality = personality});
    ProjectObject& project = host.AddProject(L"Proj", std::move(file_name));
    host.AddComponent(project, kStdModule, L"Module1", L"Sub A()\r\nEnd Sub");
    Connect();
    const bool vba = personality == Personality::kVba;
    qv::State().IsVBA = vba;
    qv::Bars().SaveProjectControl =
        qv::VBInstance().CommandBars().Item(L"Menu Bar").Controls().Item(1).Controls().Item(vba ? 3 : 5);
    save_ = host.FindControl({L"Menu Bar", L"File", vba ? L"Save" : L"Save Project"});
    return project;
  }
  ProjectObject& StartDocument(const std::string& bytes) {
    WriteDocument(bytes);
    return StartProject(Personality::kVba, (folder_ / L"Book1.xls").wstring());
  }
  void WriteDocument(const std::string& bytes) const {
    std::ofstream(folder_ / L"Book1.xls", std::ios::binary) << bytes;
  }

  static void Backup() { qv::BackupProject([] { return qv::ZipTime{2024, 3, 5, 14, 7, 9}; }); }
  long Saves() const { return save_->executes(); }
  bool Saved() const { return Get(Get(vbe(), L"ActiveVBProject").Object(), L"Saved").Bool(); }

  static std::set<std::wstring> Files(const fs::path& folder) {
    std::set<std::wstring> names;
    if (fs::exists(folder))
      for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().wstring());
    return names;
  }
  static std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path Archive() const { return folder_ / L"Book1_backup" / L"Book1_2024-03-05_14-07-09.zip"; }
  void ExpectBox(std::size_t index, const std::wstring& text, UINT style) const {
    ASSERT_LT(index, boxes_.boxes().size());
    EXPECT_EQ(text, boxes_.boxes()[index].text.substr(0, text.size()));
    EXPECT_EQ(style, boxes_.boxes()[index].style);
  }

  fs::path folder_;
  ControlObject* save_ = nullptr;
  MessageBoxWatcher boxes_;
};

TEST_F(BackupTest, ADocumentNeverSavedGivesNothing) {
  StartProject(Personality::kVba);
  Backup();
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_TRUE(Files(folder_).empty());
}

TEST_F(BackupTest, CancelLeavesEverythingAndYesSavesBeforeTheArchive) {
  ProjectObject& project = StartDocument("document");
  project.SetSaved(false);
  boxes_.Answer(IDCANCEL);
  Backup();
  ExpectBox(0, L"Сохранить проект?", MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ(0, Saves());
  EXPECT_EQ(std::set<std::wstring>{L"Book1.xls"}, Files(folder_));

  boxes_.Answer(IDYES);
  Backup();
  EXPECT_EQ(1, Saves());
  EXPECT_TRUE(Saved());
  ExpectBox(2, L"Архивация прошло успешно!", MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(3u, boxes_.boxes().size());
  EXPECT_EQ(std::set<std::wstring>{Archive().filename().wstring()}, Files(Archive().parent_path()));
  const std::string zip = Bytes(Archive());
  EXPECT_EQ(0u, zip.find("PK\3\4"));
  // The host's save wrote the document (the archive's content is read back in sample_backup_test).
  EXPECT_NE(std::string::npos, Bytes(folder_ / L"Book1.xls").find("Sub A()"));
  EXPECT_NE(std::string::npos, zip.find("Book1.xls")) << "stored under its own name";
}

TEST_F(BackupTest, TheSameSecondReplacesTheArchiveAndAFailureKeepsIt) {
  StartDocument("first");
  Backup();
  WriteDocument("second");
  Backup();
  EXPECT_EQ(std::set<std::wstring>{Archive().filename().wstring()}, Files(Archive().parent_path()));
  const std::string zip = Bytes(Archive());
  EXPECT_NE(std::string::npos, zip.find("second"));
  ExpectBox(1, L"Архивация прошло успешно!", MB_OK | MB_ICONINFORMATION);

  // The document cannot be read: the error box, the earlier archive untouched, no temporary file.
  const HANDLE locked = CreateFileW((folder_ / L"Book1.xls").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locked);
  Backup();
  CloseHandle(locked);
  ExpectBox(2, L"Ошибка доступа к пути/файлу\r\n" + (folder_ / L"Book1.xls").wstring(), MB_OK);
  EXPECT_EQ(3u, boxes_.boxes().size());
  EXPECT_EQ(zip, Bytes(Archive()));
  EXPECT_EQ(std::set<std::wstring>{Archive().filename().wstring()}, Files(Archive().parent_path()));
}

TEST_F(BackupTest, AVisualBasicProjectTakesItsFilesAndItsVersion) {
  ProjectObject& project = StartProject(Personality::kVb6);
  host_->AddComponent(project, kClassModule, L"Class1", L"Option Explicit");
  host_->SaveVb6Project(project, folder_.wstring(), 1, 2, 15);
  project.SetSaved(false);
  boxes_.Answer(IDNO);
  Backup();
  EXPECT_EQ(0, Saves()) << "No archives what is on disk";
  ExpectBox(1, L"Архивация прошло успешно!", MB_OK | MB_ICONINFORMATION);
  const fs::path archive = folder_ / L"Proj_backup" / L"Proj_2024-03-05_14-07-09_1.2.15.zip";
  EXPECT_EQ(std::set<std::wstring>{archive.filename().wstring()}, Files(archive.parent_path()));
  const std::string zip = Bytes(archive);
  for (const char* name : {"Proj.vbp", "Module1.bas", "Class1.cls"}) EXPECT_NE(std::string::npos, zip.find(name)) << name;
  ASSERT_GT(zip.size(), 22u);
  EXPECT_EQ(3, zip[zip.size() - 22 + 10]) << "three entries";

  // A component file that is gone: the error box, and no archive of the failed run.
  fs::remove(archive);
  fs::remove(folder_ / L"Class1.cls");
  project.SetSaved(true);
  Backup();
  ExpectBox(2, L"Ошибка доступа к пути/файлу", MB_OK);
  EXPECT_TRUE(Files(archive.parent_path()).empty());
}

}  // namespace
}  // namespace sbx::test
