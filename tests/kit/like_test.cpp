#include "kit/like.h"

#include <gtest/gtest.h>

#include <string>

#include "vb_error_matchers.h"

namespace qv {
namespace {

struct LikeCase {
  const wchar_t* text;
  const wchar_t* pattern;
  bool matches;
};

template <std::size_t N>
void ExpectLike(const LikeCase (&cases)[N]) {
  for (const LikeCase& c : cases) {
    EXPECT_EQ(Like(c.text, c.pattern), c.matches)
        << testing::PrintToString(std::wstring(c.text)) << " Like " << testing::PrintToString(std::wstring(c.pattern));
  }
}

TEST(Like, MetacharactersOutsideBrackets) {
  const LikeCase cases[] = {
      {L"abc", L"abc", true},   {L"abc", L"ABC", false},  // case matters
      {L"abc", L"ab", false},   {L"ab", L"abc", false},    {L"", L"*", true},           {L"abc", L"*", true},
      {L"abc", L"a*", true},    {L"abc", L"*c", true},     {L"abc", L"a*c", true},      {L"ac", L"a*c", true},
      {L"abcbc", L"*bc", true}, {L"abcbd", L"*bc", false}, {L"abc", L"**a**c**", true}, {L"abc", L"a?c", true},
      {L"ac", L"a?c", false},   {L"", L"?", false},        {L"a1", L"a#", true},        {L"a0", L"a#", true},
      {L"a9", L"a#", true},     {L"ax", L"a#", false},     {L"a12", L"a#", false},      {L"a\u0661", L"a#", false},
      {L"!", L"!", true},       {L"a!b", L"a!b", true},    {L"a]", L"a]", true},        {L"]", L"]", true},
      {L"-", L"-", true},       {L"x", L"!", false},
  };
  ExpectLike(cases);
}

TEST(Like, CharacterLists) {
  const LikeCase cases[] = {
      {L"b", L"[abc]", true},   {L"d", L"[abc]", false},   {L"", L"[abc]", false},     {L"ab", L"[abc]", false},
      {L"d", L"[!abc]", true},  {L"b", L"[!abc]", false},  {L"m", L"[a-z]", true},     {L"a", L"[a-z]", true},
      {L"z", L"[a-z]", true},   {L"M", L"[a-z]", false},   {L"a", L"[a-a]", true},     {L"5", L"[0-4x]", false},
      {L"x", L"[0-4x]", true},  {L"Q", L"[a-cQ-S]", true}, {L"T", L"[a-cQ-S]", false}, {L"d", L"[!a-c]", true},
      {L"b", L"[!a-c]", false}, {L"!", L"[!a-c]", true},   {L"#", L"[#]", true},       {L"5", L"[#]", false},
      {L"*", L"[*]", true},     {L"a", L"[*]", false},     {L"?", L"[?]", true},       {L"a", L"[?]", false},
      {L"[", L"[[]", true},     {L"!", L"[a!]", true},     {L"!", L"[!!]", false},     {L"-", L"[a-]", true},
      {L"a", L"[a-]", true},    {L"b", L"[a-]", false},    {L"-", L"[-a]", true},      {L"-", L"[!-a]", false},
      {L"b", L"[!-a]", true},   {L"-", L"[a-c-e]", true},  {L"e", L"[a-c-e]", true},   {L"d", L"[a-c-e]", false},
      {L"", L"[]", true},       {L"a", L"[]", false},      {L"ab", L"a[]b", true},     {L"a]", L"[]]", false},
      {L"]", L"[]]", true},     {L"a", L"[!]", true},      {L"", L"[!]", false},       {L"x5y", L"[a-z]#[!0-9]", true},
  };
  ExpectLike(cases);
}

TEST(Like, EmptyPatternAndText) {
  const LikeCase cases[] = {
      {L"", L"", true},
      {L"a", L"", false},
      {L" ", L"", false},
      {L"", L"a", false},
  };
  ExpectLike(cases);
}

TEST(Like, CyrillicCharactersAndRanges) {
  const LikeCase cases[] = {
      {L"ключ", L"кл*", true}, {L"Ключ", L"кл*", false}, {L"ж", L"[а-я]", true},
      {L"Ж", L"[а-я]", false}, {L"z", L"[а-я]", false},  {L"ё", L"[а-я]", false},  // U+0451 lies past я
      {L"Ж", L"[!а-я]", true}, {L"ё", L"[а-яё]", true},  {L"Ёж", L"[Ё]?", true},
  };
  ExpectLike(cases);
}

TEST(Like, MalformedPatternsRaiseError93) {
  for (const wchar_t* pattern : {L"[abc", L"[", L"a[!", L"[z-a]", L"[!b-a]", L"x*[a-c][9-0]", L"[]["}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(pattern)));
    EXPECT_VB_ERROR(Like(L"", pattern), 93);
    EXPECT_VB_ERROR(LikePattern{pattern}, 93);
  }
}

TEST(LikePattern, CompiledOnceMatchesMany) {
  const LikePattern pattern(L"Sub [A-Z]*(*)");
  EXPECT_TRUE(pattern.Matches(L"Sub Main()"));
  EXPECT_TRUE(pattern.Matches(L"Sub X(ByVal a As Long)"));
  EXPECT_FALSE(pattern.Matches(L"Sub main()"));
  EXPECT_FALSE(pattern.Matches(L"Function Main()"));
}

TEST(Like, ManyStarsDoNotBacktrackExponentially) {
  std::wstring pattern;
  for (int i = 0; i < 30; ++i) pattern += L"*a";
  const std::wstring text(100000, L'a');
  EXPECT_FALSE(Like(text, pattern + L"*b"));
  EXPECT_TRUE(Like(text, pattern + L"*"));
  EXPECT_TRUE(Like(text + L"b", pattern + L"*b"));
}

}  // namespace
}  // namespace qv
