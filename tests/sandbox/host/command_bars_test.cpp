// Command bars, their controls and the click event, through IDispatch by name.
#include <windows.h>

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "win/unknown.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

// A click sink that logs its name and what it was given; `cancel` sets CancelDefault.
class RecordingSink final : public qv::Unknown<IDispatch> {
 public:
  RecordingSink(IID events, std::vector<std::wstring>& log, std::wstring name, bool cancel = false)
      : events_(events), log_(log), name_(std::move(name)), cancel_(cancel) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    log_.push_back(name_);
    dispid = id;
    EXPECT_EQ(3u, params->cArgs);
    control = Variant(V_DISPATCH(&params->rgvarg[2]));
    EXPECT_EQ(VT_BOOL | VT_BYREF, V_VT(&params->rgvarg[1]));
    EXPECT_EQ(VT_BOOL | VT_BYREF, V_VT(&params->rgvarg[0]));
    if (cancel_) *V_BOOLREF(&params->rgvarg[0]) = VARIANT_TRUE;
    return S_OK;
  }

  DISPID dispid = 0;
  Variant control;

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == events_; }

  IID events_;
  std::vector<std::wstring>& log_;
  std::wstring name_;
  bool cancel_;
};

// The one connection point of an event object, found at run time as the add-in finds it.
ComPtr<IConnectionPoint> PointOf(const Variant& events) {
  ComPtr<IConnectionPointContainer> container;
  EXPECT_EQ(S_OK, events.Object()->QueryInterface(IID_IConnectionPointContainer,
                                                  reinterpret_cast<void**>(container.ReleaseAndGetAddressOf())));
  ComPtr<IEnumConnectionPoints> points;
  container->EnumConnectionPoints(points.ReleaseAndGetAddressOf());
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(S_OK, points->Next(1, point.ReleaseAndGetAddressOf(), nullptr));
  IConnectionPoint* second = nullptr;
  EXPECT_EQ(S_FALSE, points->Next(1, &second, nullptr));
  return point;
}

IID InterfaceOf(IConnectionPoint* point) {
  IID iid{};
  point->GetConnectionInterface(&iid);
  return iid;
}

class CommandBarsTest : public HostTest {
 protected:
  Variant EventsFor(const Variant& control) const {
    return Get(Get(vbe(), L"Events").Object(), L"CommandBarEvents", {control});
  }
  ControlObject& Comment() const { return *host_->FindControl({L"Edit", L"Comment Block"}); }
};

TEST_F(CommandBarsTest, VbaBarsAtStart) {
  Start();
  const Variant file = Get(ControlOf(L"Menu Bar", 1).Object(), L"Controls");
  EXPECT_FALSE(Get(Get(file.Object(), L"Item", {1}).Object(), L"Visible").Bool());
  EXPECT_FALSE(Get(Get(file.Object(), L"Item", {2}).Object(), L"Visible").Bool());
  EXPECT_EQ(L"&Save", Get(Get(file.Object(), L"Item", {3}).Object(), L"Caption").Text());
  const Variant edit_menu = Get(ControlOf(L"Menu Bar", 2).Object(), L"Controls");
  EXPECT_EQ(L"&Redo", Get(Get(edit_menu.Object(), L"Item", {2}).Object(), L"Caption").Text());
  EXPECT_EQ(14, Path(Bar(L"Edit").Object(), {L"Controls", L"Count"}).Long());
  EXPECT_EQ(L"F9", Get(ControlOf(L"Edit", 8).Object(), L"ShortcutText").Text());
  EXPECT_EQ(L"Comment Block", Get(ControlOf(L"Edit", 9).Object(), L"Caption").Text());
  EXPECT_EQ(1, Path(Bar(L"Add-Ins").Object(), {L"Controls", L"Count"}).Long());
  EXPECT_EQ(L"&Add-Ins", Path(Bar(L"Add-Ins").Object(), {L"Parent", L"Caption"}).Text());
  EXPECT_TRUE(SameObject(Bar(L"Add-Ins").Object(), Get(ControlOf(L"Menu Bar", 3).Object(), L"CommandBar").Object()));
}

