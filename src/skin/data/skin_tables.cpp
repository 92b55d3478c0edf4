#include "skin/data/skin_tables.h"

#include "skin/data/section_parents.h"

namespace tappomat {

int TsMaskData::FrameWidth() const { return frameCount > 0 ? rect.Width() / frameCount : 0; }

int TsMaskData::FrameHeight() const {
  if (maskType < 0) return 0;
  return rect.Height() / (maskType + 1);
}

namespace {

int MarginOr(int stored, int borderWidth, int whole) {
  if (stored > 0) return stored;
  return borderWidth > 0 ? borderWidth : whole;
}

}  // namespace

int TsMaskData::MarginLeft() const {
  // A mask without frames counts as one frame here.
  const int whole = frameCount > 0 ? FrameWidth() : rect.Width();
  return MarginOr(margins[0], borderWidth, whole);
}
int TsMaskData::MarginTop() const { return MarginOr(margins[1], borderWidth, FrameHeight()); }
int TsMaskData::MarginRight() const {
  const int whole = frameCount > 0 ? FrameWidth() : rect.Width();
  return MarginOr(margins[2], borderWidth, whole);
}
int TsMaskData::MarginBottom() const { return MarginOr(margins[3], borderWidth, FrameHeight()); }

void SkinTables::IndexNames() {
  m_sectionByName.clear();
  m_sectionByName.reserve(sections.size());
  for (std::size_t i = 0; i < sections.size(); ++i) {
    m_sectionByName.try_emplace(sections[i].name, static_cast<int>(i));  // the first counts
  }
  std::vector<int> parents(sections.size(), -1);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const std::string& parent = sections[i].parentClass;
    if (!parent.empty() && parent != sections[i].name) parents[i] = SectionIndex(parent);
  }
  m_parents = CutParentLoops(std::move(parents));
  m_parentsFirst = ParentsFirst(m_parents);
  m_firstMask.clear();
  m_firstTexture.clear();
  m_firstPattern.clear();
  m_firstMask.reserve(masks.size());
  m_sectionOfMask.assign(masks.size(), -1);
  for (std::size_t i = 0; i < masks.size(); ++i) {
    const OwnedNameAndKey names{masks[i].sectionName, masks[i].propertyName};
    m_firstMask.try_emplace(names, static_cast<int>(i));
    if (masks[i].kind == ImageKind::Texture) m_firstTexture.try_emplace(names, static_cast<int>(i));
    m_sectionOfMask[i] = SectionIndex(masks[i].sectionName);
  }
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    m_firstPattern.try_emplace({patterns[i].sectionName, patterns[i].propertyName}, static_cast<int>(i));
  }
}

int SkinTables::SectionIndex(std::string_view name) const {
  const auto found = m_sectionByName.find(name);
  return found == m_sectionByName.end() ? -1 : found->second;
}

int SkinTables::ParentOf(int sectionIndex) const {
  if (sectionIndex < 0 || static_cast<std::size_t>(sectionIndex) >= m_parents.size()) return -1;
  return m_parents[static_cast<std::size_t>(sectionIndex)];
}

// The name that section `index` gives as its parent when the skin has no section of that
// name (records may still carry it); empty otherwise.
std::string_view SkinTables::MissingParentName(std::size_t index) const {
  const std::string& parent = sections[index].parentClass;
  if (parent.empty() || parent == sections[index].name || SectionIndex(parent) >= 0) return {};
  return parent;
}

// Looks for a record of `section` and `key`, then in the section's parents. A parent that
// the skin does not have is still looked for by its name (a record may carry it), and
// there the chain ends.
int SkinTables::FindInChain(const FirstByName& first, int sectionIndex, std::string_view section,
                            std::string_view key) const {
  for (int step = 0;; ++step) {
    if (const auto found = first.find(NameAndKey{section, key}); found != first.end()) {
      return found->second;
    }
    if (step == kMaxParentSteps || sectionIndex < 0 ||
        static_cast<std::size_t>(sectionIndex) >= sections.size()) {
      return -1;
    }
    const auto at = static_cast<std::size_t>(sectionIndex);
    const int parent = ParentOf(sectionIndex);
    if (parent < 0) {
      // No parent, or the link that closes a loop: the chain ends, but a missing parent's
      // name is still looked for once.
      section = MissingParentName(at);
      if (section.empty()) return -1;
    } else {
      section = sections[at].parentClass;
    }
    sectionIndex = parent;
  }
}

std::vector<int> SkinTables::InheritedIndices(const FirstByName& first, std::string_view key,
                                              bool texturesOnly) const {
  std::vector<int> own(sections.size(), -1);
  if (m_parents.size() != sections.size() || m_sectionOfMask.size() != masks.size()) {
    return own;  // not indexed
  }
  // One pass over the masks finds each section's first of that key.
  for (std::size_t m = 0; m < masks.size(); ++m) {
    const int section = m_sectionOfMask[m];
    if (section < 0 || own[static_cast<std::size_t>(section)] >= 0) continue;
    if (masks[m].propertyName != key || (texturesOnly && masks[m].kind != ImageKind::Texture)) continue;
    own[static_cast<std::size_t>(section)] = static_cast<int>(m);
  }
  // A parent that the skin does not have is still looked for by its name.
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (own[i] >= 0 || m_parents[i] >= 0) continue;
    const std::string_view parentName = MissingParentName(i);
    if (parentName.empty()) continue;
    const auto byParent = first.find(NameAndKey{parentName, key});
    if (byParent != first.end()) own[i] = byParent->second;
  }
  return InheritAlongParents(m_parents, m_parentsFirst, std::move(own), -1);
}

int SkinTables::MaskIndex(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindInChain(m_firstMask, sectionIndex, section, key);
}

int SkinTables::TextureIndex(int sectionIndex, std::string_view section,
                             std::string_view key) const {
  return FindInChain(m_firstTexture, sectionIndex, section, key);
}

int SkinTables::PatternIndex(int sectionIndex, std::string_view section,
                             std::string_view key) const {
  return FindInChain(m_firstPattern, sectionIndex, section, key);
}

std::vector<int> SkinTables::MaskIndices(std::string_view key) const {
  return InheritedIndices(m_firstMask, key, false);
}

std::vector<int> SkinTables::TextureIndices(std::string_view key) const {
  return InheritedIndices(m_firstTexture, key, true);
}

const Bitmap32& SkinTables::SourceOf(const TsMaskData& mask) const {
  return mask.image ? *mask.image : masterBitmap;
}

}  // namespace tappomat
