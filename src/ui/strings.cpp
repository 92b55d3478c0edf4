#include "ui/strings.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tappomat {
namespace {

[[noreturn]] void ThrowIndexError(int index) {
  throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

[[noreturn]] void ThrowSortedError() {
  throw EStringListError("Operation not allowed on sorted list");
}

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The separators of CommaText: every control character and the space.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool NeedsQuotes(const std::string& s) {
  if (s.empty()) return true;
  return std::any_of(s.begin(), s.end(), [](char c) { return IsBlank(c) || c == '"' || c == ','; });
}

}  // namespace

TStringList::TStringList(const TStringList& other)
    : m_items(other.m_items),
      m_sorted(other.m_sorted),
      m_caseSensitive(other.m_caseSensitive),
      m_duplicates(other.m_duplicates) {}

TStringList& TStringList::operator=(const TStringList& other) {
  // OnChange stays: it belongs to whoever owns this list, not to the copied one.
  if (this != &other) {
    m_sorted = other.m_sorted;
    m_caseSensitive = other.m_caseSensitive;
    m_duplicates = other.m_duplicates;
    m_items = other.m_items;
    Changed();
  }
  return *this;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ThrowIndexError(index);
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index);
  return m_items[static_cast<std::size_t>(index)].text;
}

void TStringList::SetString(int index, std::string value) {
  if (m_sorted) ThrowSortedError();
  CheckIndex(index);
  m_items[static_cast<std::size_t>(index)].text = std::move(value);
  Changed();
}

std::intptr_t TStringList::Objects(int index) const {
  CheckIndex(index);
  return m_items[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObject(int index, std::intptr_t object) {
  CheckIndex(index);
  m_items[static_cast<std::size_t>(index)].object = object;
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  if (m_caseSensitive) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
    const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int TStringList::FindSorted(std::string_view value, bool& found) const {
  // Lower bound, so that among equal strings the first one is found (as TStringList.Find).
  int low = 0;
  int high = Count();
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (CompareStrings(m_items[static_cast<std::size_t>(mid)].text, value) < 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  found = low < Count() && CompareStrings(m_items[static_cast<std::size_t>(low)].text, value) == 0;
  return low;
}

int TStringList::Add(std::string value, std::intptr_t object) {
  int index = Count();
  if (m_sorted) {
    bool found = false;
    index = FindSorted(value, found);
    if (found && m_duplicates == TDuplicates::dupIgnore) return -1;
    if (found && m_duplicates == TDuplicates::dupError) {
      throw EStringListError("String list does not allow duplicates");
    }
  }
  m_items.insert(m_items.begin() + index, Item{std::move(value), object});
  Changed();
  return index;
}

void TStringList::Insert(int index, std::string value, std::intptr_t object) {
  if (m_sorted) ThrowSortedError();
  if (index < 0 || index > Count()) ThrowIndexError(index);
  m_items.insert(m_items.begin() + index, Item{std::move(value), object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  m_items.erase(m_items.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (m_items.empty()) return;
  m_items.clear();
  Changed();
}

void TStringList::Move(int fromIndex, int toIndex) {
  if (m_sorted) ThrowSortedError();
  CheckIndex(fromIndex);
  CheckIndex(toIndex);
  if (fromIndex == toIndex) return;
  Item item = std::move(m_items[static_cast<std::size_t>(fromIndex)]);
  m_items.erase(m_items.begin() + fromIndex);
  m_items.insert(m_items.begin() + toIndex, std::move(item));
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(m_items[static_cast<std::size_t>(index1)], m_items[static_cast<std::size_t>(index2)]);
  Changed();
}

int TStringList::IndexOf(std::string_view value) const {
  if (m_sorted) {
    bool found = false;
    const int index = FindSorted(value, found);
    return found ? index : -1;
  }
  for (int i = 0; i < Count(); ++i) {
    if (CompareStrings(m_items[static_cast<std::size_t>(i)].text, value) == 0) return i;
  }
  return -1;
}

int TStringList::IndexOfObject(std::intptr_t object) const {
  for (int i = 0; i < Count(); ++i) {
    if (m_items[static_cast<std::size_t>(i)].object == object) return i;
  }
  return -1;
}

std::string TStringList::Text() const {
  std::string out;
  for (const Item& item : m_items) {
    out += item.text;
    out += "\r\n";
  }
  return out;
}

void TStringList::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      Add(std::string(text.substr(pos)));
      break;
    }
    Add(std::string(text.substr(pos, end - pos)));
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  EndUpdate();
}

std::string TStringList::CommaText() const {
  std::string out;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (i > 0) out += ',';
    const std::string& s = m_items[i].text;
    if (!NeedsQuotes(s)) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStringList::SetCommaText(std::string_view text) {
  BeginUpdate();
  Clear();
  std::size_t pos = 0;
  const auto skipBlanks = [&] {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < text.size()) {
    std::string item;
    if (text[pos] == '"') {
      ++pos;
      while (pos < text.size()) {
        if (text[pos] == '"') {
          if (pos + 1 < text.size() && text[pos + 1] == '"') {
            item += '"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        item += text[pos++];
      }
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',') ++pos;
      item.assign(text.substr(start, pos - start));
    }
    Add(std::move(item));
    skipBlanks();
    if (pos < text.size() && text[pos] == ',') {
      // A comma at the very end stands for one more, empty, item.
      if (pos + 1 == text.size()) Add(std::string());
      ++pos;
      skipBlanks();
    }
  }
  EndUpdate();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == m_sorted) return;
  if (sorted) Sort();
  m_sorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == m_caseSensitive) return;
  m_caseSensitive = caseSensitive;
  if (m_sorted) Sort();
}

void TStringList::Sort() {
  std::stable_sort(m_items.begin(), m_items.end(), [this](const Item& a, const Item& b) {
    return CompareStrings(a.text, b.text) < 0;
  });
  Changed();
}

void TStringList::EndUpdate() {
  if (m_updateCount == 0) return;
  if (--m_updateCount == 0 && m_changedDuringUpdate) {
    m_changedDuringUpdate = false;
    if (OnChange) OnChange();
  }
}

void TStringList::Changed() {
  if (m_updateCount > 0) {
    m_changedDuringUpdate = true;
    return;
  }
  if (OnChange) OnChange();
}

void TStringList::Assign(const TStringList& source) {
  if (this == &source) return;
  BeginUpdate();
  Clear();
  for (const Item& item : source.m_items) Add(item.text, item.object);
  EndUpdate();
}

}  // namespace tappomat
