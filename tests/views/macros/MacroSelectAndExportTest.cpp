// The select dialog's choices and refusals, what follows a manager's closing, and export and
// import through the manager's context menu and the file dialogs.

#include "views/macros/MacroSelectDlg.h"

#include "macros/editing/EditingTexts.h"
#include "views/macros/EditShowList.h"
#include "views/macros/MacroViewsFixture.h"
#include "views/macros/MacroWindows.h"
#include "views/macros/ManagerButtonsPart.h"

namespace {

using M = CMacroManagerDlg;
using S = CMacroSelectDlg;
namespace text = macros::text;

class MacroSelectAndExportTest : public MacroViewsTest {
 protected:
  void SetUp() override {
    MacroViewsTest::SetUp();
    g_strLangText[34] = u"Disable";
    g_strLangText[190] = u"Macro-";
  }
  // Opens the manager, right-clicks row `row` and chooses context item `item` (1..8).
  void RunContextCommand(int row, int item) {
    CMacroManagerDlg dlg(services->MainDialog().GetSafeHwnd(), *services, library, selection);
    desktop.ScriptNextModal([&](platform::WindowId w) {
      desktop.RightClick(w, Row(dlg, M::kLibraryList, row));
      auto* menu = dynamic_cast<CMenuPopup*>(dlg.Popup(M::kContextSlot));
      ASSERT_NE(menu, nullptr);
      int index = -1;
      for (size_t i = 0; i < menu->Items().size(); ++i) {
        if (menu->Items()[i].value == item) index = static_cast<int>(i);
      }
      ASSERT_GE(index, 0) << "item " << item << " offered";
      ChooseMenuRow(dlg, M::kContextSlot, index);
    });
    desktop.ScriptNextModal([&](platform::WindowId w) { ClickControl(w, M::kCloseButton); });
    EXPECT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  }
  std::string Bytes(std::u16string_view path) {
    return platform.files().ReadAll(path).value_or("<missing>");
  }
};

TEST_F(MacroSelectAndExportTest, OkGivesTheMacroAndRefusesFoldersAndMacrosTooLong) {
  LibraryLocation at = LibraryLocation::None();
  ASSERT_EQ(library.AddFolder(u"F", at), MacroLibrary::AddResult::Added);
  AddMacro(u"Jump", {MacroAction::Key(0x20, false), MacroAction::Key(0x20, true)});
  AddMacro(u"Long");
  MacroRecord& longest = *library.EntryAt(LibraryLocation::Level0(2))->record;
  for (int i = 0; i < 93; ++i) ASSERT_TRUE(longest.InsertAction(0, MacroAction::Key(0x41, i % 2)));
  selection = LibraryLocation::None();
  std::optional<MacroChoice> choice;
  desktop.ScriptNextModal([&](platform::WindowId w) {
    auto* dlg = testclick::DialogOf<S>(desktop, w);
    ClickControl(w, S::kOkButton);  // nothing selected
    desktop.Click(w, Row(*dlg, S::kLibraryList, 0, 60));
    ClickControl(w, S::kOkButton);  // a folder
    desktop.Click(w, Row(*dlg, S::kLibraryList, 2));
    ClickControl(w, S::kOkButton);  // too long for the mouse
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.Click(w, Row(*dlg, S::kLibraryList, 1));
    ClickControl(w, S::kOkButton);
  });
  choice = RunMacroSelect(*services, library, selection);
  EXPECT_EQ(services->messages,
            (std::vector<int>{text::kSelectMacro, text::kSelectMacro, text::kTooLongToAssign}));
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, u"Macro-Jump");
  EXPECT_EQ(choice->code.bytes, (std::array<uint8_t, 3>{0x90, 0, 0}));
  ASSERT_TRUE(choice->macro.has_value());
  EXPECT_EQ(choice->macro->MacroActionNum, 2u);

