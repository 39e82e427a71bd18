#include "kit/load_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ranges>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "kit/settings_table.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

using namespace std::string_literals;
using Values = std::map<std::wstring, std::wstring>;
using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

constexpr wchar_t kHostKey[] = L"Software\\Microsoft\\Visual Basic\\6.0";
constexpr wchar_t kCodeColors[] = L"0 0 5 0 1 10 13 0 0 0 0 0 0 0 0 0 ";

struct Write {
  std::wstring key, name, value;
  bool terminated;
  bool operator==(const Write&) const = default;
};

// A registry that reads back as the add-in's registry helper does: a text
// stored without its NUL comes back without surrounding blanks.
class FakeEnvironment : public SettingsEnvironment {
 public:
  std::optional<std::wstring> ReadValue(std::wstring_view key, std::wstring_view name) override {
    reads.emplace_back(name);
    const auto found = values.find({std::wstring(key), std::wstring(name)});
    if (found == values.end() || found->second.empty()) return std::nullopt;
    return found->second;
  }
  void WriteValue(std::wstring_view key, std::wstring_view name, std::wstring_view value, bool terminated) override {
    writes.push_back({std::wstring(key), std::wstring(name), std::wstring(value), terminated});
    values[{std::wstring(key), std::wstring(name)}] = terminated ? std::wstring(value) : TrimBlanks(value);
  }
  std::wstring EnvironmentVariable(std::wstring_view name) override {
    return name == L"HOMEDRIVE" ? L"C:" : name == L"HOMEPATH" ? L"\\Users\\me" : L"";
  }
  long WheelScrollLines() override { return wheelLines; }
  void SetIDEStyle(long style) override { styles.push_back(style); }
  std::wstring LanguagesSection(std::wstring_view section) override {
    sections.emplace_back(section);
    return languages;
  }
  void ReportError(const VbError& error, long step) override { reports.emplace_back(error.number, step); }

  std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
  std::vector<std::wstring> reads, sections;
  std::vector<Write> writes;
  std::vector<long> styles;
  std::vector<std::pair<long, long>> reports;  // error number, step
  std::wstring languages;
  long wheelLines = 7;
};

// Every loaded member as text, by its value's name.
Values Loaded(const Settings& settings) {
  const auto text = [](const auto& value) -> std::wstring {
    using T = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<T, bool>) return value ? L"True" : L"False";
    if constexpr (std::is_same_v<T, std::int32_t>) return std::to_wstring(value);
    if constexpr (std::is_same_v<T, std::wstring>) return value;
  };
  Values values;
  for (const SettingDescriptor& row : SettingsTable()) {
    std::visit([&](const auto& field) { values[std::wstring(row.name)] = text(settings.*field.member); }, row.field);
  }
  return values;
}

// The keys are the connection's; here they only need to differ.
SettingsContext Context(bool isVBA, std::wstring version = L"6.00") { return {isVBA, L"IDE", L"Addin", version}; }

class LoadSettingsTest : public testing::Test {
 protected:
  void Load() { LoadSettings(context, settings, languageFiles, environment); }
  Pairs Languages() const {
    Pairs languages;
    for (long i = 1; i <= languageFiles.Count(); ++i) {
      languages.emplace_back(*languageFiles.KeyAt(i), languageFiles.Item(i));
    }
    return languages;
  }
  void Store(std::wstring name, std::wstring value, std::wstring key = {}) {
    environment.values[{key.empty() ? context.SettingsKey : key, name}] = value;
  }

  SettingsContext context = Context(false);
  Settings settings;
  KeyedCollection<std::wstring> languageFiles;
  FakeEnvironment environment;
};

TEST(SettingsTable, EveryRowHasAMemberOfItsOwn) {
  Settings settings;
  std::set<const void*> members;
  for (const SettingDescriptor& row : SettingsTable()) {
    std::visit(
        [&](const auto& field) {
          EXPECT_TRUE(members.insert(&(settings.*field.member)).second) << std::wstring(row.name);
        },
        row.field);
  }
}

// Entries "name=value" between "|".
Values Parse(std::wstring_view entries) {
  Values values;
  for (const auto entry : std::views::split(entries, L'|')) {
    const std::wstring_view text(entry.begin(), entry.end());
    values.emplace(text.substr(0, text.find(L'=')), text.substr(text.find(L'=') + 1));
  }
  return values;
}

