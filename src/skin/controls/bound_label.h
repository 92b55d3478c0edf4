#pragma once
// TsBoundLabel: the caption an edit-type control can carry beside itself. Its control
// creates it (as a component it owns) and keeps it for its lifetime; while Active it owns
// a TsEditLabel on the control's parent, placed beside the control by Layout and Indent.
// The label does not watch the control by itself: the control calls Follow() whenever its
// bounds, parent, visibility or enabling change, and the label then moves, shows, hides,
// enables and disables with it. The label is made when Active turns on and freed when it
// turns off or the control goes (the control frees the bound label with its components).
//
// TsEditLabel: that label, a TsLabel that knows the bound label it belongs to.
#include <string>

#include "skin/controls/skinned_label.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {

// Where the label sits against its control.
enum class TsCaptionLayout {
  sclLeft,          // left of it, centred on its height
  sclTopLeft,       // above it, left edges aligned
  sclTopCenter,     // above it, centred
  sclTopRight,      // above it, right edges aligned
  sclLeftTop,       // left of it, top edges aligned
  sclBottomLeft,    // below it, left edges aligned
  sclBottomCenter,  // below it, centred
  sclBottomRight,   // below it, right edges aligned
};

// The top-left corner of a label of `label` size beside a control at `control` (both in
// the parent's client coordinates), `indent` pixels away from it.
Point BoundLabelPlace(TsCaptionLayout layout, const Rect& control, Size label, int indent);

class TsBoundLabel;

class TsEditLabel : public TsLabel {
 public:
  TsEditLabel(TComponent* owner, TsBoundLabel* boundLabel);
  std::string ClassName() const override { return "TsEditLabel"; }
  TsBoundLabel* BoundLabel() const { return m_boundLabel; }
  // Sizes the label to its text, wrapped at `maxWidth` when that is above 0 and the text
  // would be wider.
  void FitText(int maxWidth);

 private:
  TsBoundLabel* m_boundLabel;
};

class TsBoundLabel : public TComponent {
 public:
  // `control` owns the bound label and is the control the label follows. Controls make
  // theirs with CreateFor, which hands it to them.
  explicit TsBoundLabel(TWinControl* control);
  static TsBoundLabel* CreateFor(TWinControl* control);
  ~TsBoundLabel() override;
  std::string ClassName() const override { return "TsBoundLabel"; }

  TWinControl* Control() const { return m_control; }
  // The label exists while this is True (default False).
  bool Active() const { return m_active; }
  void SetActive(bool on);
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption);
  // The label's font; changes reach the label at once.
  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  TsCaptionLayout Layout() const { return m_layout; }
  void SetLayout(TsCaptionLayout layout);
  // The gap in pixels between the control and the label.
  int Indent() const { return m_indent; }
  void SetIndent(int pixels);
  // Above 0: the label is at most this wide and wraps its words.
  int MaxWidth() const { return m_maxWidth; }
  void SetMaxWidth(int pixels);
  // The label takes its text colour from the skin (True, the default) or from Font.
  bool UseSkinColor() const { return m_useSkinColor; }
  void SetUseSkinColor(bool on);
  // The label stays enabled when its control is disabled.
  bool EnabledAlways() const { return m_enabledAlways; }
  void SetEnabledAlways(bool on);

  // The label while Active, else null.
  TsEditLabel* Label() const { return m_label; }
  // Brings the label in line with the control: its parent, place, visibility and
  // enabling. The control calls it after each change of those.
  void Follow();

 private:
  // The label's text, font and size from the properties, then its place.
  void UpdateLabel();

  TWinControl* m_control;
  TsEditLabel* m_label = nullptr;
  bool m_active = false;
  std::string m_caption;
  TFont m_font;
  TsCaptionLayout m_layout = TsCaptionLayout::sclLeft;
  int m_indent = 0;
  int m_maxWidth = 0;
  bool m_useSkinColor = true;
  bool m_enabledAlways = false;
};

}  // namespace tappomat
