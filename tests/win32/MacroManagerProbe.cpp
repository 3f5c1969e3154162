// Probe for tests/e2e/test_macro_manager.py: the macro manager on the Windows adapter with the
// real keyboard hook. The script clicks the record button, types "ab", clicks it again,
// renames the macro through the context menu with a pasted non-ASCII name, takes a screenshot
// and closes the manager; then it picks the macro in the select dialog. The probe checks what
// was recorded, saved and chosen.

#include <gtest/gtest.h>

#include <cstdio>

#include "ProbeSupport.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "keys/KeyTables.h"
#include "macros/MacroLibrary.h"
#include "views/FakeViewServices.h"
#include "views/macros/ImageShowList.h"
#include "views/macros/MacroManagerDlg.h"
#include "views/macros/MacroSelectDlg.h"

namespace {

using win32test::CProbeMain;
using win32test::CTitled;
using win32test::TempFolder;

TEST(E2e, DISABLED_MacroManagerRecordsTypedKeys) {
  TempFolder data;
  ASSERT_TRUE(win32test::PrepareProbe(data));

  CProbeMain main;
  ASSERT_TRUE(main.Create());
  FakeViewServices services(main);
  MacroLibrary library{u"config\\MacroLibraryFile.mlf"};
  LibraryLocation selection = LibraryLocation::None();
  ASSERT_EQ(library.AddMacro(u"Jump", selection), MacroLibrary::AddResult::Added);
  CTitled<CMacroManagerDlg> manager(u"Vantrel macro manager probe", main.GetSafeHwnd(), services,
                                    library, selection);
  std::printf("manager open\n");
  std::fflush(stdout);
  (void)manager.DoModal();
  const LibraryEntry& entry = *library.EntryAt(LibraryLocation::Level0(0));
  EXPECT_EQ(entry.name, u"Прыжок 跳") << base::ToUtf8(entry.name);

  CTitled<CMacroSelectDlg> select(
      u"Vantrel macro select probe", main.GetSafeHwnd(), library, selection,
      [&](int text) { (void)services.ShowMessage(text, ViewServices::Box::Modal); });
  std::printf("select open\n");
  std::fflush(stdout);
  EXPECT_EQ(select.DoModal(), CDlgBase::kIdOk);
  main.EndDialog(CDlgBase::kIdCancel);
  ASSERT_TRUE(select.Choice().has_value());
  EXPECT_EQ(select.Choice()->name, LangText(190) + u"Прыжок 跳");
  EXPECT_EQ(select.Choice()->code.bytes, (std::array<uint8_t, 3>{0x90, 0, 0}));

  const MacroRecord& macro = *entry.record;
  std::vector<MacroAction> keys;
  for (uint32_t i = 0; i < macro.MacroActionNum; ++i) {
    std::printf("action %u: %s\n", i,
                base::ToUtf8(CImageShowList::RowText(macro.actions[i])).c_str());
    if (!macro.actions[i].IsDelay()) keys.push_back(macro.actions[i]);
  }
  EXPECT_EQ(keys,
            (std::vector<MacroAction>{MacroAction::Key('A', false), MacroAction::Key('A', true),
                                      MacroAction::Key('B', false), MacroAction::Key('B', true)}));
  EXPECT_EQ(macro.MacroActionNum, 7u) << "a delay before every key but the first";
  EXPECT_EQ(macro.MacroCommandActionNum, 4);
  EXPECT_TRUE(services.messages.empty());
  // Closing saved the library.
  const auto saved = platform::Files().ReadAll(g_strDataDir + u"config\\MacroLibraryFile.mlf");
  ASSERT_TRUE(saved.has_value());
  EXPECT_NE(saved->find(std::string("\x1F\x04\x40\x04", 4)), std::string::npos) << "Пр";
}

}  // namespace
