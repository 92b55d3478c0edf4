#include "skin/data/definition_text.h"

#include "skin/data/skin_too_large.h"

namespace tappomat {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

const std::string* DefinitionText::Section::Find(std::string_view key) const {
  for (const Key& k : keys) {
    if (k.name == key) return &k.value;
  }
  return nullptr;
}

DefinitionText DefinitionText::Parse(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  DefinitionText parsed;
  // A section header seen before adds its keys to the first section of that name.
  Section* current = nullptr;
  std::size_t keyCount = 0;
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string_view name = Trim(line.substr(1, line.size() - 2));
      const auto known = parsed.m_positions.find(name);
      if (known == parsed.m_positions.end() && parsed.m_sections.size() == kMaxSkinSections) {
        throw SkinTooLarge("The skin definition has more than " + std::to_string(kMaxSkinSections) +
                           " sections; a skin may have at most that many");
      }
      current = known != parsed.m_positions.end() ? &parsed.m_sections[known->second]
                                                  : &parsed.Append({std::string(name), {}});
      continue;
    }
    const auto equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, equals));
    if (name.empty()) continue;
    if (++keyCount > kMaxSkinKeys) {
      throw SkinTooLarge("The skin definition has more than " + std::to_string(kMaxSkinKeys) +
                         " keys; a skin may have at most that many");
    }
    current->keys.push_back({std::string(name), std::string(Trim(line.substr(equals + 1)))});
  }
  return parsed;
}

void DefinitionText::Overlay(const DefinitionText& extra) {
  for (const Section& added : extra.m_sections) {
    const auto same = m_positions.find(added.name);
    if (same == m_positions.end()) {
      Append(added);
    } else {
      std::vector<Key>& keys = m_sections[same->second].keys;
      keys.insert(keys.begin(), added.keys.begin(), added.keys.end());
    }
  }
}

DefinitionText::Section& DefinitionText::Append(Section section) {
  m_positions.emplace(section.name, m_sections.size());
  return m_sections.emplace_back(std::move(section));
}

const DefinitionText::Section* DefinitionText::Find(std::string_view section) const {
  const int index = IndexOf(section);
  return index < 0 ? nullptr : &m_sections[static_cast<std::size_t>(index)];
}

int DefinitionText::IndexOf(std::string_view section) const {
  const auto found = m_positions.find(section);
  return found == m_positions.end() ? -1 : static_cast<int>(found->second);
}

std::string KeyPlace(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

}  // namespace tappomat
