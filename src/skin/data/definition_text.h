#pragma once
// DefinitionText: the INI text of a skin definition ("Options.dat"), split into sections
// and keys once, in text order. Section and key names are compared exactly as written
// (they are upper case by convention; no folding); the first occurrence of a section or a
// key counts. Blanks around names and values are dropped, lines beginning with ";" are
// comments, and a leading UTF-8 byte-order mark is skipped. Called by the definition
// loader, which walks every key in order and looks single keys up by name. Sections are
// found by name in constant time, so a definition of any size parses in linear time.
// A definition holds at most kMaxSkinSections sections and kMaxSkinKeys keys (real skins
// have about sixty and a thousand): past either, Parse throws SkinTooLarge, so that a
// crafted definition of millions of tiny sections cannot take gigabytes of tables.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tappomat {

inline constexpr std::size_t kMaxSkinSections = 131072;
inline constexpr std::size_t kMaxSkinKeys = 1048576;

class DefinitionText {
 public:
  struct Key {
    std::string name;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;  // in text order, repeats kept (the first one counts)

    // The value of the first key of that name; null when absent. Linear in the section's
    // keys: for a few keys of one section (the loader indexes the keys it reads often).
    const std::string* Find(std::string_view key) const;
  };

  static DefinitionText Parse(std::string_view text);

  const std::vector<Section>& Sections() const { return m_sections; }

  // Puts `extra`'s keys in front of the keys of the sections of the same name (so they
  // count first) and appends its other sections.
  void Overlay(const DefinitionText& extra);
  // Drops every key for which `drop` is true.
  template <typename Predicate>
  void RemoveKeysIf(Predicate drop) {
    for (Section& section : m_sections) std::erase_if(section.keys, drop);
  }
  // The first section of that name; null when absent.
  const Section* Find(std::string_view section) const;
  // The position of that section in Sections(); -1 when absent.
  int IndexOf(std::string_view section) const;

 private:
  // Hashes std::string and std::string_view alike, so lookups need no copy of the name.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };

  // Adds a section of a name not seen before.
  Section& Append(Section section);

  std::vector<Section> m_sections;
  std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> m_positions;
};

// "[SECTION] KEY": how messages about a skin name one key of its definition.
std::string KeyPlace(std::string_view section, std::string_view key);

}  // namespace tappomat
