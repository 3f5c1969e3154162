// The profile bar alone: rows in display-list order, switching, add, rename, delete, the
// pending action after a menu closed, import and export through the file dialogs.

#include "views/main/ProfileBar.h"

#include <gtest/gtest.h>

#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/ProfileOperations.h"
#include "ui/TabControl.h"
#include "ui/UiTestSupport.h"
#include "ui/WndPopup.h"
#include "views/PartTestHost.h"
#include "views/companion/GamesDlg.h"
#include "views/profiles/ProfileMenus.h"

namespace {

using parttest::PartHostDlg;

class ProfileBarTest : public parttest::PartTest {
 protected:
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
  ProfileBar& bar = m_host->AddPart(std::make_unique<ProfileBar>());
  std::vector<std::optional<std::u16string>> names;  // what the name dialog answers, in order
  std::vector<std::u16string> asked;                 // what it was opened with

  PartHostDlg& Build() {
    platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
    platform.files().CreateDirectory(dataDir + u"config");
    g_strDataDir = dataDir;
    services->settings.ResetToDefaults(dataDir);
    for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
      ResetProfileToDefaults(services->store.profiles[static_cast<size_t>(slot)], slot, 0x3950);
    }
    Open();  // building the bar gives it the real name dialog
    bar.SetNameDialog([this](bool, std::u16string_view initial, const auto& check) {
      asked.emplace_back(initial);
      std::optional<std::u16string> answer;
      if (!names.empty()) {
        answer = names.front();
        names.erase(names.begin());
      }
      if (answer && check(*answer) != 0) return std::optional<std::u16string>();
      return answer;
    });
    return Host();
  }
  platform::Rect TabRect(CDlgBase& dlg, int slot) {
    return dlg.GetControl(ProfileBar::kFirstSlotTab + static_cast<uint32_t>(slot))->m_rc;
  }
  bool TabShown(CDlgBase& dlg, int slot) {
    return dlg.GetControl(ProfileBar::kFirstSlotTab + static_cast<uint32_t>(slot))->m_bShow;
  }
};

TEST_F(ProfileBarTest, RowsFollowTheDisplayListAndTheAddButtonStaysBelowRowThree) {
  auto& dlg = Build();
  EXPECT_EQ(TabRect(dlg, 0), (platform::Rect{300, 480, 462, 501}));
  EXPECT_EQ(TabRect(dlg, 2).top, 530);
  EXPECT_FALSE(TabShown(dlg, 3));
  EXPECT_EQ(dlg.GetControl(ProfileBar::kAddButton)->m_rc.top, 483 + 75);

  // One shown profile: the add button still sits below the third row.
  services->settings.SetShowList(0, 2);
  services->settings.SetShowList(2, 0);
  services->settings.SetShowCount(1);
  bar.Refresh();
  EXPECT_TRUE(TabShown(dlg, 2));
  EXPECT_EQ(TabRect(dlg, 2).top, 480);
  EXPECT_FALSE(TabShown(dlg, 0));
  EXPECT_EQ(dlg.GetControl(ProfileBar::kAddButton)->m_rc.top, 483 + 75);

  services->settings.SetShowList(0, 4);
  services->settings.SetShowList(4, 2);
  services->settings.SetShowCount(5);
  bar.Refresh();
  EXPECT_EQ(TabRect(dlg, 4).top, 480);  // slot 4 is first in the list
  EXPECT_EQ(TabRect(dlg, 2).top, 480 + 4 * 25);
  EXPECT_EQ(dlg.GetControl(ProfileBar::kAddButton)->m_rc.top, 483 + 125);
}

TEST_F(ProfileBarTest, ClickingATabSwitchesAndSendsKeysAndDpi) {
  auto& dlg = Build();
  const platform::Rect rc = TabRect(dlg, 1);
  desktop.Click(dlg.GetSafeHwnd(), {rc.left + 5, rc.top + 5});
  EXPECT_EQ(services->settings.CurrentProfileIndex(), 1);
  EXPECT_EQ(services->pending, (std::vector<ViewServices::Group>{ViewServices::Group::Keys,
                                                                 ViewServices::Group::Dpi}));
  EXPECT_GE(services->refreshes, 1);
}

