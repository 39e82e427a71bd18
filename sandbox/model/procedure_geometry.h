#pragma once
// Where the host says each procedure starts and ends. Computed by the sandbox's own reading of the
// code, written apart from the add-in's, so that the add-in is never tested against itself.
#include <string>
#include <string_view>
#include <vector>

namespace sbx {

// The host's procedure kinds.
enum ProcKind : int { kProcSubFunction = 0, kProcLet = 1, kProcSet = 2, kProcGet = 3 };

struct Procedure {
  std::wstring name;
  int kind = kProcSubFunction;
  int start_line = 0;          // ProcStartLine: comments and blanks above the header belong to it
  int body_line = 0;           // ProcBodyLine: first physical line of the header
  int count_lines = 0;         // ProcCountLines
  int end_line = 0;            // the last line of its End statement; 0 when no End line closes it
  std::wstring end_statement;  // what closes it: "End Sub", "End Function" or "End Property"
};

struct ProcedureGeometry {
  int declaration_lines = 0;          // CountOfDeclarationLines
  std::vector<Procedure> procedures;  // module order

  // Names compare without regard to case; nullptr when there is no such procedure.
  const Procedure* Find(std::wstring_view name, int kind) const;
  // The procedure a line belongs to; nullptr for the declarations and for lines of no procedure.
  const Procedure* OfLine(int line) const;
};

// Where the comment of a line starts: its first "'" outside a string; npos when it has none.
size_t CommentStart(std::wstring_view line);
// A physical line ending in " _" goes on in the next one; blanks after the "_" are allowed.
bool ContinuesOnNextLine(std::wstring_view line);

// `trailing_lines_in_last`: the lines after the last End line count to the last procedure
// (assumed host behaviour; tests switch it off to cover the other reading).
ProcedureGeometry ComputeGeometry(const std::vector<std::wstring>& lines, bool trailing_lines_in_last = true);

}  // namespace sbx
