#pragma once
// Export and import through a library list's context menu, for either library: the file
// dialog, then the transfer. `single` is one macro (.mkf), otherwise the selection's entries
// (.mbf).

#include "macros/LibraryLocation.h"
#include "macros/editing/LibraryKind.h"
#include "platform/Types.h"

class MacroLibrary;

namespace macros::transfer {

// Nothing happens for a single export without a selected macro. Returns the text to show
// (0 for none).
[[nodiscard]] int Export(platform::WindowId owner, MacroLibrary& library,
                         const LibraryLocation& selection, bool single,
                         const editing::LibraryKind& kind);

struct ImportOutcome {
  bool imported = false;
  int refusalText = 0;
};
[[nodiscard]] ImportOutcome Import(platform::WindowId owner, MacroLibrary& library,
                                   MacroLibrary& scratch, LibraryLocation& selection, bool single,
                                   const editing::LibraryKind& kind);

}  // namespace macros::transfer
