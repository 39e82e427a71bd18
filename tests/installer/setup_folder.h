#pragma once
// The folder the build puts the setup program in, beside what it copies from there; with a trailing "\".
#include <algorithm>
#include <string>

namespace qv::test {

inline std::wstring SetupProgramFolder() {
  const std::string folder = QV_SETUP_DIR;
  std::wstring path(folder.begin(), folder.end());
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path + L'\\';
}

}  // namespace qv::test
