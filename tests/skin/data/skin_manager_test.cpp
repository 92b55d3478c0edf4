// The skin manager on real forms of the headless backend: choosing and loading skins,
// failures that keep the previous skin, the broadcast to forms and controls, updates held
// back between begin and end, removing and restoring the skin, the version checks and the
// command-line switches.
#include "skin/data/skin_manager.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <new>

#include "skin/data/skin_package.h"
#include "support/image_files.h"
#include "support/temp_folder.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/ui_fixture.h"

namespace tappomat::test {
namespace {

std::vector<std::uint8_t> Package(const std::string& definition) {
  const std::vector<SkinPackageFile> files = {
      {"Options.dat", std::vector<std::uint8_t>(definition.begin(), definition.end())}};
  return WriteSkinPackage(files);
}

const std::string kSkinA = "[GLOBALINFO]\r\nVERSION=7.20\r\n[BUTTON]\r\nCOLOR=255\r\n";
const std::string kSkinB = "[GLOBALINFO]\r\nVERSION=7.50\r\n[EDIT]\r\nCOLOR=65280\r\n";

// Controls that record the skin codes they receive; a windowed one answers the query
// (code 7) only when `skinned`.
class TSkinListener : public TLabel {
 public:
  using TLabel::TLabel;
  std::vector<SkinCode> codes;
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKIN) {
      codes.push_back(SkinCodeOf(message.WParam));
      return;
    }
    TLabel::WndProc(message);
  }
};

class TSkinnedPanel : public TPanel {
 public:
  TSkinnedPanel(TComponent* owner, bool skinned) : TPanel(owner), m_skinned(skinned) {}
  std::vector<SkinCode> codes;
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKIN) {
      const SkinCode code = SkinCodeOf(message.WParam);
      if (code == SkinCode::QuerySkinned) {
        message.Result = m_skinned ? 1 : 0;
        return;
      }
      codes.push_back(code);
      return;
    }
    TPanel::WndProc(message);
  }

 private:
  bool m_skinned;
};

class SkinManagerTest : public UiTest {
 protected:
  SkinManagerTest() {
    TsSkinManager::SetApplicationFolder(app.Path());
    TsSkinManager::SetCommandLine({});
    TsSkinManager::ShowMessage = [this](const std::string& caption, const std::string& text,
                                        std::optional<MessageBoxIconKind>) {
      boxes.push_back(caption + ": " + text);
    };
    form = Create<TForm>(Application);
    manager = Create<TsSkinManager>(form);
    TsStoredSkin& a = manager->InternalSkins().Add();
    a.SetName("A (internal)");
    a.SetData(Package(kSkinA));
    TsStoredSkin& b = manager->InternalSkins().Add();
    b.SetName("B (internal)");
    b.SetData(Package(kSkinB));
  }
  ~SkinManagerTest() override { TsSkinManager::ShowMessage = m_originalShowMessage; }

  decltype(TsSkinManager::ShowMessage) m_originalShowMessage = TsSkinManager::ShowMessage;

  TempFolder app;
  TForm* form;
  TsSkinManager* manager;
  std::vector<std::string> boxes;
};

TEST_F(SkinManagerTest, LoadsAnInternalSkinByNameAndTellsItsVersion) {
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  manager->SetSkinName("B (internal).TQZ");
  EXPECT_EQ(manager->SkinName(), "B (internal)");
  EXPECT_EQ(manager->SkinInfo(), "7.5");
  EXPECT_GE(manager->SectionIndex("EDIT"), 0);
  EXPECT_EQ(manager->SectionIndex("BUTTON"), -1);
  EXPECT_TRUE(manager->SkinActive());
  EXPECT_TRUE(manager->Packed());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(TsSkinManager::DefaultManager(), manager);
}

TEST_F(SkinManagerTest, AnUnknownNameLoadsTheFirstInternalSkin) {
  manager->SetSkinName("Nowhere");
  EXPECT_EQ(manager->SkinName(), "A (internal)");
  EXPECT_EQ(manager->SkinInfo(), "7.2");
}