TEST_F(LoadSettingsTest, FreshHiveGivesEveryDefault) {
  const Values expected = Parse(
      L"SDI=False|AutoIndent=True|AutoIndent.Automatic=True|CustomIndentWidth=False|TabWidth=4|AutoInsert=True|"
      L"AutoInsert.EndConstructions=True|AutoInsert.Then=True|AutoInsert.Comment=True|AutoInsert.CustomCode=True|"
      L"CustomCode=On Error Goto ErrorHandler\r\n\r\nExit (MemberType)\r\nErrorHandler:\r\n"
      L"MsgBox Error, vbExclamation + vbOkOnly|AutoText=True|AutoReplace=True|IncrementAndDecrement=True|"
      L"ComponentAssignment=True|InitializationWithDeclarate=True|Numeration=True|NumerationStart=10|"
      L"NumerationStep=10|SkipLinesInOffensive=False|AutoNumeration=False|ErrorHandlers=True|Include=True|"
      L"AutoInclude=True|ProjectsPath=C:\\Users\\me\\Мои документы\\Projects|SyntaxColoring=True|"
      L"SyntaxColoring.Operators=True|SyntaxColoring.AdditionalOperators=True|SyntaxColoring.Texts=True|"
      L"SyntaxColoring.CustomTexts=True|TextColor=1381814|SyntaxColoring.ShiftX=9|SyntaxColoring.ShiftY=0|"
      L"Scrolling=True|CustomScrollHeight=False|ScrollHeight=7|StyleIDE=True|ShowPalette=True|LanguageIDE=True|"
      L"MDITabs=True|MDITabsTop=True|HotKeys=True|HotKeys.Format=Ctrl + Alt + Tab|HotKeys.Save=Ctrl + S|"
      L"HotKeys.Redo=Ctrl + B|HotKeys.Comment=Ctrl + '|HotKeys.Uncomment=Ctrl + Shift + '|HotKeys.Bookmark=F6|"
      L"HotKeys.NextBookmark=Shift + F6|HotKeys.PrevBookmark=Нет|HotKeys.ProcAndFunc=F11|CustomColors=16777215 "
      L"16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 "
      L"16777215 16777215 16777215 16777215 ");
  for (const bool isVBA : {false, true}) {
    SCOPED_TRACE(isVBA ? "VBA editor" : "Visual Basic 6.0");
    context = Context(isVBA);
    settings = Settings();
    environment = FakeEnvironment();
    Load();
    EXPECT_EQ(Loaded(settings), expected);
    EXPECT_TRUE(environment.reports.empty());
    std::vector<Write> writes = {{context.IDESettingsKey, L"CodeForeColors", kCodeColors, true}};
    if (!isVBA) writes.insert(writes.begin(), {context.SettingsKey, L"StyleIDE", L"True", false});
    Load();  // the next connection installs the style no more, nor rewrites the colours
    EXPECT_EQ(environment.writes, writes);
    EXPECT_EQ(environment.styles, isVBA ? std::vector<long>{} : std::vector<long>{1});
    EXPECT_TRUE(settings.StyleIDE);
  }
}

TEST_F(LoadSettingsTest, ConvertsStoredTexts) {
  const struct {
    const wchar_t* name;
    const wchar_t* stored;
    const wchar_t* loaded;
  } cases[] = {
      {L"AutoIndent", L"False", L"False"},   {L"AutoIndent", L"0", L"False"},
      {L"AutoIndent", L"-1", L"True"},       {L"CustomIndentWidth", L"tRUE", L"True"},
      {L"NumerationStart", L"15abc", L"15"}, {L"NumerationStart", L"abc", L"0"},
      {L"NumerationStep", L"12.5", L"12"},   {L"NumerationStep", L"13.5", L"14"},
      {L"HotKeys.Save", L"Нет", L"Нет"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name) + L"=" + c.stored));
    environment.values.clear();
    Store(c.name, c.stored);
    Load();
    EXPECT_EQ(Loaded(settings)[c.name], c.loaded);
    EXPECT_TRUE(environment.reports.empty());
  }
}