TEST_F(CommandBarsTest, Vb6BarsAtStartAndTheRussianAndNoF9Variants) {
  Start({.personality = Personality::kVb6, .russian_captions = true, .f9_buttons = F9Buttons::kNone});
  const Variant file = Get(ControlOf(L"Menu Bar", 1).Object(), L"Controls");
  EXPECT_EQ(L"Sa&ve Project", Get(Get(file.Object(), L"Item", {5}).Object(), L"Caption").Text());
  EXPECT_EQ(2, Path(Bar(L"Add-Ins").Object(), {L"Controls", L"Count"}).Long());
  EXPECT_EQ(L"&Надстройки", Path(Bar(L"Add-Ins").Object(), {L"Parent", L"Caption"}).Text());
  for (long index = 1; index <= 14; ++index)
    EXPECT_EQ(L"", Get(ControlOf(L"Edit", index).Object(), L"ShortcutText").Text());
}

TEST_F(CommandBarsTest, TwoF9ButtonsVariant) {
  Start({.f9_buttons = F9Buttons::kTwo});
  EXPECT_EQ(L"F9", Get(ControlOf(L"Edit", 3).Object(), L"ShortcutText").Text());
  EXPECT_EQ(L"F9", Get(ControlOf(L"Edit", 8).Object(), L"ShortcutText").Text());
}

