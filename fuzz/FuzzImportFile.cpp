// Import reader and the import algorithms: any bytes as an export file, imported next to
// each kind of selection of a small library.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "macros/MacroExport.h"
#include "macros/MacroLibraryFile.h"

namespace {

void MakeTarget(MacroLibrary& lib) {
  LibraryLocation sel = LibraryLocation::None();
  (void)lib.AddMacro(u"A", sel);
  sel = LibraryLocation::None();
  (void)lib.AddFolder(u"F", sel);
  (void)lib.AddFolder(u"G", sel);
  (void)lib.AddMacro(u"x", sel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::MemoryFileSystem& files = fuzz::InstallMemoryFiles();
  const std::u16string path = u"C:\\Data\\in.mbf";
  files.files[path] = fuzz::FileBytes(data, size);

  MacroLibrary scratch;
  LibraryLocation imported;
  (void)ReadImportFile(path, scratch, imported);
  fuzz::CheckLibrary(scratch);
  // The kept location names an entry, names nothing, or is none: never a free place that a
  // later entry could slide into.
  if (imported.IsValid() && scratch.EntryAt(imported) == nullptr) fuzz::Fail("import location");

  const LibraryLocation selections[] = {LibraryLocation::None(), LibraryLocation::Level0(0),
                                        LibraryLocation::Level0(1), LibraryLocation::Level1(1, 0),
                                        LibraryLocation::Level2(1, 0, 0)};
  for (const LibraryLocation& start : selections) {
    MacroLibrary target;
    MakeTarget(target);
    LibraryLocation sel = start;
    (void)macros::ImportEntries(path, target, scratch, sel);
    if (!scratch.IsEmpty()) fuzz::Fail("scratch kept");
    sel = start;
    (void)macros::ImportMacro(path, target, scratch, sel);
    fuzz::CheckLibrary(target);
  }
  return 0;
}
