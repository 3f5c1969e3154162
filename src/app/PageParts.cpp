#include "app/PageParts.h"

#include "views/main/ProfileBar.h"

std::vector<std::unique_ptr<PagePart>> CreatePageParts() {
  std::vector<std::unique_ptr<PagePart>> parts;
  // One line per part; the order is the build order (controls of one layer paint in it).
  parts.push_back(std::make_unique<ProfileBar>());
  return parts;
}
