#pragma once
// TFormHotKey: the hot-key help window — the two global chords, Alt-F1 (start or stop
// recording) and Alt-F2 (start or stop playback), with what each does. It stays on top of
// other windows. Created hidden at start-up; the main window's "?" link and F1 show it
// with ShowModal, and the main window's language switch sets the two descriptions. OK and
// Esc close it. The key names stay where the design puts them; a description moves right
// only as far as its key name's text needs to keep a gap before it (fonts differ in width).
#include <string>

#include "ui/form.h"

namespace tappomat {

class TsButton;
class TsLabel;
class TsPanel;

class TFormHotKey : public TForm {
 public:
  explicit TFormHotKey(TComponent* owner);
  ~TFormHotKey() override;
  std::string ClassName() const override { return "TFormHotKey"; }

  // The two descriptions in the interface's language, placed clear of their key names.
  void SetDescriptions(const std::string& recording, const std::string& playback);

  // --- controls, by their designer names; sLabel3 and sLabel4 are the descriptions
  TsPanel* sPanel1;
  TsLabel* sLabel1;
  TsLabel* sLabel3;
  TsLabel* sLabel2;
  TsLabel* sLabel4;
  TsButton* sButton1;

 private:
  void CreateControls();
  // Each description at its designed left, or further right until at least a few pixels
  // separate it from the text of its key name, measured in the key name's font.
  void PlaceDescriptions();

  void FormKeyDown(TComponent* sender, WORD& key, TShiftState shift);
  void sButton1Click(TComponent* sender);
};

extern TFormHotKey* FormHotKey;

}  // namespace tappomat
