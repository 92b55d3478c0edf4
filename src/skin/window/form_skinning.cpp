#include "skin/window/form_skinning.h"

#include "skin/data/skin_manager.h"
#include "skin/window/glow_effect.h"
#include "skin/window/skin_provider.h"

namespace tappomat {

void SkinEveryForm(TsSkinManager& manager) {
  // The glows of controls and caption buttons live as long as the manager.
  Create<TacGlowWindows>(&manager);
  manager.SetProviderFactory([](TForm& form, TsSkinManager& owner) -> TComponent* {
    if (TsSkinProvider::Of(form) != nullptr) return nullptr;
    auto* provider = Create<TsSkinProvider>(&form);
    provider->SkinData().SetSkinManager(&owner);
    // Attached by the manager: the form keeps its own colour and system menu.
    provider->UseGlobalColor = false;
    provider->MakeSkinMenu = false;
    return provider;
  });
}

}  // namespace tappomat
