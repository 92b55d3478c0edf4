#pragma once
// TacCtrlAdapter: skins the standard controls of one form from outside. It scans the
// form's controls, finds those whose exact class name is on one of the skin manager's
// third-party lists (the script grid is a "TStringGrid" on the grid list), and gives each
// a window adapter (TacEditWnd, TacGridWnd) with its own skin data; plain labels take the
// skin's text colour. It scans again when a skin is set or refreshed, when a child window
// is created on the form and when a control asks (skin message 25), and hands everything
// back when the skin goes.
//
// A form owns one. It listens to the form's messages ahead of the form; the form's skin
// provider, once it exists, forwards the form's messages to FormMessage instead.
#include <memory>
#include <string>
#include <vector>

#include "skin/adapters/window_adapter.h"
#include "ui/form.h"

namespace tappomat {

class TacCtrlAdapter : public TComponent {
 public:
  // Belongs to the form `owner` and listens to its messages; `manager` none: the default
  // manager.
  explicit TacCtrlAdapter(TComponent* owner, TsSkinManager* manager = nullptr);
  ~TacCtrlAdapter() override;
  std::string ClassName() const override { return "TacCtrlAdapter"; }

  // Adapts the supported controls from `start` down (the whole form for null).
  void Scan(TWinControl* start = nullptr);
  // Hands every adapted control and label back.
  void RemoveAll();
  // The adapter of `control`, or null.
  TacMainWnd* AdapterOf(const TControl* control) const;

  // The form's messages: the skin codes, child creation, rescan requests.
  void FormMessage(const TMessage& message);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  struct Item {
    TWinControl* control;
    std::unique_ptr<TsCommonData> data;
    std::unique_ptr<TacMainWnd> adapter;
  };
  struct LabelColor {
    TControl* label;
    TColor color;
    bool parentFont;
  };

  TsSkinManager* Manager() const;
  bool Active() const;
  bool Supported(const TComponent& component) const;
  void ScanOne(TWinControl& start, bool isForm);
  void Consider(TComponent& component);
  void AddWindowed(TWinControl& control);
  void AddLabel(TControl& label);
  void DropRemoved();

  TForm* m_form;
  TsSkinManager* m_manager;
  TControl::TWndMethod m_previousFormMethod;
  std::vector<Item> m_items;
  std::vector<LabelColor> m_labels;
  bool m_scanning = false;
};

}  // namespace tappomat
