// The add-in's Add-Ins entries and toolbar: what is built, where, from which host controls, and what
// is left after unload or a failing step.
#include <windows.h>

#include <array>

#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kToolbarTree[] =
    L"  1 button \"Форматировать блок\"\n"
    L"  2 button \"Объявление переменных\"\n"
    L"  3 button \"Нумерация строк\" group\n"
    L"  4 popup \" \"\n"
    L"    1 button \"Нумерация\"\n"
    L"    2 button \"Убрать нумерацию\" group\n"
    L"  5 popup \"Обработчики ошибок\" group\n"
    L"    1 button \"Удалить обработчика ошибок\" group\n"
    L"  6 button \"Функции и процедуры\" group\n"
    L"  7 button \"Архивировать\"\n"
    L"  8 button \"Справка\" group\n";

constexpr wchar_t kQuorvaneEntries[] =
    L"    1 button \"Настройки...\"\n"
    L"    2 button \"О программе...\" group\n";

// The menu entries and toolbar buttons that have a face, with the picture each shows.
struct FacedButton {
  std::initializer_list<std::wstring_view> path;
  const wchar_t* face;
};
const FacedButton kFacedButtons[] = {
    {{L"Add-Ins", L"Quorvane", L"Настройки..."}, L"imgOptions"},
    {{L"Add-Ins", L"Quorvane", L"О программе..."}, L"imgIcon"},
    {{L"Quorvane", L"Форматировать блок"}, L"imgFormat"},
    {{L"Quorvane", L"Объявление переменных"}, L"imgDeclarate"},
    {{L"Quorvane", L"Нумерация строк"}, L"imgNumeration"},
    {{L"Quorvane", L"Функции и процедуры"}, L"imgFuncAndProcs"},
    {{L"Quorvane", L"Архивировать"}, L"imgBackup"},
    {{L"Quorvane", L"Справка"}, L"imgHelp"},
};

size_t Faces(const BarObject& bar) {
  size_t faces = 0;
  for (const auto& control : bar.controls().items()) {
    faces += (control->face() ? 1 : 0) + (control->submenu() ? Faces(*control->submenu()) : 0);
  }
  return faces;
}

struct PlaceValue {
  const wchar_t* property;
  const wchar_t* setting;
};
constexpr PlaceValue kPlace[] = {{L"Position", L"CommandBar.Position"},
                                 {L"RowIndex", L"CommandBar.RowIndex"},
                                 {L"Left", L"CommandBar.Left"},
                                 {L"Top", L"CommandBar.Top"}};

// The controls that every connection makes: the Add-Ins popup, its two entries, the toolbar's ten
// and the error-handler popup's delete command.
constexpr int kOwnControls = 14;
// One click binding per handler: ten for the menu and the toolbar, one for the delete command.
constexpr int kHandlers = 11;

class CommandBarsTest : public CommandBarTest {
 protected:
  std::wstring HostEntries() const {
    return library().personality == Personality::kVba
               ? L"  1 button \"&Add-In Manager...\"\n"
               : L"  1 button \"&Visual Data Manager...\"\n  2 button \"&Add-In Manager...\"\n";
  }
  // The Add-Ins menu with the add-in's popup after the host's entries.
  std::wstring AddinsTree() const {
    if (library().personality == Personality::kVba)
      return HostEntries() + L"  2 popup \"Quorvane\" group\n" + kQuorvaneEntries;
    return HostEntries() + L"  3 popup \"Quorvane\"\n" + kQuorvaneEntries;
  }
  Variant Toolbar() const { return Bar(L"Quorvane"); }
  // The toolbar's Position, RowIndex, Left and Top, and their settings.
  std::array<long, 4> Place() const {
    std::array<long, 4> place{};
    for (size_t i = 0; i < place.size(); ++i) place[i] = Get(Toolbar().Object(), kPlace[i].property).Long();
    return place;
  }
  std::array<std::wstring, 4> SavedPlace() const {
    std::array<std::wstring, 4> place;
    for (size_t i = 0; i < place.size(); ++i) {
      place[i] = qv::GetRegValue(HKEY_CURRENT_USER, library().settings_key, kPlace[i].setting).value_or(L"(none)");
    }
    return place;
  }
  void SavePlace(const std::array<const wchar_t*, 4>& texts) const {
    for (size_t i = 0; i < texts.size(); ++i) SetSetting(kPlace[i].setting, texts[i]);
  }
  void Disconnect() { ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id)); }
  void Reconnect() {
    Disconnect();
    ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  }
  // Control `index` of a host bar, as the sandbox holds it.
  ControlObject& HostControl(const wchar_t* bar, size_t index) const {
    return *host_->state().command_bars->Find(bar)->controls().items()[index - 1].Get();
  }
  void ExpectRef(const qv::HostObject& ref, const Variant& control, const char* name) const {
    EXPECT_TRUE(SameObject(ref.get(), control.Object())) << name;
  }
  void ExpectEditCommandsFrom(long first) const {
    const qv::CommandBarRefs& refs = Refs();
    ExpectRef(refs.CommentControl, ControlOf(L"Edit", first), "Comment");
    ExpectRef(refs.UncommentControl, ControlOf(L"Edit", first + 1), "Uncomment");
    ExpectRef(refs.BookmarkControl, ControlOf(L"Edit", first + 2), "Bookmark");
    ExpectRef(refs.NextBookmarkControl, ControlOf(L"Edit", first + 3), "NextBookmark");
    ExpectRef(refs.PrevBookmarkControl, ControlOf(L"Edit", first + 4), "PrevBookmark");
  }
};

