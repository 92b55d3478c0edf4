#pragma once
// TStringList: the list of strings that list boxes, combo boxes, memo lines and grid rows
// hold, with an object value per item. Owned by the controls (their Items/Lines) and by
// the program's own code for its tables.
//
// Behaviour callers rely on:
//  - IndexOf and the sorted order ignore case by default (CaseSensitive false). Case is
//    folded for ASCII letters only; other UTF-8 text compares byte for byte.
//  - With Sorted set, Add places the string at its sorted position and Duplicates decides
//    what a second equal string does; Insert, SetString and Move, which would break the
//    order, throw "Operation not allowed on sorted list".
//  - A bad index throws EStringListError, whose message is "List index out of bounds (N)".
//  - Text ends every line, the last included, with "\r\n", as TStrings.Text does.
//  - OnChange fires after every change, or once at the outermost EndUpdate when something
//    changed inside BeginUpdate/EndUpdate.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat {

class EStringListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
 public:
  TStringList() = default;
  TStringList(const TStringList& other);
  TStringList& operator=(const TStringList& other);

  int Count() const { return static_cast<int>(m_items.size()); }
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  // Replaces a string (not allowed while sorted).
  void SetString(int index, std::string value);

  std::intptr_t Objects(int index) const;
  void SetObject(int index, std::intptr_t object);

  // Returns the index of the new item; -1 when a sorted list with dupIgnore already holds
  // the string. Throws EStringListError("Duplicate string") under dupError.
  int Add(std::string value, std::intptr_t object = 0);
  int AddObject(std::string value, std::intptr_t object) { return Add(std::move(value), object); }
  // Inserts before `index` (0..Count); not allowed while sorted.
  void Insert(int index, std::string value, std::intptr_t object = 0);
  void Delete(int index);
  void Clear();
  // Moves the item (with its object) from one index to another; not allowed while sorted.
  void Move(int fromIndex, int toIndex);
  void Exchange(int index1, int index2);

  int IndexOf(std::string_view value) const;
  int IndexOfObject(std::intptr_t object) const;

  // All lines, each followed by "\r\n". Setting it splits at CR LF, LF or CR; a
  // final line break does not make an extra empty line.
  std::string Text() const;
  void SetText(std::string_view text);

  // Items separated by commas; items holding a space, comma or quote are double-quoted
  // with quotes doubled. Setting it also splits at spaces outside quotes.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  bool Sorted() const { return m_sorted; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return m_duplicates; }
  void SetDuplicates(TDuplicates duplicates) { m_duplicates = duplicates; }
  bool CaseSensitive() const { return m_caseSensitive; }
  void SetCaseSensitive(bool caseSensitive);
  // Sorts once (stable, by the current case rule); Sorted keeps the order from then on.
  void Sort();

  void BeginUpdate() { ++m_updateCount; }
  void EndUpdate();
  int UpdateCount() const { return m_updateCount; }
  std::function<void()> OnChange;

  // Copies the strings and objects (not OnChange or the sort settings), as TStrings.Assign.
  void Assign(const TStringList& source);

  // Comparison by the list's case rule: negative, 0 or positive.
  int CompareStrings(std::string_view a, std::string_view b) const;

 private:
  struct Item {
    std::string text;
    std::intptr_t object = 0;
  };

  void CheckIndex(int index) const;
  // Where `value` goes in the sorted list; `found` tells whether an equal string is there.
  int FindSorted(std::string_view value, bool& found) const;
  void Changed();

  std::vector<Item> m_items;
  bool m_sorted = false;
  bool m_caseSensitive = false;
  TDuplicates m_duplicates = TDuplicates::dupIgnore;
  int m_updateCount = 0;
  bool m_changedDuringUpdate = false;
};

}  // namespace tappomat