TEST_F(ProfileBarTest, AddUntilFiveThenRefusedAndDeleteKeepsTheActiveOne) {
  auto& dlg = Build();
  names = {u"Ünïcode 𝄞", u"", u"Fifth"};
  bar.Add();
  EXPECT_EQ(services->settings.ShowCount(), 4);
  EXPECT_EQ(services->store.profiles[3].ProfileName(), u"Ünïcode 𝄞");
  bar.Add();  // an empty name is refused: nothing changes
  EXPECT_EQ(services->settings.ShowCount(), 4);
  bar.Add();
  EXPECT_EQ(services->settings.ShowCount(), 5);
  bar.Add();
  EXPECT_EQ(services->messages.back(), kMsgNoFreeSlot);
  EXPECT_EQ(asked.size(), 3u);  // no dialog once all five are shown

  bar.Delete(0);  // the active profile
  EXPECT_EQ(services->messages.back(), kMsgActiveProfileNotDeleted);
  EXPECT_EQ(services->settings.ShowCount(), 5);
  for (int slot = 4; slot >= 1; --slot) bar.Delete(slot);
  EXPECT_EQ(services->settings.ShowCount(), 1);
  EXPECT_TRUE(TabShown(dlg, 0));
}

TEST_F(ProfileBarTest, MenuChoicesRunOnlyAfterTheMenuClosed) {
  auto& dlg = Build();
  names = {u"Renamed"};
  desktop.SendMessage(dlg.GetSafeHwnd(), ProfileBar::kSlotMenuResult, ProfileBar::kFirstSlotTab + 1,
                      static_cast<platform::LParam>(ProfileAction::Rename));
  EXPECT_TRUE(asked.empty());
  ASSERT_TRUE(services->RunDeferred(ViewServices::kTimerProfileAction));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(services->store.profiles[1].ProfileName(), u"Renamed");

  // The header menu's entry k switches to list position k, not to slot k.
  services->settings.SetShowList(0, 2);
  services->settings.SetShowList(2, 0);
  desktop.SendMessage(dlg.GetSafeHwnd(), ProfileBar::kComboResult, ProfileBar::kProfileCombo, 0);
  EXPECT_EQ(services->settings.CurrentProfileIndex(), 2);
  // Its add entry with all five shown becomes the no-free-slot message, after the close.
  services->settings.SetShowCount(5);
  desktop.SendMessage(dlg.GetSafeHwnd(), ProfileBar::kComboResult, ProfileBar::kProfileCombo, 5);
  EXPECT_TRUE(services->messages.empty());
  ASSERT_TRUE(services->RunDeferred(ViewServices::kTimerProfileAction));
  EXPECT_EQ(services->messages, (std::vector<int>{kMsgNoFreeSlot}));
}

// A click elsewhere closes both profile menus: the header menu through its close notice, the
// slot menu (a kind without one) by itself.
TEST_F(ProfileBarTest, MenusCloseWhenTheyLoseActivation) {
  auto& dlg = Build();
  for (const bool header : {true, false}) {
    SCOPED_TRACE(header ? "header menu" : "slot menu");
    if (header) {
      bar.OnMessage(ProfileBar::kComboMessage, 0, Notify::kClicked);
    } else {
      bar.OnMessage(ProfileBar::kFirstSlotTab + 1, 0, Notify::kRightClicked);
    }
    const int kind = header ? CComboProfilePopup::kKind : CProfileRKeyPopup::kKind;
    ASSERT_NE(dlg.Popup(kind), nullptr);
    const platform::WindowId p = dlg.Popup(kind)->GetSafeHwnd();
    ASSERT_TRUE(desktop.IsWindow(p));
    desktop.SendMessage(p, platform::msg::kNcActivate, 0, 0);
    desktop.RunUntilIdle();
    EXPECT_FALSE(desktop.IsWindow(p));
  }
}

