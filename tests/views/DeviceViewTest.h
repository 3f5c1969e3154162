#pragma once
// A main window (a test dialog) with the view services behind it, for the device windows and
// their page parts; a registry that records what the parts route.

#include <map>
#include <memory>
#include <string>

#include "base/Text.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"
#include "ui/UiTestSupport.h"
#include "views/FakeViewServices.h"
#include "views/main/PagePart.h"

class FakeRegistry : public PartRegistry {
 public:
  explicit FakeRegistry(ViewServices& services) : m_services(services) {}
  // A part claiming one id twice fails the test, as it stops the program.
  bool RouteMessages(uint32_t first, uint32_t last, PagePart& part) override {
    for (uint32_t m = first; m <= last; ++m) {
      if (!messages.emplace(m, &part).second) {
        ADD_FAILURE() << "message " << m << " claimed twice";
        return false;
      }
    }
    return true;
  }
  bool RouteTimer(uintptr_t id, PagePart& part) override {
    if (timers.emplace(id, &part).second) return true;
    ADD_FAILURE() << "timer " << id << " claimed twice";
    return false;
  }
  void ProvideDeviceWindows(DeviceWindows& w) override { windows = &w; }
  ViewServices& Services() override { return m_services; }

  std::map<uint32_t, PagePart*> messages;
  std::map<uintptr_t, PagePart*> timers;
  DeviceWindows* windows = nullptr;

 private:
  ViewServices& m_services;
};

class DeviceViewTest : public uitest::UiTest {
 protected:
  DeviceViewTest() {
    main = std::make_unique<uitest::CTestDlg>(nullptr, 1127, 740);
    EXPECT_TRUE(main->Create());
    desktop.RunUntilIdle();
    services = std::make_unique<FakeViewServices>(*main);
    for (int n : {4,   5,   140, 146, 276, 277, 278, 279, 280, 281, 282, 283, 330,
                  331, 332, 333, 334, 335, 336, 337, 338, 339, 343, 344, 440}) {
      g_strLangText[n] = u"T" + base::FromUtf8(std::to_string(n));
    }
  }
  ~DeviceViewTest() override { ResetLanguage(); }

  static platform::Point Centre(const CDlgBase& dialog, uint32_t id) {
    const CControlBase* control = dialog.GetControl(id);
    EXPECT_NE(control, nullptr) << id;
    if (!control) return {-100, -100};
    const platform::Rect& rc = control->m_rc;
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  bool ClickOn(const CDlgBase& dialog, uint32_t id) {
    return desktop.Click(dialog.GetSafeHwnd(), Centre(dialog, id));
  }
  static std::u16string TitleOf(const CDlgBase& dialog, uint32_t id) {
    const CControlBase* control = dialog.GetControl(id);
    return control ? control->GetTitle() : u"<none>";
  }
  std::vector<platform::WindowId> WindowsOfClass(std::u16string_view name) {
    std::vector<platform::WindowId> found;
    for (platform::WindowId w : desktop.AllWindows()) {
      if (desktop.Info(w)->desc.className == name) found.push_back(w);
    }
    return found;
  }

  std::unique_ptr<uitest::CTestDlg> main;
  std::unique_ptr<FakeViewServices> services;
};
