// The installation and removal runs against the in-memory platform: log lines in order, command
// lines, what is written and what is left.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/installer/fake_setup_platform.h"

namespace qv {
namespace {

using Lines = std::vector<std::wstring>;
constexpr wchar_t kFolder[] = L"C:\\Users\\u\\Programs\\Quorvane";

class SetupRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files[L"E:\\Languages.ini"] = "[VB6]\r\n";
    fake.files[L"E:\\Languages\\ru.dll"] = "ru";
  }
  bool Run(bool install, bool studio, bool office, std::wstring folder = kFolder) {
    fake.log.clear();
    fake.commands.clear();
    fake.statuses.clear();
    fake.deletions.clear();
    return RunSetup(fake, fake, {install, studio, office, std::move(folder)});
  }
  std::wstring In(const std::wstring& name) const { return std::wstring(kFolder) + L"\\" + name; }
  test::FakeSetupPlatform fake;
};

const Lines kInstallBoth = {
    L"Извлечение QuorvaneStudio.dll прошла успешно.",   L"Регистрация QuorvaneStudio.dll прошла успешно.",
    L"Извлечение QuorvaneOffice64.dll прошла успешно.", L"Регистрация QuorvaneOffice64.dll прошла успешно.",
    L"Извлечение QuorvaneOffice.dll прошла успешно.",   L"Регистрация QuorvaneOffice.dll прошла успешно.",
    L"Извлечение AutoInserts.ini прошла успешно.",      L"Извлечение ErrorHandlers.ini прошла успешно.",
    L"Извлечение SyntaxColors.ini прошла успешно.",     L"Извлечение IncludingPaths.ini прошла успешно.",
    L"Копирование Languages.ini прошла успешно.",       L"Копирование \\Languages\\ru.dll прошла успешно.",
    L"Извлечение Quorvane.chm прошла успешно."};