TEST_F(SkinManagerTest, AFailedLoadKeepsThePreviousSkinAndSaysWhy) {
  manager->SetSkinName("A (internal)");
  manager->InternalSkins().Items(1).SetData({'J', 'U', 'N', 'K'});
  manager->SetSkinName("B (internal)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Error: Loaded data is not a packed Tessark file\n(internal skin \"B (internal)\")");
  EXPECT_EQ(manager->SkinName(), "A (internal)");
  EXPECT_GE(manager->SectionIndex("BUTTON"), 0) << "the previous tables stay";

  manager->InternalSkins().Items(1).SetData(Package("[GLOBALINFO]\r\nVERSION=seven\r\n"));
  manager->SetSkinName("B (internal)");
  EXPECT_EQ(boxes.back(),
            "Error: 'seven' is not a valid floating point value\n(internal skin \"B (internal)\")");
  manager->InternalSkins().Items(1).SetData({});
  manager->SetSkinName("B (internal)");
  EXPECT_EQ(boxes.back(), "Error: Loaded data is not a packed Tessark file\n(internal skin \"B (internal)\")");
  EXPECT_EQ(manager->SkinName(), "A (internal)");
}

TEST_F(SkinManagerTest, AFolderInTheSkinDirectoryReplacesTheInternalSkin) {
  std::filesystem::create_directories(app / "Skins" / "A (internal)");
  std::ofstream(app / "Skins" / "A (internal)" / "Options.dat")
      << "[GLOBALINFO]\r\nVERSION=7.30\r\n[PANEL]\r\n";
  manager->SetSkinName("A (internal)");
  EXPECT_EQ(manager->SkinInfo(), "7.3");
  EXPECT_FALSE(manager->Packed());
  EXPECT_GE(manager->SectionIndex("PANEL"), 0);
}

TEST_F(SkinManagerTest, ADamagedCopyInTheSkinDirectoryFallsBackToTheBuiltInSkin) {
  std::filesystem::create_directories(app / "Skins" / "B (internal)");
  std::ofstream(app / "Skins" / "B (internal)" / "Options.dat")
      << "[EDIT]\r\nBORDERSMASK=^01x8^0000^0135^0024^0000^0000^0000^0000^1^0^1^2\r\n";
  manager->SetSkinName("B (internal)");
  EXPECT_EQ(boxes, std::vector<std::string>{"Error: '01x8' is not a valid integer value\n(skin folder " +
                                            (app / "Skins" / "B (internal)").string() + ")"});
  EXPECT_EQ(manager->SkinName(), "B (internal)");
  EXPECT_EQ(manager->SkinInfo(), "7.5") << "the built-in B";
  EXPECT_TRUE(manager->Packed());

  // A damaged copy of a skin that is not built in keeps the previous skin.
  std::filesystem::create_directories(app / "Skins" / "Mine");
  std::ofstream(app / "Skins" / "Mine" / "Options.dat") << "[GLOBALINFO]\r\nVERSION=x\r\n";
  manager->SetSkinName("Mine");
  EXPECT_EQ(boxes.back(), "Error: 'x' is not a valid floating point value\n(skin folder " +
                              (app / "Skins" / "Mine").string() + ")");
  EXPECT_EQ(manager->SkinName(), "B (internal)");
  EXPECT_GE(manager->SectionIndex("EDIT"), 0);
}