TEST_F(CommandBarsTest, MissingBarsAndExistingNamesRaise) {
  Start({.missing_bars = {L"Edit"}});
  ExpectVbError(9, [&] { Bar(L"Edit"); });
  const Variant bars = Get(vbe(), L"CommandBars");
  ExpectVbError(5, [&] { Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"menu bar"}); });
  const Variant bar = Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Quorvane"});
  EXPECT_EQ(L"Quorvane", Get(bar.Object(), L"Name").Text());
  ExpectVbError(5, [&] { Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Quorvane"}); });
  ExpectVbError(5, [&] { Put(bar.Object(), L"Position", 5); });
  Put(bar.Object(), L"Position", 1);
  Put(bar.Object(), L"RowIndex", 3);
  Put(bar.Object(), L"Left", 120);
  EXPECT_EQ(1, Get(bar.Object(), L"Position").Long());
  EXPECT_EQ(3, Get(bar.Object(), L"RowIndex").Long());
  EXPECT_EQ(120, Get(bar.Object(), L"Left").Long());
  Invoke(bar.Object(), L"Delete", DISPATCH_METHOD);
  ExpectVbError(9, [&] { Bar(L"Quorvane"); });
}

TEST_F(CommandBarsTest, DeletingAControlShiftsTheLaterOnesAndTheDeletedOneRefuses) {
  Start();
  const Variant controls = Get(Bar(L"Add-Ins").Object(), L"Controls");
  const Variant first = Invoke(controls.Object(), L"Add", DISPATCH_METHOD, {1});
  const Variant last = Invoke(controls.Object(), L"Add", DISPATCH_METHOD, {10});
  EXPECT_EQ(3, Get(last.Object(), L"Index").Long());
  EXPECT_EQ(2, host_->live().controls);
  Invoke(first.Object(), L"Delete", DISPATCH_METHOD);
  EXPECT_EQ(2, Get(last.Object(), L"Index").Long());
  ExpectVbError(5, [&] { Get(first.Object(), L"Caption"); });
  Invoke(last.Object(), L"Delete", DISPATCH_METHOD);
  EXPECT_EQ(0, host_->live().controls);
}

TEST_F(CommandBarsTest, ControlsHeldAfterTheirBarIsDeletedAndReleasedRefuse) {
  Start();
  const Variant bars = Get(vbe(), L"CommandBars");
  Variant bar = Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Gone"});
  const Variant controls = Get(bar.Object(), L"Controls");
  Invoke(bar.Object(), L"Delete", DISPATCH_METHOD);
  bar = Variant();  // the bar's last reference: only its collection is left
  // A new bar of the same size likely takes the freed one's memory.
  const Variant fresh = Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Fresh"});
  ExpectVbError(5, [&] { Get(controls.Object(), L"Count"); });
  ExpectVbError(5, [&] { Invoke(controls.Object(), L"Add", DISPATCH_METHOD, {1}); });
  EXPECT_EQ(0, Path(fresh.Object(), {L"Controls", L"Count"}).Long());
}

TEST_F(CommandBarsTest, AFailingCallLeavesTheCallersExceptionStringsAlone) {
  Start();
  const Variant button = Invoke(Get(Bar(L"Add-Ins").Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1});
  Invoke(button.Object(), L"Delete", DISPATCH_METHOD);
  std::wstring name = L"Caption";
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  ASSERT_EQ(S_OK, button.Object()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  // EXCEPINFO is an out parameter: a caller may hand it over holding strings it still owns.
  const BSTR mine = SysAllocString(L"own");
  EXCEPINFO exception{};
  exception.bstrSource = mine;
  DISPPARAMS none{};
  Variant result;
  EXPECT_EQ(DISP_E_EXCEPTION, button.Object()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                                      result.get(), &exception, nullptr));
  const bool kept = exception.bstrSource != mine;
  EXPECT_TRUE(kept) << "the caller's string was freed and taken again";
  EXPECT_EQ(L"own", std::wstring(mine));
  EXPECT_EQ(L"VBE", std::wstring(exception.bstrSource ? exception.bstrSource : L""));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  if (kept) SysFreeString(mine);
}

TEST_F(CommandBarsTest, AClickReachesEverySinkInOrderWithTheControlAndAfterUnadviseNone) {
  StartWithModule(L"x");
  const Variant button = Invoke(Get(Bar(L"Add-Ins").Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1});
  std::vector<std::wstring> log;
  const Variant first_events = EventsFor(button);
  const Variant second_events = EventsFor(button);
  EXPECT_FALSE(SameObject(first_events.Object(), second_events.Object()));
  const ComPtr<IConnectionPoint> first = PointOf(first_events);
  const ComPtr<IConnectionPoint> second = PointOf(second_events);
  const IID events = InterfaceOf(first.Get());
  const auto a1 = ComPtr<RecordingSink>::Adopt(new RecordingSink(events, log, L"a1"));
  const auto a2 = ComPtr<RecordingSink>::Adopt(new RecordingSink(events, log, L"a2"));
  const auto b1 = ComPtr<RecordingSink>::Adopt(new RecordingSink(events, log, L"b1"));
  DWORD cookies[3] = {};
  ASSERT_EQ(S_OK, second->Advise(b1.Get(), &cookies[2]));
  ASSERT_EQ(S_OK, first->Advise(a1.Get(), &cookies[0]));
  ASSERT_EQ(S_OK, first->Advise(a2.Get(), &cookies[1]));
  EXPECT_EQ(3, host_->live().sinks);

  ControlObject* control = host_->FindControl({L"Add-Ins", L""});
  ASSERT_NE(nullptr, control);
  EXPECT_TRUE(host_->Click(*control));
  EXPECT_EQ((std::vector<std::wstring>{L"a1", L"a2", L"b1"}), log);
  EXPECT_EQ(1, b1->dispid);
  EXPECT_TRUE(SameObject(button.Object(), a2->control.Object()));

  EXPECT_EQ(S_OK, first->Unadvise(cookies[0]));
  EXPECT_EQ(S_OK, first->Unadvise(cookies[1]));
  EXPECT_EQ(S_OK, second->Unadvise(cookies[2]));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, second->Unadvise(cookies[2]));
  log.clear();
  host_->Click(*control);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(0, host_->live().sinks);
}

