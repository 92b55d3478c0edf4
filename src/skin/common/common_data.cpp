#include "skin/common/common_data.h"

#include "gdi/system_colors.h"
#include "imaging/hsv.h"
#include "skin/common/glow.h"
#include "skin/data/upper_ascii.h"
#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/label.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

bool In(int kind, std::initializer_list<std::pair<int, int>> ranges) {
  for (const auto& [first, last] : ranges) {
    if (kind >= first && kind <= last) return true;
  }
  return false;
}

bool IsPanelKind(int kind) { return In(kind, {{51, 52}, {59, 59}, {68, 68}, {73, 73}}); }

}  // namespace

bool IsContainerKind(int kind) { return In(kind, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }

bool IsBackgroundOwnerKind(int kind) {
  return In(kind, {{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110}, {141, 141},
                   {143, 143}, {151, 151}, {161, 161}, {226, 226}});
}

bool IsEditKind(int kind) {
  return In(kind, {{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}, {231, 231}});
}

std::string DefaultSectionFor(int kind, const std::string& className) {
  const struct {
    std::initializer_list<std::pair<int, int>> kinds;
    const char* section;
  } table[] = {
      {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 85}, {96, 96}, {131, 131}, {140, 140}, {230, 230}}, "EDIT"},
      {{{11, 18}, {81, 82}}, "COMBOBOX"},
      {{{19, 19}}, "BAR"},
      {{{20, 20}}, "BARTITLE"},
      {{{32, 33}, {50, 50}, {152, 152}}, "CHECKBOX"},
      {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, "PANEL"},
      {{{52, 52}, {58, 58}}, "PANEL_LOW"},
      {{{53, 54}, {60, 60}}, "TOOLBAR"},
      {{{56, 56}}, "DRAGBAR"},
      {{{57, 57}}, "TABSHEET"},
      {{{74, 74}, {226, 226}}, "GROUPBOX"},
      {{{75, 75}}, "SPLITTER"},
      {{{92, 92}, {95, 95}}, "SPEEDBUTTON"},
      {{{93, 94}}, "BUTTON"},
      {{{98, 98}}, "TOOLBUTTON"},
      {{{141, 141}, {143, 143}}, "PAGECONTROL"},
      {{{151, 151}}, "STATUSBAR"},
      {{{161, 161}}, "GAUGE"},
      {{{165, 165}}, "TRACKBAR"},
  };
  for (const auto& entry : table) {
    if (In(kind, entry.kinds)) return entry.section;
  }
  return className;
}

namespace {
std::string g_lastChangedSection;
}  // namespace

void SetLastChangedSection(const std::string& section) { g_lastChangedSection = UpperAscii(section); }

bool OutsideParentClient(const TControl& control) {
  const TWinControl* parent = control.Parent();
  if (parent == nullptr) return false;
  const Rect client = parent->ClientRect();
  const Rect bounds = control.BoundsRect();
  return bounds.left < client.left || bounds.top < client.top || bounds.right > client.right ||
         bounds.bottom > client.bottom;
}

TsCommonData::TsCommonData(TControl* owner, bool withCache, int kindCode)
    : m_owner(owner), m_kind(kindCode) {
  if (withCache) m_cache = std::make_unique<Bitmap32>();
}

TsSkinManager* TsCommonData::SkinManager() const {
  return m_manager != nullptr ? m_manager : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
  m_manager = manager == TsSkinManager::DefaultManager() ? nullptr : manager;
  if (m_owner == nullptr || (m_owner->ComponentState() & csLoading)) return;
  UpdateIndexes();
  if (m_owner->Parent() != nullptr && !(m_owner->Parent()->ComponentState() & csDestroying)) {
    const SkinCode code = m_skinIndex >= 0 ? SkinCode::Refresh : SkinCode::RemoveSkin;
    m_owner->Perform(WM_SKIN, SkinWParam(code), reinterpret_cast<LPARAM>(SkinManager()));
  }
}

