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
class CImageButton;
class MacroLibrary;
class ViewServices;
struct MacroRecord;

class CLibraryManagerDlg : public CDlgBase {
 public:
  static constexpr int kWidth = 760;
  static constexpr int kHeight = 520;
  static constexpr uint32_t kCloseButton = 2004;

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

  // Both managers are laid out alike (unscaled): the library column on the left, the entry's
  // column from x 290, headings above the lists, and the buttons under the lists in the
  // frame's button row (y 482 to the bottom).
  static constexpr platform::Rect kLibraryHeading{20, 40, 270, 60};
  static constexpr platform::Rect kLibraryListRect{20, 64, 256, 474};
  static constexpr platform::Rect kLibraryBarRect{256, 64, 270, 474};
  static constexpr platform::Rect kNewButtonRect{20, 488, 140, 514};
  static constexpr platform::Rect kDeleteButtonRect{150, 488, 270, 514};
  static constexpr int kEntryLeft = 290;
  static constexpr int kListBottom = 474;
  static constexpr int kButtonTop = 488;
  static constexpr int kButtonBottom = 514;
  // Scaled.
  static platform::Rect Place(const platform::Rect& rc);
  // The close cross and the title, placed as in every dialog; returns the cross.
  CImageButton* AddTitleBar(uint32_t titleId, int titleText);

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
