#include "ui/push_tracker.h"

namespace tappomat {

void PushTracker::Set(bool mouseDown, bool mouseOver, bool space) {
  const bool before = Pressed();
  m_mouseDown = mouseDown;
  m_mouseOver = mouseOver;
  m_space = space;
  if (Pressed() != before && m_lookChanged) m_lookChanged();
}

void PushTracker::MouseDown() { Set(true, true, m_space); }

void PushTracker::MouseMove(bool over) {
  if (m_mouseDown) Set(true, over, m_space);
}

bool PushTracker::MouseUp(bool over) {
  if (!m_mouseDown) return false;
  Set(false, false, m_space);
  return over;
}

void PushTracker::SpaceDown() { Set(m_mouseDown, m_mouseOver, true); }

bool PushTracker::SpaceUp() {
  if (!m_space) return false;
  Set(m_mouseDown, m_mouseOver, false);
  return true;
}

void PushTracker::FocusLost() { Set(m_mouseDown, m_mouseOver, false); }

void PushTracker::CaptureChanged(bool stillOurs) {
  if (m_mouseDown && !m_releasing && !stillOurs) Set(false, false, m_space);
}

}  // namespace tappomat
