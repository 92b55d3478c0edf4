#pragma once
// TsCommonData: what every skinned control keeps about its skin. It binds the control to a
// section of the active skin (by name, with the indexes looked up once), keeps the
// control's cache bitmap and the flags that say when it must be rebuilt, and handles the
// skin messages that every skinned control answers alike. TsCtrlSkinData is the same
// object where a control publishes it as SkinData. Owned by its control.
#include <functional>
#include <memory>
#include <string>

#include "imaging/bitmap32.h"
#include "skin/data/skin_manager.h"
#include "ui/control.h"
#include "ui/ui_messages.h"

namespace tappomat {

struct TacBGInfo;

// The kind code of speed buttons.
inline constexpr int kSpeedButtonKind = 92;

// Kinds of control, as skinned controls declare them, grouped by how the common handling
// treats them.
bool IsContainerKind(int kind);         // never hot by the pointer
bool IsBackgroundOwnerKind(int kind);   // their children hear when their background changes
bool IsEditKind(int kind);              // take the section's colours into Color and Font
// The control's bounds do not lie wholly inside its parent's client area: what it painted
// last time cannot be trusted.
bool OutsideParentClient(const TControl& control);
// The section a control of `kind` uses when none is set; `className` for kinds without one.
std::string DefaultSectionFor(int kind, const std::string& className);

// Bits of a control's transparency flags.
enum TsTransparencyFlagBits : unsigned {
  kTransparentBackground = 0x1,  // what lies behind shows through: ask the parent
  kTransparencyUnknown = 0x2,    // not worked out since the indexes changed
  kObjectLinked = 0x200,         // an object is linked to the control
  kInsideUpdate = 0x800,         // between begin and end update
};
// Bits of a control's background kind: a texture share, and how its gradient runs.
enum TsBackgroundKindBits : unsigned {
  kGradientHorizontal = 0x1,
  kGradientVertical = 0x2,
  kGradientTriangles = 0x3,
  kTextureShare = 0x4,
};

// The section whose look was changed last (by a skin editor, say); controls of that section
// repaint when told (skin message code 13).
void SetLastChangedSection(const std::string& section);

class TsCommonData {
 public:
  TsCommonData(TControl* owner, bool withCache, int kindCode);
  virtual ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // --- published
  const std::string& SkinSection() const { return m_section; }
  // Stored upper-cased ("UNKNOWN" for empty); the control hears code 3 or 2.
  void SetSkinSection(const std::string& section);
  // The manager; the default manager when none is set.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* manager);
  bool CustomColor() const { return m_customColor; }
  void SetCustomColor(bool on);
  bool CustomFont() const { return m_customFont; }
  void SetCustomFont(bool on);
  int HUEOffset() const { return m_hueOffset; }
  void SetHUEOffset(int degrees);
  int Saturation() const { return m_saturation; }
  void SetSaturation(int amount);
  // A colour with the control's hue and saturation changes applied.
  ColorRef Adjusted(ColorRef color) const;

  // --- indexes into the active skin (-1: none)
  int SkinIndex() const { return m_skinIndex; }
  int BorderIndex() const { return m_borderIndex; }
  int Texture() const { return m_texture; }
  int HotTexture() const { return m_hotTexture; }
  // Looks the section and its masks up again (the default section by kind when none is set).
  void UpdateIndexes();

  // A section of a live manager is found (with `needActive`: its skin is applied).
  bool Skinned(bool needActive = false) const;
  // Shows the hot look: focused, or under the pointer (containers never by the pointer).
  bool ControlIsActive() const;

  // --- cache and repaints
  Bitmap32* Cache() { return m_cache.get(); }
  const Bitmap32* Cache() const { return m_cache.get(); }
  bool BackgroundChanged() const { return m_backgroundChanged; }
  void SetBackgroundChanged(bool changed) { m_backgroundChanged = changed; }
  bool HalfVisible() const { return m_halfVisible; }
  void SetHalfVisible(bool on) { m_halfVisible = on; }
  bool ForcedActive() const { return m_forcedActive; }
  void SetForcedActive(bool on) { m_forcedActive = on; }
  bool MouseAbove() const { return m_mouseAbove; }
  void SetMouseAbove(bool on) { m_mouseAbove = on && !IsContainerKind(m_kind); }
  int KindCode() const { return m_kind; }
  // The control's glow window (glow.h); -1: none.
  int Glow() const { return m_glow; }
  void SetGlow(int handle) { m_glow = handle; }
  TControl* Owner() const { return m_owner; }