void TsCommonData::SetSkinSection(const std::string& section) {
  const std::string stored = section.empty() ? "UNKNOWN" : UpperAscii(section);
  if (stored == m_section) return;
  m_section = stored;
  UpdateIndexes();
  if (m_owner == nullptr || m_updating) return;
  const TComponentState state = m_owner->ComponentState();
  if ((state & (csLoading | csDestroying)) || !m_owner->Visible()) return;
  if (m_owner->IsWindowed() && !static_cast<TWinControl*>(m_owner)->HandleAllocated()) return;
  const SkinCode code = m_skinIndex >= 0 ? SkinCode::Refresh : SkinCode::RemoveSkin;
  m_owner->Perform(WM_SKIN, SkinWParam(code), reinterpret_cast<LPARAM>(SkinManager()));
}

void TsCommonData::SetCustomColor(bool on) {
  m_customColor = on;
  if (m_owner != nullptr && !(m_owner->ComponentState() & csLoading)) UpdateColors(true);
}

void TsCommonData::SetCustomFont(bool on) {
  m_customFont = on;
  if (m_owner != nullptr && !(m_owner->ComponentState() & csLoading)) UpdateColors(true);
}

void TsCommonData::SetHUEOffset(int degrees) {
  m_hueOffset = degrees;
  UpdateIndexes();
  Invalidate();
}

void TsCommonData::SetSaturation(int amount) {
  m_saturation = amount;
  UpdateIndexes();
  Invalidate();
}

ColorRef TsCommonData::Adjusted(ColorRef color) const {
  if (m_hueOffset != 0) color = RotateHue(color, m_hueOffset);
  if (m_saturation != 0) color = ChangeSaturation(color, m_saturation);
  return color;
}

void TsCommonData::UpdateIndexes() {
  m_skinIndex = m_borderIndex = m_texture = m_hotTexture = -1;
  m_backgroundKind = 0;
  m_transparencyFlags = (m_transparencyFlags & (kObjectLinked | kInsideUpdate)) | kTransparencyUnknown;
  const TsSkinManager* manager = SkinManager();
  if (manager == nullptr || !manager->Active() || !manager->SkinLoaded()) return;
  if (m_section.empty() && m_owner != nullptr) {
    m_section = UpperAscii(DefaultSectionFor(m_kind, m_owner->ClassName()));
  }
  const SkinTables& tables = manager->Tables();
  m_skinIndex = tables.SectionIndex(m_section);
  if (m_skinIndex < 0) return;
  m_borderIndex = tables.MaskIndex(m_skinIndex, m_section, "BORDERSMASK");
  m_texture = tables.TextureIndex(m_skinIndex, m_section, "PATTERN");
  m_hotTexture = tables.TextureIndex(m_skinIndex, m_section, "HOTPATTERN");
  const TsGenState& normal = tables.sections[static_cast<std::size_t>(m_skinIndex)].props[0];
  if (normal.imagePercent > 0) m_backgroundKind |= kTextureShare;
  if (!normal.gradient.empty()) {
    switch (normal.gradient.front().direction) {
      case 0: m_backgroundKind |= kGradientVertical; break;
      case 1: m_backgroundKind |= kGradientHorizontal; break;
      case 2: m_backgroundKind |= kGradientTriangles; break;
      default: break;
    }
  }
  if (IsBackgroundOwnerKind(m_kind)) UpdateTransparencyFlags();
}

bool TsCommonData::Skinned(bool needActive) const {
  const TsSkinManager* manager = SkinManager();
  if (m_section.empty() || manager == nullptr || (manager->ComponentState() & csDestroying)) {
    return false;
  }
  if (m_skinIndex < 0 || (m_owner != nullptr && (m_owner->ComponentState() & csDestroying))) return false;
  return !needActive || manager->SkinActive();
}

bool TsCommonData::ControlIsActive() const {
  if (m_owner == nullptr || !m_owner->Visible() || !m_owner->Enabled()) return false;
  if (m_owner->ComponentState() & csDesigning) return false;
  if (m_forcedActive) return true;
  if (m_owner->IsWindowed()) {
    const auto* windowed = static_cast<const TWinControl*>(m_owner);
    if (windowed->HandleAllocated() && windowed->Focused()) return !IsPanelKind(m_kind);
  }
  return m_mouseAbove && !IsContainerKind(m_kind);
}

