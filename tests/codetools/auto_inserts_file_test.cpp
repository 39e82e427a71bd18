// The shipped AutoInserts.ini: its bytes, its layout and what the add-in reads from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kit/list_file.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

const std::vector<std::wstring> kKeys = {
    L"ift",     L"ife",         L"ifee",    L"elif",     L"eif",     L"#ift",    L"#ife",     L"#ifee",   L"#elif",
    L"#eif",    L"#inc",        L"#reg",    L"#rege",    L"#ereg",   L"selc",    L"sele",     L"selce",   L"selee",
    L"esel",    L"iif",         L"swi",     L"cho",      L"msg",     L"msgq",    L"ifmsg",    L"fort",    L"forn",
    L"fore",    L"foren",       L"dow",     L"dowl",     L"dou",     L"doul",    L"dol",      L"dolw",    L"dolu",
    L"low",     L"lou",         L"oner",    L"oneg",     L"errl",    L"res",     L"*resn",    L"dep",     L"wit",
    L"typ",     L"enu",         L"func",    L"funce",    L"efunc",   L"sube",    L"esub",     L"efu",     L"esu",
    L"edo",     L"efo",         L"decFind", L"decForeg", L"decLock", L"typRECT", L"typPOINT", L"decInit", L"decFindEx",
    L"decSend", L"decSendLong", L"rct"};

TEST(AutoInsertsFile, BytesAndLayout) {
  const std::string bytes = test::ReadShipped("AutoInserts.ini");
  EXPECT_EQ(bytes.size(), 6624u);
  EXPECT_TRUE(bytes.ends_with("rct\t" + std::string(43, ' ') + "= Rect"));  // no line break after it
  const std::vector<std::wstring> lines = ListLines(test::DecodeAnsi(bytes));
  ASSERT_EQ(lines.size(), 66u);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 65);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 65);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const std::wstring& line = lines[i];
    EXPECT_EQ(line.substr(0, kKeys[i].size()), kKeys[i]);
    if (i + 1 < lines.size()) {
      // The key padded to 50 characters, then " = ".
      EXPECT_EQ(line.find_first_not_of(L' ', kKeys[i].size()), 51u);
      EXPECT_EQ(line.substr(50, 3), L" = ");
    }
  }
}

TEST(AutoInsertsFile, ReadAsTheAddInReadsIt) {
  const KeyedCollection<std::wstring> inserts = test::ShippedAutoInserts();
  EXPECT_EQ(inserts.Count(), 65);
  EXPECT_FALSE(inserts.Contains(L"resn"));
  EXPECT_FALSE(inserts.Contains(L"*resn"));
  const std::pair<const wchar_t*, const wchar_t*> quoted[] = {
      {L"ift", L"If {[Введите условие]} Then"},
      {L"ifee", L"If {[Введите условие]} Then(CrLf)(Tab)(CrLf)Else(CrLf)(Tab)(CrLf)End If"},
      {L"#inc", L"'#Include <{Введите путь}>"},
      {L"#rege", L"'#Region \"{Введите название}\"(CrLf)(Tab)(CrLf)'#End Region"},
      {L"selce", L"Select Case {[Введите условие]}(CrLf)(Tab)Case [Первое значение](CrLf)(Tab)(CrLf)End Select"},
      {L"cho", L"Choose({i}, True, False)"},
      {L"msg", L"MsgBox {\"Введите текст\"}, vbOKOnly"},
      {L"dol", L"Do(CrLf)(Tab){}(CrLf)Loop"},
      {L"errl", L"{ErrLine}:(CrLf)(Tab)MsgBox Error, vbExclamation + vbOkOnly"},
      {L"func", L"Function"},
      {L"typPOINT", L"Type POINT(CrLf)(Tab)x As Long(CrLf)(Tab)y As Long(CrLf)End Type"},
      {L"decInit", L"Declare Sub InitCommonControls Lib \"comctl32\" ()"},
      {L"rct", L"Rect"},
      {L"dep", L"Debug.Print {[Введите выражение]}"},
  };
  for (const auto& [key, expansion] : quoted) EXPECT_EQ(inserts.Item(key), expansion) << key;
  // In file order, the switched-off entry left out.
  long position = 1;
  for (const std::wstring& key : kKeys) {
    if (key.starts_with(L'*')) continue;
    EXPECT_EQ(*inserts.KeyAt(position++), key);
  }
  const std::vector<std::wstring> lines = ListLines(test::DecodeAnsi(test::ReadShipped("AutoInserts.ini")));
  EXPECT_EQ(lines[42], std::wstring(L"*resn").append(45, L' ') + L" = Resume Next");
}

}  // namespace
}  // namespace qv
