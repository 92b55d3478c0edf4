#include "skin/data/stored_skins.h"

namespace tappomat {

void TsStoredSkin::SetName(const std::string& name) {
  m_name = name;
  Changed();
}

void TsStoredSkin::SetData(std::vector<std::uint8_t> data) {
  m_data = std::move(data);
  Changed();
}

void TsStoredSkin::Assign(const TsStoredSkin& other) {
  m_name = other.m_name;
  m_data = other.m_data;
  MasterBitmap = other.MasterBitmap;
  Shadow1Color = other.Shadow1Color;
  Shadow1Offset = other.Shadow1Offset;
  Shadow1Blur = other.Shadow1Blur;
  Shadow1Transparency = other.Shadow1Transparency;
  BorderColor = other.BorderColor;
  Version = other.Version;
  Author = other.Author;
  Description = other.Description;
  Changed();
}

void TsStoredSkin::Changed() {
  if (m_onChange) m_onChange();
}

TsStoredSkin& TsStoredSkins::Add() {
  m_items.push_back(std::make_unique<TsStoredSkin>());
  m_items.back()->m_onChange = [this] {
    if (OnChange) OnChange();
  };
  if (OnChange) OnChange();
  return *m_items.back();
}

void TsStoredSkins::Clear() {
  m_items.clear();
  if (OnChange) OnChange();
}

int TsStoredSkins::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i]->Name() == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tappomat
