#pragma once
// A stand-in for the main window in page-part tests: a 1127 x 740 skinned dialog on the
// headless adapter that builds the parts under test, routes their messages and timers as the
// main window does, and whose services refresh the parts for real and record the rest.

#include <memory>
#include <vector>

#include "app/MessageRouter.h"
#include "profiles/ProfileSettings.h"
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

class PartHostDlg : public CDlgBase {
 public:
  PartHostDlg();

  // Adds a part before Create(); the host owns it.
  template <typename T>
  T& AddPart(std::unique_ptr<T> part) {
    T& ref = *part;
    m_parts.push_back(std::move(part));
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

  HostServices services{*this};
  MessageRouter router{&services};
  std::vector<uint32_t> unrouted;  // program messages no part registered

 private:
  std::vector<std::unique_ptr<PagePart>> m_parts;
};

// Fixture: headless platform serving the real skins, language texts in English, a default
// profile of sensor 0x3950 with its DPI table.
class PartTest : public uitest::UiTest {
 protected:
  PartTest();
  ~PartTest() override;

  // Creates the host with the parts added so far.
  void Open();
  PartHostDlg& Host() { return *m_host; }
  HostServices& Services() { return m_host->services; }
  ProfileSettings& Profile() { return m_host->services.profile; }
  platform::WindowId H() const { return m_host->GetSafeHwnd(); }
  void UseSensor(uint16_t sensor);
  CControlBase* Control(uint32_t id) { return m_host->GetControl(id); }
  // The centre of a control.
  platform::Point Centre(uint32_t id);
  void ClickControl(uint32_t id) { desktop.Click(H(), Centre(id)); }

  std::unique_ptr<PartHostDlg> m_host = std::make_unique<PartHostDlg>();
};

}  // namespace parttest
