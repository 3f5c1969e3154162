// The macro manager driven as a user would: the keyboard hook, the insert menu and its
// editors, the loop settings, entries and their refusals, the lists' scrolling.

#include "views/macros/MacroManagerDlg.h"

#include <map>

#include "adapters/headless/RecordingCanvas.h"
#include "base/Format.h"

#include "macros/editing/EditingTexts.h"
#include "platform/Keys.h"
#include "ui/CheckButton.h"
#include "ui/EditBox.h"
#include "views/macros/ActionEditDlg.h"
#include "views/macros/EditShowList.h"
#include "views/macros/ImageShowList.h"
#include "views/macros/MacroViewsFixture.h"

namespace {

using M = CMacroManagerDlg;
namespace text = macros::text;

std::vector<MacroAction> Actions(const MacroRecord& m) {
  return {m.actions.begin(), m.actions.begin() + m.MacroActionNum};
}

class MacroManagerDlgTest : public MacroViewsTest {
 protected:
  // Runs the manager with `script`, then closes it as the user would.
  void RunManager(std::function<void(platform::WindowId, CMacroManagerDlg&)> script) {
    CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
    desktop.ScriptNextModal([&, script](platform::WindowId w) {
      script(w, dlg);
      if (desktop.IsWindow(w) && desktop.PendingModalScripts() == 0)
        ClickControl(w, M::kCloseButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
    saved = dlg.Saved();
  }
  MacroRecord& MacroAt(int i) { return *library.EntryAt(LibraryLocation::Level0(i))->record; }
  bool saved = false;
};

TEST_F(MacroManagerDlgTest, RecordsTypedKeysThroughTheHookUntilSwitchedOff) {
  auto& sys = platform.system();
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    ScriptTypedEntry(u"Jump");
    ClickControl(w, M::kNewButton);
    ASSERT_NE(dlg.CurrentMacro(), nullptr);
    EXPECT_EQ(library.EntryAt(selection)->name, u"Jump");
    // The new macro's loop settings show at once: played once.
    EXPECT_NE(g_nRadioFlags & RadioBitsOf(M::kLoopCount).own, 0u);
    EXPECT_TRUE(dlg.GetControl(M::kLoopCountEdit)->IsDrawable());

    ClickControl(w, M::kRecordButton);
    ASSERT_TRUE(dlg.IsRecording());
    EXPECT_EQ(sys.HookTarget(), w);
    EXPECT_TRUE(dlg.GetControl(M::kNewButton)->m_bDisable);
    EXPECT_FALSE(dlg.GetControl(M::kInsertDrop)->m_bDisable);
    sys.InjectKey(0x41, false, 1000);
    sys.InjectKey(0x41, false, 1030);  // auto-repeat
    sys.InjectKey(0x02, false, 1040);  // a mouse button
    sys.InjectKey(0x41, true, 1100);
    sys.InjectKey(0x42, false, 11100);
    EXPECT_EQ(dlg.ActionList()->RowCount(), 5);

    ClickControl(w, M::kRecordButton);
    EXPECT_FALSE(dlg.IsRecording());
    EXPECT_EQ(sys.HookTarget(), 0u);
    EXPECT_FALSE(dlg.GetControl(M::kNewButton)->m_bDisable);
    EXPECT_NE(LibraryFileBytes().find("J\0u\0m\0p\0", 0, 8), std::string::npos) << "saved";
    EXPECT_FALSE(sys.InjectKey(0x43, false, 12000));
  });
  EXPECT_TRUE(saved);
  EXPECT_EQ(Actions(MacroAt(0)),
            (std::vector<MacroAction>{MacroAction::Key(0x41, false), MacroAction::Delay(100),
                                      MacroAction::Key(0x41, true), MacroAction::Delay(4095),
                                      MacroAction::Key(0x42, false)}));
  EXPECT_EQ(MacroAt(0).MacroCommandActionNum, 3);
  EXPECT_TRUE(selection.IsNone()) << "closing leaves no selection";
}

// What recording disables looks disabled while it records: the buttons, the check box, both
// lists and their scroll bars, the loop settings, the close cross. The insert drop-down stays
// usable and looks as it did; everything looks as before once recording stops.
TEST_F(MacroManagerDlgTest, RecordingFadesWhatItDisables) {
  // Recording starts the macro afresh: an empty one looks the same before and after.
  AddMacro(u"Jump");
  for (const char16_t* skin :
       {u"button1_nr.png", u"button1_ov.png", u"check_nr.png", u"check_ov.png", u"check_dn.png",
        u"radio_nr.png", u"radio_ov.png", u"radio_dn.png", u"exit_nr.png", u"exit_ov.png"}) {
    WriteSkin(skin, 20, 14, 0x8090A0);
  }
  const uint32_t disabled[] = {M::kNewButton,    M::kDeleteEntryButton,  M::kLibraryList,
                               M::kLibraryBar,   M::kActionList,         M::kActionBar,
                               M::kModifyButton, M::kDeleteActionButton, M::kRecordDelaysCheck,
                               M::kLoopHeld,     M::kLoopCountEdit,      M::kCloseButton};
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    auto look = [&](uint32_t id) {
      const platform::Rect client = desktop.ClientRect(w);
      platform::headless::RecordingCanvas canvas(client.Width(), client.Height());
      dlg.DrawWindow(canvas, client);
      // Every call that reaches the control, with its colour and alpha (text leaves no
      // pixels on the headless canvas), and the pixels.
      const platform::Rect rc = dlg.GetControl(id)->m_rc;
      std::vector<uint32_t> drawn;
      for (const auto& op : canvas.Ops()) {
        if (op.rect.Intersect(rc).IsEmpty()) continue;
        drawn.insert(drawn.end(), {static_cast<uint32_t>(op.kind), op.colour, op.alpha});
      }
      for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) drawn.push_back(canvas.PixelArgb(x, y));
      }
      return drawn;
    };
    auto looks = [&] {
      std::map<uint32_t, std::vector<uint32_t>> all;
      for (uint32_t id : disabled) all[id] = look(id);
      all[M::kInsertDrop] = look(M::kInsertDrop);
      return all;
    };
    // The pointer rests on the record button throughout, so no hover differs.
    desktop.MoveMouse(w, Centre(dlg, M::kRecordButton));
    const auto before = looks();
    ClickControl(w, M::kRecordButton);
    ASSERT_TRUE(dlg.IsRecording());
    const auto recording = looks();
    for (uint32_t id : disabled) {
      EXPECT_TRUE(dlg.GetControl(id)->LooksDisabled()) << id;
      EXPECT_NE(recording.at(id), before.at(id)) << id;
    }
    EXPECT_EQ(recording.at(M::kInsertDrop), before.at(M::kInsertDrop));
    ClickControl(w, M::kRecordButton);
    ASSERT_FALSE(dlg.IsRecording());
    EXPECT_EQ(looks(), before);
  });
}

