#include "host/code_module.h"

#include "host/vbe.h"

namespace qv {
namespace {

constexpr std::wstring_view kTopLine = L"TopLine";

}  // namespace

long CodeModule::CountOfLines() const { return Read(L"CountOfLines").Long(); }

std::wstring CodeModule::Lines(long start, long count) const { return Read(L"Lines", {start, count}).Text(); }

long CodeModule::CountOfDeclarationLines() const { return Read(L"CountOfDeclarationLines").Long(); }

std::wstring CodeModule::ProcOfLine(long line, long& kind) const {
  return Read(L"ProcOfLine", {line, Variant::LongRef(&kind)}).Text();
}

long CodeModule::ProcBodyLine(std::wstring_view name, long kind) const {
  return Read(L"ProcBodyLine", {name, kind}).Long();
}

long CodeModule::ProcStartLine(std::wstring_view name, long kind) const {
  return Read(L"ProcStartLine", {name, kind}).Long();
}

long CodeModule::ProcCountLines(std::wstring_view name, long kind) const {
  return Read(L"ProcCountLines", {name, kind}).Long();
}

void CodeModule::ReplaceLine(long line, const std::wstring& code) const { Call(L"ReplaceLine", {line, code}); }

void CodeModule::InsertLines(long line, const std::wstring& code) const { Call(L"InsertLines", {line, code}); }

void CodeModule::DeleteLines(long start, long count) const { Call(L"DeleteLines", {start, count}); }

void CodeModule::AddFromString(const std::wstring& code) const { Call(L"AddFromString", {code}); }

qv::CodePane CodeModule::CodePane() const { return qv::CodePane(Read(L"CodePane")); }

VBComponent CodeModule::Parent() const { return VBComponent(Read(L"Parent")); }

std::wstring CodeModule::MemberDescription(std::wstring_view name) const {
  return Get(Get(Read(L"Members").Object(), L"Item", {name}).Object(), L"Description").Text();
}

qv::CodeModule CodePane::CodeModule() const { return qv::CodeModule(Read(L"CodeModule")); }

qv::Window CodePane::Window() const { return qv::Window(Read(L"Window")); }

Selection CodePane::GetSelection() const {
  Selection s;
  Call(L"GetSelection", {Variant::LongRef(&s.start_line), Variant::LongRef(&s.start_column),
                         Variant::LongRef(&s.end_line), Variant::LongRef(&s.end_column)});
  return s;
}

void CodePane::SetSelection(const Selection& s) const {
  Call(L"SetSelection", {s.start_line, s.start_column, s.end_line, s.end_column});
}

long CodePane::TopLine() const { return Read(kTopLine).Long(); }

void CodePane::SetTopLine(long line) const { Write(kTopLine, line); }

long CodePane::CountOfVisibleLines() const { return Read(L"CountOfVisibleLines").Long(); }

void CodePane::Show() const { Call(L"Show"); }

}  // namespace qv
