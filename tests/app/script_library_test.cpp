// The script library commands of the main window on the headless backend: save, load,
// new, edit and delete through the real text-entry, confirmation and message boxes, with
// a private application folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/app_folder.h"
#include "app/main.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_combo_box.h"
#include "skin/controls/skinned_label.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/controls/skinned_spin_edit.h"
#include "storage/ini_file.h"
#include "storage/script_file.h"
#include "support/temp_folder.h"
#include "ui/edit.h"
#include "ui/menu.h"
#include "ui/string_grid.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

class ScriptLibraryTest : public test::UiTest {
 protected:
  ScriptLibraryTest() {
    SetApplicationFolder(folder.Path());
    form = Create<TForm1>(app.get());
    form->Show();
    form->SetBounds(0, 0, form->Width(), form->Height());
    Pump();
  }
  ~ScriptLibraryTest() override {
    form->Free();
    SetApplicationFolder({});
  }

  void AddPoint(int x, int y, int delay) {
    form->SX->SetValue(x);
    form->SY->SetValue(y);
    form->SDelay->SetValue(delay);
    Click(form->SBAdd);
  }
  std::string Row(int row) {
    std::string text;
    for (int col = 0; col < kScriptColumns; ++col) text += (col ? "|" : "") + form->SG->Cells(col, row);
    return text;
  }
  std::vector<std::string> ListItems() {
    std::vector<std::string> items;
    for (int i = 0; i < form->SList->Items().Count(); ++i) items.push_back(form->SList->Items()[i]);
    return items;
  }
  void Select(const std::string& name) {
    form->SList->SetItemIndex(form->SList->Items().IndexOf(name));
    form->SList->SetFocus();
  }
  // Dialog actions.
  DialogAction TypeName(const std::string& name) {
    return [this, name](TForm&) {
      Type(name);
      Key(VK_RETURN);
    };
  }
  // Reads the dialog's text and answers it by a key, Ctrl released first as a user would.
  DialogAction Answer(int key, std::string* shownText = nullptr) {
    return [this, key, shownText](TForm& dialog) {
      if (shownText) *shownText = FindControl<TLabel>(dialog)->Caption();
      platform.SetKeyState(VK_CONTROL, false);
      Key(key);
    };
  }
  std::string EditorPath(const std::string& name) { return (folder / name).string(); }

  TempFolder folder;
  TForm1* form;
};

