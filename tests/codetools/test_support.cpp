#include "tests/codetools/test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

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

std::wstring ReadCorpus(const std::string& name) {
  std::ifstream file(std::string(QV_CORPUS_DIR) + "/" + name, std::ios::binary);
  if (!file) throw std::runtime_error("no corpus file " + name);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::wstring text = DecodeAnsi(bytes);
  if (text.ends_with(L"\r\n")) text.resize(text.size() - 2);
  return text;
}

std::wstring Lines(std::initializer_list<std::wstring_view> lines) {
  std::wstring text;
  for (const std::wstring_view& line : lines) {
    if (&line != lines.begin()) text += L"\r\n";
    text += line;
  }
  return text;
}

}  // namespace qv::test
