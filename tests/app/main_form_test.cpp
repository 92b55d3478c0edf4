// The real main window on the headless backend, driven by clicks, keys and the driven
// clock as a user and the timers would drive it.
#include "app/main.h"

#include "app/about.h"
#include "app/embedded_resources.h"
#include "app/hot_key_help.h"

#include <gtest/gtest.h>

#include "automation/target.h"
#include "automation/target2.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_bit_btn.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/controls/skinned_spin_edit.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_package.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/timer.h"
#include "ui/ui_fixture.h"
#include "win/window_data.h"

namespace tappomat {
namespace {

class MainFormTest : public test::UiTest {
 protected:
  MainFormTest() {
    form = Create<TForm1>(app.get());
    Form3 = Create<TForm3>(app.get());
    Form4 = Create<TForm4>(app.get());
    Form4->OnPickCancelled = [] { Form1->EndCoordinatePick(); };
    form->Show();
    form->SetBounds(0, 0, form->Width(), form->Height());
    Pump();
  }
  ~MainFormTest() override { Form3 = nullptr, Form4 = nullptr; }

  // A right click whose popup menu is closed by Esc from inside the menu's loop.
  void RightClickAt(const TControl* control, Point client) {
    auto* timer = Create<TTimer>(form);
    timer->SetInterval(1);
    timer->OnTimer = [this, timer](TComponent*) {
      timer->SetEnabled(false);
      platform.UserKey(VK_ESCAPE, true);
      platform.UserKey(VK_ESCAPE, false);
    };
    ClickAt(control, client, MouseButton::Right);
    timer->Free();
  }
  void AddPoint(int x, int y) {
    form->SX->SetValue(x);
    form->SY->SetValue(y);
    Click(form->SBAdd);
  }
  std::string Cell(int col, int row) { return form->SG->Cells(col, row); }
  // One poller tick with the given keys seen pressed, then released.
  void Chord(int key) {
    platform.SetKeyState(VK_MENU, true);
    platform.SetKeyState(key, true);
    Wait(50);
    platform.SetKeyState(key, false);
    Wait(50);
    platform.SetKeyState(VK_MENU, false);
    Wait(50);
  }

