#pragma once
// TsSkinManager: the one component that owns the active skin. It selects a skin by name
// (a package file or folder in the skin directory, else an internal skin), loads it into
// the tables every skinned control reads, tells every form and control when the skin
// changes (the skin message, broadcast through the forms and their controls), and carries
// the engine-wide options the other skin parts read. The main window creates one with the
// program's values while it is being built, so the skin is loaded before any window shows.
//
// The first manager created is the default manager: controls without a manager of their
// own use it.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/data/form_attachment.h"
#include "skin/data/skin_manager_options.h"
#include "skin/data/skin_message.h"
#include "skin/data/skin_source.h"
#include "skin/data/skin_tables.h"
#include "skin/data/stored_skins.h"
#include "ui/classic_icons.h"
#include "ui/component.h"

namespace tappomat {

class TControl;

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;
  std::string ClassName() const override { return "TsSkinManager"; }

  static constexpr const char* kVersion = "8.53";

  // --- published properties
  bool Active() const { return m_active; }
  void SetActive(bool active);
  const std::string& SkinName() const { return m_skinName; }
  // Loads the named skin, even when it is the current one; a skin that fails to load
  // shows the "Error" box and the previous skin stays.
  void SetSkinName(const std::string& name);
  const std::string& SkinDirectory() const { return m_skinDirectory; }
  void SetSkinDirectory(const std::string& directory);
  TsStoredSkins& InternalSkins() { return m_internalSkins; }
  const TsStoredSkins& InternalSkins() const { return m_internalSkins; }
  // The loaded skin's VERSION as text ("7.2"), "N/A" without a skin.
  std::string SkinInfo() const;
  std::string Version() const { return kVersion; }
  // True only while the form-skinning part is present to draw extended borders.
  bool ExtendedBorders() const { return m_extendedBorders && s_formSkinningPresent; }
  void SetExtendedBorders(bool on);
  bool SkinnedPopups() const { return m_skinnedPopups; }
  void SetSkinnedPopups(bool on) { m_skinnedPopups = on; }
  bool IsDefault() const { return s_default == this; }
  void SetIsDefault(bool on);
  int HueOffset() const { return m_hueOffset; }
  void SetHueOffset(int degrees);
  int Saturation() const { return m_saturation; }
  void SetSaturation(int amount);
  const std::vector<std::string>& CommonSections() const { return m_commonSections; }
  // Lines not beginning with ";" lose their blanks; the skin is loaded again.
  void SetCommonSections(const std::vector<std::string>& lines);
  unsigned SkinningRules() const { return m_skinningRules; }
  void SetSkinningRules(unsigned rules) { m_skinningRules = rules; }

  TacAnimEffects AnimEffects;
  TacMenuSupport MenuSupport;
  TacButtonsSupport ButtonsOptions;
  TacLabelsSupport LabelsOptions;
  TacScrollBarsSupport ScrollsOptions;
  TacSkinEffects Effects;
  ThirdPartyList ThirdParty;

  TNotifyEvent OnActivate, OnDeactivate, OnBeforeChange, OnAfterChange, OnSkinLoading,
      OnSkinListChanged;

  // --- the loaded skin
  // True while a loaded skin is applied (its tables may be painted from).
  bool SkinActive() const { return m_skinActive; }
  const SkinTables& Tables() const { return m_tables; }
  // The loaded skin came from a package (internal or file), not from a folder.
  bool Packed() const { return m_packed; }
  // The folder of a skin read from a folder; empty otherwise.
  const std::filesystem::path& SkinPath() const { return m_skinPath; }
  // A skin is loaded (its tables are filled), applied or not yet.
  bool SkinLoaded() const { return m_loaded; }
  // The section of that name in the loaded skin; -1 when none or when the manager is off.
  int SectionIndex(std::string_view name) const {
    return m_active && m_loaded ? m_tables.SectionIndex(name) : -1;
  }

