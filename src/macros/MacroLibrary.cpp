#include "macros/MacroLibrary.h"

#include <algorithm>
#include <utility>

#include "base/AppGlobals.h"

MacroLibrary g_macroLibrary(u"config\\MacroLibraryFile.mlf");
MacroLibrary g_bulletLibrary(u"config\\BulletLibraryFile.mlf");
MacroLibrary g_scratchLibrary;
LibraryLocation g_librarySelection = LibraryLocation::Level0(0);

MacroLibrary::MacroLibrary(std::u16string fileName) : m_fileName(std::move(fileName)) {}

std::u16string MacroLibrary::FilePath() const {
  return m_fileName.empty() ? std::u16string() : g_strDataDir + m_fileName;
}

uint32_t MacroLibrary::MaxKeyIndex() const {
  uint32_t highest = 0;
  for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
    ForEachEntry(stage, [&](const LibraryLocation&, const LibraryEntry& entry) {
      if (entry.record) highest = std::max(highest, entry.record->MacroKeyIndex);
    });
  }
  return highest;
}

void MacroLibrary::Clear() {
  m_level0.clear();
}

uint32_t MacroLibrary::TakeKeyIndex() {
  if (m_nextKeyIndex == 0) {
    // Only a file with numbers near the top of the range gets here: go on with the lowest
    // number that no macro uses, so buttons never find two macros for one number.
    std::vector<uint32_t> used;
    for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
      ForEachEntry(stage, [&](const LibraryLocation&, const LibraryEntry& entry) {
        if (entry.record) used.push_back(entry.record->MacroKeyIndex);
      });
    }
    std::sort(used.begin(), used.end());
    m_nextKeyIndex = 1;
    for (uint32_t index : used) {
      if (index == m_nextKeyIndex) ++m_nextKeyIndex;
    }
  }
  return m_nextKeyIndex++;
}

const MacroLibrary::Group* MacroLibrary::GroupOf(const LibraryLocation& location) const {
  if (!location.IsValid()) return nullptr;
  const Group* group = &m_level0;
  if (location.stage >= 1) {
    if (location.stage0Index >= static_cast<int32_t>(group->size())) return nullptr;
    group = &(*group)[location.stage0Index].children;
  }
  if (location.stage >= 2) {
    if (location.stage1Index >= static_cast<int32_t>(group->size())) return nullptr;
    group = &(*group)[location.stage1Index].children;
  }
  return group;
}

MacroLibrary::Group* MacroLibrary::GroupOf(const LibraryLocation& location) {
  return const_cast<Group*>(std::as_const(*this).GroupOf(location));
}

MacroLibrary::Group* MacroLibrary::MakeGroupOf(const LibraryLocation& location) {
  if (!location.IsValid()) return nullptr;
  Group* group = &m_level0;
  const int32_t parents[] = {location.stage0Index, location.stage1Index};
  for (int32_t level = 0; level < location.stage; ++level) {
    const auto index = static_cast<size_t>(parents[level]);
    if (group->size() <= index) group->resize(index + 1);
    group = &(*group)[index].children;
  }
  return group;
}

const MacroLibrary::Node* MacroLibrary::NodeAt(const LibraryLocation& location) const {
  const Group* group = GroupOf(location);
  if (group == nullptr) return nullptr;
  const int32_t index = location.Index();
  return index < static_cast<int32_t>(group->size()) ? &(*group)[index] : nullptr;
}

MacroLibrary::Node* MacroLibrary::PlaceNode(const LibraryLocation& location) {
  Group* group = MakeGroupOf(location);
  if (group == nullptr) return nullptr;
  const auto index = static_cast<size_t>(location.Index());
  if (group->size() <= index) group->resize(index + 1);
  return &(*group)[index];
}

const LibraryEntry* MacroLibrary::EntryAt(const LibraryLocation& location) const {
  const Node* node = NodeAt(location);
  return node != nullptr && node->entry.IsUsed() ? &node->entry : nullptr;
}

LibraryEntry* MacroLibrary::EntryAt(const LibraryLocation& location) {
  return const_cast<LibraryEntry*>(std::as_const(*this).EntryAt(location));
}

bool MacroLibrary::NameIn(const Group* group, std::u16string_view name) {
  if (group == nullptr) return false;
  return std::any_of(group->begin(), group->end(), [&](const Node& node) {
    return node.entry.IsUsed() && node.entry.name == name;
  });
}

LibraryLocation MacroLibrary::TargetFirstPlace(const LibraryLocation& selection,
                                               bool folder) const {
  const LibraryEntry* selected = EntryAt(selection);
  if (selected == nullptr || !selected->IsFolder()) return LibraryLocation::Level0(0);
  if (selection.stage == 0) return selection.Normalized().FirstChild();
  if (selection.stage == 1 && !folder) return selection.Normalized().FirstChild();
  return LibraryLocation::None();
}