  TForm1* form;
};

TEST_F(MainFormTest, StartsWithTheDesignedState) {
  EXPECT_EQ(form->Caption(), "Tappomat v1.5");
  EXPECT_EQ(form->ClientWidth(), 382);
  EXPECT_EQ(form->ClientHeight(), 335);
  // The window manager chooses where the main window first shows.
  EXPECT_TRUE(
      platform.Window(WindowSystem::Current().Find(form->Handle())->top.native)->params.defaultPosition);
  EXPECT_EQ(form->SBExec->Caption(), "Выполнить скрипт");
  EXPECT_EQ(Cell(4, 0), " Кн.");
  EXPECT_TRUE(form->SBRus->Down());
  EXPECT_TRUE(form->CRepeat->Checked());
  EXPECT_FALSE(form->SnRep->Enabled()) << "endless repeat ticked greys the counter";
  EXPECT_EQ(form->SDelay->Value(), 300);
  EXPECT_EQ(form->CLPKM->ItemIndex(), 0);
  EXPECT_EQ(form->SG->RowCount(), 2);
  EXPECT_TRUE(form->SBOnTop->Down());
  EXPECT_EQ(form->FormStyle(), TFormStyle::fsStayOnTop);
  EXPECT_FALSE(Form3->Visible());
  EXPECT_FALSE(Form4->Visible());
}

// The main window's skin manager is built with the program's values and has loaded the
// built-in skin before any window showed.
TEST_F(MainFormTest, TheSkinManagerCarriesTheProgramsValuesAndTheBuiltInSkin) {
  TsSkinManager& manager = *form->sSkinManager1;
  EXPECT_EQ(TsSkinManager::DefaultManager(), &manager);
  EXPECT_EQ(manager.SkinDirectory(), "c:\\Skins");
  EXPECT_EQ(manager.AnimEffects.FormShow.Time, 100);
  EXPECT_FALSE(manager.AnimEffects.SkinChanging.Active);
  EXPECT_TRUE(manager.AnimEffects.BlendOnMoving.Active);
  EXPECT_EQ(manager.ThirdParty.ListOf("TStringGrid"), 5);
  const auto& built = InternalSkinPackages();
  ASSERT_EQ(manager.InternalSkins().Count(), static_cast<int>(built.size()));
  for (const EmbeddedResource& skin : built) {
    const SkinPackageRead read = ReadSkinPackage(skin.bytes);
    EXPECT_TRUE(read.Ok()) << skin.name << ": " << read.error;
    EXPECT_TRUE(read.package.hasDefinition) << skin.name;
    EXPECT_EQ(read.used, skin.bytes.size()) << skin.name << ": no leftover bytes";
  }
  ASSERT_FALSE(built.empty());
  EXPECT_EQ(manager.SkinName(), "Neutral2 (internal)");
  EXPECT_EQ(manager.SkinInfo(), "7.2");
  EXPECT_TRUE(manager.SkinActive());
  EXPECT_GE(manager.SectionIndex("BUTTON"), 0);
}

TEST_F(MainFormTest, AddButtonAppendsTheEntryFields) {
  AddPoint(100, 200);
  form->CLPKM->SetItemIndex(1);
  form->SDelay->SetValue(50);
  AddPoint(7, 8);
  EXPECT_EQ(form->SG->RowCount(), 3);
  EXPECT_EQ(Cell(1, 1) + "|" + Cell(2, 1) + "|" + Cell(3, 1) + "|" + Cell(4, 1) + "|" +
                Cell(5, 1),
            "1.|100|200|0|300");
  EXPECT_EQ(Cell(4, 2) + "|" + Cell(5, 2), "1|50");
  form->CLPKM->SetItemIndex(-1);
  AddPoint(1, 1);
  EXPECT_EQ(Cell(4, 3), "-1");
}

TEST_F(MainFormTest, ButtonComboIgnoresTyping) {
  form->CLPKM->SetFocus();
  Key('A', "a");
  Key('7', "7");
  EXPECT_EQ(form->CLPKM->ItemIndex(), 0);
  EXPECT_EQ(form->CLPKM->Text(), "ЛКМ");
}

TEST_F(MainFormTest, RunButtonOnAnEmptyScriptStaysUp) {
  Click(form->SBExec);
  EXPECT_FALSE(form->SBExec->Down());
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(MainFormTest, RunRecordAndMarkerButtonsExcludeEachOther) {
  AddPoint(10, 10);
  Click(form->SBTarget);
  EXPECT_TRUE(form->SBTarget->Down());
  EXPECT_TRUE(Form3->Visible());
  Click(form->SBAutoSave);  // recording takes the marker away
  EXPECT_TRUE(form->SBAutoSave->Down());
  EXPECT_FALSE(form->SBTarget->Down());
  EXPECT_FALSE(Form3->Visible());
  EXPECT_EQ(form->SBAutoSave->Font().Color(), RGB(0, 128, 0));
  form->CRepeat->SetChecked(true);
  Click(form->SBExec);  // playback stops recording first
  EXPECT_TRUE(form->SBExec->Down());
  EXPECT_FALSE(form->SBAutoSave->Down());
  EXPECT_EQ(form->SBAutoSave->Font().Color(), RGB(0, 0, 0));
  Click(form->SBAutoSave);  // and recording stops playback
  EXPECT_FALSE(form->SBExec->Down());
  EXPECT_TRUE(form->SBAutoSave->Down());
}

TEST_F(MainFormTest, PlaybackClicksTheRowsOnTheTimer) {
  form->SDelay->SetValue(100);
  AddPoint(610, 620);  // away from our own window
  form->CLPKM->SetItemIndex(1);
  AddPoint(630, 640);
  form->CRepeat->SetChecked(false);
  form->SnRep->SetValue(1);
  platform.ClearInjectedInputs();
  Click(form->SBExec);
  Wait(1);
  Wait(100);
  Wait(100);
  Wait(100);
  const auto& injected = platform.InjectedInputs();
  std::vector<std::string> seen;
  for (const auto& input : injected) {
    if (input.kind == HeadlessPlatform::InjectedInput::Kind::Move) continue;
    seen.push_back(std::to_string(input.position.x) + "," + std::to_string(input.position.y) +
                   (input.button == MouseButton::Left ? " L" : " R") +
                   (input.kind == HeadlessPlatform::InjectedInput::Kind::ButtonDown ? "v" : "^"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"610,620 Lv", "610,620 L^", "630,640 Rv",
                                            "630,640 R^", "610,620 Lv", "610,620 L^",
                                            "630,640 Rv", "630,640 R^"}));
  EXPECT_FALSE(form->SBExec->Down()) << "two passes, then playback ends";
  EXPECT_EQ(form->SnRep->Value(), 0);
}

TEST_F(MainFormTest, ZeroDelaysDoNotStarveThePollerSoAltF2Stops) {
  form->SDelay->SetValue(0);
  AddPoint(905, 905);
  AddPoint(915, 915);
  form->CRepeat->SetChecked(true);
  platform.SetOutsideActive();
  Click(form->SBExec);
  Wait(50);
  Wait(50);
  EXPECT_EQ(form->LXY->Caption(), "915 : 915") << "the poller ran during playback";
  Chord(VK_F2);
  EXPECT_FALSE(form->SBExec->Down());
  const size_t clicks = platform.InjectedInputs().size();
  Wait(50);
  EXPECT_EQ(platform.InjectedInputs().size(), clicks) << "playback stopped";
}

TEST_F(MainFormTest, BadCellEndsPlaybackWithTheErrorBox) {
  AddPoint(10, 20);
  form->SG->SetCells(2, 1, "abc");
  Click(form->SBExec);
  Wait(5);
  ASSERT_EQ(errorBoxes.size(), 1u);
  EXPECT_EQ(errorBoxes[0].second, "'abc' is not a valid integer value.");
  EXPECT_FALSE(form->SBExec->Down()) << "the run button is up again";
  EXPECT_EQ(Cell(0, 1), "+") << "the failing row keeps the marker";
  // Fixed, the same row plays from the marker.
  form->SG->SetCells(2, 1, "11");
  Click(form->SBExec);
  Wait(5);
  EXPECT_EQ(errorBoxes.size(), 1u);
  EXPECT_FALSE(platform.InjectedInputs().empty());
}

TEST_F(MainFormTest, ChordsWorkWhileAnotherApplicationIsActive) {
  AddPoint(905, 905);  // playback clicks there, away from our window
  form->CRepeat->SetChecked(true);
  platform.SetOutsideActive();
  Wait(50);  // the click on the add button is seen (and dropped) first
  Chord(VK_F1);
  EXPECT_TRUE(form->SBAutoSave->Down());
  // A click elsewhere while recording is appended at its release point.
  platform.SetPointerPosition({300, 400});
  platform.SetKeyState(VK_RBUTTON, true);
  Wait(50);
  platform.SetKeyState(VK_RBUTTON, false);
  Wait(50);
  EXPECT_EQ(Cell(2, 2) + "," + Cell(3, 2) + " " + Cell(4, 2), "300,400 1");
  Chord(VK_F1);
  EXPECT_FALSE(form->SBAutoSave->Down());

  Chord(VK_F2);
  EXPECT_TRUE(form->SBExec->Down());
  Chord(VK_F2);
  EXPECT_FALSE(form->SBExec->Down());
}

// Where every input event is seen, the poller stops ticking once a tick found nothing
// new, and the next event brings it back: the readout and the chords work at once after a
// long idle time.
TEST_F(MainFormTest, ThePollerPausesWhileNothingHappensAndResumesAtTheNextEvent) {
  platform.SetSeesAllInput(true);
  platform.SetOutsideActive();
  auto idle = [&] {
    for (int i = 0; i < 4; ++i) Wait(50);
  };
  idle();
  EXPECT_FALSE(form->Timer1->Armed()) << "idle: no poll armed";
  Wait(60000);
  platform.UserMove({640, 480});
  Pump();  // the event is seen: the polls resume
  EXPECT_TRUE(form->Timer1->Armed());
  Wait(50);
  EXPECT_EQ(form->LXY->Caption(), "640 : 480");
  idle();
  EXPECT_FALSE(form->Timer1->Armed());
  AddPoint(905, 905);
  platform.SetOutsideActive();
  idle();
  Wait(60000);
  Chord(VK_F2);
  EXPECT_TRUE(form->SBExec->Down());
  Chord(VK_F2);
  EXPECT_FALSE(form->SBExec->Down());
}

TEST_F(MainFormTest, ClicksInOurOwnWindowsAreNotRecorded) {
  Click(form->SBAutoSave);
  ClickAt(form->SG, {100, 200});
  Wait(50);
  Wait(50);
  EXPECT_TRUE(form->Script().IsEmpty());
}

TEST_F(MainFormTest, PopupShortcutsActOnlyWhileTheirControlHasTheFocus) {
  AddPoint(1, 1);
  AddPoint(2, 2);
  form->SBAdd->SetFocus();
  Key(VK_F5);
  Key(VK_DELETE);
  EXPECT_FALSE(form->N10->Checked());
  EXPECT_EQ(form->SG->RowCount(), 3);

  form->SG->SetFocus();
  Key(VK_F5);
  EXPECT_TRUE(form->N10->Checked());
  EXPECT_EQ(form->Capture(), CaptureMode::SetCoordinates);
  EXPECT_TRUE(Form4->Visible());
  EXPECT_EQ(Form4->Left(), 1 - 20);
  Key(VK_ESCAPE);  // the green marker has the focus now
  EXPECT_FALSE(Form4->Visible());
  EXPECT_FALSE(form->N10->Checked());
  EXPECT_EQ(form->Capture(), CaptureMode::Normal);

  form->SG->SetFocus();
  Key(VK_DELETE);
  EXPECT_EQ(form->SG->RowCount(), 2);
  EXPECT_EQ(Cell(1, 1) + " " + Cell(2, 1), "1 2") << "row 2 moved up, renumbered without the dot";
}

TEST_F(MainFormTest, SetCoordinatesTakesTheNextOutsideClick) {
  AddPoint(1, 1);
  Click(form->SBTarget);
  form->SG->SetFocus();
  Key(VK_F5);
  Wait(50);  // the clicks on our own windows are seen (and dropped) first
  Wait(50);
  platform.SetOutsideActive();
  platform.SetPointerPosition({640, 480});
  platform.SetKeyState(VK_RBUTTON, true);
  Wait(50);
  platform.SetKeyState(VK_RBUTTON, false);
  Wait(50);
  EXPECT_EQ(Cell(2, 1) + "," + Cell(3, 1) + " " + Cell(4, 1), "640,480 1");
  EXPECT_EQ(Cell(1, 1), "1.") << "number and delay stay";
  EXPECT_FALSE(Form4->Visible());
  EXPECT_FALSE(form->N10->Checked());
  EXPECT_EQ(Form3->Left(), 620);
  EXPECT_EQ(Form3->Top(), 460);
}

TEST_F(MainFormTest, RightClickSelectsTheDataRowUnderThePointer) {
  for (int i = 1; i <= 3; ++i) AddPoint(i, i);
  const Rect cell = form->SG->CellRect(2, 3);
  RightClickAt(form->SG, {cell.left + 3, cell.top + 3});
  EXPECT_EQ(form->SG->Row(), 3);
  const Rect header = form->SG->CellRect(2, 0);
  RightClickAt(form->SG, {header.left + 3, header.top + 3});
  EXPECT_EQ(form->SG->Row(), 3) << "a right click on the header changes nothing";
}

TEST_F(MainFormTest, DoubleClickMovesTheStartMarker) {
  for (int i = 1; i <= 3; ++i) AddPoint(i, i);
  form->SG->SetCells(0, 1, "+");
  const Rect cell = form->SG->CellRect(2, 2);
  const Point p = form->SG->ClientToScreen({cell.left + 3, cell.top + 3});
  platform.UserClick(p);
  platform.UserClick(p);
  Pump();
  EXPECT_EQ(Cell(0, 1) + Cell(0, 2) + Cell(0, 3), "+");
  EXPECT_EQ(Cell(0, 2), "+");
}

TEST_F(MainFormTest, MarkerFollowsTheSelectedRow) {
  AddPoint(300, 200);
  AddPoint(50, 60);
  Click(form->SBTarget);
  EXPECT_EQ(Form3->Left(), 280);
  EXPECT_EQ(Form3->Top(), 180);
  form->SG->SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(Form3->Left(), 30);
  EXPECT_EQ(Form3->Top(), 40);
  form->Script().Clear();
  Click(form->SBTarget);
  Click(form->SBTarget);
  EXPECT_EQ(Form3->Left(), 0) << "an empty row puts the marker at the origin";
}

TEST_F(MainFormTest, LanguageButtonsSwitchTextsAndResetTheButtonChoice) {
  form->CLPKM->SetItemIndex(1);
  Click(form->SBEng);
  EXPECT_TRUE(form->SBEng->Down());
  EXPECT_FALSE(form->SBRus->Down());
  EXPECT_EQ(form->SBExec->Caption(), "Run script");
  EXPECT_EQ(form->N1->Caption(), form->sButton3->Hint());
  EXPECT_EQ(form->CLPKM->ItemIndex(), 0);
  EXPECT_EQ(form->CLPKM->Text(), "LMB");
  form->CLPKM->SetItemIndex(1);
  Click(form->SBEng);  // the button already down: still resets the choice
  EXPECT_EQ(form->CLPKM->ItemIndex(), 0);
  Click(form->SBRus);
  EXPECT_EQ(Cell(5, 0), " Пауза");
}

TEST_F(MainFormTest, LanguageSwitchRepaintsTheGridAtOnce) {
  AddPoint(10, 20);
  Pump();
  const Rect cell = form->SG->CellRect(kButtonCol, 1);
  const Point topLeft = form->SG->ClientToScreen({cell.left, cell.top});
  auto cellPixels = [&] {
    const auto* record = platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
    const Point origin = {topLeft.x - record->bounds.left, topLeft.y - record->bounds.top};
    std::vector<Pixel> pixels;
    for (int y = 0; y < cell.Height(); ++y)
      for (int x = 0; x < cell.Width(); ++x)
        pixels.push_back(record->pixels.At(origin.x + x, origin.y + y));
    return pixels;
  };
  const std::vector<Pixel> russian = cellPixels();
  Click(form->SBEng);
  EXPECT_NE(cellPixels(), russian) << "\"ЛКМ\" became \"LMB\" without another event";
  Click(form->SBRus);
  EXPECT_EQ(cellPixels(), russian);
}

TEST_F(MainFormTest, EndlessRepeatBoxGreysTheCounter) {
  Click(form->CRepeat);
  EXPECT_FALSE(form->CRepeat->Checked());
  EXPECT_TRUE(form->SnRep->Enabled());
  Click(form->CRepeat);
  EXPECT_FALSE(form->SnRep->Enabled());
}

TEST_F(MainFormTest, StayOnTopButtonToggles) {
  Click(form->SBOnTop);
  EXPECT_FALSE(form->SBOnTop->Down());
  EXPECT_EQ(form->FormStyle(), TFormStyle::fsNormal);
  Click(form->SBOnTop);
  EXPECT_EQ(form->FormStyle(), TFormStyle::fsStayOnTop);
}

TEST_F(MainFormTest, F1AndTheQuestionMarkOpenTheHotKeyHelpAndTheCopyrightSignTheAboutBox) {
  auto* about = Create<TFormAbout>(app.get());
  auto* hotKeys = Create<TFormHotKey>(app.get());
  Click(form->SBEng);
  EXPECT_EQ(hotKeys->sLabel3->Caption(), "- Run/Stop script recording");
  EXPECT_EQ(hotKeys->sLabel4->Caption(), "- Run/Stop script execution");
  std::vector<std::string> opened;
  auto closeWithEsc = [&](TForm& dialog) {
    opened.push_back(dialog.ClassName());
    Key(VK_ESCAPE);
  };
  AnswerDialogs({closeWithEsc, closeWithEsc, closeWithEsc, closeWithEsc});
  form->SG->SetFocus();
  Key(VK_F1);
  platform.SetKeyState(VK_CONTROL, true);
  Key(VK_F1);  // whatever modifiers are held
  platform.SetKeyState(VK_CONTROL, false);
  Click(form->SWHelp);
  Click(form->sWebLabel1);
  EXPECT_EQ(opened, (std::vector<std::string>{"TFormHotKey", "TFormHotKey", "TFormHotKey",
                                              "TFormAbout"}));
  EXPECT_FALSE(about->Visible());
  EXPECT_FALSE(hotKeys->Visible());
  Click(form->SBRus);
  EXPECT_EQ(hotKeys->sLabel3->Caption(), "- Старт/Стоп автозаписи скрипта");
}

TEST_F(MainFormTest, TheScriptListsRowsAreItsItemHeightApart) {
  TsListBox* list = form->SList;
  list->Items().Clear();
  for (int i = 1; i <= 20; ++i) list->Items().Add("script " + std::to_string(i));
  Pump();
  EXPECT_EQ(list->ItemHeight(), 13);
  for (int i : {0, 1, 2, 14}) EXPECT_EQ(list->ItemRect(i).top, 13 * i) << "row " << i;
  EXPECT_EQ(list->VisibleRows(), 15);
  EXPECT_EQ(list->ItemAtPos({10, 13 * 3}, true), 3);
  EXPECT_EQ(list->ItemAtPos({10, 13 * 3 - 1}, true), 2);

  // On screen the selected row covers exactly its own 13 pixel rows.
  list->SetItemIndex(3);
  Pump();
  const auto* record = platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
  const Point origin = list->ClientToScreen({0, 0});
  const int x = origin.x - record->bounds.left + list->ClientWidth() - 4;  // right of the text
  const auto at = [&](int y) {
    return PixelRGB(record->pixels.At(x, origin.y - record->bounds.top + y));
  };
  std::vector<int> selectedRows;
  for (int y = 0; y < list->ClientHeight(); ++y) {
    if (at(y) != at(0)) selectedRows.push_back(y);
  }
  ASSERT_FALSE(selectedRows.empty());
  EXPECT_EQ(selectedRows.front(), 39);
  EXPECT_EQ(selectedRows.back(), 51);
  EXPECT_EQ(selectedRows.size(), 13u);
}

TEST_F(MainFormTest, TheHotKeyHelpKeepsItsDescriptionsClearOfTheKeyNamesInBothLanguages) {
  auto* hotKeys = Create<TFormHotKey>(app.get());
  const struct {
    TsLabel* key;
    TsLabel* description;
    Point keyAt;
    int descriptionTop;
  } rows[] = {{hotKeys->sLabel1, hotKeys->sLabel3, {16, 16}, 16},
              {hotKeys->sLabel2, hotKeys->sLabel4, {16, 35}, 34}};
  TControl* languages[] = {form->SBEng, form->SBRus};
  for (TControl* language : languages) {
    Click(language);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.description->Caption());
      EXPECT_EQ((Point{row.key->Left(), row.key->Top()}), row.keyAt) << "the key names stay put";
      const int keyRight =
          row.key->Left() + GetTextExtent(row.key->Font().ToLogicalFont(), row.key->Caption()).width;
      EXPECT_GE(row.description->Left() - keyRight, 4);
      // Moved only as far as the gap needs, never left of its designed place.
      EXPECT_EQ(row.description->Left(), std::max(48, keyRight + 4));
      EXPECT_EQ(row.description->Top(), row.descriptionTop);
    }
  }
}

}  // namespace
}  // namespace tappomat
