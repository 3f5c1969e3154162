// The skinned toolkit's windows on the real window system: hover notices reach dialogs and
// popups when the pointer rests on them; a modeless message box stays on top.

#include <gtest/gtest.h>

#include <memory>

#include "Win32TestSupport.h"
#include "base/AppGlobals.h"
#include "ui/AttentionDlg.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/WndPopup.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
using win32test::PumpUntil;
using win32test::TestPlatform;
namespace msg = platform::msg;

HWND H(WindowId id) {
  return reinterpret_cast<HWND>(id);
}

// What the window asked the system to track, read back right after its first pointer move.
struct Tracking {
  int moves = 0;
  int hovers = 0;
  DWORD flags = 0;
  DWORD hoverMs = 0;

  void Seen(uint32_t message) {
    if (message == msg::kMouseHover) ++hovers;
    if (message != msg::kMouseMove || moves++ > 0) return;
    TRACKMOUSEEVENT query{};
    query.cbSize = sizeof query;
    query.dwFlags = TME_QUERY;
    if (::TrackMouseEvent(&query)) {
      flags = query.dwFlags;
      hoverMs = query.dwHoverTime;
    }
  }
};

class CHoverDlg : public CDlgBase {
 public:
  CHoverDlg() : CDlgBase(kDialogTemplate, 0) {
    m_nWidth = 200;
    m_nHeight = 120;
  }
  void InitUI(const platform::Rect&) override {
    AddControl(0, std::make_unique<CImageButton>(GetSafeHwnd(), 2100,
                                                 platform::Rect{10, 10, 190, 110}, u"Rest here"));
  }
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override {
    DrawBackgroundAndFrame(canvas, client);
    DrawControls(canvas, client);
  }
  LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    const LResult result = CDlgBase::OnMessage(window, message, wParam, lParam, handled);
    tracking.Seen(message);
    return result;
  }
  Tracking tracking;
};

class CHoverPopup : public CWndPopup {
 public:
  CHoverPopup() : CWndPopup(0) {}
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override {
    canvas.FillRect(client, 0x302C2A);
  }
  LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    const LResult result = CWndPopup::OnMessage(window, message, wParam, lParam, handled);
    tracking.Seen(message);
    return result;
  }
  Tracking tracking;
};

// Moves the real pointer to a screen point, as a user's mouse would, with a second step so
// that the window sees a move inside it whatever the pointer did before.
void MovePointer(int x, int y) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  for (int step : {0, 1}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x + step) * 65535 / (width - 1));
    input.mi.dy = static_cast<LONG>(y * 65535 / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
  }
}

void RestOn(WindowId window, const Tracking& tracking) {
  RECT rc{};
  ::GetWindowRect(H(window), &rc);
  MovePointer((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] { return tracking.hovers > 0; }, 5000))
      << tracking.moves << " moves, no hover notice";
}

TEST(ToolkitWindows, DialogAsksForLeaveAndHoverAfterOneMillisecond) {
  TestPlatform();
  g_fUiScale = 1.0f;
  CHoverDlg dlg;
  ASSERT_TRUE(dlg.Create()) << TestPlatform().LastFailure();
  PumpUntil([] { return false; }, 100);
  RestOn(dlg.GetSafeHwnd(), dlg.tracking);
  EXPECT_EQ(dlg.tracking.flags & (TME_LEAVE | TME_HOVER), DWORD(TME_LEAVE | TME_HOVER));
  EXPECT_EQ(dlg.tracking.hoverMs, 1u);
  dlg.EndDialog(CDlgBase::kIdCancel);
}

TEST(ToolkitWindows, PopupAsksForLeaveAndHoverAfterFiftyMilliseconds) {
  TestPlatform();
  CHoverPopup popup;
  ASSERT_TRUE(popup.Create(0, {300, 200, 460, 300}, 1029, 2013)) << TestPlatform().LastFailure();
  PumpUntil([] { return false; }, 100);
  RestOn(popup.GetSafeHwnd(), popup.tracking);
  EXPECT_EQ(popup.tracking.flags & (TME_LEAVE | TME_HOVER), DWORD(TME_LEAVE | TME_HOVER));
  EXPECT_EQ(popup.tracking.hoverMs, 50u);
}

TEST(ToolkitWindows, ModelessAttentionBoxIsTopMost) {
  TestPlatform();
  g_fUiScale = 1.0f;
  auto topMost = [](WindowId id) {
    return (::GetWindowLongW(H(id), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  };
  CAttentionDlg box(u"", u"No mouse found", 0);
  ASSERT_TRUE(box.Create()) << TestPlatform().LastFailure();
  EXPECT_TRUE(topMost(box.GetSafeHwnd()));
  platform::Windows().SetTopMost(box.GetSafeHwnd(), false);
  EXPECT_FALSE(topMost(box.GetSafeHwnd()));
  box.EndDialog(CDlgBase::kIdOk);
}

}  // namespace
