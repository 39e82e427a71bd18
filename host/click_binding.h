#pragma once
// A click on one of the host's command-bar controls, delivered to a handler of the add-in: the event
// object that VBE.Events.CommandBarEvents gives for the control, with a sink advised on its only
// connection point. The sink answers whatever interface that point names, so no host event IID is
// compiled into the add-in.
#include <windows.h>

#include <ocidl.h>

#include <functional>

#include "host/command_bars.h"
#include "host/vbe.h"
#include "win/com_ptr.h"

namespace qv {

// Gets the clicked control. A failure ends the handler and is recorded; it goes no further than the sink.
using ClickHandler = std::function<void(const CommandBarControl& control)>;

class ClickBinding {
 public:
  // Throws CallFailure when the host gives no event object or refuses the sink.
  ClickBinding(const Events& events, const CommandBarControl& control, ClickHandler handler);
  ClickBinding(ClickBinding&& other) noexcept;
  ClickBinding& operator=(ClickBinding&& other) noexcept;
  ~ClickBinding() { Unadvise(); }

 private:
  // Unadvises the sink and lets the event object go.
  void Unadvise() noexcept;

  HostObject events_;
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace qv
