#pragma once
// A sandbox host per test, with the registry keys it and the add-ins touch restored afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "sandbox/host/host.h"
#include "sandbox/testing/late_bound.h"
#include "sandbox/testing/registry_fixture.h"

namespace sbx::test {

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override {
    if (host_) host_->ShutDown(0);
    host_.reset();
    OleUninitialize();
  }

  Host& Start(HostOptions options = {}) {
    host_ = std::make_unique<Host>(std::move(options));
    return *host_;
  }
  // A project with one standard module "Module1" holding `text`, open in the active code window.
  ComponentObject& StartWithModule(std::wstring_view text, HostOptions options = {}) {
    Host& host = Start(std::move(options));
    ComponentObject& module = host.AddComponent(host.AddProject(L"VBAProject"), kStdModule, L"Module1", text);
    host.Open(module);
    return module;
  }

  IDispatch* vbe() const { return host_->vbe(); }
  Variant Bar(const wchar_t* name) const { return Get(Get(vbe(), L"CommandBars").Object(), L"Item", {name}); }
  Variant ControlOf(const wchar_t* bar, long index) const {
    return Get(Get(Bar(bar).Object(), L"Controls").Object(), L"Item", {index});
  }
  Variant CodeModule() const { return Path(vbe(), {L"ActiveCodePane", L"CodeModule"}); }
  Variant Pane() const { return Get(vbe(), L"ActiveCodePane"); }

  RegistryFixture registry_;
  std::unique_ptr<Host> host_;
};

// The call raises the host's VB error `number` with a description.
inline void ExpectVbError(long number, const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no error raised, expected " << number;
  } catch (const CallFailure& failure) {
    EXPECT_EQ(DISP_E_EXCEPTION, failure.hr);
    EXPECT_EQ(number, failure.VbNumber());
    EXPECT_FALSE(failure.description.empty());
  }
}

}  // namespace sbx::test
