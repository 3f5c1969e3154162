#include "macros/bullets/ShootingLibraryEditor.h"

#include "macros/bullets/BulletRules.h"

namespace bullets {

MacroRecord* ShootingLibraryEditor::Current() {
  LibraryEntry* entry = m_library.EntryAt(m_selection);
  return entry != nullptr && entry->IsMacro() ? entry->record.get() : nullptr;
}

void ShootingLibraryEditor::SelectRow(int row) {
  m_selection = row < 0 ? LibraryLocation::None() : m_library.RowToLocation(row);
}

int ShootingLibraryEditor::Add(std::u16string_view name, bool folder) {
  if (name.empty()) return text::kEnterName;
  const LibraryLocation before = m_selection;
  const LibraryEntry* previous = m_library.EntryAt(before);
  const bool openFolder = previous != nullptr && previous->IsFolder();
  const MacroLibrary::AddResult result =
      folder ? m_library.AddFolder(name, m_selection) : m_library.AddMacro(name, m_selection);
  switch (result) {
    case MacroLibrary::AddResult::Added:
      break;
    case MacroLibrary::AddResult::NameExists:
      return text::kNameExists;
    case MacroLibrary::AddResult::InvalidName:
      return text::kEnterName;
    case MacroLibrary::AddResult::GroupFull:
    case MacroLibrary::AddResult::NoTarget:
      return 0;
  }
  if (openFolder) (void)m_library.SetFolderOpen(before, true);
  if (!folder) {
    if (MacroRecord* record = Current()) InitShootingAction(*record);
  }
  return 0;
}

int ShootingLibraryEditor::NewShootingAction(std::u16string_view name) {
  return Add(name, false);
}

int ShootingLibraryEditor::NewFolder(std::u16string_view name) {
  return Add(name, true);
}

int ShootingLibraryEditor::CheckRename(std::u16string_view name) const {
  if (name.empty()) return text::kEnterName;
  if (m_library.NameUsedInGroup(name, m_selection)) return text::kNameExists;
  return 0;
}

int ShootingLibraryEditor::Rename(std::u16string_view name) {
  if (SelectedEntry() == nullptr) return text::kSelectEntry;
  if (const int refused = CheckRename(name)) return refused;
  (void)m_library.Rename(m_selection, name);
  return 0;
}

int ShootingLibraryEditor::CheckSelected() const {
  return SelectedEntry() == nullptr ? text::kSelectEntry : 0;
}

int ShootingLibraryEditor::Delete(std::span<const AssignedButton> currentButtons) {
  if (const int refused = CheckSelected()) return refused;
  for (const AssignedButton& button : currentButtons) {
    if (button.type == kShootingType && m_library.Contains(button.macroKeyIndex, m_selection)) {
      return text::kUsedByButton;
    }
  }
  (void)m_library.Delete(m_selection);
  m_selection = LibraryLocation::None();
  return 0;
}

bool ShootingLibraryEditor::SetLoopType(uint8_t type) {
  MacroRecord* record = Current();
  if (record == nullptr) return false;
  record->MacroKeyLoopType = type;
  return true;
}

bool ShootingLibraryEditor::SetLoopCount(uint64_t typed) {
  MacroRecord* record = Current();
  if (record == nullptr) return false;
  record->MacroKeyLoopNum = ClampLoopCount(typed);
  return true;
}

}  // namespace bullets
