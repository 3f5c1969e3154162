// The shooting-action manager's import and export, what follows its closing, and scrolling.

#include <gtest/gtest.h>

#include "base/Format.h"
#include "macros/MacroLibraryFile.h"
#include "macros/editing/BulletRules.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "views/bullets/BulletViewsTestSupport.h"
#include "views/macros/BulletManagerDlg.h"
#include "views/macros/EditShowList.h"
#include "views/macros/MacroWindows.h"
#include "views/macros/ShootingActionList.h"

namespace {

using M = CBulletManagerDlg;
using L = LibraryLocation;

class BulletTransferTest : public bullettest::BulletViewsTest {
 protected:
  void RunManager(MacroLibrary& lib, const std::function<void(M&)>& script) {
    M dlg(services->MainDialog().GetSafeHwnd(), *services, lib, selection, scratch);
    desktop.ScriptNextModal([&](platform::WindowId) {
      script(dlg);
      ClickControl(dlg, M::kCloseButton);
    });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  }
  // A context-menu choice, as the menu answers it; it runs after the next paint.
  void Choose(M& dlg, int command) {
    desktop.PostMessage(dlg.GetSafeHwnd(), M::kMenuResult, M::kLibraryList, command);
    desktop.RunUntilIdle();
  }
  std::string Bytes(const std::u16string& path) { return *platform.files().ReadAll(path); }
  std::u16string File(std::u16string_view name) { return dataDir + std::u16string(name); }
};

bool SameContent(const MacroRecord& a, const MacroRecord& b) {
  return a.name == b.name && a.actions == b.actions && a.MacroActionNum == b.MacroActionNum &&
         a.MacroCommandActionNum == b.MacroCommandActionNum &&
         a.MacroKeyLoopType == b.MacroKeyLoopType && a.MacroKeyLoopNum == b.MacroKeyLoopNum;
}

TEST_F(BulletTransferTest, ExportedShootingActionImportsElsewhereByteForByteAndOnlyOnce) {
  const L jump = AddEntry(u"Jump");
  MacroRecord& record = RecordAt(jump);
  (void)bullets::AddBullet(record);
  record.actions[6] = bullets::WithStep(record.actions[6], {-5, 9});
  record.MacroKeyLoopType = 1;
  selection = jump;
  platform.shell().ScriptFileDialog(File(u"Jump.mkf"));
  RunManager(library, [&](M& dlg) { Choose(dlg, M::kCmdExport); });
  ASSERT_EQ(platform.shell().dialogs.size(), 1u);
  EXPECT_EQ(platform.shell().dialogs[0].defaultName, u"Jump.mkf");
  EXPECT_EQ(platform.shell().dialogs[0].defaultExtension, u"mkf");
  EXPECT_EQ(platform.shell().dialogs[0].filter, u"mkf file(*.mkf)|*.mkf||");

  // Another installation.
  MacroLibrary other(u"config\\Other.mlf");
  selection = L::None();
  platform.shell().ScriptFileDialog(File(u"Jump.mkf"));
  platform.shell().ScriptFileDialog(File(u"Jump.mkf"));
  platform.shell().ScriptFileDialog(File(u"Again.mkf"));
  RunManager(other, [&](M& dlg) {
    Choose(dlg, M::kCmdImport);
    EXPECT_TRUE(platform.shell().dialogs.back().mustExist);
    ASSERT_NE(other.EntryAt(L::Level0(0)), nullptr);
    EXPECT_EQ(selection, L::Level0(0));
    EXPECT_EQ(dlg.ActionList()->Record(), other.EntryAt(L::Level0(0))->record.get());
    Choose(dlg, M::kCmdImport);  // the name is taken now
    EXPECT_EQ(services->messages, std::vector<int>{241});
    EXPECT_EQ(other.GroupCount(L::Level0(0)), 1);
    selection = L::Level0(0);
    Choose(dlg, M::kCmdExport);
  });
  const MacroRecord& imported = *other.EntryAt(L::Level0(0))->record;
  EXPECT_TRUE(SameContent(imported, record));
  EXPECT_EQ(imported.MacroKeyIndex, 1u);
  EXPECT_EQ(Bytes(File(u"Again.mkf")), Bytes(File(u"Jump.mkf")));
}

TEST_F(BulletTransferTest, FolderExportComesBackWithItsShootingActions) {
  const L folder = AddFolder(u"Rifles");
  const L a = AddEntry(u"AK", folder);
  const L b = AddEntry(u"M4", folder);
  (void)bullets::RemoveBullet(RecordAt(b));
  selection = folder;
  platform.shell().ScriptFileDialog(File(u"Rifles.mbf"));
  RunManager(library, [&](M& dlg) { Choose(dlg, M::kCmdExportEntries); });
  EXPECT_EQ(platform.shell().dialogs.back().defaultName, u"Rifles.mbf");

  MacroLibrary other(u"config\\Other.mlf");
  L anchor = L::None();
  ASSERT_EQ(macros::editing::AddEntry(other, anchor, macros::editing::EntryKind::Macro, u"Pistol",
                                      nullptr, macros::editing::kShootingLibrary.functionType),
            0);
  selection = anchor;  // folders come along when a level-0 entry is selected
  platform.shell().ScriptFileDialog(File(u"Rifles.mbf"));
  RunManager(other, [&](M& dlg) { Choose(dlg, M::kCmdImportEntries); });
  const L newFolder = L::Level0(1);
  ASSERT_NE(other.EntryAt(newFolder), nullptr);
  EXPECT_EQ(other.EntryAt(newFolder)->name, u"Rifles");
  ASSERT_EQ(other.GroupCount(L::Level1(1, 0)), 2);
  EXPECT_TRUE(SameContent(*other.EntryAt(L::Level1(1, 0))->record, RecordAt(a)));
  EXPECT_TRUE(SameContent(*other.EntryAt(L::Level1(1, 1))->record, RecordAt(b)));
  EXPECT_TRUE(scratch.IsEmpty());
}

TEST_F(BulletTransferTest, AFileNamingNoEntryImportsNothingAndSaysSo) {
  AddEntry(u"One");
  selection = L::None();
  platform.shell().ScriptFileDialog(File(u"All.mbf"));
  RunManager(library, [&](M& dlg) { Choose(dlg, M::kCmdExportEntries); });
  EXPECT_EQ(platform.shell().dialogs.back().defaultName, u"AllMacroKey.mbf");

  MacroLibrary other(u"config\\Other.mlf");
  selection = L::None();
  platform.shell().ScriptFileDialog(File(u"All.mbf"));
  platform.shell().ScriptFileDialog(std::nullopt);  // cancelled: nothing at all
  RunManager(other, [&](M& dlg) {
    Choose(dlg, M::kCmdImport);
    Choose(dlg, M::kCmdImport);
  });
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(services->messages, std::vector<int>{216});
}

TEST_F(BulletTransferTest, ClosingReadsTheLibraryBackAndWritesButtonsThatPlayMacros) {
  AddEntry(u"Kept");
  // The main window's close button of the manager at scale 1.
  const platform::Point close{745, 14};
  desktop.ScriptNextModal([&](platform::WindowId w) { desktop.Click(w, close); });
  RunBulletManager(*services, library, selection, scratch);
  EXPECT_TRUE(services->pending.empty());  // no button plays one: the key table is not marked
  EXPECT_EQ(services->writes, 1);          // what else is pending goes, as after the macros
  EXPECT_EQ(services->refreshes, 1);
  EXPECT_TRUE(platform.files().FileExists(dataDir + u"config\\BulletLibraryFile.mlf"));

  services->profile.buttons[1].KeyValue = {0x91, 0x21, 1};
  desktop.ScriptNextModal([&](platform::WindowId w) { desktop.Click(w, close); });
  RunBulletManager(*services, library, selection, scratch);
  EXPECT_EQ(services->pending, std::vector<ViewServices::Group>{ViewServices::Group::Keys});
  EXPECT_EQ(services->writes, 2);
  EXPECT_EQ(services->refreshes, 2);
  EXPECT_TRUE(services->messages.empty());
  EXPECT_EQ(library.EntryAt(L::Level0(0))->name, u"Kept");
}

TEST_F(BulletTransferTest, ClosedFromOutsideTheManagerStillSavesItsLibrary) {
  AddEntry(u"Late");
  M dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection, scratch);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    (void)desktop.PostMessage(w, platform::msg::kClose, 0, 0);  // the program is ending
    desktop.RunUntilIdle();
  });
  (void)dlg.DoModal();
  EXPECT_TRUE(dlg.Saved());
  MacroLibrary reread(u"config\\BulletLibraryFile.mlf");
  ASSERT_TRUE(ReadLibraryFile(reread));
  ASSERT_NE(reread.EntryAt(L::Level0(0)), nullptr);
  EXPECT_EQ(reread.EntryAt(L::Level0(0))->name, u"Late");
}

