#pragma once
// The shooting-action windows on the page-part host (their owner, with its services), a data
// folder and the library the windows edit.

#include <memory>
#include <string>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "macros/MacroLibrary.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "views/PartTestHost.h"

namespace bullettest {

class BulletViewsTest : public parttest::PartTest {
 protected:
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";

  BulletViewsTest() {
    Open();
    platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
    platform.files().CreateDirectory(dataDir + u"config");
    g_strDataDir = dataDir;
    g_strLangText[189] = u"Shooting-";
    g_strLangText[34] = u"Disabled";
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

  MacroLibrary library{u"config\\BulletLibraryFile.mlf"};
  MacroLibrary scratch;
  LibraryLocation selection = LibraryLocation::Level0(0);
};

}  // namespace bullettest
