#pragma once
// The installer download: Start fetches the file on the port's asynchronous download while
// the status line counts the seconds; the dialog ends with IDOK once the file is complete and
// with IDCANCEL when it failed or the user closed it (which cancels the download).

#include <memory>
#include <string>

#include "platform/Download.h"
#include "ui/DlgBase.h"

class CStaticText;

class CDownloadDlg : public CDlgBase, private platform::DownloadObserver {
 public:
  static constexpr uint32_t kCloseCross = 2004;
  static constexpr uint32_t kStartButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kStatusLabel = 2013;
  static constexpr uintptr_t kTimerTick = 1;
  static constexpr uintptr_t kTimerEnd = 2;
  static constexpr uint32_t kTickMs = 1000;
  static constexpr uint32_t kEndMs = 100;

  // The caption is not shown (the title label stays empty).
  CDownloadDlg(std::u16string_view caption, std::u16string_view status,
               std::u16string_view destination, std::u16string_view url, platform::WindowId parent);
  ~CDownloadDlg() override;

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  bool Downloading() const { return m_job != nullptr; }
  int Ticks() const { return m_nTicks; }

 protected:
  void OnCancel() override;
  // Closing from outside cancels as the close button does.
  void OnClose() override { OnCancel(); }

 private:
  void Start();
  void OnTick();
  void OnDownloadProgress(uint64_t received, uint64_t total) override;
  void OnDownloadFinished(bool ok) override;

  std::u16string m_strStatus;
  std::u16string m_strDestination;
  std::u16string m_strUrl;
  std::unique_ptr<platform::DownloadJob> m_job;
  bool m_bSucceeded = false;
  bool m_bFinished = false;
  int m_nTicks = 0;
  CStaticText* m_pStatus = nullptr;
};
