#include "ui/dialogs.h"

#include <algorithm>
#include <vector>

#include "gdi/text.h"
#include "gdi/text_layout.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "win/window_system.h"

namespace tappomat {

namespace {

constexpr int kMargin = 12;
constexpr int kTextWrapWidth = 360;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;

struct ButtonSpec {
  const char* caption;
  TModalResult result;
  bool isDefault;
  bool isCancel;
};

// The dialogs' form: paints the icon, if any, in the top-left corner; the rest is
// ordinary controls.
class TStandardDialog : public TForm {
 public:
  TStandardDialog(TComponent* owner, const std::string& caption,
                  std::optional<MessageBoxIconKind> icon)
      : TForm(owner), m_icon(icon) {
    SetCaption(caption);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    TForm* main = Application ? Application->MainForm() : nullptr;
    SetPosition(main && main != this && main->Visible() ? TPosition::poMainFormCenter
                                                       : TPosition::poScreenCenter);
  }
  std::string ClassName() const override { return "TMessageForm"; }

  // A word-wrapped label at `left`, `top`; returns its bottom edge.
  TLabel* AddText(const std::string& text, int left, int top, int maxWidth) {
    Rect measure{0, 0, maxWidth, 0};
    Bitmap32 scratch(1, 1);
    DeviceContext dc(scratch);
    dc.SetFont(Font().ToLogicalFont());
    DrawText(dc, text, measure, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    auto* label = Create<TLabel>(this);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetShowAccelChar(false);
    label->SetTransparent(true);
    label->SetCaption(text);
    label->SetBounds(left, top, std::max(measure.Width(), 1), std::max(measure.Height(), 1));
    label->SetParent(this);
    return label;
  }

  // The buttons in a centred row at `top`; the client width grows to hold them.
  std::vector<TButton*> AddButtons(const std::vector<ButtonSpec>& specs, int top) {
    const int count = static_cast<int>(specs.size());
    const int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    if (ClientWidth() < rowWidth + 2 * kMargin) SetClientWidth(rowWidth + 2 * kMargin);
    int left = (ClientWidth() - rowWidth) / 2;
    std::vector<TButton*> buttons;
    for (const ButtonSpec& entry : specs) {
      auto* button = Create<TButton>(this);
      button->SetCaption(entry.caption);
      button->SetModalResult(entry.result);
      button->SetDefault(entry.isDefault);
      button->SetCancel(entry.isCancel);
      button->SetBounds(left, top, kButtonWidth, kButtonHeight);
      button->SetParent(this);
      left += kButtonWidth + kButtonGap;
      buttons.push_back(button);
    }
    return buttons;
  }

 protected:
  void Paint() override {
    TForm::Paint();
    if (m_icon && Canvas()->Handle())
      DrawMessageBoxIcon(*Canvas()->Handle(), {kMargin, kMargin}, *m_icon);
  }

 private:
  std::optional<MessageBoxIconKind> m_icon;
};

// Word wrapping breaks only at spaces, so one word wider than the box (a long path, say)
// would widen the box past the screen. Such a word is broken with a line end after the
// last "/" that still fits, or else after the last character that fits.
std::string BreakLongWords(const LogicalFont& font, const std::string& text, int maxWidth) {
  const std::u32string in = DecodeUtf8(text);
  std::u32string out;
  out.reserve(in.size());
  std::size_t wordStart = 0;             // in `out`
  std::size_t slashEnd = std::u32string::npos;  // just after the word's last "/"
  int wordWidth = 0;
  const auto widthOf = [&font](char32_t c) {
    return GetTextExtent(font, EncodeUtf8(std::u32string_view(&c, 1))).width;
  };
  for (const char32_t c : in) {
    if (c == U' ' || c == U'\n' || c == U'\r') {
      out += c;
      wordStart = out.size();
      slashEnd = std::u32string::npos;
      wordWidth = 0;
      continue;
    }
    const int width = widthOf(c);
    if (wordWidth + width > maxWidth && out.size() > wordStart) {
      const std::size_t breakAt =
          slashEnd != std::u32string::npos && slashEnd > wordStart ? slashEnd : out.size();
      out.insert(breakAt, 1, U'\n');
      wordStart = breakAt + 1;
      slashEnd = std::u32string::npos;
      wordWidth = 0;
      for (std::size_t i = wordStart; i < out.size(); ++i) wordWidth += widthOf(out[i]);
    }
    out += c;
    wordWidth += width;
    if (c == U'/') slashEnd = out.size();
  }
  return EncodeUtf8(out);
}

// Builds the icon-and-text part of a message-style dialog and its button row. The box
// fits the work area: long words are broken and a text too tall is cut at the bottom.
TStandardDialog* MakeMessageForm(const std::string& caption, const std::string& text,
                                 std::optional<MessageBoxIconKind> icon,
                                 const std::vector<ButtonSpec>& buttons) {
  auto* form = Create<TStandardDialog>(Application, caption, icon);
  const int textLeft = icon ? kMargin + kMessageBoxIconSize + kMargin : kMargin;
  TLabel* label = form->AddText(
      BreakLongWords(form->Font().ToLogicalFont(), text, kTextWrapWidth), textLeft, kMargin,
      kTextWrapWidth);
  const int iconBottom = icon ? kMargin + kMessageBoxIconSize : 0;
  if (icon && label->Height() < kMessageBoxIconSize)  // short text: level with the icon
    label->SetTop(kMargin + (kMessageBoxIconSize - label->Height()) / 2);
  int buttonsTop = std::max(label->Top() + label->Height(), iconBottom) + kMargin + 4;
  form->SetClientWidth(label->Left() + label->Width() + kMargin);
  form->SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  const int overflow = form->Height() - WindowSystem::Current().GetPlatform().WorkArea().Height();
  if (overflow > 0 && label->Height() > overflow) {
    label->SetHeight(label->Height() - overflow);
    buttonsTop -= overflow;
    form->SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  }
  std::vector<TButton*> made = form->AddButtons(buttons, buttonsTop);
  for (size_t i = 0; i < made.size(); ++i)
    if (buttons[i].isDefault) form->SetActiveControl(made[i]);
  return form;
}

TModalResult ShowAndFree(TForm* form) {
  const TModalResult result = form->ShowModal();
  form->Free();
  return result;
}

}  // namespace

void MessageDlgBox(const std::string& caption, const std::string& text,
                   std::optional<MessageBoxIconKind> icon) {
  if (!Application) return;
  ShowAndFree(MakeMessageForm(caption, text, icon, {{"OK", mrOk, true, true}}));
}

bool ConfirmBox(const std::string& text) {
  if (!Application) return false;
  TForm* form = MakeMessageForm("Confirm", text, MessageBoxIconKind::Question,
                                {{"&Yes", mrYes, true, false}, {"&No", mrNo, false, true}});
  return ShowAndFree(form) == mrYes;
}

bool InputQueryBox(const std::string& caption, const std::string& prompt, std::string& value) {
  if (!Application) return false;
  constexpr int kEditWidth = 233;
  auto* form = Create<TStandardDialog>(Application, caption, std::nullopt);
  TLabel* label = form->AddText(prompt, kMargin, kMargin, kEditWidth);
  auto* edit = Create<TEdit>(form);
  edit->SetMaxLength(255);
  edit->SetBounds(kMargin, label->Top() + label->Height() + 4, kEditWidth, 21);
  edit->SetParent(form);
  edit->SetText(value);
  edit->SelectAll();
  const int buttonsTop = edit->Top() + edit->Height() + kMargin + 4;
  form->SetClientWidth(kEditWidth + 2 * kMargin);
  form->SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  form->AddButtons({{"OK", mrOk, true, false}, {"Cancel", mrCancel, false, true}}, buttonsTop);
  form->SetActiveControl(edit);
  const bool ok = form->ShowModal() == mrOk;
  if (ok) value = edit->Text();
  form->Free();
  return ok;
}

}  // namespace tappomat
