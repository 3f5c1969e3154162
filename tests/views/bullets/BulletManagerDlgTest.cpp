// The shooting-action manager driven as a user would on the headless adapter.

#include "views/macros/BulletManagerDlg.h"

#include <gtest/gtest.h>

#include "macros/MacroLibraryFile.h"
#include "macros/editing/BulletRules.h"
#include "platform/Keys.h"
#include "ui/BulletNumberButton.h"
#include "ui/EditBox.h"
#include "ui/MenuPopup.h"
#include "ui/RadioButton.h"
#include "views/bullets/BulletViewsTestSupport.h"
#include "views/macros/ActionBulletXYModifyDlg.h"
#include "views/macros/EditShowList.h"
#include "views/macros/MacroListPopup.h"
#include "views/macros/ShootingActionList.h"

namespace {

using M = CBulletManagerDlg;
using L = LibraryLocation;

class BulletManagerDlgTest : public bullettest::BulletViewsTest {
 protected:
  // Runs the manager; `script` acts in it, then the manager is closed with its close button.
  void RunManager(const std::function<void(M&)>& script) {
    M dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection, scratch);
    desktop.ScriptNextModal([&](platform::WindowId) {
      script(dlg);
      ClickControl(dlg, M::kCloseButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
    saved = dlg.Saved();
  }
  // A point on a library row (the list shows from its top row).
  platform::Point RowPoint(M& dlg, int row) {
    const CEditShowList& list = *dlg.LibraryList();
    return {list.m_rc.left + 100,
            list.m_rc.top + (row - list.TopRow()) * list.RowHeight() + list.RowHeight() / 2};
  }
  void ClickRow(M& dlg, int row) { desktop.Click(dlg.GetSafeHwnd(), RowPoint(dlg, row)); }
  // Presses the minus (first) or plus (second) half of a bullet number control.
  void PressHalf(const CDlgBase& dlg, uint32_t id, bool plus) {
    const platform::Rect rc = dlg.GetControl(id)->m_rc;
    desktop.Click(dlg.GetSafeHwnd(), {plus ? rc.right - 5 : rc.left + 5, rc.top + 5});
  }
  std::u16string Title(const CDlgBase& dlg, uint32_t id) { return dlg.GetControl(id)->GetTitle(); }
  bool Drawable(const CDlgBase& dlg, uint32_t id) {
    const CControlBase* c = dlg.GetControl(id);
    return c && c->IsDrawable();
  }
  // Clicks the line of a shown bullet column in the action list.
  void ClickLine(M& dlg, int column, int line, bool twice = false) {
    const platform::Point p = testclick::Centre(dlg.ActionList()->LineRect(column, line));
    twice ? desktop.DoubleClick(dlg.GetSafeHwnd(), p) : desktop.Click(dlg.GetSafeHwnd(), p);
  }
  bool saved = false;
};

TEST_F(BulletManagerDlgTest, OffersNoRecordingInsertionOrActionDeletionAndOnlyTwoLoopTypes) {
  const L folder = AddFolder(u"F");
  library.SetFolderOpen(folder, true);
  RunManager([&](M& dlg) {
    for (uint32_t hidden :
         {M::kRecordButton, M::kRecordDelays, M::kRecordDelaysLabel, M::kInsertDropDown,
          M::kInsertLabel, M::kDeleteAction, M::kLoopToggle, M::kToggleLabel, M::kActionScrollV}) {
      ASSERT_NE(dlg.GetControl(hidden), nullptr) << hidden;
      EXPECT_FALSE(Drawable(dlg, hidden)) << hidden;
    }
    for (uint32_t shown :
         {M::kNewButton, M::kDeleteButton, M::kLibraryList, M::kActionList, M::kModifyButton,
          M::kLoopHeld, M::kLoopCount, M::kBulletCount, M::kActionScroll, M::kLibraryScroll}) {
      EXPECT_TRUE(Drawable(dlg, shown)) << shown;
    }
    EXPECT_FALSE(library.EntryAt(folder)->IsOpenFolder());  // folders close on opening
  });
}

TEST_F(BulletManagerDlgTest, NewEntryHasFourBulletsAndPlusMinusKeepOneToTen) {
  RunManager([&](M& dlg) {
    desktop.ScriptNextModal([&](platform::WindowId w) {
      desktop.PressKey(w, platform::kVkReturn);  // empty: refused with the dialog open
      desktop.TypeText(w, u"Spray");
      desktop.PressKey(w, platform::kVkReturn);
    });
    ClickControl(dlg, M::kNewButton);
    EXPECT_EQ(services->messages, std::vector<int>{242});
    ASSERT_NE(dlg.CurrentMacro(), nullptr);
    EXPECT_EQ(Title(dlg, M::kBulletCount), u"4");
    EXPECT_EQ(dlg.ActionList()->Record(), dlg.CurrentMacro());
    EXPECT_EQ(CShootingActionList::LineText(*dlg.CurrentMacro(), 3, 0), u"bullet 4");
    EXPECT_EQ(CShootingActionList::LineText(*dlg.CurrentMacro(), 0, 1), u"delay 10ms");
    EXPECT_EQ(CShootingActionList::LineText(*dlg.CurrentMacro(), 0, 2), u"X = 0");
    EXPECT_EQ(CShootingActionList::LineText(*dlg.CurrentMacro(), 0, 3), u"Y = 2");
    EXPECT_EQ(CShootingActionList::LineText(*dlg.CurrentMacro(), 0, 4), u"delay 20ms");

    for (int i = 0; i < 4; ++i) PressHalf(dlg, M::kBulletCount, false);
    EXPECT_EQ(Title(dlg, M::kBulletCount), u"1");
    EXPECT_EQ(dlg.CurrentMacro()->MacroCommandActionNum, 2);
    for (int i = 0; i < 12; ++i) PressHalf(dlg, M::kBulletCount, true);
    EXPECT_EQ(Title(dlg, M::kBulletCount), u"10");
    EXPECT_EQ(dlg.CurrentMacro()->MacroActionNum, 40u);
    EXPECT_EQ(dlg.CurrentMacro()->MacroCommandActionNum, 20);
    EXPECT_EQ(dlg.ActionList()->SelectedAction(), 39);  // the last action, scrolled into view
    EXPECT_EQ(dlg.ActionList()->FirstColumn(), 6);
  });
  EXPECT_TRUE(saved);
  EXPECT_TRUE(selection.IsNone());  // closing forgets the selection
  MacroLibrary reread(u"config\\BulletLibraryFile.mlf");
  ASSERT_TRUE(ReadLibraryFile(reread));
  ASSERT_NE(reread.EntryAt(L::Level0(0)), nullptr);
  EXPECT_EQ(*reread.EntryAt(L::Level0(0))->record, *library.EntryAt(L::Level0(0))->record);
}

TEST_F(BulletManagerDlgTest, StepAndDelayEditorsChangeOnlyOnOk) {
  const L at = AddEntry(u"S");
  selection = at;
  // Step editor layout at scale 1: Y's halves, OK and cancel.
  const platform::Point yPlus{275, 60};
  const platform::Point xMinus{55, 60};
  const platform::Point ok{190, 115};
  const platform::Point cancel{270, 115};
  RunManager([&](M& dlg) {
    ClickLine(dlg, 0, 3);  // Y of bullet 1
    EXPECT_EQ(dlg.ActionList()->SelectedAction(), 2);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      for (int i = 0; i < 200; ++i) desktop.Click(w, yPlus);
      desktop.Click(w, ok);
    });
    ClickControl(dlg, M::kModifyButton);
    EXPECT_EQ(bullets::StepOf(RecordAt(at).actions[2]), (bullets::CursorStep{0, 127}));

    // X down to its limit, dropped by cancel.
    desktop.ScriptNextModal([&](platform::WindowId w) {
      for (int i = 0; i < 200; ++i) desktop.Click(w, xMinus);
      desktop.Click(w, cancel);
    });
    ClickLine(dlg, 0, 2, true);  // a double click modifies too
    EXPECT_EQ(bullets::StepOf(RecordAt(at).actions[2]), (bullets::CursorStep{0, 127}));
    desktop.ScriptNextModal([&](platform::WindowId w) {
      for (int i = 0; i < 200; ++i) desktop.Click(w, xMinus);
      desktop.Click(w, ok);
    });
    ClickControl(dlg, M::kModifyButton);
    EXPECT_EQ(bullets::StepOf(RecordAt(at).actions[2]), (bullets::CursorStep{-127, 127}));

    // The second delay of bullet 2: a letter is refused with a message, Escape does nothing,
    // the value is capped.
    ClickLine(dlg, 1, 4);
    EXPECT_EQ(dlg.ActionList()->SelectedAction(), 7);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      desktop.TypeText(w, u"x");
      EXPECT_EQ(services->messages, std::vector<int>{175});
      desktop.PressKey(w, platform::kVkEscape);
      EXPECT_TRUE(desktop.IsWindow(w));
      desktop.PressKey(w, platform::kVkBack);
      desktop.PressKey(w, platform::kVkBack);
      desktop.TypeText(w, u"999999999");
      desktop.PressKey(w, platform::kVkReturn);
    });
    ClickControl(dlg, M::kModifyButton);
    EXPECT_EQ(RecordAt(at).actions[7], MacroAction::Delay(15300000));

