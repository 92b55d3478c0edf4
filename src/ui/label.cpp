#include "ui/label.h"

#include "gdi/primitives.h"
#include "gdi/text.h"
#include "ui/accelerator.h"
#include "ui/classic_look.h"

namespace tappomat {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  // Labels click but do not hold the mouse, and take their parent's colour, so they blend into it.
  m_controlStyle = (m_controlStyle & ~csCaptureMouse) | csOpaque | csReplicatable;
  m_width = 65;
  m_height = 17;
  SetParentColor(true);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == m_alignment) return;
  m_alignment = alignment;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout == m_layout) return;
  m_layout = layout;
  Invalidate();
}

void TLabel::SetAutoSize(bool on) {
  if (on == m_autoSize) return;
  m_autoSize = on;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool on) {
  if (on == m_wordWrap) return;
  m_wordWrap = on;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool on) {
  if (on == m_transparent) return;
  m_transparent = on;
  m_controlStyle = on ? (m_controlStyle & ~csOpaque) : (m_controlStyle | csOpaque);
  Invalidate();
}

void TLabel::SetShowAccelChar(bool on) {
  if (on == m_showAccelChar) return;
  m_showAccelChar = on;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (m_focusControl) m_focusControl->RemoveFreeNotification(this);
  m_focusControl = control;
  if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == m_focusControl) m_focusControl = nullptr;
}

void TLabel::DoDrawText(DeviceContext& dc, Rect& rect, unsigned format) const {
  std::string text = Caption();
  // An empty caption (or a lone "&") still measures one line high.
  if ((format & DT_CALCRECT) && (text.empty() || (m_showAccelChar && text == "&"))) text += ' ';
  if (!m_showAccelChar) format |= DT_NOPREFIX;
  const TFont& font = TextFont();
  dc.SetFont(font.ToLogicalFont());
  dc.SetBkMode(BkMode::Transparent);
  const std::optional<ColorRef> own = (format & DT_CALCRECT) ? std::nullopt : OwnTextColor();
  if (!own && !Enabled() && !(format & DT_CALCRECT)) {
    DrawEmbossedText(dc, text, rect, format);
    return;
  }
  dc.SetTextColor(own ? *own : ColorToRGB(font.Color()));
  DrawText(dc, text, rect, format);
}

void TLabel::AdjustBounds() {
  if (!m_autoSize || (ComponentState() & csLoading)) return;
  Bitmap32 scratch(1, 1);
  DeviceContext dc(scratch);
  Rect rect = ClientRect();
  DoDrawText(dc, rect, DT_EXPANDTABS | DT_CALCRECT | (m_wordWrap ? DT_WORDBREAK : 0));
  int left = Left();
  if (m_alignment == TAlignment::taRightJustify) left += Width() - rect.right;
  SetBounds(left, Top(), rect.right, rect.bottom);
}

void TLabel::Paint() {
  DeviceContext* dc = Canvas()->Handle();
  if (!dc) return;
  const Rect client = ClientRect();
  if (!m_transparent) FillRect(*dc, client, ColorToRGB(Color()));
  const unsigned format =
      DT_EXPANDTABS | (m_wordWrap ? DT_WORDBREAK : 0) | AlignmentDrawTextFlags(m_alignment);
  Rect rect = client;
  if (m_layout != TTextLayout::tlTop) {
    Rect calc = client;
    DoDrawText(*dc, calc, format | DT_CALCRECT);
    const int free = Height() - calc.bottom;
    rect = rect.Offset(0, m_layout == TTextLayout::tlBottom ? free : free / 2);
  }
  DoDrawText(*dc, rect, format);
}

void TLabel::FocusTheFocusControl() {
  if (m_focusControl && m_focusControl->CanFocus()) m_focusControl->SetFocus();
}

void TLabel::Click() {
  TGraphicControl::Click();
  FocusTheFocusControl();
}

void TLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      if (m_focusControl && Enabled() && m_showAccelChar &&
          IsAccel(static_cast<char32_t>(m.WParam), Caption()) && m_focusControl->CanFocus()) {
        m_focusControl->SetFocus();
        m.Result = 1;
      }
      return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
  }
  TGraphicControl::WndProc(m);
}

}  // namespace tappomat
