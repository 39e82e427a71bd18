#include "host/command_bars.h"

namespace qv {
namespace {

constexpr std::wstring_view kAdd = L"Add";
constexpr std::wstring_view kCaption = L"Caption";
constexpr std::wstring_view kBeginGroup = L"BeginGroup";
constexpr std::wstring_view kEnabled = L"Enabled";
constexpr std::wstring_view kState = L"State";

std::wstring_view NameOf(BarPlace property) {
  switch (property) {
    case BarPlace::kPosition:
      return L"Position";
    case BarPlace::kRowIndex:
      return L"RowIndex";
    case BarPlace::kLeft:
      return L"Left";
    case BarPlace::kTop:
      break;
  }
  return L"Top";
}

}  // namespace

qv::CommandBarControls ControlParent::Controls() const { return qv::CommandBarControls(Read(L"Controls")); }

void ControlParent::SetVisible(bool visible) const { Write(L"Visible", visible); }

void ControlParent::Delete() const { Call(L"Delete"); }

std::wstring CommandBarControl::Caption() const { return Read(kCaption).Text(); }

void CommandBarControl::SetCaption(std::wstring_view caption) const { Write(kCaption, caption); }

bool CommandBarControl::BeginGroup() const { return Read(kBeginGroup).Bool(); }

void CommandBarControl::SetBeginGroup(bool begin) const { Write(kBeginGroup, begin); }

bool CommandBarControl::Enabled() const { return Read(kEnabled).Bool(); }

void CommandBarControl::SetEnabled(bool enabled) const { Write(kEnabled, enabled); }

std::optional<bool> CommandBarControl::State() const {
  const Variant state = Read(kState);
  if (state.type() == VT_NULL) return std::nullopt;
  return state.Bool();
}

void CommandBarControl::SetState(bool down) const { Write(kState, down); }

std::wstring CommandBarControl::ShortCutText() const { return Read(L"ShortCutText").Text(); }

long CommandBarControl::Index() const { return Read(L"Index").Long(); }

void CommandBarControl::PasteFace() const { Call(L"PasteFace"); }

void CommandBarControl::Execute() const { Call(L"Execute"); }

long CommandBarControls::Count() const { return Read(L"Count").Long(); }

CommandBarControl CommandBarControls::Item(long index) const { return CommandBarControl(HostObject::Item(index)); }

CommandBarControl CommandBarControls::Add(ControlType type) const {
  return CommandBarControl(Call(kAdd, {static_cast<long>(type)}));
}

CommandBarControl CommandBar::Parent() const { return CommandBarControl(Read(L"Parent")); }

long CommandBar::Place(BarPlace property) const { return Read(NameOf(property)).Long(); }

void CommandBar::SetPlace(BarPlace property, double value) const { Write(NameOf(property), value); }

CommandBar CommandBars::Item(std::wstring_view name) const { return CommandBar(HostObject::Item(name)); }

CommandBar CommandBars::Find(std::wstring_view name) const { return CommandBar(FindItem(name)); }

CommandBar CommandBars::Add(std::wstring_view name) const { return CommandBar(Call(kAdd, {name})); }

}  // namespace qv
