#include "skin/controls/bound_label.h"

#include <memory>

namespace tappomat {

Point BoundLabelPlace(TsCaptionLayout layout, const Rect& control, Size label, int indent) {
  const int left = control.left - indent - label.width;   // beside it on the left
  const int above = control.top - indent - label.height;  // above it
  const int below = control.bottom + indent;              // below it
  const int centreX = control.left + (control.Width() - label.width) / 2;
  const int rightX = control.right - label.width;
  switch (layout) {
    case TsCaptionLayout::sclLeft:
      return {left, control.top + (control.Height() - label.height) / 2};
    case TsCaptionLayout::sclLeftTop:
      return {left, control.top};
    case TsCaptionLayout::sclTopLeft:
      return {control.left, above};
    case TsCaptionLayout::sclTopCenter:
      return {centreX, above};
    case TsCaptionLayout::sclTopRight:
      return {rightX, above};
    case TsCaptionLayout::sclBottomLeft:
      return {control.left, below};
    case TsCaptionLayout::sclBottomCenter:
      return {centreX, below};
    case TsCaptionLayout::sclBottomRight:
      return {rightX, below};
  }
  return {left, control.top};
}

// --- TsEditLabel

TsEditLabel::TsEditLabel(TComponent* owner, TsBoundLabel* boundLabel)
    : TsLabel(owner), m_boundLabel(boundLabel) {}

void TsEditLabel::FitText(int maxWidth) {
  // Measured on one line first; only a text wider than the limit is wrapped at it.
  SetWordWrap(false);
  AdjustBounds();
  if (maxWidth <= 0 || Width() <= maxWidth) return;
  SetBounds(Left(), Top(), maxWidth, Height());
  SetWordWrap(true);  // sizes the label again, wrapping at its width
}

// --- TsBoundLabel

TsBoundLabel::TsBoundLabel(TWinControl* control) : TComponent(control), m_control(control) {
  m_font.OnChange = [this] { UpdateLabel(); };
}

TsBoundLabel* TsBoundLabel::CreateFor(TWinControl* control) {
  auto made = std::make_unique<TsBoundLabel>(control);
  TsBoundLabel* raw = made.get();
  control->InsertComponent(std::move(made));
  return raw;
}

TsBoundLabel::~TsBoundLabel() {
  // The label is owned by this component and goes with it; drop the pointer first so
  // nothing reaches it while it is destroyed.
  m_label = nullptr;
}

void TsBoundLabel::SetActive(bool on) {
  if (on == m_active) return;
  m_active = on;
  if (on) {
    m_label = Create<TsEditLabel>(this, this);
    m_label->SetUseSkinColor(m_useSkinColor);
    UpdateLabel();
  } else {
    TsEditLabel* label = m_label;
    m_label = nullptr;
    DestroyComponent(label);
  }
}

void TsBoundLabel::SetCaption(const std::string& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  UpdateLabel();
}

void TsBoundLabel::SetLayout(TsCaptionLayout layout) {
  if (layout == m_layout) return;
  m_layout = layout;
  Follow();
}

void TsBoundLabel::SetIndent(int pixels) {
  if (pixels == m_indent) return;
  m_indent = pixels;
  Follow();
}

void TsBoundLabel::SetMaxWidth(int pixels) {
  if (pixels == m_maxWidth) return;
  m_maxWidth = pixels;
  UpdateLabel();
}

void TsBoundLabel::SetUseSkinColor(bool on) {
  m_useSkinColor = on;
  if (m_label != nullptr) m_label->SetUseSkinColor(on);
}

void TsBoundLabel::SetEnabledAlways(bool on) {
  if (on == m_enabledAlways) return;
  m_enabledAlways = on;
  Follow();
}

void TsBoundLabel::UpdateLabel() {
  if (m_label == nullptr) return;
  m_label->Font().Assign(m_font);
  m_label->SetCaption(m_caption);
  m_label->FitText(m_maxWidth);
  Follow();
}

void TsBoundLabel::Follow() {
  if (m_label == nullptr || m_control == nullptr || (m_control->ComponentState() & csDestroying))
    return;
  if (m_label->Parent() != m_control->Parent()) m_label->SetParent(m_control->Parent());
  const Rect bounds =
      Rect::FromSize(m_control->Left(), m_control->Top(), m_control->Width(), m_control->Height());
  const Point at =
      BoundLabelPlace(m_layout, bounds, {m_label->Width(), m_label->Height()}, m_indent);
  m_label->SetBounds(at.x, at.y, m_label->Width(), m_label->Height());
  m_label->SetVisible(m_control->Visible());
  m_label->SetEnabled(m_enabledAlways || m_control->Enabled());
}

}  // namespace tappomat
