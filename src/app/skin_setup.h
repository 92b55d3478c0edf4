#pragma once
// The main window's skin manager with the program's values: the internal skins built into
// the program, extended borders, the animation times, the menu options, the skin
// directory and "Neutral2 (internal)" as the skin. Setting the skin name last loads the
// skin, so every window is built with it.
namespace tappomat {

class TsSkinManager;

void SetUpSkinManager(TsSkinManager& manager);

}  // namespace tappomat
