// The button fields alone on the headless adapter: the function menu and its submenus, the
// three editors and the left-button guard, with the main window's services recorded.

#include "views/buttons/ButtonFieldsPart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ButtonTextsFixture.h"
#include "base/AppGlobals.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "platform/KeyEventParam.h"
#include "platform/Keys.h"
#include "profiles/ProfileSettings.h"
#include "ui/AttentionDlg.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/EditBox.h"
#include "ui/UiTestSupport.h"
#include "views/PartTestHost.h"
#include "views/buttons/ComboPopup.h"
#include "views/buttons/DPILockPopup.h"
#include "views/buttons/DPIPopup.h"
#include "views/buttons/FireKeyDlg.h"
#include "views/buttons/MultimediaPopup.h"
#include "views/buttons/QuickLaunchDlg.h"
#include "views/buttons/ShortcutDlg.h"
#include "views/macros/MacroSelectDlg.h"

namespace {

using BFC = ButtonFunctionCode;
using platform::WindowId;
using Group = ViewServices::Group;

class ButtonFieldsPartTest : public parttest::PartTest {
 protected:
  ButtonFieldsPartTest() {
    UseNumberedTexts();
    Open();
  }

  CComboButton* Field(uint32_t id) { return part.Field(id); }
  void ClickField(uint32_t id) {
    desktop.Click(H(), testclick::Centre(Field(id)->m_rc));
    desktop.RunUntilIdle();
  }
  CMenuPopup* Menu(int slot) {
    auto* menu = dynamic_cast<CMenuPopup*>(Host().Popup(slot));
    return menu && menu->IsAlive() ? menu : nullptr;
  }
  CMenuPopup* Submenu() { return Menu(ButtonFieldsPart::kSubmenuSlot); }
  // Row `item` (1-based) of the popup in `slot`.
  platform::Point Row(int slot, int item) {
    return testclick::Centre(Menu(slot)->RowRect(item - 1));
  }
  void HoverRow(int slot, int item) {
    desktop.MoveMouse(Menu(slot)->GetSafeHwnd(), Row(slot, item));
    desktop.RunUntilIdle();
  }
  void ClickRow(int slot, int item) {
    desktop.Click(Menu(slot)->GetSafeHwnd(), Row(slot, item));
    desktop.RunUntilIdle();
  }
  // Opens field `id`'s menu and chooses function-menu item `item`.
  void Choose(uint32_t id, int item) {
    ClickField(id);
    ASSERT_NE(Menu(ButtonFieldsPart::kMenuSlot), nullptr);
    ClickRow(ButtonFieldsPart::kMenuSlot, item);
  }
  // Opens field `id`'s menu, hovers `parent` and chooses `item` of its submenu.
  void ChooseInSubmenu(uint32_t id, int parent, int item) {
    ClickField(id);
    HoverRow(ButtonFieldsPart::kMenuSlot, parent);
    ASSERT_NE(Submenu(), nullptr);
    ClickRow(ButtonFieldsPart::kSubmenuSlot, item);
  }
  const ButtonSlot& Button(int slot) { return Profile().buttons[static_cast<size_t>(slot)]; }
  void ExpectNoMenus() {
    EXPECT_EQ(Menu(ButtonFieldsPart::kMenuSlot), nullptr);
    EXPECT_EQ(Submenu(), nullptr);
    EXPECT_EQ(part.OpenSubmenu(), nullptr);
    EXPECT_EQ(part.MenuField(), 0u);
  }
  template <typename Dlg>
  Dlg* Editor(WindowId window) {
    for (const ui::SkinnedWindow* w : ui::SkinnedWindow::LiveWindows()) {
      if (w->DumpWindowId() == window) return dynamic_cast<Dlg*>(const_cast<ui::SkinnedWindow*>(w));
    }
    return nullptr;
  }
  // Closes the next attention box with OK and records its message.
  void AnswerNextBox(std::vector<std::u16string>& told) {
    desktop.ScriptNextModal([this, &told](WindowId box) {
      auto* dlg = Editor<CAttentionDlg>(box);
      ASSERT_NE(dlg, nullptr);
      told.push_back(dlg->Message());
      ClickControl(box, CAttentionDlg::kOkButton);
    });
  }