  void BeginUpdate();
  void EndUpdate(bool repaint);
  // Painting is suspended: between begin and end update, or while the parent is updated.
  bool Updating() const { return m_updating; }
  // Marks the cache stale and has the control painted again.
  void Invalidate();
  void SetUpdating(bool on) { m_updating = on; }
  // Edit kinds take the section's colour and font colour (unless custom).
  void UpdateColors(bool repaint);
  // The control's hue and saturation changes applied to every pixel of a painted picture
  // that is not fuchsia.
  void AdjustPicture(Bitmap32& picture) const;

  // The cache must be painted again: its flag says so, or the look it was painted for (the
  // paint state, the control's bounds) is not the one asked for now.
  bool CacheStale(int paintState) const;
  // The cache now holds the look for `paintState`; clears the background-changed flag.
  void CacheBuilt(int paintState);

  // What every skinned control does with a message before it handles it itself: the
  // pointer entering and leaving, focus, enabling, moves and resizes mark the cache and
  // the hot state; edit kinds take their hot colours. True when the message goes no
  // further (keyboard-cue changes, which a skinned control draws nothing for).
  bool CommonMessage(TMessage& message);

  // The section in the active skin, or null without one.
  const TsGeneralData* Section() const;

  // --- transparency
  unsigned TransparencyFlags() const { return m_transparencyFlags; }
  unsigned BackgroundKind() const { return m_backgroundKind; }
  // Works out whether the control's background shows what lies behind it.
  void UpdateTransparencyFlags();
  // The colour under the control: its section's colour mixed with what lies behind.
  ColorRef ColorUnder() const;
  // The control's background must be painted again with its parent's.
  bool RepaintsWithParent() const;
  // The answer to a child's background query (the child's offset is in `query`), in
  // common_data_background.cpp. `forceActive`: answer for the hot look.
  void AnswerBackgroundQuery(TacBGInfo& query, bool forceActive) const;
  TComponent* LinkedObject() const { return m_linked; }

  // The skin message codes every skinned control handles alike; true when handled.
  bool HandleSkinMessage(TMessage& message);
  // The same for a control that paints from its cache: a new, removed or refreshed skin
  // also repaints it at once (in its standard look once the skin is gone).
  bool HandleCachedSkinMessage(TMessage& message);

 private:
  bool ForThisManager(const TMessage& message) const;
  void ForEachWindowedChild(const std::function<void(TControl&)>& f) const;
  // The skin went: the plain labels on a windowed owner show the window-text colour.
  void PlainLabelsToWindowText() const;
  // Edit kinds with a hot state take the colours of state record `record` (unless custom).
  void TakeEditColors(int record);
  void PointerEntered();
  // The transparency may have changed: the cache is stale, and so are the children's when
  // they show this control's background.
  void TransparencyChanged(bool invalidate);

  TControl* m_owner;
  int m_kind;
  std::string m_section;
  TsSkinManager* m_manager = nullptr;
  bool m_customColor = false;
  bool m_customFont = false;
  int m_hueOffset = 0;
  int m_saturation = 0;
  int m_skinIndex = -1;
  int m_glow = -1;
  int m_borderIndex = -1;
  int m_texture = -1;
  int m_hotTexture = -1;
  std::unique_ptr<Bitmap32> m_cache;
  int m_updateDepth = 0;
  bool m_updating = false;
  bool m_transparentLock = false;
  bool m_backgroundChanged = true;
  bool m_halfVisible = true;
  bool m_forcedActive = false;
  bool m_mouseAbove = false;
  unsigned m_transparencyFlags = kTransparencyUnknown;
  unsigned m_backgroundKind = 0;
  TComponent* m_linked = nullptr;
  int m_cachedState = -1;
  Rect m_cachedBounds;
};

// The same object under the name controls publish it as.
using TsCtrlSkinData = TsCommonData;

}  // namespace tappomat