TEST_F(MacroManagerDlgTest, RecordingRefusesAFolderAndStopsAtTheLimitOrOnClose) {
  LibraryLocation at = LibraryLocation::None();
  ASSERT_EQ(library.AddFolder(u"F", at), MacroLibrary::AddResult::Added);
  AddMacro(u"m", {MacroAction::Key(0x41, false)});
  auto& sys = platform.system();
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    desktop.Click(w, Row(dlg, M::kLibraryList, 0, 60));  // the folder
    ClickControl(w, M::kRecordButton);
    EXPECT_FALSE(dlg.IsRecording());
    EXPECT_FALSE(dynamic_cast<CCheckButton*>(dlg.GetControl(M::kRecordButton))->GetCheck());
    EXPECT_EQ(services->messages, std::vector<int>{text::kSelectMacro});

    desktop.Click(w, Row(dlg, M::kLibraryList, 1));
    ClickControl(w, M::kRecordButton);
    for (uint32_t i = 0; i < 92; ++i) sys.InjectKey(0x41, i % 2 == 1, i * 5);
    EXPECT_TRUE(dlg.IsRecording());
    sys.InjectKey(0x42, false, 1000);  // the 93rd
    EXPECT_FALSE(dlg.IsRecording());
    EXPECT_EQ(sys.HookTarget(), 0u);
    EXPECT_EQ(services->messages.back(), text::kRecordingFull);
    EXPECT_EQ(dlg.CurrentMacro()->MacroCommandActionNum, 92);

    // Recording again, then the window is closed from outside (program exit).
    ClickControl(w, M::kRecordButton);
    ASSERT_TRUE(dlg.IsRecording());
    desktop.SendMessage(w, platform::msg::kClose, 0, 0);
  });
  EXPECT_EQ(sys.HookTarget(), 0u);
  EXPECT_TRUE(saved);
}