TEST_F(SetupRunTest, InstallingWritesRegistersAndRecords) {
  struct Case {
    bool studio, office, x64;
    Lines log;
  };
  const Case cases[] = {
      {true, true, true, Lines(kInstallBoth.begin(), kInstallBoth.begin() + 6)},
      {true, false, true, Lines(kInstallBoth.begin(), kInstallBoth.begin() + 2)},
      {false, true, false, Lines(kInstallBoth.begin() + 4, kInstallBoth.begin() + 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.studio * 2 + c.office);
    fake.native = c.x64 ? L"C:\\Windows\\Sysnative" : L"";
    fake.resources[L"QUORVANE"] = std::string("help\0\0", 6);
    fake.files[std::wstring(kFolder) + L"\\Quorvane.chm"] = "an older, longer help file";
    EXPECT_TRUE(Run(true, c.studio, c.office));
    Lines expected = c.log;
    expected.insert(expected.end(), kInstallBoth.end() - 7, kInstallBoth.end());
    EXPECT_EQ(fake.log, expected);
    EXPECT_EQ(fake.statuses.at(0), expected.at(0).substr(0, expected.at(0).find(L" прошла")) + L" ...");
    EXPECT_EQ(fake.files.at(std::wstring(kFolder) + L"\\Quorvane.chm"), std::string("help\0\0", 6));
    EXPECT_EQ(fake.files.at(std::wstring(kFolder) + L"\\Languages\\ru.dll"), "ru");
    EXPECT_TRUE(fake.folders.contains(std::wstring(kFolder) + L"\\Languages"));
    EXPECT_EQ(fake.recorded, kFolder);
    EXPECT_EQ(fake.commands.size(), c.log.size() / 2);
  }
}

TEST_F(SetupRunTest, RegistrationRunsTheSystemsRegsvr32ByFullPathAndWaits) {
  Run(true, true, true, L"D:\\");
  Run(false, true, true, L"D:\\");
  EXPECT_EQ(fake.commands,
            (Lines{L"C:\\Windows\\system32\\regsvr32.exe | \"C:\\Windows\\system32\\regsvr32.exe\" /u /s "
                   L"\"D:\\QuorvaneStudio.dll\" | 60000",
                   L"C:\\Windows\\system32\\regsvr32.exe | \"C:\\Windows\\system32\\regsvr32.exe\" /u /s "
                   L"\"D:\\QuorvaneOffice.dll\" | 60000",
                   L"C:\\Windows\\Sysnative\\regsvr32.exe | \"C:\\Windows\\Sysnative\\regsvr32.exe\" /u /s "
                   L"\"D:\\QuorvaneOffice64.dll\" | 60000"}));
  Run(true, false, true);
  EXPECT_EQ(fake.commands.at(0),
            L"C:\\Windows\\Sysnative\\regsvr32.exe | \"C:\\Windows\\Sysnative\\regsvr32.exe\" /s "
            L"\"C:\\Users\\u\\Programs\\Quorvane\\QuorvaneOffice64.dll\" | 60000");
}

TEST_F(SetupRunTest, FailuresGiveTheirLineAndTheRunGoesOn) {
  struct Case {
    const char* what;
    void (*arrange)(test::FakeSetupPlatform&);
    Lines failed;
  };
  const Case cases[] = {
      {"no Languages.ini",
       [](test::FakeSetupPlatform& f) { f.files.erase(L"E:\\Languages.ini"); },
       {L"Копирование Languages.ini не произошла."}},
      {"blocked path",
       [](test::FakeSetupPlatform& f) { f.blocked.insert(std::wstring(kFolder) + L"\\AutoInserts.ini"); },
       {L"Извлечение AutoInserts.ini не произошла."}},
      {"no resource",
       [](test::FakeSetupPlatform& f) { f.resources.erase(L"QUORVANEOFFICE"); },
       {L"Извлечение QuorvaneOffice.dll не произошла."}},
      {"exit code",
       [](test::FakeSetupPlatform& f) { f.exit_code = 3; },
       {L"Регистрация QuorvaneStudio.dll не произошла.", L"Регистрация QuorvaneOffice64.dll не произошла.",
        L"Регистрация QuorvaneOffice.dll не произошла."}},
      {"time-out",
       [](test::FakeSetupPlatform& f) { f.exit_code.reset(); },
       {L"Регистрация QuorvaneStudio.dll не произошла.", L"Регистрация QuorvaneOffice64.dll не произошла.",
        L"Регистрация QuorvaneOffice.dll не произошла."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    c.arrange(fake);
    EXPECT_FALSE(Run(true, true, true));
    ASSERT_EQ(fake.log.size(), kInstallBoth.size());
    Lines failed;
    for (std::size_t i = 0; i < fake.log.size(); ++i) {
      if (fake.log[i] != kInstallBoth[i]) failed.push_back(fake.log[i]);
    }
    EXPECT_EQ(failed, c.failed);
    fake = test::FakeSetupPlatform();
  }
  SetUp();
  fake.files.erase(L"E:\\Languages\\ru.dll");
  Run(true, true, true);
  EXPECT_EQ(fake.log.size(), kInstallBoth.size() - 1);  // an empty Languages folder copies nothing
}

const Lines kRemoveBoth = {L"Разрегистрация QuorvaneStudio.dll прошла успешно.",
                           L"Разрегистрация QuorvaneOffice.dll прошла успешно.",
                           L"Разрегистрация QuorvaneOffice64.dll прошла успешно.",
                           L"Удаление QuorvaneStudio.dll прошла успешно.",
                           L"Удаление QuorvaneOffice.dll прошла успешно.",
                           L"Удаление QuorvaneOffice64.dll прошла успешно.",
                           L"Удаление AutoInserts.ini прошла успешно.",
                           L"Удаление ErrorHandlers.ini прошла успешно.",
                           L"Удаление SyntaxColors.ini прошла успешно.",
                           L"Удаление Languages.ini прошла успешно.",
                           L"Удаление IncludingPaths.ini прошла успешно.",
                           L"Удаление Quorvane.chm прошла успешно.",
                           L"Удаление Languages\\ru.dll прошла успешно.",
                           L"Удаление ветки реестра прошла успешно."};

TEST_F(SetupRunTest, RemovingOneEnvironmentKeepsWhatTheOtherNeeds) {
  Run(true, true, true);
  fake.keys.insert({std::wstring(kProductKey) + L"\\VB", std::wstring(kProductKey) + L"\\VBA"});
  Run(false, false, true);
  EXPECT_EQ(fake.log, (Lines{kRemoveBoth[1], kRemoveBoth[2], kRemoveBoth[4], kRemoveBoth[5], kRemoveBoth.back()}));
  EXPECT_FALSE(fake.keys.contains(std::wstring(kProductKey) + L"\\VBA"));
  EXPECT_TRUE(fake.keys.contains(std::wstring(kProductKey) + L"\\VB"));
  EXPECT_EQ(fake.files.size(), 2u + 8u);  // the setup's two, the Studio library, six shared, one language
  EXPECT_TRUE(fake.folders.contains(kFolder));
  EXPECT_EQ(fake.deletions, Lines{L"Software\\Velmora\\Quorvane\\VBA"});
  Run(false, true, false);
  EXPECT_EQ(fake.log, (Lines{kRemoveBoth[0], kRemoveBoth[3], kRemoveBoth.back()}));
  EXPECT_TRUE(fake.keys.contains(kProductKey));
}

TEST_F(SetupRunTest, RemovingBothDeletesFilesFoldersAndKeys) {
  struct Case {
    const wchar_t* folder;
    bool folder_goes;
    const wchar_t* other_key;  // left under the maker's key
  };
  const Case cases[] = {
      {L"C:\\Apps\\Quorvane", true, nullptr},
      {L"C:\\Apps\\quorvane", false, nullptr},
      {L"C:\\Apps\\MyQuorvane", false, L"Software\\Velmora\\Other"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    SetUp();
    Run(true, true, true, c.folder);
    fake.keys.insert({std::wstring(kProductKey) + L"\\VB", std::wstring(kProductKey) + L"\\VBA"});
    if (c.other_key) fake.keys.insert(c.other_key);
    Run(false, true, true, c.folder);
    EXPECT_EQ(fake.log, kRemoveBoth);
    EXPECT_EQ(fake.files.size(), 2u);
    EXPECT_FALSE(fake.folders.contains(std::wstring(c.folder) + L"\\Languages"));
    EXPECT_EQ(fake.folders.contains(c.folder), !c.folder_goes);
    std::set<std::wstring> left = {L"Software"};
    if (c.other_key) left.insert({L"Software\\Velmora", c.other_key});
    EXPECT_EQ(fake.keys, left);
    EXPECT_EQ(fake.deletions, (Lines{L"Software\\Velmora\\Quorvane\\VB", L"Software\\Velmora\\Quorvane\\VBA",
                                     L"Software\\Velmora\\Quorvane", L"Software\\Velmora"}));
    fake = test::FakeSetupPlatform();
  }
}

const Lines kInstalled = {L"QuorvaneStudio.dll", L"QuorvaneOffice64.dll", L"QuorvaneOffice.dll", L"AutoInserts.ini",
                          L"ErrorHandlers.ini",  L"SyntaxColors.ini",     L"IncludingPaths.ini", L"Languages.ini",
                          L"Languages\\ru.dll",  L"Quorvane.chm"};

Lines Sorted(Lines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A folder the user typed by hand may hold files of others beside what the installation copied.
TEST_F(SetupRunTest, RemovalDeletesOnlyWhatTheInstallationCopied) {
  fake.files[In(L"notes.txt")] = "the user's";
  fake.files[In(L"Languages\\other.dll")] = "another program's";
  fake.files[In(L"Quorvane.chm")] = "the user's own, kept from being replaced";
  fake.blocked.insert(In(L"Quorvane.chm"));
  EXPECT_FALSE(Run(true, true, true));
  EXPECT_EQ(fake.recorded_files, Lines(kInstalled.begin(), kInstalled.end() - 1));
  EXPECT_TRUE(Run(false, true, true));
  Lines log = kRemoveBoth;
  log.erase(log.begin() + 11);  // the help file, never copied
  EXPECT_EQ(fake.log, log);
  EXPECT_EQ(fake.files.size(), 2u + 3u);  // the setup's two and the three of others
  EXPECT_TRUE(fake.files.contains(In(L"Languages\\other.dll")));
  EXPECT_TRUE(fake.folders.contains(In(L"Languages")));
  EXPECT_FALSE(fake.keys.contains(kProductKey));
}

// Installing the other environment later into the same folder adds to the record; another folder
// starts its own.
TEST_F(SetupRunTest, TheRecordOfAFolderGrowsWithEachInstallationIntoIt) {
  Run(true, true, false);
  Run(true, false, true);
  EXPECT_EQ(Sorted(*fake.recorded_files), Sorted(kInstalled));
  EXPECT_TRUE(Run(false, true, true));
  EXPECT_EQ(fake.log, kRemoveBoth);
  Run(true, true, false);
  Run(true, false, true, L"D:\\Other");
  EXPECT_EQ(fake.recorded_files->front(), L"QuorvaneOffice64.dll");
  EXPECT_FALSE(std::count(fake.recorded_files->begin(), fake.recorded_files->end(), L"QuorvaneStudio.dll"));
}

// The setup program that recorded no names wrote these on every run; the files of its Languages
// folder cannot be told from others' and stay.
TEST_F(SetupRunTest, AnInstallationWithoutRecordedNamesLosesTheNamesItAlwaysWrote) {
  for (const wchar_t* name : {L"QuorvaneStudio.dll", L"QuorvaneOffice.dll", L"AutoInserts.ini", L"Quorvane.chm",
                              L"Languages\\ru.dll", L"notes.txt"}) {
    fake.files[In(name)] = "old";
  }
  fake.RecordFolder(kFolder);
  EXPECT_TRUE(Run(false, true, true));
  EXPECT_EQ(fake.log, (Lines{kRemoveBoth[0], kRemoveBoth[1], kRemoveBoth[3], kRemoveBoth[4], kRemoveBoth[6],
                             kRemoveBoth[11], kRemoveBoth.back()}));
  EXPECT_TRUE(fake.files.contains(In(L"Languages\\ru.dll")));
  EXPECT_TRUE(fake.files.contains(In(L"notes.txt")));
  EXPECT_FALSE(fake.keys.contains(kProductKey));
}

// A library the host still has loaded, or one that could not be unregistered, stays with the list
// files it reads, and so do `Path` and the record of what is left: removal is offered again.
TEST_F(SetupRunTest, ARemovalThatFailedKeepsThePathAndWhatIsLeft) {
  struct Case {
    const char* what;
    void (*arrange)(test::FakeSetupPlatform&);
    Lines failed;
  };
  const Case cases[] = {
      {"loaded",
       [](test::FakeSetupPlatform& f) { f.held.insert(std::wstring(kFolder) + L"\\QuorvaneOffice.dll"); },
       {L"Удаление QuorvaneOffice.dll не произошла."}},
      {"still registered",
       [](test::FakeSetupPlatform& f) { f.exit_code = 5; },
       {L"Разрегистрация QuorvaneStudio.dll не произошла.", L"Разрегистрация QuorvaneOffice.dll не произошла.",
        L"Разрегистрация QuorvaneOffice64.dll не произошла.", L"Удаление QuorvaneStudio.dll не произошла.",
        L"Удаление QuorvaneOffice.dll не произошла.", L"Удаление QuorvaneOffice64.dll не произошла."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake = test::FakeSetupPlatform();
    SetUp();
    Run(true, true, true);
    fake.keys.insert({std::wstring(kProductKey) + L"\\VB", std::wstring(kProductKey) + L"\\VBA"});
    c.arrange(fake);
    EXPECT_FALSE(Run(false, true, true));
    Lines failed;
    for (const std::wstring& line : fake.log) {
      if (line.ends_with(L" не произошла.")) failed.push_back(line);
    }
    EXPECT_EQ(failed, c.failed);
    EXPECT_EQ(fake.log.back(), kRemoveBoth.back());
    EXPECT_EQ(fake.recorded, kFolder);
    Lines left;
    for (const std::wstring& name : kInstalled) {
      if (fake.files.contains(In(name))) left.push_back(name);
    }
    EXPECT_EQ(Sorted(fake.recorded_files.value_or(Lines{L"(none)"})), Sorted(left));
    EXPECT_TRUE(fake.files.contains(In(L"AutoInserts.ini")));
    EXPECT_TRUE(fake.keys.contains(kProductKey));
    EXPECT_TRUE(fake.keys.contains(std::wstring(kProductKey) + L"\\VBA"));
    // Once the host has let the library go, removal ends the work.
    fake.held.clear();
    fake.exit_code = 0;
    EXPECT_TRUE(Run(false, true, true));
    EXPECT_EQ(fake.files.size(), 2u);
    EXPECT_FALSE(fake.keys.contains(kProductKey));
  }
}

TEST_F(SetupRunTest, AKeyThatCannotBeDeletedGivesTheFailureLine) {
  Run(true, true, true);
  fake.keys.insert(std::wstring(kProductKey) + L"\\VB");
  fake.stuck_keys.insert(std::wstring(kProductKey) + L"\\VB");
  Run(false, true, true);
  EXPECT_EQ(fake.log.back(), L"Удаление ветки реестра не произошла.");
}

TEST(JoinPath, OneBackslashBetween) {
  EXPECT_EQ(JoinPath(L"C:\\", L"a.ini"), L"C:\\a.ini");
  EXPECT_EQ(JoinPath(L"C:\\x", L"a.ini"), L"C:\\x\\a.ini");
}

}  // namespace
}  // namespace qv
