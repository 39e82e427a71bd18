#include "sandbox/host/command_bars.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "sandbox/host/command_bar_events.h"
#include "sandbox/host/enum_variant.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/vbe.h"
#include "sandbox/ui/bar_band.h"
#include "win/clipboard.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

qv::VbError DeletedError() { return qv::VbError(5, L"Объект был удалён"); }

REFIID KindIid(long type) {
  if (type == kControlButton) return __uuidof(::CommandBarButton);
  if (type == kControlPopup) return __uuidof(::CommandBarPopup);
  return __uuidof(::CommandBarControl);
}

std::wstring WithoutAccelerator(std::wstring_view caption) {
  std::wstring plain(caption);
  std::erase(plain, L'&');
  return plain;
}

// The clipboard's picture; the system converts between CF_DIB and CF_BITMAP where it can.
std::optional<ButtonFace> ClipboardFace() {
  const qv::OpenedClipboard clipboard(nullptr);
  if (!clipboard.open()) return std::nullopt;
  std::optional<ButtonFace> face;
  if (const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    face = FaceOf(bitmap);
  } else if (const HANDLE dib = GetClipboardData(CF_DIB)) {
    const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(dib));
    const auto* bits =
        reinterpret_cast<const BYTE*>(info) + info->bmiHeader.biSize + info->bmiHeader.biClrUsed * sizeof(RGBQUAD);
    const qv::Bitmap copy(
        CreateDIBitmap(qv::ClientDc(nullptr).get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
    GlobalUnlock(dib);
    if (copy) face = FaceOf(copy.get());
  }
  return face;
}

// The main frame pictures the bars; any change of a bar or control repaints it.
void Redraw(HostState& state) {
  if (state.workspace) state.workspace->BarsChanged();
}

// The bar's visible controls as the band shows them; a click goes the way of the user's click.
std::vector<BandControl> ShownControls(const BarObject& bar) {
  std::vector<BandControl> shown;
  for (const auto& control : bar.controls().items()) {
    if (!control->visible()) continue;
    BandControl& drawn = shown.emplace_back();
    drawn.caption = control->caption();
    drawn.popup = control->type() == kControlPopup;
    drawn.begin_group = control->begin_group();
    drawn.enabled = control->Enabled();
    drawn.pressed = control->state() == -1;  // msoButtonDown, or True
    if (const auto& face = control->face()) {
      drawn.face_width = face->width;
      drawn.face_height = face->height;
      drawn.face = face->pixels;
    }
    drawn.key = control.Get();
    if (drawn.popup) {
      drawn.entries = [held = control] { return ShownControls(*held->submenu()); };
    } else {
      drawn.click = [held = control] { held->Click(); };
    }
  }
  return shown;
}

// The menu bar's row, then the visible bars docked at the top in RowIndex order.
std::vector<BandRow> BandRowsOf(const HostState& state) {
  std::vector<BandRow> rows;
  if (!state.command_bars) return rows;
  if (const BarObject* menu = state.command_bars->Find(L"Menu Bar")) rows.push_back({true, ShownControls(*menu)});
  std::vector<const BarObject*> docked;
  for (const auto& bar : state.command_bars->items()) {
    if (bar->position() == kBarTop && bar->visible()) docked.push_back(bar.Get());
  }
  std::stable_sort(docked.begin(), docked.end(),
                   [](const BarObject* a, const BarObject* b) { return a->row_index() < b->row_index(); });
  for (const BarObject* bar : docked) rows.push_back({false, ShownControls(*bar)});
  return rows;
}

void AppendTree(std::wstring& tree, const BarObject& bar, int depth) {
  const std::wstring indent(static_cast<size_t>(depth) * 2, L' ');
  for (const auto& control : bar.controls().items()) {
    const wchar_t* kind = control->type() == kControlButton  ? L"button"
                          : control->type() == kControlPopup ? L"popup"
                                                             : L"control";
    tree += indent + std::to_wstring(control->Index()) + L" " + kind + L" \"" + control->caption() + L"\"";
    if (control->begin_group()) tree += L" group";
    if (!control->visible()) tree += L" hidden";
    if (!control->Enabled()) tree += L" disabled";
    tree += L"\n";
    if (BarObject* submenu = control->submenu()) AppendTree(tree, *submenu, depth + 1);
  }
}

}  // namespace

ButtonFace FaceOf(HBITMAP bitmap) {
  BITMAP shape{};
  GetObjectW(bitmap, sizeof shape, &shape);
  BITMAPINFO format = FaceFormat(shape.bmWidth, shape.bmHeight);
  std::vector<std::uint32_t> pixels(static_cast<size_t>(shape.bmWidth) * static_cast<size_t>(shape.bmHeight));
  GetDIBits(qv::ClientDc(nullptr).get(), bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(), &format,
            DIB_RGB_COLORS);
  std::uint32_t checksum = 2166136261u;  // FNV-1a over the colours, not the unused fourth byte
  for (const std::uint32_t pixel : pixels) {
    for (int shift = 0; shift < 24; shift += 8) checksum = (checksum ^ ((pixel >> shift) & 0xFFu)) * 16777619u;
  }
  return {shape.bmWidth, shape.bmHeight, checksum, std::move(pixels)};
}

