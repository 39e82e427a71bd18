// The load-time tables: a list file whose step fails leaves only its own table empty.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "addin/main_tables.h"
#include "kit/vb_error.h"
#include "win/failure_log.h"

namespace qv {
namespace {

std::wstring g_failures;

TEST(FillTablesTest, AFailingListFileStopsOnlyItsOwnTable) {
  const wchar_t* const files[] = {L"AutoInserts.ini", L"SyntaxColors.ini", L"IncludingPaths.ini"};
  SetFailureSink([](std::wstring_view line) noexcept { g_failures += line; });
  for (const wchar_t* failing : files) {
    g_failures.clear();
    LoadTables tables;
    FillTables(tables, [&](const wchar_t* name) -> std::wstring {
      if (std::wstring_view(name) == failing) throw VbError(53, L"Файл не найден");
      return L"ab=one\r\nx=2\r\n";
    });
    const std::wstring_view name(failing);
    const std::string trace(name.begin(), name.end());
    EXPECT_EQ(name == L"AutoInserts.ini" ? 0 : 2, tables.AutoInserts.Count()) << trace;
    EXPECT_EQ(name == L"SyntaxColors.ini" ? 0 : 2, tables.SyntaxTexts.Count()) << trace;
    EXPECT_EQ(name == L"SyntaxColors.ini" ? 0 : 2, tables.SyntaxTextColors.Count()) << trace;
    EXPECT_EQ(name == L"IncludingPaths.ini" ? 0 : 2, tables.IncludingPaths.Count()) << trace;
    EXPECT_NE(0, tables.PaletteColors[1][1]) << "the palette is filled after a failing file";
    EXPECT_NE(std::wstring::npos, g_failures.find(failing)) << "the failure is recorded with its step";
  }
  SetFailureSink(nullptr);
}

}  // namespace
}  // namespace qv