  ButtonFieldsPart& part = m_host->AddPart(std::make_unique<ButtonFieldsPart>());
};

TEST_F(ButtonFieldsPartTest, FieldsShowTheirButtonsAndFollowTheProfile) {
  // The six buttons' names (texts 20, 21, 22, 23, 24 and DPI cycle 42), then three spare fields.
  const char16_t* shown[] = {u"t20", u"t21", u"t22", u"t23", u"t24",
                             u"t42", u"t34", u"t34", u"t34"};
  for (uint32_t k = 0; k < 9; ++k) EXPECT_EQ(Field(2013 + k)->GetTitle(), shown[k]) << k;
  // One under the other in the left panel, each with its notification message.
  EXPECT_LT(Field(2013)->m_rc.bottom, Field(2014)->m_rc.top);
  EXPECT_EQ(Field(2021)->Message(), 1028u);

  Profile().buttons[3].KeyName = u"Mine";
  Profile().buttons[4].KeyName.clear();  // a damaged file: named from its code
  Profile().buttons[4].KeyValue = {0x70, 0x03, 0x04};
  part.Refresh();
  EXPECT_EQ(Field(2016)->GetTitle(), u"Mine");
  EXPECT_EQ(Field(2017)->GetTitle(), u"Ctrl+Shift+A");

  // Hovering a field lights its number on the mouse picture.
  desktop.MoveMouse(H(), testclick::Centre(Field(2015)->m_rc));
  EXPECT_EQ(Host().highlight, 3);
  desktop.MoveMouse(H(), {700, 700});
  EXPECT_EQ(Host().highlight, 0);
}

TEST_F(ButtonFieldsPartTest, EveryFunctionItemStoresItsCodeAndSchedulesTheWrite) {
  const struct {
    int item;
    BFC code;
    const char16_t* name;
  } cases[] = {{2, BFC::Make(0x10, 0x02), u"t21"},    {3, BFC::Make(0x10, 0x04), u"t22"},
               {4, BFC::Make(0x10, 0x10), u"t23"},    {5, BFC::Make(0x10, 0x08), u"t24"},
               {8, BFC::Make(0x30, 0x32, 3), u"t27"}, {15, BFC::Make(0x60, 4), u"t33"},
               {18, BFC::Make(0x00), u"t34"},         {1, BFC::Make(0x10, 0x01), u"t20"}};
  for (const auto& c : cases) {
    services->pending.clear();
    Choose(2015, c.item);
    EXPECT_EQ(Button(2).KeyValue, c.code.bytes) << c.item;
    EXPECT_EQ(Button(2).KeyName, c.name);
    EXPECT_EQ(Field(2015)->GetTitle(), c.name);
    EXPECT_EQ(services->pending, std::vector<Group>{Group::Keys});
    ExpectNoMenus();
    EXPECT_FALSE(Field(2015)->IsMenuOpen());
  }
  EXPECT_TRUE(services->messages.empty());
}

TEST_F(ButtonFieldsPartTest, HoveringASubmenuRowOpensItBesideTheMenuAndAnotherRowClosesIt) {
  ClickField(2018);
  CMenuPopup* menu = Menu(ButtonFieldsPart::kMenuSlot);
  ASSERT_NE(dynamic_cast<CComboPopup*>(menu), nullptr);
  EXPECT_TRUE(Field(2018)->IsMenuOpen());
  EXPECT_EQ(menu->Items().size(), 18u);

  // A click on a submenu row does nothing by itself.
  ClickRow(ButtonFieldsPart::kMenuSlot, 6);
  ASSERT_NE(Menu(ButtonFieldsPart::kMenuSlot), nullptr);
  HoverRow(ButtonFieldsPart::kMenuSlot, 6);
  auto* dpi = dynamic_cast<CDPIPopup*>(Submenu());
  ASSERT_NE(dpi, nullptr);
  const platform::Rect menuRect = desktop.WindowRect(menu->GetSafeHwnd());
  const platform::Rect subRect = desktop.WindowRect(dpi->GetSafeHwnd());
  EXPECT_TRUE(subRect.left >= menuRect.right || subRect.right <= menuRect.left);
  // The submenu does not take the activation from the menu beside it.
  EXPECT_EQ(desktop.ActiveWindow(), menu->GetSafeHwnd());

  HoverRow(ButtonFieldsPart::kMenuSlot, 7);
  EXPECT_EQ(Submenu(), nullptr);
  HoverRow(ButtonFieldsPart::kMenuSlot, 16);
  EXPECT_NE(dynamic_cast<CDPILockPopup*>(Submenu()), nullptr);
  EXPECT_EQ(part.OpenSubmenu()->closedMessage, 1156u);
  // Straight from one submenu row to another: the first submenu goes.
  HoverRow(ButtonFieldsPart::kMenuSlot, 12);
  EXPECT_NE(dynamic_cast<CMultimediaPopup*>(Submenu()), nullptr);
  EXPECT_EQ(std::count_if(ui::SkinnedWindow::LiveWindows().begin(),
                          ui::SkinnedWindow::LiveWindows().end(),
                          [](const ui::SkinnedWindow* w) {
                            return dynamic_cast<const CDPILockPopup*>(w) && w->DumpWindowId();
                          }),
            0);

  // Clicking elsewhere deactivates the menu: both go, the field's number goes dark.
  desktop.SendMessage(menu->GetSafeHwnd(), platform::msg::kNcActivate, 0, 0);
  desktop.RunUntilIdle();
  ExpectNoMenus();
  EXPECT_FALSE(Field(2018)->IsMenuOpen());
}

TEST_F(ButtonFieldsPartTest, SubmenuItemsStoreTheirNamesAndCodes) {
  const struct {
    int parent;
    int item;
    BFC code;
    const char16_t* name;
  } cases[] = {
      {6, 1, BFC::Make(0x40, 2), u"t40"},        {6, 3, BFC::Make(0x40, 1), u"t42"},
      {16, 6, BFC::Make(0x50, 6), u"t36-700"},   {16, 11, BFC::Make(0x50, 11), u"t36-1200"},
      {12, 2, BFC::Make(0x80, 0xB6), u"t46"},    {12, 10, BFC::Make(0x80, 0x92, 1), u"t54"},
      {13, 8, BFC::Make(0x70, 8, 8), u"t67"},    {14, 2, BFC::Make(0x70, 4, 0x3D), u"t76"},
      {14, 1, BFC::Make(0x80, 0x94, 1), u"t75"},
  };
  for (const auto& c : cases) {
    services->pending.clear();
    ChooseInSubmenu(2014, c.parent, c.item);
    EXPECT_EQ(Button(1).KeyValue, c.code.bytes) << c.parent << "/" << c.item;
    EXPECT_EQ(Button(1).KeyName, c.name);
    EXPECT_EQ(Field(2014)->GetTitle(), c.name);
    EXPECT_EQ(services->pending, std::vector<Group>{Group::Keys});
    ExpectNoMenus();
  }
}

TEST_F(ButtonFieldsPartTest, TheLastLeftButtonCannotLoseItsFunction) {
  // The right button on the only left button is undone and told after the menu closed.
  Choose(2013, 2);
  EXPECT_EQ(Button(0).KeyValue, BFC::LeftButton().bytes);
  EXPECT_EQ(Button(0).KeyName, u"t20");
  EXPECT_EQ(Field(2013)->GetTitle(), u"t20");
  EXPECT_TRUE(services->pending.empty());
  EXPECT_TRUE(services->messages.empty());
  ASSERT_TRUE(services->RunDeferred(ViewServices::kTimerDeferredMessage));
  EXPECT_EQ(services->messages, std::vector<int>{151});

  // With a left button on slot 3 first, slot 0 may take the right button.
  Choose(2016, 1);
  Choose(2013, 2);
  EXPECT_EQ(Button(0).KeyValue, BFC::Make(0x10, 0x02).bytes);
  EXPECT_EQ(Button(3).KeyValue, BFC::LeftButton().bytes);
  EXPECT_EQ(services->pending, (std::vector<Group>{Group::Keys, Group::Keys}));
  EXPECT_FALSE(services->RunDeferred(ViewServices::kTimerDeferredMessage));

  // Slot 3, now the only left button, is guarded in its turn, from a submenu too.
  ChooseInSubmenu(2016, 6, 1);
  EXPECT_EQ(Button(3).KeyValue, BFC::LeftButton().bytes);
  EXPECT_EQ(Field(2016)->GetTitle(), u"t20");
}

TEST_F(ButtonFieldsPartTest, SpareFieldsChangeOnlyTheirCaption) {
  const ProfileSettings before = Profile();
  ChooseInSubmenu(2020, 16, 1);
  EXPECT_EQ(Field(2020)->GetTitle(), u"t36-200");
  Choose(2021, 2);
  EXPECT_EQ(Field(2021)->GetTitle(), u"t21");
  EXPECT_EQ(Profile().buttons, before.buttons);
  EXPECT_TRUE(services->pending.empty());
  EXPECT_TRUE(services->deferred.empty());
  // A refresh leaves them as chosen.
  part.Refresh();
  EXPECT_EQ(Field(2021)->GetTitle(), u"t21");
}

TEST_F(ButtonFieldsPartTest, ResultsForNoFieldOrNoItemAreIgnored) {
  const ProfileSettings before = Profile();
  const WindowId w = H();
  desktop.SendMessage(w, 1027, 2013, 19);
  desktop.SendMessage(w, 1027, 2013, -1);
  desktop.SendMessage(w, 1027, 2014, static_cast<platform::LParam>(0x100000003LL));
  desktop.SendMessage(w, 1027, 2012, 2);
  desktop.SendMessage(w, 1027, 2022, 2);
  desktop.SendMessage(w, 1155, 2014, 12);
  desktop.SendMessage(w, 1041, 2014, 0);
  // A result message with nothing behind it (no editor open) reads nothing.
  desktop.SendMessage(w, 1036, 2014, 0x1234);
  desktop.SendMessage(w, 1063, 2014, 0);
  desktop.SendMessage(w, 1039, 2014, 0);
  EXPECT_EQ(Profile().buttons, before.buttons);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(ButtonFieldsPartTest, ShortcutEditorCatchesAKeyThroughTheHook) {
  const struct {
    std::vector<uint32_t> checks;
    std::vector<uint8_t> keys;
    std::optional<BFC> code;  // nothing: the button keeps its function
    const char16_t* name;
  } cases[] = {
      {{CShortcutDlg::kCtrlCheck, CShortcutDlg::kShiftCheck},
       {0xA2, 0xA0, 'A'},
       BFC::Make(0x70, 0x03, 0x04),
       u"Ctrl+Shift+A"},
      {{CShortcutDlg::kAltCheck}, {}, BFC::Make(0x70, 0x04, 0x00), u"Alt"},
      {{}, {0x74}, BFC::Make(0x70, 0x00, 0x3E), u"F5"},
      {{CShortcutDlg::kWinCheck}, {0x5B, 0x5C, 'R'}, BFC::Make(0x70, 0x08, 0x15), u"Win+R"},
      {{}, {0xA0, 0xA1}, std::nullopt, nullptr},
  };
  for (const auto& c : cases) {
    const std::array<uint8_t, 3> was = Button(4).KeyValue;
    services->pending.clear();
    bool ran = false;
    desktop.ScriptNextModal([&](WindowId dlg) {
      auto* editor = Editor<CShortcutDlg>(dlg);
      ASSERT_NE(editor, nullptr);
      ran = true;
      EXPECT_EQ(platform.system().HookTarget(), dlg);
      for (uint32_t id : c.checks) ClickControl(dlg, id);
      uint32_t time = 1000;
      for (uint8_t key : c.keys) {
        platform.system().InjectKey(key, false, time += 10);
        platform.system().InjectKey(key, true, time += 10);
      }
      if (!c.keys.empty()) {
        EXPECT_EQ(editor->GetControl(CShortcutDlg::kKeyText)->GetTitle(),
                  editor->Capture().KeyName());
      }
      ClickControl(dlg, CShortcutDlg::kOkButton);
    });
    Choose(2017, 11);
    EXPECT_TRUE(ran);
    EXPECT_EQ(platform.system().HookTarget(), 0u);  // stopped with the dialog
    if (!c.code) {
      EXPECT_EQ(Button(4).KeyValue, was);
      EXPECT_TRUE(services->pending.empty());
      continue;
    }
    EXPECT_EQ(Button(4).KeyValue, c.code->bytes) << base::ToUtf8(c.name);
    EXPECT_EQ(Button(4).KeyName, c.name);
    EXPECT_EQ(Field(2017)->GetTitle(), c.name);
    EXPECT_EQ(services->pending, std::vector<Group>{Group::Keys});
  }
}

TEST_F(ButtonFieldsPartTest, ShortcutEditorTakesEnterAndEscapeAsKeys) {
  desktop.ScriptNextModal([&](WindowId dlg) {
    auto* editor = Editor<CShortcutDlg>(dlg);
    ASSERT_NE(editor, nullptr);
    ClickControl(dlg, CShortcutDlg::kAltCheck);
    // The hook reports the key before the dialog sees it; neither closes the dialog.
    platform.system().InjectKey(0x1B, false, 10);
    desktop.PressKey(dlg, platform::kVkEscape);
    platform.system().InjectKey(0x0D, false, 20);
    desktop.PressKey(dlg, platform::kVkReturn);
    platform.system().InjectKey(0xA4, false, 30);  // Alt itself: ignored
    EXPECT_EQ(editor->Capture().KeyName(), u"Enter");
    ClickControl(dlg, CShortcutDlg::kOkButton);
  });
  Choose(2017, 11);
  EXPECT_EQ(Button(4).KeyValue, (BFC::Make(0x70, 0x04, 0x28).bytes));
  EXPECT_EQ(Button(4).KeyName, u"Alt+Enter");
}

TEST_F(ButtonFieldsPartTest, ShortcutEditorClosedOrCancelledChangesNothing) {
  for (uint32_t button : {CShortcutDlg::kCloseButton, CShortcutDlg::kCancelButton}) {
    desktop.ScriptNextModal([&](WindowId dlg) {
      auto* editor = Editor<CShortcutDlg>(dlg);
      ASSERT_NE(editor, nullptr);
      ClickControl(dlg, CShortcutDlg::kCtrlCheck);
      platform.system().InjectKey('Q', false, 5);
      ClickControl(dlg, button);
    });
    Choose(2014, 11);
    EXPECT_EQ(Button(1).KeyValue, BFC::Make(0x10, 0x02).bytes);
    EXPECT_EQ(platform.system().HookTarget(), 0u);
  }
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(ButtonFieldsPartTest, RapidFireEditorKeepsItsValuesInRange) {
  std::vector<std::u16string> told;
  desktop.ScriptNextModal([&](WindowId dlg) {
    auto* editor = Editor<CFireKeyDlg>(dlg);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->FirstField()->GetText(), u"50");
    EXPECT_EQ(editor->SecondField()->GetText(), u"0");
    EXPECT_FALSE(editor->GetControl(CFireKeyDlg::kCancelButton)->IsDrawable());
    // 300 is put back to 255 within 100 ms, with text 174; 256 in the second with 176.
    AnswerNextBox(told);
    desktop.TypeText(dlg, u"300");
    desktop.RunFor(CFireKeyDlg::kCheckMs + 10);
    EXPECT_EQ(editor->FirstField()->GetText(), u"255");
    editor->SetFocusControl(editor->SecondField());
    editor->SecondField()->SelectAll();
    AnswerNextBox(told);
    desktop.TypeText(dlg, u"256");
    desktop.RunFor(CFireKeyDlg::kCheckMs + 10);
    EXPECT_EQ(editor->SecondField()->GetText(), u"255");
    // A letter is refused with text 175; Enter and Escape do nothing.
    AnswerNextBox(told);
    desktop.TypeText(dlg, u"x");
    EXPECT_EQ(editor->SecondField()->GetText(), u"255");
    desktop.PressKey(dlg, platform::kVkReturn);
    desktop.PressKey(dlg, platform::kVkEscape);
    // 4 is too small: told, and the dialog stays.
    editor->FirstField()->SetText(u"4");
    AnswerNextBox(told);
    ClickControl(dlg, CFireKeyDlg::kOkButton);
    // 5 and 0 are stored.
    editor->FirstField()->SetText(u"5");
    editor->SecondField()->SetText(u"0");
    ClickControl(dlg, CFireKeyDlg::kOkButton);
  });
  Choose(2016, 7);
  EXPECT_EQ(told, (std::vector<std::u16string>{u"t174", u"t176", u"t175", u"t174"}));
  EXPECT_EQ(Button(3).KeyValue, BFC::Make(0x30, 5, 0).bytes);
  EXPECT_EQ(Button(3).KeyName, u"t26");
  EXPECT_EQ(Field(2016)->GetTitle(), u"t26");
  EXPECT_EQ(services->pending, std::vector<Group>{Group::Keys});
}

TEST_F(ButtonFieldsPartTest, EditorsCloseWhenTheMainWindowClosesEveryDialog) {
  const auto open = [] {
    return std::count_if(g_hOpenDialogs.begin(), g_hOpenDialogs.end(),
                         [](platform::WindowId w) { return w != 0; });
  };
  const auto before = open();
  for (int item : {7, 11, 17}) {
    bool registered = false;
    desktop.ScriptNextModal([&](WindowId dlg) {
      registered =
          std::find(g_hOpenDialogs.begin(), g_hOpenDialogs.end(), dlg) != g_hOpenDialogs.end();
      platform.system().InjectKey('Q', false, 5);
      desktop.SendMessage(dlg, platform::msg::kClose, 0, 0);
    });
    Choose(2016, item);
    EXPECT_TRUE(registered) << item;
    EXPECT_EQ(open(), before);
  }
  EXPECT_EQ(Button(3).KeyValue, BFC::Make(0x10, 0x10).bytes);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(ButtonFieldsPartTest, RapidFireOkRightAfterTypingNeverSendsACutValue) {
  std::vector<std::u16string> told;
  desktop.ScriptNextModal([&](WindowId dlg) {
    auto* editor = Editor<CFireKeyDlg>(dlg);
    ASSERT_NE(editor, nullptr);
    editor->FirstField()->SetText(u"300");  // OK before the 100 ms check ran
    AnswerNextBox(told);
    ClickControl(dlg, CFireKeyDlg::kOkButton);
    EXPECT_EQ(editor->FirstField()->GetText(), u"255");
    ClickControl(dlg, CFireKeyDlg::kCloseButton);
  });
  Choose(2016, 7);
  EXPECT_EQ(told, std::vector<std::u16string>{u"t174"});
  EXPECT_EQ(Button(3).KeyValue, BFC::Make(0x10, 0x10).bytes);
}

TEST_F(ButtonFieldsPartTest, LaunchEditorStoresTheProgramAndItsPath) {
  const std::u16string folder = u"C:\\Программы";
  const std::u16string path = folder + u"\\计算器.exe";
  platform.files().CreateDirectory(folder);
  ASSERT_TRUE(platform.files().WriteAll(path, "MZ"));
  platform.shell().ScriptFileDialog(path);
  desktop.ScriptNextModal([&](WindowId dlg) {
    auto* editor = Editor<CQuickLaunchDlg>(dlg);
    ASSERT_NE(editor, nullptr);
    ClickControl(dlg, CQuickLaunchDlg::kBrowseButton);
    EXPECT_EQ(editor->GetControl(CQuickLaunchDlg::kPathText)->GetTitle(), path);
    ClickControl(dlg, CQuickLaunchDlg::kOkButton);
  });
  Choose(2018, 17);
  ASSERT_EQ(platform.shell().dialogs.size(), 1u);
  EXPECT_EQ(platform.shell().dialogs[0].defaultName, u"ab.exe");
  EXPECT_EQ(Button(5).KeyValue, BFC::Make(0x60, 0x05).bytes);
  EXPECT_EQ(Button(5).KeyName, u"计算器.exe");
  EXPECT_EQ(Button(5).KeyURL, path);
  EXPECT_EQ(Field(2018)->GetTitle(), u"计算器.exe");

  // OK without a program (the dialog cancelled) leaves the button as it is.
  services->pending.clear();
  desktop.ScriptNextModal([&](WindowId dlg) {
    auto* editor = Editor<CQuickLaunchDlg>(dlg);
    ASSERT_NE(editor, nullptr);
    ClickControl(dlg, CQuickLaunchDlg::kBrowseButton);
    ClickControl(dlg, CQuickLaunchDlg::kOkButton);
  });
  Choose(2015, 17);
  EXPECT_EQ(Button(2).KeyValue, BFC::Make(0x10, 0x04).bytes);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(ButtonFieldsPartTest, MacroAndShootingItemsOpenTheirSelectDialogsAfterTheMenu) {
  for (int item : {9, 10}) {
    SCOPED_TRACE(item);
    bool opened = false;
    desktop.ScriptNextModal([&](WindowId dlg) {
      // The menu is gone before the dialog runs.
      EXPECT_EQ(Menu(ButtonFieldsPart::kMenuSlot), nullptr);
      auto* select = Editor<CMacroSelectDlg>(dlg);
      ASSERT_NE(select, nullptr);
      EXPECT_EQ(select->Kind().functionType, item == 9 ? 0x90 : 0x91);
      ClickControl(dlg, CMacroSelectDlg::kCloseButton);
      opened = true;
    });
    Choose(2014, item);
    EXPECT_TRUE(opened);
    ExpectNoMenus();
  }
  // Closed without a choice: the button keeps its function and nothing is written.
  EXPECT_EQ(Button(1).KeyValue, BFC::Make(0x10, 0x02).bytes);
  EXPECT_TRUE(services->pending.empty());
}

TEST_F(ButtonFieldsPartTest, FieldTextsAreTheLanguageOfTheirAssignment) {
  const std::u16string dataDir = u"C:\\Users\\player\\Data";
  ASSERT_TRUE(platform.files().CreateDirectory(dataDir));
  ASSERT_TRUE(platform.files().CreateDirectory(dataDir + u"\\config"));
  g_strDataDir = dataDir + u"\\";
  const struct {
    const char16_t* code;
    const char16_t* middle;  // item 3
    const char16_t* lock;    // DPI lock 700
    const char16_t* rapid;   // the rapid-fire editor
    const char16_t* left;    // given back by the guard
  } languages[] = {{u"EN", u"Middle click", u"DPI lock-700", u"Rapid fire", u"Left click"},
                   {u"CN", u"中键", u"DPI锁定-700", u"连发", u"左键"}};
  for (const auto& language : languages) {
    CStdioFileEx setting;
    ASSERT_TRUE(setting.Open(g_strDataDir + u"config\\LanSetting.ini", CStdioFileEx::kWriteFlags));
    setting.WriteString(u"[ChangeLanguage]\nLanguage=" + std::u16string(language.code) + u"\n");
    ASSERT_TRUE(setting.Close());
    ResetLanguage();
    ASSERT_TRUE(LoadLanguage());

    Choose(2014, 3);
    EXPECT_EQ(Field(2014)->GetTitle(), language.middle);
    ChooseInSubmenu(2015, 16, 6);
    EXPECT_EQ(Field(2015)->GetTitle(), language.lock);
    EXPECT_EQ(Button(2).KeyName, language.lock);
    desktop.ScriptNextModal([&](WindowId dlg) {
      auto* editor = Editor<CFireKeyDlg>(dlg);
      ASSERT_NE(editor, nullptr);
      ClickControl(dlg, CFireKeyDlg::kOkButton);
    });
    Choose(2016, 7);
    EXPECT_EQ(Field(2016)->GetTitle(), language.rapid);
    EXPECT_EQ(Button(3).KeyValue, BFC::Make(0x30, 50, 0).bytes);
    desktop.ScriptNextModal([&](WindowId dlg) {
      auto* editor = Editor<CShortcutDlg>(dlg);
      ASSERT_NE(editor, nullptr);
      ClickControl(dlg, CShortcutDlg::kCtrlCheck);
      platform.system().InjectKey(0xBC, false, 1);
      ClickControl(dlg, CShortcutDlg::kOkButton);
    });
    Choose(2017, 11);
    EXPECT_EQ(Field(2017)->GetTitle(), u"Ctrl+,");
    Choose(2013, 18);
    EXPECT_EQ(Field(2013)->GetTitle(), language.left);
    ASSERT_TRUE(services->RunDeferred(ViewServices::kTimerDeferredMessage));
    // The names are kept as chosen: a refresh shows them unchanged.
    part.Refresh();
    EXPECT_EQ(Field(2015)->GetTitle(), language.lock);
  }
}

}  // namespace