void TsCommonData::BeginUpdate() {
  ++m_updateDepth;
  m_updating = true;
  m_transparencyFlags |= kInsideUpdate;
  if (m_owner != nullptr) m_owner->Perform(WM_SKIN, SkinWParam(SkinCode::BeginUpdate));
}

void TsCommonData::EndUpdate(bool repaint) {
  --m_updateDepth;
  m_updating = false;
  m_transparencyFlags &= ~kInsideUpdate;
  if (m_updateDepth <= 0 && m_owner != nullptr) {
    m_owner->Perform(WM_SKIN, SkinWParam(SkinCode::EndUpdate));
  }
  if (repaint) Invalidate();
}

void TsCommonData::Invalidate() {
  if (m_owner == nullptr || (m_owner->ComponentState() & (csDestroying | csLoading))) return;
  m_backgroundChanged = true;
  if (m_owner->Showing()) m_owner->Invalidate();
}

void TsCommonData::UpdateColors(bool repaint) {
  if (m_owner == nullptr || !Skinned() || !IsEditKind(m_kind)) return;
  if (m_owner->IsWindowed() && !static_cast<TWinControl*>(m_owner)->HandleAllocated()) return;
  const TsGeneralData& section = SkinManager()->Tables().sections[static_cast<std::size_t>(m_skinIndex)];
  const auto adjusted = [this](std::int32_t color) {
    return static_cast<TColor>(Adjusted(static_cast<ColorRef>(color) & 0xFFFFFF));
  };
  if (!m_customColor) m_owner->SetColor(adjusted(section.props[0].color));
  if (!m_customFont && m_kind != 10) m_owner->Font().SetColor(adjusted(section.props[0].fontColor[0]));
  if (repaint) Invalidate();
}

void TsCommonData::AdjustPicture(Bitmap32& picture) const {
  if (m_hueOffset == 0 && m_saturation == 0) return;
  for (Pixel& p : picture.Pixels()) {
    if (IsFuchsia(p)) continue;
    p = PixelFromColor(Adjusted(ColorFromPixel(p)), PixelA(p));
  }
}

bool TsCommonData::CacheStale(int paintState) const {
  if (m_backgroundChanged || m_cache == nullptr || m_cache->IsEmpty()) return true;
  return m_owner == nullptr || paintState != m_cachedState || m_owner->BoundsRect() != m_cachedBounds;
}

void TsCommonData::CacheBuilt(int paintState) {
  m_cachedState = paintState;
  if (m_owner != nullptr) m_cachedBounds = m_owner->BoundsRect();
  m_backgroundChanged = false;
}

void TsCommonData::TakeEditColors(int record) {
  const TsGeneralData* section = Section();
  if (section == nullptr || !IsEditKind(m_kind) || section->states < 2 || m_owner == nullptr) return;
  const TsGenState& state = section->props[static_cast<std::size_t>(record)];
  bool changed = false;
  if (!m_customColor) {
    const auto color = static_cast<TColor>(Adjusted(static_cast<ColorRef>(state.color) & 0xFFFFFF));
    changed = changed || m_owner->Color() != color;
    m_owner->SetColor(color);
  }
  if (!m_customFont && m_kind != 10) {
    const auto color = static_cast<TColor>(Adjusted(static_cast<ColorRef>(state.fontColor[0]) & 0xFFFFFF));
    changed = changed || m_owner->Font().Color() != color;
    m_owner->Font().SetColor(color);
  }
  if (changed) Invalidate();
}

