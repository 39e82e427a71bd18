#pragma once
// A code module and the code pane that shows it.
#include <string>
#include <string_view>

#include "codetools/selection.h"
#include "host/host_object.h"

namespace qv {

class CodePane;
class VBComponent;
class Window;

class CodeModule : public HostObject {
 public:
  using HostObject::HostObject;

  long CountOfLines() const;
  // Lines start..start+count-1 joined by CR LF.
  std::wstring Lines(long start, long count) const;
  long CountOfDeclarationLines() const;
  // The procedure at `line` ("" outside procedures); `kind` gets its kind.
  std::wstring ProcOfLine(long line, long& kind) const;
  long ProcBodyLine(std::wstring_view name, long kind) const;
  // The first line that belongs to the procedure (comments above the header count) and how many do.
  long ProcStartLine(std::wstring_view name, long kind) const;
  long ProcCountLines(std::wstring_view name, long kind) const;
  // CR LF in `code` replaces one line by several.
  void ReplaceLine(long line, const std::wstring& code) const;
  void InsertLines(long line, const std::wstring& code) const;
  void DeleteLines(long start, long count) const;
  void AddFromString(const std::wstring& code) const;
  qv::CodePane CodePane() const;
  VBComponent Parent() const;
  // The Visual Basic 6.0 IDE's description of the named member (the VBA editor fails the call).
  std::wstring MemberDescription(std::wstring_view name) const;
};

class CodePane : public HostObject {
 public:
  using HostObject::HostObject;

  qv::CodeModule CodeModule() const;
  qv::Window Window() const;
  Selection GetSelection() const;
  void SetSelection(const Selection& selection) const;
  long TopLine() const;
  void SetTopLine(long line) const;
  long CountOfVisibleLines() const;
  // Activates the pane's window; it becomes the active code pane.
  void Show() const;
};

}  // namespace qv
