#include "macros/editing/LibraryEdits.h"

#include "macros/editing/BulletRules.h"
#include "macros/editing/EditingTexts.h"
#include "macros/editing/LibraryKind.h"

namespace macros::editing {

int AddEntry(MacroLibrary& library, LibraryLocation& selection, EntryKind kind,
             std::u16string_view name, bool* added, uint8_t libraryType) {
  if (added) *added = false;
  if (name.empty()) return text::kEmptyName;
  const LibraryLocation before = selection;
  const MacroLibrary::AddResult result = kind == EntryKind::Macro
                                             ? library.AddMacro(name, selection)
                                             : library.AddFolder(name, selection);
  switch (result) {
    case MacroLibrary::AddResult::NameExists:
      return text::kNameUsed;
    case MacroLibrary::AddResult::InvalidName:
      return text::kEmptyName;
    case MacroLibrary::AddResult::Added: {
      if (added) *added = true;
      const LibraryEntry* previous = library.EntryAt(before);
      if (previous != nullptr && previous->IsFolder()) (void)library.SetFolderOpen(before, true);
      LibraryEntry* entry = library.EntryAt(selection);
      if (libraryType == kShootingLibrary.functionType && entry != nullptr && entry->IsMacro()) {
        bullets::InitShootingAction(*entry->record);
      }
      return 0;
    }
    case MacroLibrary::AddResult::GroupFull:
    case MacroLibrary::AddResult::NoTarget:
      break;
  }
  return 0;
}

int RenameEntry(MacroLibrary& library, const LibraryLocation& location, std::u16string_view name) {
  if (name.empty()) return text::kEmptyName;
  if (library.EntryAt(location) == nullptr) return text::kSelectEntry;
  if (library.NameUsedInGroup(name, location)) return text::kNameUsed;
  (void)library.Rename(location, name);
  return 0;
}

int CheckDeleteSelection(const MacroLibrary& library, const LibraryLocation& selection) {
  return library.EntryAt(selection) == nullptr ? text::kSelectEntry : 0;
}

int DeleteEntry(MacroLibrary& library, LibraryLocation& selection,
                std::span<const ButtonUse> buttons, uint8_t libraryType) {
  if (library.EntryAt(selection) == nullptr) return text::kSelectEntry;
  for (const ButtonUse& use : buttons) {
    // A shooting action's number says nothing about the macro library, and the reverse.
    if (use.type == libraryType && library.Contains(use.macroKeyIndex, selection)) {
      return text::kUsedByButton;
    }
  }
  (void)library.Delete(selection);
  selection = LibraryLocation::None();
  return 0;
}

std::vector<int> ContextMenuItems(const MacroLibrary& library, const LibraryLocation& selection) {
  const LibraryEntry* entry = library.EntryAt(selection);
  const bool macro = entry != nullptr && entry->IsMacro();
  const bool any = entry != nullptr;
  std::vector<int> items{1, 2};
  if (macro) items.push_back(3);
  items.push_back(4);
  if (any) {
    items.push_back(5);
    items.push_back(6);
  }
  items.push_back(7);
  items.push_back(8);
  return items;
}

}  // namespace macros::editing
