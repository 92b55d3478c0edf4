#include "gdi/device_context.h"

namespace tappomat {

DeviceContext::DeviceContext(Bitmap32& target)
    : m_target(&target), m_systemClip(target.Bounds()) {
  m_state.clip = m_systemClip;
}

void DeviceContext::SetSystemClip(const Region& device) {
  m_systemClip = device.Intersect(m_target->Bounds());
  m_state.clip = m_systemClip;
}

void DeviceContext::SelectClipRegion(const Region& logical) {
  m_state.clip = logical.Offset(m_state.origin.x, m_state.origin.y).Intersect(m_systemClip);
}

void DeviceContext::IntersectClipRect(const Rect& logical) {
  m_state.clip = m_state.clip.Intersect(ToDevice(logical));
}

void DeviceContext::ExcludeClipRect(const Rect& logical) {
  m_state.clip = m_state.clip.Subtract(ToDevice(logical));
}

Rect DeviceContext::ClipBox() const {
  const Rect box = m_state.clip.Bounds();
  return box.IsEmpty() ? Rect{} : box.Offset(-m_state.origin.x, -m_state.origin.y);
}

bool DeviceContext::RectVisible(const Rect& logical) const {
  return m_state.clip.Intersects(ToDevice(logical));
}

}  // namespace tappomat
