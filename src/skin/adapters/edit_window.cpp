#include "skin/adapters/edit_window.h"

#include <algorithm>

#include "gdi/blit.h"
#include "imaging/blend.h"
#include "skin/common/background_query.h"
#include "skin/paint/disabled_look.h"
#include "skin/common/hot_window.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"
#include "win/input.h"
#include "win/paint.h"
#include "win/window_system.h"

namespace tappomat {

TacEditWnd::TacEditWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager)
    : TacScrollWnd(window, data, section.empty() ? std::string("EDIT") : section, manager) {}

bool TacEditWnd::HasHotLook() const {
  const TsGeneralData* section = SkinData().Section();
  if (section == nullptr) return false;
  if (section->states >= 2) return true;
  const TsMaskData* border = MaskAt(SkinData().SkinManager()->Tables(), SkinData().BorderIndex());
  return border != nullptr && border->frameCount > 1;
}

void TacEditWnd::SaveStep() {
  if (TWinControl* control = OwnerControl()) {
    m_savedColor = control->Color();
    m_savedFontColor = control->Font().Color();
  }
}

void TacEditWnd::RestoreStep() {
  if (IsWindowVisible(Handle())) {
    SetWindowPos(Handle(), kNullWindow, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    RedrawWindow(Handle(), std::nullopt, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
  TWinControl* control = OwnerControl();
  if (control == nullptr || (control->ComponentState() & csDestroying)) return;
  control->SetColor(m_savedColor);
  control->Font().SetColor(m_savedFontColor);
}

void TacEditWnd::ColorStep() {
  TsCommonData& data = SkinData();
  const TsGeneralData* section = data.Section();
  if (section == nullptr) return;
  m_coloured = true;
  const SkinTables& tables = data.SkinManager()->Tables();
  m_borderColor = tables.colors.border;
  TWinControl* control = OwnerControl();
  if (control == nullptr) {
    m_appliedColor = data.Adjusted(static_cast<ColorRef>(section->props[0].color) & 0xFFFFFF);
    data.SetBackgroundChanged(true);
    return;
  }
  const bool hot = data.ControlIsActive() && section->states >= 2;
  const TsGenState& state = section->props[hot ? 1 : 0];
  if (!data.CustomColor()) {
    const ColorRef own = data.Adjusted(static_cast<ColorRef>(state.color) & 0xFFFFFF);
    const int t = std::clamp(state.transparency, 0, 100);
    ColorRef color = own;
    if (t > 0) {
      // What lies behind takes t percent, as everywhere in skinned painting.
      const ColorRef behind = control->Parent() != nullptr ? ColorBehind(*control->Parent()) : own;
      color = t == 100 ? behind : MixColors(behind, own, t / 100.0);
    }
    if (ColorToRGB(control->Color()) != color) control->SetColor(static_cast<TColor>(color));
    m_appliedColor = color;
  } else {
    m_appliedColor = ColorToRGB(control->Color());
  }
  if (!data.CustomFont()) {
    const auto font = static_cast<TColor>(data.Adjusted(static_cast<ColorRef>(state.fontColor[0]) & 0xFFFFFF));
    if (control->Font().Color() != font) control->Font().SetColor(font);
  }
  data.SetBackgroundChanged(true);
}

bool TacEditWnd::RebuildFrame() {
  TsCommonData& data = SkinData();
  const TsGeneralData* section = data.Section();
  Bitmap32* cache = data.Cache();
  if (section == nullptr || cache == nullptr) return false;
  const Rect window = GetWindowRect(Handle());
  ParentBackground parent;
  TWinControl* control = OwnerControl();
  if (control != nullptr) {
    const std::optional<ParentBackground> asked = AskParentBackground(*control);
    if (!asked) {
      data.SetUpdating(true);
      return false;
    }
    parent = *asked;
  } else {
    parent.fill = static_cast<ColorRef>(section->props[0].color) & 0xFFFFFF;
  }
  cache->Reset(window.Width(), window.Height());
  if (cache->IsEmpty()) return false;
  const bool hot = data.ForcedActive() || (data.MouseAbove() && HasHotLook());
  SectionPaint paint;
  paint.sectionIndex = data.SkinIndex();
  paint.paintState = hot ? 1 : 0;
  paint.textureIndex = data.Texture();
  paint.hotTextureIndex = data.HotTexture();
  PaintSection(*cache, cache->Bounds(), data.SkinManager()->Tables(), paint, parent);
  data.AdjustPicture(*cache);
  if (control != nullptr && !control->Enabled()) {
    const ColorRef behind = control->Parent() != nullptr ? ColorToRGB(control->Parent()->Color()) : kFuchsia;
    ApplyDisabledLook(*cache, dkBlended, parent, behind);
  }
  data.SetBackgroundChanged(false);
  return true;
}

void TacEditWnd::PaintFrame() {
  const HWND h = Handle();
  if (!IsWindowVisible(h)) return;
  TsCommonData& data = SkinData();
  if (!m_coloured) ColorStep();
  const Rect window = GetWindowRect(h);
  const Bitmap32* cache = data.Cache();
  const bool fits = cache != nullptr && cache->Width() == window.Width() && cache->Height() == window.Height();
  if ((data.BackgroundChanged() || !fits) && !RebuildFrame()) return;
  std::optional<DeviceContext> dc = GetWindowDC(h);
  if (!dc) return;
  // The frame is as wide on every side as the client area lies below the window's top.
  const int b = GetClientRectInWindow(h).top;
  const int w = window.Width();
  const int hgt = window.Height();
  const Rect strips[] = {{0, 0, w, b}, {0, hgt - b, w, hgt}, {0, b, b, hgt - b}, {w - b, b, w, hgt - b}};
  for (const Rect& strip : strips) {
    if (strip.IsEmpty()) continue;
    BitBlt(*dc, strip.left, strip.top, strip.Width(), strip.Height(), *cache, strip.left, strip.top, SRCCOPY);
  }
  PaintScrollBars(&*dc);
}

void TacEditWnd::RedrawFrame() {
  if (IsWindowVisible(Handle())) RedrawWindow(Handle(), std::nullopt, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TacEditWnd::WndProc(TMessage& message) {
  TsCommonData& data = SkinData();
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    if (code == SkinCode::QueryBackground && message.LParam != 0) {
      CallPrevious(message);
      if (message.Result != 0) return;
      auto& query = *reinterpret_cast<TacBGInfo*>(message.LParam);
      if (data.CustomColor()) {
        query.kind = BackgroundKind::Color;
        query.color = m_appliedColor;
      } else {
        data.AnswerBackgroundQuery(query, data.ForcedActive() || data.MouseAbove());
      }
      message.Result = 1;
      return;
    }
    // The control handles the skin messages to its own skin data; the adapter handles those
    // to the skin data it made itself.
    if (OwnsSkinData() ? !data.HandleSkinMessage(message) : true) TacScrollWnd::WndProc(message);
    switch (code) {
      case SkinCode::NewSkin:
      case SkinCode::Refresh:
        m_coloured = false;
        if (data.Skinned()) ColorStep();
        RedrawFrame();
        break;
      case SkinCode::RemoveSkin:
        RestoreStep();
        m_coloured = false;
        break;
      case SkinCode::ClearBackgroundChanged:
        RebuildFrame();
        break;
      default:
        break;
    }
    return;
  }
  if (!data.Skinned()) {
    TacScrollWnd::WndProc(message);
    return;
  }
  switch (message.Msg) {
    case WM_NCPAINT:
      // The frame is ours: the window's own handler never paints it.
      if (IsWindowVisible(Handle()) && !data.Updating() && !InOwnCalculation()) PaintFrame();
      message.Result = 0;
      return;
    case WM_PAINT:
    case WM_ERASEBKGND:
      if (!m_coloured) ColorStep();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (HasHotLook() && OwnerControl() != nullptr && OwnerControl()->TabStop()) {
        data.SetBackgroundChanged(true);
        data.SetForcedActive(message.Msg == WM_SETFOCUS);
        TacScrollWnd::WndProc(message);
        ColorStep();
        RedrawFrame();
        return;
      }
      break;
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
      data.SetBackgroundChanged(true);
      TacScrollWnd::WndProc(message);
      if (!data.Updating()) RedrawFrame();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (OwnsSkinData()) data.CommonMessage(message);
      if (HasHotLook()) {
        data.SetBackgroundChanged(true);
        RedrawFrame();
      }
      break;
    default:
      break;
  }
  TacScrollWnd::WndProc(message);
  switch (message.Msg) {
    case WM_SIZE:
      data.SetBackgroundChanged(true);
      RedrawFrame();
      break;
    // Keys, clicks and a new font may move what the window shows: its bars follow.
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_SETFONT:
      if (!ScrollSuppressed()) RefreshScrollBars();
      break;
    case WM_MOUSEMOVE: {
      // The pointer is over this window now: the manager's hot window before it hears so.
      const bool designing =
          OwnerControl() != nullptr && (OwnerControl()->ComponentState() & csDesigning);
      if (IsWindowEnabled(Handle()) && !designing) SetHotWindow(SkinManager(), Handle());
      break;
    }
    default:
      break;
  }
}

}  // namespace tappomat