// The failing value keeps what it had, the box names the step, and the
// steps after it still run.
TEST_F(LoadSettingsTest, BadValueReportsItsStepAndKeepsTheMember) {
  const struct {
    const wchar_t* name;
    const wchar_t* stored;
    long number;
    long step;
    bool isVBA = false;  // the steps are numbered alike in both builds
  } cases[] = {
      {L"SDI", L"yes", 13, 1},       {L"AutoIndent", L"yes", 13, 2},     {L"NumerationStart", L"1e10", 6, 18},
      {L"StyleIDE", L"yes", 13, 37}, {L"ShowPalette", L"yes", 13, 38},   {L"LanguageIDE", L"yes", 13, 40},
      {L"HotKeys", L"yes", 13, 43},  {L"HotKeys", L"yes", 13, 43, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    context = Context(c.isVBA);
    environment = FakeEnvironment();
    Store(c.name, c.stored, c.name == std::wstring(L"SDI") ? kHostKey : L"");
    settings = Settings();
    const Values before = Loaded(settings);
    Load();
    EXPECT_EQ(environment.reports, (std::vector<std::pair<long, long>>{{c.number, c.step}}));
    EXPECT_EQ(Loaded(settings)[c.name], before.at(c.name));
    EXPECT_EQ(settings.CustomColorsValue.size(), 16u * 9u);
  }
}

TEST_F(LoadSettingsTest, HostValuesOfTheVisualBasicKey) {
  context = Context(true);
  Store(L"SDI", L"True", kHostKey);
  Store(L"CustomColors", L"255 ", kHostKey);
  Load();
  EXPECT_FALSE(settings.IsSDI);
  EXPECT_EQ(settings.CustomColorsValue, L"255 ");
  context = Context(false);
  Load();
  EXPECT_TRUE(settings.IsSDI);
}

TEST_F(LoadSettingsTest, TabWidthSourceFollowsCustomIndentWidth) {
  Store(L"TabWidth", L"8");
  Store(L"TabWidth", L"2", context.IDESettingsKey);
  Load();
  EXPECT_EQ(settings.IndentWidth, 2);
  Store(L"CustomIndentWidth", L"True");
  Load();
  EXPECT_EQ(settings.IndentWidth, 8);
}

// Only the system's wheel lines are raised to 1; a stored height is the
// user's own, as the options dialog stores it.
TEST_F(LoadSettingsTest, ScrollHeightFollowsCustomScrollHeight) {
  const struct {
    const wchar_t* custom;
    const wchar_t* stored;
    long wheelLines;
    std::int32_t height;
  } cases[] = {
      {L"False", L"9", 0, 1}, {L"False", L"9", 5, 5}, {L"True", L"9", 5, 9},
      {L"True", L"0", 5, 0},  {L"True", L"", 5, 3},
  };
  for (const auto& c : cases) {
    Store(L"CustomScrollHeight", c.custom);
    Store(L"ScrollHeight", c.stored);
    environment.wheelLines = c.wheelLines;
    Load();
    EXPECT_EQ(settings.ScrollHeight, c.height) << c.custom << " " << c.stored << " " << c.wheelLines;
  }
}

TEST_F(LoadSettingsTest, LanguagesFromTheHostsSection) {
  environment.languages = L"English=en.dll\0 Deutsch = de.dll\0=x.dll\0a=b=c\0no name\0\0"s;
  languageFiles.Add(L"old.dll", L"Old");
  Load();
  context = Context(true, L"7.01");
  Load();
  EXPECT_EQ(environment.sections, (std::vector<std::wstring>{L"VB6", L"VBE7"}));
  EXPECT_EQ(Languages(), (Pairs{{L"English", L"en.dll"}, {L"Deutsch", L"de.dll"}, {L"a", L"b=c"}}));
}

TEST_F(LoadSettingsTest, RepeatedLanguageEndsTheListThere) {
  environment.languages = L"Русский=ru.dll\0РУССКИЙ=x.dll\0English=en.dll"s;
  Load();
  EXPECT_EQ(environment.reports, (std::vector<std::pair<long, long>>{{457, 39}}));
  EXPECT_EQ(Languages(), (Pairs{{L"Русский", L"ru.dll"}}));
  EXPECT_TRUE(settings.LanguageIDE);
}

TEST_F(LoadSettingsTest, CodeForeColorsOnlyWithOperatorColouring) {
  context = Context(true);
  Store(L"CodeForeColors", L"0 0 5 0 1 10 13 0 0 0 0 0 0 0 0 0", context.IDESettingsKey);
  Store(L"SyntaxColoring.Operators", L"False");
  Load();
  EXPECT_EQ(std::count(environment.reads.begin(), environment.reads.end(), L"CodeForeColors"), 0);
  EXPECT_TRUE(environment.writes.empty());
  Store(L"SyntaxColoring.Operators", L"True");
  Load();
  EXPECT_EQ(environment.writes, (std::vector<Write>{{context.IDESettingsKey, L"CodeForeColors", kCodeColors, true}}));
}

}  // namespace
}  // namespace qv
