#include "views/PartTestHost.h"

#include <string>
#include <vector>

#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/SensorDpiTable.h"
#include "views/main/PageLayout.h"

namespace parttest {

HostServices::HostServices(PartHostDlg& host) : FakeViewServices(host), m_host(host) {}

void HostServices::RefreshPage() {
  FakeViewServices::RefreshPage();
  m_host.RefreshParts();
}

void HostServices::CollectPage() {
  FakeViewServices::CollectPage();
  m_host.CollectInto(profile);
}

void PartHostDlg::CollectInto(ProfileSettings& profile) {
  for (auto& part : m_parts) part->Collect(profile);
}

PartHostDlg::PartHostDlg() : CDlgBase(kDialogTemplate, 0) {
  m_nWidth = 1127;
  m_nHeight = 740;
}

void PartHostDlg::InitUI(const platform::Rect&) {
  router.ProvideHighlight(*this);
  for (auto& part : m_parts) part->Build(*this, router);
}

void PartHostDlg::LayoutAndRefresh() {
  int y = page::kPagesTop;
  for (auto& part : m_parts) {
    if (part->Tab() == 0) continue;
    y += part->Layout({page::kPagesLeft, y});
  }
  RefreshParts();
}

void PartHostDlg::RefreshParts() {
  if (!m_bInitUI) return;  // nothing built yet
  for (auto& part : m_parts) part->Refresh();
  if (GetSafeHwnd()) platform::Windows().Invalidate(GetSafeHwnd(), nullptr);
}

bool PartHostDlg::Route(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
  PagePart* part = router.PartForMessage(message);
  if (!part) return false;
  part->OnMessage(message, wParam, lParam);
  return true;
}

void PartHostDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  for (auto& part : m_parts) part->DrawDecorations(canvas, client);
  DrawControls(canvas, client);
}

platform::LResult PartHostDlg::OnMessage(platform::WindowId window, uint32_t message,
                                         platform::WParam wParam, platform::LParam lParam,
                                         bool& handled) {
  if (message == platform::msg::kTimer) {
    if (PagePart* part = router.PartForTimer(wParam)) {
      platform::Windows().KillTimer(window, wParam);
      part->OnTimer(wParam);
      handled = true;
      return 0;
    }
  }
  if (message == platform::msg::kMouseMove && (wParam & platform::kMkLButton)) {
    for (auto& part : m_parts) part->OnDrag(platform::PointFromParam(lParam));
  }
  if (message >= 1025 && message != CWndPopup::kClosedMessage) {
    handled = true;
    if (!Route(message, wParam, lParam)) unrouted.push_back(message);
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

PartTest::PartTest(Installation installation) {
  if (installation == Installation::Served) platform.UseInstallation(VANTREL_SOURCE_DIR);
  ResetLanguage();
  const std::pair<int, const char16_t*> texts[] = {{4, u"OK"},
                                                   {101, u"Breathing"},
                                                   {102, u"Steady"},
                                                   {109, u"Off"},
                                                   {120, u"Brightness"},
                                                   {121, u"Speed"},
                                                   {122, u"Colour"},
                                                   {123, u"Direction"},
                                                   {150, u"Notice"},
                                                   {153, u"Keep one"},
                                                   {154, u"Keep two"},
                                                   {266, u"Sleep level "},
                                                   {267, u" of 8"},
                                                   {270, u"Low"},
                                                   {271, u"High"},
                                                   {286, u"Angle snapping"},
                                                   {287, u"Motion sync"},
                                                   {288, u"Ripple control"}};
  for (const auto& [n, text] : texts) g_strLangText[n] = text;
  UseSensor(0x3950);
}

PartTest::~PartTest() {
  if (m_host && m_host->GetSafeHwnd()) m_host->EndDialog(CDlgBase::kIdCancel);
  m_host.reset();
  ResetLanguage();
}

void PartTest::UseSensor(uint16_t sensor) {
  BuildSensorDpiTable(m_host->services.table, sensor);
  ResetProfileToDefaults(m_host->services.profile, 0, sensor);
}

void PartTest::Reopen() {
  if (m_host->GetSafeHwnd()) m_host->EndDialog(CDlgBase::kIdCancel);
  m_host = std::make_unique<PartHostDlg>();
  services = &m_host->services;
  UseSensor(0x3950);
  Open();
}

void PartTest::Open() {
  ASSERT_TRUE(m_host->Create());
  // The program stops on a refused claim; a test of its parts fails on one.
  EXPECT_EQ(m_host->router.Refused(), std::vector<std::string>{});
  m_host->LayoutAndRefresh();
  desktop.RunUntilIdle();
}

}  // namespace parttest
