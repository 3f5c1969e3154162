#pragma once
// The one stand-in for the main window in view tests: a 1127 x 740 skinned dialog on the
// headless adapter that builds the page parts under test, routes their messages and timers
// as the main window does, shows the button highlight, and whose services refresh the parts
// for real and record the rest. Dialog tests use it, without parts, as the owner window.

#include <memory>
#include <string>
#include <vector>

#include "app/MessageRouter.h"
#include "profiles/ProfileSettings.h"
#include "support/Clicks.h"
#include "ui/DlgBase.h"
#include "ui/UiTestSupport.h"
#include "ui/WndPopup.h"
#include "views/FakeViewServices.h"
#include "views/main/PagePart.h"

namespace parttest {

class PartHostDlg;

class HostServices : public FakeViewServices {
 public:
  HostServices(PartHostDlg& host);
  void RefreshPage() override;
  void CollectPage() override;

 private:
  PartHostDlg& m_host;
};

class PartHostDlg : public CDlgBase, public ButtonHighlight {
 public:
  PartHostDlg();

  // Adds a part; the host owns it. Before Create() it is built with the window, afterwards
  // at once.
  template <typename T>
  T& AddPart(std::unique_ptr<T> part) {
    T& ref = *part;
    m_parts.push_back(std::move(part));
    if (m_bInitUI) {
      ref.Build(*this, router);
      EXPECT_EQ(router.Refused(), std::vector<std::string>{});
    }
    return ref;
  }
  // Lays the tabbed parts out one under the other from (846, 67) and refreshes everything.
  void LayoutAndRefresh();
  void RefreshParts();
  // Every part's Collect into `profile`.
  void CollectInto(ProfileSettings& profile);
  // Routes a message as the main window would; false when no part took it.
  bool Route(uint32_t message, platform::WParam wParam, platform::LParam lParam);

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;
  // The number the parts asked to highlight on the mouse picture (a fixed area replaces it).
  void Highlight(int number) override { highlight = number; }

  HostServices services{*this};
  MessageRouter router{&services};
  std::vector<uint32_t> unrouted;  // program messages no part registered
  int highlight = 0;

 private:
  std::vector<std::unique_ptr<PagePart>> m_parts;
};

// Fixture: headless platform serving the real skins and firmware images (unless told not
// to), language texts in English, a default profile of sensor 0x3950 with its DPI table.
class PartTest : public uitest::UiTest {
 protected:
  enum class Installation { Served, None };
  explicit PartTest(Installation installation = Installation::Served);
  ~PartTest() override;

  // Creates the host with the parts added so far.
  void Open();
  // A new host window without parts, for a test that ended the last one.
  void Reopen();
  PartHostDlg& Host() { return *m_host; }
  ProfileSettings& Profile() { return services->profile; }
  platform::WindowId H() const { return m_host->GetSafeHwnd(); }
  void UseSensor(uint16_t sensor);
  CControlBase* Control(uint32_t id) { return m_host->GetControl(id); }
  platform::Point Centre(uint32_t id) { return testclick::Centre(*m_host, id); }
  // Clicks control `id` of the host, or of a dialog it opened (a modal one met in a scripted
  // loop, by object or by window); a click the window does not take (it is disabled behind a
  // modal dialog) fails the test.
  void ClickControl(uint32_t id) { ClickControl(*m_host, id); }
  void ClickControl(const CDlgBase& dlg, uint32_t id) {
    EXPECT_TRUE(testclick::Click(desktop, dlg, id)) << "click on " << id;
  }
  void ClickControl(platform::WindowId window, uint32_t id) {
    EXPECT_TRUE(testclick::Click(desktop, window, id)) << "click on " << id;
  }

  std::unique_ptr<PartHostDlg> m_host = std::make_unique<PartHostDlg>();
  HostServices* services = &m_host->services;
};

}  // namespace parttest
