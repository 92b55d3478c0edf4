#include "skin/adapters/control_adapter.h"

#include <algorithm>

#include "skin/adapters/edit_window.h"
#include "skin/adapters/grid_window.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/label.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

// The tag of the engine's own helper windows, which are never adapted (bits 0, 5 and 6
// of a tag are free for their owners).
constexpr std::intptr_t kEngineWindowTag = -98;
constexpr std::intptr_t kTagFreeBits = 0x1 | 0x20 | 0x40;
// The kind code an edit adapter gives the skin data it makes for a control.
constexpr int kEditAdaptedKind = 231;

enum ThirdList : int { kEdits = 0, kGrids = 5 };

bool AnswersSkinned(TWinControl& control) {
  return control.Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)) == 1;
}

bool IsSkinnedLabel(const TComponent& component) {
  // Skinned labels answer the skin themselves; their class names start with "Ts".
  return component.ClassName().rfind("Ts", 0) == 0;
}

// What the form's WindowProc is while the adapter listens.
struct FormThunk {
  TacCtrlAdapter* adapter;
  TControl::TWndMethod* previous;
  void operator()(TMessage& message) const {
    const bool skin = message.Msg == WM_SKIN;
    const SkinCode code = skin ? SkinCodeOf(message.WParam) : SkinCode{};
    // The skin goes: hand the controls back before the form hears it.
    if (skin && code == SkinCode::RemoveSkin) adapter->FormMessage(message);
    if (*previous) (*previous)(message);
    if (!(skin && code == SkinCode::RemoveSkin)) adapter->FormMessage(message);
  }
};

}  // namespace

TacCtrlAdapter::TacCtrlAdapter(TComponent* owner, TsSkinManager* manager)
    : TComponent(owner), m_form(&dynamic_cast<TForm&>(*owner)), m_manager(manager) {
  m_previousFormMethod = m_form->WindowProc;
  m_form->WindowProc = FormThunk{this, &m_previousFormMethod};
  if (manager != nullptr) manager->FreeNotification(this);
}

TacCtrlAdapter::~TacCtrlAdapter() {
  RemoveAll();
  const auto* ours = m_form->WindowProc.target<FormThunk>();
  if (ours != nullptr && ours->adapter == this) m_form->WindowProc = m_previousFormMethod;
}

void TacCtrlAdapter::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == m_manager) m_manager = nullptr;
  std::erase_if(m_labels, [component](const LabelColor& l) { return l.label == component; });
  std::erase_if(m_items, [component](const Item& item) { return item.control == component; });
}

TsSkinManager* TacCtrlAdapter::Manager() const {
  return m_manager != nullptr ? m_manager : TsSkinManager::DefaultManager();
}

bool TacCtrlAdapter::Active() const {
  const TsSkinManager* manager = Manager();
  // A new skin is announced before it counts as applied: a loaded skin is enough.
  return manager != nullptr && manager->SkinLoaded() && (manager->SkinningRules() & srThirdParty);
}

TacMainWnd* TacCtrlAdapter::AdapterOf(const TControl* control) const {
  for (const Item& item : m_items) {
    if (item.control == control && item.adapter && !item.adapter->Removed()) return item.adapter.get();
  }
  return nullptr;
}

bool TacCtrlAdapter::Supported(const TComponent& component) const {
  if ((component.Tag() & ~kTagFreeBits) == (kEngineWindowTag & ~kTagFreeBits)) return false;
  if (const auto* label = dynamic_cast<const TLabel*>(&component)) return !IsSkinnedLabel(*label);
  const auto* windowed = dynamic_cast<const TWinControl*>(&component);
  if (windowed == nullptr || !windowed->HandleAllocated()) return false;
  if (AnswersSkinned(const_cast<TWinControl&>(*windowed))) return false;
  return Manager()->ThirdParty.ListOf(component.ClassName()) >= 0;
}

void TacCtrlAdapter::Scan(TWinControl* start) {
  if (m_scanning || !Active()) return;
  m_scanning = true;
  DropRemoved();
  ScanOne(start != nullptr ? *start : *m_form, start == nullptr || start == m_form);
  m_scanning = false;
}

