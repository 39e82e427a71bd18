#include "addin/main_tables.h"

#include <windows.h>

#include <string>

#include "codetools/block_table.h"
#include "addin/addin_state.h"
#include "win/clipboard_text.h"
#include "kit/list_file.h"
#include "win/ansi_file.h"
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

void Main() {
  static bool done = false;
  if (done) return;
  done = true;
  LoadTables& tables = Tables();
  tables.SavedClipboard = ClipboardText().value_or(std::wstring());
  GetBlockTable();
  tables.AutoInserts = ReadAutoInserts(ListFileText(L"AutoInserts.ini"));
  SyntaxColorList colors = ReadSyntaxColors(ListFileText(L"SyntaxColors.ini"));
  tables.SyntaxTexts = std::move(colors.texts);
  tables.SyntaxTextColors = std::move(colors.colors);
  tables.IncludingPaths = ReadIncludingPaths(ListFileText(L"IncludingPaths.ini"));
  FillPalette(tables.PaletteColors);
}

}  // namespace qv
