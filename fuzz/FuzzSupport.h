#pragma once
// Shared by the fuzz harnesses: an in-memory file system and the library invariants every
// reader must leave behind, whatever the input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "adapters/headless/MemoryFileSystem.h"
#include "base/FileBackup.h"
#include "base/Text.h"
#include "macros/MacroLibrary.h"
#include "platform/Platform.h"

namespace fuzz {

using MemoryFileSystem = platform::headless::MemoryFileSystem;

// Backups are named after the local time: a clock that always reads the same moment.
struct FixedClock : platform::Clock {
  platform::LocalTime LocalNow() override { return {2026, 1, 2, 3, 4, 5}; }
  uint64_t NowMs() override { return 0; }
  void Sleep(uint32_t) override {}
  void PumpDelay(uint32_t) override {}
};

inline MemoryFileSystem& InstallMemoryFiles() {
  static MemoryFileSystem files;
  static FixedClock clock;
  files.files.clear();
  files.InstallAsPlatform();
  platform::Services services = platform::Current();
  services.clock = &clock;
  platform::Install(services);
  return files;
}

// The bytes of the newest backup of `path`; nothing when there is none.
inline std::string NewestBackup(MemoryFileSystem& files, std::u16string_view path) {
  const std::vector<std::u16string> backups = base::BackupsOf(path);
  return backups.empty() ? std::string() : files.files[backups.back()];
}

// File bytes from a fuzz input: taken as they are when they start with the byte-order mark,
// otherwise read as UTF-8 text (so that mutations of readable seeds stay text).
inline std::string FileBytes(const uint8_t* data, size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return raw;
  std::string bytes = "\xFF\xFE";
  for (char16_t c : base::FromUtf8(raw)) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Packed groups of at most 45, folders only at levels 0 and 1, records inside their
// bounds, and rows that map back and forth. Right after reading, the counter is also above
// every number in use (unless the file used the top of the range).
enum class Counter { AboveAll, Any };
inline void CheckLibrary(const MacroLibrary& lib, Counter counter = Counter::Any) {
  for (int32_t stage = 0; stage < LibraryLocation::kLevels; ++stage) {
    lib.ForEachEntry(stage, [&](const LibraryLocation& l, const LibraryEntry& e) {
      if (!l.IsValid()) Fail("entry at an invalid location");
      if (lib.EntryAt(l) != &e) Fail("EntryAt disagrees with the walk");
      if (lib.GroupCount(l) > LibraryLocation::kGroupSize) Fail("group above 45");
      if (l.Index() >= lib.GroupCount(l)) Fail("group not packed");
      if (e.IsFolder() == (e.record != nullptr)) Fail("folder with record or macro without");
      if (e.IsFolder() && stage == 2) Fail("folder at level 2");
      if (e.record && e.record->MacroActionNum > MacroRecord::kMaxActions) Fail("action count");
      if (e.record && e.record->MacroCommandActionNum > e.record->CountCommandActions())
        Fail("command count");
      if (counter == Counter::AboveAll && lib.NextKeyIndex() != 0 && e.record &&
          e.record->MacroKeyIndex >= lib.NextKeyIndex())
        Fail("counter not above every index");
    });
  }
  const int rows = lib.VisibleRowCount();
  for (int r = 0; r < rows; ++r) {
    const LibraryLocation l = lib.RowToLocation(r);
    if (lib.EntryAt(l) == nullptr) Fail("row without entry");
    if (lib.LocationToRow(l) != r) Fail("row does not map back");
  }
  if (!lib.RowToLocation(rows).IsNone()) Fail("row beyond the end");
}

// Stops the fuzzer with a crash report when a property of the code under test fails.
inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace fuzz