TEST_F(CommandBarsTest, AnEventObjectLivesWhileItHasSinks) {
  StartWithModule(L"x");
  std::vector<std::wstring> log;
  ComPtr<IConnectionPoint> point = PointOf(EventsFor(ControlOf(L"Edit", 1)));
  EXPECT_EQ(1, host_->live().event_objects);
  const auto sink = ComPtr<RecordingSink>::Adopt(new RecordingSink(InterfaceOf(point.Get()), log, L"s"));
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, point->Advise(sink.Get(), &cookie));
  IConnectionPoint* advised = point.Get();
  point.Reset();
  EXPECT_EQ(1, host_->live().event_objects);
  host_->Click(*host_->FindControl({L"Edit", L"List Properties/Methods"}));
  EXPECT_EQ(1u, log.size());
  advised->Unadvise(cookie);
  EXPECT_EQ(0, host_->live().event_objects);
}

TEST_F(CommandBarsTest, AdviseNeedsASinkThatAnswersTheEventInterface) {
  Start();
  const ComPtr<IConnectionPoint> point = PointOf(EventsFor(ControlOf(L"Edit", 1)));
  std::vector<std::wstring> log;
  const auto sink = ComPtr<RecordingSink>::Adopt(new RecordingSink(IID_IPersist, log, L"wrong"));
  DWORD cookie = 0;
  EXPECT_EQ(CONNECT_E_CANNOTCONNECT, point->Advise(sink.Get(), &cookie));
  EXPECT_EQ(0, host_->live().sinks);
}

TEST_F(CommandBarsTest, CancelDefaultStopsTheBuiltInAction) {
  StartWithModule(L"x");
  ControlObject& toggle = *host_->FindControl({L"Edit", L"Toggle Breakpoint"});
  std::vector<std::wstring> log;
  const ComPtr<IConnectionPoint> point = PointOf(EventsFor(ControlOf(L"Edit", 8)));
  const auto sink = ComPtr<RecordingSink>::Adopt(new RecordingSink(InterfaceOf(point.Get()), log, L"cancel", true));
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, point->Advise(sink.Get(), &cookie));
  host_->Click(toggle);
  EXPECT_TRUE(toggle.last_cancel_default());
  EXPECT_FALSE(host_->workspace().ActiveCodeWindow()->HasBreakpoint(1));
  point->Unadvise(cookie);
  host_->Click(toggle);
  EXPECT_TRUE(host_->workspace().ActiveCodeWindow()->HasBreakpoint(1));
}

TEST_F(CommandBarsTest, PopupsRaiseNoClick) {
  Start();
  EXPECT_FALSE(host_->Click(*host_->FindControl({L"Menu Bar", L"&File"})));
}

TEST_F(CommandBarsTest, ExecuteIsCountedAndRunsTheBuiltInAction) {
  ComponentObject& module = StartWithModule(L"a\r\nb");
  host_->ResetCalls();
  Invoke(ControlOf(L"Edit", 8).Object(), L"Execute", DISPATCH_METHOD);
  EXPECT_TRUE(host_->workspace().ActiveCodeWindow()->HasBreakpoint(1));
  EXPECT_EQ(1, host_->FindControl({L"Edit", L"Toggle Breakpoint"})->executes());
  EXPECT_EQ(1, host_->Calls(L"CommandBarButton", L"Execute"));

  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1, 1, 2, 2});
  Invoke(ControlOf(L"Edit", 9).Object(), L"Execute", DISPATCH_METHOD);
  EXPECT_EQ(L"'a\r\n'b", module.text().Text());
  EXPECT_TRUE(Get(Get(Get(ControlOf(L"Menu Bar", 2).Object(), L"Controls").Object(), L"Item", {1}).Object(), L"Enabled")
                  .Bool());
  host_->Click(*host_->FindControl({L"Menu Bar", L"Edit", L"Undo"}));
  EXPECT_EQ(L"a\r\nb", module.text().Text());
}