    // The fire action is not editable: nothing opens.
    ClickLine(dlg, 0, 0);
    EXPECT_EQ(dlg.ActionList()->SelectedAction(), 0);
    const size_t scripts = desktop.PendingModalScripts();
    ClickControl(dlg, M::kModifyButton);
    EXPECT_EQ(desktop.PendingModalScripts(), scripts);
  });
  EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST_F(BulletManagerDlgTest, LoopTypesAndTheClampedCount) {
  const L a = AddEntry(u"A");
  const L b = AddEntry(u"B");
  RecordAt(b).MacroKeyLoopType = 4;  // from a file
  selection = a;
  RunManager([&](M& dlg) {
    auto* held = dynamic_cast<CRadioButton*>(dlg.GetControl(M::kLoopHeld));
    auto* count = dynamic_cast<CRadioButton*>(dlg.GetControl(M::kLoopCount));
    auto* edit = dynamic_cast<CEditBox*>(dlg.GetControl(M::kLoopCountEdit));
    EXPECT_TRUE(count->IsSelected());
    EXPECT_TRUE(edit->IsDrawable());
    EXPECT_EQ(edit->GetText(), u"1");

    ClickControl(dlg, M::kLoopHeld);
    EXPECT_EQ(RecordAt(a).MacroKeyLoopType, 1);
    EXPECT_FALSE(edit->IsDrawable());
    ClickControl(dlg, M::kLoopCount);
    EXPECT_EQ(RecordAt(a).MacroKeyLoopType, 2);
    EXPECT_TRUE(edit->IsDrawable());
    desktop.TypeText(dlg.GetSafeHwnd(), u"0");  // the text was selected: "0" replaces it
    EXPECT_EQ(edit->GetText(), u"1");
    EXPECT_EQ(RecordAt(a).MacroKeyLoopNum, 1);
    desktop.TypeText(dlg.GetSafeHwnd(), u"00");  // "100"
    EXPECT_EQ(RecordAt(a).MacroKeyLoopNum, 100);
    edit->SelectAll();
    desktop.TypeText(dlg.GetSafeHwnd(), u"300");
    EXPECT_EQ(edit->GetText(), u"255");
    EXPECT_EQ(RecordAt(a).MacroKeyLoopNum, 255);
    desktop.TypeText(dlg.GetSafeHwnd(), u"-");
    EXPECT_EQ(services->messages, std::vector<int>{175});

    ClickRow(dlg, 1);  // type 4: neither visible radio, the type kept
    EXPECT_FALSE(held->IsSelected());
    EXPECT_FALSE(count->IsSelected());
    EXPECT_FALSE(edit->IsDrawable());
    EXPECT_EQ(RecordAt(b).MacroKeyLoopType, 4);

    ClickRow(dlg, 5);  // below the last row: no entry, no loop
    EXPECT_TRUE(selection.IsNone());
    ClickControl(dlg, M::kLoopHeld);
    EXPECT_FALSE(held->IsSelected());
    EXPECT_EQ(Title(dlg, M::kBulletCount), u"");
  });
}

