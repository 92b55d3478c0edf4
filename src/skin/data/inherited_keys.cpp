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

InheritedKeys::InheritedKeys(const DefinitionText& text, std::span<const InheritedKey> keys) {
  const std::vector<DefinitionText::Section>& sections = text.Sections();
  for (std::size_t slot = 0; slot < keys.size(); ++slot) m_slots.emplace(keys[slot].name, slot);
  m_columns.assign(keys.size(), std::vector<const std::string*>(sections.size(), nullptr));

  // Each section's own values: the first occurrence of a key, if it counts.
  std::vector<bool> seen(keys.size());
  for (std::size_t i = 0; i < sections.size(); ++i) {
    seen.assign(keys.size(), false);
    for (const DefinitionText::Key& key : sections[i].keys) {
      const auto slot = m_slots.find(key.name);
      if (slot == m_slots.end() || seen[slot->second]) continue;
      seen[slot->second] = true;
      if (Counts(keys[slot->second].kind, key.value)) m_columns[slot->second][i] = &key.value;
    }
  }
  const std::vector<int> parents = ParentPositions(text);
  for (std::vector<const std::string*>& column : m_columns) {
    column = InheritAlongParents<const std::string*>(parents, std::move(column), nullptr);
  }
}

const std::string* InheritedKeys::Find(std::size_t section, std::string_view key) const {
  const auto slot = m_slots.find(key);
  if (slot == m_slots.end()) throw std::logic_error("key not resolved: " + std::string(key));
  return m_columns[slot->second].at(section);
}

}  // namespace tappomat
