#include "skin/data/skin_manager.h"

#include <algorithm>
#include <cstdio>

#include "imaging/image_decoder.h"
#include "platform/posix/outside_file.h"
#include "skin/data/skin_image_names.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_source.h"
#include "skin/data/upper_ascii.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

std::vector<std::string> g_commandLine;
Bitmap32 g_shadows[2];  // inactive, active
std::filesystem::path g_applicationFolder = ".";

// Sets a flag for the lifetime of a scope and puts the old value back.
class FlagScope {
 public:
  FlagScope(bool& flag, bool value) : m_flag(flag), m_old(flag) { m_flag = value; }
  ~FlagScope() { m_flag = m_old; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& m_flag;
  bool m_old;
};

void Raise(const TNotifyEvent& event, TComponent* sender) {
  if (event) event(sender);
}

// "7.20" shows as "7.2": the shortest text of the number with "." as the separator.
std::string VersionText(double version) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", version);
  return text;
}

// A package file or internal skin that fails inside one of its entries.
class SkinEntryError : public std::runtime_error {
 public:
  SkinEntryError(const std::string& message, std::string entry)
      : std::runtime_error(message), m_entry(std::move(entry)) {}
  const std::string& Entry() const { return m_entry; }

 private:
  std::string m_entry;
};

// The skin a load is about, as the "Error" box names it.
std::string SourceText(const SkinSource& source) {
  switch (source.kind) {
    case SkinSource::Kind::PackageFile:
      return "skin package " + source.path.string();
    case SkinSource::Kind::Folder:
      return "skin folder " + source.path.string();
    case SkinSource::Kind::Internal:
      return "internal skin \"" + source.name + "\"";
    case SkinSource::Kind::None:
      break;
  }
  return {};
}

// The message of the failed load being handled, for the "Error" box. The messages of the
// conversions, of zlib and of a cut-off stream say nothing of the skin they concern, so the
// skin (and the package entry) follows on a line of its own, unless the message names the
// file already: "Stream read error\n(skin package /home/me/Skins/Mine.tqz)".
std::string LoadFailureMessage(const SkinSource& source) {
  std::string message;
  std::string entry;
  try {
    throw;
  } catch (const std::bad_alloc&) {
    message = "The skin needs more memory than is available: its images are too large";
  } catch (const SkinEntryError& e) {
    message = e.what();
    entry = e.Entry();
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  std::string where = SourceText(source);
  if (where.empty() || (!source.path.empty() && message.find(source.path.string()) != std::string::npos)) {
    return message;
  }
  if (!entry.empty()) where += ", entry \"" + entry + "\"";
  return message + "\n(" + where + ")";
}

bool StartsWithMark(const std::string& value) {
  return !value.empty() && (value[0] == '!' || value[0] == '@' || value[0] == '^' || value[0] == '~');
}

}  // namespace

TsSkinManager* TsSkinManager::s_default = nullptr;
bool TsSkinManager::s_skinChanging = false;
bool TsSkinManager::s_formSkinningPresent = false;

std::function<void(const std::string&, const std::string&, std::optional<MessageBoxIconKind>)>
    TsSkinManager::ShowMessage = [](const std::string& caption, const std::string& text,
                                    std::optional<MessageBoxIconKind> icon) {
      MessageDlgBox(caption, text, icon);
    };

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  if (s_default == nullptr) {
    s_default = this;
    HookMainWindow();
  }
  ThirdParty = ThirdPartyList::ProgramDefaults();
  m_internalSkins.OnChange = [this] { Raise(OnSkinListChanged, this); };
}

TsSkinManager::~TsSkinManager() {
  m_internalSkins.OnChange = nullptr;
  // The owner may be half gone: no events now, but controls still hear that the skin goes.
  OnDeactivate = nullptr;
  if (m_loaded) RemoveSkin();
  m_attachment.reset();
  UnhookMainWindow();
  if (s_default == this) s_default = nullptr;
}

void TsSkinManager::SetProviderFactory(ProviderFactory factory) {
  m_attachment.reset();
  if (!factory) return;
  m_attachment = std::make_unique<TacFormAttachment>(*this, std::move(factory));
  m_attachment->AttachExistingForms();
}

void TsSkinManager::HookMainWindow() {
  if (Application == nullptr || m_mainWindowHook != 0 || (ComponentState() & csDesigning)) return;
  m_mainWindowHook = Application->HookMainWindow(
      [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return MainWindowMessage(msg, wParam, lParam, result);
      });
}

