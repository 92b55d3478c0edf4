#include "skin/data/section_parents.h"

namespace tappomat {

std::vector<int> CutParentLoops(std::vector<int> parentOf) {
  enum State : std::uint8_t { kUnseen, kOnChain, kDone };
  std::vector<State> state(parentOf.size(), kUnseen);
  std::vector<int> chain;
  for (std::size_t start = 0; start < parentOf.size(); ++start) {
    if (state[start] != kUnseen) continue;
    // Walk up until a root or a section seen before; each section is walked once.
    int at = static_cast<int>(start);
    for (;;) {
      state[static_cast<std::size_t>(at)] = kOnChain;
      chain.push_back(at);
      const int parent = parentOf[static_cast<std::size_t>(at)];
      if (parent < 0) break;
      const State seen = state[static_cast<std::size_t>(parent)];
      if (seen == kOnChain) {
        parentOf[static_cast<std::size_t>(at)] = -1;  // the link that closes a loop
        break;
      }
      if (seen == kDone) break;
      at = parent;
    }
    for (const int walked : chain) state[static_cast<std::size_t>(walked)] = kDone;
    chain.clear();
  }
  return parentOf;
}

std::vector<int> ParentsFirst(const std::vector<int>& parents) {
  // Children of each section as ranges of one array, then a breadth-first walk from the
  // sections without a parent.
  const std::size_t count = parents.size();
  std::vector<std::size_t> firstChild(count + 1, 0);
  for (const int parent : parents) {
    if (parent >= 0) ++firstChild[static_cast<std::size_t>(parent) + 1];
  }
  for (std::size_t i = 0; i < count; ++i) firstChild[i + 1] += firstChild[i];
  std::vector<int> children(firstChild[count]);
  std::vector<std::size_t> filled(firstChild.begin(), firstChild.end() - 1);
  for (std::size_t i = 0; i < count; ++i) {
    if (parents[i] >= 0) children[filled[static_cast<std::size_t>(parents[i])]++] = static_cast<int>(i);
  }
  std::vector<int> order;
  order.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (parents[i] < 0) order.push_back(static_cast<int>(i));
  }
  for (std::size_t next = 0; next < order.size(); ++next) {
    const auto at = static_cast<std::size_t>(order[next]);
    for (std::size_t c = firstChild[at]; c < firstChild[at + 1]; ++c) order.push_back(children[c]);
  }
  return order;
}

}  // namespace tappomat
