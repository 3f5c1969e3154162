#include "views/profiles/ProfileMenus.h"

#include <algorithm>

#include "base/Language.h"
#include "base/TextNumbers.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

namespace {

constexpr int kImportText = common_text::kImportProfile;
constexpr int kProfilesText = 10;
constexpr int kNewText = common_text::kNew;
constexpr int kGamesText = 471;

std::vector<MenuItem> SlotMenuItems() {
  std::vector<MenuItem> items;
  for (int entry = 0; entry < 4; ++entry) items.push_back({LangText(kImportText + entry), entry});
  items.push_back({LangText(kGamesText), CProfileRKeyPopup::kGamesEntry});
  return items;
}

std::vector<MenuItem> HeaderMenuItems(const GlobalSettings& settings, const ProfileStore& store) {
  std::vector<MenuItem> items;
  items.push_back({LangText(kProfilesText), -1, false, false});
  const int shown = std::clamp(settings.ShowCount(), 0, ProfileStore::kProfileCount);
  for (int position = 0; position < shown; ++position) {
    const ProfileSettings* profile = store.At(settings.ShowList(position));
    const std::u16string name = profile ? profile->ProfileName() : std::u16string();
    items.push_back({name, position, false, !name.empty()});
  }
  items.push_back({LangText(kNewText), CComboProfilePopup::kAddEntry});
  return items;
}

void DumpRows(const CMenuPopup& menu, std::vector<ui::DumpItem>& out) {
  const std::vector<MenuItem>& rows = menu.Items();
  for (size_t i = 0; i < rows.size(); ++i) {
    ui::DumpItem item;
    item.id = static_cast<uint32_t>(rows[i].value);
    item.className = "MenuRow";
    item.rect = menu.RowRect(static_cast<int>(i));
    item.visible = true;
    item.enabled = rows[i].enabled;
    item.checked = static_cast<int>(i) == menu.HotItem();
    item.text = rows[i].text;
    out.push_back(std::move(item));
  }
}

}  // namespace

CProfileRKeyPopup::CProfileRKeyPopup() : CMenuPopup(kKind, SlotMenuItems()) {}

void CProfileRKeyPopup::DumpItems(std::vector<ui::DumpItem>& items) const {
  DumpRows(*this, items);
}

CComboProfilePopup::CComboProfilePopup(const GlobalSettings& settings, const ProfileStore& store)
    : CMenuPopup(kKind, HeaderMenuItems(settings, store)) {}

void CComboProfilePopup::DumpItems(std::vector<ui::DumpItem>& items) const {
  DumpRows(*this, items);
}
