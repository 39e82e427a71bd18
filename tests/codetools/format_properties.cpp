#include "tests/codetools/format_properties.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "codetools/logical_line.h"
#include "tests/codetools/memory_module.h"

namespace qv::test {
namespace {

constexpr std::array<std::uint16_t, 64> kCp1251Upper = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

std::wstring_view AfterBlanks(std::wstring_view text) {
  return text.substr(std::min(text.find_first_not_of(L' '), text.size()));
}

std::wstring_view Trimmed(std::wstring_view text) {
  text = AfterBlanks(text);
  return text.substr(0, text.find_last_not_of(L' ') + 1);
}

// Same text after the leading blanks, or the same label or number followed by
// the same trimmed statement.
bool SameText(std::wstring_view before, std::wstring_view after) {
  before = AfterBlanks(before);
  after = AfterBlanks(after);
  if (before == after) return true;
  const std::wstring_view word = before.substr(0, before.find(L' '));
  if (!IsLabel(word) && !IsLineNumber(word)) return false;
  if (!after.starts_with(word) || (after.size() > word.size() && after[word.size()] != L' ')) return false;
  return Trimmed(before.substr(word.size())) == Trimmed(after.substr(word.size()));
}

// The indentation a line has, as GetLineIndent reads it.
long IndentOf(const CodeModuleView& module, long line, long indent_width) {
  const LogicalLine logical = GetLine(module, line);
  std::wstring label;
  return GetLineIndent(module, {indent_width}, line, logical.text, logical.code_text, label);
}

}  // namespace

std::wstring DecodeAnsi(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text.push_back(static_cast<wchar_t>(byte));
    } else if (byte < 0xC0) {
      text.push_back(static_cast<wchar_t>(kCp1251Upper[byte - 0x80u]));
    } else {
      text.push_back(static_cast<wchar_t>(0x410 + (byte - 0xC0)));
    }
  }
  return text;
}

std::wstring FormatWhole(std::wstring text, long indent_width) {
  MemoryModule module(std::move(text));
  FormatRequest request;
  request.selection = {1, 1, module.CountOfLines(), 1};
  if (const auto edit = Formatting(module, request, {indent_width}).Edit()) module.Write(*edit);
  return module.Text();
}

FormatResult FormatFrom(const CodeModuleView& module, long line, long indent_width) {
  FormatRequest request;
  request.incremental = true;
  request.FormatStart = line;
  request.selection = {line + 1, 1, line + 1, 1};
  return Formatting(module, request, {indent_width});
}

std::string CheckFormatProperties(std::wstring_view text, long indent_width) {
  const ModuleText before{std::wstring(text)};
  const ModuleText once{FormatWhole(std::wstring(text), indent_width)};
  if (once.CountOfLines() != before.CountOfLines()) return "the line count changed";
  for (long line = 1; line <= before.CountOfLines(); ++line) {
    if (!SameText(before.Line(line), once.Line(line))) return "line " + std::to_string(line) + " changed its text";
  }
  if (FormatWhole(once.Text(), indent_width) != once.Text()) return "a second format changed the text";
  for (long line = 1; line <= once.CountOfLines(); ++line) {
    if (FormatFrom(once, line, indent_width).Edit()) {
      return "an incremental run from line " + std::to_string(line) + " wrote after a full format";
    }
  }
  return {};
}

std::string CheckIncrementalRun(std::wstring_view text, long line, long indent_width) {
  const ModuleText full{FormatWhole(std::wstring(text), indent_width)};
  MemoryModule module{std::wstring(text)};
  const FormatResult run = FormatFrom(module, line, indent_width);
  const long stop = std::min(run.last_line + 1, module.CountOfLines());
  if (run.last_line < stop && IndentOf(module, stop, indent_width) != IndentOf(full, stop, indent_width)) {
    return "the run stopped at line " + std::to_string(stop) + ", which was not right";
  }
  if (const auto edit = run.Edit()) module.Write(*edit);
  for (long reached = line; reached <= stop; ++reached) {
    if (IndentOf(module, reached, indent_width) != IndentOf(full, reached, indent_width)) {
      return "line " + std::to_string(reached) + " differs from the full format";
    }
  }
  return {};
}

}  // namespace qv::test