TEST_F(ProfileBarTest, ExportThenImportIsByteIdenticalAndABadFileChangesNothing) {
  Build();
  services->store.profiles[0].SetProfileName(u"Mine");
  platform.shell().ScriptFileDialog(dataDir + u"out.psf");
  bar.Export(0);
  const auto exported = platform.files().ReadAll(dataDir + u"out.psf");
  ASSERT_TRUE(exported);

  platform.shell().ScriptFileDialog(dataDir + u"out.psf");
  bar.Import(2);
  EXPECT_EQ(services->store.profiles[2].ProfileName(), u"Mine");
  platform.shell().ScriptFileDialog(dataDir + u"again.psf");
  bar.Export(2);
  EXPECT_TRUE(platform.files().ReadAll(dataDir + u"again.psf") == exported);

  ASSERT_TRUE(platform.files().WriteAll(dataDir + u"bad.psf", "not a profile"));
  const ProfileSettings before = services->store.profiles[1];
  platform.shell().ScriptFileDialog(dataDir + u"bad.psf");
  bar.Import(1);
  EXPECT_EQ(services->messages.back(), kMsgBadProfileFile);
  EXPECT_TRUE(services->store.profiles[1] == before);

  platform.shell().ScriptFileDialog(std::nullopt);  // cancelled: nothing happens
  bar.Import(1);
  EXPECT_TRUE(services->store.profiles[1] == before);

  // An export that could not be written says so (text 345) instead of passing for done.
  services->messages.clear();
  platform.files().FailWritesContaining(u"locked");
  platform.shell().ScriptFileDialog(dataDir + u"locked.psf");
  bar.Export(0);
  EXPECT_FALSE(platform.files().FileExists(dataDir + u"locked.psf"));
  EXPECT_EQ(services->messages, (std::vector<int>{345}));
  platform.files().FailWritesContaining(u"");
}

TEST_F(ProfileBarTest, CaptionsWiderThanTheirButtonAreSetSmallerNotCut) {
  const std::u16string saved[] = {g_strLangText[90], g_strLangText[92], g_strLangText[200]};
  g_strLangText[90] = u"Imp";
  g_strLangText[92] = u"Umbenennen";
  g_strLangText[200] = u"A caption far too long for any font";
  auto& dlg = Build();
  g_strLangText[90] = saved[0];
  g_strLangText[92] = saved[1];
  g_strLangText[200] = saved[2];
  auto measure = platform::Gfx().CreateCanvas(1, 1);
  ASSERT_TRUE(measure);
  const auto fontOf = [&](uint32_t id) { return dlg.GetControl(id)->GetFont()->Desc(); };
  const auto widthOf = [&](uint32_t id) {
    const CControlBase* button = dlg.GetControl(id);
    return measure
        ->MeasureText(button->m_strTitle, *button->GetFont(), platform::dt::kSingleLine, 0)
        .cx;
  };
  // A caption that fits keeps the page's font.
  EXPECT_EQ(fontOf(ProfileBar::kImportButton).height, g_nFontHeight);
  // One that does not is set smaller, in the same face, until it fits inside the artwork.
  const CControlBase* rename = dlg.GetControl(ProfileBar::kRenameButton);
  EXPECT_LT(fontOf(ProfileBar::kRenameButton).height, g_nFontHeight);
  EXPECT_EQ(fontOf(ProfileBar::kRenameButton).face, g_strFontFace);
  EXPECT_LT(widthOf(ProfileBar::kRenameButton), rename->m_rc.Width());
  // The shrinking stops at a readable size even when nothing would fit.
  EXPECT_EQ(fontOf(ProfileBar::kAddButton).height, 9);
}

TEST_F(ProfileBarTest, TheGamesEntryOpensTheGamesDialogAfterTheMenuClosed) {
  auto& dlg = Build();
  int opened = 0;
  desktop.ScriptNextModal([&](platform::WindowId window) {
    ++opened;
    desktop.SendMessage(window, CGamesDlg::kCloseButton, 0, Notify::kClicked);
  });
  desktop.SendMessage(dlg.GetSafeHwnd(), ProfileBar::kSlotMenuResult, ProfileBar::kFirstSlotTab + 1,
                      static_cast<platform::LParam>(ProfileAction::Games));
  EXPECT_EQ(opened, 0);
  ASSERT_TRUE(services->RunDeferred(ViewServices::kTimerProfileAction));
  EXPECT_EQ(opened, 1);
  // An entry the menu does not have does nothing.
  desktop.SendMessage(dlg.GetSafeHwnd(), ProfileBar::kSlotMenuResult, ProfileBar::kFirstSlotTab + 1,
                      5);
  EXPECT_FALSE(services->RunDeferred(ViewServices::kTimerProfileAction));
}

}  // namespace
