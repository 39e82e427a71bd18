#include "host/click_binding.h"

#include <utility>

#include "win/failure_log.h"
#include "win/module_lifetime.h"
#include "win/unknown.h"

namespace qv {
namespace {

void Check(HRESULT hr, const wchar_t* step) {
  if (FAILED(hr)) throw CallFailure(hr, 0, L"", step);
}

// Click is the event interface's only member, so every DISPID is taken for it. The host passes the
// control first, then the two Booleans that no handler of the add-in reads or writes.
class ClickSink final : public NamelessDispatch<IDispatch> {
 public:
  ClickSink(const IID& events, ClickHandler handler) : events_(events), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    const ComPtr<ClickSink> keep(this);  // the handler may let go of the binding that advised this sink
    Guarded(L"command-bar click", [&] {
      CommandBarControl control;
      if (params && params->cArgs > 0) {
        const VARIANT& first = params->rgvarg[params->cArgs - 1];
        if (V_VT(&first) == VT_DISPATCH) control = CommandBarControl(V_DISPATCH(&first));
      }
      handler_(control);
    });
    return S_OK;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == events_; }

  IID events_;
  ClickHandler handler_;
  ModuleReference module_;
};

}  // namespace

ClickBinding::ClickBinding(const Events& events, const CommandBarControl& control, ClickHandler handler)
    : events_(events.CommandBarEvents(control)) {
  if (!events_) throw CallFailure(E_POINTER, 0, L"", L"no event object");
  const auto container = ComPtr<IDispatch>(events_.get()).As<IConnectionPointContainer>();
  if (!container) throw CallFailure(E_NOINTERFACE, 0, L"", L"connection points");
  ComPtr<IEnumConnectionPoints> points;
  Check(container->EnumConnectionPoints(points.ReleaseAndGetAddressOf()), L"connection points");
  if (points->Next(1, point_.ReleaseAndGetAddressOf(), nullptr) != S_OK || !point_) {
    point_.Reset();
    throw CallFailure(E_FAIL, 0, L"", L"no connection point");
  }
  IID interface_id{};
  Check(point_->GetConnectionInterface(&interface_id), L"event interface");
  const auto sink = ComPtr<ClickSink>::Adopt(new ClickSink(interface_id, std::move(handler)));
  Check(point_->Advise(sink.Get(), &cookie_), L"Advise");
}

ClickBinding::ClickBinding(ClickBinding&& other) noexcept
    : events_(std::move(other.events_)), point_(std::move(other.point_)), cookie_(other.cookie_) {}

ClickBinding& ClickBinding::operator=(ClickBinding&& other) noexcept {
  if (this != &other) {
    Unadvise();
    events_ = std::move(other.events_);
    point_ = std::move(other.point_);
    cookie_ = other.cookie_;
  }
  return *this;
}

void ClickBinding::Unadvise() noexcept {
  if (point_) point_->Unadvise(cookie_);
  point_.Reset();
  events_ = HostObject();
}

}  // namespace qv
