// The form skin provider: a thin switch over the form's messages (WndProc) that calls the
// named steps below; the geometry is frame_metrics.cpp, the picture window_picture.cpp.
#include "skin/window/skin_provider.h"

#include <stdexcept>

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "skin/common/background_query.h"
#include "skin/common/glow.h"
#include "skin/data/skin_message.h"
#include "skin/paint/mask_paint.h"
#include "skin/window/system_menu.h"
#include "ui/application.h"
#include "win/input.h"
#include "win/nonclient.h"
#include "win/paint.h"
#include "win/window_frame.h"
#include "win/window_system.h"

namespace tappomat {

bool TsSkinProvider::s_buttonPressed = false;

namespace {

// The kind code of a form's skin data.
constexpr int kFormKind = 224;

// The provider of each form, for Of() and the one-provider rule.
std::vector<TsSkinProvider*>& AllProviders() {
  static std::vector<TsSkinProvider*> providers;
  return providers;
}

LRESULT HitCodeOf(CaptionButtonKind kind) {
  switch (kind) {
    case CaptionButtonKind::Close:
      return HTCLOSE;
    case CaptionButtonKind::Maximize:
      return HTMAXBUTTON;
    case CaptionButtonKind::Minimize:
      return HTMINBUTTON;
    case CaptionButtonKind::Help:
      return HTHELP;
    case CaptionButtonKind::Count:
      break;
  }
  return HTNOWHERE;
}

std::optional<CaptionButtonKind> ButtonOfHit(LRESULT hit) {
  for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
    const auto kind = static_cast<CaptionButtonKind>(i);
    if (HitCodeOf(kind) == hit) return kind;
  }
  return std::nullopt;
}

// The user's title buttons answer hit-testing with this code plus their index.
constexpr LRESULT kTitleButtonHit = 1000;
constexpr LRESULT kTitleBarItemHit = 2000;

std::optional<std::size_t> TitleOfHit(LRESULT hit) {
  if (hit < kTitleButtonHit || hit >= kTitleBarItemHit) return std::nullopt;
  return static_cast<std::size_t>(hit - kTitleButtonHit);
}

}  // namespace

// What the form's WindowProc is while the provider takes its messages. Whoever takes the
// form's messages after the provider keeps a copy of it; the link it shares outlives the
// provider, so once the provider is gone the copy hands messages straight to the form's
// own handler.
struct TsSkinProvider::Link {
  TsSkinProvider* provider;
  TControl::TWndMethod previous;
};

struct TsSkinProvider::Thunk {
  std::shared_ptr<Link> link;
  void operator()(TMessage& message) const {
    if (link->provider != nullptr) {
      link->provider->WndProc(message);
    } else {
      link->previous(message);
    }
  }
};

// The frame object the provider sets on its form's window while a skin is applied.
class TsSkinProvider::Frame final : public WindowFrame {
 public:
  explicit Frame(TsSkinProvider& provider) : m_provider(provider) {}

  Rect ClientRect(HWND h, Size window) override {
    // In-window, the skinned frame has the classic frame's sizes.
    return ClassicFrame().ClientRect(h, window);
  }
  LRESULT HitTest(HWND, Point windowPoint) override { return m_provider.HitTest(windowPoint); }
  void Paint(HWND h, DeviceContext& dc) override {
    const Bitmap32* picture = m_provider.DrawNonClientArea ? m_provider.Picture() : nullptr;
    if (picture == nullptr) {
      ClassicFrame().Paint(h, dc);
      return;
    }
    BitBlt(dc, 0, 0, picture->Width(), picture->Height(), *picture, 0, 0, SRCCOPY);
  }

 private:
  TsSkinProvider& m_provider;
};

TsSkinProvider::TsSkinProvider(TComponent* owner)
    : TComponent(owner), m_form([owner]() -> TForm& {
        auto* form = dynamic_cast<TForm*>(owner);
        if (form == nullptr) throw std::invalid_argument("TsSkinProvider component may be used with forms only!");
        if (Of(*form) != nullptr) {
          throw std::invalid_argument("Only one instance of the TsSkinProvider component is allowed!");
        }
        return *form;
      }()) {
  m_data = std::make_unique<TsCommonData>(&m_form, true, kFormKind);
  m_data->SetSkinSection("FORM");
  m_frame = std::make_unique<Frame>(*this);
  m_systemMenu = Create<TsSystemMenu>(this, m_form);
  AllProviders().push_back(this);
  m_link = std::make_shared<Link>(Link{this, m_form.WindowProc});
  m_form.WindowProc = Thunk{m_link};
  if (m_form.HandleAllocated()) HandleCreated();
}

