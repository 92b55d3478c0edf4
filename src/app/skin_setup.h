#pragma once
// The main window's skin manager with the program's values: the internal skins built into
// the program, extended borders, the animation times, the menu options, the skin
// directory and "Neutral2 (internal)" as the skin. Setting the skin name last loads the
// skin, so every window is built with it.
namespace tappomat {

class TForm;
class TsSkinManager;

void SetUpSkinManager(TsSkinManager& manager);

// Every form of the program skins its standard controls (the script grid) from outside
// through a control adapter that it owns.
void AdaptStandardControls(TForm& form);

}  // namespace tappomat