void TsSkinManager::UnhookMainWindow() {
  if (m_mainWindowHook != 0 && Application != nullptr) Application->UnhookMainWindow(m_mainWindowHook);
  m_mainWindowHook = 0;
}

bool TsSkinManager::MainWindowMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg == WM_THEMECHANGED) {
    result = 0;
    return true;
  }
  return false;
}

void TsSkinManager::SetCommandLine(std::vector<std::string> parameters) {
  g_commandLine = std::move(parameters);
}

bool TsSkinManager::HasSwitch(std::string_view name) {
  const std::string wanted = UpperAscii(name);
  for (const std::string& parameter : g_commandLine) {
    if (UpperAscii(parameter) == wanted) return true;
  }
  return false;
}

void TsSkinManager::SetApplicationFolder(std::filesystem::path folder) {
  g_applicationFolder = std::move(folder);
}

void TsSkinManager::SetDefaultShadows(std::span<const std::uint8_t> activePng,
                                      std::span<const std::uint8_t> inactivePng) {
  const auto decode = [](std::span<const std::uint8_t> bytes) {
    DecodedImage decoded = DecodeImage(bytes);
    if (!decoded.Ok()) return Bitmap32();
    for (Pixel& p : decoded.bitmap.Pixels()) {
      if (p == 0x00FFFFFFu) p = 0;
    }
    return std::move(decoded.bitmap);
  };
  g_shadows[1] = decode(activePng);
  g_shadows[0] = decode(inactivePng);
}

const Bitmap32& TsSkinManager::DefaultShadow(bool active) { return g_shadows[active ? 1 : 0]; }

void ShowVersionBoxWhenAsked() {
  if (TsSkinManager::HasSwitch("/orver")) {
    TsSkinManager::ShowMessage("Information", std::string("Orvelline v") + TsSkinManager::kVersion,
                               MessageBoxIconKind::Information);
  }
}

std::string TsSkinManager::SkinInfo() const {
  return m_loaded ? VersionText(m_tables.skinData.version) : "N/A";
}

std::string TsSkinManager::SkinNames(std::vector<std::string>& names, SkinKinds kinds) const {
  names.clear();
  for (int i = 0; i < m_internalSkins.Count(); ++i) names.push_back(m_internalSkins.Items(i).Name());
  const std::filesystem::path directory = ResolveSkinDirectory(m_skinDirectory, g_applicationFolder);
  std::error_code error;
  if (std::filesystem::is_directory(directory, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".")) continue;
      if (kinds != SkinKinds::Packages && entry.is_directory(error) &&
          FindFileIgnoringCase(entry.path(), "Options.dat")) {
        names.push_back(name);
      } else if (kinds != SkinKinds::Folders && entry.is_regular_file(error) &&
                 entry.path().extension() == ".tqz") {
        names.push_back(name.substr(0, name.find('.')));
      }
    }
  }
  const std::string first = names.empty() ? std::string() : names.front();
  std::sort(names.begin(), names.end());
  return first;
}

void TsSkinManager::SetActive(bool active) {
  if (active == m_active) return;
  m_active = active;
  if (active) {
    SetSkinName(m_skinName);
  } else if (!(ComponentState() & csLoading)) {
    RemoveSkin();
  }
}

void TsSkinManager::SetSkinDirectory(const std::string& directory) {
  if (directory == m_skinDirectory) return;
  m_skinDirectory = directory;
  Raise(OnSkinListChanged, this);
}

void TsSkinManager::SetIsDefault(bool on) {
  if (!on || s_default == this) return;
  if (s_default != nullptr) s_default->UnhookMainWindow();
  s_default = this;
  HookMainWindow();
  if (m_active) {
    UpdateSkin(true);
  } else {
    RemoveSkin();
  }
}

void TsSkinManager::SetSkinName(const std::string& name) {
  const std::string old = m_skinName;
  m_skinName = name;
  const bool wasActive = m_active;
  if (m_active) Raise(OnBeforeChange, this);
  {
    FlagScope changing(s_skinChanging, true);
    try {
      LoadChosenSkin();
    } catch (const std::exception& e) {
      m_skinName = old;
      ShowMessage("Error", e.what(), MessageBoxIconKind::Error);
    }
    const bool loading = (ComponentState() & csLoading) != 0;
    if (m_active) {
      // Also after a failure: every control reads the tables again (the old ones).
      if (!m_updating) UpdateSkin(true);
      if (!loading) Raise(OnActivate, this);
    } else if (wasActive) {
      // Nothing to load at all: standard windows from now on.
      RemoveSkin();
      Raise(OnActivate, this);
    }
  }
  Raise(OnAfterChange, this);
}

