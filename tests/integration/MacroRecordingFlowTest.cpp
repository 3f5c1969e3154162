// A macro made in the manager the way a user makes one, assigned through the select dialog
// and written to the simulated mouse.

#include "integration/ProfileDeviceHarness.h"
#include "keys/ButtonAssignment.h"
#include "support/Clicks.h"
#include "ui/MenuPopup.h"
#include "ui/UiTestSupport.h"
#include "views/FakeViewServices.h"
#include "views/ProfileButtonBank.h"
#include "views/macros/MacroManagerDlg.h"
#include "views/macros/MacroWindows.h"

namespace {

using M = CMacroManagerDlg;

// The fake services with the harness's profile, buttons and writes.
class HarnessServices : public FakeViewServices {
 public:
  HarnessServices(CDlgBase& dialog, ProfileDeviceHarness& harness,
                  std::function<ProfileSettings&()> current, MacroDownload& download,
                  std::function<void()> write)
      : FakeViewServices(dialog),
        m_current(std::move(current)),
        m_bank(m_current),
        m_download(download),
        m_write(std::move(write)) {
    (void)harness;
  }
  ProfileSettings& CurrentProfile() override { return m_current(); }
  ButtonBank& CurrentButtons() override { return m_bank; }
  MacroDownload& Macros() override { return m_download; }
  void WriteNow() override {
    ++writes;
    m_write();
  }

 private:
  std::function<ProfileSettings&()> m_current;
  ProfileButtonBank m_bank;
  MacroDownload& m_download;
  std::function<void()> m_write;
};

class MacroRecordingFlowTest : public ProfileDeviceHarness {
 protected:
  MacroLibrary library{u"config\\MacroLibraryFile.mlf"};
  LibraryLocation selection = LibraryLocation::Level0(0);
  MacroDownload libraryDownload{link, store, settings, library, bullets};
  std::unique_ptr<uitest::CTestDlg> main;
  std::unique_ptr<HarnessServices> services;

  void SetUp() override {
    ProfileDeviceHarness::SetUp();
    writer.SetMacroSync(&libraryDownload);
    desktop.SetFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
    main = std::make_unique<uitest::CTestDlg>([](uitest::CTestDlg&, platform::WindowId) {});
    ASSERT_TRUE(main->Create());
    services = std::make_unique<HarnessServices>(
        *main, *this, [this]() -> ProfileSettings& { return Current(); }, libraryDownload,
        [this] { writer.WriteChanges(); });
  }
  void TearDown() override {
    services.reset();
    main.reset();
    ProfileDeviceHarness::TearDown();
  }
  void Click(platform::WindowId w, uint32_t id) { testclick::Click(desktop, w, id); }
  platform::Point Row(platform::WindowId w, uint32_t list, int row) {
    const CDlgBase* dlg = testclick::DialogOf(desktop, w);
    return dlg ? testclick::ListRow(*dlg, list, row) : platform::Point{};
  }
  void Typed(std::u16string text) {
    desktop.ScriptNextModal([this, text](platform::WindowId w) {
      desktop.TypeText(w, text);
      desktop.PressKey(w, platform::kVkReturn);
    });
  }
};

TEST_F(MacroRecordingFlowTest, RecordEditInsertLoopAssignToButton4AndDownload) {
  auto& sys = platform.system();
  // Each modal loop takes the next script when it has nothing else to do, so the manager's
  // steps and its dialogs' steps are queued in the order they run.
  desktop.ScriptNextModal([&](platform::WindowId w) { Click(w, M::kNewButton); });
  Typed(u"Jump");
  desktop.ScriptNextModal([&](platform::WindowId w) {
    Click(w, M::kRecordButton);
    sys.InjectKey(0x41, false, 0);
    sys.InjectKey(0x41, true, 80);
    sys.InjectKey(0x42, false, 200);
    sys.InjectKey(0x42, true, 260);
    Click(w, M::kRecordButton);
    desktop.Click(w, Row(w, M::kActionList, 1));  // the 80 ms delay
    Click(w, M::kModifyButton);
  });
  Typed(u"150");
  desktop.ScriptNextModal([&](platform::WindowId w) {
    auto* dlg = testclick::DialogOf<CMacroManagerDlg>(desktop, w);
    desktop.Click(w, Row(w, M::kActionList, 6));  // B released
    Click(w, M::kInsertDrop);
    auto* menu = dynamic_cast<CMenuPopup*>(dlg->Popup(M::kInsertSlot));
    ASSERT_NE(menu, nullptr);
    const platform::Rect moveRight = menu->RowRect(6);
    desktop.Click(menu->GetSafeHwnd(), {moveRight.left + 5, moveRight.top + 5});
  });
  Typed(u"10");  // the move editor opens once the menu has gone
  desktop.ScriptNextModal([&](platform::WindowId w) {
    Click(w, M::kLoopCount);
    desktop.TypeText(w, u"3");
    Click(w, M::kCloseButton);
  });
  RunMacroManager(*services, library, selection);

  desktop.ScriptNextModal([&](platform::WindowId w) {
    desktop.Click(w, Row(w, CMacroSelectDlg::kLibraryList, 0));
    Click(w, CMacroSelectDlg::kOkButton);
  });
  const std::optional<MacroChoice> choice = RunMacroSelect(*services, library, selection);
  ASSERT_TRUE(choice && choice->macro);
  // Button 4 is field 2016.
  ASSERT_TRUE(keys::AssignButtonFunction(services->CurrentButtons(), 2016, choice->name,
                                         choice->code.bytes.data(), &*choice->macro, u""));
  mouse.ClearLog();
  writer.MarkDirty(SettingsWriter::Group::Keys);
  writer.WriteChanges();

  const auto keyTable = mouse.Applied(0x01, 0x01);
  ASSERT_TRUE(keyTable.has_value());
  // The key table carries buttons 4 and 5 in swapped places.
  EXPECT_EQ((*keyTable)[12], 0x90);
  EXPECT_EQ((*keyTable)[13], 0x21) << "slot 1, repeat a number of times";
  EXPECT_EQ((*keyTable)[14], 3);
  ASSERT_EQ(Frames(0x11).size(), 1u);
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data[0].At(5), 21) << "five device actions";
  const uint8_t actions[] = {
      0x30, 150, 0x04, 0,  // A pressed, then the edited 150 ms
      0xB0, 120, 0x04, 0,  // A released, 120 ms
      0x30, 60,  0x05, 0,  // B pressed, 60 ms
      0xB0, 0,   0x05, 0,  // B released, straight into the move
      0x40, 0,   10,   0,  // cursor 10 to the right
  };
  for (size_t i = 0; i < sizeof actions; ++i) EXPECT_EQ(data[0].At(7 + i), actions[i]) << i;
}

}  // namespace