ControlObject::ControlObject(std::shared_ptr<HostState> state, BarObject& bar, long type, BuiltIn command,
                             bool by_add_in)
    : core_(state, KindIid(type)), bar_(bar), type_(type), command_(command), by_add_in_(by_add_in) {
  if (type == kControlPopup) submenu_ = Make<BarObject>(state, L"", this, kBarPopup, true, by_add_in);
  if (by_add_in) ++state->live.controls;
}

ControlObject::~ControlObject() = default;

IDispatch* ControlObject::AsDispatch() {
  if (type_ == kControlPopup) return static_cast<CommandBarPopup*>(this);
  // A plain control shows the CommandBarControl part, which starts the button's vtable.
  return static_cast<CommandBarButton*>(this);
}

HRESULT ControlObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(::CommandBarControl) || iid == KindIid(type_)) {
    *out = AsDispatch();
  } else if (iid == kControlObjectIid) {
    *out = this;
  }
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG ControlObject::Release() {
  const ULONG left = core_.Release();
  if (left == 0) delete this;
  return left;
}

HRESULT ControlObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ControlObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) { return core_.GetTypeInfo(index, info); }

HRESULT ControlObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return core_.GetIDsOfNames(names, count, ids);
}

HRESULT ControlObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT* arg_error) {
  return core_.Invoke(AsDispatch(), Refusal(), id, flags, params, result, exception, arg_error);
}

std::optional<qv::VbError> ControlObject::Refusal() const {
  if (auto closed = ClosedRefusal(core_.state())) return closed;
  if (deleted_) return DeletedError();
  return std::nullopt;
}

HRESULT ControlObject::get_Caption(BSTR* result) {
  return Guarded([&] { *result = Bstr(caption_); });
}

HRESULT ControlObject::put_Caption(BSTR value) {
  return Guarded([&] {
    caption_.assign(value, SysStringLen(value));
    Redraw(core_.state());
  });
}

HRESULT ControlObject::get_BeginGroup(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(begin_group_); });
}

HRESULT ControlObject::put_BeginGroup(VARIANT_BOOL value) {
  return Guarded([&] {
    begin_group_ = value != VARIANT_FALSE;
    Redraw(core_.state());
  });
}

HRESULT ControlObject::get_Visible(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(visible_); });
}

HRESULT ControlObject::put_Visible(VARIANT_BOOL value) {
  return Guarded([&] {
    visible_ = value != VARIANT_FALSE;
    Redraw(core_.state());
  });
}

bool ControlObject::Enabled() const {
  if (forced_enabled_) return *forced_enabled_;
  return command_ == BuiltIn::kNone ? enabled_ : BuiltInEnabled(command_, core_.state());
}

void ControlObject::ForceEnabled(std::optional<bool> enabled) {
  forced_enabled_ = enabled;
  Redraw(core_.state());
}

HRESULT ControlObject::get_Enabled(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(Enabled()); });
}

HRESULT ControlObject::put_Enabled(VARIANT_BOOL value) {
  // The host keeps computing its own controls' state; writing it has no lasting effect (assumed).
  return Guarded([&] {
    enabled_ = value != VARIANT_FALSE;
    Redraw(core_.state());
  });
}

long ControlObject::Index() const {
  const auto& items = bar_.controls().items();
  const auto at = std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.Get() == this; });
  return static_cast<long>(at - items.begin()) + 1;
}

HRESULT ControlObject::get_Index(LONG* result) {
  return Guarded([&] { *result = Index(); });
}

HRESULT ControlObject::get_Type(LONG* result) {
  return Guarded([&] { *result = type_; });
}

HRESULT ControlObject::get_Parent(IDispatch** result) {
  return Guarded([&] { *result = ShareObject(bar_); });
}

HRESULT ControlObject::Delete() {
  return Guarded([&] { MarkDeleted(); });
}

void ControlObject::MarkDeleted() {
  if (deleted_) return;
  deleted_ = true;
  if (by_add_in_) --core_.state().live.controls;
  if (submenu_) submenu_->MarkDeleted();
  bar_.controls().Remove(*this);  // may drop the last reference but the caller's
}

HRESULT ControlObject::Execute() {
  return Guarded([&] {
    // A disabled control refuses (assumed).
    if (!Enabled()) throw qv::InvalidCallError();
    ++executes_;
    RunBuiltIn(command_, core_.state());
  });
}

