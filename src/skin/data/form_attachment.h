#pragma once
// TacFormAttachment: how the skin manager skins every form of the program without any
// form asking for it. It watches window creation and activation in the program (a window
// hook) and, for each form it has not seen, asks the form-skinning part (skin/window,
// which registers a factory) to attach a provider. The rules that decide which forms are
// skinned live here: forms by srStdForms, the standard dialogs (class "TMessageForm") by
// srStdDialogs, never a form whose tag marks an auxiliary window (-98, bits 0, 5 and 6
// ignored) or whose class is in the exclusion list, never while the program is ending,
// never a window that already answers that it is skinned.
//
// TacProvider is what the manager keeps per skinned form: the provider component the
// factory made (owned by the form, which destroys it with itself). A provider tells the
// attachment when it goes (Forget), so that a holder never outlives its provider; holders
// whose provider is still there when the manager goes free it, giving the form its
// classic frame back.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win/window_system.h"

namespace tappomat {

class TComponent;
class TForm;
class TsSkinManager;

struct TacProvider {
  TForm* form = nullptr;
  TComponent* provider = nullptr;
};

// Makes the provider of a form (null: the form cannot be skinned).
using ProviderFactory = std::function<TComponent*(TForm& form, TsSkinManager& manager)>;

// The tag that marks the program's auxiliary windows (animation and border windows).
inline constexpr std::intptr_t kAuxiliaryWindowTag = -98;

class TacFormAttachment {
 public:
  TacFormAttachment(TsSkinManager& manager, ProviderFactory factory);
  ~TacFormAttachment();
  TacFormAttachment(const TacFormAttachment&) = delete;
  TacFormAttachment& operator=(const TacFormAttachment&) = delete;

  // Attaches providers to the forms that exist already (their windows were made before the
  // hook was there).
  void AttachExistingForms();
  // Whether the rules let `form` be skinned (a loading form too: it is skinned as soon as
  // its window exists).
  bool Eligible(const TForm& form) const;
  // The provider a form got; null when none.
  TComponent* ProviderOf(const TForm& form) const;
  const std::vector<TacProvider>& Providers() const { return m_providers; }
  // The provider of a holder is going: drop the holder.
  void Forget(const TComponent* provider);

  // Class names of forms that are never skinned.
  std::vector<std::string> ExcludedClasses;

 private:
  LRESULT Hook(int code, WPARAM wParam, LPARAM);
  void Seen(TForm& form);

  TsSkinManager& m_manager;
  ProviderFactory m_factory;
  std::vector<TacProvider> m_providers;
  HHOOK m_hook = 0;
};

}  // namespace tappomat
