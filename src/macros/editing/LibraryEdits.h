#pragma once
// The managers' rules for library entries: new macro or folder, rename, delete (refused while
// a button of the current profile plays the entry), and which context-menu items a selection
// offers. Each returns the language text of a refusal, 0 when the change was made.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "macros/LibraryLocation.h"
#include "macros/MacroLibrary.h"

namespace macros::editing {

enum class EntryKind { Macro, Folder };

// Adds a macro or folder named `name` next to `selection` (text 242 for an empty name, 241
// for a name taken in the target group). A full group or a folder below a level-1 folder
// changes nothing and says nothing. On success a selected folder is opened and the selection
// names the new entry. `added` (when given) tells whether an entry was added: the selection
// alone cannot, since a new entry may take the place a stale selection named. In the
// shooting-action library (`libraryType` 0x91) a new entry starts with four bullets.
[[nodiscard]] int AddEntry(MacroLibrary& library, LibraryLocation& selection, EntryKind kind,
                           std::u16string_view name, bool* added = nullptr,
                           uint8_t libraryType = 0x90);

// Renames the entry at `location` (242 empty; 241 when any entry of its group has the name,
// the entry itself included).
[[nodiscard]] int RenameEntry(MacroLibrary& library, const LibraryLocation& location,
                              std::u16string_view name);

// What a button of the current profile plays: its function type (0x90 macro, 0x91 shooting
// action) and MacroKeyIndex.
struct ButtonUse {
  uint8_t type = 0;
  uint32_t macroKeyIndex = 0;
};

// Before the confirmation: text 233 when the selection names no entry, else 0.
[[nodiscard]] int CheckDeleteSelection(const MacroLibrary& library,
                                       const LibraryLocation& selection);
// After the confirmation: text 257 while a button of type `libraryType` plays the entry (or a
// macro below the folder); else the entry goes and the selection names none.
[[nodiscard]] int DeleteEntry(MacroLibrary& library, LibraryLocation& selection,
                              std::span<const ButtonUse> buttons, uint8_t libraryType);

// Context-menu items (1..8) for the selection: 1, 2, 4, 7 and 8 always; 3 for a macro; 5 and
// 6 for a macro or a folder.
std::vector<int> ContextMenuItems(const MacroLibrary& library, const LibraryLocation& selection);

}  // namespace macros::editing
