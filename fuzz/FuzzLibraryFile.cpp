// Start-up reader: any bytes as the library's own file. The library read must satisfy the
// model's invariants, and writing it and reading it back must give the same file.

#include <cstddef>
#include <cstdint>

#include "base/AppGlobals.h"
#include "fuzz/FuzzSupport.h"
#include "macros/MacroLibraryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::MemoryFileSystem& files = fuzz::InstallMemoryFiles();
  g_strDataDir = u"C:\\Data\\";
  MacroLibrary lib(u"config\\MacroLibraryFile.mlf");
  files.files[lib.FilePath()] = fuzz::FileBytes(data, size);

  const bool complete = ReadLibraryFile(lib);
  fuzz::CheckLibrary(lib, fuzz::Counter::AboveAll);
  if (complete != lib.DamagedSource().empty()) fuzz::Fail("damaged flag");

  const std::u16string text = LibraryFileText(lib, LibraryLocation::None());
  if (!SaveLibraryFile(lib)) fuzz::Fail("save");
  if (!complete && base::BackupsOf(lib.FilePath()).empty()) fuzz::Fail("no .bak");
  MacroLibrary again(u"config\\MacroLibraryFile.mlf");
  if (!ReadLibraryFile(again)) fuzz::Fail("own file not read back");
  if (LibraryFileText(again, LibraryLocation::None()) != text) fuzz::Fail("round trip");

  // The model's operations keep the invariants on whatever was read.
  LibraryLocation selection = again.RowToLocation(again.VisibleRowCount() / 2);
  (void)again.AddFolder(u"fuzz folder", selection);
  (void)again.AddMacro(u"fuzz macro", selection);
  const LibraryEntry* added = again.EntryAt(selection);
  if (added != nullptr && added->record) {
    const uint32_t number = added->record->MacroKeyIndex;
    for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
      again.ForEachEntry(stage, [&](const LibraryLocation&, const LibraryEntry& e) {
        if (&e != added && e.record && e.record->MacroKeyIndex == number)
          fuzz::Fail("number reused");
      });
    }
  }
  again.Delete(again.RowToLocation(0));
  again.CloseAllFolders();
  fuzz::CheckLibrary(again);
  return 0;
}
