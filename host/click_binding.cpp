#include "host/click_binding.h"

#include <utility>

#include "win/module_lifetime.h"
#include "win/unknown.h"

namespace qv {
namespace {

void Check(HRESULT hr, const wchar_t* step) {
  if (FAILED(hr)) throw CallFailure(hr, 0, step);
}

// Click is the event interface's only member, so every DISPID is taken for it. The host passes the
// control first, then the two Booleans that no handler of the add-in reads or writes.
class ClickSink final : public NamelessDispatch<IDispatch> {
 public:
  ClickSink(const IID& events, ClickHandler handler) : events_(events), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    AddRef();  // the handler may let go of the binding that advised this sink
    try {
      IDispatch* control = nullptr;
      if (params && params->cArgs > 0) {
        const VARIANT& first = params->rgvarg[params->cArgs - 1];
        if (V_VT(&first) == VT_DISPATCH) control = V_DISPATCH(&first);
      }
      handler_(control);
    } catch (...) {  // a failing handler ends there; the host's event call goes on
    }
    Release();
    return S_OK;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == events_; }

  IID events_;
  ClickHandler handler_;
  ModuleReference module_;
};

}  // namespace

ClickBinding::ClickBinding(IDispatch* vbe, IDispatch* control, ClickHandler handler)
    : events_(Get(Get(vbe, L"Events").Object(), L"CommandBarEvents", {Variant(control)})) {
  IDispatch* events = events_.Object();
  if (!events) throw CallFailure(E_POINTER, 0, L"no event object");
  IConnectionPointContainer* container = nullptr;
  Check(events->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)),
        L"connection points");
  const std::unique_ptr<IConnectionPointContainer, Releaser> held_container(container);
  IEnumConnectionPoints* points = nullptr;
  Check(container->EnumConnectionPoints(&points), L"connection points");
  const std::unique_ptr<IEnumConnectionPoints, Releaser> held_points(points);
  IConnectionPoint* point = nullptr;
  if (points->Next(1, &point, nullptr) != S_OK || !point) throw CallFailure(E_FAIL, 0, L"no connection point");
  point_.reset(point);
  IID interface_id{};
  Check(point->GetConnectionInterface(&interface_id), L"event interface");
  auto* sink = new ClickSink(interface_id, std::move(handler));
  const HRESULT advised = point->Advise(sink, &cookie_);
  sink->Release();
  Check(advised, L"Advise");
}

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
  point_.reset();
  events_ = Variant();
}

}  // namespace qv