TsSkinProvider::~TsSkinProvider() {
  std::erase(AllProviders(), this);
  HideButtonGlow();
  if (TsSkinManager* manager = m_data->SkinManager()) {
    if (TacFormAttachment* attachment = manager->FormAttachment()) attachment->Forget(this);
  }
  if (m_pressedItem != 0) s_buttonPressed = false;
  // The form's messages go back to its own handler; when someone took them over since,
  // their copy of the thunk passes them on without the provider.
  m_link->provider = nullptr;
  const auto* ours = m_form.WindowProc.target<Thunk>();
  if (ours != nullptr && ours->link == m_link) m_form.WindowProc = m_link->previous;
  if (!(m_form.ComponentState() & csDestroying)) {
    if (m_frameSet) SkinRemoved();
  } else if (m_form.HandleAllocated()) {
    SetWindowFrame(m_form.Handle(), nullptr);
  }
}

TsSkinProvider* TsSkinProvider::Of(const TForm& form) {
  for (TsSkinProvider* provider : AllProviders()) {
    if (&provider->m_form == &form) return provider;
  }
  return nullptr;
}

bool TsSkinProvider::Skinned() const { return m_data->Skinned(true); }

FrameMode TsSkinProvider::Mode() const {
  // Extended borders need the border window (a later part of the engine); until then
  // every frame is painted into the form's own non-client area.
  return FrameMode::InWindow;
}

FrameFacts TsSkinProvider::Facts() const {
  FrameFacts facts;
  facts.borderStyle = m_form.BorderStyle();
  facts.hasSystemMenu = (m_form.BorderIcons() & biSystemMenu) != 0;
  HWND h = m_form.HandleAllocated() ? const_cast<TForm&>(m_form).Handle() : kNullWindow;
  facts.maximized = h && IsZoomed(h);
  const bool mainForm = Application != nullptr && Application->MainForm() == &m_form;
  facts.minimizedSecondary = h && IsIconic(h) && !mainForm;
  facts.hasIcon = TitleIcon.Visible && ShowAppIcon &&
                  (!TitleIcon.Glyph.IsEmpty() || (h && !GetWindowIcon(h).IsEmpty()));
  facts.visible = m_systemMenu->VisibleButtons();
  for (const TsTitleButton& button : TitleButtons) facts.titleButtons.push_back(button.Visible);
  return facts;
}

FrameMetrics TsSkinProvider::Metrics() const {
  const SkinTables& tables = m_data->SkinManager()->Tables();
  return ComputeFrameMetrics(Mode(), Facts(), tables.skinData, {});
}

CaptionLayout TsSkinProvider::Caption() const {
  const SkinTables& tables = m_data->SkinManager()->Tables();
  const Size size = m_form.HandleAllocated() ? GetWindowRect(const_cast<TForm&>(m_form).Handle()).GetSize()
                                             : Size{m_form.Width(), m_form.Height()};
  CaptionLayout layout = LayOutCaption(Mode(), Facts(), Metrics(), size, tables);
  if (!TitleIcon.Glyph.IsEmpty() && TitleIcon.Width > 0 && TitleIcon.Height > 0 && !layout.icon.IsEmpty()) {
    layout.icon = Rect::FromSize(layout.icon.left, layout.centerLine - TitleIcon.Height / 2,
                                 TitleIcon.Width, TitleIcon.Height);
  }
  return layout;
}

Point TsSkinProvider::ClientOffset() const {
  if (!m_form.HandleAllocated()) return {};
  const HWND h = const_cast<TForm&>(m_form).Handle();
  const Size window = GetWindowRect(h).GetSize();
  const Size client = GetClientRect(h).GetSize();
  const FrameMetrics metrics = Metrics();
  return {metrics.margins[0] + (window.width - client.width) / 2,
          metrics.margins[1] + window.height - client.height - metrics.border};
}

