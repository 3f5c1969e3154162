// The name dialogs of the profile bar, driven as a user would on the headless adapter.

#include "views/profiles/ProfileNameDlg.h"

#include <gtest/gtest.h>

#include "base/Language.h"

#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "ui/EditBox.h"
#include "ui/UiTestSupport.h"
#include "views/profiles/ProfileMenus.h"

namespace {

using ProfileNameDlgTest = uitest::UiTest;

TEST_F(ProfileNameDlgTest, TypedNameIsKeptAndAnEmptyOneIsRefusedWithTheDialogOpen) {
  std::vector<int> shown;
  const auto check = [](std::u16string_view text) { return text.empty() ? 147 : 0; };
  CAddProfileDlg dlg(0, check, [&](int text) { shown.push_back(text); });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, platform::kVkReturn);  // empty: refused, still open
    EXPECT_EQ(shown, std::vector<int>{147});
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.PressKey(w, platform::kVkEscape);  // ignored
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.TypeText(w, u"Zoë 𝄞");  // focused from the start; a surrogate pair stays whole
    desktop.PressKey(w, platform::kVkReturn);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(dlg.Name(), u"Zoë 𝄞");
}

TEST_F(ProfileNameDlgTest, RenameStartsWithTheNameAndCloseCancels) {
  CEditProfileDlg dlg(
      0, u"Old", [](std::u16string_view) { return 0; }, [](int) {});
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(dlg.Edit()->GetText(), u"Old");
    const platform::Rect close = dlg.GetControl(CProfileNameDlg::kCloseButton)->m_rc;
    desktop.Click(w, {close.left + 3, close.top + 3});
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdCancel);
  EXPECT_TRUE(dlg.Name().empty());
}

TEST_F(ProfileNameDlgTest, HeaderMenuNamesTheShownSlotsInDisplayListOrder) {
  GlobalSettings settings;
  settings.ResetToDefaults(u"C:\\data\\");
  ProfileStore store;
  for (int slot = 0; slot < 5; ++slot) {
    store.profiles[static_cast<size_t>(slot)].SetProfileName(
        u"P" + std::u16string(1, static_cast<char16_t>(u'0' + slot)));
  }
  settings.SetShowCount(5);
  ASSERT_TRUE(settings.HideProfile(1));  // list 0, 2, 3, 4, 1; four shown
  CComboProfilePopup menu(settings, store);
  std::vector<ui::DumpItem> rows;
  menu.DumpItems(rows);
  ASSERT_EQ(rows.size(), 6u);     // the hidden slot 1 is not offered
  EXPECT_FALSE(rows[0].enabled);  // the title row
  const std::vector<std::u16string> names{u"P0", u"P2", u"P3", u"P4"};
  for (size_t k = 0; k < names.size(); ++k) {
    EXPECT_EQ(rows[k + 1].text, names[k]);  // entry k names what choosing it switches to
    EXPECT_EQ(rows[k + 1].id, k);
    EXPECT_EQ(rows[k + 1].rect, menu.RowRect(static_cast<int>(k + 1)));
  }
  EXPECT_EQ(rows[5].id, static_cast<uint32_t>(CComboProfilePopup::kAddEntry));

  // With the default list of three the two hidden slots are left out as well.
  GlobalSettings defaults;
  defaults.ResetToDefaults(u"C:\\data\\");
  EXPECT_EQ(CComboProfilePopup(defaults, store).Items().size(), 5u);
}

TEST_F(ProfileNameDlgTest, SlotMenuListsItsActionsInTheDump) {
  CProfileRKeyPopup menu;
  std::vector<ui::DumpItem> rows;
  menu.DumpItems(rows);
  ASSERT_EQ(rows.size(), 5u);
  for (uint32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(rows[k].id, k);  // import, export, rename, delete: the pending action codes
    EXPECT_EQ(rows[k].text, LangText(90 + static_cast<int>(k)));
  }
  // The games entry after delete, with its own action code.
  EXPECT_EQ(rows[4].id, static_cast<uint32_t>(CProfileRKeyPopup::kGamesEntry));
  EXPECT_EQ(rows[4].text, LangText(471));
}

}  // namespace
