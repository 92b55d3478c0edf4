#include "ui/component.h"

#include <algorithm>
#include <cctype>

namespace tappomat {

namespace {
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}
}  // namespace

TComponent::TComponent(TComponent* owner) : m_owner(owner) {
  // Components made while the owner loads load with it.
  if (owner && (owner->m_state & csLoading)) m_state |= csLoading;
}

TComponent::~TComponent() {
  m_state |= csDestroying;
  DestroyComponents();
  AnnounceRemoval();
}

std::vector<TComponent*> TComponent::Components() const {
  std::vector<TComponent*> out;
  for (const auto& c : m_components) out.push_back(c.get());
  return out;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (const auto& c : m_components)
    if (SameText(c->Name(), name)) return c.get();
  return nullptr;
}

TComponent* TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  raw->m_owner = this;
  m_components.push_back(std::move(component));
  Notification(raw, TOperation::opInsert);
  return raw;
}

void TComponent::DestroyComponent(TComponent* component) {
  auto it = std::find_if(m_components.begin(), m_components.end(),
                         [component](const auto& c) { return c.get() == component; });
  if (it == m_components.end()) return;
  component->m_state |= csDestroying;
  component->AnnounceRemoval();
  // Out of the list first, so that nothing finds it while it is being destroyed.
  std::unique_ptr<TComponent> doomed = std::move(*it);
  m_components.erase(std::find_if(m_components.begin(), m_components.end(),
                                  [](const auto& c) { return c == nullptr; }));
  doomed.reset();
}

void TComponent::DestroyComponents() {
  while (!m_components.empty()) DestroyComponent(m_components.back().get());
}

void TComponent::Free() {
  if (m_owner) m_owner->DestroyComponent(this);
}

void TComponent::BeginLoad() {
  m_state |= csLoading;
  for (auto& c : m_components) c->m_state |= csLoading;
}

void TComponent::EndLoad() {
  // Copy: a Loaded handler may create or free components.
  std::vector<TComponent*> loading;
  for (auto& c : m_components)
    if (c->m_state & csLoading) loading.push_back(c.get());
  for (TComponent* c : loading) c->m_state &= ~csLoading;
  m_state &= ~csLoading;
  for (TComponent* c : loading) c->Loaded();
  Loaded();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), other) == m_freeNotifies.end())
    m_freeNotifies.push_back(other);
  if (std::find(other->m_freeNotifies.begin(), other->m_freeNotifies.end(), this) ==
      other->m_freeNotifies.end())
    other->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  std::erase(m_freeNotifies, other);
  if (other) std::erase(other->m_freeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // An owner passes removals on to everything it owns, so that siblings that point at
  // each other let go.
  if (operation != TOperation::opRemove) return;
  for (auto& c : m_components)
    if (c && c.get() != component) c->Notification(component, operation);
}

void TComponent::SetComponentStateBits(TComponentState bits, bool on) {
  m_state = on ? (m_state | bits) : (m_state & ~bits);
}

void TComponent::AnnounceRemoval() {
  if (m_announced) return;
  m_announced = true;
  if (m_owner && !(m_owner->m_state & csDestroying)) m_owner->Notification(this, TOperation::opRemove);
  const std::vector<TComponent*> partners = std::move(m_freeNotifies);
  m_freeNotifies.clear();
  for (TComponent* p : partners) {
    std::erase(p->m_freeNotifies, this);
    p->Notification(this, TOperation::opRemove);
  }
}

}  // namespace tappomat
