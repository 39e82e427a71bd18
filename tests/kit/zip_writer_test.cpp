// Archives of random file sets, read back by Python's zipfile and tested by unzip (natively only:
// the Windows build checks the failing sink and the names).
#include "kit/zip_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "kit/backup_names.h"

namespace qv {
namespace {

struct MemorySink : ByteSink {
  bool Write(std::string_view bytes) override {
    if (bytes_.size() + bytes.size() > limit) return false;
    bytes_ += bytes;
    return true;
  }
  std::string bytes_;
  std::size_t limit = std::string::npos;
};

#ifndef _WIN32
struct File {
  std::wstring name;
  std::string data;
};

// Empty files, incompressible bytes, compressible text; ASCII and Cyrillic names, some in folders.
std::vector<File> RandomFiles(unsigned seed) {
  std::mt19937 random(seed);
  const std::wstring names[] = {L"Module1.bas", L"Форма.frm", L"src\\Класс Ё.cls", L"a/b/readme.txt", L"x"};
  std::vector<File> files(random() % 6 + 1);
  for (std::size_t i = 0; i < files.size(); ++i) {
    files[i].name = std::to_wstring(i) + names[random() % std::size(names)];
    const std::size_t size = random() % 3 == 0 ? 0 : random() % 200000;
    if (random() % 2) {
      while (files[i].data.size() < size) files[i].data += "Dim x As Long ' строка " + std::to_string(random() % 50) + "\r\n";
    } else {
      for (std::size_t k = 0; k < size; ++k) files[i].data.push_back(static_cast<char>(random()));
    }
  }
  return files;
}

const char kCheck[] = R"(
import sys, zipfile
archive, folder = sys.argv[1], sys.argv[2]
names = open(folder + '/names', encoding='utf-8').read().split('\n')[:-1]
with zipfile.ZipFile(archive) as z:
    assert z.testzip() is None
    infos = z.infolist()
    assert [i.filename for i in infos] == names, ([i.filename for i in infos], names)
    for k, info in enumerate(infos):
        assert z.read(info) == open('%s/%d.bin' % (folder, k), 'rb').read(), info.filename
)";

TEST(ZipWriterTest, RandomFileSetsAreReadBackByZipfileAndUnzip) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("qv_zip_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "check.py") << kCheck;
  // Three sets that between them hold every kind of file and name, and the most files a set has;
  // the fuzz target tries the others.
  for (unsigned seed : {1u, 3u, 5u}) {
    const std::vector<File> files = RandomFiles(seed);
    MemorySink sink;
    ZipWriter writer(sink);
    std::ofstream names(folder / "names", std::ios::binary);
    for (std::size_t k = 0; k < files.size(); ++k) {
      ASSERT_TRUE(writer.Add(files[k].name, files[k].data, {2024, 3, 5, 14, 7, 9}));
      std::wstring slashed = files[k].name;
      for (wchar_t& c : slashed) c = c == L'\\' ? L'/' : c;
      names << Utf8(slashed) << '\n';
      std::ofstream(folder / (std::to_string(k) + ".bin"), std::ios::binary) << files[k].data;
    }
    names.close();
    ASSERT_TRUE(writer.Finish());
    std::ofstream(folder / "a.zip", std::ios::binary) << sink.bytes_;
    const std::string where = " '" + (folder / "a.zip").string() + "' '" + folder.string() + "'";
    EXPECT_EQ(0, std::system(("python3 '" + (folder / "check.py").string() + "'" + where).c_str())) << seed;
    EXPECT_EQ(0, std::system(("unzip -tq" + where.substr(0, where.rfind(" '")) + " >/dev/null").c_str())) << seed;
  }
  std::filesystem::remove_all(folder);
}
#endif

TEST(ZipWriterTest, ASinkThatFailsLeavesTheWriterFailing) {
  const std::string text(100000, 'a');
  MemorySink whole;
  ZipWriter complete(whole);
  EXPECT_TRUE(complete.Add(L"a.txt", text, {}) && complete.Add(L"b.txt", "", {}) && complete.Finish());
  EXPECT_LT(whole.bytes_.size(), 1000u) << "compressible data is deflated";
  EXPECT_EQ(std::string("PK\5\6", 4), whole.bytes_.substr(whole.bytes_.size() - 22, 4));
  for (std::size_t limit : {std::size_t{0}, std::size_t{10}, std::size_t{40}, whole.bytes_.size() - 1}) {
    MemorySink sink;
    sink.limit = limit;
    ZipWriter writer(sink);
    const bool first = writer.Add(L"a.txt", text, {});
    EXPECT_FALSE(first && writer.Add(L"b.txt", "", {}) && writer.Finish()) << limit;
    EXPECT_FALSE(writer.Finish()) << limit;
  }
}

TEST(BackupNamesTest, FolderAndArchiveNames) {
  const ZipTime now{2024, 3, 5, 14, 7, 9};
  const struct {
    BackupNames names;
    std::wstring folder, archive;
  } cases[] = {
      {DocumentBackupNames(L"C:\\Work\\Book1.xls", now), L"C:\\Work\\Book1_backup\\",
       L"C:\\Work\\Book1_backup\\Book1_2024-03-05_14-07-09.zip"},
      {DocumentBackupNames(L"C:\\Отчёт.v2.xlsm", now), L"C:\\Отчёт_backup\\",
       L"C:\\Отчёт_backup\\Отчёт_2024-03-05_14-07-09.zip"},
      {ProjectBackupNames(L"D:\\P\\App.VBP", L"Proj", L"Type=Exe\r\nMajorVer=1\r\nMinorVer=2\r\nRevisionVer=15\r\n", now),
       L"D:\\P\\App_backup\\", L"D:\\P\\App_backup\\Proj_2024-03-05_14-07-09_1.2.15.zip"},
      // Without version lines the name still ends in ".zip".
      {ProjectBackupNames(L"D:\\P\\App.vbp", L"Proj", L"Type=Exe\r\n", now), L"D:\\P\\App_backup\\",
       L"D:\\P\\App_backup\\Proj_2024-03-05_14-07-09_.zip"},
      {ProjectBackupNames(L"D:\\P\\App.mak", L"Proj", L"majorver=3\nMajorVer=..\\..\\x\nMinorVer=2 \\ 0\n", now),
       L"D:\\P\\App.mak_backup\\", L"D:\\P\\App.mak_backup\\Proj_2024-03-05_14-07-09_.20.zip"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.folder, c.names.folder);
    EXPECT_EQ(c.archive, c.names.archive);
  }
  EXPECT_EQ(L"_", VersionPart(L"Name=\"App\"\r\nMajorVer\r\n"));
  EXPECT_EQ(L"_7.1.0.", VersionPart(L"RevisionVer=7\r\nMajorVer=1\nMinorVer=0"));
  EXPECT_EQ(L"2024-12-31_23-59-58", BackupDateText({2024, 12, 31, 23, 59, 58}));
  EXPECT_EQ(L"Book1.xls", ArchiveEntryName(L"C:\\Work\\Book1.xls"));
  EXPECT_EQ(L"x", ArchiveEntryName(L"x"));
}

}  // namespace
}  // namespace qv