MacroLibrary::AddResult MacroLibrary::Add(std::u16string_view name, LibraryLocation& selection,
                                          bool folder) {
  if (name.empty()) return AddResult::InvalidName;
  const LibraryLocation first = TargetFirstPlace(selection, folder);
  if (first.IsNone()) return AddResult::NoTarget;
  if (NameIn(GroupOf(first), name)) return AddResult::NameExists;

  Group* group = MakeGroupOf(first);
  auto freePlace = std::find_if(group->begin(), group->end(),
                                [](const Node& node) { return !node.entry.IsUsed(); });
  if (freePlace == group->end()) {
    if (static_cast<int32_t>(group->size()) >= kGroupSize) return AddResult::GroupFull;
    freePlace = group->emplace(group->end());
  }
  Node& node = *freePlace;
  node.children.clear();
  node.entry = LibraryEntry{};
  node.entry.name = name;
  if (folder) {
    node.entry.MacroItemIsFolder = 1;
  } else {
    node.entry.record = std::make_unique<MacroRecord>();
    node.entry.record->name = name;
    node.entry.record->MacroKeyIndex = TakeKeyIndex();
  }
  selection = first.WithIndex(static_cast<int32_t>(freePlace - group->begin()));
  return AddResult::Added;
}

MacroLibrary::AddResult MacroLibrary::AddMacro(std::u16string_view name,
                                               LibraryLocation& selection) {
  return Add(name, selection, false);
}

MacroLibrary::AddResult MacroLibrary::AddFolder(std::u16string_view name,
                                                LibraryLocation& selection) {
  return Add(name, selection, true);
}

bool MacroLibrary::PlaceMacro(const LibraryLocation& location, std::u16string_view name,
                              MacroRecord record) {
  if (name.empty() || !location.IsValid()) return false;
  Node* node = PlaceNode(location);
  node->entry.name = name;
  node->entry.record = std::make_unique<MacroRecord>(std::move(record));
  node->entry.MacroItemIsFolder = 0;
  node->entry.MacroItemFolderIsOpen = 0;
  return true;
}

bool MacroLibrary::PlaceFolder(const LibraryLocation& location, std::u16string_view name,
                               bool open) {
  if (name.empty() || !location.IsValid() || location.stage >= 2) return false;
  Node* node = PlaceNode(location);
  node->entry.name = name;
  node->entry.record.reset();
  node->entry.MacroItemIsFolder = 1;
  node->entry.MacroItemFolderIsOpen = open ? 1 : 0;
  return true;
}

void MacroLibrary::FinishPlacing(LibraryLocation* keep) {
  // Where the kept entry lands: the used places before it in each of its groups.
  if (keep != nullptr && !keep->IsNone()) {
    LibraryLocation moved = LibraryLocation::None();
    if (keep->IsValid() && EntryAt(*keep) != nullptr) {
      moved = keep->Normalized();
      const int32_t indices[] = {keep->stage0Index, keep->stage1Index, keep->stage2Index};
      int32_t* targets[] = {&moved.stage0Index, &moved.stage1Index, &moved.stage2Index};
      const Group* group = &m_level0;
      for (int32_t level = 0; level <= keep->stage && group != nullptr; ++level) {
        const Node& node = (*group)[indices[level]];
        const bool reachable =
            node.entry.IsUsed() && (level == keep->stage || node.entry.IsFolder());
        if (!reachable) {
          group = nullptr;
          break;
        }
        *targets[level] =
            static_cast<int32_t>(std::count_if(group->begin(), group->begin() + indices[level],
                                               [](const Node& n) { return n.entry.IsUsed(); }));
        group = &node.children;
      }
      if (group == nullptr) moved = LibraryLocation::None();
    }
    // A location that names nothing must go on naming nothing, not "no selection".
    *keep = moved.IsNone() ? LibraryLocation{LibraryLocation::kLevels, 0, 0, 0} : moved;
  }

  auto pack = [](Group& group, int32_t stage, auto& self) -> void {
    std::erase_if(group, [](const Node& node) { return !node.entry.IsUsed(); });
    for (Node& node : group) {
      if (stage == 2 || !node.entry.IsFolder()) {
        node.children.clear();
        node.children.shrink_to_fit();
      } else {
        self(node.children, stage + 1, self);
      }
    }
  };
  pack(m_level0, 0, pack);
}

bool MacroLibrary::Delete(const LibraryLocation& location) {
  Group* group = GroupOf(location);
  if (group == nullptr || EntryAt(location) == nullptr) return false;
  group->erase(group->begin() + location.Index());
  return true;
}

bool MacroLibrary::Rename(const LibraryLocation& location, std::u16string_view name) {
  LibraryEntry* entry = EntryAt(location);
  if (entry == nullptr || name.empty()) return false;
  entry->name = name;
  return true;
}

