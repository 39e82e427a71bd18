#include "kit/keyed_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/collection_helpers.h"
#include "vb_error_matchers.h"

namespace qv {
namespace {

using Strings = std::vector<std::wstring>;

Strings Items(const KeyedCollection<>& coll) { return Strings(coll.begin(), coll.end()); }

// Every position's item is the one its key finds.
void ExpectPositionsAndKeysAgree(const KeyedCollection<>& coll) {
  for (long position = 1; position <= coll.Count(); ++position) {
    if (const auto key = coll.KeyAt(position)) {
      EXPECT_EQ(&coll.Item(*key), &coll.Item(position)) << "position " << position;
    }
  }
}

KeyedCollection<> FiveKeyed() {
  KeyedCollection<> coll;
  for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) coll.Add(name, std::wstring(L"k") + name);
  return coll;
}

TEST(KeyedCollection, KeysDifferingOnlyInCaseAreOneKey) {
  KeyedCollection<> coll;
  coll.Add(L"first", L"Ключ");
  EXPECT_TRUE(coll.Contains(L"КЛЮЧ"));
  EXPECT_EQ(coll.Item(L"ключ"), L"first");
  EXPECT_FALSE(coll.Contains(L"Kлюч"));  // Latin K

  EXPECT_VB_ERROR(coll.Add(L"second", L"КЛЮЧ"), 457);
  EXPECT_FALSE(coll.TryAdd(L"third", L"ключ"));
  EXPECT_EQ(Items(coll), Strings{L"first"});
  EXPECT_EQ(coll.KeyAt(1), L"Ключ");

  EXPECT_TRUE(coll.TryAdd(L"other", L"Ключи"));
  EXPECT_EQ(coll.Item(L"КЛЮЧИ"), L"other");
}

TEST(KeyedCollection, PositionsAndKeysAgreeAfterRemoval) {
  const struct {
    long position;
    const wchar_t* key;
    Strings left;
  } cases[] = {
      {1, L"KA", {L"b", L"c", L"d", L"e"}},
      {3, L"kC", {L"a", L"b", L"d", L"e"}},
      {5, L"ke", {L"a", L"b", L"c", L"d"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    KeyedCollection<> byPosition = FiveKeyed();
    byPosition.Remove(c.position);
    KeyedCollection<> byKey = FiveKeyed();
    byKey.Remove(c.key);
    for (KeyedCollection<>* coll : {&byPosition, &byKey}) {
      EXPECT_EQ(Items(*coll), c.left);
      EXPECT_FALSE(coll->Contains(c.key));
      ExpectPositionsAndKeysAgree(*coll);
      coll->Add(L"again", c.key);  // the removed key is free again, and goes last
      EXPECT_EQ(coll->Item(5), L"again");
      ExpectPositionsAndKeysAgree(*coll);
    }
  }
}

TEST(KeyedCollection, RepeatedRemovalKeepsKeysInStep) {
  KeyedCollection<> coll = FiveKeyed();
  coll.Remove(L"kb");
  coll.Remove(3);  // "d"
  coll.Remove(1);  // "a"
  EXPECT_EQ(Items(coll), (Strings{L"c", L"e"}));
  EXPECT_EQ(coll.Item(L"kc"), L"c");
  EXPECT_EQ(coll.Item(L"KE"), L"e");
  ExpectPositionsAndKeysAgree(coll);
}

TEST(KeyedCollection, ItemsWithoutKeys) {
  KeyedCollection<> coll;
  coll.Add(L"plain");
  coll.Add(L"keyed", L"Key");
  coll.Add(L"plain too");
  EXPECT_EQ(coll.Count(), 3);
  EXPECT_EQ(coll.KeyAt(1), std::nullopt);
  EXPECT_EQ(coll.KeyAt(2), L"Key");
  EXPECT_FALSE(coll.Contains(L""));
  coll.Add(L"empty key", L"");  // an empty key is still a key
  EXPECT_EQ(coll.Item(L""), L"empty key");

  coll.Remove(1);
  EXPECT_EQ(coll.Item(L"key"), L"keyed");
  EXPECT_EQ(coll.Item(1), L"keyed");
  EXPECT_EQ(coll.Item(L""), L"empty key");
  EXPECT_EQ(Items(coll), (Strings{L"keyed", L"plain too", L"empty key"}));
}

TEST(KeyedCollection, ErrorsForBadPositionsAndMissingKeys) {
  KeyedCollection<> coll = FiveKeyed();
  const KeyedCollection<>& constColl = coll;
  for (const long position : {0L, -1L, 6L}) {
    SCOPED_TRACE(position);
    EXPECT_VB_ERROR(coll.Item(position), 9);
    EXPECT_VB_ERROR(constColl.Item(position), 9);
    EXPECT_VB_ERROR(coll.KeyAt(position), 9);
    EXPECT_VB_ERROR(coll.Remove(position), 9);
  }
  EXPECT_VB_ERROR(coll.Item(L"missing"), 5);
  EXPECT_VB_ERROR(coll.Remove(L"missing"), 5);
  EXPECT_EQ(coll.Find(L"missing"), nullptr);
  EXPECT_EQ(coll.Count(), 5);
  EXPECT_VB_ERROR(KeyedCollection<>().Item(1), 9);
}

TEST(KeyedCollection, ClearForgetsItemsAndKeys) {
  KeyedCollection<> coll = FiveKeyed();
  coll.Clear();
  EXPECT_EQ(coll.Count(), 0);
  EXPECT_EQ(coll.begin(), coll.end());
  EXPECT_FALSE(coll.Contains(L"ka"));
  coll.Add(L"new", L"KA");
  EXPECT_EQ(coll.Item(L"ka"), L"new");
  EXPECT_EQ(coll.Item(1), L"new");
}

TEST(KeyedCollection, ItemsCanBeChangedInPlace) {
  KeyedCollection<int> coll;
  coll.Add(1, L"one");
  coll.Add(2);
  coll.Item(2) = 20;
  for (int& item : coll) item += 1;
  EXPECT_EQ(*coll.Find(L"ONE"), 2);
  EXPECT_EQ(coll.Item(2), 21);
}

TEST(CollectionHelpers, GetItemAndItemExists) {
  KeyedCollection<> texts;
  texts.Add(L"value", L"Key");
  KeyedCollection<long> longs;
  longs.Add(-42, L"n");

  EXPECT_EQ(GetItem(&texts, L"KEY"), L"value");
  EXPECT_EQ(GetItem(&texts, L"other"), L"");
  EXPECT_EQ(GetItem<std::wstring>(nullptr, L"Key"), L"");
  EXPECT_EQ(GetItem(&longs, L"N"), L"-42");

  EXPECT_TRUE(ItemExists(&texts, L"key"));
  EXPECT_FALSE(ItemExists(&texts, L"other"));
  EXPECT_FALSE(ItemExists<std::wstring>(nullptr, L"key"));
}

TEST(CollectionHelpers, MinVarAndMaxVarGiveSecondOnEquality) {
  struct Tagged {
    int value;
    char tag;
    bool operator<(const Tagged& other) const { return value < other.value; }
    bool operator>(const Tagged& other) const { return value > other.value; }
  };
  const Tagged one{1, 'a'};
  const Tagged two{2, 'b'};
  const Tagged otherOne{1, 'c'};
  EXPECT_EQ(MinVar(one, two).tag, 'a');
  EXPECT_EQ(MinVar(two, one).tag, 'a');
  EXPECT_EQ(MaxVar(one, two).tag, 'b');
  EXPECT_EQ(MaxVar(two, one).tag, 'b');
  EXPECT_EQ(MinVar(one, otherOne).tag, 'c');
  EXPECT_EQ(MaxVar(one, otherOne).tag, 'c');
  EXPECT_EQ(MinVar(std::wstring(L"b"), std::wstring(L"a")), L"a");
}

}  // namespace
}  // namespace qv
