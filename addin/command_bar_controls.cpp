#include "addin/command_bar_controls.h"

#include "addin/addin_state.h"
#include "addin/button_faces.h"
#include "addin/quiet_step.h"

namespace qv {

Variant CommandBar(const wchar_t* name) {
  return Get(Get(State().VBInstance.Object(), L"CommandBars").Object(), L"Item", {name});
}

Variant ControlAt(const Variant& parent, long index) {
  return Get(Get(parent.Object(), L"Controls").Object(), L"Item", {index});
}

Variant AddControl(const Variant& parent, const ControlSpec& spec) {
  // The host pastes a face from the clipboard.
  if (spec.face) PutFaceOnClipboard(spec.face);
  const Variant control =
      Invoke(Get(parent.Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {Variant(spec.type)});
  IDispatch* added = control.Object();
  Quietly([&] { Put(added, L"Caption", spec.caption); });
  if (spec.begin_group) Quietly([&] { Put(added, L"BeginGroup", *spec.begin_group); });
  Quietly([&] { Put(added, L"Visible", true); });
  if (spec.face) Quietly([&] { Invoke(added, L"PasteFace", DISPATCH_METHOD); });
  return control;
}

void Delete(const Variant& control_or_bar) { Invoke(control_or_bar.Object(), L"Delete", DISPATCH_METHOD); }

}  // namespace qv
