#include "adapters/win32/Win32Shell.h"

#include <atomic>
#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/WindowsInclude.h"
#include "platform/FileDialogFilter.h"

#include <commdlg.h>
#include <shellapi.h>
#include <urlmon.h>

namespace platform::win32 {

namespace {

// Workers still running, whoever started them: a new download waits for the last one to end,
// so two never write the same file.
std::atomic<int> g_downloadsRunning{0};

// Touched on the user-interface thread only: by the job and by the work the worker posts.
struct DownloadChannel {
  DownloadObserver* observer = nullptr;
  bool open = true;
};

// What the worker owns. The worker never touches the shell or the queue object, only the
// queue's window handle, so it may outlive both.
struct DownloadWork {
  std::wstring url;
  std::wstring file;
  void* queueWindow = nullptr;
  std::shared_ptr<DownloadChannel> channel;
  std::shared_ptr<std::atomic<bool>> cancelled;
  FailureLog* failures = nullptr;
};

// Progress and cancellation for URLDownloadToFileW; lives on the worker's stack.
class StatusCallback : public IBindStatusCallback {
 public:
  explicit StatusCallback(const DownloadWork& work) : m_work(work) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *object = static_cast<IBindStatusCallback*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Owned by the worker's stack frame, which outlasts the download call.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override { return --m_references; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) override {
    if (m_work.cancelled->load()) return E_ABORT;
    // The window needs a few updates a second, not one per network packet.
    const ULONGLONG now = ::GetTickCount64();
    if (now - m_lastPost < 200 && progress != progressMax) return S_OK;
    m_lastPost = now;
    std::shared_ptr<DownloadChannel> channel = m_work.channel;
    UiThreadQueue::PostTo(m_work.queueWindow, [channel, progress, progressMax] {
      if (channel->open) channel->observer->OnDownloadProgress(progress, progressMax);
    });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    if (flags == nullptr || info == nullptr) return E_INVALIDARG;
    // Always from the server: a cached old installer must not pass for the new one.
    *flags = BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

 private:
  const DownloadWork& m_work;
  ULONG m_references = 1;
  ULONGLONG m_lastPost = 0;
};

unsigned long __stdcall DownloadThread(void* parameter) {
  std::unique_ptr<DownloadWork> work(static_cast<DownloadWork*>(parameter));
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  StatusCallback callback(*work);
  const HRESULT result =
      ::URLDownloadToFileW(nullptr, work->url.c_str(), work->file.c_str(), 0, &callback);
  if (SUCCEEDED(com)) ::CoUninitialize();
  std::shared_ptr<DownloadChannel> channel = work->channel;
  FailureLog* failures = work->failures;
  // The count drops before the end is told, so the observer may start the next download.
  g_downloadsRunning.fetch_sub(1);
  UiThreadQueue::PostTo(work->queueWindow, [channel, failures, result] {
    if (result != S_OK) failures->RecordCode("URLDownloadToFileW", static_cast<uint32_t>(result));
    if (!channel->open) return;
    channel->open = false;
    channel->observer->OnDownloadFinished(result == S_OK);
  });
  return 0;
}

class Win32Download : public DownloadJob {
 public:
  Win32Download(std::shared_ptr<DownloadChannel> channel,
                std::shared_ptr<std::atomic<bool>> cancelled)
      : m_channel(std::move(channel)), m_cancelled(std::move(cancelled)) {}
  ~Win32Download() override { Cancel(); }
  void Cancel() override {
    m_channel->open = false;
    m_cancelled->store(true);
  }