TEST_F(CommandBarsTest, CodeWindowControlsAreEnabledExactlyWhileACodeWindowIsActive) {
  Host& host = Start();
  const Variant comment = ControlOf(L"Edit", 9);
  EXPECT_FALSE(Get(comment.Object(), L"Enabled").Bool());
  ExpectVbError(5, [&] { Invoke(comment.Object(), L"Execute", DISPATCH_METHOD); });
  ComponentObject& module = host.AddComponent(host.AddProject(L"VBAProject"), kStdModule, L"", L"x");
  CodeWindow& window = host.Open(module);
  EXPECT_TRUE(Get(comment.Object(), L"Enabled").Bool());
  EXPECT_TRUE(Comment().Enabled());
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Get(comment.Object(), L"Enabled").Bool());
  Comment().ForceEnabled(true);
  EXPECT_TRUE(Get(comment.Object(), L"Enabled").Bool());
}

TEST_F(CommandBarsTest, PasteFaceTakesTheClipboardBitmapAndRaisesWithoutOne) {
  Start();
  const Variant button = Invoke(Get(Bar(L"Add-Ins").Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1});
  ASSERT_TRUE(OpenClipboard(host_->workspace().MainWindow()));
  EmptyClipboard();
  CloseClipboard();
  ExpectVbError(5, [&] { Invoke(button.Object(), L"PasteFace", DISPATCH_METHOD); });

  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 15);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT all{0, 0, 16, 15}, corner{0, 0, 4, 4};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(memory, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const ButtonFace expected = FaceOf(bitmap);
  ASSERT_TRUE(OpenClipboard(host_->workspace().MainWindow()));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);
  CloseClipboard();

  Invoke(button.Object(), L"PasteFace", DISPATCH_METHOD);
  const auto& face = host_->FindControl({L"Add-Ins", L""})->face();
  ASSERT_TRUE(face.has_value());
  EXPECT_EQ(16, face->width);
  EXPECT_EQ(15, face->height);
  EXPECT_EQ(expected.checksum, face->checksum);
}

TEST_F(CommandBarsTest, NonTemporaryBarsSurviveARestartAndTemporaryOnesDoNot) {
  Start();
  const Variant bars = Get(vbe(), L"CommandBars");
  const Variant kept = Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Quorvane"});
  Invoke(bars.Object(), L"Add", DISPATCH_METHOD, {L"Scratch", Variant::Missing(), Variant::Missing(), true});
  Put(Invoke(Get(kept.Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1}).Object(), L"Caption", L"Format");
  Put(kept.Object(), L"RowIndex", 2);
  host_->ShutDown(0);
  const std::vector<BarSnapshot> surviving = host_->SurvivingBars();

  Start({.bars_from_earlier_run = surviving});
  EXPECT_EQ(2, Get(Bar(L"Quorvane").Object(), L"RowIndex").Long());
  EXPECT_EQ(L"Format", Get(ControlOf(L"Quorvane", 1).Object(), L"Caption").Text());
  ExpectVbError(9, [&] { Bar(L"Scratch"); });
}

long BandHeight(Host& host) {
  RECT band{};
  GetWindowRect(host.workspace().BarBand().hwnd(), &band);
  return band.bottom - band.top;
}

// The main frame pictures the docked bars: a bar an add-in shows takes a row, and gives it back
// when it goes.
TEST_F(CommandBarsTest, TheFramesBandFollowsTheBarsAnAddInShowsAndDeletes) {
  Host& host = Start();
  const long before = BandHeight(host);
  const Variant bar = Invoke(Get(vbe(), L"CommandBars").Object(), L"Add", DISPATCH_METHOD, {L"Probe"});
  Invoke(Get(bar.Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1L});
  Put(bar.Object(), L"Visible", true);
  EXPECT_EQ(before, BandHeight(host)) << "a floating bar takes no row";
  Put(bar.Object(), L"Position", 1L);  // docked at the top
  EXPECT_GT(BandHeight(host), before);
  Invoke(bar.Object(), L"Delete", DISPATCH_METHOD);
  EXPECT_EQ(before, BandHeight(host));
}

}  // namespace
}  // namespace sbx::test