TEST_F(MacroManagerDlgTest, InsertMenuOpensTheEditorsAndCancelUndoes) {
  AddMacro(u"m", {MacroAction::Key(0x41, false), MacroAction::Key(0x41, true)});
  // The menu's choice runs after the menu closed: each step is its own script.
  CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
  auto choose = [&](int row) {
    desktop.ScriptNextModal([&, row](platform::WindowId w) {
      ClickControl(w, M::kInsertDrop);
      ChooseMenuRow(dlg, M::kInsertSlot, row);
    });
  };
  choose(7);  // move up: the editor takes 5
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.TypeText(w, u"x");  // not a digit
    EXPECT_EQ(services->messages, std::vector<int>{text::kDigitsOnly});
    desktop.TypeText(w, u"5");
    desktop.PressKey(w, platform::kVkReturn);
  });
  choose(3);  // delay after the selected move: 100 ms placeholder, cancelled
  desktop.ScriptNextModal(
      [&](platform::WindowId w) { ClickControl(w, CActionEditDlg::kCancelButton); });
  choose(0);  // left click, no editor
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(dlg.ActionList()->Selected(), 5);
    ClickControl(w, M::kCloseButton);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(Actions(MacroAt(0)), (std::vector<MacroAction>{MacroAction::Key(0x41, false),
                                                           MacroAction::Key(0x41, true),
                                                           {0xE6, 0, 0, 0xFB},
                                                           {0xE0, 0, 0, 0},
                                                           MacroAction::Delay(50),
                                                           {0xE0, 0x80, 0, 0}}));
  EXPECT_EQ(MacroAt(0).MacroCommandActionNum, 5);
  EXPECT_EQ(CImageShowList::RowText({0xE6, 0, 0, 0xFB}), u"Move Up 5");
}

TEST_F(MacroManagerDlgTest, ModifyEditsDelaysAndKeysButNotMouseButtons) {
  AddMacro(u"m", {MacroAction::Key(0x41, true), MacroAction::Delay(30), {0xE0, 0, 0, 0}});
  CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.DoubleClick(w, Row(dlg, M::kActionList, 1));  // the delay
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, platform::kVkEscape);  // ignored
    desktop.TypeText(w, u"99999999");
    desktop.PressKey(w, platform::kVkReturn);
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.Click(w, Row(dlg, M::kActionList, 0));  // the release of A
    ClickControl(w, M::kModifyButton);
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(platform.system().HookTarget(), w) << "the key editor has the hook";
    platform.system().InjectKey(0x42, false, 5);
    desktop.PressKey(w, platform::kVkReturn);  // not OK: Enter may be the key wanted
    EXPECT_TRUE(desktop.IsWindow(w));
    platform.system().InjectKey(0x03, false, 6);  // would read as a delay: ignored
    ClickControl(w, CActionEditDlg::kOkButton);
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(platform.system().HookTarget(), 0u);
    desktop.Click(w, Row(dlg, M::kActionList, 2));  // L Key: nothing opens
    ClickControl(w, M::kModifyButton);
    ClickControl(w, M::kCloseButton);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  // The release stays a release.
  EXPECT_EQ(Actions(MacroAt(0)),
            (std::vector<MacroAction>{
                MacroAction::Key(0x42, true), MacroAction::Delay(15300000), {0xE0, 0, 0, 0}}));
}

TEST_F(MacroManagerDlgTest, LoopSettingsFollowTheSelectedMacro) {
  AddMacro(u"a");
  AddMacro(u"b");
  MacroAt(1).MacroKeyLoopType = 4;
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    auto* edit = dynamic_cast<CEditBox*>(dlg.GetControl(M::kLoopCountEdit));
    EXPECT_NE(g_nRadioFlags & RadioBitsOf(M::kLoopCount).own, 0u) << "a new macro repeats once";
    EXPECT_TRUE(edit->m_bShow);
    ClickControl(w, M::kLoopCount);
    desktop.TypeText(w, u"0");
    EXPECT_EQ(edit->GetText(), u"1");
    EXPECT_EQ(MacroAt(0).MacroKeyLoopNum, 1);
    desktop.TypeText(w, u"300");  // "1300"
    EXPECT_EQ(edit->GetText(), u"255");
    EXPECT_EQ(MacroAt(0).MacroKeyLoopNum, 255);
    desktop.TypeText(w, u"-");
    EXPECT_EQ(services->messages, std::vector<int>{text::kDigitsOnly});

    desktop.Click(w, Row(dlg, M::kLibraryList, 1));
    EXPECT_NE(g_nRadioFlags & RadioBitsOf(M::kLoopToggle).own, 0u);
    EXPECT_FALSE(edit->m_bShow);
    ClickControl(w, M::kLoopHeld);
    EXPECT_EQ(MacroAt(1).MacroKeyLoopType, 1);

    desktop.Click(w, Row(dlg, M::kLibraryList, 5));  // below the last row: nothing
    EXPECT_TRUE(selection.IsNone());
    EXPECT_EQ(g_nRadioFlags & RadioBitsOf(M::kLoopHeld).group, 0u);
  });
}

