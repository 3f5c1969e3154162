#pragma once
// What the macro manager and the shooting-action manager share: the library they edit and
// its kind, the selected entry, and the entry commands of the list's context menu (new
// entry or folder, rename, delete, export and import). A derived manager builds its
// controls and says how its lists follow a changed library.

#include <cstdint>

#include "macros/LibraryLocation.h"
#include "macros/editing/LibraryKind.h"
#include "ui/DlgBase.h"

class CEditShowList;
class MacroLibrary;
class ViewServices;
struct MacroRecord;

class CLibraryManagerDlg : public CDlgBase {
 public:
  // After the dialog ended: whether closing wrote the library file.
  bool Saved() const { return m_bSaved; }
  CEditShowList* LibraryList() const { return m_pLibrary; }
  // The record of the selected entry; nothing for a folder or no entry.
  MacroRecord* CurrentMacro() const;
  const macros::editing::LibraryKind& Kind() const { return m_kind; }

 protected:
  CLibraryManagerDlg(platform::WindowId parent, ViewServices& services, MacroLibrary& library,
                     LibraryLocation& selection, MacroLibrary& scratch,
                     const macros::editing::LibraryKind& kind);

  // The library list and the selected entry's controls follow the library; `showSelection`
  // scrolls the list to the selection.
  virtual void LoadSelection() = 0;
  void ReloadLists(bool showSelection);

  void Show(int text);
  void NewEntry(bool folder);
  void RenameEntry();
  void DeleteEntry();
  void ExportEntries(bool single);
  void ImportEntries(bool single);

  void OnOK() override {}
  void OnCancel() override {}

  ViewServices& m_services;
  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  MacroLibrary& m_scratch;
  const macros::editing::LibraryKind& m_kind;
  bool m_bSaved = false;
  CEditShowList* m_pLibrary = nullptr;
};
