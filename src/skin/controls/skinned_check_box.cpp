#include "skin/controls/skinned_check_box.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/text.h"
#include "skin/common/background_query.h"
#include "skin/common/cache_paint.h"
#include "skin/common/change_paint.h"
#include "skin/paint/focus_rect.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/common/caption_look.h"
#include "skin/data/skin_message.h"
#include "ui/accelerator.h"
#include "ui/canvas.h"

namespace tappomat {
namespace {

constexpr Size kAssumedBox{16, 16};

unsigned LineFlags(bool wordWrap) { return wordWrap ? DT_WORDBREAK : DT_SINGLELINE; }

}  // namespace

TsCheckBox::TsCheckBox(TComponent* owner) : TCheckBox(owner), m_data(this, true, 32) {
  m_data.SetSkinSection("CHECKBOX");
  AdjustSize();
}

void TsCheckBox::Restyle() {
  AdjustSize();
  m_data.Invalidate();
}

void TsCheckBox::SetMargin(int margin) {
  if (margin == m_margin) return;
  m_margin = margin;
  Restyle();
}

void TsCheckBox::SetTextIndent(int indent) {
  if (indent == m_textIndent) return;
  m_textIndent = indent;
  Restyle();
}

void TsCheckBox::SetVerticalAlign(TVerticalAlignment align) {
  m_verticalAlign = align;
  m_data.Invalidate();
}

void TsCheckBox::SetShowFocus(bool on) {
  m_showFocus = on;
  m_data.Invalidate();
}

void TsCheckBox::SetReadOnly(bool on) {
  m_readOnly = on;
  m_data.Invalidate();
}

void TsCheckBox::SetDisabledKind(TsDisabledKind kinds) {
  m_disabledKind = kinds;
  m_data.Invalidate();
}

void TsCheckBox::SetWordWrap(bool on) {
  if (on == m_wordWrap) return;
  m_wordWrap = on;
  Restyle();
}

void TsCheckBox::SetAutoSize(bool on) {
  if (on == m_autoSize) return;
  m_autoSize = on;
  Restyle();
}

void TsCheckBox::SetChecked(bool on) {
  if (ComponentState() & csLoading) {
    TCheckBox::SetChecked(on);
    return;
  }
  if (on == Checked()) return;
  m_data.SetBackgroundChanged(true);
  TCheckBox::SetChecked(on);  // raises OnClick
  m_data.Invalidate();
  if (OnValueChanged) GuardedCall([&] { OnValueChanged(this); });
}

void TsCheckBox::Pushed() {
  if (!m_readOnly) TCheckBox::Pushed();
}

void TsCheckBox::Loaded() {
  TCheckBox::Loaded();
  AdjustSize();
}

int TsCheckBox::BoxMask() const {
  if (!m_data.Skinned()) return -1;
  const SkinTables& tables = m_data.SkinManager()->Tables();
  switch (State()) {
    case TCheckBoxState::cbChecked:
      return tables.indices.Of(GlobalImage::BOXCHECKED);
    case TCheckBoxState::cbGrayed:
      return tables.indices.Of(GlobalImage::BOXGRAYED);
    default:
      return tables.indices.Of(GlobalImage::BOXUNCHECKED);
  }
}

int TsCheckBox::BoxImage() const {
  if (Pressed() && Enabled() && !m_readOnly) return 2;
  return m_data.ControlIsActive() && !m_readOnly ? 1 : 0;
}

Size TsCheckBox::BoxSize() const {
  const int index = BoxMask();
  if (index < 0) return kAssumedBox;
  const TsMaskData* mask = MaskAt(m_data.SkinManager()->Tables(), index);
  if (mask == nullptr || mask->FrameWidth() <= 0 || mask->FrameHeight() <= 0) return kAssumedBox;
  return {mask->FrameWidth(), mask->FrameHeight()};
}

Rect TsCheckBox::BoxRect() const {
  const Size box = BoxSize();
  const int left =
      Alignment() == TAlignment::taLeftJustify ? Width() - m_margin - box.width : m_margin;
  int top = (Height() - box.height) / 2;
  if (m_verticalAlign == TVerticalAlignment::vaTop) top = m_margin;
  if (m_verticalAlign == TVerticalAlignment::vaBottom) top = Height() - m_margin - box.height;
  return Rect::FromSize(left, top, box.width, box.height);
}

Size TsCheckBox::MeasureText(int width) const {
  if (Caption().empty()) return {};
  Bitmap32 scratch(1, 1);
  DeviceContext dc(scratch);
  dc.SetFont(Font().ToLogicalFont());
  Rect rect{0, 0, std::max(width, 1), 0};
  DrawText(dc, Caption(), rect, DT_CALCRECT | DT_EXPANDTABS | LineFlags(m_wordWrap));
  return {rect.Width(), rect.Height()};
}

Rect TsCheckBox::TextRect() const {
  if (Caption().empty()) return {};
  const Size box = BoxSize();
  const Size text = MeasureText(Width() - box.width - m_textIndent - 2 * m_margin - 2);
  int left = Alignment() == TAlignment::taLeftJustify
                 ? m_margin
                 : m_margin + box.width + m_margin + m_textIndent;
  const int top = std::max((Height() - text.height) / 2, m_margin) - 1;
  if (m_wordWrap) --left;
  return Rect::FromSize(left, top, text.width, text.height);
}

void TsCheckBox::AdjustSize() {
  if (!m_autoSize || (ComponentState() & (csLoading | csDestroying))) return;
  // Measured on one line (or wrapped in the present width).
  const Size text = MeasureText(m_wordWrap ? Width() : 1 << 20);
  int width = 0;
  int height = 0;
  if (m_data.Skinned(true)) {
    const Size box = BoxSize();
    width = box.width + 2 * m_margin + (Caption().empty() ? 0 : text.width + m_textIndent + 8);
    height = std::max(box.height, text.height + 2 * m_margin) + 2;
  } else {
    width = text.width + 20;
    height = std::max(text.height + 4, 20);
  }
  if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

bool TsCheckBox::RebuildCache() {
  if (m_data.Section() == nullptr) return false;
  const bool hot = m_data.ControlIsActive() && !m_readOnly;
  const std::optional<ParentBackground> parent = PaintSectionIntoCache(m_data, hot ? 1 : 0);
  if (!parent) return false;
  Bitmap32& cache = *m_data.Cache();
  const SkinTables& tables = m_data.SkinManager()->Tables();

  const Rect text = TextRect();
  if (!text.IsEmpty()) {
    DeviceContext dc(cache);
    const SkinnedTextLook look =
        SkinnedTextLookOf(m_data, Enabled(), hot, ColorToRGB(Font().Color()));
    DrawSkinnedText(dc, Font().ToLogicalFont(), Caption(), text,
                    DT_EXPANDTABS | LineFlags(m_wordWrap), look);
    if (Focused() && m_showFocus) DrawDottedFocusRect(cache, text.Inflate(2, 1), FocusRectColor(m_data));
  }
  const int mask = BoxMask();
  if (mask >= 0) DrawImageMask(cache, BoxRect().TopLeft(), BoxImage(), tables, mask);
  FinishCache(m_data, BoxImage(), *parent, m_disabledKind);
  return true;
}

void TsCheckBox::PaintWindow(DeviceContext& dc) {
  if (!m_data.Skinned(true)) {
    TCheckBox::PaintWindow(dc);
    return;
  }
  // Every paint shows the present look: the picture is small and its state has many sources.
  if (!m_data.Updating()) RebuildCache();
  const Bitmap32& cache = *m_data.Cache();
  if (!cache.IsEmpty()) BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
}

void TsCheckBox::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    const bool handled = m_data.HandleCachedSkinMessage(message);
    // The box's size depends on the skin's box picture.
    if (code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh) AdjustSize();
    if (handled) return;
  } else if (m_data.Skinned()) {
    if (m_data.CommonMessage(message)) return;
    const bool acts = Enabled() && !m_readOnly;
    const std::optional<TacAnimEvent> event = LookEventOf(message);
    const bool press = event == TacAnimEvent::MouseDown || event == TacAnimEvent::MouseUp;
    if (press) m_data.SetUpdating(false);
    if (event && (!press || acts)) ChangePaint(m_data, *event);
    if (event == TacAnimEvent::MouseDown && acts && CanFocus() && !Focused()) SetFocus();
  }
  if (message.Msg == CM_DIALOGCHAR && m_readOnly) {
    // The accelerator still focuses a read-only box but leaves its state alone.
    if (IsAccel(static_cast<char32_t>(message.WParam), Caption()) && CanFocus()) {
      SetFocus();
      message.Result = 1;
    }
    return;
  }
  TCheckBox::WndProc(message);
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) AdjustSize();
}

}  // namespace tappomat
