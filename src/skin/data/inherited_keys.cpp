#include "skin/data/inherited_keys.h"

#include <optional>
#include <stdexcept>

#include "skin/data/section_parents.h"
#include "ui/convert.h"

namespace tappomat {
namespace {

bool Counts(KeyKind kind, const std::string& value) {
  if (kind == KeyKind::Text) return value != "?";
  const std::optional<int> number = TryStrToInt(value);
  return number && *number != -1;
}

// Each section's parent as a position; -1 when it names none, itself or a missing one.
std::vector<int> ParentPositions(const DefinitionText& text) {
  const std::vector<DefinitionText::Section>& sections = text.Sections();
  std::vector<int> parents(sections.size(), -1);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const std::string* parent = sections[i].Find("PARENTCLASS");
    if (parent != nullptr && !parent->empty() && *parent != sections[i].name) {
      parents[i] = text.IndexOf(*parent);
    }
  }
  return CutParentLoops(std::move(parents));
}

}  // namespace

InheritedKeys::InheritedKeys(const DefinitionText& text, std::span<const InheritedKey> keys)
    : m_text(text), m_keys(keys.begin(), keys.end()) {
  const std::vector<DefinitionText::Section>& sections = text.Sections();
  for (std::size_t slot = 0; slot < keys.size(); ++slot) m_slots.emplace(keys[slot].name, slot);

  // Only the sections on a chain (with a parent or a child) get a row of resolved values;
  // the others are read from their own keys.
  const std::vector<int> parents = ParentPositions(text);
  std::vector<bool> onChain(sections.size(), false);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (parents[i] >= 0) onChain[i] = onChain[static_cast<std::size_t>(parents[i])] = true;
  }
  m_rowOf.assign(sections.size(), -1);
  std::vector<std::size_t> sectionOfRow;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!onChain[i]) continue;
    m_rowOf[i] = static_cast<int>(sectionOfRow.size());
    sectionOfRow.push_back(i);
  }
  std::vector<int> rowParents(sectionOfRow.size(), -1);
  for (std::size_t row = 0; row < sectionOfRow.size(); ++row) {
    const int parent = parents[sectionOfRow[row]];
    if (parent >= 0) rowParents[row] = m_rowOf[static_cast<std::size_t>(parent)];
  }

  // Each row's own values: the first occurrence of a key, if it counts.
  m_columns.assign(keys.size(), std::vector<const std::string*>(sectionOfRow.size(), nullptr));
  std::vector<bool> seen(keys.size());
  for (std::size_t row = 0; row < sectionOfRow.size(); ++row) {
    seen.assign(keys.size(), false);
    for (const DefinitionText::Key& key : sections[sectionOfRow[row]].keys) {
      const auto slot = m_slots.find(key.name);
      if (slot == m_slots.end() || seen[slot->second]) continue;
      seen[slot->second] = true;
      if (Counts(keys[slot->second].kind, key.value)) m_columns[slot->second][row] = &key.value;
    }
  }
  const std::vector<int> order = ParentsFirst(rowParents);
  for (std::vector<const std::string*>& column : m_columns) {
    column = InheritAlongParents<const std::string*>(rowParents, order, std::move(column), nullptr);
  }
}

const std::string* InheritedKeys::Find(std::size_t section, std::string_view key) const {
  const auto slot = m_slots.find(key);
  if (slot == m_slots.end()) throw std::logic_error("key not resolved: " + std::string(key));
  const int row = m_rowOf.at(section);
  if (row >= 0) return m_columns[slot->second][static_cast<std::size_t>(row)];
  const std::string* value = m_text.Sections()[section].Find(key);
  return value != nullptr && Counts(m_keys[slot->second].kind, *value) ? value : nullptr;
}

}  // namespace tappomat