TEST_F(ScriptLibraryTest, SaveWritesTheTableAndLoadBringsItBack) {
  AddPoint(100, 200, 300);
  form->CLPKM->SetItemIndex(1);
  AddPoint(7, 8, 0);
  std::string prompt;
  AnswerDialogs({[&](TForm& dialog) {
    prompt = FindControl<TLabel>(dialog)->Caption();
    EXPECT_EQ(FindControl<TEdit>(dialog)->Text(), "") << "nothing selected: empty proposal";
    Type("my.sc:ri\\pt/1");
    Key(VK_RETURN);
  }});
  Click(form->sButton1);
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_EQ(prompt, "Введите название скрипта");
  EXPECT_EQ(folder.Get("myscript1.tps"),
            "[Script]\r\ncount=2\r\nX1=100\r\nY1=200\r\nKey1=0\r\nDelay1=300\r\n"
            "X2=7\r\nY2=8\r\nKey2=1\r\nDelay2=0\r\n");
  EXPECT_EQ(ListItems(), std::vector<std::string>{"myscript1"});
  EXPECT_EQ(form->SList->ItemIndex(), -1);

  Click(form->sButton2);  // clear
  form->SG->SetCells(kMarkerCol, 1, "+");
  Select("myscript1");
  Key(VK_F3);
  EXPECT_EQ(form->SG->RowCount(), 3);
  EXPECT_EQ(Row(1), "|1|100|200|0|300") << "loaded rows are numbered without a dot";
  EXPECT_EQ(Row(2), "|2|7|8|1|0");
  EXPECT_EQ(form->SList->ItemIndex(), -1);
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(ScriptLibraryTest, DoubleClickLoadsTheItemUnderThePointer) {
  folder.Put("a.tps", "[Script]\r\ncount=1\r\nX1=5\r\nY1=6\r\nKey1=RMB\r\nDelay1=70\r\n");
  folder.Put("b.tps", "[Script]\r\ncount=1\r\nX1=9\r\n");
  form->LoadListScript();
  const int index = form->SList->Items().IndexOf("a");
  const Point item = {10, index * form->SList->ItemHeight() + 5};
  platform.UserClick(ScreenPoint(form->SList, item));
  platform.UserClick(ScreenPoint(form->SList, item));
  Pump();
  EXPECT_EQ(Row(1), "|1|5|6|1|70");
  EXPECT_EQ(form->SList->ItemIndex(), -1) << "as after F3: the refreshed list has no selection";
}

TEST_F(ScriptLibraryTest, LoadEdgeCases) {
  struct Case {
    const char* file;
    std::vector<std::string> rows;
  } cases[] = {
      {"[Script]\r\nX1=5\r\n", {"|||||"}},
      {"[Script]\r\ncount=0\r\nX1=5\r\n", {"|||||"}},
      {"[Script]\r\ncount=-4\r\n", {"|||||"}},
      {"", {"|||||"}},
      {"[Script]\r\ncount=1\r\nX1=$10\r\nY1=0x20\r\nKey1=ПКМ\r\nDelay1=abc\r\n",
       {"|1|16|32|1|0"}},
      {"[Script]\r\ncount=3\r\nX1=1\r\nY1=2\r\nKey1=rmb\r\nDelay1=4\r\n",
       {"|1|1|2|0|4", "|2|0|0|0|0", "|3|0|0|0|0"}},
  };
  for (const Case& c : cases) {
    folder.Put("case.tps", c.file);
    AddPoint(1, 1, 1);
    AddPoint(2, 2, 2);
    AddPoint(3, 3, 3);
    AddPoint(4, 4, 4);
    form->LoadListScript();
    Select("case");
    form->N8->Click();
    ASSERT_EQ(form->SG->RowCount(), static_cast<int>(c.rows.size()) + 1) << c.file;
    for (int row = 1; row <= static_cast<int>(c.rows.size()); ++row)
      EXPECT_EQ(Row(row), c.rows[row - 1]) << c.file;
  }
}

TEST_F(ScriptLibraryTest, FilesThatCannotBeScriptsAreReportedAndTheTableIsKept) {
  // Without a byte-order mark: which byte order it has is not guessed.
  folder.Put("utf16.tps", std::string("[\0S\0c\0r\0i\0p\0t\0]\0", 16));
  folder.Put("cr.tps", "[Script]\rcount=1\rX1=5\r");
  folder.Put("big.tps", "");
  std::filesystem::resize_file(folder / "big.tps", IniFile::kMaxFileSize + 1);
  ASSERT_EQ(::mkfifo((folder / "pipe.tps").c_str(), 0600), 0);
  AddPoint(1, 2, 3);
  form->LoadListScript();
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"utf16", "UTF-16 text; save it as plain single-byte or UTF-8 text"},
      {"cr", "its lines end in carriage returns only; save it with ordinary line ends"},
      {"big", "larger than the 64 MiB limit for settings and scripts"},
  };
  for (const auto& c : cases) {
    Select(c.name);
    Key(VK_F3);
    ASSERT_FALSE(errorBoxes.empty()) << c.name;
    EXPECT_EQ(errorBoxes.back().second,
              "Unable to read " + (folder / (std::string(c.name) + ".tps")).string() + ": " +
                  c.reason + ".");
    EXPECT_EQ(Row(1), "|1.|1|2|0|3") << "the table is kept";
  }
  EXPECT_EQ(ListItems().size(), 3u) << "a FIFO is not listed";
  // Loaded by its name all the same (a stale list), a FIFO is refused without blocking.
  EXPECT_EQ(LoadScript(folder / "pipe.tps").error,
            "Unable to read " + (folder / "pipe.tps").string() + ": not a regular file");
}

TEST_F(ScriptLibraryTest, AByteOrderMarkAndAnUpperCaseExtensionLoad) {
  folder.Put("Marked.TPS", "\xEF\xBB\xBF[Script]\r\ncount=1\r\nX1=5\r\nY1=6\r\nKey1=1\r\nDelay1=7\r\n");
  form->LoadListScript();
  EXPECT_EQ(ListItems(), std::vector<std::string>{"Marked"});
  Select("Marked");
  Key(VK_F3);
  EXPECT_TRUE(errorBoxes.empty());
  EXPECT_EQ(Row(1), "|1|5|6|1|7");
  // Saved again under its name, the same file is replaced: the question comes first.
  AnswerDialogs({TypeName("Marked"), Answer(VK_RETURN)});
  Select("Marked");
  Click(form->sButton1);
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_FALSE(std::filesystem::exists(folder / "Marked.tps"));
  EXPECT_EQ(folder.Get("Marked.TPS"),
            "\xEF\xBB\xBF[Script]\r\ncount=1\r\nX1=5\r\nY1=6\r\nKey1=1\r\nDelay1=7\r\n");
}

