#include "app/skin_setup.h"

#include "app/embedded_resources.h"
#include "skin/adapters/control_adapter.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_source.h"

namespace tappomat {

void SetUpSkinManager(TsSkinManager& manager) {
  manager.SetExtendedBorders(true);
  TacAnimEffects& effects = manager.AnimEffects;
  for (TacAnimItem* item : {&effects.FormShow, &effects.FormHide, &effects.DialogShow,
                            &effects.DialogHide, &effects.PageChange}) {
    item->Time = 100;
  }
  effects.SkinChanging.Active = false;
  effects.SkinChanging.Time = 200;
  effects.BlendOnMoving.Active = true;
  for (const EmbeddedResource& skin : InternalSkinPackages()) {
    TsStoredSkin& item = manager.InternalSkins().Add();
    item.SetName(std::string(skin.name));
    item.SetData({skin.bytes.begin(), skin.bytes.end()});
    item.Shadow1Color = 0;
    item.Shadow1Offset = 0;
    item.Shadow1Transparency = 0;
  }
  manager.MenuSupport.IcoLineSkin = "ICOLINE";
  manager.MenuSupport.ExtraLineFont = {"MS Sans Serif", -11, -1};
  manager.SetSkinDirectory(kDefaultSkinDirectory);
  manager.ThirdParty = ThirdPartyList::ProgramDefaults();
  manager.SetSkinName("Neutral2 (internal)");
}

void AdaptStandardControls(TForm& form) { Create<TacCtrlAdapter>(&form); }

}  // namespace tappomat