void TsCommonData::PointerEntered() {
  if ((m_owner->ComponentState() & csDesigning) || !Skinned()) return;
  // Speed buttons beside this control that still look hot lost the pointer to it.
  if (TWinControl* parent = m_owner->Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* sibling = parent->Controls(i);
      if (sibling == m_owner) continue;
      const auto* data = reinterpret_cast<const TsCommonData*>(
          sibling->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinData)));
      if (data != nullptr && data->m_kind == kSpeedButtonKind && data->m_mouseAbove) sibling->Perform(CM_MOUSELEAVE);
    }
  }
  SetMouseAbove(true);
  TakeEditColors(1);
}

TsCommonData::~TsCommonData() { HideControlGlow(*this); }

bool TsCommonData::CommonMessage(TMessage& message) {
  // The skin data of a window without a control (a drop-down list) has nothing to track.
  if (m_owner == nullptr) return false;
  switch (message.Msg) {
    case CM_MOUSEENTER:
      PointerEntered();
      break;
    case CM_MOUSELEAVE:
      HideControlGlow(*this);
      SetMouseAbove(false);
      if (!ControlIsActive()) TakeEditColors(0);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      m_forcedActive = message.Msg == WM_SETFOCUS;
      m_updating = false;
      TakeEditColors(ControlIsActive() ? 1 : 0);
      Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      HideControlGlow(*this);
      m_mouseAbove = false;
      m_forcedActive = false;
      m_updating = false;
      Invalidate();
      break;
    case CM_VISIBLECHANGED:
      HideControlGlow(*this);
      m_updating = false;
      m_backgroundChanged = true;
      break;
    case WM_SIZE:
    case WM_MOVE:
      // A glow drawn round the old place would stay there.
      HideControlGlow(*this);
      m_backgroundChanged = true;
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      m_backgroundChanged = true;
      break;
    case WM_UPDATEUISTATE:
    case WM_CHANGEUISTATE:
      message.Result = 0;
      return true;
    default:
      break;
  }
  return false;
}

void TsCommonData::ForEachWindowedChild(const std::function<void(TControl&)>& f) const {
  auto* windowed = dynamic_cast<TWinControl*>(m_owner);
  if (windowed == nullptr) return;
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    TControl* child = windowed->Controls(i);
    if (child->IsWindowed()) f(*child);
  }
}

void TsCommonData::PlainLabelsToWindowText() const {
  auto* windowed = dynamic_cast<TWinControl*>(m_owner);
  if (windowed == nullptr) return;
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    // Only plain labels: a skinned label's colour is its own, not one the skin gave it
    // (and the control's skin data must not depend on the skinned controls).
    auto* label = dynamic_cast<TLabel*>(windowed->Controls(i));
    if (label != nullptr && label->ClassName() == "TLabel") label->Font().SetColor(clWindowText);
  }
}

void TsCommonData::TransparencyChanged(bool invalidate) {
  m_backgroundChanged = true;
  if (m_owner == nullptr) return;
  if (invalidate && m_owner->Showing()) m_owner->Invalidate();
  if (m_transparencyFlags & kTransparentBackground) {
    ForEachWindowedChild([invalidate](TControl& child) {
      child.Perform(WM_SKIN, SkinWParam(SkinCode::TransparencyChanged, invalidate ? 1 : 0));
    });
  }
}

bool TsCommonData::ForThisManager(const TMessage& message) const {
  return message.LParam == 0 || reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager();
}

bool TsCommonData::HandleCachedSkinMessage(TMessage& message) {
  const SkinCode code = SkinCodeOf(message.WParam);
  const bool handled = HandleSkinMessage(message);
  if (code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh) {
    m_backgroundChanged = true;
    if (code != SkinCode::RemoveSkin) m_updating = false;
    if (m_owner != nullptr) m_owner->Invalidate();
  }
  return handled;
}