TEST_F(ScriptLibraryTest, AnOversizedCountLoadsTheFirstRowsAndSaysSo) {
  folder.Put("big.tps", "[Script]\r\ncount=100001\r\nX100000=42\r\nX100001=43\r\n");
  form->LoadListScript();
  Select("big");
  std::string message;
  AnswerDialogs({Answer(VK_RETURN, &message)});
  Key(VK_F3);
  EXPECT_EQ(form->SG->RowCount(), 100001);
  EXPECT_EQ(Row(100000), "|100000|42|0|0|0");
  EXPECT_EQ(message, "Скрипт длиннее 100000 строк, загружены первые 100000.");
}

TEST_F(ScriptLibraryTest, SavingAnEmptyScriptOnlyShowsTheMessage) {
  Click(form->SBEng);
  std::string message;
  std::string caption;
  AnswerDialogs({[&](TForm& dialog) {
    caption = dialog.Caption();
    message = FindControl<TLabel>(dialog)->Caption();
    platform.SetKeyState(VK_CONTROL, false);
    Key(VK_RETURN);
  }});
  form->SG->SetFocus();
  Key('S', "");  // no Ctrl: nothing
  EXPECT_FALSE(DialogsAnswered());
  platform.SetKeyState(VK_CONTROL, true);
  Key('S');
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_EQ(caption, "Tappomat");
  EXPECT_EQ(message, "Script is empty.");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(ScriptLibraryTest, SaveProposesTheSelectionAndAsksBeforeOverwriting) {
  folder.Put("old.tps", "[Script]\r\ncount=5\r\nX5=55\r\n[Other]\r\nk=v\r\n");
  form->LoadListScript();
  AddPoint(1, 2, 3);
  Select("old");

  std::string proposal;
  std::string question;
  AnswerDialogs({[&](TForm& dialog) {
                   proposal = FindControl<TEdit>(dialog)->Text();
                   Key(VK_RETURN);
                 },
                 Answer(VK_ESCAPE, &question)});
  Click(form->sButton1);
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_EQ(proposal, "old");
  EXPECT_EQ(question, "Скрипт old уже существует, перезаписать?");
  EXPECT_EQ(folder.Get("old.tps"), "[Script]\r\ncount=5\r\nX5=55\r\n[Other]\r\nk=v\r\n");

  Click(form->SBEng);
  Select("old");
  AnswerDialogs({Answer(VK_RETURN), Answer(VK_RETURN, &question)});
  Click(form->sButton1);
  EXPECT_EQ(question, "old script already exists, rewrite?");
  EXPECT_EQ(folder.Get("old.tps"),
            "[Script]\r\ncount=1\r\nX5=55\r\nX1=1\r\nY1=2\r\nKey1=0\r\nDelay1=3\r\n"
            "[Other]\r\nk=v\r\n")
      << "keys the save does not write stay";
  EXPECT_EQ(form->SList->ItemIndex(), -1);
}

TEST_F(ScriptLibraryTest, CancelAndNamesWithNothingLeftWriteNothing) {
  AddPoint(1, 2, 3);
  AnswerDialogs({[this](TForm&) {
    Type("kept");
    Key(VK_ESCAPE);
  }});
  Click(form->sButton1);
  for (const char* name : {"./:\\", "   ", " . "}) {
    AnswerDialogs({TypeName(name)});
    Click(form->sButton1);
    EXPECT_TRUE(DialogsAnswered()) << "no further question for \"" << name << "\"";
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(errorBoxes.empty());
}

TEST_F(ScriptLibraryTest, AFailedSaveIsReportedAndLeavesTheOldFile) {
  AddPoint(1, 2, 3);
  const std::filesystem::path missing = folder / "gone";
  SetApplicationFolder(missing);
  AnswerDialogs({TypeName("s")});
  Click(form->sButton1);
  ASSERT_EQ(errorBoxes.size(), 1u);
  EXPECT_EQ(errorBoxes[0].second, "Unable to write to " + (missing / "s.tps").string() + ".");

  // A cell that is no integer stops the save before anything is written.
  SetApplicationFolder(folder.Path());
  folder.Put("s.tps", "[Script]\r\ncount=0\r\n");
  form->SG->SetCells(kYCol, 1, "12a");
  AnswerDialogs({TypeName("s"), Answer(VK_RETURN)});
  Click(form->sButton1);
  ASSERT_EQ(errorBoxes.size(), 2u);
  EXPECT_EQ(errorBoxes[1].second, "'12a' is not a valid integer value.");
  EXPECT_EQ(folder.Get("s.tps"), "[Script]\r\ncount=0\r\n");
}

TEST_F(ScriptLibraryTest, NewCreatesAnEmptyFileAndOpensItInTheEditor) {
  folder.Put("full.tps", "[Script]\r\ncount=1\r\n");
  AddPoint(1, 2, 3);
  form->SList->SetFocus();
  AnswerDialogs({[this](TForm& dialog) {
    EXPECT_EQ(FindControl<TEdit>(dialog)->Text(), "");
    Type("fresh");
    Key(VK_RETURN);
  }});
  Key(VK_INSERT);
  EXPECT_TRUE(std::filesystem::exists(folder / "fresh.tps"));
  EXPECT_EQ(folder.Get("fresh.tps"), "");
  ASSERT_FALSE(platform.Launches().empty());
  EXPECT_EQ(platform.Launches().back().args, std::vector<std::string>{EditorPath("fresh.tps")});
  EXPECT_EQ(ListItems().size(), 2u);
  EXPECT_EQ(Row(1), "|1.|1|2|0|3") << "the table is not touched";

  // An existing name, answered Yes, is emptied before the editor opens.
  AnswerDialogs({TypeName("full"), Answer(VK_RETURN)});
  Key(VK_INSERT);
  EXPECT_EQ(folder.Get("full.tps"), "");
  EXPECT_EQ(platform.Launches().back().args, std::vector<std::string>{EditorPath("full.tps")});
}

TEST_F(ScriptLibraryTest, WithoutAnEditorTheErrorBoxSaysSoAndTheScriptIsStillListed) {
  platform.SetLaunchSucceeds(false);
  form->SList->SetFocus();
  AnswerDialogs({TypeName("fresh")});
  Key(VK_INSERT);
  ASSERT_EQ(errorBoxes.size(), 1u);
  EXPECT_NE(errorBoxes[0].second.find(EditorPath("fresh.tps")), std::string::npos);
  EXPECT_NE(errorBoxes[0].second.find("TAPPOMAT_EDITOR"), std::string::npos);
  EXPECT_EQ(ListItems(), std::vector<std::string>{"fresh"});
}

TEST_F(ScriptLibraryTest, EditOpensTheSelectedFileOnly) {
  folder.Put("one.tps", "");
  form->SList->SetFocus();
  Key(VK_F5);
  Key(VK_F4);
  EXPECT_TRUE(platform.Launches().empty()) << "nothing selected";
  Select("one");
  Key(VK_F4);
  ASSERT_EQ(platform.Launches().size(), 1u);
  EXPECT_EQ(platform.Launches()[0].args, std::vector<std::string>{EditorPath("one.tps")});
}

TEST_F(ScriptLibraryTest, DeleteAsksWithTheItemCaptionAndTheName) {
  folder.Put("doomed.tps", "");
  form->SList->SetFocus();
  Key(VK_F5);
  Select("doomed");
  std::string question;
  AnswerDialogs({Answer(VK_ESCAPE, &question)});
  platform.SetKeyState(VK_CONTROL, true);
  Key(VK_DELETE);
  EXPECT_EQ(question, "Удалить doomed?");
  EXPECT_TRUE(std::filesystem::exists(folder / "doomed.tps"));

  Click(form->SBEng);
  Select("doomed");
  AnswerDialogs({Answer(VK_RETURN, &question)});
  platform.SetKeyState(VK_CONTROL, true);
  Key(VK_DELETE);
  EXPECT_EQ(question, "Delete doomed?");
  EXPECT_FALSE(std::filesystem::exists(folder / "doomed.tps"));
  EXPECT_TRUE(ListItems().empty());
}

}  // namespace
}  // namespace tappomat