TEST_F(MacroManagerDlgTest, EntriesAreAddedRenamedAndDeletedWithTheirRefusals) {
  const uint32_t used = AddMacro(u"used");
  AddMacro(u"free");
  services->profile.buttons[3].KeyValue = {0x90, 0x11, 0};
  services->profile.buttons[3].MacroKeyIndex = used;
  services->profile.buttons[4].KeyValue = {0x91, 0x11, 0};  // a shooting action's number
  services->profile.buttons[4].MacroKeyIndex = used + 1;
  CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.Click(w, Row(dlg, M::kLibraryList, 0));
    ClickControl(w, M::kDeleteEntryButton);
    EXPECT_EQ(services->messages, (std::vector<int>{text::kConfirmDelete, text::kUsedByButton}));
    desktop.RightClick(w, Row(dlg, M::kLibraryList, 1));
    auto* menu = dynamic_cast<CMenuPopup*>(dlg.Popup(M::kContextSlot));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items().size(), 8u);
    ChooseMenuRow(dlg, M::kContextSlot, 4);  // rename
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.PressKey(w, 'A', platform::mod::kControl);
    desktop.TypeText(w, u"used");  // taken: refused, the dialog stays
    desktop.PressKey(w, platform::kVkReturn);
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.PressKey(w, 'A', platform::mod::kControl);
    desktop.TypeText(w, u"Прыжок 跳");
    desktop.PressKey(w, platform::kVkReturn);
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    services->messages.clear();
    ClickControl(w, M::kDeleteEntryButton);  // the renamed, unused one goes
    EXPECT_EQ(services->messages, std::vector<int>{text::kConfirmDelete});
    EXPECT_TRUE(selection.IsNone());
    ClickControl(w, M::kDeleteEntryButton);
    EXPECT_EQ(services->messages.back(), text::kSelectEntry);
    desktop.RightClick(w, Row(dlg, M::kLibraryList, 0, 5));
    ChooseMenuRow(dlg, M::kContextSlot, 1);  // new folder
  });
  ScriptTypedEntry(u"");  // empty: refused; then a name
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_EQ(services->messages.back(), text::kEmptyName);
    desktop.TypeText(w, u"Folder");
    desktop.PressKey(w, platform::kVkReturn);
  });
  desktop.ScriptNextModal([&](platform::WindowId w) { ClickControl(w, M::kCloseButton); });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  ASSERT_NE(library.EntryAt(LibraryLocation::Level0(1)), nullptr);
  EXPECT_EQ(library.EntryAt(LibraryLocation::Level0(0))->name, u"used");
  EXPECT_TRUE(library.EntryAt(LibraryLocation::Level0(1))->IsFolder());
  EXPECT_EQ(library.EntryAt(LibraryLocation::Level0(2)), nullptr);
}

TEST_F(MacroManagerDlgTest, TheWheelScrollsTheListUnderThePointerAndRepaintsOnlyIt) {
  for (int i = 0; i < 30; ++i) AddMacro(base::Format(u"m%d", i));
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    CEditShowList* list = dlg.LibraryList();
    desktop.RunUntilIdle();
    (void)desktop.TakeInvalidated(w);
    desktop.Wheel(w, Row(dlg, M::kLibraryList, 3), -platform::kWheelDelta);
    EXPECT_EQ(list->TopRow(), 1);
    const auto rects = desktop.TakeInvalidated(w);
    ASSERT_FALSE(rects.empty());
    const platform::Rect bar = dlg.GetControl(M::kLibraryBar)->m_rc;
    for (const platform::Rect& rc : rects) {
      EXPECT_TRUE(rc == list->m_rc || rc == bar) << rc.left << "," << rc.top;
    }
    desktop.Wheel(w, Row(dlg, M::kLibraryList, 3), platform::kWheelDelta);
    desktop.Wheel(w, Row(dlg, M::kLibraryList, 3), platform::kWheelDelta);
    EXPECT_EQ(list->TopRow(), 0) << "never above the first row";
    for (int i = 0; i < 20; ++i)
      desktop.Wheel(w, Row(dlg, M::kLibraryList, 3), -platform::kWheelDelta);
    EXPECT_EQ(list->TopRow(), 30 - list->PageRows()) << "the last row stays at the bottom";
    // The action list of a short macro does not move.
    desktop.Wheel(w, Row(dlg, M::kActionList, 1), -platform::kWheelDelta);
    EXPECT_EQ(dlg.ActionList()->TopRow(), 0);
  });
}