bool MacroLibrary::NameUsedInGroup(std::u16string_view name,
                                   const LibraryLocation& location) const {
  return NameIn(GroupOf(location), name);
}

bool MacroLibrary::NameUsedInTarget(std::u16string_view name,
                                    const LibraryLocation& location) const {
  const LibraryEntry* entry = EntryAt(location);
  if (entry == nullptr) return NameIn(&m_level0, name);
  if (entry->IsFolder()) return NameIn(GroupOf(location.Normalized().FirstChild()), name);
  return NameIn(GroupOf(location), name);
}

int MacroLibrary::VisibleRows(const Node& node, int stage) {
  int rows = 1;
  if (stage < 2 && node.entry.IsOpenFolder()) {
    for (const Node& child : node.children) {
      if (!child.entry.IsUsed()) continue;
      ++rows;
      // Level-2 groups are packed, so their size is their row count.
      if (stage == 0 && child.entry.IsOpenFolder()) rows += static_cast<int>(child.children.size());
    }
  }
  return rows;
}

int MacroLibrary::VisibleRowCount() const {
  int rows = 0;
  for (const Node& node : m_level0) {
    if (node.entry.IsUsed()) rows += VisibleRows(node, 0);
  }
  return rows;
}

LibraryLocation MacroLibrary::RowToLocation(int row) const {
  if (row < 0) return LibraryLocation::None();
  for (int32_t i = 0; i < static_cast<int32_t>(m_level0.size()); ++i) {
    const Node& n0 = m_level0[i];
    if (!n0.entry.IsUsed()) continue;
    const int rows0 = VisibleRows(n0, 0);
    if (row >= rows0) {
      row -= rows0;
      continue;
    }
    if (row == 0) return LibraryLocation::Level0(i);
    --row;
    for (int32_t j = 0; j < static_cast<int32_t>(n0.children.size()); ++j) {
      const Node& n1 = n0.children[j];
      if (!n1.entry.IsUsed()) continue;
      if (row == 0) return LibraryLocation::Level1(i, j);
      --row;
      const int grandchildren = n1.entry.IsOpenFolder() ? static_cast<int>(n1.children.size()) : 0;
      if (row < grandchildren) return LibraryLocation::Level2(i, j, row);
      row -= grandchildren;
    }
  }
  return LibraryLocation::None();
}

int MacroLibrary::LocationToRow(const LibraryLocation& location) const {
  if (EntryAt(location) == nullptr) return -1;
  int row = 0;
  for (int32_t i = 0; i < location.stage0Index; ++i) {
    if (m_level0[i].entry.IsUsed()) row += VisibleRows(m_level0[i], 0);
  }
  if (location.stage == 0) return row;
  const Node& n0 = m_level0[location.stage0Index];
  if (!n0.entry.IsOpenFolder()) return -1;
  ++row;
  for (int32_t j = 0; j < location.stage1Index; ++j) {
    const Node& n1 = n0.children[j];
    if (!n1.entry.IsUsed()) continue;
    ++row;
    if (n1.entry.IsOpenFolder()) row += static_cast<int>(n1.children.size());
  }
  if (location.stage == 1) return row;
  if (!n0.children[location.stage1Index].entry.IsOpenFolder()) return -1;
  return row + 1 + location.stage2Index;
}

bool MacroLibrary::Contains(uint32_t macroKeyIndex, const LibraryLocation& location) const {
  const Node* node = NodeAt(location);
  if (node == nullptr || !node->entry.IsUsed()) return false;
  auto holds = [macroKeyIndex](const Node& n) {
    return n.entry.IsUsed() && !n.entry.IsFolder() && n.entry.record &&
           n.entry.record->MacroKeyIndex == macroKeyIndex;
  };
  if (!node->entry.IsFolder()) return holds(*node);
  for (const Node& child : node->children) {
    if (holds(child)) return true;
    if (child.entry.IsFolder() && std::any_of(child.children.begin(), child.children.end(), holds))
      return true;
  }
  return false;
}

bool MacroLibrary::SetFolderOpen(const LibraryLocation& location, bool open) {
  LibraryEntry* entry = EntryAt(location);
  if (entry == nullptr || !entry->IsFolder()) return false;
  entry->MacroItemFolderIsOpen = open ? 1 : 0;
  return true;
}

void MacroLibrary::CloseAllFolders() {
  for (Node& n0 : m_level0) {
    n0.entry.MacroItemFolderIsOpen = 0;
    for (Node& n1 : n0.children) n1.entry.MacroItemFolderIsOpen = 0;
  }
}

int MacroLibrary::GroupCount(const LibraryLocation& location) const {
  const Group* group = GroupOf(location);
  if (group == nullptr) return 0;
  return static_cast<int>(
      std::count_if(group->begin(), group->end(), [](const Node& n) { return n.entry.IsUsed(); }));
}
