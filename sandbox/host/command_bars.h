#pragma once
// CommandBars, CommandBar, CommandBarControls and the controls.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/host/builtin_bars.h"
#include "sandbox/host/collection_object.h"
#include "sandbox/host/dispatch.h"
#include "sandbox/host/host_options.h"

namespace sbx {

class BarObject;
class CommandBarEventsObject;

// CommandBarControls.Add types; any other type gives a plain "CommandBarControl".
enum ControlType : long { kControlButton = 1, kControlPopup = 10 };

// Bar positions that only a popup or the menu bar can take.
enum BarPosition : long { kBarTop = 1, kBarPopup = 5, kBarMenuBar = 6 };

// Asked of an IDispatch to learn whether it is one of the sandbox's controls: gives the ControlObject.
// {EC1A21F9-D952-4906-B0F1-CCFBD3CF83EE}
inline constexpr GUID kControlObjectIid = {
    0xec1a21f9, 0xd952, 0x4906, {0xb0, 0xf1, 0xcc, 0xfb, 0xd3, 0xcf, 0x83, 0xee}};

// What PasteFace took from the clipboard.
struct ButtonFace {
  long width = 0;
  long height = 0;
  std::uint32_t checksum = 0;         // of the pixels
  std::vector<std::uint32_t> pixels;  // 32-bit top-down rows, for the main frame to draw
};
// The face a bitmap gives; the same function serves PasteFace and the tests.
ButtonFace FaceOf(HBITMAP bitmap);

// A button, a popup or another control. One object answers the interface of its kind, so that
// GetTypeInfo names it "CommandBarButton", "CommandBarPopup" or "CommandBarControl".
class ControlObject final : public CommandBarButton, public CommandBarPopup {
 public:
  ControlObject(std::shared_ptr<HostState> state, BarObject& bar, long type, BuiltIn command, bool by_add_in);
  ControlObject(const ControlObject&) = delete;
  ControlObject& operator=(const ControlObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return core_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* arg_error) override;

  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_Caption(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_BeginGroup(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_BeginGroup(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Index(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_Type(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE Delete() override;
  HRESULT STDMETHODCALLTYPE Execute() override;
  HRESULT STDMETHODCALLTYPE PasteFace() override;
  HRESULT STDMETHODCALLTYPE get_ShortcutText(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_State(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_State(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Controls(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_CommandBar(IDispatch** result) override;

  IDispatch* AsDispatch();

  const std::wstring& caption() const { return caption_; }
  void SetCaption(std::wstring caption) { caption_ = std::move(caption); }
  void SetBeginGroup(bool on) { begin_group_ = on; }
  void SetVisible(bool on) { visible_ = on; }
  void SetShortcutText(std::wstring text) { shortcut_text_ = std::move(text); }
  long type() const { return type_; }
  bool begin_group() const { return begin_group_; }
  bool visible() const { return visible_; }
  bool deleted() const { return deleted_; }
  bool by_add_in() const { return by_add_in_; }
  // Built-ins: computed live (BuiltInEnabled); own controls: as last set; a test may force either.
  bool Enabled() const;
  void ForceEnabled(std::optional<bool> enabled);
  long state() const { return state_; }
  long executes() const { return executes_; }
  const std::optional<ButtonFace>& face() const { return face_; }
  // The submenu of a popup, else nullptr.
  BarObject* submenu() const { return submenu_.Get(); }
  // Position in the parent bar, from 1.
  long Index() const;

  // What a click of the user does: every advised sink of every event object bound to the control
  // (creation order, then Advise order) gets Click, then the built-in action runs unless a sink set
  // CancelDefault. Popups raise no Click (assumed).
  // Gives false when nothing happened: the control is disabled or a popup.
  bool Click();
  // The two by-reference Booleans as the last click left them.
  bool last_handled() const { return last_handled_; }
  bool last_cancel_default() const { return last_cancel_default_; }

  // Event objects bound to the control, kept in creation order.
  void Bind(CommandBarEventsObject& events) { event_objects_.push_back(&events); }
  void Unbind(CommandBarEventsObject& events);

  // Removes the control (and a popup's submenu) from the bars; later calls refuse.
  void MarkDeleted();

 private:
  virtual ~ControlObject();
  std::optional<qv::VbError> Refusal() const;

  DispatchCore core_;
  BarObject& bar_;
  long type_;
  BuiltIn command_;
  bool by_add_in_;
  std::wstring caption_;
  bool begin_group_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  std::optional<bool> forced_enabled_;
  long state_ = 0;
  std::wstring shortcut_text_;
  long executes_ = 0;
  std::optional<ButtonFace> face_;
  ComPtr<BarObject> submenu_;
  std::vector<CommandBarEventsObject*> event_objects_;
  bool deleted_ = false;
  bool last_handled_ = false;
  bool last_cancel_default_ = false;
};

class ControlsObject final : public CollectionObject<CommandBarControls, ControlObject, &ControlObject::caption> {
 public:
  ControlsObject(std::shared_ptr<HostState> state, BarObject& bar);

  HRESULT STDMETHODCALLTYPE Add(VARIANT type, VARIANT id, VARIANT parameter, VARIANT before, VARIANT temporary,
                                IDispatch** result) override;

  // Inserts before the 1-based position `before`, or at the end for 0.
  ControlObject& Add(long type, BuiltIn command, std::wstring caption, long before = 0);
  void Remove(const ControlObject& control);
  // The bar is being destroyed; an add-in may still hold this collection.
  void BarGone() { bar_ = nullptr; }

 protected:
  std::optional<qv::VbError> Refusal() const override;

 private:
  BarObject* bar_;
};

class BarObject final : public DispatchObject<CommandBar> {
 public:
  // `popup`: the control whose submenu this is, else nullptr.
  BarObject(std::shared_ptr<HostState> state, std::wstring name, ControlObject* popup, long position, bool temporary,
            bool by_add_in);
  ~BarObject() override;

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Controls(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Position(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_Position(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_RowIndex(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_RowIndex(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Left(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_Left(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Top(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_Top(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE Delete() override;

  const std::wstring& name() const { return name_; }
  void SetName(std::wstring name) { name_ = std::move(name); }
  ControlsObject& controls() const { return *controls_.Get(); }
  long position() const { return position_; }
  long row_index() const { return row_index_; }
  bool visible() const { return visible_; }
  bool temporary() const { return temporary_; }
  bool by_add_in() const { return by_add_in_; }
  bool deleted() const { return deleted_; }
  // Marks the bar and its controls deleted and takes it out of CommandBars.
  void MarkDeleted();
  BarSnapshot Snapshot() const;
  void Restore(const BarSnapshot& snapshot);

 protected:
  std::optional<qv::VbError> Refusal() const override;

 private:
  std::wstring name_;
  ControlObject* popup_;
  long position_;
  long row_index_ = 0;
  long left_ = 0;
  long top_ = 0;
  bool visible_ = true;
  bool temporary_;
  bool by_add_in_;
  bool deleted_ = false;
  ComPtr<ControlsObject> controls_;
};

class CommandBarsObject final : public CollectionObject<CommandBars, BarObject, &BarObject::name> {
 public:
  // Gives the main frame's band its rows: the menu bar, then the visible bars docked at the top.
  explicit CommandBarsObject(std::shared_ptr<HostState> state);

  HRESULT STDMETHODCALLTYPE Add(VARIANT name, VARIANT position, VARIANT menu_bar, VARIANT temporary,
                                IDispatch** result) override;

  // Lists the bar in the collection; a name already listed raises (assumed of the hosts).
  BarObject& Add(std::wstring name, long position, bool temporary, bool by_add_in);
  // Lists a popup's submenu as well (the "Add-Ins" menu).
  void List(BarObject& bar);
  void Remove(const BarObject& bar);
  BarObject* Find(std::wstring_view name) const;

  // A control by bar name and captions, descending through popups. Captions compare without
  // their "&" and without regard to case. nullptr when there is none.
  ControlObject* FindControl(std::span<const std::wstring_view> path) const;
  // One line per bar and control, indented by depth, for test messages.
  std::wstring Tree() const;
};

}  // namespace sbx
