#pragma once
// Moving macros between installations: an export file is the whole library in the library
// file format, its line 3 naming the exported entry. Imports read the file into the scratch
// library and add the chosen entries next to the selection of the open library.

#include <string>
#include <string_view>

#include "macros/LibraryLocation.h"
#include "macros/MacroLibrary.h"

namespace macros {

enum class ImportResult {
  Imported,         // the entries were added (entries whose target group was full skipped)
  NameExists,       // a name is taken in the target group: nothing was added (text 241)
  GroupFull,        // macro import: the target group is full; nothing added, nothing shown
  NothingToImport,  // the file names no entry that can be imported; nothing was added
  Unreadable,       // the file could not be opened
};

// A name usable as one file name in the current folder: path separators, ':' and the other
// characters Windows refuses become '_', trailing dots and blanks go, and a device name (CON,
// NUL, COM1 ...) gets a leading '_'.
std::u16string SafeFileName(std::u16string_view name);

// Default names in the save dialogs: "<macro>.mkf"; "<entry>.mbf", or "AllMacroKey.mbf"
// when nothing is selected; the entry's name made safe as above.
std::u16string DefaultMacroExportName(const MacroLibrary& library,
                                      const LibraryLocation& selection);
std::u16string DefaultEntriesExportName(const MacroLibrary& library,
                                        const LibraryLocation& selection);

// Writes the whole library with the selection in line 3. ExportMacro refuses (false) when
// the selection names no macro.
[[nodiscard]] bool ExportMacro(std::u16string_view path, MacroLibrary& library,
                               const LibraryLocation& selection);
[[nodiscard]] bool ExportEntries(std::u16string_view path, MacroLibrary& library,
                                 const LibraryLocation& selection);

// Adds the macro that the file's line 3 names next to the selection, with a fresh
// MacroKeyIndex; a selected folder is opened. The selection moves to the new macro.
// The scratch library is empty afterwards.
[[nodiscard]] ImportResult ImportMacro(std::u16string_view path, MacroLibrary& library,
                                       MacroLibrary& scratch, LibraryLocation& selection);

// Adds the entries of the named entry's group from that entry to the group's end (all
// level-0 entries when line 3 names none), each next to the selection. Every name is checked
// first: one clash and nothing is added. Folders come along (with their macros, not their
// sub-folders) only when a level-0 entry is selected; entries whose target group is full
// are skipped. The selection ends on the last entry added.
[[nodiscard]] ImportResult ImportEntries(std::u16string_view path, MacroLibrary& library,
                                         MacroLibrary& scratch, LibraryLocation& selection);

}  // namespace macros