  // The start-up selection on an empty library switches the button off; closing gives nothing.
  MacroLibrary empty;
  LibraryLocation start = LibraryLocation::Level0(0);
  desktop.ScriptNextModal([&](platform::WindowId w) { ClickControl(w, S::kOkButton); });
  choice = RunMacroSelect(*services, empty, start);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, u"Disable");
  EXPECT_EQ(choice->code.bytes, (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_FALSE(choice->macro.has_value());
  desktop.ScriptNextModal([&](platform::WindowId w) { ClickControl(w, S::kCloseButton); });
  EXPECT_FALSE(RunMacroSelect(*services, library, selection).has_value());
}

TEST_F(MacroSelectAndExportTest, AfterTheManagerClosesButtonsAreRefreshedOrSwitchedOff) {
  const uint32_t ok = AddMacro(u"ok", {MacroAction::Key(0x41, false)});
  const uint32_t grows = AddMacro(u"grows", {MacroAction::Key(0x41, false)});
  auto& buttons = services->profile.buttons;
  buttons[0].KeyValue = {0x10, 0x01, 0};  // the left button stays
  buttons[2] = {u"Macro-ok", u"", {0x90, 0x11, 0}, ok, {}};
  buttons[3] = {u"Macro-grows", u"", {0x90, 0x21, 0}, grows, {}};
  desktop.ScriptNextModal([&](platform::WindowId w) {
    auto* dlg = Manager(w);
    desktop.Click(w, Row(*dlg, M::kLibraryList, 1));
    // An import brought more actions than the mouse plays; the manager keeps them.
    MacroRecord* macro = dlg->CurrentMacro();
    for (int i = 0; i < 100; ++i)
      ASSERT_TRUE(macro->InsertAction(0, MacroAction::Key(0x42, i % 2)));
    ClickControl(w, M::kCloseButton);
  });
  RunMacroManager(*services, library, selection);
  EXPECT_EQ(buttons[3].KeyValue, (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(buttons[3].KeyName, u"Disable");
  EXPECT_EQ(buttons[3].MacroKeyIndex, 0u);
  EXPECT_EQ(buttons[2].KeyValue[0], 0x90);
  EXPECT_EQ(services->messages, std::vector<int>{text::kTooLongButtonDisabled});
  EXPECT_EQ(services->pending, std::vector<ViewServices::Group>{ViewServices::Group::Keys});
  EXPECT_EQ(services->writes, 1);
  EXPECT_EQ(services->refreshes, 1);
  // Read back from the file it saved.
  EXPECT_EQ(library.EntryAt(LibraryLocation::Level0(1))->record->MacroActionNum, 101u);

  // With no macro button the key table is not marked; what else is pending is written.
  buttons[2].KeyValue = {0x10, 0x01, 0};
  desktop.ScriptNextModal([&](platform::WindowId w) { ClickControl(w, M::kCloseButton); });
  RunMacroManager(*services, library, selection);
  EXPECT_EQ(services->pending.size(), 1u);
  EXPECT_EQ(services->writes, 2);
  EXPECT_EQ(services->refreshes, 2);
}

TEST_F(MacroSelectAndExportTest, ExportThenImportRoundTripsByteForByte) {
  AddMacro(u"Jump",
           {MacroAction::Key(0x20, false), MacroAction::Delay(40), MacroAction::Key(0x20, true)});
  library.EntryAt(LibraryLocation::Level0(0))->record->MacroKeyLoopNum = 3;
  LibraryLocation folder = LibraryLocation::None();
  ASSERT_EQ(library.AddFolder(u"F", folder), MacroLibrary::AddResult::Added);
  LibraryLocation inFolder = folder;
  ASSERT_EQ(library.AddMacro(u"x", inFolder), MacroLibrary::AddResult::Added);

  auto& shell = platform.shell();
  const std::u16string mkf = dataDir + u"Jump.mkf";
  const std::u16string mbf = dataDir + u"F.mbf";
  shell.ScriptFileDialog(mkf);
  RunContextCommand(0, 3);  // export the macro
  ASSERT_FALSE(shell.dialogs.empty());
  EXPECT_EQ(shell.dialogs.back().defaultName, u"Jump.mkf");
  EXPECT_EQ(shell.dialogs.back().defaultExtension, u"mkf");
  shell.ScriptFileDialog(mbf);
  RunContextCommand(1, 8);  // export the folder
  EXPECT_EQ(shell.dialogs.back().defaultName, u"F.mbf");

  // Into a fresh installation: the same library again, then exported again.
  library.Clear();
  library.SetNextKeyIndex(1);
  shell.ScriptFileDialog(mkf);
  RunContextCommand(0, 4);  // import a macro (nothing selected)
  shell.ScriptFileDialog(mbf);
  RunContextCommand(0, 7);  // import the folder's entries next to Jump: F comes along
  ASSERT_NE(library.EntryAt(LibraryLocation::Level1(1, 0)), nullptr);
  const std::string mkfBefore = Bytes(mkf);
  const std::string mbfBefore = Bytes(mbf);
  shell.ScriptFileDialog(mkf);
  RunContextCommand(0, 3);
  shell.ScriptFileDialog(mbf);
  RunContextCommand(1, 8);
  EXPECT_EQ(Bytes(mkf), mkfBefore);
  EXPECT_EQ(Bytes(mbf), mbfBefore);
  EXPECT_TRUE(services->messages.empty());

  // Importing Jump where it exists: refused, nothing added.
  shell.ScriptFileDialog(mkf);
  RunContextCommand(0, 4);
  EXPECT_EQ(services->messages, std::vector<int>{text::kNameUsed});
  EXPECT_EQ(library.EntryAt(LibraryLocation::Level0(2)), nullptr);
}

TEST_F(MacroSelectAndExportTest, AnImportFileNamingNoEntryImportsNothingAndSaysSo) {
  AddMacro(u"Jump", {MacroAction::Key(0x20, false)});
  const std::u16string path = dataDir + u"none.mkf";
  ASSERT_TRUE(WriteLibraryFile(path, library, LibraryLocation::None()));
  library.Clear();
  auto& shell = platform.shell();
  shell.ScriptFileDialog(path);
  RunContextCommand(0, 4);
  EXPECT_EQ(services->messages, std::vector<int>{text::kNothingToImport});
  EXPECT_TRUE(library.IsEmpty());
  // A cancelled dialog does nothing at all.
  RunContextCommand(0, 4);
  EXPECT_EQ(services->messages.size(), 1u);
}

TEST_F(MacroSelectAndExportTest, PageButton2062RunsTheManagerAnd2063TheGivenOpener) {
  auto& part = Host().AddPart(std::make_unique<ManagerButtonsPart>());
  int shootingRuns = 0;
  desktop.ScriptNextModal([&](platform::WindowId w) {
    EXPECT_NE(Manager(w), nullptr);
    ClickControl(w, M::kCloseButton);
  });
  ClickControl(ManagerButtonsPart::kMacroButton);
  EXPECT_EQ(services->refreshes, 1);
  EXPECT_TRUE(g_librarySelection.IsNone());
  ClickControl(ManagerButtonsPart::kShootingButton);  // no opener yet: nothing
  part.SetShootingManager([&](ViewServices&) { ++shootingRuns; });
  ClickControl(ManagerButtonsPart::kShootingButton);
  EXPECT_EQ(shootingRuns, 1);
  g_macroLibrary.Clear();
  g_librarySelection = LibraryLocation::Level0(0);
}

}  // namespace
