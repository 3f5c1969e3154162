#pragma once
// Keeping a damaged file before the program replaces it: "<file>.<yyyymmdd-hhmmss>.bak" in
// the same folder (with "-2", "-3" .. after the time when one second holds several). Each
// distinct content is kept once, at most kBackupGenerations per file; the oldest goes first.
// A "<file>.bak" of earlier versions counts as the oldest generation.

#include <string>
#include <string_view>
#include <vector>

namespace base {

inline constexpr size_t kBackupGenerations = 5;

// True when there is nothing to keep (no file, or its content is already kept) or the copy
// was made; false when an existing file could not be read or copied, in which case the
// caller must not replace it.
[[nodiscard]] bool KeepBackup(std::u16string_view path);

// The backups of `path`, oldest first (full paths).
std::vector<std::u16string> BackupsOf(std::u16string_view path);

}  // namespace base
