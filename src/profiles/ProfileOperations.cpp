#include "profiles/ProfileOperations.h"

#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

SwitchMarks SwitchProfile(GlobalSettings& settings, int slot) {
  if (slot < 0 || slot >= ProfileStore::kProfileCount) return {};
  settings.SetCurrentProfile(slot);
  return {.keys = true, .dpi = true};
}

ProfileAction AddActionFor(const GlobalSettings& settings) {
  return CheckAddProfile(settings) == 0 ? ProfileAction::Add : ProfileAction::NoFreeSlot;
}

int CheckAddProfile(const GlobalSettings& settings) {
  return settings.ShowCount() >= GlobalSettings::kSlotCount ? kMsgNoFreeSlot : 0;
}

int AddProfile(GlobalSettings& settings, ProfileStore& store, std::u16string_view name) {
  if (const int message = CheckAddProfile(settings)) return message;
  if (name.empty()) return kMsgEmptyName;
  const int slot = settings.ShowNextProfile();
  ProfileSettings* profile = store.At(slot);
  if (!profile) return kMsgNoFreeSlot;
  ResetProfileToDefaults(*profile, slot, settings.SensorId());
  profile->SetProfileName(name);
  return SaveSettingsAndProfiles(settings, store) ? 0 : kMsgSaveFailed;
}

int RenameProfile(GlobalSettings& settings, ProfileStore& store, int slot,
                  std::u16string_view name) {
  if (name.empty()) return kMsgEmptyName;
  ProfileSettings* profile = store.At(slot);
  if (!profile) return 0;
  profile->SetProfileName(name);
  return SaveSettingsAndProfiles(settings, store) ? 0 : kMsgSaveFailed;
}

int DeleteProfile(GlobalSettings& settings, ProfileStore& store, int slot) {
  if (slot == settings.CurrentProfileIndex()) return kMsgActiveProfileNotDeleted;
  if (!settings.HideProfile(slot)) return 0;
  return SaveSettingsAndProfiles(settings, store) ? 0 : kMsgSaveFailed;
}

int ImportProfile(GlobalSettings& settings, ProfileStore& store, int slot,
                  std::u16string_view path) {
  ProfileSettings* target = store.At(slot);
  if (!target) return 0;
  // A bad file must not cost the slot its profile: read into a copy first.
  ProfileSettings scratch = *target;
  if (ParseProfileFile(path, scratch) != ProfileReadResult::Ok) return kMsgBadProfileFile;
  *target = std::move(scratch);
  return SaveSettingsAndProfiles(settings, store) ? 0 : kMsgSaveFailed;
}

bool ExportProfile(const ProfileStore& store, int slot, std::u16string_view path) {
  const ProfileSettings* profile = store.At(slot);
  return profile && WriteProfileFile(*profile, path);
}
