#pragma once
// Turns on the skinning of whole windows for a skin manager: from then on every form of
// the program that the manager's rules allow (the main window, the dialogs, the markers,
// the standard message boxes) gets a TsSkinProvider as soon as its window is made.
namespace tappomat {

class TsSkinManager;

void SkinEveryForm(TsSkinManager& manager);

}  // namespace tappomat
