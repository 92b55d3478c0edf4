#pragma once
// TsEdit: the single-line edit drawn on a skin (kind 3, section EDIT). Its EditSkin keeps
// the cache and decides when the edit paints itself (enabled and active) and when the
// cached look shows; the skin's colours become the edit's Color and font colour unless
// they are custom. It owns a bound label, which follows it. Without an active skin it is
// the standard TEdit.
#include "skin/controls/edit_skin.h"
#include "ui/edit.h"

namespace tappomat {

class TsEdit : public TEdit {
 public:
  explicit TsEdit(TComponent* owner);
  std::string ClassName() const override { return "TsEdit"; }

  TsCtrlSkinData* SkinData() { return &m_skin.SkinData(); }
  TsBoundLabel* BoundLabel() const { return m_skin.BoundLabel(); }
  TsDisabledKind DisabledKind() const { return m_skin.DisabledKind; }
  void SetDisabledKind(TsDisabledKind kinds);
  // Where the text sits in the cached look.
  TAlignment Alignment() const { return m_skin.Alignment; }
  void SetAlignment(TAlignment alignment);
  // Where the cached look draws the text.
  Rect SkinTextRect() const { return m_skin.TextRect(); }
  // The edit paints itself now rather than showing its cache.
  bool PaintsNatively() const { return m_skin.NativeLook(); }

  void WndProc(TMessage& message) override;

 protected:
  // With a skin already applied, the new window takes the section's colours at once.
  void CreateHandle() override;
  void PaintWindow(DeviceContext& dc) override;

 private:
  EditSkin m_skin;
};

}  // namespace tappomat
