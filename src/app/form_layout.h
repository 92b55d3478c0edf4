#pragma once
// Small helpers the program's forms use to lay out their designed controls: a control
// created, placed and parented in one call, and the label fonts the designs use.
#include <string>

#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_spin_edit.h"
#include "ui/win_control.h"

namespace tappomat {

// The colour of the main window's and the row editor's label texts.
inline constexpr TColor kLabelColor = RGB(36, 44, 53);

// Controls belong to the form, as the designer's do, whatever their parent: a component
// owned by a panel would stay in the form's loading state, and an autosized label would
// never take its text's size.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  T* control = Create<T>(owner);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

// A control placed straight on its form.
template <class T>
T* Place(TWinControl* form, int left, int top, int width, int height) {
  return Place<T>(form, form, left, top, width, height);
}

// An autosized label in its form's font, bold when asked.
inline TsLabel* PlaceLabel(TComponent* owner, TWinControl* parent, int left, int top,
                           const std::string& caption, bool bold) {
  auto* label = Place<TsLabel>(owner, parent, left, top, 0, 13);
  label->SetCaption(caption);
  if (bold) label->Font().SetStyle(fsBold);
  return label;
}

inline void SetLabelFont(TLabel* label, const char* name, int height, bool bold) {
  label->Font().SetName(name);
  label->Font().SetHeight(-height);
  label->Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{0});
  label->Font().SetColor(kLabelColor);
}

// A number field from 0 to `maxValue` holding `value`, typed into up to `maxLength`
// characters.
inline TsSpinEdit* PlaceSpinEdit(TWinControl* parent, Rect r, int maxValue, int maxLength,
                                int value) {
  auto* edit = Place<TsSpinEdit>(parent, r.left, r.top, r.Width(), r.Height());
  edit->SetMinValue(0);
  edit->SetMaxValue(maxValue);
  edit->SetMaxLength(maxLength);
  edit->SetValue(value);
  return edit;
}

}  // namespace tappomat
