#include "addin/main_tables.h"

#include <windows.h>

#include <string>

#include "codetools/block_table.h"
#include "addin/addin_state.h"
#include "win/clipboard_text.h"
#include "kit/list_file.h"
#include "win/ansi_file.h"
#include "win/failure_log.h"
#include "win/files.h"

namespace qv {
namespace {

// A list file beside the library, created empty when missing; "" when it cannot be read.
std::wstring ListFileText(const wchar_t* name) {
  const std::wstring path = AppPath() + name;
  CreateIfMissing(path);
  return ReadAnsiFile(path).value_or(std::wstring());
}

}  // namespace

void FillTables(LoadTables& tables, const ListFileReader& read) {
  Guarded(L"AutoInserts.ini", [&] { tables.AutoInserts = ReadAutoInserts(read(L"AutoInserts.ini")); });
  Guarded(L"SyntaxColors.ini", [&] {
    SyntaxColorList colors = ReadSyntaxColors(read(L"SyntaxColors.ini"));
    tables.SyntaxTexts = std::move(colors.texts);
    tables.SyntaxTextColors = std::move(colors.colors);
  });
  Guarded(L"IncludingPaths.ini", [&] { tables.IncludingPaths = ReadIncludingPaths(read(L"IncludingPaths.ini")); });
  Guarded(L"PaletteColors", [&] { FillPalette(tables.PaletteColors); });
}

void Main() {
  static bool done = false;
  if (done) return;
  done = true;
  LoadTables& tables = Tables();
  tables.SavedClipboard = ClipboardText().value_or(std::wstring());
  GetBlockTable();
  FillTables(tables, ListFileText);
}

}  // namespace qv
