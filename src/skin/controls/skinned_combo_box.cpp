#include "skin/controls/skinned_combo_box.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "gdi/system_metrics.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "skin/common/background_query.h"
#include "skin/common/cache_paint.h"
#include "skin/controls/edit_skin.h"
#include "skin/paint/focus_rect.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/controls/skinned_list_item.h"
#include "skin/common/caption_look.h"
#include "skin/data/skin_message.h"
#include "win/paint.h"

namespace tappomat {
namespace {

constexpr int kFrame = 2;  // the ring of the box's border

unsigned VerticalFlags(TsVerticalAlignment alignment) {
  switch (alignment) {
    case TsVerticalAlignment::taAlignBottom: return DT_BOTTOM;
    case TsVerticalAlignment::taVerticalCenter: return DT_VCENTER;
    default: return DT_TOP;
  }
}

void CopyRect(DeviceContext& dc, const Bitmap32& from, const Rect& r) {
  if (!r.IsEmpty()) BitBlt(dc, r.left, r.top, r.Width(), r.Height(), from, r.left, r.top, SRCCOPY);
}

}  // namespace

TsComboBox::TsComboBox(TComponent* owner)
    : TComboBox(owner), m_data(this, true, kEditKind), m_boundLabel(TsBoundLabel::CreateFor(this)) {
  m_data.SetSkinSection("COMBOBOX");
  SetDropDownCount(16);
  HookEdit();
}

TsComboBox::~TsComboBox() {
  // The editor outlives this part of the box: it gets its own procedure back.
  if (m_hookedEdit != nullptr) m_hookedEdit->WindowProc = m_editProc;
  m_hookedEdit = nullptr;
}

void TsComboBox::Restyle() {
  m_data.Invalidate();
  if (EditControl() != nullptr) EditControl()->Invalidate();
}

void TsComboBox::SetDisabledKind(TsDisabledKind kinds) {
  m_disabledKind = kinds;
  Restyle();
}

void TsComboBox::SetReadOnly(bool on) {
  m_readOnly = on;
  Restyle();
}

void TsComboBox::SetAlignment(TAlignment alignment) {
  m_alignment = alignment;
  Restyle();
}

void TsComboBox::SetVerticalAlignment(TsVerticalAlignment alignment) {
  m_verticalAlignment = alignment;
  Restyle();
}

// --- geometry and state

Rect TsComboBox::SkinButtonRect() const {
  if (Style() == TComboBoxStyle::csSimple) return {};
  const int size = m_data.SkinManager() != nullptr ? m_data.SkinManager()->ScrollsOptions.ScrollSize : -1;
  const int width = (size >= 0 ? size : GetSystemMetrics(SM_CXVSCROLL)) + 1;
  const int left = Width() - width - kFrame;
  return {left, kFrame, left + width, Height() - kFrame};
}

Rect TsComboBox::SkinTextRect() const {
  const Rect button = SkinButtonRect();
  const int right = button.IsEmpty() ? Width() - 3 : button.left - 1;
  return {3, 3, right, Height() - 3};
}

int TsComboBox::ButtonState() const {
  if (m_listDown) return 2;
  return m_data.ControlIsActive() ? 1 : 0;
}

bool TsComboBox::HasFocus() const {
  return Focused() || (EditControl() != nullptr && EditControl()->Focused());
}

bool TsComboBox::EditPaintsNatively() const { return HasFocus() && Enabled() && !m_readOnly; }

int TsComboBox::ArrowMask() const {
  if (!m_data.Skinned()) return -1;
  const SkinTables& tables = m_data.SkinManager()->Tables();
  const int button = tables.indices.Of(SkinSectionId::COMBOBTN).glyphMask;
  if (button >= 0) return button;
  return tables.MaskIndex(m_data.SkinIndex(), m_data.SkinSection(), "GLYPHMASK");
}

// --- the cache

void TsComboBox::DrawTextItem(Bitmap32& cache, bool active) {
  const Rect area = SkinTextRect();
  if (area.IsEmpty()) return;
  const SkinTables& tables = m_data.SkinManager()->Tables();
  const bool selected = Style() == TComboBoxStyle::csDropDownList && HasFocus();
  // The item is drawn on a picture of its own size, over the box's look at that place.
  Bitmap32 item(area.Width(), area.Height());
  {
    DeviceContext dc(item);
    BitBlt(dc, 0, 0, area.Width(), area.Height(), cache, area.left, area.top, SRCCOPY);
  }
  const int selection = tables.indices.Of(SkinSectionId::SELECTION).section;
  SkinnedTextLook look;
  if (selected) {
    if (selection >= 0) {
      SectionPaint paint;
      paint.sectionIndex = selection;
      paint.paintState = 1;
      ParentBackground behind;
      behind.image = &cache;
      behind.offset = area.TopLeft();
      behind.ready = true;
      PaintSection(item, item.Bounds(), tables, paint, behind);
    } else {
      DeviceContext dc(item);
      FillRect(dc, item.Bounds(), tables.colors.highlight[0]);
    }
    look.text = tables.colors.highlightFont[0];
  } else {
    const TsGeneralData* section = m_data.Section();
    const bool hot = active && section != nullptr && section->states >= 2;
    look = SkinnedTextLookOf(m_data, Enabled(), hot, ColorToRGB(Font().Color()));
  }
  {
    DeviceContext dc(item);
    DrawSkinnedText(dc, Font().ToLogicalFont(), Text(), item.Bounds(),
                    DT_SINGLELINE | DT_NOPREFIX | VerticalFlags(m_verticalAlignment) |
                        AlignmentDrawTextFlags(m_alignment),
                    look);
  }
  if (selected && selection < 0) DrawDottedFocusRect(item, item.Bounds(), look.text);
  DeviceContext dc(cache);
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), item, 0, 0, SRCCOPY);
}