TEST_P(CommandBarsTest, TheMenuEntriesAndTheToolbarAreBuiltExactlyWithTheirFaces) {
  StartHost();
  ASSERT_TRUE(Connect());
  EXPECT_EQ(AddinsTree(), BarTree(L"Add-Ins"));
  EXPECT_EQ(kToolbarTree, BarTree(L"Quorvane"));
  EXPECT_TRUE(Get(Toolbar().Object(), L"Visible").Bool());

  for (const FacedButton& button : kFacedButtons) {
    const auto picture = static_cast<HBITMAP>(LoadImageW(Loaded(), button.face, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, picture) << button.face;
    const ButtonFace expected = FaceOf(picture);
    DeleteObject(picture);
    const std::optional<ButtonFace>& face = Control(button.path).face();
    ASSERT_TRUE(face) << button.face;
    EXPECT_EQ(expected.checksum, face->checksum) << button.face;
  }
  EXPECT_EQ(std::size(kFacedButtons), Faces(*host_->state().command_bars->Find(L"Add-Ins")) +
                                          Faces(*host_->state().command_bars->Find(L"Quorvane")));
  // The last face does not stay on the clipboard.
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(kOwnControls, host_->live().controls);
  EXPECT_EQ(kHandlers, host_->live().sinks);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandBarsTest, TheAddInsEntryStartsAGroupAfterFewerThanTwoEntriesOrAfterAGroupsFirstEntry) {
  StartHost();
  if (library().personality == Personality::kVba) {
    ASSERT_TRUE(Connect());
    EXPECT_TRUE(Control({L"Add-Ins", L"Quorvane"}).begin_group()) << "one entry before it";
    host_->state().command_bars->Find(L"Add-Ins")->controls().Add(kControlButton, BuiltIn::kCommand, L"Other");
    Reconnect();
  } else {
    ASSERT_TRUE(Connect());
  }
  // Two host entries now: the rule reads the last two.
  ControlObject& before_last = HostControl(L"Add-Ins", 1);
  ControlObject& last = HostControl(L"Add-Ins", 2);
  EXPECT_FALSE(Control({L"Add-Ins", L"Quorvane"}).begin_group()) << "neither starts a group";
  last.SetBeginGroup(true);
  Reconnect();
  EXPECT_TRUE(Control({L"Add-Ins", L"Quorvane"}).begin_group()) << "the last one starts a group";
  before_last.SetBeginGroup(true);
  Reconnect();
  EXPECT_FALSE(Control({L"Add-Ins", L"Quorvane"}).begin_group()) << "both start one";
}

TEST_P(CommandBarsTest, TheHostLanguageIsEnglishForTheEnglishAddInsCaptionAndRussianOtherwise) {
  StartHost();
  ASSERT_TRUE(Connect());
  Pin();
  EXPECT_EQ(L"Английский", HostLanguage());
  Disconnect();
  // The language stays known after unload: an external start later builds no bars.
  EXPECT_EQ(L"Английский", HostLanguage());
  Control({L"Menu Bar", L"Add-Ins"}).SetCaption(L"&Надстройки");
  ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  EXPECT_EQ(L"Русский", HostLanguage());
}

TEST_P(CommandBarsTest, TheHostsOwnControlsComeFromTheMenuBarAndAfterTheF9Button) {
  StartHost();
  ASSERT_TRUE(Connect());
  const Variant file_menu = ControlOf(L"Menu Bar", 1);
  const Variant edit_menu = ControlOf(L"Menu Bar", 2);
  const long save = library().personality == Personality::kVba ? 3 : 5;
  ExpectRef(Refs().SaveProjectControl, Get(Get(file_menu.Object(), L"Controls").Object(), L"Item", {save}), "Save");
  ExpectRef(Refs().RedoControl, Get(Get(edit_menu.Object(), L"Controls").Object(), L"Item", {2}), "Redo");
  ExpectEditCommandsFrom(9);
}

TEST_P(CommandBarsTest, OfTwoF9ButtonsTheLastOneCounts) {
  StartHost({.f9_buttons = F9Buttons::kTwo});
  ASSERT_TRUE(Connect());
  ExpectEditCommandsFrom(9);
}

TEST_P(CommandBarsTest, WithoutAnF9ButtonTheEditCommandsAreTheBarsFirstFive) {
  StartHost({.f9_buttons = F9Buttons::kNone});
  ASSERT_TRUE(Connect());
  ExpectEditCommandsFrom(1);
}

TEST_P(CommandBarsTest, TheToolbarStartsAtTheDefaultPlaceAndUnloadSavesItsPlace) {
  StartHost();
  ASSERT_TRUE(Connect());
  EXPECT_EQ((std::array<long, 4>{1, 3, 720, 23}), Place());
  Put(Toolbar().Object(), L"Left", 300);
  Disconnect();
  EXPECT_EQ((std::array<std::wstring, 4>{L"1", L"3", L"300", L"23"}), SavedPlace());
  ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  EXPECT_EQ((std::array<long, 4>{1, 3, 300, 23}), Place());
}

TEST_P(CommandBarsTest, SavedPlacesAreReadAsNumbers) {
  SavePlace({L"4", L"2 rows", L"left", L" 4 0"});
  StartHost();
  ASSERT_TRUE(Connect());
  EXPECT_EQ((std::array<long, 4>{4, 2, 0, 40}), Place());
}

TEST_P(CommandBarsTest, ARefusedPositionLeavesTheOtherThreeValuesToApply) {
  SavePlace({L"5", L"2", L"100", L"50"});  // 5: a popup's place
  StartHost();
  ASSERT_TRUE(Connect());
  // The toolbar stays where the host put it: floating.
  EXPECT_EQ((std::array<long, 4>{4, 2, 100, 50}), Place());
  EXPECT_EQ(kToolbarTree, BarTree(L"Quorvane"));
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandBarsTest, TheToolbarAndTheAddInsEntryLeftByACrashAreReplaced) {
  BarSnapshot leftover{L"Quorvane", 1, 3, 720, 23, true, {{1, L"Форматировать блок", false}}};
  StartHost({.bars_from_earlier_run = {leftover}});
  const Variant entry = Invoke(Get(Bar(L"Add-Ins").Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {10});
  Put(entry.Object(), L"Caption", L"Quorvane");
  Invoke(Get(entry.Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1});
  ASSERT_TRUE(Connect());
  EXPECT_EQ(kToolbarTree, BarTree(L"Quorvane"));
  EXPECT_EQ(AddinsTree(), BarTree(L"Add-Ins"));
  Disconnect();
  EXPECT_EQ(HostEntries(), BarTree(L"Add-Ins"));
  EXPECT_TRUE(host_->SurvivingBars().empty());
  EXPECT_EQ(0, host_->live().controls);
}

TEST_P(CommandBarsTest, UnloadDeletesEveryControlUnadvisesEverySinkAndLetsTheLibraryGo) {
  StartHost();
  const std::wstring tree = host_->BarsTree();
  ASSERT_TRUE(Connect());
  ASSERT_EQ(kHandlers, host_->live().sinks);
  Disconnect();
  EXPECT_EQ(tree, host_->BarsTree());
  EXPECT_EQ(0, host_->live().controls);
  EXPECT_EQ(0, host_->live().sinks);
  EXPECT_EQ(0, host_->live().event_objects);
  host_->add_ins().FreeUnusedLibraries();
  EXPECT_EQ(nullptr, Loaded());
}

TEST_P(CommandBarsTest, AMissingEditBarSkipsOnlyTheEditCommands) {
  StartHost({.missing_bars = {L"Edit"}});
  ASSERT_TRUE(Connect());
  EXPECT_FALSE(Refs().CommentControl.get());
  EXPECT_FALSE(Refs().PrevBookmarkControl.get());
  EXPECT_TRUE(Refs().RedoControl.get());
  EXPECT_EQ(kToolbarTree, BarTree(L"Quorvane"));
  EXPECT_EQ(kHandlers, host_->live().sinks);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandBarsTest, AFailingPasteFaceLeavesTheButtonsWithoutFacesAndOtherwiseWhole) {
  StartHost();
  host_->InjectFault(L"CommandBarButton", L"PasteFace");
  ASSERT_TRUE(Connect());
  EXPECT_EQ(kToolbarTree, BarTree(L"Quorvane"));
  for (const FacedButton& button : kFacedButtons) EXPECT_FALSE(Control(button.path).face()) << button.face;
  EXPECT_EQ(L"ShowOptions(modal)\n", Clicked({L"Add-Ins", L"Quorvane", L"Настройки..."}));
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(CommandBarsTest, ARefusedToolbarLeavesTheMenuEntriesAndBindsNothingElse) {
  StartHost();
  host_->InjectFault(L"CommandBars", L"Add");
  ASSERT_TRUE(Connect());
  EXPECT_EQ(L"(no bar Quorvane)", BarTree(L"Quorvane"));
  EXPECT_FALSE(Refs().FormatButton.get());
  EXPECT_EQ(3, host_->live().controls);
  EXPECT_EQ(2, host_->live().sinks);
  EXPECT_EQ(L"ShowAbout\n", Clicked({L"Add-Ins", L"Quorvane", L"О программе..."}));
  EXPECT_TRUE(boxes_.boxes().empty());
  Disconnect();
  EXPECT_EQ(0, host_->live().controls);
  EXPECT_EQ(0, host_->live().sinks);
}

INSTANTIATE_TEST_SUITE_P(Libraries, CommandBarsTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
