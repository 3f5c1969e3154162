#pragma once
// The benchmark library: 20 folders of 10 subfolders of 10 macros, 2,000 full macros of 184
// actions (92 of them keys) each, every folder open.

#include <cstdint>

#include "base/Format.h"
#include "macros/LibraryLocation.h"
#include "macros/MacroAction.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecord.h"

namespace bench {

inline void FillLibrary(MacroLibrary& lib) {
  for (int i = 0; i < 20; ++i) {
    LibraryLocation sel = LibraryLocation::None();
    (void)lib.AddFolder(base::Format(u"Folder %d", i), sel);
    lib.SetFolderOpen(sel, true);
    const LibraryLocation top = sel;
    for (int j = 0; j < 10; ++j) {
      sel = top;
      (void)lib.AddFolder(base::Format(u"Sub %d", j), sel);
      lib.SetFolderOpen(sel, true);
      const LibraryLocation sub = sel;
      for (int k = 0; k < 10; ++k) {
        sel = sub;
        (void)lib.AddMacro(base::Format(u"Macro %d-%d-%d", i, j, k), sel);
        MacroRecord& r = *lib.EntryAt(sel)->record;
        for (uint32_t a = 0; a < MacroRecord::kMaxActions; ++a) {
          (void)r.InsertAction(
              a, a % 2 ? MacroAction::Delay(a * 7)
                       : MacroAction::Key(static_cast<uint8_t>(0x41 + a % 26), a % 4 == 2));
        }
        r.MacroCommandActionNum = 92;
      }
    }
  }
}

}  // namespace bench