// The messages of zlib, of a cut-off stream and of the conversions say nothing of the
// skin they concern: the skin and the package entry follow them. Running out of memory is
// said in words a skin's author can act on.
TEST_F(SkinManagerTest, MessagesNameTheSkinTheyConcern) {
  namespace fs = std::filesystem;
  const fs::path package = app / "Skins" / "Mine.tqz";
  fs::create_directories(app / "Skins");
  const std::vector<std::uint8_t> good = Package(kSkinA);
  auto corrupt = good;
  corrupt[4 + 4 + 4 + 11 + 4 + 2] ^= 0xFF;  // the first block header of the stream
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string message;
  } cases[] = {
      {{good.begin(), good.end() - 3}, "Stream read error"},
      {corrupt, "data error"},
  };
  manager->SetSkinName("A (internal)");
  for (const auto& c : cases) {
    std::ofstream(package, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.bytes.data()), static_cast<std::streamsize>(c.bytes.size()));
    boxes.clear();
    manager->SetSkinName("Mine");
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: " + c.message + "\n(skin package " + package.string() +
                                              ", entry \"Options.dat\")"});
    EXPECT_EQ(manager->SkinName(), "A (internal)");
  }

  // Out of memory while loading (the loading event stands in for a decoder that runs out).
  manager->OnSkinLoading = [](TComponent*) { throw std::bad_alloc(); };
  boxes.clear();
  manager->SetSkinName("B (internal)");
  EXPECT_EQ(boxes, std::vector<std::string>{
                       "Error: The skin needs more memory than is available: its images are too "
                       "large\n(internal skin \"B (internal)\")"});
}

// An image name is a plain file name inside the skin: absolute names, drive names, ".."
// and links leading out of the folder are refused with the key, the name and the folder,
// and the built-in skin of the same name is used. A link to a file of the folder is fine.
TEST_F(SkinManagerTest, ImageNamesThatLeaveTheSkinFolderAreRefused) {
  namespace fs = std::filesystem;
  const std::vector<std::uint8_t> png = EncodePng(Bitmap32(4, 4, MakePixel(9, 9, 9)));
  const auto put = [&png](const fs::path& path) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                static_cast<std::streamsize>(png.size()));
  };
  const fs::path skin = app / "Skins" / "B (internal)";
  fs::create_directories(skin);
  put(app / "secret.png");
  put(app / "secret.jpg");
  put(skin / "Inside.png");
  fs::create_symlink(app / "secret.png", skin / "Link.png");
  fs::create_symlink(skin / "Inside.png", skin / "Near.png");
  const std::string secret = (app / "secret.png").string();
  const struct {
    std::string definition;
    std::string says;
  } cases[] = {
      {"[GLOBALINFO]\r\nMASTERBITMAP=" + secret,
       "[GLOBALINFO] MASTERBITMAP: the image name \"" + secret + "\" is not a plain file name"},
      {"[GLOBALINFO]\r\nMASTERBITMAP=../../secret.png",
       "[GLOBALINFO] MASTERBITMAP: the image name \"../../secret.png\" is not a plain file name"},
      {"[GLOBALINFO]\r\nMASTERBITMAP=c:\\secret.png", "the image name \"c:\\secret.png\""},
      {"[BUTTON]\r\nBORDERSMASK=!../../SECRET.PNG!1!0!0",
       "[BUTTON] BORDERSMASK: the image name \"../../SECRET.PNG\""},
      {"[BUTTON]\r\nBORDERSMASK=..\\..\\SECRET.BMP", "[BUTTON] BORDERSMASK: the image name"},
      {"[BUTTON]\r\nPATTERN=../../secret.jpg", "[BUTTON] PATTERN: the image name \"../../SECRET.JPG\""},
      {"[BUTTON]\r\nBORDERSMASK=!LINK.PNG!1!0!0",
       "[BUTTON] BORDERSMASK: the image file \"Link.png\" is a symbolic link that leads out of the "
       "skin folder"},
  };
  for (const auto& c : cases) {
    std::ofstream(skin / "Options.dat", std::ios::trunc) << c.definition << "\r\n";
    boxes.clear();
    manager->SetSkinName("B (internal)");
    ASSERT_EQ(boxes.size(), 1u) << c.definition;
    EXPECT_NE(boxes[0].find(c.says), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("(skin folder " + skin.string() + ")"), std::string::npos) << boxes[0];
    EXPECT_EQ(manager->SkinInfo(), "7.5") << "the built-in B";
  }

  std::ofstream(skin / "Options.dat", std::ios::trunc)
      << "[GLOBALINFO]\r\nVERSION=7.30\r\nMASTERBITMAP=NEAR.PNG\r\n";
  boxes.clear();
  manager->SetSkinName("B (internal)");
  EXPECT_TRUE(boxes.empty()) << boxes.front();
  EXPECT_EQ(manager->SkinInfo(), "7.3");
  EXPECT_EQ(manager->Tables().masterBitmap.Width(), 4);
}

