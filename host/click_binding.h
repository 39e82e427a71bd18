#pragma once
// A click on one of the host's command-bar controls, delivered to a handler of the add-in: the event
// object that VBE.Events.CommandBarEvents gives for the control, with a sink advised on its only
// connection point. The sink answers whatever interface that point names, so no host event IID is
// compiled into the add-in.
#include <windows.h>

#include <ocidl.h>

#include <functional>
#include <memory>

#include "win/late_bound.h"

namespace qv {

// Gets the clicked control. An exception ends the handler and goes no further than the sink.
using ClickHandler = std::function<void(IDispatch* control)>;

class ClickBinding {
 public:
  // Throws CallFailure when the host gives no event object or refuses the sink.
  ClickBinding(IDispatch* vbe, IDispatch* control, ClickHandler handler);
  ClickBinding(ClickBinding&&) noexcept = default;
  ClickBinding& operator=(ClickBinding&& other) noexcept;
  ~ClickBinding() { Unadvise(); }

 private:
  // Unadvises the sink and lets the event object go.
  void Unadvise() noexcept;

  struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
  };

  Variant events_;
  std::unique_ptr<IConnectionPoint, Releaser> point_;
  DWORD cookie_ = 0;
};

}  // namespace qv