HRESULT ControlObject::PasteFace() {
  return Guarded([&] {
    face_ = ClipboardFace();
    if (!face_) throw qv::VbError(5, L"Буфер обмена не содержит рисунка");
    Redraw(core_.state());
  });
}

HRESULT ControlObject::get_ShortcutText(BSTR* result) {
  return Guarded([&] { *result = Bstr(shortcut_text_); });
}

HRESULT ControlObject::get_State(LONG* result) {
  return Guarded([&] { *result = state_; });
}

HRESULT ControlObject::put_State(LONG value) {
  return Guarded([&] {
    state_ = value;
    Redraw(core_.state());
  });
}

HRESULT ControlObject::get_Controls(IDispatch** result) {
  return Guarded([&] { *result = ShareObject(submenu_->controls()); });
}

HRESULT ControlObject::get_CommandBar(IDispatch** result) {
  return Guarded([&] { *result = Share(submenu_); });
}

bool ControlObject::Click() {
  if (type_ == kControlPopup || deleted_ || !Enabled()) return false;
  ComPtr<ControlObject> keep(this);
  std::vector<ComPtr<CommandBarEventsObject>> event_objects(event_objects_.begin(), event_objects_.end());
  VARIANT_BOOL handled = VARIANT_FALSE;
  VARIANT_BOOL cancel_default = VARIANT_FALSE;
  for (const auto& events : event_objects) events->FireClick(AsDispatch(), &handled, &cancel_default);
  last_handled_ = handled != VARIANT_FALSE;
  last_cancel_default_ = cancel_default != VARIANT_FALSE;
  if (!last_cancel_default_ && !deleted_) RunBuiltIn(command_, core_.state());
  return true;
}

void ControlObject::Unbind(CommandBarEventsObject& events) { std::erase(event_objects_, &events); }

ControlsObject::ControlsObject(std::shared_ptr<HostState> state, BarObject& bar)
    : CollectionObject(std::move(state)), bar_(&bar) {}

std::optional<qv::VbError> ControlsObject::Refusal() const {
  if (auto closed = DispatchObject::Refusal()) return closed;
  if (!bar_ || bar_->deleted()) return DeletedError();
  return std::nullopt;
}

HRESULT ControlsObject::Add(VARIANT type, VARIANT, VARIANT, VARIANT before, VARIANT, IDispatch** result) {
  // Id, Parameter and Temporary are taken and not imitated: the add-in adds plain buttons and popups.
  return Guarded([&] {
    const long position = IsMissing(before) ? 0 : LongArg(before);
    if (position < 0 || position > static_cast<long>(items_.size()) + 1) throw qv::InvalidCallError();
    ControlObject& control = Add(IsMissing(type) ? kControlButton : LongArg(type), BuiltIn::kNone, L"", position);
    *result = ShareObject(control);
  });
}

ControlObject& ControlsObject::Add(long type, BuiltIn command, std::wstring caption, long before) {
  auto control = Make<ControlObject>(state().shared_from_this(), *bar_, type, command, command == BuiltIn::kNone);
  control->SetCaption(std::move(caption));
  const auto at = before == 0 ? items_.end() : items_.begin() + (before - 1);
  ControlObject& added = *items_.insert(at, std::move(control))->Get();
  Redraw(state());
  return added;
}

void ControlsObject::Remove(const ControlObject& control) {
  std::erase_if(items_, [&](const auto& item) { return item.Get() == &control; });
  Redraw(state());
}

BarObject::BarObject(std::shared_ptr<HostState> state, std::wstring name, ControlObject* popup, long position,
                     bool temporary, bool by_add_in)
    : DispatchObject(state),
      name_(std::move(name)),
      popup_(popup),
      position_(position),
      temporary_(temporary),
      by_add_in_(by_add_in),
      controls_(Make<ControlsObject>(state, *this)) {}

BarObject::~BarObject() { controls_->BarGone(); }

std::optional<qv::VbError> BarObject::Refusal() const {
  if (auto closed = DispatchObject::Refusal()) return closed;
  if (deleted_) return DeletedError();
  return std::nullopt;
}

HRESULT BarObject::get_Name(BSTR* result) {
  return Guarded([&] { *result = Bstr(name_); });
}

HRESULT BarObject::get_Parent(IDispatch** result) {
  return Guarded([&] { *result = popup_ ? ShareObject(*popup_) : Share(state().vbe); });
}

HRESULT BarObject::get_Controls(IDispatch** result) {
  return Guarded([&] { *result = Share(controls_); });
}

HRESULT BarObject::get_Position(LONG* result) {
  return Guarded([&] { *result = position_; });
}

HRESULT BarObject::put_Position(LONG value) {
  return Guarded([&] {
    // A toolbar cannot become a popup or the menu bar (assumed).
    const bool special = position_ == kBarPopup || position_ == kBarMenuBar;
    if (!special && (value == kBarPopup || value == kBarMenuBar)) throw qv::InvalidCallError();
    position_ = value;
    Redraw(state());
  });
}

