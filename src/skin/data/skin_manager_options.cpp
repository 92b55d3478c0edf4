#include "skin/data/skin_manager_options.h"

namespace tappomat {

std::vector<std::string> ThirdPartyList::Names(std::size_t index) const {
  std::vector<std::string> names;
  const std::string& text = texts.at(index);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    const auto first = line.find_first_not_of(" \t\r");
    if (first != std::string::npos) {
      const auto last = line.find_last_not_of(" \t\r");
      names.push_back(line.substr(first, last - first + 1));
    }
    start = end + 1;
  }
  return names;
}

int ThirdPartyList::ListOf(const std::string& className) const {
  for (std::size_t i = 0; i < kCount; ++i) {
    for (const std::string& name : Names(i)) {
      if (name == className) return static_cast<int>(i);
    }
  }
  return -1;
}

ThirdPartyList ThirdPartyList::ProgramDefaults() {
  ThirdPartyList lists;
  lists.texts = {
      "TEdit\nTMemo\nTMaskEdit\nTLabeledEdit\nTHotKey\nTListBox\nTCheckListBox\nTRichEdit\n"
      "TDateTimePicker\nTFileListBox\nTDirectoryListBox",
      "TButton",
      "TBitBtn",
      "TCheckBox\nTRadioButton\nTGroupButton",
      "TComboBox\nTColorBox\nTDriveComboBox",
      "TStringGrid\nTDrawGrid\nTValueListEditor",
      "TGroupBox\nTRadioGroup",
      "TListView",
      "TPanel",
      "TTreeView",
      " ",
      " ",
      " ",
      "TPageControl",
      "TTabControl",
      "TToolBar",
      "TStatusBar",
      " ",
      " ",
      " ",
      " ",
      " ",
  };
  return lists;
}

}  // namespace tappomat
