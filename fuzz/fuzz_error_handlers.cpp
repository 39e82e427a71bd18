// Gives every procedure of a module (ANSI bytes, CR LF or LF) a shipped error handler that a hash
// of the input picks, and aborts when an insertion or removal breaks one of its properties:
// - inserting a template twice gives what inserting it once gives;
// - every line before and after the procedure stays as it was;
// - for a procedure without a handler and a template that numbers nothing, deleting the inserted
//   handler gives the module back.
#include <algorithm>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/error_handlers.h"
#include "codetools/templates.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/procedures.h"
#include "tests/codetools/test_support.h"

namespace {

using qv::ModuleText;
using qv::ProcedureInfo;

[[noreturn]] void Fail(const char* property, const ProcedureInfo& procedure, const std::wstring& caption) {
  std::setlocale(LC_CTYPE, "C.UTF-8");  // the captions are Russian: %ls stops at them in the "C" locale
  std::fprintf(stderr, "broken in the procedure whose header is line %ld, template %ls: %s\n", procedure.body_line,
               caption.c_str(), property);
  std::abort();
}

// A name the language allows; the templates build labels from it.
bool IsIdentifier(std::wstring_view name) {
  if (name.empty() || name[0] == L'_' || (name[0] >= L'0' && name[0] <= L'9')) return false;
  for (const wchar_t c : name) {
    const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c >= 0x400;
    if (!letter && c != L'_' && (c < L'0' || c > L'9')) return false;
  }
  return true;
}

// The lines before the procedure and those after it are where they were.
bool SameAround(const std::vector<std::wstring>& before, const std::wstring& text, const ProcedureInfo& procedure) {
  const std::vector<std::wstring> after = qv::test::LinesOf(text);
  const auto above = static_cast<std::size_t>(procedure.start_line - 1);
  const std::size_t below = before.size() - above - static_cast<std::size_t>(procedure.count_lines);
  return after.size() >= above + below &&
         std::equal(before.begin(), before.begin() + static_cast<long>(above), after.begin()) &&
         std::equal(before.end() - static_cast<long>(below), before.end(), after.end() - static_cast<long>(below));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<qv::ListEntry> kShipped = qv::test::ShippedErrorHandlers();
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ModuleText module = qv::test::WithProcedures(qv::test::DecodeAnsi(bytes));
  const std::wstring text = module.Text();
  const std::vector<std::wstring> lines = qv::test::LinesOf(text);
  for (const ProcedureInfo& procedure : module.procedures()) {
    // The tools find a procedure by its name: of two with one name, the first.
    if (!IsIdentifier(procedure.name) ||
        qv::test::Procedure(module, procedure.name, procedure.kind).body_line != procedure.body_line) {
      continue;
    }
    std::wstring member_type;
    long kind = procedure.kind;
    qv::GetProcName(module, procedure.body_line, kind, member_type);
    const qv::HandlerRemoval existing = qv::PlanHandlerRemoval(module, procedure, member_type, true);
    const bool bare = existing.edits.empty() && !existing.kept;
    const qv::ListEntry& entry = kShipped[(hash++) % kShipped.size()];
    const std::wstring once = qv::test::InsertHandler(text, procedure.name, entry.value, procedure.kind);
    if (!SameAround(lines, once, procedure)) Fail("a line outside the procedure changed", procedure, entry.key);
    if (qv::test::InsertHandler(once, procedure.name, entry.value, procedure.kind) != once) {
      Fail("a second insertion changed the handler", procedure, entry.key);
    }
    if (bare && !qv::SplitTemplate(entry.value).numbering &&
        qv::test::DeleteHandler(once, procedure.name, procedure.kind) != text) {
      Fail("deleting the inserted handler did not give the procedure back", procedure, entry.key);
    }
  }
  return 0;
}
