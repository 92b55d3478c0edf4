#include "skin/controls/edit_skin.h"

#include <algorithm>
#include <string>

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "gdi/text.h"
#include "gdi/text_layout.h"
#include "skin/common/cache_paint.h"
#include "skin/common/caption_look.h"
#include "skin/data/skin_message.h"

namespace tappomat {

void FollowBoundLabel(TsBoundLabel* label, const TMessage& message) {
  if (label == nullptr) return;
  switch (message.Msg) {
    case WM_SIZE:
    case WM_MOVE:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
      label->Follow();
      break;
    default:
      break;
  }
}

EditSkin::EditSkin(TEdit& edit)
    : m_edit(edit), m_data(&edit, true, kEditKind), m_boundLabel(TsBoundLabel::CreateFor(&edit)) {
  m_data.SetSkinSection("EDIT");
}

int EditSkin::BorderWidth() const { return m_edit.BorderStyle() == TEditBorderStyle::bsSingle ? 2 : 0; }

bool EditSkin::NativeLook() const { return m_edit.Enabled() && m_data.ControlIsActive(); }

Rect EditSkin::TextRect() const {
  const int b = BorderWidth();
  return {b + 1, b + 1, m_edit.Width() - b - ReservedRight(), m_edit.Height() - b};
}

bool EditSkin::RebuildCache() {
  if (m_data.Section() == nullptr) return false;
  const int state = PaintState();
  const std::optional<ParentBackground> parent = PaintSectionIntoCache(m_data, state);
  if (!parent) return false;
  Bitmap32& cache = *m_data.Cache();
  const int b = BorderWidth();
  DeviceContext dc(cache);
  if (m_data.CustomColor())
    FillRect(dc, Rect{b, b, cache.Width() - b, cache.Height() - b}, ColorToRGB(m_edit.Color()));
  std::u32string shown = DecodeUtf8(m_edit.Text());
  if (m_edit.PasswordChar() != 0) std::fill(shown.begin(), shown.end(), m_edit.PasswordChar());
  if (!shown.empty()) {
    const SkinnedTextLook look =
        SkinnedTextLookOf(m_data, m_edit.Enabled(), state != 0, ColorToRGB(m_edit.Font().Color()));
    DrawSkinnedText(dc, m_edit.Font().ToLogicalFont(), EncodeUtf8(shown), TextRect(),
                    DT_SINGLELINE | DT_NOPREFIX | DT_TOP | AlignmentDrawTextFlags(Alignment), look);
  }
  FinishCache(m_data, state, *parent, DisabledKind);
  return true;
}

bool EditSkin::Paint(DeviceContext& dc, const std::function<void(DeviceContext&)>& native) {
  if (!m_data.Skinned(true)) return false;
  if (!m_data.Updating() && m_data.CacheStale(PaintState())) RebuildCache();
  const Bitmap32& cache = *m_data.Cache();
  if (cache.IsEmpty()) return true;
  if (!NativeLook()) {
    BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
    return true;
  }
  native(dc);
  // The frame stays the skin's: the ring of the border width, copied over the edit's own.
  const int b = BorderWidth();
  const int w = cache.Width();
  const int h = cache.Height();
  if (b == 0) return true;
  BitBlt(dc, 0, 0, w, b, cache, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - b, w, b, cache, 0, h - b, SRCCOPY);
  BitBlt(dc, 0, b, b, h - 2 * b, cache, 0, b, SRCCOPY);
  BitBlt(dc, w - b, b, b, h - 2 * b, cache, w - b, b, SRCCOPY);
  return true;
}

bool EditSkin::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) return m_data.HandleCachedSkinMessage(message);
  if (!m_data.Skinned()) return false;
  if (m_data.CommonMessage(message)) return true;
  switch (message.Msg) {
    // Under the pointer the edit paints itself; away from it the cache shows.
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
      m_data.Invalidate();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace tappomat
