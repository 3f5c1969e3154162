#include "views/macros/LibraryTransfer.h"

#include "base/Language.h"
#include "macros/MacroExport.h"
#include "macros/MacroLibrary.h"
#include "platform/Platform.h"
#include "views/macros/MacroTexts.h"

namespace macros::transfer {

namespace {

platform::FileDialogDesc FileDialog(platform::WindowId owner, int title, bool single,
                                    std::u16string name) {
  platform::FileDialogDesc desc;
  desc.owner = owner;
  desc.title = LangText(title);
  desc.defaultExtension = single ? u"mkf" : u"mbf";
  desc.defaultName = std::move(name);
  desc.filter = single ? u"mkf file(*.mkf)|*.mkf||" : u"mbf file(*.mbf)|*.mbf||";
  return desc;
}

}  // namespace

int Export(platform::WindowId owner, MacroLibrary& library, const LibraryLocation& selection,
           bool single, const editing::LibraryKind& kind) {
  if (single) {
    const LibraryEntry* entry = library.EntryAt(selection);
    if (entry == nullptr || !entry->IsMacro()) return 0;
  }
  platform::FileDialogDesc desc =
      FileDialog(owner, single ? text::kExportMacroTitle : text::kExportEntriesTitle, single,
                 single ? DefaultMacroExportName(library, selection)
                        : DefaultEntriesExportName(library, selection));
  desc.overwritePrompt = true;
  const std::optional<std::u16string> path = platform::ShellServices().SaveFileDialog(desc);
  if (!path) return 0;
  const bool written =
      single ? ExportMacro(*path, library, selection) : ExportEntries(*path, library, selection);
  return written ? 0 : kind.fileNotWrittenText;
}

ImportOutcome Import(platform::WindowId owner, MacroLibrary& library, MacroLibrary& scratch,
                     LibraryLocation& selection, bool single, const editing::LibraryKind& kind) {
  platform::FileDialogDesc desc =
      FileDialog(owner, single ? text::kImportMacroTitle : text::kImportEntriesTitle, single,
                 single ? u".mkf" : u".mbf");
  desc.mustExist = true;
  const std::optional<std::u16string> path = platform::ShellServices().OpenFileDialog(desc);
  if (!path) return {};
  switch (single ? ImportMacro(*path, library, scratch, selection)
                 : ImportEntries(*path, library, scratch, selection)) {
    case ImportResult::Imported:
      return {true, 0};
    case ImportResult::NameExists:
      return {false, text::kNameUsed};
    case ImportResult::NothingToImport:
    case ImportResult::Unreadable:
      return {false, kind.nothingToImportText};
    case ImportResult::GroupFull:
      break;
  }
  return {};
}

}  // namespace macros::transfer
