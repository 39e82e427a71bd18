#include "addin/command_bar_controls.h"

#include "addin/button_faces.h"
#include "addin/connection.h"
#include "win/failure_log.h"

namespace qv {

CommandBar NamedBar(std::wstring_view name) { return VBInstance().CommandBars().Item(name); }

CommandBarControl AddControl(const ControlParent& parent, const ControlSpec& spec, HWND form) {
  // The host pastes a face from the clipboard.
  if (spec.face) PutFaceOnClipboard(form, spec.face);
  const CommandBarControl added = parent.Controls().Add(spec.type);
  Guarded(L"control caption", [&] { added.SetCaption(spec.caption); });
  if (spec.begin_group) Guarded(L"control group", [&] { added.SetBeginGroup(*spec.begin_group); });
  Guarded(L"control visibility", [&] { added.SetVisible(true); });
  if (spec.face) Guarded(L"control face", [&] { added.PasteFace(); });
  return added;
}

}  // namespace qv