  // The names of the skins there are, sorted: the internal skins, then, when the resolved
  // skin directory exists, its folders holding an Options.dat (kinds Folders, All) and its
  // ".tqz" files (kinds Packages, All), a file's name being its name up to its first ".".
  // Returns the first name found (the default), empty when there is none.
  enum class SkinKinds { Folders = 0, Packages = 1, All = 2 };
  std::string SkinNames(std::vector<std::string>& names, SkinKinds kinds) const;

  // --- skin changes
  void BeginUpdate() { m_updating = true; }
  void EndUpdate(bool repaint, bool animate);
  bool Updating() const { return m_updating; }
  // Tells every form and control about the (new) skin; with `repaint` everything is
  // repainted afterwards.
  void UpdateSkin(bool repaint);
  void RepaintForms();
  void RemoveSkin();
  // Sends the skin message with `code` to every form and control as the broadcast rules say.
  void Broadcast(SkinCode code);

  // --- skinning whole windows
  // The form-skinning part plugs in here: from now on every form of the program that the
  // rules allow is given a provider made by `factory`, those that exist already at once.
  void SetProviderFactory(ProviderFactory factory);
  // Null until a factory is set.
  TacFormAttachment* FormAttachment() const { return m_attachment.get(); }

  // --- engine-wide state
  static TsSkinManager* DefaultManager() { return s_default; }
  // Set while a skin is being loaded or applied; painting and animations consult it.
  static bool SkinChanging() { return s_skinChanging; }
  // The form-skinning part says whether it is present (extended borders need it).
  static void SetFormSkinningPresent(bool present) { s_formSkinningPresent = present; }
  // The command line, for the "/orver" and "/ortest" switches.
  static void SetCommandLine(std::vector<std::string> parameters);
  static bool HasSwitch(std::string_view name);
  // The folder relative skin directories are resolved against (the executable's).
  static void SetApplicationFolder(std::filesystem::path folder);
  // The two default form shadows (active and inactive window), drawn around forms of skins
  // without their own border image. Set once at start from PNG bytes; a pixel of exactly
  // white with alpha 0 becomes transparent black. Empty until set or when the bytes are
  // no image.
  static void SetDefaultShadows(std::span<const std::uint8_t> activePng,
                                std::span<const std::uint8_t> inactivePng);
  static const Bitmap32& DefaultShadow(bool active);
  // Shows a modal message box; tests replace it. Defaults to the standard message box.
  static std::function<void(const std::string& caption, const std::string& text,
                            std::optional<MessageBoxIconKind> icon)>
      ShowMessage;

 protected:
  void Loaded() override;

 private:
  SkinSource ChooseSource();
  // Loads the chosen source; a damaged skin folder or package file falls back to the
  // internal skin of the same name. Throws what the load failed with.
  void LoadChosenSkin();
  void LoadSkin(const SkinSource& source);
  void CheckVersion(double version);
  void SendTo(TControl& control, WPARAM wParam);
  // The default manager sees the application window's messages first: the platform's
  // theme-change notification is swallowed (the skin decides the look); the animation
  // and menu parts serve their messages here too.
  void HookMainWindow();
  void UnhookMainWindow();
  bool MainWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Reload();

  bool m_active = true;
  std::string m_skinName;
  std::string m_skinDirectory = "c:\\Skins";
  TsStoredSkins m_internalSkins;
  bool m_extendedBorders = false;
  bool m_skinnedPopups = true;
  int m_hueOffset = 0;
  int m_saturation = 0;
  std::vector<std::string> m_commonSections;
  unsigned m_skinningRules = srStdForms | srStdDialogs | srThirdParty;
  bool m_updating = false;

  SkinTables m_tables;
  bool m_loaded = false;
  bool m_skinActive = false;
  bool m_packed = false;
  std::filesystem::path m_skinPath;

  static TsSkinManager* s_default;
  static bool s_skinChanging;
  static bool s_formSkinningPresent;
  int m_mainWindowHook = 0;  // the default manager's hook of the application's window
  std::unique_ptr<TacFormAttachment> m_attachment;
};

// Shows "Orvelline v8.53" once when the command line holds "/orver" in any case.
void ShowVersionBoxWhenAsked();

}  // namespace tappomat
