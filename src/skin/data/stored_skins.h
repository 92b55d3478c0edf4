#pragma once
// TsStoredSkin / TsStoredSkins: the internal skins a skin manager carries, each a skin
// package kept byte for byte with the details that travel with it. The manager selects
// one by its exact name; a change to any item tells the manager (OnSkinListChanged).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/color.h"

namespace tappomat {

class TsStoredSkin {
 public:
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name);
  const std::vector<std::uint8_t>& Data() const { return m_data; }
  void SetData(std::vector<std::uint8_t> data);

  // Carried with the item; loading does not use them.
  Bitmap32 MasterBitmap;
  ColorRef Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  ColorRef BorderColor = kFuchsia;
  double Version = 0;
  std::string Author;
  std::string Description;

  // Copies the package bytes and every detail.
  void Assign(const TsStoredSkin& other);

 private:
  friend class TsStoredSkins;
  void Changed();

  std::string m_name;
  std::vector<std::uint8_t> m_data;
  std::function<void()> m_onChange;
};

class TsStoredSkins {
 public:
  TsStoredSkins() = default;
  TsStoredSkins(const TsStoredSkins&) = delete;
  TsStoredSkins& operator=(const TsStoredSkins&) = delete;

  int Count() const { return static_cast<int>(m_items.size()); }
  TsStoredSkin& Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }
  const TsStoredSkin& Items(int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
  TsStoredSkin& Add();
  void Clear();
  // The first item whose name equals `name` exactly; -1 when none.
  int IndexOf(const std::string& name) const;

  // Called when an item is added, removed or changed.
  std::function<void()> OnChange;

 private:
  std::vector<std::unique_ptr<TsStoredSkin>> m_items;
};

}  // namespace tappomat
