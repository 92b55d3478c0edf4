#pragma once
// The values of the section keys that the definition loader reads, for every section at
// once: a key missing in a section (or present with a value that counts as absent) is
// taken from its parent, then the parent's parent, following at most kMaxParentSteps
// parents, with loops cut where they close (section_parents.h). Only the first
// occurrence of a key in a section counts. Built in time linear in the size of the
// definition, so that deep chains and many sections load quickly.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/data/definition_text.h"

namespace tappomat {

// How a key's value is read, which decides when it counts as absent.
enum class KeyKind {
  Integer,  // a value that is no integer, or is -1, counts as absent
  Text,     // the value "?" counts as absent
};

struct InheritedKey {
  std::string_view name;
  KeyKind kind;
};

class InheritedKeys {
 public:
  // `keys` names the keys to resolve, each once. Keeps a reference to `text`.
  InheritedKeys(const DefinitionText& text, std::span<const InheritedKey> keys);

  // The value that counts for that section (a position in the definition) and key (one of
  // those given); null when neither the section nor its parents have one.
  const std::string* Find(std::size_t section, std::string_view key) const;

 private:
  const DefinitionText& m_text;
  std::vector<InheritedKey> m_keys;
  std::unordered_map<std::string_view, std::size_t> m_slots;  // key name -> column
  std::vector<int> m_rowOf;  // per section: its row in the columns, -1 off every chain
  std::vector<std::vector<const std::string*>> m_columns;     // per key, per row
};

}  // namespace tappomat
