#include "views/profiles/ProfileMenus.h"

#include "base/Language.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

namespace {

constexpr int kImportText = 90;
constexpr int kProfilesText = 10;
constexpr int kNewText = 200;

std::vector<MenuItem> SlotMenuItems() {
  std::vector<MenuItem> items;
  for (int entry = 0; entry < 4; ++entry) items.push_back({LangText(kImportText + entry), entry});
  return items;
}

std::vector<MenuItem> HeaderMenuItems(const GlobalSettings& settings, const ProfileStore& store) {
  std::vector<MenuItem> items;
  items.push_back({LangText(kProfilesText), -1, false, false});
  for (int position = 0; position < ProfileStore::kProfileCount; ++position) {
    const ProfileSettings* profile = store.At(settings.ShowList(position));
    const std::u16string name = profile ? profile->ProfileName() : std::u16string();
    items.push_back({name, position, false, !name.empty()});
  }
  items.push_back({LangText(kNewText), CComboProfilePopup::kAddEntry});
  return items;
}

}  // namespace

CProfileRKeyPopup::CProfileRKeyPopup() : CMenuPopup(kKind, SlotMenuItems()) {}

CComboProfilePopup::CComboProfilePopup(const GlobalSettings& settings, const ProfileStore& store)
    : CMenuPopup(kKind, HeaderMenuItems(settings, store)) {}