 private:
  std::shared_ptr<DownloadChannel> m_channel;
  std::shared_ptr<std::atomic<bool>> m_cancelled;
};

}  // namespace

Win32Shell::Win32Shell(FailureLog& failures)
    : m_failures(failures), m_queue(std::make_unique<UiThreadQueue>(failures)) {}

Win32Shell::~Win32Shell() = default;

std::unique_ptr<DownloadJob> Win32Shell::StartDownload(std::u16string_view url,
                                                       std::u16string_view file,
                                                       DownloadObserver& observer) {
  int idle = 0;
  if (!g_downloadsRunning.compare_exchange_strong(idle, 1)) return nullptr;
  auto work = std::make_unique<DownloadWork>();
  work->url = Wide(url);
  work->file = Wide(file);
  work->queueWindow = m_queue->Window();
  work->channel = std::make_shared<DownloadChannel>();
  work->channel->observer = &observer;
  work->cancelled = std::make_shared<std::atomic<bool>>(false);
  work->failures = &m_failures;
  auto job = std::make_unique<Win32Download>(work->channel, work->cancelled);
  if (work->queueWindow == nullptr) {
    g_downloadsRunning.fetch_sub(1);
    return nullptr;
  }
  DownloadWork* handedOver = work.release();
  HANDLE thread = ::CreateThread(nullptr, 0, &DownloadThread, handedOver, 0, nullptr);
  if (thread == nullptr) {
    m_failures.Record("CreateThread");
    delete handedOver;
    g_downloadsRunning.fetch_sub(1);
    return nullptr;
  }
  ::CloseHandle(thread);  // the worker ends by itself
  return job;
}

bool Win32Shell::Open(std::u16string_view target) {
  HINSTANCE result =
      ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  const auto code = reinterpret_cast<uintptr_t>(result);
  if (code > 32) return true;
  m_failures.RecordCode("ShellExecuteW", static_cast<uint32_t>(code));
  return false;
}

bool Win32Shell::Execute(std::u16string_view commandLine) {
  // WinExec takes the ANSI code page. A command line that does not fit it would start
  // some other program, so it is refused instead.
  std::wstring wide = Wide(commandLine);
  BOOL lossy = FALSE;
  int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                   nullptr, &lossy);
  if (size <= 0 || lossy) {
    m_failures.RecordCode("WideCharToMultiByte",
                          size <= 0 ? ::GetLastError() : ERROR_NO_UNICODE_TRANSLATION);
    return false;
  }
  std::vector<char> ansi(static_cast<size_t>(size));
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi.data(), size, nullptr,
                        nullptr);
  UINT result = ::WinExec(ansi.data(), SW_RESTORE);
  if (result > 31) return true;
  m_failures.RecordCode("WinExec", result);
  return false;
}

bool Win32Shell::Download(std::u16string_view url, std::u16string_view file) {
  HRESULT result = ::URLDownloadToFileW(nullptr, Wide(url).c_str(), Wide(file).c_str(), 0, nullptr);
  if (result == S_OK) return true;
  m_failures.RecordCode("URLDownloadToFileW", static_cast<uint32_t>(result));
  return false;
}

std::optional<std::u16string> Win32Shell::OpenFileDialog(const FileDialogDesc& desc) {
  return RunFileDialog(desc, false);
}

std::optional<std::u16string> Win32Shell::SaveFileDialog(const FileDialogDesc& desc) {
  return RunFileDialog(desc, true);
}

std::optional<std::u16string> Win32Shell::RunFileDialog(const FileDialogDesc& desc, bool save) {
  std::wstring title = Wide(desc.title);
  std::wstring extension = Wide(desc.defaultExtension);
  std::wstring filter = Wide(FileDialogFilterList(desc.filter));
  // Room for a long path; the chosen name comes back in the same buffer.
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring name = Wide(desc.defaultName);
  if (name.size() < file.size()) name.copy(file.data(), name.size());
  std::vector<wchar_t> current(MAX_PATH + 1, L'\0');
  DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  if (length >= current.size()) {
    current.assign(length + 1, L'\0');
    length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  }
  if (length == 0) m_failures.Record("GetCurrentDirectoryW");

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(desc.owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = length != 0 ? current.data() : nullptr;
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The program reads its files by full paths; the dialog must not move the current folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (desc.mustExist) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (desc.overwritePrompt) dialog.Flags |= OFN_OVERWRITEPROMPT;

  BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (length != 0) ::SetCurrentDirectoryW(current.data());
  if (!chosen) {
    DWORD error = ::CommDlgExtendedError();
    if (error != 0) m_failures.RecordCode(save ? "GetSaveFileNameW" : "GetOpenFileNameW", error);
    return std::nullopt;
  }
  return FromWide(file.data());
}

}  // namespace platform::win32
