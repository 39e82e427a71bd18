#pragma once
// Events.CommandBarEvents(control): an event object bound to one control, with one connection point
// whose interface is the sandbox's own click dispinterface.
#include <ocidl.h>

#include <memory>
#include <utility>
#include <vector>

#include "sandbox/host/dispatch.h"

namespace sbx {

class ControlObject;

class CommandBarEventsObject final : public DispatchObject<CommandBarEvents>,
                                     public IConnectionPointContainer,
                                     public IConnectionPoint {
 public:
  CommandBarEventsObject(std::shared_ptr<HostState> state, ComPtr<ControlObject> control);
  ~CommandBarEventsObject() override;

  // Both extra interfaces share the object's reference count.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return DispatchObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  // Calls Click on every sink in Advise order with the same two by-reference Booleans.
  void FireClick(IDispatch* control, VARIANT_BOOL* handled, VARIANT_BOOL* cancel_default);

 protected:
  void* QueryMore(REFIID iid) override;

 private:
  ComPtr<ControlObject> control_;
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  DWORD next_cookie_ = 1;
};

class EventsObject final : public DispatchObject<Events> {
 public:
  explicit EventsObject(std::shared_ptr<HostState> state);
  // A new event object on every call (assumed of the hosts).
  HRESULT STDMETHODCALLTYPE get_CommandBarEvents(IDispatch* control, IDispatch** result) override;
};

}  // namespace sbx