bool TsComboBox::RebuildCache() {
  if (m_data.Section() == nullptr) return false;
  const bool active = m_data.ControlIsActive();
  const std::optional<ParentBackground> parent = PaintSectionIntoCache(m_data, active ? 1 : 0);
  if (!parent) return false;
  Bitmap32& cache = *m_data.Cache();
  const SkinTables& tables = m_data.SkinManager()->Tables();
  DrawTextItem(cache, active);
  const Rect button = SkinButtonRect();
  const int state = ButtonState();
  if (!button.IsEmpty()) {
    const int section = tables.indices.Of(SkinSectionId::COMBOBTN).section;
    if (section >= 0) {
      SectionPaint paint;
      paint.sectionIndex = section;
      paint.paintState = state;
      ParentBackground behind;
      behind.fill = ColorBehind(*this);
      PaintSection(cache, button, tables, paint, behind);
    }
    const int mask = ArrowMask();
    if (const TsMaskData* arrow = MaskAt(tables, mask)) {
      const Point at{button.left + (button.Width() - arrow->FrameWidth()) / 2,
                     (Height() - arrow->FrameHeight()) / 2};
      DrawImageMask(cache, at, state, tables, mask);
    }
  }
  FinishCache(m_data, state, *parent, m_disabledKind);
  m_cachedText = Text();
  return true;
}

void TsComboBox::CreateHandle() {
  TComboBox::CreateHandle();
  m_data.UpdateColors(false);
}

void TsComboBox::PaintWindow(DeviceContext& dc) {
  if (EditControl() != m_hookedEdit) HookEdit();
  if (!m_data.Skinned(true)) {
    TComboBox::PaintWindow(dc);
    return;
  }
  if (!m_data.Updating() && (m_data.CacheStale(ButtonState()) || m_cachedText != Text())) RebuildCache();
  const Bitmap32& cache = *m_data.Cache();
  if (cache.IsEmpty()) return;
  if (Style() == TComboBoxStyle::csDropDown && EditPaintsNatively()) {
    // The editor shows the text itself: the ring and the button come from the cache.
    const int w = cache.Width();
    const int h = cache.Height();
    CopyRect(dc, cache, {0, 0, w, kFrame});
    CopyRect(dc, cache, {0, h - kFrame, w, h});
    CopyRect(dc, cache, {0, kFrame, kFrame, h - kFrame});
    CopyRect(dc, cache, {w - kFrame, kFrame, w, h - kFrame});
    CopyRect(dc, cache, SkinButtonRect());
    return;
  }
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache, 0, 0, SRCCOPY);
}

// --- the embedded editor

void TsComboBox::HookEdit() {
  if (m_hookedEdit != nullptr) m_hookedEdit->WindowProc = m_editProc;
  m_hookedEdit = EditControl();
  m_editProc = nullptr;
  if (m_hookedEdit == nullptr) return;
  m_editProc = m_hookedEdit->WindowProc;
  m_hookedEdit->FreeNotification(this);
  m_hookedEdit->WindowProc = [this](TMessage& m) { EditMessage(m); };
  FitEdit();
}

void TsComboBox::PaintEditFromCache() {
  TEdit& edit = *m_hookedEdit;
  PAINTSTRUCT ps;
  DeviceContext& dc = BeginPaint(edit.Handle(), ps);
  if (!m_data.Updating() && (m_data.CacheStale(ButtonState()) || m_cachedText != Text())) RebuildCache();
  const Bitmap32& cache = *m_data.Cache();
  if (!cache.IsEmpty()) BitBlt(dc, 0, 0, edit.Width(), edit.Height(), cache, edit.Left(), edit.Top(), SRCCOPY);
  EndPaint(edit.Handle(), ps);
}