WindowPictureParts TsSkinProvider::Parts() const {
  WindowPictureParts parts;
  parts.mode = Mode();
  parts.metrics = Metrics();
  parts.caption = Caption();
  parts.active = m_active;
  parts.formSection = m_data->SkinIndex();
  parts.titleSection = m_titleSection;
  parts.buttonStates = m_buttonStates;
  parts.titleStates = m_titleStates;
  parts.titleStates.resize(TitleButtons.size(), kButtonNormal);
  for (const TsTitleButton& button : TitleButtons) parts.titleGlyphs.push_back(&button.Glyph);
  parts.text = m_form.Caption();
  parts.addedText = AddedTitle.Text;
  parts.alignment = CaptionAlignment;
  parts.grip = GripMode == TGripMode::gmRightBottom;
  return parts;
}

const Bitmap32* TsSkinProvider::Picture() {
  if (!Skinned() || !m_form.HandleAllocated() || m_data->Cache() == nullptr) return nullptr;
  if (m_data->BackgroundChanged() || m_data->Cache()->GetSize() != GetWindowRect(m_form.Handle()).GetSize()) {
    RebuildPicture();
  }
  return m_data->Cache();
}

void TsSkinProvider::RebuildPicture() {
  // A parent being updated keeps the old picture.
  if (m_data->Updating()) return;
  const SkinTables& tables = m_data->SkinManager()->Tables();
  if (m_titleSection < 0) {
    m_titleSection = TitleSkin.empty() ? -1 : tables.SectionIndex(TitleSkin);
    if (m_titleSection < 0) m_titleSection = tables.indices.Of(SkinSectionId::FORMTITLE).section;
  }
  Bitmap32& picture = *m_data->Cache();
  const Size size = GetWindowRect(m_form.Handle()).GetSize();
  if (picture.GetSize() != size) picture = Bitmap32(size.width, size.height);
  WindowPictureParts parts = Parts();
  Bitmap32 icon = TitleIcon.Glyph.IsEmpty() ? GetWindowIcon(m_form.Handle()) : TitleIcon.Glyph;
  parts.icon = &icon;
  PaintWindowPicture(picture, *m_data, parts);
  m_data->AdjustPicture(picture);
  m_data->SetBackgroundChanged(false);
  ++m_pictureBuilds;
}

void TsSkinProvider::MarkChanged() { m_data->SetBackgroundChanged(true); }

