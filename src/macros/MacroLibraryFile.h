#pragma once
// The library file: the macro and shooting-action libraries and the export files (.mkf,
// .mbf) share one UTF-16 text format of positional key=value lines.
//
//   [MacroLibrary]
//   MacroKeyIndex=<counter>
//   Select Locaton:stage=..;stage0Index=..;stage1Index=..;stage2Index=..;
//   one block per used entry, all level-0 entries first, then level 1, then level 2:
//   ++++++++MacroItemName=..  MacroItemLocation:..  MacroItemIsFolder=..
//   MacroItemFolderIsOpen=..  and for macros MacroKeyIndex, MacroKeyLoopType,
//   MacroKeyLoopNum, MacroActionNum, MacroCommandActionNum, AllAction=<1472 hex digits>;
//   level-1 blocks indent every line with one tab, level-2 blocks with two.
//
// ("Locaton" is how every existing file spells it.)

#include <string>
#include <string_view>

#include "macros/LibraryLocation.h"
#include "macros/MacroLibrary.h"

// The whole file as text; `selected` goes into line 3.
std::u16string LibraryFileText(const MacroLibrary& library, const LibraryLocation& selected);

// Creates or replaces the file (atomically). When the library was read from this very path
// and that file was damaged, the old file is kept as a dated backup first. False when the file
// (or that copy) cannot be written; the old file is then untouched.
// (That is why the library is not const: it forgets the damaged source once it is kept.)
[[nodiscard]] bool WriteLibraryFile(std::u16string_view path, MacroLibrary& library,
                                    const LibraryLocation& selected);
// Writes the library's own file with no selection in line 3.
[[nodiscard]] bool SaveLibraryFile(MacroLibrary& library);

// Start-up reader of the library's own file. A missing file leaves the library as it is
// (empty, counter 1 at start-up). Otherwise the library is cleared and filled with every
// entry read before a defect; blocks at locations that name no place are skipped. Any
// defect marks the file damaged (see WriteLibraryFile). An action line of any length is
// taken: missing digits give zero bytes. True when the whole file was read.
bool ReadLibraryFile(MacroLibrary& library);
// The same reader for an explicit path.
bool ReadLibraryFileAt(std::u16string_view path, MacroLibrary& library);

// Import reader for export files: as the start-up reader, but an action line must have
// exactly 1472 digits, and the location of line 3 is stored in `importLocation` (moved along
// when the groups are packed; a location naming no entry keeps naming none). None when the
// file ended before line 3.
bool ReadImportFile(std::u16string_view path, MacroLibrary& scratch,
                    LibraryLocation& importLocation);
