#pragma once
// TForm: a top-level window with its controls. Forms are made hidden with
// Create<TMyForm>(Application); a descendant creates its controls in its constructor,
// while the form is loading (csLoading), and AfterConstruction then calls Loaded on every
// component and OnCreate. The application's first form is its MainForm; closing it ends
// Application->Run.
#include "ui/graphic_control.h"

namespace tappomat {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBits : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter,
};
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10;

using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::string ClassName() const override { return "TForm"; }

  // Ends loading (Loaded on every component) and calls OnCreate; Create<T> calls it.
  void AfterConstruction() override;

  TFormBorderStyle BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return m_borderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  // The window is sized so that its client area has this size (the frame from
  // WM_NCCALCSIZE).
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  TPosition Position() const { return m_position; }
  void SetPosition(TPosition position) { m_position = position; }
  TFormStyle FormStyle() const { return m_formStyle; }
  void SetFormStyle(TFormStyle style);
  bool KeyPreview() const { return m_keyPreview; }
  void SetKeyPreview(bool on) { m_keyPreview = on; }
  TModalResult ModalResult() const { return m_modalResult; }
  void SetModalResult(TModalResult result) { m_modalResult = result; }
  bool Modal() const { return m_modal; }

  bool AlphaBlend() const { return m_alphaBlend; }
  void SetAlphaBlend(bool on);
  std::uint8_t AlphaBlendValue() const { return m_alphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t value);
  bool TransparentColor() const { return m_transparentColor; }
  void SetTransparentColor(bool on);
  TColor TransparentColorValue() const { return m_transparentColorValue; }
  void SetTransparentColorValue(TColor color);

  // The control that has (or last had) the focus on this form.
  TWinControl* ActiveControl() const { return m_activeControl; }
  void SetActiveControl(TWinControl* control);
  bool Active() const;
  // The main menu (the menu layer's); null: none. No menu bar is drawn yet.
  TComponent* Menu() const { return m_menu; }
  void SetMenu(TComponent* menu) { m_menu = menu; }

  void SetVisible(bool visible) override;
  // Shows the form modally: other forms are disabled while the nested loop runs until
  // ModalResult is set or the form is hidden or closed.
  TModalResult ShowModal();
  void Close();
  // Offers a key to the shortcuts before anything else sees it: by default the pop-up
  // menus of the focused control and its parents. True when the key was taken.
  virtual bool IsShortCut(WORD key, TShiftState shift);

  void WndProc(TMessage& message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ApplyStyles();
  void ApplyLayered();
  void PlaceForShow();
  Rect FrameOffsets();

  TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition m_position = TPosition::poDesigned;
  TFormStyle m_formStyle = TFormStyle::fsNormal;
  bool m_keyPreview = false;
  TModalResult m_modalResult = mrNone;
  bool m_modal = false;
  bool m_alphaBlend = false;
  std::uint8_t m_alphaBlendValue = 255;
  bool m_transparentColor = false;
  TColor m_transparentColorValue = clBlack;
  TWinControl* m_activeControl = nullptr;
  TComponent* m_menu = nullptr;
  bool m_placed = false;
  bool m_shownOnce = false;

  friend class TApplication;
};

}  // namespace tappomat