TEST_F(BulletManagerDlgTest, DeleteAsksAndIsRefusedWhileAShootingButtonUsesTheEntry) {
  const L a = AddEntry(u"A");
  AddEntry(u"B");
  ButtonSlot& button = services->profile.buttons[3];
  button.KeyValue = {0x91, 0x21, 1};
  button.MacroKeyIndex = RecordAt(a).MacroKeyIndex;
  selection = a;
  RunManager([&](M& dlg) {
    services->modalAnswer = CDlgBase::kIdCancel;
    ClickControl(dlg, M::kDeleteButton);
    EXPECT_EQ(services->messages, std::vector<int>{232});
    services->modalAnswer = CDlgBase::kIdOk;
    ClickControl(dlg, M::kDeleteButton);
    EXPECT_EQ(services->messages, (std::vector<int>{232, 232, 257}));
    EXPECT_NE(library.EntryAt(L::Level0(1)), nullptr);

    ClickRow(dlg, 1);
    ClickControl(dlg, M::kDeleteButton);
    EXPECT_EQ(library.EntryAt(L::Level0(1)), nullptr);
    EXPECT_TRUE(selection.IsNone());
    EXPECT_EQ(dlg.ActionList()->Record(), nullptr);
    ClickControl(dlg, M::kDeleteButton);
    EXPECT_EQ(services->messages.back(), 233);
  });
}

