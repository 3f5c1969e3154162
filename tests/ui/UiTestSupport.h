#pragma once
// Shared pieces of the toolkit tests: a headless platform with a skins folder, image files
// written on the fly, and a dialog whose page a test builds and whose notifications it reads.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/DlgBase.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"

namespace uitest {

// An uncompressed 24-bit bitmap, every pixel `rgb` (0xRRGGBB), or per pixel from `pixel`.
std::string MakeBmp(int width, int height, const std::function<uint32_t(int, int)>& pixel);
inline std::string MakeBmp(int width, int height, uint32_t rgb) {
  return MakeBmp(width, height, [rgb](int, int) { return rgb; });
}

struct Note {
  uint32_t message;
  platform::WParam wParam;
  platform::LParam lParam;
  friend bool operator==(const Note&, const Note&) = default;
};
std::ostream& operator<<(std::ostream& out, const Note& note);

// A dialog whose InitUI runs the test's builder and whose program messages (1025 and up) are
// recorded; `react` runs after a message is recorded.
class CTestDlg : public CDlgBase {
 public:
  using Builder = std::function<void(CTestDlg&, platform::WindowId)>;
  CTestDlg(Builder builder, int width = 400, int height = 300, platform::WindowId parent = 0);

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  std::vector<Note> notes;
  std::vector<Note> posted;  // non-client presses that reached the window
  std::function<void(const Note&)> react;
  // Ids whose release repaints the whole window; none when empty.
  std::function<bool(uint32_t)> repaintsWholeWindow;
  int drawWindowCalls = 0;
  using CDlgBase::ClosePopup;
  using CDlgBase::m_fontCaption;
  using CDlgBase::m_pHoverControl;

 protected:
  bool RepaintsWholeWindowOnRelease(uint32_t id) const override {
    return repaintsWholeWindow && repaintsWholeWindow(id);
  }

 private:
  Builder m_builder;
};

class UiTest : public ::testing::Test {
 protected:
  UiTest();
  ~UiTest() override;

  // Writes skins\<name> (backslashes allowed in the name; its folders are made).
  void WriteSkin(std::u16string_view name, const std::string& bytes);
  void WriteSkin(std::u16string_view name, int width, int height, uint32_t rgb) {
    WriteSkin(name, MakeBmp(width, height, rgb));
  }
  std::vector<platform::Rect> Invalidated(platform::WindowId window) {
    return desktop.TakeInvalidated(window);
  }
  // Paints what is pending and returns the last paint of the window.
  const platform::headless::RecordingCanvas& Paint(platform::WindowId window);
  // A created dialog holding the controls the builder adds; W() is its window.
  CTestDlg& Dialog(CTestDlg::Builder builder) {
    m_dlg = std::make_unique<CTestDlg>(std::move(builder));
    EXPECT_TRUE(m_dlg->Create());
    desktop.RunUntilIdle();
    return *m_dlg;
  }
  platform::WindowId W() const { return m_dlg->GetSafeHwnd(); }

  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  std::vector<std::string> failures;
  std::unique_ptr<CTestDlg> m_dlg;
};

// Image operations of a paint, as the image names drawn ("" for unnamed).
std::vector<std::u16string> ImageNames(const platform::headless::RecordingCanvas& canvas);
int CountOps(const platform::headless::RecordingCanvas& canvas,
             platform::headless::DrawOp::Kind kind);

}  // namespace uitest
