#include "ui/strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tappomat {
namespace {

std::vector<std::string> Items(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

TStringList Make(std::initializer_list<const char*> items) {
  TStringList list;
  for (const char* s : items) list.Add(s);
  return list;
}

TEST(StringList, AddInsertDeleteKeepObjectsWithTheirStrings) {
  TStringList list;
  EXPECT_EQ(list.Add("b", 2), 0);
  EXPECT_EQ(list.Add("c", 3), 1);
  list.Insert(0, "a", 1);
  list.Insert(3, "d", 4);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "c", "d"}));
  list.Delete(1);
  list.Exchange(0, 2);
  list.Move(0, 1);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"c", "d", "a"}));
  EXPECT_EQ(list.Objects(0), 3);
  EXPECT_EQ(list.Objects(1), 4);
  EXPECT_EQ(list.Objects(2), 1);
  EXPECT_EQ(list.IndexOfObject(4), 1);
  list.SetString(2, "z");
  EXPECT_EQ(list.Strings(2), "z");
  EXPECT_EQ(list.Objects(2), 1);
}

TEST(StringList, BadIndexThrowsTheListIndexMessage) {
  TStringList list = Make({"a", "b"});
  struct Case {
    const char* what;
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {"get past end", [&] { (void)list[2]; }, "List index out of bounds (2)"},
      {"get negative", [&] { (void)list.Strings(-1); }, "List index out of bounds (-1)"},
      {"set", [&] { list.SetString(5, "x"); }, "List index out of bounds (5)"},
      {"object", [&] { (void)list.Objects(2); }, "List index out of bounds (2)"},
      {"delete", [&] { list.Delete(2); }, "List index out of bounds (2)"},
      {"insert past count", [&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
      {"exchange", [&] { list.Exchange(0, 7); }, "List index out of bounds (7)"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
  }
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
}

TEST(StringList, IndexOfFoldsAsciiCaseOnlyUnlessCaseSensitive) {
  TStringList list = Make({"Alpha", "Ёлка", "beta", "BETA"});
  EXPECT_EQ(list.IndexOf("ALPHA"), 0);
  EXPECT_EQ(list.IndexOf("Beta"), 2);  // the first of the equal ones
  EXPECT_EQ(list.IndexOf("Ёлка"), 1);
  EXPECT_EQ(list.IndexOf("ёлка"), -1);  // Cyrillic is compared exactly
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("BETA"), 3);
  EXPECT_EQ(list.IndexOf("ALPHA"), -1);
}

TEST(StringList, SortedListInsertsInOrderAndHandlesDuplicates) {
  struct Case {
    TDuplicates duplicates;
    int secondAddResult;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {TDuplicates::dupIgnore, -1, {"apple", "Cherry", "pear"}},
      {TDuplicates::dupAccept, 1, {"apple", "CHERRY", "Cherry", "pear"}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    EXPECT_EQ(list.Add("pear"), 0);
    EXPECT_EQ(list.Add("Cherry"), 0);
    EXPECT_EQ(list.Add("apple"), 0);
    EXPECT_EQ(list.Add("CHERRY"), c.secondAddResult);
    EXPECT_EQ(Items(list), c.items);
    EXPECT_EQ(list.IndexOf("cherry"), 1);
    EXPECT_EQ(list.IndexOf("banana"), -1);
  }

  TStringList strict;
  strict.SetSorted(true);
  strict.SetDuplicates(TDuplicates::dupError);
  strict.Add("x");
  EXPECT_THROW(strict.Add("X"), EStringListError);
  EXPECT_THROW(strict.Insert(0, "a"), EStringListError);
  EXPECT_THROW(strict.SetString(0, "a"), EStringListError);
  EXPECT_EQ(Items(strict), std::vector<std::string>{"x"});
}

TEST(StringList, SortingIsStableAndSortedSortsExistingItems) {
  TStringList list = Make({"b", "B", "a", "c", "A"});
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "A", "b", "B", "c"}));
  list.SetCaseSensitive(true);  // re-sorts: upper case first in byte order
  EXPECT_EQ(Items(list), (std::vector<std::string>{"A", "B", "a", "b", "c"}));
}

TEST(StringList, TextSplitsAtEveryLineBreakKindAndEndsLinesWithCrLf) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\ntwo\rthree", {"one", "two", "three"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n", {""}},
      {"a\n\r", {"a", ""}},  // LF then a lone CR: two breaks
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Items(list), c.lines) << c.text;
  }
  EXPECT_EQ(Make({"a", "", "b"}).Text(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(Make({}).Text(), "");
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndReadsItBack) {
  const TStringList list = Make({"plain", "two words", "a,b", "say \"hi\"", ""});
  EXPECT_EQ(list.CommaText(), R"(plain,"two words","a,b","say ""hi""","")");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(Items(back), Items(list));

  struct Case {
    const char* text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"a b,c", {"a", "b", "c"}},  // blanks separate as well
      {"  a , b  ", {"a", "b"}},
      {"a,", {"a", ""}},
      {"\"open", {"open"}},  // an unterminated quote takes the rest
      {"", {}},
  };
  for (const Case& c : cases) {
    TStringList parsed;
    parsed.SetCommaText(c.text);
    EXPECT_EQ(Items(parsed), c.items) << c.text;
  }
}

TEST(StringList, OnChangeFiresPerChangeOrOnceAfterTheOutermostUpdate) {
  TStringList list;
  int fired = 0;
  list.OnChange = [&] { ++fired; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(fired, 2);

  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(fired, 2);
  list.EndUpdate();
  EXPECT_EQ(fired, 3);

  list.BeginUpdate();  // nothing changed: no event
  list.EndUpdate();
  EXPECT_EQ(fired, 3);

  list.SetText("x\ny\nz");  // one event for the whole text
  EXPECT_EQ(fired, 4);
}

TEST(StringList, AssignCopiesStringsAndObjectsButKeepsTheHandler) {
  TStringList source = Make({"a", "b"});
  source.SetObject(1, 42);
  TStringList target = Make({"old"});
  int fired = 0;
  target.OnChange = [&] { ++fired; };
  target.Assign(source);
  EXPECT_EQ(Items(target), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.Objects(1), 42);
  EXPECT_EQ(fired, 1);
  target = source;
  EXPECT_EQ(fired, 2);
}

}  // namespace
}  // namespace tappomat
