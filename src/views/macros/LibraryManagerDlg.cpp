#include "views/macros/LibraryManagerDlg.h"

#include <vector>

#include "macros/MacroLibrary.h"
#include "macros/editing/LibraryEdits.h"
#include "profiles/ProfileSettings.h"
#include "views/ViewServices.h"
#include "views/macros/EditShowList.h"
#include "views/macros/LibraryTransfer.h"
#include "views/macros/MacroKeyOrFolderNameDlg.h"
#include "views/macros/MacroKeyRenameDlg.h"

CLibraryManagerDlg::CLibraryManagerDlg(platform::WindowId parent, ViewServices& services,
                                       MacroLibrary& library, LibraryLocation& selection,
                                       MacroLibrary& scratch,
                                       const macros::editing::LibraryKind& kind)
    : CDlgBase(kDialogTemplate, parent),
      m_services(services),
      m_library(library),
      m_selection(selection),
      m_scratch(scratch),
      m_kind(kind) {}

MacroRecord* CLibraryManagerDlg::CurrentMacro() const {
  LibraryEntry* entry = m_library.EntryAt(m_selection);
  return entry != nullptr && entry->IsMacro() ? entry->record.get() : nullptr;
}

void CLibraryManagerDlg::Show(int textNumber) {
  (void)m_services.ShowMessage(textNumber, ViewServices::Box::Modal);
}

void CLibraryManagerDlg::ReloadLists(bool showSelection) {
  if (m_pLibrary) {
    m_pLibrary->Reload();
    if (showSelection) m_pLibrary->ShowSelection();
  }
  LoadSelection();
}

void CLibraryManagerDlg::NewEntry(bool folder) {
  using macros::editing::EntryKind;
  const EntryKind kind = folder ? EntryKind::Folder : EntryKind::Macro;
  bool added = false;
  CMacroKeyOrFolderNameDlg dlg(
      GetSafeHwnd(), kind,
      [&](std::u16string_view name) {
        return macros::editing::AddEntry(m_library, m_selection, kind, name, &added,
                                         m_kind.functionType);
      },
      [this](int t) { Show(t); });
  if (dlg.DoModal() != kIdOk || !added) return;
  ReloadLists(true);
}

void CLibraryManagerDlg::RenameEntry() {
  const LibraryEntry* entry = m_library.EntryAt(m_selection);
  if (!entry) {
    Show(macros::text::kSelectEntry);
    return;
  }
  const LibraryLocation location = m_selection;
  CMacroKeyRenameDlg dlg(
      GetSafeHwnd(), entry->name,
      [&](std::u16string_view name) {
        return macros::editing::RenameEntry(m_library, location, name);
      },
      [this](int t) { Show(t); });
  (void)dlg.DoModal();
  if (m_pLibrary) m_pLibrary->Reload();
}

void CLibraryManagerDlg::DeleteEntry() {
  if (const int refusal = macros::editing::CheckDeleteSelection(m_library, m_selection)) {
    Show(refusal);
    return;
  }
  if (m_services.ShowMessage(macros::text::kConfirmDelete, ViewServices::Box::Modal) != kIdOk) {
    return;
  }
  std::vector<macros::editing::ButtonUse> uses;
  for (const ButtonSlot& button : m_services.CurrentProfile().buttons) {
    uses.push_back({button.KeyValue[0], button.MacroKeyIndex});
  }
  if (const int refusal =
          macros::editing::DeleteEntry(m_library, m_selection, uses, m_kind.functionType)) {
    Show(refusal);
    return;
  }
  ReloadLists(false);
}

void CLibraryManagerDlg::ExportEntries(bool single) {
  if (const int refusal =
          macros::transfer::Export(GetSafeHwnd(), m_library, m_selection, single, m_kind)) {
    Show(refusal);
  }
}

void CLibraryManagerDlg::ImportEntries(bool single) {
  const macros::transfer::ImportOutcome outcome =
      macros::transfer::Import(GetSafeHwnd(), m_library, m_scratch, m_selection, single, m_kind);
  if (outcome.refusalText) Show(outcome.refusalText);
  if (outcome.imported) ReloadLists(true);
}
