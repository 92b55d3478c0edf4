#include "skin/controls/skinned_list_box.h"

#include "skin/controls/skinned_list_item.h"
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
  SkinnedListItem item;
  item.text = Items()[index];
  item.selected = index == ItemIndex();
  item.focused = item.selected && Focused();
  item.hot = m_data.ControlIsActive();
  item.enabled = Enabled();
  item.field = ColorToRGB(Color());
  item.disabledKind = m_disabledKind;
  if (m_data.CustomFont()) item.ownTextColor = ColorToRGB(Font().Color());
  item.font = Font().ToLogicalFont();
  DrawSkinnedListItem(dc, rect, m_data, item);
}

}  // namespace tappomat
