#include "sandbox/host/command_bar_events.h"

#include <olectl.h>

#include <algorithm>
#include <new>

#include "sandbox/host/command_bars.h"
#include "sandbox/host/host_state.h"
#include "win/unknown.h"

namespace sbx {
namespace {

// The click event: DISPID 1 (assumed), arguments in reverse order as IDispatch::Invoke takes them.
constexpr DISPID kClickDispid = 1;

// EnumConnectionPoints over the object's one connection point.
class OnePointEnum final : public qv::Unknown<IEnumConnectionPoints> {
 public:
  OnePointEnum(ComPtr<IConnectionPoint> point, bool done) : point_(std::move(point)), done_(done) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    if (!points) return E_POINTER;
    ULONG given = 0;
    if (count > 0 && !done_) {
      points[0] = point_.Get();
      points[0]->AddRef();
      done_ = true;
      given = 1;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (count == 0) return S_OK;
    const bool had = !done_;
    done_ = true;
    return had && count == 1 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    done_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) OnePointEnum(point_, done_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ComPtr<IConnectionPoint> point_;
  bool done_;
};

}  // namespace

CommandBarEventsObject::CommandBarEventsObject(std::shared_ptr<HostState> state, ComPtr<ControlObject> control)
    : DispatchObject(state), control_(std::move(control)) {
  control_->Bind(*this);
  ++state->live.event_objects;
}

CommandBarEventsObject::~CommandBarEventsObject() {
  control_->Unbind(*this);
  --state().live.event_objects;
}

void* CommandBarEventsObject::QueryMore(REFIID iid) {
  if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
  if (iid == IID_IConnectionPoint) return static_cast<IConnectionPoint*>(this);
  return nullptr;
}

HRESULT CommandBarEventsObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (!points) return E_POINTER;
  *points = new (std::nothrow) OnePointEnum(static_cast<IConnectionPoint*>(this), false);
  return *points ? S_OK : E_OUTOFMEMORY;
}

HRESULT CommandBarEventsObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != __uuidof(::_dispCommandBarControlEvents)) return CONNECT_E_NOCONNECTION;
  *point = this;
  AddRef();
  return S_OK;
}

HRESULT CommandBarEventsObject::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = __uuidof(::_dispCommandBarControlEvents);
  return S_OK;
}

HRESULT CommandBarEventsObject::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = this;
  AddRef();
  return S_OK;
}

HRESULT CommandBarEventsObject::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(__uuidof(::_dispCommandBarControlEvents),
                                  reinterpret_cast<void**>(events.ReleaseAndGetAddressOf())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  // The object stays alive while it has sinks (assumed of the hosts).
  if (sinks_.empty()) AddRef();
  *cookie = next_cookie_++;
  sinks_.emplace_back(*cookie, std::move(events));
  ++state().live.sinks;
  return S_OK;
}

HRESULT CommandBarEventsObject::Unadvise(DWORD cookie) {
  const auto at = std::find_if(sinks_.begin(), sinks_.end(), [&](const auto& sink) { return sink.first == cookie; });
  if (at == sinks_.end()) return CONNECT_E_NOCONNECTION;
  sinks_.erase(at);
  --state().live.sinks;
  if (sinks_.empty()) Release();
  return S_OK;
}

HRESULT CommandBarEventsObject::EnumConnections(IEnumConnections** connections) {
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

void CommandBarEventsObject::FireClick(IDispatch* control, VARIANT_BOOL* handled, VARIANT_BOOL* cancel_default) {
  std::vector<ComPtr<IDispatch>> sinks;
  for (const auto& sink : sinks_) sinks.push_back(sink.second);
  for (const auto& sink : sinks) {
    VARIANT arguments[3];
    for (VARIANT& argument : arguments) VariantInit(&argument);
    V_VT(&arguments[2]) = VT_DISPATCH;
    V_DISPATCH(&arguments[2]) = control;
    V_VT(&arguments[1]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arguments[1]) = handled;
    V_VT(&arguments[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&arguments[0]) = cancel_default;
    DISPPARAMS params{arguments, nullptr, 3, 0};
    sink->Invoke(kClickDispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }
}

EventsObject::EventsObject(std::shared_ptr<HostState> state) : DispatchObject(std::move(state)) {}

HRESULT EventsObject::get_CommandBarEvents(IDispatch* control, IDispatch** result) {
  return Guarded([&] {
    ComPtr<ControlObject> bound;
    if (!control ||
        FAILED(control->QueryInterface(kControlObjectIid, reinterpret_cast<void**>(bound.ReleaseAndGetAddressOf())))) {
      throw qv::TypeMismatchError();
    }
    *result = Share(Make<CommandBarEventsObject>(state().shared_from_this(), std::move(bound)));
  });
}

}  // namespace sbx
