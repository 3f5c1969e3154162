// Probe for tests/e2e/test_bullet_manager.py: the shooting-action manager and its select
// dialog on the Windows adapter. The script makes a new shooting action with a typed name,
// adds a bullet, takes a screenshot and closes the manager; then it picks the entry in the
// select dialog, takes a screenshot and presses OK. The probe checks what was saved and
// chosen.

#include <gtest/gtest.h>

#include <cstdio>

#include "ProbeSupport.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/editing/BulletRules.h"
#include "views/FakeViewServices.h"
#include "views/macros/BulletManagerDlg.h"
#include "views/macros/MacroSelectDlg.h"

namespace {

using win32test::CProbeMain;
using win32test::CTitled;
using win32test::TempFolder;

TEST(E2e, DISABLED_BulletManagerAndSelect) {
  TempFolder data;
  ASSERT_TRUE(win32test::PrepareProbe(data));

  CProbeMain main;
  ASSERT_TRUE(main.Create());
  FakeViewServices services(main);
  MacroLibrary library{u"config\\BulletLibraryFile.mlf"};
  MacroLibrary scratch;
  LibraryLocation selection = LibraryLocation::None();
  {
    CTitled<CBulletManagerDlg> manager(u"Vantrel shooting-action manager probe", main.GetSafeHwnd(),
                                       services, library, selection, scratch);
    std::printf("manager open\n");
    std::fflush(stdout);
    (void)manager.DoModal();
    EXPECT_TRUE(manager.Saved());
  }
  const LibraryEntry* entry = library.EntryAt(LibraryLocation::Level0(0));
  ASSERT_NE(entry, nullptr);
  std::printf("entry: %s, %u bullets\n", base::ToUtf8(entry->name).c_str(),
              bullets::BulletCount(*entry->record));
  EXPECT_EQ(entry->name, u"Salve Zo\u00EB");
  EXPECT_EQ(bullets::BulletCount(*entry->record), 5u);
  MacroLibrary reread{u"config\\BulletLibraryFile.mlf"};
  EXPECT_TRUE(ReadLibraryFile(reread));
  ASSERT_NE(reread.EntryAt(LibraryLocation::Level0(0)), nullptr);
  EXPECT_EQ(*reread.EntryAt(LibraryLocation::Level0(0))->record, *entry->record);

  CTitled<CBulletSelectDlg> select(u"Vantrel shooting-action select probe", main.GetSafeHwnd(),
                                   library, selection,
                                   [&](int text) { services.messages.push_back(text); });
  std::printf("select open\n");
  std::fflush(stdout);
  EXPECT_EQ(select.DoModal(), CDlgBase::kIdOk);
  ASSERT_TRUE(select.Choice().has_value());
  EXPECT_EQ(select.Choice()->code.bytes, (std::array<uint8_t, 3>{0x91, 0, 0}));
  EXPECT_EQ(select.Choice()->name, LangText(189) + u"Salve Zo\u00EB");
  EXPECT_TRUE(services.messages.empty());
  main.EndDialog(CDlgBase::kIdCancel);
}

}  // namespace
