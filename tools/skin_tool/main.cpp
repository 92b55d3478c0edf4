// tappomat-skin: packs, unpacks and lists skin packages (see skin_tool.h).
#include <iostream>

#include "skin_tool.h"

int main(int argc, char** argv) {
  return tappomat::RunSkinTool({argv + 1, argv + argc}, std::cout, std::cerr);
}