void TacCtrlAdapter::ScanOne(TWinControl& start, bool isForm) {
  // A control's own components are its parts (a combo box's edit, a spin edit's buttons):
  // they are drawn with it, never on their own. The form's components are its controls.
  if (isForm) {
    for (TComponent* component : start.Components()) Consider(*component);
  }
  for (int i = 0; i < start.ControlCount(); ++i) {
    TControl* child = start.Controls(i);
    if (child->Owner() == &start && !isForm) continue;
    Consider(*child);
  }
}

void TacCtrlAdapter::Consider(TComponent& component) {
  if (Supported(component)) {
    if (auto* label = dynamic_cast<TLabel*>(&component)) {
      AddLabel(*label);
    } else if (auto* windowed = dynamic_cast<TWinControl*>(&component)) {
      AddWindowed(*windowed);
    }
  }
  auto* windowed = dynamic_cast<TWinControl*>(&component);
  if (windowed != nullptr && windowed->HandleAllocated() && windowed->Parent() != nullptr && windowed != m_form) {
    ScanOne(*windowed, false);
  }
}

void TacCtrlAdapter::AddWindowed(TWinControl& control) {
  if (control.Parent() == nullptr || AdapterOf(&control) != nullptr) return;
  const int list = Manager()->ThirdParty.ListOf(control.ClassName());
  Item item{&control, std::make_unique<TsCommonData>(&control, true, kEditAdaptedKind), nullptr};
  // Both adapters that exist paint the field from EDIT unless told otherwise.
  item.data->SetSkinSection("EDIT");
  item.data->SetSkinManager(m_manager);
  switch (list) {
    case kEdits:
      item.adapter = std::make_unique<TacEditWnd>(control.Handle(), item.data.get(), "EDIT", m_manager);
      break;
    case kGrids:
      item.adapter = std::make_unique<TacGridWnd>(control.Handle(), item.data.get(), "EDIT", m_manager);
      break;
    default:
      // The other lists name kinds of control that no window of the program has.
      return;
  }
  item.adapter->Attach(true);
  control.FreeNotification(this);
  m_items.push_back(std::move(item));
  control.Invalidate();
}

void TacCtrlAdapter::AddLabel(TControl& label) {
  const bool known = std::any_of(m_labels.begin(), m_labels.end(),
                                 [&label](const LabelColor& l) { return l.label == &label; });
  if (!known) {
    m_labels.push_back({&label, label.Font().Color(), label.ParentFont()});
    label.FreeNotification(this);
  }
  label.Font().SetColor(static_cast<TColor>(Manager()->Tables().colors.globalFont));
}

void TacCtrlAdapter::DropRemoved() {
  std::erase_if(m_items, [](const Item& item) { return !item.adapter || item.adapter->Removed(); });
}

void TacCtrlAdapter::RemoveAll() {
  // Adapters first (they give the controls their colours back), then their skin data.
  for (Item& item : m_items) {
    if (item.adapter) item.adapter->Detach();
    item.adapter.reset();
  }
  m_items.clear();
  for (const LabelColor& l : m_labels) {
    if (l.label->ComponentState() & csDestroying) continue;
    if (l.parentFont && l.label->ParentFont()) {
      if (l.label->Parent() != nullptr) l.label->Font().SetColor(l.label->Parent()->Font().Color());
    } else if (l.parentFont) {
      l.label->SetParentFont(true);
    } else {
      l.label->Font().SetColor(l.color);
    }
  }
  m_labels.clear();
}

void TacCtrlAdapter::FormMessage(const TMessage& message) {
  if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) {
    Scan();
    return;
  }
  if (message.Msg != WM_SKIN) return;
  const auto* from = reinterpret_cast<const TsSkinManager*>(message.LParam);
  switch (SkinCodeOf(message.WParam)) {
    case SkinCode::NewSkin:
    case SkinCode::Refresh:
      if (from == nullptr || from == Manager()) Scan();
      break;
    case SkinCode::RemoveSkin:
      if (from == nullptr || from == Manager()) RemoveAll();
      break;
    case SkinCode::RescanControls:
      Scan(reinterpret_cast<TWinControl*>(message.LParam));
      break;
    default:
      break;
  }
}

}  // namespace tappomat