// A skin folder that is there but cannot be read, and a definition that is a link leading
// nowhere or round in a loop, are reported like any damaged skin, and the built-in skin of
// the same name is used; a definition named "options.dat" loads.
TEST_F(SkinManagerTest, ASkinFolderThatCannotBeReadIsReported) {
  namespace fs = std::filesystem;
  const fs::path skin = app / "Skins" / "B (internal)";
  const auto definitionLink = [&skin](const fs::path& target) {
    fs::create_directories(skin);
    fs::create_symlink(target, skin / "Options.dat");
  };
  const struct {
    const char* what;
    std::function<void()> make;
    std::string says;
  } cases[] = {
      {"a link that leads nowhere", [&] { definitionLink(skin / "gone.dat"); },
       "Error: Unable to read " + (skin / "Options.dat").string() +
           ": it is a symbolic link to a file that is not there"},
      {"a link that loops", [&] { definitionLink(skin / "Options.dat"); },
       "Error: Unable to read " + (skin / "Options.dat").string() + ": Too many levels of symbolic links"},
      {"a folder that loops",
       [&] {
         fs::create_directories(skin.parent_path());
         fs::create_symlink(skin, skin);
       },
       "Error: The skin folder " + skin.string() + " cannot be read: Too many levels of symbolic links"},
  };
  for (const auto& c : cases) {
    fs::remove_all(skin);
    c.make();
    boxes.clear();
    manager->SetSkinName("B (internal)");
    EXPECT_EQ(boxes, std::vector<std::string>{c.says}) << c.what;
    EXPECT_EQ(manager->SkinInfo(), "7.5") << c.what;
    EXPECT_TRUE(manager->Packed()) << c.what;
  }

  fs::remove_all(skin);
  fs::create_directories(skin);
  std::ofstream(skin / "options.dat") << "[GLOBALINFO]\r\nVERSION=7.30\r\n";
  boxes.clear();
  manager->SetSkinName("B (internal)");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(manager->SkinInfo(), "7.3");
  EXPECT_FALSE(manager->Packed());
}

TEST_F(SkinManagerTest, ASkinFolderWithoutPermissionIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  namespace fs = std::filesystem;
  const fs::path skin = app / "Skins" / "B (internal)";
  fs::create_directories(skin);
  std::ofstream(skin / "Options.dat") << "[GLOBALINFO]\r\nVERSION=7.30\r\n";
  fs::permissions(skin, fs::perms::none);
  manager->SetSkinName("B (internal)");
  fs::permissions(skin, fs::perms::owner_all);
  EXPECT_EQ(boxes, std::vector<std::string>{"Error: The skin folder " + skin.string() +
                                            " cannot be read: Permission denied"});
  EXPECT_EQ(manager->SkinInfo(), "7.5");
}

TEST_F(SkinManagerTest, TheBroadcastReachesFormsAndSkinnedControls) {
  form->Show();
  auto* label = Create<TSkinListener>(form);
  label->SetParent(form);
  auto* plain = Create<TSkinnedPanel>(form, false);
  plain->SetParent(form);
  auto* inner = Create<TSkinListener>(form);
  inner->SetParent(plain);
  auto* skinned = Create<TSkinnedPanel>(form, true);
  skinned->SetParent(form);

  manager->SetSkinName("A (internal)");
  const std::vector<SkinCode> applied = {SkinCode::NewSkin, SkinCode::PrepareRepaint, SkinCode::Refresh};
  EXPECT_EQ(label->codes, applied);
  EXPECT_EQ(inner->codes, applied) << "the children of a control that is not skinned";
  EXPECT_EQ(skinned->codes, applied);
  EXPECT_TRUE(plain->codes.empty());

  label->codes.clear();
  manager->SetSkinName("A (internal)");
  EXPECT_EQ(label->codes, applied) << "the same name loads and repaints again";
  label->codes.clear();
  manager->SetHueOffset(30);
  EXPECT_EQ(label->codes, applied) << "a hue change reloads the skin";
  label->codes.clear();
  manager->SetActive(false);
  EXPECT_EQ(label->codes, std::vector<SkinCode>{SkinCode::RemoveSkin});
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_EQ(manager->SectionIndex("BUTTON"), -1);
  label->codes.clear();
  manager->SetActive(true);
  EXPECT_EQ(label->codes, applied);
  EXPECT_GE(manager->SectionIndex("BUTTON"), 0);
}

