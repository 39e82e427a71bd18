#pragma once
// How a sandbox host is started: its personality and the switches that cover both readings of a
// host behaviour we cannot verify (the first reading is the default).
#include <string>
#include <vector>

namespace sbx {

enum class Personality { kVba, kVb6 };

// Buttons of the "Edit" toolbar that show "F9" (the add-in finds its Comment control after the last).
enum class F9Buttons { kOne, kNone, kTwo };

// A bar an add-in built and did not mark temporary; it survives a restart of the host.
struct BarSnapshot {
  struct Control {
    long type = 1;
    std::wstring caption;
    bool begin_group = false;
  };
  std::wstring name;
  long position = 1, row_index = 0, left = 0, top = 0;
  bool visible = false;
  std::vector<Control> controls;
};

struct HostOptions {
  Personality personality = Personality::kVba;
  bool sdi = false;               // VB6 only; the host also writes the registry value SDI to agree
  std::wstring version{};         // "" gives "6.05" (VBA) or "6.00" (VB6)
  std::wstring full_name{};       // VB6 host executable; "" gives this program's path
  bool russian_captions = false;  // the Add-Ins menu reads "&Надстройки"
  F9Buttons f9_buttons = F9Buttons::kOne;
  std::vector<std::wstring> missing_bars{};  // bars absent at start
  std::vector<BarSnapshot> bars_from_earlier_run{};

  bool strict_selection_columns = false;  // SetSelection raises for a column past the line's end
  bool unsaved_file_name_empty = false;   // VBA: FileName of a never-saved document is "" (else raises)
  bool missing_lines_read_empty = false;  // Lines past the last line read as empty (else raises)
  bool trailing_lines_in_last = true;     // blank lines after the last procedure belong to it
  bool case_keywords = false;             // a typed line's keywords are cased when the caret leaves it
};

}  // namespace sbx
