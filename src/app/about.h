#pragma once
// TFormAbout: the About box — the program's name and version, the author's contact
// details and two links (mail and web site) that open with the desktop. Created hidden at
// start-up; the main window's "©" link shows it with ShowModal. OK and Esc close it.
#include <string>

#include "ui/form.h"

namespace tappomat {

class TsButton;
class TImage;
class TsLabel;
class TsWebLabel;
class TsPanel;

// The author's contact details the box shows. An empty field shows nothing, and a link
// whose address is empty does nothing when clicked.
struct AboutContacts {
  std::string author;
  std::string mail;
  std::string icq;
  std::string skype;
  std::string site;
};

// The program's own contact details (about.cpp).
AboutContacts ProgramContacts();

class TFormAbout : public TForm {
 public:
  explicit TFormAbout(TComponent* owner, AboutContacts contacts = ProgramContacts());
  ~TFormAbout() override;
  std::string ClassName() const override { return "TFormAbout"; }

  // --- controls, by their designer names
  TsPanel* Panel1;
  TImage* allItemImg;
  TsLabel* Label6;
  TsLabel* Label8;
  TsLabel* LVer;
  TsLabel* Label1;
  TsLabel* Label7;
  TsLabel* Label2;
  TsWebLabel* sWebLabel2;
  TsLabel* Label4;
  TsLabel* Label5;
  TsLabel* Label10;
  TsLabel* Label11;
  TsLabel* Label12;
  TsWebLabel* sWebLabel1;
  TsButton* sButton1;

 private:
  void CreateControls();
  // A bold link label showing `address`, which darkens while the pointer is over it.
  TsWebLabel* PlaceLink(int left, int top, const std::string& address);

  void FormShow(TComponent* sender);
  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
  void BOkClick(TComponent* sender);
  void Label3Click(TComponent* sender);
  void Label13Click(TComponent* sender);

  AboutContacts m_contacts;
};

extern TFormAbout* FormAbout;

}  // namespace tappomat
