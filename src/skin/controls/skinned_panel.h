#pragma once
// TsPanel: a standard panel drawn from the skin's PANEL section (kind 51). With an active
// skin it paints the section into its cache (the section's colour by its transparency, its
// border mask where the standard bevels would be) and copies it; its caption is drawn in
// the section's font colours, then OnPaint runs, then its window-less children. It answers
// its children's background queries and passes the skin's broadcasts on to them. Without
// an active skin it is the standard TPanel. The About and hot-key help dialogs frame their
// texts with it.
#include <functional>

#include "skin/common/common_data.h"
#include "ui/canvas.h"
#include "ui/panel.h"

namespace tappomat {

class TsPanel : public TPanel {
 public:
  explicit TsPanel(TComponent* owner);
  std::string ClassName() const override { return "TsPanel"; }

  TsCtrlSkinData* SkinData() { return &m_data; }

  // Runs after the panel's own painting, before its window-less children are painted.
  std::function<void(TComponent* sender, TCanvas* canvas)> OnPaint;

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;

 private:
  // Paints the section into the cache when it is stale; false while the parent is being
  // updated and there is no picture yet.
  bool RebuildCache();
  void PaintCaption(DeviceContext& dc);

  TsCtrlSkinData m_data;
};

}  // namespace tappomat