TEST_F(MacroManagerDlgTest, FolderIconsAndDoubleClicksOpenAndCloseFolders) {
  LibraryLocation at = LibraryLocation::None();
  ASSERT_EQ(library.AddFolder(u"F", at), MacroLibrary::AddResult::Added);
  const LibraryLocation folder = at;
  ASSERT_EQ(library.AddMacro(u"x", at), MacroLibrary::AddResult::Added);
  library.SetFolderOpen(folder, true);  // closed again when the manager opens
  RunManager([&](platform::WindowId w, CMacroManagerDlg& dlg) {
    CEditShowList* list = dlg.LibraryList();
    EXPECT_EQ(list->RowCount(), 1);
    desktop.Click(w, Row(dlg, M::kLibraryList, 0, 60));  // on the name: selects only
    EXPECT_EQ(list->RowCount(), 1);
    desktop.Click(w, Row(dlg, M::kLibraryList, 0, 8));  // on the icon: opens
    EXPECT_EQ(list->RowCount(), 2);
    // The child row is indented by one icon: its own icon is 16..31, and it is no folder.
    desktop.Click(w, Row(dlg, M::kLibraryList, 1, 8));
    EXPECT_EQ(selection, LibraryLocation::Level1(0, 0));
    EXPECT_NE(dlg.CurrentMacro(), nullptr);
    EXPECT_EQ(list->RowCount(), 2);
    desktop.DoubleClick(w, Row(dlg, M::kLibraryList, 0, 60));
    EXPECT_EQ(list->RowCount(), 1);
    EXPECT_EQ(dlg.CurrentMacro(), nullptr);
  });
}

TEST_F(MacroManagerDlgTest, InsertingWhileRecordingKeepsTheHookAndTheRecording) {
  AddMacro(u"m");
  CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
  auto& sys = platform.system();
  desktop.ScriptNextModal([&](platform::WindowId w) {
    ClickControl(w, M::kRecordButton);
    sys.InjectKey(0x41, false, 0);
    ClickControl(w, M::kInsertDrop);
    ChooseMenuRow(dlg, M::kInsertSlot, 1);  // right click, after the menu closed
  });
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_TRUE(dlg.IsRecording());
    EXPECT_EQ(sys.HookTarget(), w);
    sys.InjectKey(0x41, true, 40);
    ClickControl(w, M::kRecordButton);
    ClickControl(w, M::kCloseButton);
  });
  EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(Actions(MacroAt(0)), (std::vector<MacroAction>{MacroAction::Key(0x41, false),
                                                           {0xE1, 0, 0, 0},
                                                           MacroAction::Delay(50),
                                                           {0xE1, 0x80, 0, 0},
                                                           MacroAction::Delay(40),
                                                           MacroAction::Key(0x41, true)}));
  EXPECT_EQ(MacroAt(0).MacroCommandActionNum, 4);
}

TEST(ActionRowTextTest, RowsNameDelaysMovesAndKeys) {
  const std::vector<std::pair<MacroAction, std::u16string>> rows = {
      {MacroAction::Delay(15300000), u"15300000ms"}, {{0xE5, 0, 0, 0x81}, u"Move Left 127"},
      {{0xE5, 0, 0, 0x01}, u"Move Right 1"},         {{0xE6, 0, 0, 0xFF}, u"Move Up 1"},
      {{0xE6, 0, 0, 0x7F}, u"Move Down 127"},        {{0xE7, 0, 0, 0xFE}, u"Wheel Up 2"},
      {{0xE7, 0, 0, 0x03}, u"Wheel Down 3"},         {MacroAction::Key(0x41, true), u"A"},
  };
  for (const auto& [action, shown] : rows) EXPECT_EQ(CImageShowList::RowText(action), shown);
}

}  // namespace
