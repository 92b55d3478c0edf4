#include "skin/controls/skinned_list_box.h"

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "gdi/text.h"
#include "skin/controls/background_query.h"
#include "skin/controls/section_paint.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "win/paint.h"

namespace tappomat {
namespace {

constexpr int kListBoxKind = 8;

}  // namespace

TsListBox::TsListBox(TComponent* owner) : TListBox(owner), m_data(this, true, kListBoxKind) {
  m_data.SetSkinSection("EDIT");
  m_boundLabel = TsBoundLabel::CreateFor(this);
}

TsListBox::~TsListBox() {
  if (m_adapter) m_adapter->Detach();
}

void TsListBox::CreateHandle() {
  TListBox::CreateHandle();
  UpdateAdapter();
}

void TsListBox::UpdateAdapter() {
  // A new skin is announced before it counts as applied: a loaded skin is enough.
  const bool wanted = HandleAllocated() && m_data.Skinned();
  // A skin message may reach this list through its adapter: the adapter detaches now but
  // is freed only on the next change, once no call of its own is running.
  m_retired.reset();
  if (m_adapter && (m_adapter->Removed() || !wanted)) {
    m_adapter->Detach();
    m_retired = std::move(m_adapter);
  }
  if (!wanted || m_adapter) return;
  m_adapter = std::make_unique<TacEditWnd>(Handle(), &m_data, m_data.SkinSection(), nullptr);
  m_adapter->Attach(true);
}

void TsListBox::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    const bool handled = m_data.HandleCachedSkinMessage(message);
    if (code == SkinCode::NewSkin || code == SkinCode::Refresh || code == SkinCode::RemoveSkin) UpdateAdapter();
    if (handled) return;
  } else if (m_data.Skinned() && m_data.CommonMessage(message)) {
    return;
  }
  TListBox::WndProc(message);
  if (message.Msg == CM_ENABLEDCHANGED) {
    m_data.SetBackgroundChanged(true);
    Invalidate();
  }
  if (m_boundLabel != nullptr &&
      (message.Msg == WM_SIZE || message.Msg == WM_MOVE || message.Msg == CM_VISIBLECHANGED ||
       message.Msg == CM_ENABLEDCHANGED)) {
    m_boundLabel->Follow();
  }
}

void TsListBox::PaintItem(DeviceContext& dc, int index, const Rect& rect) {
  if (!m_data.Skinned(true) || Style() != TListBoxStyle::lbStandard) {
    TListBox::PaintItem(dc, index, rect);
    return;
  }
  const SkinTables& tables = m_data.SkinManager()->Tables();
  const TsGeneralData* section = m_data.Section();
  const bool selected = index == ItemIndex();
  const bool focused = selected && Focused();
  Bitmap32 item(std::max(rect.Width(), 0), std::max(rect.Height(), 0), PixelFromColor(ColorToRGB(Color())));
  if (item.IsEmpty()) return;
  const int selection = tables.indices.Of(SkinSectionId::SELECTION).section;
  if (selected && Enabled()) {
    if (selection >= 0) {
      SectionPaint paint;
      paint.sectionIndex = selection;
      paint.paintState = focused ? 1 : 0;
      // The selection's corners show the field under it.
      const Bitmap32 field = item;
      ParentBackground behind;
      behind.image = &field;
      behind.ready = true;
      PaintSection(item, item.Bounds(), tables, paint, behind);
    } else {
      item.Fill(PixelFromColor(tables.colors.highlight[focused ? 1 : 0]));
    }
  }
  ColorRef textColor = ColorToRGB(Font().Color());
  if (selected && Enabled()) {
    textColor = tables.colors.highlightFont[focused ? 1 : 0];
  } else if (!m_data.CustomFont() && section != nullptr) {
    const bool hot = m_data.ControlIsActive() && section->states >= 2;
    textColor = m_data.Adjusted(static_cast<ColorRef>(section->props[hot ? 1 : 0].fontColor[0]) & 0xFFFFFF);
  }
  DeviceContext itemDc(item);
  itemDc.SetFont(Font().ToLogicalFont());
  itemDc.SetBkMode(BkMode::Transparent);
  itemDc.SetTextColor(textColor);
  Rect textRect{1, 0, item.Width() - 1, item.Height()};
  DrawText(itemDc, Items()[index], textRect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP);
  if (focused && selection < 0) DrawFocusRect(itemDc, item.Bounds());
  if (!Enabled()) {
    ParentBackground field;
    field.fill = ColorToRGB(Color());
    ApplyDisabledLook(item, m_disabledKind, field, ColorToRGB(Color()));
  }
  BitBlt(dc, rect.left, rect.top, item.Width(), item.Height(), item, 0, 0, SRCCOPY);
}

}  // namespace tappomat
