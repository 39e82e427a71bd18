#pragma once
// The add-in's options as the running code reads them. Each member is named
// after its registry value (a dot becomes "_"); IndentWidth is read from
// "TabWidth". Loading and saving go through one table of descriptors.
#include <cstdint>
#include <string>

namespace qv {

struct Settings {
  bool IsSDI = false;
  bool AutoIndent = false;
  bool AutoIndent_Automatic = false;
  bool CustomIndentWidth = false;
  std::int32_t IndentWidth = 0;
  bool AutoInsert = false;
  bool AutoInsert_EndConstructions = false;
  bool AutoInsert_Then = false;
  bool AutoInsert_Comment = false;
  bool AutoInsert_CustomCode = false;
  std::wstring CustomCode;
  bool AutoText = false;
  bool AutoReplace = false;
  bool IncrementAndDecrement = false;
  bool ComponentAssignment = false;
  bool InitializationWithDeclarate = false;
  bool Numeration = false;
  std::int32_t NumerationStart = 0;
  std::int32_t NumerationStep = 0;
  bool SkipLinesInOffensive = false;
  bool AutoNumeration = false;
  bool ErrorHandlers = false;
  bool Include = false;
  bool AutoInclude = false;
  std::wstring ProjectsPath;
  bool SyntaxColoring = false;
  bool SyntaxColoring_Operators = false;
  bool SyntaxColoring_AdditionalOperators = false;
  bool SyntaxColoring_Texts = false;
  bool SyntaxColoring_CustomTexts = false;
  std::int32_t TextColor = 0;
  std::int32_t SyntaxColoring_ShiftX = 0;
  std::int32_t SyntaxColoring_ShiftY = 0;
  bool Scrolling = false;
  bool CustomScrollHeight = false;
  std::int32_t ScrollHeight = 0;
  bool StyleIDE = false;
  bool ShowPalette = false;
  bool LanguageIDE = false;
  bool MDITabs = false;
  bool MDITabsTop = false;
  bool HotKeys = false;
  std::wstring HotKeys_Format;
  std::wstring HotKeys_Save;
  std::wstring HotKeys_Redo;
  std::wstring HotKeys_Comment;
  std::wstring HotKeys_Uncomment;
  std::wstring HotKeys_Bookmark;
  std::wstring HotKeys_NextBookmark;
  std::wstring HotKeys_PrevBookmark;
  std::wstring HotKeys_ProcAndFunc;
  std::wstring CustomColorsValue;
};

}  // namespace qv
