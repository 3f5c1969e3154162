#pragma once
// A library of macros: a tree of at most three levels, 45 places per group, folders at
// levels 0 and 1 only. Each group is packed (its used places are 0..n-1) and its names are
// unique (exact comparison).
//
// Storage grows with use: a group holds only the places up to its last used one, and a place
// without children holds no child group, so an empty library owns no heap memory at all.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macros/LibraryEntry.h"
#include "macros/LibraryLocation.h"
#include "macros/MacroRecord.h"

class MacroLibrary {
 public:
  static constexpr int32_t kGroupSize = LibraryLocation::kGroupSize;

  enum class AddResult {
    Added,        // the selection now names the new entry
    NameExists,   // the target group has an entry of that name (the caller shows text 241)
    GroupFull,    // the target group has 45 entries: nothing happens, nothing is shown
    NoTarget,     // a folder cannot go below a level-1 folder: nothing happens
    InvalidName,  // an empty name would be a free place
  };

  // `fileName`: the library's own file below the data folder ("config\\...mlf"); empty
  // for a library that has none (the scratch library of imports).
  explicit MacroLibrary(std::u16string fileName = {});
  MacroLibrary(const MacroLibrary&) = delete;
  MacroLibrary& operator=(const MacroLibrary&) = delete;

  const std::u16string& FileName() const { return m_fileName; }
  // Full path of the own file (the data folder + FileName), empty when there is none.
  std::u16string FilePath() const;

  // The file this library was read from when that file was damaged (part of it could not be
  // taken over). Writing over that file keeps the old one as a dated backup first.
  const std::u16string& DamagedSource() const { return m_damagedSource; }
  void SetDamagedSource(std::u16string path) { m_damagedSource = std::move(path); }

  // Counter for the next MacroKeyIndex; 1 in a new library, never handed out twice. 0 after
  // the counter ran past the top of its range: the next macro takes the lowest free number.
  uint32_t NextKeyIndex() const { return m_nextKeyIndex; }
  void SetNextKeyIndex(uint32_t value) { m_nextKeyIndex = value; }
  // Highest MacroKeyIndex of any record, 0 when there is none.
  uint32_t MaxKeyIndex() const;

  // Deletes every entry and record; the counter stays.
  void Clear();
  bool IsEmpty() const { return m_level0.empty(); }

  // The used entry at a location; nothing for a free place or a location naming no place.
  const LibraryEntry* EntryAt(const LibraryLocation& location) const;
  LibraryEntry* EntryAt(const LibraryLocation& location);

  // Adds next to the selection and moves the selection to the new entry. A macro goes into
  // the selected folder, else to level 0 (never beside a selected macro inside a folder).
  [[nodiscard]] AddResult AddMacro(std::u16string_view name, LibraryLocation& selection);
  // As AddMacro, for a closed folder without record; not below a level-1 folder.
  [[nodiscard]] AddResult AddFolder(std::u16string_view name, LibraryLocation& selection);

  // Write an entry at an explicit place, replacing what is there (file readers). False for a
  // location that names no place, an empty name, or a folder at level 2. Places before it
  // may stay free until FinishPlacing packs the groups.
  bool PlaceMacro(const LibraryLocation& location, std::u16string_view name, MacroRecord record);
  bool PlaceFolder(const LibraryLocation& location, std::u16string_view name, bool open);
  // Ends a series of Place calls: packs every group in order and drops entries whose parent
  // is not a used folder (they could never be shown or reached). `keep`, when given, is
  // moved along with the entry it names, or made to name nothing when that entry is gone.
  void FinishPlacing(LibraryLocation* keep = nullptr);

  // Removes the entry and everything below it; later entries of the group move down with
  // their subtrees. False when the location names no used entry.
  bool Delete(const LibraryLocation& location);
  // Replaces the entry's name only (the record keeps its own). False for no entry or an
  // empty name; uniqueness is the caller's check (NameUsedInGroup).
  bool Rename(const LibraryLocation& location, std::u16string_view name);