void TsSkinProvider::Repaint() {
  MarkChanged();
  if (!m_form.HandleAllocated()) return;
  RedrawWindow(m_form.Handle(), std::nullopt, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// --- hit-testing

LRESULT TsSkinProvider::HitTest(Point at) {
  if (!Skinned()) return ClassicFrame().HitTest(m_form.Handle(), at);
  const HWND h = m_form.Handle();
  const Rect client = GetClientRect(h).Offset(ClientOffset().x, ClientOffset().y);
  if (client.Contains(at)) {
    if (GripMode == TGripMode::gmRightBottom) {
      const TsMaskData* grip = MaskAt(m_data->SkinManager()->Tables(),
                                      m_data->SkinManager()->Tables().indices.Of(GlobalImage::GRIPIMAGE));
      if (grip != nullptr && at.x >= client.right - grip->FrameWidth() &&
          at.y >= client.bottom - grip->FrameHeight()) {
        return HTBOTTOMRIGHT;
      }
    }
    return HTCLIENT;
  }
  const CaptionLayout caption = Caption();
  for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
    const auto kind = static_cast<CaptionButtonKind>(i);
    if (!caption.buttons[i].rect.Contains(at)) continue;
    return CanAct(HitCodeOf(kind)) ? HitCodeOf(kind) : HTCAPTION;
  }
  for (std::size_t i = 0; i < caption.titleButtons.size(); ++i) {
    if (!caption.titleButtons[i].rect.Contains(at)) continue;
    const LRESULT hit = kTitleButtonHit + static_cast<LRESULT>(i);
    return CanAct(hit) ? hit : HTCAPTION;
  }
  const FrameMetrics metrics = Metrics();
  const Size size = GetWindowRect(h).GetSize();
  if (IsSizeable(m_form.BorderStyle()) && !IsZoomed(h) && Mode() == FrameMode::InWindow) {
    const int b = metrics.border;
    const bool left = at.x < b, right = at.x >= size.width - b, top = at.y < b, bottom = at.y >= size.height - b;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  if (!caption.icon.IsEmpty() && caption.icon.Contains(at)) return HTSYSMENU;
  if (!caption.bar.IsEmpty() && at.y < caption.bar.bottom && at.y >= caption.bar.top) return HTCAPTION;
  return HTBORDER;
}

bool TsSkinProvider::CanAct(LRESULT hit) const {
  if (const auto index = TitleOfHit(hit)) {
    return *index < TitleButtons.size() && TitleButtons[*index].Enabled && TitleButtons[*index].Visible;
  }
  const auto kind = ButtonOfHit(hit);
  if (!kind) return false;
  switch (*kind) {
    case CaptionButtonKind::Close:
      return m_systemMenu->VisibleClose() && m_systemMenu->EnabledClose();
    case CaptionButtonKind::Maximize:
      return m_systemMenu->EnabledMax() || (m_systemMenu->VisibleMax() && m_systemMenu->EnabledRestore());
    case CaptionButtonKind::Minimize:
      return m_systemMenu->VisibleMin();
    case CaptionButtonKind::Help:
      return true;
    case CaptionButtonKind::Count:
      break;
  }
  return false;
}

// --- caption buttons: the standard ones and the user's title buttons, known by hit code

Rect TsSkinProvider::ItemRect(const CaptionLayout& caption, LRESULT hit) {
  if (const auto kind = ButtonOfHit(hit)) return caption.buttons[static_cast<std::size_t>(*kind)].rect;
  if (const auto index = TitleOfHit(hit); index && *index < caption.titleButtons.size()) {
    return caption.titleButtons[*index].rect;
  }
  return {};
}

int* TsSkinProvider::ItemState(LRESULT hit) {
  if (const auto kind = ButtonOfHit(hit)) return &m_buttonStates[static_cast<std::size_t>(*kind)];
  if (const auto index = TitleOfHit(hit); index && *index < TitleButtons.size()) {
    m_titleStates.resize(TitleButtons.size(), kButtonNormal);
    return &m_titleStates[*index];
  }
  return nullptr;
}

void TsSkinProvider::SetItemState(LRESULT hit, int state) {
  int* current = ItemState(hit);
  if (current == nullptr || *current == state) return;
  *current = state;
  RepaintItem(hit);
}

void TsSkinProvider::RepaintItem(LRESULT hit) {
  if (!m_form.HandleAllocated() || !IsWindowVisible(m_form.Handle()) || Picture() == nullptr) return;
  const WindowPictureParts parts = Parts();
  const Rect place = ItemRect(parts.caption, hit);
  if (place.IsEmpty()) return;
  if (const auto kind = ButtonOfHit(hit)) PaintCaptionButton(*m_data->Cache(), *m_data, parts, *kind);
  if (const auto index = TitleOfHit(hit)) PaintTitleButton(*m_data->Cache(), *m_data, parts, *index);
  const Region area(place);
  if (std::optional<DeviceContext> dc = GetNonClientDC(m_form.Handle(), &area)) {
    BitBlt(*dc, place.left, place.top, place.Width(), place.Height(), *m_data->Cache(), place.left,
           place.top, SRCCOPY);
  }
}

void TsSkinProvider::SetHot(LRESULT hit) {
  if (m_pressedItem != 0 || hit == m_hotItem) return;
  const LRESULT old = m_hotItem;
  m_hotItem = ItemState(hit) != nullptr ? hit : 0;
  if (old != 0) {
    SetItemState(old, kButtonNormal);
    HideButtonGlow();
  }
  if (m_hotItem != 0) {
    SetItemState(m_hotItem, kButtonHot);
    if (const auto kind = ButtonOfHit(m_hotItem)) ShowButtonGlow(*kind);
  }
}

void TsSkinProvider::ShowButtonGlow(CaptionButtonKind kind) {
  GlowWindows* glows = CurrentGlowWindows();
  const TsSkinManager* manager = m_data->SkinManager();
  if (glows == nullptr || !manager->Effects.AllowGlowing) return;
  const TsSkinData& skin = manager->Tables().skinData;
  // The skin's glow of each standard button: its size key names the image (with "0").
  struct ButtonGlow {
    int size, margin;
    const char* image;
  };
  ButtonGlow glow{0, 0, ""};
  if (kind == CaptionButtonKind::Close) glow = {skin.biconCloseGlow, skin.biconCloseGlowMargin, "BICONCLOSEGLOW0"};
  if (kind == CaptionButtonKind::Maximize) glow = {skin.biconMaxGlow, skin.biconMaxGlowMargin, "BICONMAXGLOW0"};
  if (kind == CaptionButtonKind::Minimize) glow = {skin.biconMinGlow, skin.biconMinGlowMargin, "BICONMINGLOW0"};
  if (glow.size <= 0) return;
  const SkinTables& tables = manager->Tables();
  const int global = tables.indices.Of(SkinSectionId::GLOBALINFO).section;
  const int mask = tables.MaskIndex(global, "GLOBALINFO", glow.image);
  const Rect place = Caption().buttons[static_cast<std::size_t>(kind)].rect;
  const Rect window = GetWindowRect(m_form.Handle());
  m_buttonGlow = glows->Show(tables, mask, glow.margin, m_form.Handle(), place.Offset(window.left, window.top));
}

void TsSkinProvider::HideButtonGlow() {
  if (m_buttonGlow < 0) return;
  if (GlowWindows* glows = CurrentGlowWindows()) glows->Hide(m_buttonGlow);
  m_buttonGlow = -1;
}

void TsSkinProvider::PressButton(LRESULT hit) {
  if (ItemState(hit) == nullptr || !CanAct(hit)) return;
  m_pressedItem = hit;
  m_hotItem = hit;
  s_buttonPressed = true;
  SetItemState(hit, kButtonPressed);
  SetCapture(m_form.Handle());
  if (const auto index = TitleOfHit(hit); index && TitleButtons[*index].OnMouseDown) TitleButtons[*index].OnMouseDown(this);
}

void TsSkinProvider::TrackPressed(Point at) {
  const bool over = ItemRect(Caption(), m_pressedItem).Contains(at);
  SetItemState(m_pressedItem, over ? kButtonPressed : kButtonNormal);
}

void TsSkinProvider::ReleaseButton(Point at) {
  const LRESULT hit = m_pressedItem;
  const bool over = s_buttonPressed && ItemRect(Caption(), hit).Contains(at);
  ResetButtons();
  if (GetCapture() == m_form.Handle()) ReleaseCapture();
  if (over) Act(hit);
}

void TsSkinProvider::ResetButtons() {
  HideButtonGlow();
  const bool wasPressed = m_pressedItem != 0;
  m_pressedItem = 0;
  m_hotItem = 0;
  if (wasPressed) s_buttonPressed = false;
  for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
    SetItemState(HitCodeOf(static_cast<CaptionButtonKind>(i)), kButtonNormal);
  }
  for (std::size_t i = 0; i < m_titleStates.size(); ++i) {
    SetItemState(kTitleButtonHit + static_cast<LRESULT>(i), kButtonNormal);
  }
}

void TsSkinProvider::Act(LRESULT hit) {
  if (const auto index = TitleOfHit(hit)) {
    if (*index < TitleButtons.size() && TitleButtons[*index].OnMouseUp) TitleButtons[*index].OnMouseUp(this);
    return;
  }
  const auto kind = ButtonOfHit(hit);
  if (!kind) return;
  const HWND h = m_form.Handle();
  switch (*kind) {
    case CaptionButtonKind::Minimize: {
      const bool mainForm = Application != nullptr && Application->MainForm() == &m_form;
      SendMessage(h, WM_SYSCOMMAND, IsIconic(h) && !mainForm ? SC_RESTORE : SC_MINIMIZE, 0);
      break;
    }
    case CaptionButtonKind::Maximize:
      SendMessage(h, WM_SYSCOMMAND, IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE, 0);
      break;
    case CaptionButtonKind::Close:
      SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
      // A form that stays (its close was refused, or it only hides) shows its buttons anew.
      if (IsWindow(h) && IsWindowVisible(h)) MarkChanged();
      break;
    case CaptionButtonKind::Help:
      SendMessage(h, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
      break;
    case CaptionButtonKind::Count:
      break;
  }
}

Point TsSkinProvider::WindowPointFromScreen(Point screen) const {
  const Rect window = GetWindowRect(const_cast<TForm&>(m_form).Handle());
  return {screen.x - window.left, screen.y - window.top};
}

void TsSkinProvider::ShowSystemMenu(Point screen) {
  m_systemMenu->UpdateItems();
  m_systemMenu->Popup(screen.x, screen.y);
}

// --- skin changes

void TsSkinProvider::HandleCreated() {
  if (Skinned()) SkinSet();
}

void TsSkinProvider::SkinSet() {
  if (!m_form.HandleAllocated()) return;
  m_data->UpdateIndexes();
  m_titleSection = -1;
  m_active = m_form.Active() ? 1 : 0;
  if (!m_frameSet) {
    m_wasOpaque = (m_form.ControlStyle() & csOpaque) != 0;
    // The provider paints the client background from the picture.
    if (PaintsClient()) m_form.SetControlStyle(m_form.ControlStyle() | csOpaque);
    m_frameSet = true;
    SetWindowFrame(m_form.Handle(), m_frame.get());
  }
  MarkChanged();
  UpdateShape();
  Repaint();
}

void TsSkinProvider::SkinRemoved() {
  if (!m_frameSet) return;
  m_frameSet = false;
  if (!m_wasOpaque) m_form.SetControlStyle(m_form.ControlStyle() & ~csOpaque);
  m_titleSection = -1;
  m_hotItem = m_pressedItem = 0;
  m_buttonStates.fill(kButtonNormal);
  m_titleStates.clear();
  if (m_form.HandleAllocated()) {
    SetWindowRgn(m_form.Handle(), std::nullopt, false);
    SetWindowFrame(m_form.Handle(), nullptr);
    if (UseGlobalColor) m_form.SetColor(clBtnFace);
    RedrawWindow(m_form.Handle(), std::nullopt, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (m_data->Cache() != nullptr) *m_data->Cache() = Bitmap32();
}

void TsSkinProvider::UpdateShape() {
  // Rounded frame corners: the window takes the outline of the frame's border mask.
  const SkinTables& tables = m_data->SkinManager()->Tables();
  const Size size = GetWindowRect(m_form.Handle()).GetSize();
  if (MaskAt(tables, m_data->BorderIndex()) == nullptr || Mode() != FrameMode::InWindow ||
      m_form.BorderStyle() == TFormBorderStyle::bsNone) {
    SetWindowRgn(m_form.Handle(), std::nullopt, false);
    return;
  }
  Region shape = BorderShape(tables, m_data->BorderIndex(), m_active, size);
  if (shape.SameArea(Region(Rect::FromSize(0, 0, size.width, size.height)))) {
    SetWindowRgn(m_form.Handle(), std::nullopt, false);
  } else {
    SetWindowRgn(m_form.Handle(), std::move(shape), false);
  }
}

bool TsSkinProvider::SkinMessage(TMessage& message) {
  switch (SkinCodeOf(message.WParam)) {
    case SkinCode::NewSkin:
    case SkinCode::Refresh:
      // Glows of the old look go (they are drawn again when the pointer next enters).
      if (GlowWindows* glows = CurrentGlowWindows()) glows->HideAll();
      m_link->previous(message);
      m_data->HandleSkinMessage(message);
      SkinSet();
      return true;
    case SkinCode::RemoveSkin:
      if (GlowWindows* glows = CurrentGlowWindows()) glows->HideAll();
      m_link->previous(message);
      m_data->HandleSkinMessage(message);
      SkinRemoved();
      return true;
    case SkinCode::QuerySkinned:
      message.Result = 1;
      return true;
    case SkinCode::QuerySectionIndex:
      if (message.LParam != 0) *reinterpret_cast<int*>(message.LParam) = m_data->SkinIndex();
      message.Result = 1;
      return true;
    case SkinCode::QueryBackground: {
      const Bitmap32* picture = PaintsClient() ? Picture() : nullptr;
      if (picture == nullptr || message.LParam == 0) return false;
      auto& query = *reinterpret_cast<TacBGInfo*>(message.LParam);
      const Point offset = ClientOffset();
      query.kind = BackgroundKind::Image;
      query.image = picture;
      query.offset = {query.offset.x + offset.x, query.offset.y + offset.y};
      query.color = m_data->SkinManager()->Tables().colors.global;
      message.Result = 1;
      return true;
    }
    default:
      return false;
  }
}

// --- the form's messages

bool TsSkinProvider::FrameReachesClient() const {
  const TsMaskData* border = MaskAt(m_data->SkinManager()->Tables(), m_data->BorderIndex());
  if (border == nullptr) return false;
  const int frame = Metrics().border;
  return border->MarginLeft() > frame || border->MarginTop() > frame || border->MarginRight() > frame ||
         border->MarginBottom() > frame;
}

bool TsSkinProvider::PaintsClient() const {
  // A form whose colour is see-through (the markers) keeps its own background: the skin's
  // would fill what must stay transparent.
  return DrawClientArea && !m_form.TransparentColor();
}

void TsSkinProvider::Paint() {
  const HWND h = m_form.Handle();
  PAINTSTRUCT ps;
  DeviceContext& dc = BeginPaint(h, ps);
  const Bitmap32* picture = Picture();
  if (picture != nullptr) {
    const Point offset = ClientOffset();
    const Rect client = GetClientRect(h);
    BitBlt(dc, 0, 0, client.Width(), client.Height(), *picture, offset.x, offset.y, SRCCOPY);
  } else {
    FillRect(dc, GetClientRect(h), ColorToRGB(m_form.Color()));
  }
  // The form's own painting (its Paint and window-less controls) over the background.
  TMessage print{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(&dc), PRF_CLIENT, 0};
  m_link->previous(print);
  EndPaint(h, ps);
}

void TsSkinProvider::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN && SkinMessage(message)) return;
  if (!m_frameSet) {
    m_link->previous(message);
    if (message.Msg == WM_CREATE) HandleCreated();
    return;
  }
  switch (message.Msg) {
    case WM_PAINT:
      if (!PaintsClient()) break;
      Paint();
      return;
    case WM_NCACTIVATE:
      m_active = message.WParam != 0 ? 1 : 0;
      MarkChanged();
      UpdateShape();
      m_link->previous(message);
      // A frame image wider than the frame shows its inner edge in the client area too.
      if (PaintsClient() && FrameReachesClient()) InvalidateRect(m_form.Handle(), std::nullopt, false);
      return;
    case WM_SETTEXT:
    case WM_SETICON:
      MarkChanged();
      break;
    case WM_WINDOWPOSCHANGED: {
      const Bitmap32* cache = m_data->Cache();
      const Size size = GetWindowRect(m_form.Handle()).GetSize();
      m_link->previous(message);
      if (cache != nullptr && cache->GetSize() != size) {
        MarkChanged();
        UpdateShape();
      }
      return;
    }
    case WM_NCMOUSEMOVE:
      SetHot(static_cast<LRESULT>(message.WParam));
      m_link->previous(message);
      return;
    case WM_MOUSEMOVE:
      if (m_pressedItem != 0) {
        TrackPressed(WindowPointFromScreen(ClientToScreen(m_form.Handle(), PointFromLParam(message.LParam))));
        message.Result = 0;
        return;
      }
      SetHot(0);
      break;
    case CM_MOUSELEAVE:
      SetHot(0);
      break;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: {
      const auto hit = static_cast<LRESULT>(message.WParam);
      // A quick second press on a button is a press like the first.
      if (ItemState(hit) != nullptr) {
        PressButton(hit);
        message.Result = 0;
        return;
      }
      if (hit == HTSYSMENU && message.Msg == WM_NCLBUTTONDOWN) {
        const Rect window = GetWindowRect(m_form.Handle());
        const CaptionLayout caption = Caption();
        ShowSystemMenu({window.left + Metrics().border, window.top + caption.bar.bottom});
        message.Result = 0;
        return;
      }
      if (hit == HTCAPTION && message.Msg == WM_NCLBUTTONDOWN && IsIconic(m_form.Handle())) {
        SendMessage(m_form.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        message.Result = 0;
        return;
      }
      break;
    }
    case WM_LBUTTONUP:
      if (m_pressedItem != 0) {
        ReleaseButton(WindowPointFromScreen(ClientToScreen(m_form.Handle(), PointFromLParam(message.LParam))));
        message.Result = 0;
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (m_pressedItem != 0 && WParamToHandle(static_cast<WPARAM>(message.LParam)) != m_form.Handle()) {
        ResetButtons();
      }
      break;
    case WM_NCRBUTTONUP: {
      const auto hit = static_cast<LRESULT>(message.WParam);
      if (hit == HTCAPTION || hit == HTSYSMENU) {
        ShowSystemMenu(PointFromLParam(message.LParam));
        message.Result = 0;
        return;
      }
      break;
    }
    case WM_NCDESTROY:
      m_link->previous(message);
      m_frameSet = false;
      return;
    default:
      break;
  }
  m_link->previous(message);
}

}  // namespace tappomat