TEST_F(SkinManagerTest, ChangesBetweenBeginAndEndUpdateAreBroadcastOnce) {
  form->Show();
  auto* label = Create<TSkinListener>(form);
  label->SetParent(form);
  manager->BeginUpdate();
  manager->SetSkinName("A (internal)");
  manager->SetSkinName("B (internal)");
  EXPECT_TRUE(label->codes.empty());
  EXPECT_EQ(manager->SkinInfo(), "7.5") << "loaded already";
  manager->EndUpdate(true, false);
  EXPECT_EQ(label->codes, (std::vector<SkinCode>{SkinCode::NewSkin, SkinCode::PrepareRepaint,
                                                  SkinCode::Refresh}));
}

TEST_F(SkinManagerTest, EventsOfASkinChangeInOrder) {
  std::vector<std::string> events;
  manager->OnBeforeChange = [&](TComponent*) { events.push_back("before"); };
  manager->OnSkinLoading = [&](TComponent*) { events.push_back("loading"); };
  manager->OnActivate = [&](TComponent*) { events.push_back("activate"); };
  manager->OnAfterChange = [&](TComponent*) { events.push_back("after"); };
  manager->OnDeactivate = [&](TComponent*) { events.push_back("deactivate"); };
  manager->SetSkinName("A (internal)");
  manager->SetActive(false);
  EXPECT_EQ(events, (std::vector<std::string>{"before", "loading", "activate", "after", "deactivate"}));
}

TEST_F(SkinManagerTest, WithoutAnySkinTheManagerTurnsItselfOff) {
  manager->SetSkinName("A (internal)");
  manager->InternalSkins().Clear();
  manager->SetSkinName("A (internal)");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(manager->SkinInfo(), "N/A");
}

TEST_F(SkinManagerTest, VersionChecksAndSwitches) {
  manager->InternalSkins().Items(1).SetData(Package("[GLOBALINFO]\r\nVERSION=9.10\r\n"));
  manager->SetSkinName("B (internal)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0],
            "Warning: This version of the skin have not complete support by used Orvelline "
            "package release.\nComponents must be updated up to latest version for using this skin.");
  EXPECT_TRUE(manager->SkinningRules() & srStdDialogs) << "put back after the box";
  EXPECT_EQ(manager->SkinInfo(), "9.1") << "the load goes on";

  manager->InternalSkins().Items(1).SetData(Package("[GLOBALINFO]\r\nVERSION=6.50\r\n"));
  manager->SetSkinName("B (internal)");
  EXPECT_EQ(boxes.size(), 1u) << "an old skin says nothing without /ortest";
  TsSkinManager::SetCommandLine({"--data-dir", "x", "/ORTEST"});
  manager->SetSkinName("B (internal)");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1],
            "Information: You are using an old version of the \"B (internal)\" skin. Please, "
            "update a skins to latest or link with the Orvelline support for upgrading of "
            "existing skin.\n\nThis notification occurs in design-time only for your information "
            "and will not occur in real-time.");

  ShowVersionBoxWhenAsked();
  EXPECT_EQ(boxes.size(), 2u);
  TsSkinManager::SetCommandLine({"/OrVer"});
  ShowVersionBoxWhenAsked();
  EXPECT_EQ(boxes.back(), "Information: Orvelline v8.53");
}

