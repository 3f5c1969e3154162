#include "views/macros/MacroListPopup.h"

#include "base/Language.h"
#include "macros/editing/LibraryEdits.h"

namespace {

std::vector<MenuItem> ContextItems(const MacroLibrary& library, const LibraryLocation& selection) {
  std::vector<MenuItem> items;
  for (int item : macros::editing::ContextMenuItems(library, selection)) {
    items.push_back({LangText(CMacroListPopup::kFirstText + item), item});
  }
  return items;
}

}  // namespace

CMacroListPopup::CMacroListPopup(const MacroLibrary& library, const LibraryLocation& selection)
    : CMenuPopup(kKind, ContextItems(library, selection)) {}