  // Whether a used entry of the location's own group has exactly this name.
  bool NameUsedInGroup(std::u16string_view name, const LibraryLocation& location) const;
  // Whether the group an insertion at the location would go into has this name: the
  // location's children when it is a folder, else its own group; level 0 for no location.
  bool NameUsedInTarget(std::u16string_view name, const LibraryLocation& location) const;

  // The flat list: each level-0 entry, then (open folders only) its children, each followed
  // (open folders only) by its children. Each call costs at most one step per level-0 entry
  // and per child of an open folder, never one per row.
  int VisibleRowCount() const;
  LibraryLocation RowToLocation(int row) const;              // None beyond the last row
  int LocationToRow(const LibraryLocation& location) const;  // -1 when not shown

  // Whether the entry is the macro with this MacroKeyIndex or, for a folder, holds it below.
  bool Contains(uint32_t macroKeyIndex, const LibraryLocation& location) const;
  // Open flag of a used folder; false when the location names no folder.
  bool SetFolderOpen(const LibraryLocation& location, bool open);
  void CloseAllFolders();

  // Number of used entries of the group that `location` belongs to.
  int GroupCount(const LibraryLocation& location) const;

  // Calls f(location, entry) for every used entry of one level in file order: by parent
  // index, then own index.
  template <typename F>
  void ForEachEntry(int32_t stage, F&& f) const;

 private:
  struct Node {
    LibraryEntry entry;
    std::vector<Node> children;  // the child group; empty unless the entry is a folder
  };
  using Group = std::vector<Node>;

  const Group* GroupOf(const LibraryLocation& location) const;
  Group* GroupOf(const LibraryLocation& location);
  Group* MakeGroupOf(const LibraryLocation& location);
  const Node* NodeAt(const LibraryLocation& location) const;
  Node* PlaceNode(const LibraryLocation& location);
  // First place of the group an insertion relative to `selection` goes into; None when the
  // kind of entry may not go there.
  LibraryLocation TargetFirstPlace(const LibraryLocation& selection, bool folder) const;
  uint32_t TakeKeyIndex();
  AddResult Add(std::u16string_view name, LibraryLocation& selection, bool folder);
  static int VisibleRows(const Node& node, int stage);
  static bool NameIn(const Group* group, std::u16string_view name);

  std::u16string m_fileName;
  std::u16string m_damagedSource;
  uint32_t m_nextKeyIndex = 1;
  Group m_level0;
};

template <typename F>
void MacroLibrary::ForEachEntry(int32_t stage, F&& f) const {
  for (int32_t i = 0; i < static_cast<int32_t>(m_level0.size()); ++i) {
    const Node& n0 = m_level0[i];
    if (stage == 0) {
      if (n0.entry.IsUsed()) f(LibraryLocation::Level0(i), n0.entry);
      continue;
    }
    for (int32_t j = 0; j < static_cast<int32_t>(n0.children.size()); ++j) {
      const Node& n1 = n0.children[j];
      if (stage == 1) {
        if (n1.entry.IsUsed()) f(LibraryLocation::Level1(i, j), n1.entry);
        continue;
      }
      for (int32_t k = 0; k < static_cast<int32_t>(n1.children.size()); ++k) {
        if (n1.children[k].entry.IsUsed())
          f(LibraryLocation::Level2(i, j, k), n1.children[k].entry);
      }
    }
  }
}

// The process's libraries and the one library selection shared by every dialog that shows
// a library. The selection starts at level-0 place 0.
extern MacroLibrary g_macroLibrary;    // config\MacroLibraryFile.mlf
extern MacroLibrary g_bulletLibrary;   // config\BulletLibraryFile.mlf
extern MacroLibrary g_scratchLibrary;  // what an import file is read into
extern LibraryLocation g_librarySelection;