TEST_F(BulletTransferTest, AFailedSaveKeepsTheEditsInsteadOfReadingTheOldFileBack) {
  AddEntry(u"Old");
  ASSERT_TRUE(SaveLibraryFile(library));
  selection = L::Level0(0);
  platform.files().FailWritesContaining(u"BulletLibraryFile");
  desktop.ScriptNextModal([&](platform::WindowId w) {
    // Plus on the bullet count, then close.
    desktop.Click(w, {490, 235});
    desktop.Click(w, {745, 14});
  });
  RunBulletManager(*services, library, selection, scratch);
  EXPECT_EQ(services->messages, std::vector<int>{218});
  EXPECT_EQ(bullets::BulletCount(*library.EntryAt(L::Level0(0))->record), 5u);
}

TEST_F(BulletTransferTest, WheelScrollsTheListUnderThePointerAndRepaintsOnlyIt) {
  for (int i = 0; i < 30; ++i) AddEntry(base::Format(u"Entry %d", i));
  selection = L::Level0(0);
  RunManager(library, [&](M& dlg) {
    CEditShowList& list = *dlg.LibraryList();
    const platform::WindowId w = dlg.GetSafeHwnd();
    const platform::Rect listRect = list.m_rc;
    const platform::Rect barRect = dlg.GetControl(M::kLibraryScroll)->m_rc;
    desktop.RunUntilIdle();
    (void)Invalidated(w);
    desktop.Wheel(w, {listRect.left + 20, listRect.top + 20}, -120);
    EXPECT_EQ(list.TopRow(), 1);
    for (const platform::Rect& rc : Invalidated(w)) {
      const bool inside = (rc.left >= listRect.left && rc.right <= listRect.right &&
                           rc.top >= listRect.top && rc.bottom <= listRect.bottom) ||
                          rc == barRect;
      EXPECT_TRUE(inside) << rc.left << "," << rc.top << " " << rc.right << "," << rc.bottom;
    }
    desktop.Wheel(w, {listRect.left + 20, listRect.top + 20}, 120);
    desktop.Wheel(w, {listRect.left + 20, listRect.top + 20}, 120);
    EXPECT_EQ(list.TopRow(), 0);
    for (int i = 0; i < 40; ++i) desktop.Wheel(w, {listRect.left + 20, listRect.top + 20}, -120);
    EXPECT_EQ(list.TopRow(), 30 - list.PageRows());

    // The bullets: four bullets fill the list, so the wheel does nothing until a fifth.
    CShootingActionList& actions = *dlg.ActionList();
    const platform::Point over{actions.m_rc.left + 10, actions.m_rc.top + 10};
    desktop.Wheel(w, over, -120);
    EXPECT_EQ(actions.FirstColumn(), 0);
    const platform::Rect count = dlg.GetControl(M::kBulletCount)->m_rc;
    desktop.Click(w, {count.right - 5, count.top + 5});
    desktop.Click(w, {count.right - 5, count.top + 5});
    EXPECT_EQ(actions.FirstColumn(), 2);  // the new last action is shown
    desktop.Wheel(w, over, 120);
    desktop.Wheel(w, over, 120);
    desktop.Wheel(w, over, 120);
    EXPECT_EQ(actions.FirstColumn(), 0);
    desktop.Wheel(w, over, -120);
    EXPECT_EQ(actions.FirstColumn(), 1);
  });
}

}  // namespace
