// The name dialogs of the profile bar, driven as a user would on the headless adapter.

#include "views/profiles/ProfileNameDlg.h"

#include <gtest/gtest.h>

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

TEST_F(ProfileNameDlgTest, HeaderMenuNamesTheSlotsInDisplayListOrder) {
  GlobalSettings settings;
  settings.ResetToDefaults(u"C:\\data\\");
  ProfileStore store;
  for (int slot = 0; slot < 5; ++slot) {
    store.profiles[static_cast<size_t>(slot)].SetProfileName(
        u"P" + std::u16string(1, static_cast<char16_t>(u'0' + slot)));
  }
  ASSERT_TRUE(settings.HideProfile(1));  // list 0, 2, 3, 4, 1
  CComboProfilePopup menu(settings, store);
  const auto& items = menu.Items();
  ASSERT_EQ(items.size(), 7u);
  EXPECT_FALSE(items[0].enabled);   // the title row
  EXPECT_EQ(items[2].text, u"P2");  // entry 1 names what choosing it switches to
  EXPECT_EQ(items[2].value, 1);
  EXPECT_EQ(items[5].text, u"P1");
  EXPECT_EQ(items[6].value, CComboProfilePopup::kAddEntry);
}

}  // namespace