HRESULT BarObject::get_RowIndex(LONG* result) {
  return Guarded([&] { *result = row_index_; });
}

HRESULT BarObject::put_RowIndex(LONG value) {
  return Guarded([&] {
    row_index_ = value;
    Redraw(state());
  });
}

HRESULT BarObject::get_Left(LONG* result) {
  return Guarded([&] { *result = left_; });
}

HRESULT BarObject::put_Left(LONG value) {
  return Guarded([&] { left_ = value; });
}

HRESULT BarObject::get_Top(LONG* result) {
  return Guarded([&] { *result = top_; });
}

HRESULT BarObject::put_Top(LONG value) {
  return Guarded([&] { top_ = value; });
}

HRESULT BarObject::get_Visible(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(visible_); });
}

HRESULT BarObject::put_Visible(VARIANT_BOOL value) {
  return Guarded([&] {
    visible_ = value != VARIANT_FALSE;
    Redraw(state());
  });
}

HRESULT BarObject::Delete() {
  return Guarded([&] { MarkDeleted(); });
}

void BarObject::MarkDeleted() {
  if (deleted_) return;
  deleted_ = true;
  const ComPtr<BarObject> keep(this);
  const auto controls = controls_->items();
  for (const auto& control : controls) control->MarkDeleted();
  state().command_bars->Remove(*this);
}

BarSnapshot BarObject::Snapshot() const {
  BarSnapshot snapshot{name_, position_, row_index_, left_, top_, visible_, {}};
  for (const auto& control : controls_->items()) {
    snapshot.controls.push_back({control->type(), control->caption(), control->begin_group()});
  }
  return snapshot;
}

void BarObject::Restore(const BarSnapshot& snapshot) {
  position_ = snapshot.position;
  row_index_ = snapshot.row_index;
  left_ = snapshot.left;
  top_ = snapshot.top;
  visible_ = snapshot.visible;
  for (const auto& saved : snapshot.controls) {
    ControlObject& control = controls_->Add(saved.type, BuiltIn::kNone, saved.caption);
    control.SetBeginGroup(saved.begin_group);
  }
}

CommandBarsObject::CommandBarsObject(std::shared_ptr<HostState> state) : CollectionObject(state) {
  // The state owns the workspace, so the band never asks a state that has gone.
  state->workspace->band_rows = [&host = *state] { return BandRowsOf(host); };
}

HRESULT CommandBarsObject::Add(VARIANT name, VARIANT position, VARIANT, VARIANT temporary, IDispatch** result) {
  // MenuBar is taken and not imitated.
  return Guarded([&] {
    if (IsMissing(name)) throw qv::InvalidCallError();
    const long where = IsMissing(position) ? 4 : LongArg(position);  // floating by default
    *result = ShareObject(Add(TextArg(name), where, !IsMissing(temporary) && BoolArg(temporary), true));
  });
}

BarObject& CommandBarsObject::Add(std::wstring name, long position, bool temporary, bool by_add_in) {
  if (Find(name)) throw qv::InvalidCallError();
  items_.push_back(
      Make<BarObject>(state().shared_from_this(), std::move(name), nullptr, position, temporary, by_add_in));
  Redraw(state());
  return *items_.back().Get();
}

void CommandBarsObject::List(BarObject& bar) { items_.emplace_back(&bar); }

void CommandBarsObject::Remove(const BarObject& bar) {
  std::erase_if(items_, [&](const auto& item) { return item.Get() == &bar; });
  Redraw(state());
}

BarObject* CommandBarsObject::Find(std::wstring_view name) const {
  for (const auto& bar : items_) {
    if (qv::EqualsNoCase(bar->name(), name)) return bar.Get();
  }
  return nullptr;
}

ControlObject* CommandBarsObject::FindControl(std::span<const std::wstring_view> path) const {
  if (path.size() < 2) return nullptr;
  const BarObject* bar = Find(*path.begin());
  ControlObject* found = nullptr;
  for (auto caption = path.begin() + 1; caption != path.end(); ++caption) {
    if (!bar) return nullptr;
    const auto& items = bar->controls().items();
    const auto at = std::find_if(items.begin(), items.end(), [&](const auto& control) {
      return qv::EqualsNoCase(WithoutAccelerator(control->caption()), WithoutAccelerator(*caption));
    });
    if (at == items.end()) return nullptr;
    found = at->Get();
    bar = found->submenu();
  }
  return found;
}

std::wstring CommandBarsObject::Tree() const {
  std::wstring tree;
  for (const auto& bar : items_) {
    tree += bar->name() + L"\n";
    AppendTree(tree, *bar.Get(), 1);
  }
  return tree;
}

}  // namespace sbx
