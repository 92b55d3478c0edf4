#pragma once
// TForm1: the main window — the script table, the point entry fields, the run, record and
// marker buttons, the repeat controls, the script library list, two popup menus and the
// two timers (the input poller every 50 ms, the player's step timer). The first form
// created, so closing it ends the program. The handlers keep their designer names; the
// behaviour lives in ScriptTable, Player and InputPoller, which this window serves as
// PlayerControls and PollerHost.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "automation/input_poller.h"
#include "automation/input_service.h"
#include "automation/player.h"
#include "automation/script_table.h"
#include "storage/settings.h"
#include "ui/form.h"

namespace tappomat {

class TsBitBtn;
class TsButton;
class TsCheckBox;
class TsComboBox;
class TImage;
class TsLabel;
class TsWebLabel;
class TsListBox;
class TMenuItem;
class TPopupMenu;
class TsSpeedButton;
class TsSpinEdit;
class TStepTimer;
class TStringGrid;
class TTimer;

// What the capture of the next click is for.
enum class CaptureMode { Normal = 0, SetCoordinates = 1, EditorPick = 2 };

inline constexpr int kLangRussian = 540;
inline constexpr int kLangEnglish = 45;

class TForm3;
class TForm4;
class TsSkinManager;

class TForm1 : public TForm, private PlayerControls, private PollerHost {
 public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // Called by the poller, the row editor and the add button.
  void AddToScript(int x, int y, int button) override;
  void ExecRow(int row) { m_player.ExecRow(row); }
  void SBExecScript() { m_player.Apply(); }
  void SetLang();
  // Writes the settings file from the controls; throws EWriteError. Uses no window, so
  // that it also serves when the display is gone.
  SettingsWriteOutcome SaveSettings();
  // At start on XWayland: the box that says what works there, shown at the first such
  // start only (the settings remember it).
  void ShowXWaylandNoticeOnce();
  // Told while the window is destroyed whether the settings reached the file (true also
  // when there is no application folder to write them to); the program's exit status.
  std::function<void(bool written)> OnSettingsWritten;
  // Refills the script library list from the application folder; nothing is selected.
  void LoadListScript();
  void SGClick(TComponent* sender);
  void SBAutoSaveClick(TComponent* sender);
  void SBExecClick(TComponent* sender);
  void SBTargetClick(TComponent* sender);
  // Leaves set-coordinates mode: clears the menu tick and hides the green marker.
  void EndCoordinatePick();

  CaptureMode Capture() const { return m_captureMode; }
  // The row editor's Auto button enters and leaves editor pick mode.
  void SetCapture(CaptureMode mode) { m_captureMode = mode; }
  ScriptTable& Script() { return m_table; }
  int Language() const { return m_language; }

  // --- components, by their designer names
  TsSkinManager* sSkinManager1;
  TsLabel* Label3;
  TsLabel* LXY;
  TsSpeedButton* SBRus;
  TsSpeedButton* SBEng;
  TsBitBtn* SBOnTop;
  TsWebLabel* sWebLabel1;
  TsWebLabel* SWHelp;
  TsLabel* Label2;
  TsSpinEdit* SX;
  TsLabel* Label4;
  TsSpinEdit* SY;
  TsLabel* Label6;
  TsComboBox* CLPKM;
  TsButton* SBAdd;
  TsButton* sButton2;
  TsButton* SBAutoSave;
  TsLabel* Label5;
  TsSpinEdit* SDelay;
  TsButton* sButton3;
  TStringGrid* SG;
  TsButton* sButton1;
  TsListBox* SList;
  TsButton* SBTarget;
  TsCheckBox* CRepeat;
  TImage* Image1;
  TsLabel* sLabel1;
  TsSpinEdit* SnRep;
  TsButton* SBExec;
  TTimer* Timer1;
  TStepTimer* Timer2;
  TPopupMenu* PopupMenu1;
  TMenuItem *N5, *N10, *N12, *N1, *N11, *N9, *N4, *N3, *N2;
  TPopupMenu* PopupMenu2;
  TMenuItem *N8, *Y1, *H1, *N6, *N7;

 private:
  void CreateControls();
  void CreateMenus();
  void SetTabOrder();

  void FormCreate(TComponent* sender);
  void FormShow(TComponent* sender);
  void FormDestroy(TComponent* sender);
  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
  void SBAddClick(TComponent* sender);
  void SBClearClick(TComponent* sender);
  // The script library: load, save, new, edit in the text editor, delete.
  void N8Click(TComponent* sender);
  void N9Click(TComponent* sender);
  void Y1Click(TComponent* sender);
  void H1Click(TComponent* sender);
  void N7Click(TComponent* sender);
  // The selected library item, or empty when none is selected.
  std::string SelectedScript() const;
  // Asks for a script name proposing `proposal`; the name without ".", ":", "\" and "/",
  // or empty when the user cancelled or nothing is left, or when the file exists and the
  // user does not want it overwritten.
  std::string AskScriptName(const std::string& proposal);
  void OpenInTextEditor(const std::filesystem::path& file);
  void N1Click(TComponent* sender);
  void N5Click(TComponent* sender);
  void sWebLabel1Click(TComponent* sender);
  void SWHelpClick(TComponent* sender);
  void N4Click(TComponent* sender);
  void N10Click(TComponent* sender);
  void SGDblClick(TComponent* sender);
  void SGMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void SListMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void SBOnTopClick(TComponent* sender);
  void CRepeatClick(TComponent* sender);
  void SBRusClick(TComponent* sender);
  void SBEngClick(TComponent* sender);
  void CLPKMKeyPress(TComponent* sender, char32_t& key);
  void Timer1Timer(TComponent* sender);
  void Timer2Timer(TComponent* sender);

  // PlayerControls
  bool RunButtonDown() override;
  void ReleaseRunButton() override;
  int RepeatCount() override;
  void SetRepeatCount(int count) override;
  bool EndlessRepeat() override;
  // PollerHost
  void ShowPointer(const std::string& readout) override;
  void RunCommand() override;
  void RecordCommand() override;
  bool CaptureGateOpen() override;

  CaptureMode m_captureMode = CaptureMode::Normal;
  int m_language = kLangRussian;
  bool m_xwaylandNoticeShown = false;
  // The user's decimal separator for the delay column, read once at start.
  std::string m_decimalSeparator;
  std::unique_ptr<InputService> m_input;
  ScriptTable m_table;
  Player m_player;
  InputPoller m_poller;
};

// The program's windows, reached by name; the markers are created after the main window.
extern TForm1* Form1;
extern TForm3* Form3;
extern TForm4* Form4;

}  // namespace tappomat