SkinSource TsSkinManager::ChooseSource() {
  m_skinName = StripPackageExtension(m_skinName);
  return ChooseSkinSource(m_skinName, m_skinDirectory, g_applicationFolder, m_internalSkins);
}

void TsSkinManager::LoadChosenSkin() {
  const SkinSource source = ChooseSource();
  try {
    LoadSkin(source);
    return;
  } catch (...) {
    const std::string message = LoadFailureMessage(source);
    // A damaged copy in the skin directory does not take the built-in skin of the same
    // name away: that one loads instead, once the failure has been shown.
    const int internal = m_internalSkins.IndexOf(source.name);
    if (source.kind == SkinSource::Kind::Internal || internal < 0) throw std::runtime_error(message);
    ShowMessage("Error", message, MessageBoxIconKind::Error);
  }
  SkinSource builtIn;
  builtIn.kind = SkinSource::Kind::Internal;
  builtIn.internalIndex = m_internalSkins.IndexOf(source.name);
  builtIn.name = source.name;
  try {
    LoadSkin(builtIn);
  } catch (...) {
    throw std::runtime_error(LoadFailureMessage(builtIn));
  }
}

void TsSkinManager::LoadSkin(const SkinSource& source) {
  TacSkinConvertor package;
  std::string definition;
  std::unique_ptr<SkinImageSource> images;
  if (!source.problem.empty()) throw std::runtime_error(source.problem);
  switch (source.kind) {
    case SkinSource::Kind::None:
      // No internal skin at all and no file: the program shows standard windows.
      m_active = false;
      return;
    case SkinSource::Kind::PackageFile:
    case SkinSource::Kind::Internal: {
      SkinPackageRead read =
          source.kind == SkinSource::Kind::PackageFile
              ? ReadSkinPackageFile(source.path)
              : ReadSkinPackage(m_internalSkins.Items(source.internalIndex).Data());
      if (!read.Ok()) throw SkinEntryError(read.error, read.entry);
      if (!read.package.hasDefinition) {
        throw std::runtime_error("The skin holds no Options.dat");
      }
      package = std::move(read.package);
      definition.assign(package.definition.begin(), package.definition.end());
      images = std::make_unique<PackedImageSource>(package);
      break;
    }
    case SkinSource::Kind::Folder: {
      OutsideFile file = ReadOutsideFile(source.definition, SkinPackageLimits::kMaxEntrySize);
      if (!file.Ok()) {
        std::error_code error;
        const bool link = std::filesystem::is_symlink(source.definition, error);
        throw std::runtime_error(
            "Unable to read " + source.definition.string() + ": " +
            (link && file.error == OutsideFile::Error::Missing
                 ? "it is a symbolic link to a file that is not there"
                 : file.message));
      }
      definition = std::move(file.bytes);
      images = std::make_unique<FolderImageSource>(source.path);
      break;
    }
  }
  m_skinName = source.name;
  DefinitionText text = DefinitionText::Parse(definition);
  if (!m_commonSections.empty()) {
    std::string common;
    for (const std::string& line : m_commonSections) common += line + "\n";
    DefinitionText extra = DefinitionText::Parse(common);
    // Extra sections name no image by mark: only the older forms and JPEG textures.
    extra.RemoveKeysIf([](const DefinitionText::Key& key) { return StartsWithMark(key.value); });
    text.Overlay(extra);
  }
  CheckVersion(ReadSkinVersion(text));
  RefuseImageNames(text, *images);
  SkinTables tables = LoadSkinDefinition(text, *images, {m_hueOffset, m_saturation});
  m_skinActive = false;
  m_tables = std::move(tables);
  m_loaded = true;
  m_packed = source.kind != SkinSource::Kind::Folder;
  m_skinPath = source.kind == SkinSource::Kind::Folder ? source.path : std::filesystem::path();
  Raise(OnSkinLoading, this);
}

void TsSkinManager::CheckVersion(double version) {
  if (version > 8.99) {
    const bool dialogs = (m_skinningRules & srStdDialogs) != 0;
    m_skinningRules &= ~srStdDialogs;
    ShowMessage("Warning",
                "This version of the skin have not complete support by used Orvelline package "
                "release.\nComponents must be updated up to latest version for using this skin.",
                MessageBoxIconKind::Warning);
    if (dialogs) m_skinningRules |= srStdDialogs;
  } else if (version < 7 && HasSwitch("/ortest")) {
    ShowMessage("Information",
                "You are using an old version of the \"" + m_skinName +
                    "\" skin. Please, update a skins to latest or link with the Orvelline "
                    "support for upgrading of existing skin.\n\nThis notification occurs in "
                    "design-time only for your information and will not occur in real-time.",
                std::nullopt);
  }
}

