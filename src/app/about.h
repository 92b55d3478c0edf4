#pragma once
// TFormAbout: the About box — the program's name and version, the author's contact
// details and two links (mail and web site) that open with the desktop. Created hidden at
// start-up; the main window's "©" link shows it with ShowModal. OK and Esc close it.
#include <string>

#include "ui/form.h"

namespace tappomat {

class TsButton;
class TImage;
class TLabel;
class TPanel;

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
  TPanel* Panel1;
  TImage* allItemImg;
  TLabel* Label6;
  TLabel* Label8;
  TLabel* LVer;
  TLabel* Label1;
  TLabel* Label7;
  TLabel* Label2;
  TLabel* sWebLabel2;
  TLabel* Label4;
  TLabel* Label5;
  TLabel* Label10;
  TLabel* Label11;
  TLabel* Label12;
  TLabel* sWebLabel1;
  TsButton* sButton1;

 private:
  void CreateControls();
  // A bold link label showing `address`, which darkens while the pointer is over it.
  TLabel* PlaceLink(int left, int top, const std::string& address);

  void FormShow(TComponent* sender);
  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
  void BOkClick(TComponent* sender);
  void Label3Click(TComponent* sender);
  void Label13Click(TComponent* sender);

  AboutContacts m_contacts;
};

extern TFormAbout* FormAbout;

}  // namespace tappomat
