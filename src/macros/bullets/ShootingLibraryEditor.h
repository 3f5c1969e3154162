#pragma once
// What the shooting-action manager does to its library, without a window: new entries and
// folders, rename, delete with its refusal, and the current entry's bullets and loop. Each
// refused request answers with the number of the message text to show (0 = done) and
// changes nothing.

#include <cstdint>
#include <span>
#include <string_view>

#include "macros/LibraryLocation.h"
#include "macros/MacroLibrary.h"

namespace bullets {

// A button of the current profile as the delete check sees it.
struct AssignedButton {
  uint8_t type = 0;  // first byte of the function code
  uint32_t macroKeyIndex = 0;
};

namespace text {
constexpr int kSelectEntry = 233;
constexpr int kSelectShootingAction = 234;
constexpr int kNameExists = 241;
constexpr int kEnterName = 242;
constexpr int kUsedByButton = 257;
}  // namespace text

class ShootingLibraryEditor {
 public:
  static constexpr uint8_t kShootingType = 0x91;

  ShootingLibraryEditor(MacroLibrary& library, LibraryLocation& selection)
      : m_library(library), m_selection(selection) {}

  MacroLibrary& Library() { return m_library; }
  const LibraryLocation& Selection() const { return m_selection; }
  // The entry the selection names (nullptr for none or a free place) and its record when it
  // is a shooting action.
  const LibraryEntry* SelectedEntry() const { return m_library.EntryAt(m_selection); }
  MacroRecord* Current();

  // Selecting a row: the row's location, none below the last row.
  void SelectRow(int row);
  void Select(const LibraryLocation& location) { m_selection = location; }

  // New shooting action (four bullets) or folder next to the selection; a selected folder is
  // opened. A full group refuses silently (0, nothing added).
  [[nodiscard]] int NewShootingAction(std::u16string_view name);
  [[nodiscard]] int NewFolder(std::u16string_view name);
  // The name check of the rename dialog; the entry itself counts as a user of its name.
  [[nodiscard]] int CheckRename(std::u16string_view name) const;
  [[nodiscard]] int Rename(std::u16string_view name);
  // Before the confirmation: is there anything to delete?
  [[nodiscard]] int CheckSelected() const;
  // After the confirmation: refused while a shooting button of the current profile uses the
  // entry or something below it. Only shooting buttons count: macro numbers of the other
  // library say nothing about this one. The selection becomes none.
  [[nodiscard]] int Delete(std::span<const AssignedButton> currentButtons);

  // Loop settings of the current entry; false without one.
  bool SetLoopType(uint8_t type);
  bool SetLoopCount(uint64_t typed);

 private:
  int Add(std::u16string_view name, bool folder);

  MacroLibrary& m_library;
  LibraryLocation& m_selection;
};

}  // namespace bullets
