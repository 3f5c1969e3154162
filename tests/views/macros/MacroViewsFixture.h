#pragma once
// The macro windows on the page-part host (their owner, with its services), a library with
// its own file in the data folder, and helpers that act as the user would.

#include <gtest/gtest.h>

#include <string>

#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "ui/MenuPopup.h"
#include "views/PartTestHost.h"
#include "views/macros/MacroManagerDlg.h"

class MacroViewsTest : public parttest::PartTest {
 protected:
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
  MacroLibrary library{u"config\\MacroLibraryFile.mlf"};
  LibraryLocation selection = LibraryLocation::Level0(0);

  void SetUp() override {
    Open();
    ASSERT_TRUE(platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1)));
    ASSERT_TRUE(platform.files().CreateDirectory(dataDir + u"config"));
    g_strDataDir = dataDir;
  }
  void TearDown() override { g_scratchLibrary.Clear(); }

  // A macro at level 0 with these actions; returns its MacroKeyIndex.
  uint32_t AddMacro(std::u16string_view name, std::initializer_list<MacroAction> actions = {}) {
    LibraryLocation at = LibraryLocation::None();
    EXPECT_EQ(library.AddMacro(name, at), MacroLibrary::AddResult::Added);
    MacroRecord& m = *library.EntryAt(at)->record;
    for (const MacroAction& a : actions) EXPECT_TRUE(m.InsertAction(m.MacroActionNum, a));
    m.MacroCommandActionNum = static_cast<uint8_t>(m.CountCommandActions());
    return m.MacroKeyIndex;
  }

  CMacroManagerDlg* Manager(platform::WindowId w) {
    return testclick::DialogOf<CMacroManagerDlg>(desktop, w);
  }

  // A point on library row `row` (or action row), `x` pixels into the list.
  static platform::Point Row(CDlgBase& dlg, uint32_t listId, int row, int x = 40) {
    return testclick::ListRow(dlg, listId, row, x);
  }
  // Chooses item `row` of the menu popup open in `slot` of `dlg`.
  void ChooseMenuRow(CDlgBase& dlg, int slot, int row) {
    auto* menu = dynamic_cast<CMenuPopup*>(dlg.Popup(slot));
    ASSERT_NE(menu, nullptr);
    const platform::Rect rc = menu->RowRect(row);
    desktop.Click(menu->GetSafeHwnd(), {rc.left + 5, (rc.top + rc.bottom) / 2});
  }
  // Types `text` into the focused entry of the next modal dialog and presses Enter.
  void ScriptTypedEntry(std::u16string text) {
    desktop.ScriptNextModal([this, text](platform::WindowId w) {
      desktop.TypeText(w, text);
      desktop.PressKey(w, platform::kVkReturn);
    });
  }
  std::string LibraryFileBytes() {
    return platform.files().ReadAll(dataDir + u"config\\MacroLibraryFile.mlf").value_or("");
  }
};
