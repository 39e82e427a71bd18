#include "tests/codetools/test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "kit/list_file.h"
#include "tests/codetools/format_properties.h"

namespace qv::test {

std::vector<std::string> CorpusNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(QV_CORPUS_DIR)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("no file " + path);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

std::wstring ReadCorpus(const std::string& name) {
  std::wstring text = DecodeAnsi(ReadBytes(std::string(QV_CORPUS_DIR) + "/" + name));
  if (text.ends_with(L"\r\n")) text.resize(text.size() - 2);
  return text;
}

std::string ReadShipped(const std::string& name) { return ReadBytes(std::string(QV_CONFIG_DIR) + "/" + name); }

KeyedCollection<std::wstring> ShippedAutoInserts() {
  return ReadAutoInserts(DecodeAnsi(ReadShipped("AutoInserts.ini")));
}

std::vector<ListEntry> ShippedErrorHandlers() {
  std::vector<ListEntry> entries;
  for (const std::wstring& line : ListLines(DecodeAnsi(ReadShipped("ErrorHandlers.ini")))) {
    if (std::optional<ListEntry> entry = SplitEntry(line, EntrySplit::kFromSecondChar)) entries.push_back(*entry);
  }
  return entries;
}

Settings ToolSettings() {
  Settings settings;
  settings.IndentWidth = 4;
  settings.AutoIndent = true;
  settings.AutoInsert = true;
  settings.AutoInsert_Then = true;
  settings.AutoInsert_Comment = true;
  settings.AutoText = true;
  settings.AutoReplace = true;
  settings.IncrementAndDecrement = true;
  settings.ComponentAssignment = true;
  settings.InitializationWithDeclarate = true;
  return settings;
}

std::wstring Lines(std::initializer_list<std::wstring_view> lines) {
  return Lines(std::vector<std::wstring>(lines.begin(), lines.end()));
}

std::wstring Lines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace qv::test
