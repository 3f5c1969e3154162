#pragma once
// Shared pieces of the probes that tests/e2e drives: a data folder and language for the run,
// an owner window, and dialogs under titles the script can find.

#include <string>
#include <utility>

#include "Win32TestSupport.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "ui/DlgBase.h"

namespace win32test {

// The program's folders with `data` as the data folder, unscaled, its language loaded.
inline bool PrepareProbe(const TempFolder& data) {
  TestPlatform();
  g_strExeDir = base::FolderOf(platform::Files().ExecutablePath());
  g_strDataDir = data.path() + u"\\";
  const bool made = platform::Files().CreateDirectory(g_strDataDir + u"config");
  g_fUiScale = 1.0f;
  (void)LoadLanguage();
  return made;
}

// The owner of the probed dialogs, standing in for the main window.
class CProbeMain : public CDlgBase {
 public:
  CProbeMain() : CDlgBase(kMainTemplate, 0) {
    m_nWidth = 200;
    m_nHeight = 100;
  }
  void InitUI(const platform::Rect&) override {}
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override {
    DrawBackgroundAndFrame(canvas, client);
  }
};

// `Dlg` with a window title of its own.
template <typename Dlg>
class CTitled : public Dlg {
 public:
  template <typename... Args>
  explicit CTitled(std::u16string title, Args&&... args)
      : Dlg(std::forward<Args>(args)...), m_title(std::move(title)) {}
  void InitUI(const platform::Rect& client) override {
    Dlg::InitUI(client);
    platform::Windows().SetTitle(this->GetSafeHwnd(), m_title);
  }

 private:
  std::u16string m_title;
};

}  // namespace win32test
