#pragma once
// Operations on whole profiles: switch, add, rename, delete, import, export. Each changes the
// model and the files and returns the language text number of the message to show (with
// caption text 150), or 0 when there is none; the dialogs and menus only display it.

#include <string_view>

#include "base/TextNumbers.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

// Message texts.
inline constexpr int kMsgCaption = common_text::kAttentionCaption;
inline constexpr int kMsgNoFreeSlot = 145;
inline constexpr int kMsgEmptyName = 147;  // shown with the fixed caption kEmptyNameCaption
inline constexpr int kMsgActiveProfileNotDeleted = 152;
inline constexpr int kMsgBadProfileFile = 340;  // an import file that is not a profile file
// The change was made but the files could not be saved: the caller tells it once and keeps the
// save pending, as for the delayed save.
inline constexpr int kMsgSaveFailed = 341;
inline constexpr std::u16string_view kEmptyNameCaption = u"警告!";

// The pending profile action of the main window, carried out after its menu closed.
enum class ProfileAction {
  Import = 0,
  Export = 1,
  Rename = 2,
  Delete = 3,
  Add = 4,
  NoFreeSlot = 5,
  Games = 6  // the slot menu's entry after delete: the programs that bring the profile in
};

// What a switch asks the device side to write: the button table with its macros (keys) and the
// DPI group's commands. The power and sensor groups are not marked by a switch.
struct SwitchMarks {
  bool keys = false;
  bool dpi = false;
};

// Makes `slot` the active profile (saved later by the delayed save). A slot outside 0..4
// changes nothing and marks nothing.
[[nodiscard]] SwitchMarks SwitchProfile(GlobalSettings& settings, int slot);

// Add or, when all five slots are shown, the no-free-slot message.
ProfileAction AddActionFor(const GlobalSettings& settings);

// 145 when all five slots are shown (check before the name dialog opens), else 0.
[[nodiscard]] int CheckAddProfile(const GlobalSettings& settings);

// Shows the first hidden slot with a fresh default profile named `name` and saves everything.
// 145 when no slot is free, 147 for an empty name (nothing changes), 341 when the change was
// made but not saved, else 0. The same 341 holds for rename, delete and import.
[[nodiscard]] int AddProfile(GlobalSettings& settings, ProfileStore& store,
                             std::u16string_view name);

// Renames a slot and saves everything. 147 for an empty name (nothing changes), else 0.
[[nodiscard]] int RenameProfile(GlobalSettings& settings, ProfileStore& store, int slot,
                                std::u16string_view name);

// Hides a slot from the profile list (its data and file stay) and saves everything. 152 for
// the active profile, else 0.
[[nodiscard]] int DeleteProfile(GlobalSettings& settings, ProfileStore& store, int slot);

// Reads a profile file into a slot and saves everything. A file that cannot be read or is not a
// profile file leaves the slot and its file as they were: 340. Else 0. No device write is
// started: the imported settings reach the mouse with later writes.
[[nodiscard]] int ImportProfile(GlobalSettings& settings, ProfileStore& store, int slot,
                                std::u16string_view path);

// Writes a slot to a profile file of the user's choice; nothing else is saved. False when it
// could not be written (no message is shown for a failed write).
[[nodiscard]] bool ExportProfile(const ProfileStore& store, int slot, std::u16string_view path);
