#pragma once
// The standard dialogs: a message box, a yes/no confirmation and a one-line text entry.
// Each builds a modal TForm (bsDialog, English captions and buttons whatever the
// interface language) from the ordinary controls, centres it on the main form (the
// screen when there is none), shows it with ShowModal and frees it. Called by the
// application's error box and by the program's forms.
#include <optional>
#include <string>

#include "ui/classic_icons.h"

namespace tappomat {

// Caption, optional icon, word-wrapped text and one "OK" button (Enter and Esc close).
void MessageDlgBox(const std::string& caption, const std::string& text,
                   std::optional<MessageBoxIconKind> icon = std::nullopt);

// "Confirm" with the question icon, "&Yes" (default) and "&No" (Esc); true for Yes.
bool ConfirmBox(const std::string& text);

// A prompt over a one-line edit (at most 255 characters) holding `value` all selected,
// "OK" (default) and "Cancel". True on OK, and `value` is then the text entered;
// false leaves `value` alone.
bool InputQueryBox(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace tappomat
