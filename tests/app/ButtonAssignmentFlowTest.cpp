// Button assignment in the real main window against the simulated mouse: a choice in a
// submenu reaches the mouse as a key table and the profile file; the left-button guard tells
// the user and sends nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/sim/SimMouse.h"
#include "profiles/GlobalSettings.h"
#include "profiles/SettingsFiles.h"
#include "ui/AttentionDlg.h"
#include "ui/ComboButton.h"
#include "ui/MenuPopup.h"
#include "views/buttons/ButtonFieldsPart.h"

namespace {

using platform::WindowId;
using testclick::Centre;

class ButtonAssignmentFlowTest : public MainWindowFixture {
 protected:
  ButtonAssignmentFlowTest() { PrepareDataFolder(); }

  CMenuPopup* Menu(CVantrelDlg& dlg, int slot) {
    auto* menu = dynamic_cast<CMenuPopup*>(dlg.Popup(slot));
    return menu && menu->IsAlive() ? menu : nullptr;
  }
  CMenuPopup* Submenu(CVantrelDlg& dlg) { return Menu(dlg, ButtonFieldsPart::kSubmenuSlot); }
  void ClickField(CVantrelDlg& dlg, uint32_t id) {
    ClickControl(dlg, id);
    desktop.RunUntilIdle();
  }
  // Key-table packets (command 1) sent since the log was cleared.
  std::vector<SimTraffic> KeyTables() {
    std::vector<SimTraffic> tables;
    for (const SimTraffic& t : mouse.CommandsSent()) {
      if (t.At(1) == 0x01) tables.push_back(t);
    }
    return tables;
  }
  static bool Holds(const SimTraffic& t, std::vector<uint8_t> code) {
    return std::search(t.bytes.begin(), t.bytes.end(), code.begin(), code.end()) != t.bytes.end();
  }
  std::u16string ProfileFile() { return ConfigFile(u"default0.psf"); }
};

TEST_F(ButtonAssignmentFlowTest, ASubmenuChoiceReachesTheMouseAndTheProfileFile) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  mouse.ClearLog();

  ClickField(dlg, 2014);
  CMenuPopup* menu = Menu(dlg, ButtonFieldsPart::kMenuSlot);
  ASSERT_NE(menu, nullptr);
  desktop.MoveMouse(menu->GetSafeHwnd(), Centre(menu->RowRect(5)));  // DPI functions
  desktop.RunUntilIdle();
  CMenuPopup* dpi = Submenu(dlg);
  ASSERT_NE(dpi, nullptr);
  desktop.Click(dpi->GetSafeHwnd(), Centre(dpi->RowRect(0)));  // DPI up: 40 02 00
  desktop.RunUntilIdle();
  EXPECT_EQ(Menu(dlg, ButtonFieldsPart::kMenuSlot), nullptr);
  EXPECT_EQ(dlg.GetControl(2014)->GetTitle(), LangText(40));

  desktop.RunFor(10);
  EXPECT_TRUE(KeyTables().empty());  // 20 ms after the choice
  desktop.RunFor(200);
  const auto tables = KeyTables();
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_TRUE(Holds(tables[0], {0x40, 0x02, 0x00}));

  desktop.RunFor(10'000);
  const std::u16string saved = ProfileFile();
  EXPECT_NE(saved.find(u"Key1Name=" + LangText(40) + u"\n"), std::u16string::npos) << "saved";
  EXPECT_NE(saved.find(u"Key1Value=400200"), std::u16string::npos);
  dlg.Destroy();
}

TEST_F(ButtonAssignmentFlowTest, TheGuardTellsTheUserAfterTheMenuClosedAndSendsNothing) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  mouse.ClearLog();

  ClickField(dlg, 2013);
  CMenuPopup* menu = Menu(dlg, ButtonFieldsPart::kMenuSlot);
  ASSERT_NE(menu, nullptr);
  std::u16string told;
  desktop.ScriptNextModal([&](WindowId box) {
    for (const ui::SkinnedWindow* w : ui::SkinnedWindow::LiveWindows()) {
      if (w->DumpWindowId() != box) continue;
      if (auto* attention = dynamic_cast<const CAttentionDlg*>(w)) told = attention->Message();
    }
    desktop.SendMessage(box, CAttentionDlg::kOkButton, CAttentionDlg::kOkButton, Notify::kClicked);
  });
  desktop.Click(menu->GetSafeHwnd(), Centre(menu->RowRect(1)));  // right button
  desktop.RunUntilIdle();
  EXPECT_EQ(dlg.GetControl(2013)->GetTitle(), LangText(20));
  EXPECT_TRUE(told.empty());  // not while the menu goes
  desktop.RunFor(150);
  EXPECT_EQ(told, LangText(151));
  desktop.RunFor(500);
  EXPECT_TRUE(KeyTables().empty());
  dlg.Destroy();
}

}  // namespace
