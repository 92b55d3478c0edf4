#pragma once
// TsLabel: a standard label drawn on a skin. Transparent from the start, it takes its text
// colour from the skin (unless UseSkinColor is off): from its own SkinSection when that
// section is not wholly see-through, else from the section its parents are painted with
// (when that section hands its font on), else the skin's text colour; a disabled label
// mixes that colour into its parent's. A SkinSection is painted in its normal look as the
// label's background. The program's static texts are TsLabels.
//
// TsWebLabel: a TsLabel that reads like a link. It owns HoverFont (used while the pointer
// is over it) and URL (opened through OpenUrl when the left button goes down on it), shows
// the hand pointer, and takes the skin's link colours: the hover colour over it, else the
// parents' font colour or the skin's link colour. Entering and leaving repaint the parent's
// area under it. The "?" and "©" texts of the main window and the About links are TsWebLabels.
#include <functional>
#include <optional>
#include <string>

#include "skin/data/skin_manager.h"
#include "ui/label.h"

namespace tappomat {

class TsLabel : public TLabel {
 public:
  explicit TsLabel(TComponent* owner);
  std::string ClassName() const override { return "TsLabel"; }

  // A section painted under the text; empty: none. Stored upper-cased.
  const std::string& SkinSection() const { return m_skinSection; }
  void SetSkinSection(const std::string& section);
  // The text colour comes from the skin (True, the default) or from Font.
  bool UseSkinColor() const { return m_useSkinColor; }
  void SetUseSkinColor(bool on);

  // The colour the text is drawn in now, when the skin colours it; none: the standard look.
  std::optional<ColorRef> SkinTextColor() const { return OwnTextColor(); }

  void WndProc(TMessage& message) override;

 protected:
  void Paint() override;
  std::optional<ColorRef> OwnTextColor() const override;
  // The colour the skin gives an enabled label (tables of an active skin).
  virtual ColorRef SkinColor(const SkinTables& tables) const;
  // The manager whose skin is applied now, or null.
  const TsSkinManager* ActiveManager() const;
  // The own section in the active skin, -1 when none.
  int SectionIndex() const;

 private:
  void UpdateSectionIndex();
  // Paints the own section in its normal look over the parent's background.
  void PaintSectionBackground(DeviceContext& dc);

  std::string m_skinSection;
  int m_sectionIndex = -1;
  bool m_useSkinColor = true;
};

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);
  std::string ClassName() const override { return "TsWebLabel"; }

  // The font while the pointer is over the label.
  TFont& HoverFont() { return m_hoverFont; }
  const TFont& HoverFont() const { return m_hoverFont; }
  // Opened when the left button goes down on the label; empty: nothing is opened.
  const std::string& URL() const { return m_url; }
  void SetURL(const std::string& url) { m_url = url; }
  // The window show mode passed on with the URL (0: the desktop's default).
  int ShowMode() const { return m_showMode; }
  void SetShowMode(int mode) { m_showMode = mode; }
  // The pointer is over the label.
  bool MouseOver() const { return m_over; }

  // How a URL is opened; by default the desktop opens it (the program never waits for
  // it). Tests and embedders replace it.
  using UrlOpener = std::function<void(const std::string& url, int showMode)>;
  static UrlOpener OpenUrl;

  void WndProc(TMessage& message) override;

 protected:
  const TFont& TextFont() const override { return m_over ? m_hoverFont : Font(); }
  ColorRef SkinColor(const SkinTables& tables) const override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void SetOver(bool over);

  TFont m_hoverFont;
  std::string m_url;
  int m_showMode = 0;
  bool m_over = false;
};

}  // namespace tappomat
