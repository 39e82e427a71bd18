#pragma once
// The add-in's menu entries, toolbar and their clicks in the sandbox host: the test library's
// command-bar references, the host's tree of bars, and what a click calls.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "addin/command_bar_refs.h"
#include "tests/addin/addin_fixture.h"

namespace sbx::test {

// ErrorHandlers.ini beside the library, as the test writes it; what was there comes back afterwards.
class ErrorHandlersFile {
 public:
  ErrorHandlersFile() {
    if (std::ifstream in{path_, std::ios::binary})
      saved_.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(path_);
  }
  ErrorHandlersFile(const ErrorHandlersFile&) = delete;
  ErrorHandlersFile& operator=(const ErrorHandlersFile&) = delete;
  ~ErrorHandlersFile() {
    std::filesystem::remove(path_);
    if (saved_) std::ofstream(path_, std::ios::binary) << *saved_;
  }

  // The text in the system's ANSI code page, as the options dialog writes it.
  void Write(std::wstring_view text) const {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                                static_cast<int>(bytes.size()), nullptr, nullptr)));
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_{qv::AppPath() + L"ErrorHandlers.ini"};
  std::optional<std::string> saved_;
};

class CommandBarTest : public AddinTest {
 protected:
  // The references the connected library holds.
  const qv::CommandBarRefs& Refs() const {
    using RefsFn = const qv::CommandBarRefs*(WINAPI*)();
    const auto refs = reinterpret_cast<RefsFn>(reinterpret_cast<void*>(GetProcAddress(Loaded(), "QvCommandBarRefs")));
    return *refs();
  }
  std::wstring HostLanguage() const { return ExportedText("QvHostLanguage"); }
  // What the options dialog's Apply does after rewriting ErrorHandlers.ini.
  void RebuildErrorHandlerMenu() const {
    using RebuildFn = void(WINAPI*)();
    reinterpret_cast<RebuildFn>(reinterpret_cast<void*>(GetProcAddress(Loaded(), "QvAddErrorHandlers")))();
  }

  // The lines of one bar in the host's tree, without the bar's own name.
  std::wstring BarTree(std::wstring_view bar) const {
    const std::wstring tree = L"\n" + host_->BarsTree();
    const size_t start = tree.find(L"\n" + std::wstring(bar) + L"\n");
    if (start == std::wstring::npos) return L"(no bar " + std::wstring(bar) + L")";
    const size_t body = start + bar.size() + 2;
    size_t end = body;
    while (end < tree.size() && tree[end] == L' ') end = tree.find(L'\n', end) + 1;
    return tree.substr(body, end - body);
  }

  ControlObject& Control(std::initializer_list<std::wstring_view> path) const {
    ControlObject* control = host_->FindControl(path);
    if (!control) throw std::runtime_error("no such control");
    return *control;
  }

  // The calls into the parts that one click of the user makes.
  std::wstring Clicked(ControlObject& control) {
    const std::wstring before = Log();
    EXPECT_TRUE(host_->Click(control));
    return Log().substr(before.size());
  }
  std::wstring Clicked(std::initializer_list<std::wstring_view> path) { return Clicked(Control(path)); }

  ErrorHandlersFile error_handlers_;
};

}  // namespace sbx::test
