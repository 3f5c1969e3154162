#include "macros/MacroExport.h"

#include <vector>

#include "macros/MacroLibraryFile.h"
#include "platform/Platform.h"

namespace macros {
namespace {

// Everything but the number: the copy keeps the MacroKeyIndex its new library gave it.
void CopyRecordContent(MacroRecord& to, const MacroRecord& from) {
  to.name = from.name;
  to.MacroActionNum = from.MacroActionNum;
  to.MacroKeyLoopType = from.MacroKeyLoopType;
  to.MacroKeyLoopNum = from.MacroKeyLoopNum;
  to.MacroCommandActionNum = from.MacroCommandActionNum;
  to.actions = from.actions;
  to.ClampCounts();
}

// Adds a macro next to `selection` and fills its record; the selection moves to it.
MacroLibrary::AddResult AddMacroCopy(MacroLibrary& library, const LibraryEntry& source,
                                     LibraryLocation& selection) {
  const MacroLibrary::AddResult result = library.AddMacro(source.name, selection);
  if (result == MacroLibrary::AddResult::Added) {
    CopyRecordContent(*library.EntryAt(selection)->record, *source.record);
  }
  return result;
}

// The scratch library holds an import only while it runs.
struct ScratchCleaner {
  MacroLibrary& scratch;
  ~ScratchCleaner() { scratch.Clear(); }
};

void OpenIfFolder(MacroLibrary& library, const LibraryLocation& location) {
  const LibraryEntry* entry = library.EntryAt(location);
  if (entry != nullptr && entry->IsFolder()) library.SetFolderOpen(location, true);
}

bool SameAsciiNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - u'a' + u'A');
    if (x != y) return false;
  }
  return true;
}

bool IsDeviceName(std::u16string_view stem) {
  static constexpr std::u16string_view kFixed[] = {u"CON", u"PRN",    u"AUX",
                                                   u"NUL", u"CONIN$", u"CONOUT$"};
  for (std::u16string_view name : kFixed) {
    if (SameAsciiNoCase(stem, name)) return true;
  }
  if (stem.size() == 4 && stem[3] >= u'1' && stem[3] <= u'9') {
    return SameAsciiNoCase(stem.substr(0, 3), u"COM") || SameAsciiNoCase(stem.substr(0, 3), u"LPT");
  }
  return false;
}

}  // namespace

std::u16string SafeFileName(std::u16string_view name) {
  std::u16string safe;
  safe.reserve(name.size() + 1);
  for (char16_t c : name) {
    const bool reserved =
        c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
    safe.push_back(reserved ? u'_' : c);
  }
  // Windows drops trailing dots and blanks, which would change the name (and the extension).
  while (!safe.empty() && (safe.back() == u'.' || safe.back() == u' ')) safe.pop_back();
  // A device name stays one whatever extension follows it ("CON.mkf" is the console).
  const size_t dot = safe.find(u'.');
  std::u16string_view stem(safe);
  stem = stem.substr(0, dot);
  while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
  if (IsDeviceName(stem)) safe.insert(safe.begin(), u'_');
  return safe;
}

std::u16string DefaultMacroExportName(const MacroLibrary& library,
                                      const LibraryLocation& selection) {
  const LibraryEntry* entry = library.EntryAt(selection);
  return (entry != nullptr ? SafeFileName(entry->name) : std::u16string()) + u".mkf";
}

std::u16string DefaultEntriesExportName(const MacroLibrary& library,
                                        const LibraryLocation& selection) {
  const LibraryEntry* entry = library.EntryAt(selection);
  return entry != nullptr ? SafeFileName(entry->name) + u".mbf"
                          : std::u16string(u"AllMacroKey.mbf");
}

bool ExportMacro(std::u16string_view path, MacroLibrary& library,
                 const LibraryLocation& selection) {
  const LibraryEntry* entry = library.EntryAt(selection);
  if (entry == nullptr || !entry->IsMacro()) return false;
  return WriteLibraryFile(path, library, selection);
}

bool ExportEntries(std::u16string_view path, MacroLibrary& library,
                   const LibraryLocation& selection) {
  return WriteLibraryFile(path, library, selection);
}

ImportResult ImportMacro(std::u16string_view path, MacroLibrary& library, MacroLibrary& scratch,
                         LibraryLocation& selection) {
  if (!platform::Files().FileExists(path)) return ImportResult::Unreadable;
  LibraryLocation imported;
  // A file rejected part-way still offers what was read before the defect.
  (void)ReadImportFile(path, scratch, imported);
  const ScratchCleaner cleaner{scratch};
  const LibraryEntry* source = scratch.EntryAt(imported);
  if (source == nullptr || !source->IsMacro()) return ImportResult::NothingToImport;

  const LibraryLocation before = selection;
  switch (AddMacroCopy(library, *source, selection)) {
    case MacroLibrary::AddResult::Added:
      OpenIfFolder(library, before);
      return ImportResult::Imported;
    case MacroLibrary::AddResult::NameExists:
      return ImportResult::NameExists;
    case MacroLibrary::AddResult::GroupFull:
      return ImportResult::GroupFull;
    default:
      return ImportResult::NothingToImport;
  }
}

ImportResult ImportEntries(std::u16string_view path, MacroLibrary& library, MacroLibrary& scratch,
                           LibraryLocation& selection) {
  if (!platform::Files().FileExists(path)) return ImportResult::Unreadable;
  LibraryLocation imported;
  (void)ReadImportFile(path, scratch, imported);
  const ScratchCleaner cleaner{scratch};

  // The source set: from the named entry to the end of its group.
  LibraryLocation first = LibraryLocation::Level0(0);
  if (!imported.IsNone()) {
    if (scratch.EntryAt(imported) == nullptr) return ImportResult::NothingToImport;
    first = imported.Normalized();
  }
  std::vector<LibraryLocation> sources;
  for (int32_t i = first.Index(); i < MacroLibrary::kGroupSize; ++i) {
    const LibraryLocation location = first.WithIndex(i);
    if (scratch.EntryAt(location) == nullptr) break;
    sources.push_back(location);
  }
  if (sources.empty()) return ImportResult::NothingToImport;

  // All or nothing: every name is checked before anything is added.
  for (const LibraryLocation& location : sources) {
    if (library.NameUsedInTarget(scratch.EntryAt(location)->name, selection)) {
      return ImportResult::NameExists;
    }
  }

  const LibraryLocation anchor = selection;
  const LibraryEntry* anchorEntry = library.EntryAt(anchor);
  const bool foldersAllowed = anchorEntry != nullptr && anchor.stage == 0;
  OpenIfFolder(library, anchor);

  for (const LibraryLocation& location : sources) {
    const LibraryEntry& source = *scratch.EntryAt(location);
    LibraryLocation at = anchor;
    if (source.IsMacro()) {
      if (AddMacroCopy(library, source, at) == MacroLibrary::AddResult::Added) selection = at;
      continue;
    }
    if (!source.IsFolder() || !foldersAllowed) continue;
    if (library.AddFolder(source.name, at) != MacroLibrary::AddResult::Added) continue;
    selection = at;
    const LibraryLocation folder = at;
    for (int32_t i = 0; i < MacroLibrary::kGroupSize; ++i) {
      const LibraryEntry* child = scratch.EntryAt(location.Normalized().FirstChild().WithIndex(i));
      if (child == nullptr) break;
      if (!child->IsMacro()) continue;  // sub-folders stay behind
      LibraryLocation inFolder = folder;
      (void)AddMacroCopy(library, *child, inFolder);
    }
  }
  return ImportResult::Imported;
}

}  // namespace macros