bool TsComboBox::SwallowsKey(const TMessage& message) const {
  if (!m_readOnly) return false;
  if (message.Msg == WM_CHAR) return true;
  if (message.Msg != WM_KEYDOWN) return false;
  const WPARAM key = message.WParam;
  const bool navigation = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                          key == VK_HOME || key == VK_END || key == VK_LEFT || key == VK_RIGHT ||
                          key == VK_F4 || key == VK_BACK || key == VK_DELETE;
  const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  return navigation || letter;
}

void TsComboBox::EditMessage(TMessage& m) {
  TEdit& edit = *m_hookedEdit;
  if (m.Msg == WM_PAINT && m_data.Skinned(true) && !EditPaintsNatively() && edit.HandleAllocated()) {
    PaintEditFromCache();
    m.Result = 0;
    return;
  }
  if (SwallowsKey(m)) {
    m.Result = 0;
    return;
  }
  const TWndMethod proc = m_editProc;  // the call may unhook the editor
  proc(m);
  if (!m_data.Skinned()) return;
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    {
      // The editor holds the box's focus: the box takes the focus look (and, with a
      // two-state section, its hot colours) as if it held the focus itself.
      TMessage focus{};
      focus.Msg = HasFocus() ? WM_SETFOCUS : WM_KILLFOCUS;
      m_data.CommonMessage(focus);
      Restyle();
      break;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // The editor covers most of the box: the pointer over it is over the box.
      m_data.SetMouseAbove(m.Msg == CM_MOUSEENTER);
      Restyle();
      break;
    default:
      break;
  }
}

void TsComboBox::FitEdit() {
  TEdit* edit = EditControl();
  if (edit == nullptr || Style() == TComboBoxStyle::csSimple) return;
  const Rect button = m_data.Skinned(true) ? SkinButtonRect() : ButtonRect();
  const int right = std::max(button.left, edit->Left());
  if (edit->Left() + edit->Width() != right)
    edit->SetBounds(edit->Left(), edit->Top(), right - edit->Left(), edit->Height());
}

void TsComboBox::SetBounds(int left, int top, int width, int height) {
  TComboBox::SetBounds(left, top, width, height);
  FitEdit();
}

void TsComboBox::Notification(TComponent* component, TOperation operation) {
  TComboBox::Notification(component, operation);
  if (operation == TOperation::opRemove && component == m_hookedEdit) {
    m_hookedEdit = nullptr;
    m_editProc = nullptr;
  }
}

// --- the list

void TsComboBox::DropDown() {
  m_listDown = true;
  TComboBox::DropDown();
  Restyle();
}

void TsComboBox::CloseUp() {
  m_listDown = false;
  TComboBox::CloseUp();
  Restyle();
}

void TsComboBox::DropDownListShown(HWND list) {
  m_retiredList = std::move(m_listAdapter);
  TComboDropList& dropList = DropList();
  if (!m_data.Skinned(true)) {
    dropList.PaintLine = nullptr;
    dropList.FieldColor.reset();
    return;
  }
  // The list's frame, scroll bar and field come from the skin; its lines are skinned list
  // lines, the hot one in the selection's look.
  m_listAdapter = std::make_unique<TacComboListWnd>(list, nullptr, "EDIT", m_data.SkinManager());
  m_listAdapter->Attach(true);
  TacComboListWnd* adapter = m_listAdapter.get();
  dropList.PaintLine = [this, adapter](DeviceContext& dc, const Rect& rect, int index, bool hot) {
    SkinnedListItem item;
    item.text = Items()[index];
    item.selected = hot;
    item.focused = hot;
    item.field = adapter->AppliedColor();
    item.font = Font().ToLogicalFont();
    DrawSkinnedListItem(dc, rect, adapter->SkinData(), item);
  };
  dropList.FieldColor = adapter->AppliedColor();
  InvalidateRect(list, std::nullopt, true);
}

// --- messages

void TsComboBox::WndProc(TMessage& message) {
  if (EditControl() != m_hookedEdit) HookEdit();
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    const bool handled = m_data.HandleCachedSkinMessage(message);
    if (code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh) {
      // The standard layout first; with a skin the editor then keeps clear of its button.
      TComboBox::SetBounds(Left(), Top(), Width(), Height());
      FitEdit();
      if (EditControl() != nullptr) EditControl()->Invalidate();
    }
    if (handled) return;
  } else if (m_data.Skinned()) {
    if (m_data.CommonMessage(message)) return;
    if (SwallowsKey(message)) {
      message.Result = 0;
      return;
    }
  }
  TComboBox::WndProc(message);
  if (m_data.Skinned()) {
    switch (message.Msg) {
      case CM_MOUSEENTER:
      case CM_MOUSELEAVE:
      case CM_ENABLEDCHANGED:
      case CM_FONTCHANGED:
      case CM_VISIBLECHANGED:
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Restyle();
        break;
      default:
        break;
    }
  }
  if (message.Msg == WM_SIZE || message.Msg == CM_FONTCHANGED) FitEdit();
  FollowBoundLabel(m_boundLabel, message);
}

}  // namespace tappomat
