#include "kit/settings_table.h"

#include "kit/palette.h"

namespace qv {
namespace {

using enum SettingKey;
using enum SettingRule;
using S = Settings;

constexpr std::wstring_view kCustomCode =
    L"On Error Goto ErrorHandler\r\n"
    L"\r\n"
    L"Exit (MemberType)\r\n"
    L"ErrorHandler:\r\n"
    L"MsgBox Error, vbExclamation + vbOkOnly";

constexpr std::int32_t kTextColor = 182 + 21 * 0x100 + 21 * 0x10000;  // RGB(182, 21, 21)

constexpr SettingDescriptor kTable[] = {
    {L"SDI", BoolField{&S::IsSDI, false}, kVisualBasicHost, kStudioOnly},
    {L"AutoIndent", BoolField{&S::AutoIndent, true}},
    {L"AutoIndent.Automatic", BoolField{&S::AutoIndent_Automatic, true}},
    {L"CustomIndentWidth", BoolField{&S::CustomIndentWidth, false}},
    {L"TabWidth", LongField{&S::IndentWidth, 4}, kAddin, kIndentWidth},
    {L"AutoInsert", BoolField{&S::AutoInsert, true}},
    {L"AutoInsert.EndConstructions", BoolField{&S::AutoInsert_EndConstructions, true}},
    {L"AutoInsert.Then", BoolField{&S::AutoInsert_Then, true}},
    {L"AutoInsert.Comment", BoolField{&S::AutoInsert_Comment, true}},
    {L"AutoInsert.CustomCode", BoolField{&S::AutoInsert_CustomCode, true}},
    {L"CustomCode", TextField{&S::CustomCode, kCustomCode}},
    {L"AutoText", BoolField{&S::AutoText, true}},
    {L"AutoReplace", BoolField{&S::AutoReplace, true}},
    {L"IncrementAndDecrement", BoolField{&S::IncrementAndDecrement, true}},
    {L"ComponentAssignment", BoolField{&S::ComponentAssignment, true}},
    {L"InitializationWithDeclarate", BoolField{&S::InitializationWithDeclarate, true}},
    {L"Numeration", BoolField{&S::Numeration, true}},
    {L"NumerationStart", LongField{&S::NumerationStart, 10}},
    {L"NumerationStep", LongField{&S::NumerationStep, 10}},
    {L"SkipLinesInOffensive", BoolField{&S::SkipLinesInOffensive, false}},
    {L"AutoNumeration", BoolField{&S::AutoNumeration, false}},
    {L"ErrorHandlers", BoolField{&S::ErrorHandlers, true}},
    {L"Include", BoolField{&S::Include, true}},
    {L"AutoInclude", BoolField{&S::AutoInclude, true}},
    {L"ProjectsPath", TextField{&S::ProjectsPath, L"\\Мои документы\\Projects"}, kAddin, kUnderHome},
    {L"SyntaxColoring", BoolField{&S::SyntaxColoring, true}},
    {L"SyntaxColoring.Operators", BoolField{&S::SyntaxColoring_Operators, true}},
    {L"SyntaxColoring.AdditionalOperators", BoolField{&S::SyntaxColoring_AdditionalOperators, true}},
    {L"SyntaxColoring.Texts", BoolField{&S::SyntaxColoring_Texts, true}},
    {L"SyntaxColoring.CustomTexts", BoolField{&S::SyntaxColoring_CustomTexts, true}},
    {L"TextColor", LongField{&S::TextColor, kTextColor}},
    {L"SyntaxColoring.ShiftX", LongField{&S::SyntaxColoring_ShiftX, 9}},
    {L"SyntaxColoring.ShiftY", LongField{&S::SyntaxColoring_ShiftY, 0}},
    {L"Scrolling", BoolField{&S::Scrolling, true}},
    {L"CustomScrollHeight", BoolField{&S::CustomScrollHeight, false}},
    {L"ScrollHeight", LongField{&S::ScrollHeight, 3}, kAddin, kScrollHeight},
    {L"StyleIDE", BoolField{&S::StyleIDE, true}, kAddin, kFirstRunStyle},
    {L"ShowPalette", BoolField{&S::ShowPalette, true}},
    {L"LanguageIDE", BoolField{&S::LanguageIDE, true}},
    {L"MDITabs", BoolField{&S::MDITabs, true}},
    {L"MDITabsTop", BoolField{&S::MDITabsTop, true}},
    {L"HotKeys", BoolField{&S::HotKeys, true}},
    {L"HotKeys.Format", TextField{&S::HotKeys_Format, L"Ctrl + Alt + Tab"}},
    {L"HotKeys.Save", TextField{&S::HotKeys_Save, L"Ctrl + S"}},
    {L"HotKeys.Redo", TextField{&S::HotKeys_Redo, L"Ctrl + B"}},
    {L"HotKeys.Comment", TextField{&S::HotKeys_Comment, L"Ctrl + '"}},
    {L"HotKeys.Uncomment", TextField{&S::HotKeys_Uncomment, L"Ctrl + Shift + '"}},
    {L"HotKeys.Bookmark", TextField{&S::HotKeys_Bookmark, L"F6"}},
    {L"HotKeys.NextBookmark", TextField{&S::HotKeys_NextBookmark, L"Shift + F6"}},
    {L"HotKeys.PrevBookmark", TextField{&S::HotKeys_PrevBookmark, L"Нет"}},  // no hot key
    {L"HotKeys.ProcAndFunc", TextField{&S::HotKeys_ProcAndFunc, L"F11"}},
    {L"CustomColors", TextField{&S::CustomColorsValue, kWhiteCustomColors}, kVisualBasicHost},
};

}  // namespace

std::span<const SettingDescriptor> SettingsTable() { return kTable; }

}  // namespace qv