bool TsCommonData::HandleSkinMessage(TMessage& message) {
  if (message.Msg != WM_SKIN) return false;
  const std::uint16_t argument = SkinArgumentOf(message.WParam);
  message.Result = 0;
  switch (SkinCodeOf(message.WParam)) {
    case SkinCode::NewSkin:
      if (ForThisManager(message)) UpdateIndexes();
      return true;
    case SkinCode::RemoveSkin:
      if (!ForThisManager(message)) return true;
      if (m_manager != nullptr && (m_manager->ComponentState() & csDestroying)) m_manager = nullptr;
      m_skinIndex = m_borderIndex = m_texture = m_hotTexture = -1;
      m_updating = true;
      if (m_cache) m_cache->Reset(0, 0);
      if (m_owner != nullptr && IsEditKind(m_kind)) {
        if (!m_customColor) m_owner->SetColor(clWindow);
        if (!m_customFont) m_owner->Font().SetColor(clWindowText);
        m_owner->Invalidate();
      } else {
        PlainLabelsToWindowText();
      }
      return true;
    case SkinCode::Refresh:
      if (!ForThisManager(message)) return true;
      m_backgroundChanged = true;
      m_updating = false;
      UpdateColors(true);
      // What lies behind may have changed with the skin's values: work it out again.
      UpdateTransparencyFlags();
      return true;
    case SkinCode::LeaveUpdating:
      if (m_updating && m_owner != nullptr && m_owner->IsWindowed()) {
        m_updating = false;
        Invalidate();
      }
      return true;
    case SkinCode::QuerySkinned:
      message.Result = 1;
      return true;
    case SkinCode::SetUpdating:
      m_updating = argument == 1;
      return true;
    case SkinCode::TransparentLock:
      m_transparentLock = argument == 1;
      return true;
    case SkinCode::QueryNeedsRepaint:
      message.Result = (m_backgroundChanged || m_updating) ? 1 : 0;
      return true;
    case SkinCode::QueryHalfVisible:
      message.Result = m_halfVisible ? 1 : 0;
      return true;
    case SkinCode::SetSection:
      if (message.LParam == 0) return true;
      SetSkinSection(reinterpret_cast<const char*>(message.LParam));
      message.Result = 1;
      return true;
    case SkinCode::SetBackgroundChanged:
      m_backgroundChanged = true;
      return true;
    case SkinCode::ClearBackgroundChanged:
      m_backgroundChanged = false;
      return true;
    case SkinCode::SetHalfVisible:
      m_halfVisible = true;
      return true;
    case SkinCode::QuerySectionIndex:
      if (message.LParam != 0) *reinterpret_cast<int*>(message.LParam) = m_skinIndex;
      return true;
    case SkinCode::EmptyCache:
      if (m_cache) m_cache->Reset(0, 0);
      m_backgroundChanged = true;
      return true;
    case SkinCode::QuerySkinData:
      message.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SkinCode::RepaintSection:
      if (!m_section.empty() && m_section == g_lastChangedSection) Invalidate();
      return true;
    case SkinCode::QueryParentPaint:
      message.Result = RepaintsWithParent() ? 1 : 0;
      return true;
    case SkinCode::TransparencyChanged:
      TransparencyChanged(argument == 1);
      return true;
    case SkinCode::QueryColorUnder:
      message.Result = static_cast<LRESULT>(ColorUnder());
      return true;
    case SkinCode::TransparencyFlags:
      if (argument == 1) {
        UpdateTransparencyFlags();
        ForEachWindowedChild([](TControl& child) {
          child.Perform(WM_SKIN, SkinWParam(SkinCode::TransparencyFlags, 1));
        });
        return true;
      }
      if (m_transparencyFlags & kTransparencyUnknown) UpdateTransparencyFlags();
      message.Result = static_cast<LRESULT>(m_transparencyFlags);
      return true;
    case SkinCode::LinkObject:
      m_linked = reinterpret_cast<TComponent*>(message.LParam);
      if (m_linked != nullptr) m_transparencyFlags |= kObjectLinked;
      else m_transparencyFlags &= ~kObjectLinked;
      return true;
    case SkinCode::QueryBackground:
      if (message.LParam == 0) return true;
      AnswerBackgroundQuery(*reinterpret_cast<TacBGInfo*>(message.LParam),
                            m_forcedActive || m_mouseAbove);
      message.Result = 1;
      return true;
    case SkinCode::QueryApplication:
      message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

}  // namespace tappomat
