#include "app/hot_key_help.h"

#include <algorithm>

#include "app/form_layout.h"
#include "app/skin_setup.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_panel.h"

namespace tappomat {

TFormHotKey* FormHotKey = nullptr;

namespace {

constexpr TColor kChordColor = RGB(0, 128, 0);
// Where the design puts the key names and their descriptions, and the least gap between a
// key name's text and its description.
constexpr int kKeyLeft = 16;
constexpr int kDescriptionLeft = 48;
constexpr int kKeyGap = 4;

// A chord's name: green and a pixel taller than its description.
TsLabel* PlaceChord(TComponent* owner, TWinControl* parent, int left, int top,
                   const std::string& caption) {
  TsLabel* label = PlaceLabel(owner, parent, left, top, caption, true);
  label->Font().SetHeight(-12);
  label->Font().SetColor(kChordColor);
  label->SetUseSkinColor(false);  // the key names stay green on every skin
  return label;
}

}  // namespace

TFormHotKey::TFormHotKey(TComponent* owner) : TForm(owner) {
  if (!FormHotKey) FormHotKey = this;
  SetCaption("Горячие клавиши");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(0);
  SetClientWidth(289);
  SetClientHeight(170);
  SetPosition(TPosition::poMainFormCenter);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  Font().SetColor(clBlack);
  CreateControls();
  AdaptStandardControls(*this);
  OnKeyDown = [this](TComponent* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
}

TFormHotKey::~TFormHotKey() {
  if (FormHotKey == this) FormHotKey = nullptr;
}

void TFormHotKey::CreateControls() {
  sPanel1 = Place<TsPanel>(this, this, 8, 8, 273, 126);
  // The main window puts the descriptions in its language when it shows; Russian until then.
  sLabel1 = PlaceChord(this, sPanel1, kKeyLeft, 16, "Alt-F1");
  sLabel3 =
      PlaceLabel(this, sPanel1, kDescriptionLeft, 16, "- Старт/Стоп автозаписи скрипта", true);
  sLabel2 = PlaceChord(this, sPanel1, kKeyLeft, 35, "Alt-F2");
  sLabel4 =
      PlaceLabel(this, sPanel1, kDescriptionLeft, 34, "- Старт/Стоп выполнения скрипта", true);
  PlaceDescriptions();

  sButton1 = Place<TsButton>(this, this, 100, 142, 81, 25);
  sButton1->SetCaption("OK");
  sButton1->SetModalResult(mrOk);
  sButton1->OnClick = [this](TComponent* s) { sButton1Click(s); };
}

void TFormHotKey::SetDescriptions(const std::string& recording, const std::string& playback) {
  sLabel3->SetCaption(recording);
  sLabel4->SetCaption(playback);
  PlaceDescriptions();
}

void TFormHotKey::PlaceDescriptions() {
  const struct {
    TsLabel* key;
    TsLabel* description;
  } rows[] = {{sLabel1, sLabel3}, {sLabel2, sLabel4}};
  for (const auto& row : rows) {
    const int keyRight =
        row.key->Left() + GetTextExtent(row.key->Font().ToLogicalFont(), row.key->Caption()).width;
    row.description->SetLeft(std::max(kDescriptionLeft, keyRight + kKeyGap));
  }
}

void TFormHotKey::FormKeyDown(TComponent*, WORD& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Close();
}

void TFormHotKey::sButton1Click(TComponent*) { Close(); }

}  // namespace tappomat
