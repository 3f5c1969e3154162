#include "app/VantrelApp.h"

#include "app/VantrelDlg.h"
#include "platform/Platform.h"

#include <memory>

namespace {
constexpr const char16_t* kInstanceMutex = u"20241115 Mouse 33XX";
}

bool CVantrelApp::InitInstance() {
  // One instance: a second start hands the first one a show request and ends at once.
  if (platform::Sys().CreateNamedMutexAlreadyExists(kInstanceMutex)) {
    auto& windows = platform::Windows();
    if (const platform::WindowId first = windows.FindWindowByClass(CVantrelDlg::kClassName)) {
      windows.SendMessage(first, CVantrelDlg::kShowRequestMessage, 0, 0);
    }
    return false;
  }
  // The main window object is large once the page is built; it lives on the heap.
  auto dialog = std::make_unique<CVantrelDlg>(m_uiDumpPath);
  dialog->DoModal();
  return false;
}