void TsSkinManager::Reload() {
  if (!m_loaded || !m_active || (ComponentState() & csLoading)) return;
  {
    FlagScope changing(s_skinChanging, true);
    try {
      LoadChosenSkin();
    } catch (const std::exception& e) {
      ShowMessage("Error", e.what(), MessageBoxIconKind::Error);
    }
  }
  Raise(OnAfterChange, this);
  if (!m_updating) UpdateSkin(true);
}

void TsSkinManager::SetHueOffset(int degrees) {
  if (degrees == m_hueOffset) return;
  m_hueOffset = degrees;
  Reload();
}

void TsSkinManager::SetSaturation(int amount) {
  if (amount == m_saturation) return;
  m_saturation = amount;
  Reload();
}

void TsSkinManager::SetExtendedBorders(bool on) {
  if (on == m_extendedBorders) return;
  m_extendedBorders = on;
  Reload();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  m_commonSections.clear();
  for (std::string line : lines) {
    if (!line.starts_with(";")) std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
    m_commonSections.push_back(std::move(line));
  }
  SetSkinName(m_skinName);
}

void TsSkinManager::EndUpdate(bool repaint, bool animate) {
  m_updating = false;
  if (!m_active) return;
  const bool wasAnimated = AnimEffects.SkinChanging.Active;
  if (!animate) AnimEffects.SkinChanging.Active = false;
  UpdateSkin(repaint);
  AnimEffects.SkinChanging.Active = wasAnimated;
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if ((ComponentState() & csLoading) || !m_loaded) return;
  {
    FlagScope changing(s_skinChanging, true);
    m_skinActive = false;
    Broadcast(SkinCode::NewSkin);
  }
  m_skinActive = true;
  if (repaint) RepaintForms();
}

void TsSkinManager::RepaintForms() {
  if (!(ComponentState() & csDesigning)) Broadcast(SkinCode::PrepareRepaint);
  Broadcast(SkinCode::Refresh);
}

void TsSkinManager::RemoveSkin() {
  m_skinActive = false;
  Broadcast(SkinCode::RemoveSkin);
  m_tables = SkinTables();
  m_loaded = false;
  if (!(ComponentState() & csDesigning)) Raise(OnDeactivate, this);
}

void TsSkinManager::SendTo(TControl& control, WPARAM wParam) {
  const auto lParam = reinterpret_cast<LPARAM>(this);
  if (!control.IsWindowed()) {
    control.Perform(WM_SKIN, wParam, lParam);
    return;
  }
  auto& windowed = static_cast<TWinControl&>(control);
  const auto send = [&windowed](WPARAM w, LPARAM l) {
    return windowed.HandleAllocated() ? SendMessage(windowed.Handle(), WM_SKIN, w, l)
                                      : windowed.Perform(WM_SKIN, w, l);
  };
  if (send(SkinWParam(SkinCode::QuerySkinned), 0) != 0) {
    send(wParam, lParam);
    return;
  }
  // Not skinned itself: its own controls may be.
  for (int i = 0; i < windowed.ControlCount(); ++i) SendTo(*windowed.Controls(i), wParam);
}

void TsSkinManager::Broadcast(SkinCode code) {
  if (Application == nullptr) return;
  const WPARAM wParam = SkinWParam(code);
  const auto lParam = reinterpret_cast<LPARAM>(this);
  // A copy: a form may go while it handles the message.
  const std::vector<TForm*> forms = Application->Forms();
  for (TForm* form : forms) {
    if (form->ComponentState() & (csDestroying | csLoading)) continue;
    if (form->HandleAllocated()) {
      SendMessage(form->Handle(), WM_SKIN, wParam, lParam);
    } else {
      form->Perform(WM_SKIN, wParam, lParam);
    }
    for (int i = 0; i < form->ControlCount(); ++i) SendTo(*form->Controls(i), wParam);
  }
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (m_skinDirectory.empty()) m_skinDirectory = kDefaultSkinDirectory;
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
  const ThirdPartyList defaults = ThirdPartyList::ProgramDefaults();
  for (std::size_t i = 0; i < ThirdPartyList::kCount; ++i) {
    if (ThirdParty.texts[i].empty()) ThirdParty.texts[i] = defaults.texts[i];
  }
  if (m_active && !m_skinName.empty()) UpdateSkin(false);
  if (m_active) Raise(OnActivate, this);
}

}  // namespace tappomat
