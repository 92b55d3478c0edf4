#include "app/about.h"

#include <utility>

#include "app/art.h"
#include "app/form_layout.h"
#include "app/skin_setup.h"
#include "app/version.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "ui/image.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_panel.h"
#include "win/window_system.h"

namespace tappomat {

TFormAbout* FormAbout = nullptr;

namespace {

// The author's contact details, to be filled in by the author. While they are empty the
// box shows only the program's name and version, and the links do nothing.
constexpr const char* kAuthor = "";
constexpr const char* kMail = "";
constexpr const char* kIcq = "";
constexpr const char* kSkype = "";
constexpr const char* kSite = "";

constexpr TColor kLinkColor = RGB(29, 88, 116);

void OpenWithDesktop(const std::string& target) {
  // A false answer means the desktop has no handler for it: nothing the user could fix
  // from this box, so the click simply does nothing.
  WindowSystem::Current().GetPlatform().OpenWithDesktop(target);
}

}  // namespace

AboutContacts ProgramContacts() { return {kAuthor, kMail, kIcq, kSkype, kSite}; }

TFormAbout::TFormAbout(TComponent* owner, AboutContacts contacts)
    : TForm(owner), m_contacts(std::move(contacts)) {
  if (!FormAbout) FormAbout = this;
  SetCaption("О программе");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(0);
  SetClientWidth(290);
  SetClientHeight(206);
  SetPosition(TPosition::poMainFormCenter);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  Font().SetColor(clBlack);
  CreateControls();
  AdaptStandardControls(*this);
  OnShow = [this](TComponent* s) { FormShow(s); };
  OnKeyDown = [this](TComponent* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
}

TFormAbout::~TFormAbout() {
  if (FormAbout == this) FormAbout = nullptr;
}

void TFormAbout::CreateControls() {
  Panel1 = Place<TsPanel>(this, this, 7, 8, 274, 161);
  Panel1->SetBevelOuter(TBevelCut::bvLowered);

  allItemImg = Place<TImage>(this, Panel1, 4, 7, 53, 50);
  allItemImg->SetPicture(Premultiplied(ComputerMouse()));
  allItemImg->SetTransparent(true);

  Label6 = PlaceLabel(this, Panel1, 64, 8, "Tappomat", true);
  Label8 = PlaceLabel(this, Panel1, 64, 30, "Version", false);
  LVer = PlaceLabel(this, Panel1, 112, 30, "", true);
  Label1 = PlaceLabel(this, Panel1, 64, 49, "Author", false);
  Label7 = PlaceLabel(this, Panel1, 112, 49, m_contacts.author, true);
  Label2 = PlaceLabel(this, Panel1, 64, 68, "e-mail:", false);
  sWebLabel2 = PlaceLink(112, 68, m_contacts.mail);
  sWebLabel2->OnClick = [this](TComponent* s) { Label3Click(s); };
  Label4 = PlaceLabel(this, Panel1, 64, 87, "ICQ:", false);
  Label5 = PlaceLabel(this, Panel1, 112, 87, m_contacts.icq, true);
  Label10 = PlaceLabel(this, Panel1, 63, 106, "Skype:", false);
  Label11 = PlaceLabel(this, Panel1, 112, 106, m_contacts.skype, true);
  Label12 = PlaceLabel(this, Panel1, 63, 124, "Site:", false);
  sWebLabel1 = PlaceLink(112, 124, m_contacts.site);
  sWebLabel1->OnClick = [this](TComponent* s) { Label13Click(s); };

  sButton1 = Place<TsButton>(this, this, 102, 176, 81, 25);
  sButton1->SetCaption("OK");
  sButton1->SetModalResult(mrOk);
  sButton1->OnClick = [this](TComponent* s) { BOkClick(s); };
}

TsWebLabel* TFormAbout::PlaceLink(int left, int top, const std::string& address) {
  auto* link = Place<TsWebLabel>(this, Panel1, left, top, 0, 13);
  link->SetCaption(address);
  link->Font().SetStyle(fsBold);
  link->Font().SetColor(kLinkColor);
  link->HoverFont().Assign(link->Font());
  link->HoverFont().SetColor(clWindowText);
  return link;
}

void TFormAbout::FormShow(TComponent*) { LVer->SetCaption(TAPPOMAT_VERSION); }

void TFormAbout::FormKeyDown(TComponent*, WORD& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Close();
}

void TFormAbout::BOkClick(TComponent*) { Close(); }

void TFormAbout::Label3Click(TComponent*) {
  if (m_contacts.mail.empty()) return;
  OpenWithDesktop("mailto:" + m_contacts.mail + "?subject=Tappomat");
}

void TFormAbout::Label13Click(TComponent*) {
  if (m_contacts.site.empty()) return;
  OpenWithDesktop(m_contacts.site);
}

}  // namespace tappomat