TEST_F(BulletManagerDlgTest, ContextMenuOffersByKindAndRunsAfterItClosed) {
  const L folder = AddFolder(u"F");
  const L shot = AddEntry(u"S");
  RunManager([&](M& dlg) {
    selection = L::None();
    std::vector<int> none;
    for (const auto& item : dlg.MenuItems()) none.push_back(item.first);
    EXPECT_EQ(none, (std::vector<int>{245, 246, 248, 251, 252}));
    selection = folder;
    std::vector<int> forFolder;
    for (const auto& item : dlg.MenuItems()) forFolder.push_back(item.first);
    EXPECT_EQ(forFolder, (std::vector<int>{245, 246, 248, 249, 250, 251, 252}));

    // Right click on the shooting action, choose rename.
    desktop.RightClick(dlg.GetSafeHwnd(), RowPoint(dlg, 1));
    EXPECT_EQ(selection, shot);
    auto* menu = dynamic_cast<CMenuPopup*>(dlg.Popup(M::kMenuSlot));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items().size(), 8u);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      desktop.PressKey(w, 'A', platform::mod::kControl);
      desktop.TypeText(w, u"F");  // the folder's name: refused in the same group
      desktop.PressKey(w, platform::kVkReturn);
      EXPECT_EQ(services->messages, std::vector<int>{241});
      desktop.TypeText(w, u"Ряд");
      desktop.PressKey(w, platform::kVkReturn);
    });
    desktop.Click(menu->GetSafeHwnd(), {menu->RowRect(4).left + 5, menu->RowRect(4).top + 5});
    desktop.RunUntilIdle();
    EXPECT_EQ(library.EntryAt(shot)->name, u"FРяд");

    // The menu is the macro manager's kind: a click elsewhere closes it through its notice.
    desktop.RightClick(dlg.GetSafeHwnd(), RowPoint(dlg, 1));
    menu = dynamic_cast<CMenuPopup*>(dlg.Popup(M::kMenuSlot));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Kind(), CMacroListPopup::kKind);
    const platform::WindowId p = menu->GetSafeHwnd();
    desktop.SendMessage(p, platform::msg::kNcActivate, 0, 0);
    desktop.RunUntilIdle();
    EXPECT_FALSE(desktop.IsWindow(p));
    EXPECT_EQ(dlg.Popup(M::kMenuSlot), nullptr);
  });
}

}  // namespace
