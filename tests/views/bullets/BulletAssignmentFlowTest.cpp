// A shooting action made with the editing rules, chosen in the select dialog and given to
// button 4 as the function menu does, then written: the key table and the macro packets on
// the simulated mouse.

#include <gtest/gtest.h>

#include "integration/ProfileDeviceHarness.h"
#include "keys/ButtonFunctionCode.h"
#include "macros/editing/BulletRules.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "views/macros/MacroSelectDlg.h"

namespace {

class BulletAssignmentFlowTest : public ProfileDeviceHarness {};

TEST_F(BulletAssignmentFlowTest, ChosenShootingActionReachesTheMouse) {
  LibraryLocation selection = LibraryLocation::None();
  ASSERT_EQ(
      macros::editing::AddEntry(bullets, selection, macros::editing::EntryKind::Macro, u"Burst",
                                nullptr, macros::editing::kShootingLibrary.functionType),
      0);
  MacroRecord& record = *bullets.EntryAt(selection)->record;
  record.actions[2] = bullets::WithStep(record.actions[2], {-5, 9});
  record.MacroKeyLoopNum = 3;

  std::vector<int> shown;
  CBulletSelectDlg dlg(0, bullets, selection, [&](int t) { shown.push_back(t); });
  desktop.ScriptNextModal([&](platform::WindowId w) { desktop.Click(w, {268, 444}); });
  ASSERT_EQ(dlg.DoModal(), CDlgBase::kIdOk);
  ASSERT_TRUE(dlg.Choice() && dlg.Choice()->macro);
  EXPECT_TRUE(shown.empty());

  // What the main window's assignment stores for button 4.
  ButtonSlot& button = Current().buttons[3];
  button.KeyName = dlg.Choice()->name;
  button.KeyValue = dlg.Choice()->code.bytes;
  button.MacroKeyIndex = dlg.Choice()->macro->MacroKeyIndex;
  button.macro = *dlg.Choice()->macro;
  mouse.ClearLog();
  writer.MarkDirty(SettingsWriter::Group::Keys);
  writer.WriteChanges();

  EXPECT_EQ(button.KeyValue, (std::array<uint8_t, 3>{0x91, 0x21, 0x03}))
      << "slot 1, repeated three times";
  EXPECT_FALSE(Frames(0x01).empty()) << "the key table went out";
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 2u) << "eight device actions: 32 bytes in two pieces";
  EXPECT_EQ(data[0].At(5), 26);
  EXPECT_EQ(data[0].At(6), 1);
  EXPECT_EQ(data[1].At(5), 8);
  // Fire with its 10 ms, then the step (Y 9, X -5) with its 20 ms.
  const uint8_t first[] = {0x60, 0x0A, 0x00, 0x08, 0x70, 0x14, 0x09, 0xFB};
  for (size_t i = 0; i < sizeof first; ++i) EXPECT_EQ(data[0].At(7 + i), first[i]) << i;
}

}  // namespace
