#pragma once
// The profile file (".psf"): 110 lines in a fixed order, UTF-16LE with byte-order mark, LF line
// ends. Reading is positional: the keys after the 23 text settings are never compared, and
// values are taken at fixed character offsets after each line's first "=".

#include <string_view>

#include "profiles/ProfileSettings.h"
#include "profiles/ProfileStore.h"

class GlobalSettings;

enum class ProfileReadResult { Ok, CannotOpen, Malformed };

// Writes one profile; false when the file could not be written (the old file then stays).
[[nodiscard]] bool WriteProfileFile(const ProfileSettings& profile, std::u16string_view path);

// Reads a profile file into `profile`, field by field as it goes: after a failure the fields
// before the bad line are overwritten, so callers read into a scratch copy. The parts of the
// button macro records that the file does not hold keep their values.
[[nodiscard]] ProfileReadResult ParseProfileFile(std::u16string_view path,
                                                 ProfileSettings& profile);

// Reads `path` into store slot `slot`. On failure the slot gets its defaults and is written to
// its own file (the settings' path of the slot), which is first kept as a dated backup when it
// exists. True when the file was read.
bool ReadProfileFile(ProfileStore& store, const GlobalSettings& settings, int slot,
                     std::u16string_view path);

// Writes each of the five profiles to its slot's path; true when all five were written.
bool SaveAllProfiles(const ProfileStore& store, const GlobalSettings& settings);
