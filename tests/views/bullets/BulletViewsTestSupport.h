#pragma once
// The shooting-action windows on the headless adapter: a main window with its services, a
// data folder, the library the windows edit, and clicks on controls by id.

#include <memory>
#include <string>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "macros/MacroLibrary.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "ui/UiTestSupport.h"
#include "views/FakeViewServices.h"

namespace bullettest {

class BulletViewsTest : public uitest::UiTest {
 protected:
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";

  BulletViewsTest() {
    Dialog([this](uitest::CTestDlg& d, platform::WindowId) {
      services = std::make_unique<FakeViewServices>(d);
    });
    platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
    platform.files().CreateDirectory(dataDir + u"config");
    g_strDataDir = dataDir;
    g_strLangText[189] = u"Shooting-";
    g_strLangText[34] = u"Disabled";
  }

  platform::Point Centre(const CDlgBase& dlg, uint32_t id) const {
    const platform::Rect rc = dlg.GetControl(id)->m_rc;
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  void ClickControl(const CDlgBase& dlg, uint32_t id) {
    EXPECT_TRUE(desktop.Click(dlg.GetSafeHwnd(), Centre(dlg, id)));
  }
  // Adds a shooting action at level 0 (or into `folder`) and returns its location.
  LibraryLocation AddEntry(std::u16string_view name, LibraryLocation at = LibraryLocation::None()) {
    EXPECT_EQ(macros::editing::AddEntry(library, at, macros::editing::EntryKind::Macro, name,
                                        nullptr, macros::editing::kShootingLibrary.functionType),
              0);
    return at;
  }
  LibraryLocation AddFolder(std::u16string_view name) {
    LibraryLocation at = LibraryLocation::None();
    EXPECT_EQ(macros::editing::AddEntry(library, at, macros::editing::EntryKind::Folder, name), 0);
    return at;
  }
  MacroRecord& RecordAt(const LibraryLocation& at) { return *library.EntryAt(at)->record; }

  std::unique_ptr<FakeViewServices> services;
  MacroLibrary library{u"config\\BulletLibraryFile.mlf"};
  MacroLibrary scratch;
  LibraryLocation selection = LibraryLocation::Level0(0);
};

}  // namespace bullettest