TEST_F(SkinManagerTest, TheDefaultManagerSwallowsThemeChangesOfTheApplicationWindow) {
  manager->Free();
  EXPECT_EQ(TsSkinManager::DefaultManager(), nullptr);
  std::vector<UINT> seen;
  const int probe = Application->HookMainWindow([&](UINT msg, WPARAM, LPARAM, LRESULT&) {
    seen.push_back(msg);
    return false;
  });
  SendMessage(Application->Handle(), WM_THEMECHANGED, 0, 0);
  auto* fresh = Create<TsSkinManager>(form);
  EXPECT_TRUE(fresh->IsDefault());
  SendMessage(Application->Handle(), WM_THEMECHANGED, 0, 0);  // swallowed
  SendMessage(Application->Handle(), WM_NULL, 0, 0);
  auto* second = Create<TsSkinManager>(form);
  EXPECT_FALSE(second->IsDefault());
  fresh->Free();
  SendMessage(Application->Handle(), WM_THEMECHANGED, 0, 0);
  Application->UnhookMainWindow(probe);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_THEMECHANGED, WM_NULL, WM_THEMECHANGED}));
}

TEST_F(SkinManagerTest, SkinNamesListInternalSkinsFoldersAndPackages) {
  std::filesystem::create_directories(app / "Skins" / "Folder skin");
  std::ofstream(app / "Skins" / "Folder skin" / "Options.dat") << "";
  std::filesystem::create_directories(app / "Skins" / "No definition");
  std::filesystem::create_directories(app / "Skins" / ".hidden");
  std::ofstream(app / "Skins" / ".hidden" / "Options.dat") << "";
  std::ofstream(app / "Skins" / "Packed.v2.tqz") << "TQzf";
  std::ofstream(app / "Skins" / "Other.TQZ") << "TQzf";
  std::vector<std::string> names;
  EXPECT_EQ(manager->SkinNames(names, TsSkinManager::SkinKinds::All), "A (internal)");
  EXPECT_EQ(names, (std::vector<std::string>{"A (internal)", "B (internal)", "Folder skin", "Packed"}));
  manager->SkinNames(names, TsSkinManager::SkinKinds::Folders);
  EXPECT_EQ(names, (std::vector<std::string>{"A (internal)", "B (internal)", "Folder skin"}));
  manager->SkinNames(names, TsSkinManager::SkinKinds::Packages);
  EXPECT_EQ(names, (std::vector<std::string>{"A (internal)", "B (internal)", "Packed"}));
}

TEST(DefaultShadows, DecodeOnceAndClearTransparentWhite) {
  Bitmap32 active(3, 1, MakePixel(0, 0, 0, 90));
  active.At(1, 0) = 0x00FFFFFFu;
  const std::vector<std::uint8_t> png = EncodePng(active);
  TsSkinManager::SetDefaultShadows(png, std::vector<std::uint8_t>{'x'});
  ASSERT_EQ(TsSkinManager::DefaultShadow(true).Width(), 3);
  EXPECT_EQ(TsSkinManager::DefaultShadow(true).At(0, 0), MakePixel(0, 0, 0, 90));
  EXPECT_EQ(TsSkinManager::DefaultShadow(true).At(1, 0), 0u);
  EXPECT_EQ(TsSkinManager::DefaultShadow(false).Width(), 0) << "no image: empty";
}

TEST(ThirdPartyList, ListsNameClassesExactlyAndABlankNamesNone) {
  const ThirdPartyList lists = ThirdPartyList::ProgramDefaults();
  EXPECT_EQ(lists.ListOf("TStringGrid"), 5);
  EXPECT_EQ(lists.ListOf("tstringgrid"), -1);
  EXPECT_EQ(lists.ListOf("TButton"), 1);
  EXPECT_TRUE(lists.Names(10).empty());
  EXPECT_EQ(lists.Names(0).size(), 11u);
}

}  // namespace
}  // namespace tappomat::test
