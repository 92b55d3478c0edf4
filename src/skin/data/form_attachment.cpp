#include "skin/data/form_attachment.h"

#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_manager_options.h"
#include "skin/data/skin_message.h"
#include "ui/application.h"
#include "ui/form.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

// Bits of a tag that say nothing about auxiliary windows.
constexpr std::intptr_t kIgnoredTagBits = 0x1 | 0x20 | 0x40;

// The form whose window `h` is, or, while a window is being made, the form making it (its
// handle is not set yet).
TForm* FormOf(HWND h, bool creating) {
  TWinControl* control = creating ? TWinControl::CreatingControl() : TWinControl::FromHandle(h);
  return dynamic_cast<TForm*>(control);
}

}  // namespace

TacFormAttachment::TacFormAttachment(TsSkinManager& manager, ProviderFactory factory)
    : m_manager(manager), m_factory(std::move(factory)) {
  m_hook = SetWindowsHookEx(WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) {
    return Hook(code, wParam, lParam);
  });
}

TacFormAttachment::~TacFormAttachment() {
  if (m_hook != 0) UnhookWindowsHookEx(m_hook);
  // Freeing a provider makes it forget itself: work on a copy.
  const std::vector<TacProvider> providers = m_providers;
  m_providers.clear();
  for (const TacProvider& holder : providers) holder.provider->Free();
}

LRESULT TacFormAttachment::Hook(int code, WPARAM wParam, LPARAM) {
  if (code != HCBT_CREATEWND && code != HCBT_ACTIVATE) return 0;
  const HWND h = WParamToHandle(wParam);
  if (TForm* form = FormOf(h, code == HCBT_CREATEWND)) Seen(*form);
  return 0;
}

void TacFormAttachment::AttachExistingForms() {
  if (Application == nullptr) return;
  for (TForm* form : std::vector<TForm*>(Application->Forms())) Seen(*form);
}

bool TacFormAttachment::Eligible(const TForm& form) const {
  if ((form.Tag() & ~kIgnoredTagBits) == (kAuxiliaryWindowTag & ~kIgnoredTagBits)) return false;
  const std::string className = form.ClassName();
  if (std::find(ExcludedClasses.begin(), ExcludedClasses.end(), className) != ExcludedClasses.end()) {
    return false;
  }
  const unsigned rule = className == "TMessageForm" ? srStdDialogs : srStdForms;
  return (m_manager.SkinningRules() & rule) != 0;
}

TComponent* TacFormAttachment::ProviderOf(const TForm& form) const {
  const auto it = std::find_if(m_providers.begin(), m_providers.end(),
                               [&form](const TacProvider& holder) { return holder.form == &form; });
  return it != m_providers.end() ? it->provider : nullptr;
}

void TacFormAttachment::Seen(TForm& form) {
  if ((Application != nullptr && Application->Terminated()) || ProviderOf(form) != nullptr) return;
  if ((form.ComponentState() & csDestroying) || !Eligible(form)) return;
  // A form with a provider of its own (or skinned some other way) answers that it is.
  if (form.HandleAllocated() &&
      SendMessage(form.Handle(), WM_SKIN, SkinWParam(SkinCode::QuerySkinned)) != 0) {
    return;
  }
  if (TComponent* provider = m_factory(form, m_manager)) m_providers.push_back({&form, provider});
}

void TacFormAttachment::Forget(const TComponent* provider) {
  std::erase_if(m_providers, [provider](const TacProvider& holder) { return holder.provider == provider; });
}

}  // namespace tappomat
