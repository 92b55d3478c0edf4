#include "skin/data/definition_text.h"

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
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string_view name = Trim(line.substr(1, line.size() - 2));
      current = nullptr;
      for (Section& section : parsed.m_sections) {
        if (section.name == name) current = &section;
      }
      if (current == nullptr) {
        parsed.m_sections.push_back({std::string(name), {}});
        current = &parsed.m_sections.back();
      }
      continue;
    }
    const auto equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, equals));
    if (name.empty()) continue;
    current->keys.push_back({std::string(name), std::string(Trim(line.substr(equals + 1)))});
  }
  return parsed;
}

void DefinitionText::Overlay(const DefinitionText& extra) {
  for (const Section& added : extra.m_sections) {
    Section* same = nullptr;
    for (Section& section : m_sections) {
      if (section.name == added.name) same = &section;
    }
    if (same == nullptr) {
      m_sections.push_back(added);
    } else {
      same->keys.insert(same->keys.begin(), added.keys.begin(), added.keys.end());
    }
  }
}

const DefinitionText::Section* DefinitionText::Find(std::string_view section) const {
  for (const Section& s : m_sections) {
    if (s.name == section) return &s;
  }
  return nullptr;
}

}  // namespace tappomat
