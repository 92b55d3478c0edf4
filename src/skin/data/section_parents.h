#pragma once
// Section inheritance as positions: each section's parent (the section its PARENTCLASS
// names) is resolved once for the whole skin, and a value missing in a section is taken
// from the nearest section up its parent chain. Skins are outside data, so a chain may be
// thousands deep or loop back on itself: a loop is cut where it closes (the link that leads
// back into the chain being walked is dropped), and a lookup follows at most
// kMaxParentSteps parents. Real skins use two or three. Everything here costs time linear
// in the number of sections. Used by the definition loader for section keys and by the
// skin tables for masks, textures and patterns.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tappomat {

// The most parents one lookup follows (the section itself not counted).
constexpr int kMaxParentSteps = 100;

// `parentOf[i]` is the position of section i's parent, or -1 when it has none (no
// PARENTCLASS, one naming the section itself, or one naming a section the skin does not
// have). Returns the links with every loop cut: walking the sections in order, a link
// that leads back to a section of the chain being walked is replaced by -1.
std::vector<int> CutParentLoops(std::vector<int> parentOf);

// The sections in an order in which every parent comes before its children, for links
// without loops (CutParentLoops).
std::vector<int> ParentsFirst(const std::vector<int>& parents);

// For every section, the value of the nearest section that has one: the section itself,
// else its parent, and so on up to kMaxParentSteps parents. `own[i]` is section i's own
// value, `none` when it has none; `parents` are links without loops (CutParentLoops) and
// `order` is ParentsFirst(parents).
template <typename T>
std::vector<T> InheritAlongParents(const std::vector<int>& parents, const std::vector<int>& order,
                                   std::vector<T> own, T none);

// --- implementation

template <typename T>
std::vector<T> InheritAlongParents(const std::vector<int>& parents, const std::vector<int>& order,
                                   std::vector<T> own, T none) {
  // Steps from each section to the one its value comes from, kept up to one past the limit.
  std::vector<std::uint8_t> steps(own.size(), 0);
  constexpr int kBeyond = kMaxParentSteps + 1;
  for (const int i : order) {
    const auto at = static_cast<std::size_t>(i);
    if (own[at] != none) continue;
    const int parent = parents[at];
    if (parent < 0) {
      steps[at] = kBeyond;
      continue;
    }
    const int fromParent = steps[static_cast<std::size_t>(parent)] + 1;
    if (fromParent > kMaxParentSteps) {
      steps[at] = kBeyond;
      continue;
    }
    own[at] = own[static_cast<std::size_t>(parent)];
    steps[at] = static_cast<std::uint8_t>(fromParent);
  }
  return own;
}

}  // namespace tappomat
