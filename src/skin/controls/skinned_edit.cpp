#include "skin/controls/skinned_edit.h"

namespace tappomat {

TsEdit::TsEdit(TComponent* owner) : TEdit(owner), m_skin(*this) {}

void TsEdit::SetDisabledKind(TsDisabledKind kinds) {
  m_skin.DisabledKind = kinds;
  m_skin.SkinData().Invalidate();
}

void TsEdit::SetAlignment(TAlignment alignment) {
  m_skin.Alignment = alignment;
  m_skin.SkinData().Invalidate();
}

void TsEdit::CreateHandle() {
  TEdit::CreateHandle();
  m_skin.SkinData().UpdateColors(false);
}

void TsEdit::PaintWindow(DeviceContext& dc) {
  if (!m_skin.Paint(dc, [this](DeviceContext& d) { TEdit::PaintWindow(d); })) TEdit::PaintWindow(dc);
}

void TsEdit::WndProc(TMessage& message) {
  if (m_skin.WndProc(message)) return;
  TEdit::WndProc(message);
  FollowBoundLabel(m_skin.BoundLabel(), message);
}

}  // namespace tappomat
