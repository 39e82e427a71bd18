// Formats a whole module (ANSI bytes, CR LF or LF) at an IndentWidth of 0 to 8
// taken from the input, and aborts when formatting breaks one of its
// properties: line count, text, a second run, an incremental run after it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codetools/indent_engine.h"
#include "codetools/module_view.h"
#include "tests/codetools/format_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  const long indent_width = static_cast<long>(hash % 9);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring text = qv::test::DecodeAnsi(bytes);
  const std::string broken = qv::test::CheckFormatProperties(text, indent_width);
  if (!broken.empty()) {
    std::fprintf(stderr, "IndentWidth %ld: %s\n", indent_width, broken.c_str());
    std::abort();
  }
  // Runs that start inside code as the user left it: a selection and a caret line.
  const qv::ModuleText module(text);
  const auto lines = static_cast<std::uint32_t>(module.CountOfLines() + 2);
  const long first = static_cast<long>((hash >> 4) % lines);
  qv::FormatRequest request;
  request.selection = {first, static_cast<long>(hash >> 28) - 3, first + static_cast<long>((hash >> 12) % lines), 1};
  qv::Formatting(module, request, {indent_width});
  qv::test::FormatFrom(module, first, indent_width);
  return 0;
}
