#pragma once
// PushTracker: the press-hold-release logic of the push-like controls (TButton, TCheckBox,
// TSpeedButton), written once. It owns the parts of the pressed state — the left button
// held after a press on the control, whether the pointer is over the control meanwhile,
// and Space held while the control has the focus — and tells its control when the pressed
// look changes. The control feeds it its mouse, Space, focus and capture events and acts
// (clicks, toggles) when a feed returns true.
//
//   event                               pressed look        returns
//   left button down                    on                  -
//   move while held: off / over again   off / on            -
//   left button up: over / elsewhere    off                 true / false
//   Space down                          on                  -
//   Space up after Space down           off                 true
//   focus lost                          Space part dropped  -
//   mouse capture taken away            mouse part dropped  -
//
// The left button's own release lets the capture go before the control hears the release;
// that is not the press being abandoned, so windowed controls handle WM_LBUTTONUP inside a
// ReleaseScope.
#include <functional>
#include <utility>

namespace tappomat {

class PushTracker {
 public:
  // `lookChanged` runs whenever Pressed() changes (the control repaints).
  explicit PushTracker(std::function<void()> lookChanged) : m_lookChanged(std::move(lookChanged)) {}

  // The pressed look: the mouse held over the control, or Space held.
  bool Pressed() const { return m_space || (m_mouseDown && m_mouseOver); }

  void MouseDown();
  void MouseMove(bool over);
  // True when the release completes a press (the pointer is over the control).
  [[nodiscard]] bool MouseUp(bool over);
  void SpaceDown();
  // True when it completes a press made with Space.
  [[nodiscard]] bool SpaceUp();
  void FocusLost();
  // The mouse capture moved; `stillOurs` when it went to the control's own window.
  void CaptureChanged(bool stillOurs);

  class ReleaseScope {
   public:
    explicit ReleaseScope(PushTracker& tracker) : m_tracker(tracker) {
      m_tracker.m_releasing = true;
    }
    ~ReleaseScope() { m_tracker.m_releasing = false; }
    ReleaseScope(const ReleaseScope&) = delete;
    ReleaseScope& operator=(const ReleaseScope&) = delete;

   private:
    PushTracker& m_tracker;
  };

 private:
  void Set(bool mouseDown, bool mouseOver, bool space);

  std::function<void()> m_lookChanged;
  bool m_mouseDown = false;
  bool m_mouseOver = false;
  bool m_space = false;
  bool m_releasing = false;
};

}  // namespace tappomat
