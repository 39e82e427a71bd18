#pragma once
// Line numbers of the procedure at the caret of the active code pane, for the toolbar, the
// error-handler templates and Enter in the code window. Busy keeps the timer's ticks out meanwhile.
namespace qv {

// StartNumber -1 numbers the whole procedure from NumerationStart. Any other StartNumber numbers
// the lines FirstLine up to the one before LastLine from it; LastLine 0 reaches the End line and
// renumbers only the numbered lines. With ShiftCaret the caret follows its statement. The change is
// pasted as one undo step, and the three numbering controls then show whether the caret's
// statement is numbered. A start or step that gives no increasing numbers of at most 32 bits
// numbers nothing and says so.
void AddLineNumbers(long StartNumber, long FirstLine, long LastLine, bool ShiftCaret, bool UseSkipList);

// Takes the numbers off, the body re-indented afterwards when AutoIndent.Automatic is on; the
// controls change only when numbers were there.
void RemoveLineNumbers();

// The three numbering controls show whether the caret's statement is numbered.
void ShowNumbered(bool numbered);

}  // namespace qv
