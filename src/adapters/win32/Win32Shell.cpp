#include "adapters/win32/Win32Shell.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/WindowsInclude.h"
#include "platform/FileDialogFilter.h"

#include <bcrypt.h>
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

bool IsHttpsAddress(const wchar_t* address) {
  return address != nullptr && ::_wcsnicmp(address, L"https://", 8) == 0;
}

// What every download of ours asks of urlmon: the server's copy, never the cache's, no
// redirect away from https, and at most so many bytes.
class BindPolicy : public IBindStatusCallback {
 public:
  BindPolicy(FailureLog& failures, uint64_t maxBytes)
      : m_failures(failures), m_maxBytes(maxBytes) {}

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
  // Owned by the caller's stack frame, which outlasts the download call.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override { return --m_references; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG status,
                                       LPCWSTR text) override {
    if (status == BINDSTATUS_REDIRECTING && !IsHttpsAddress(text)) {
      m_failures.RecordCode("redirect to a plain address", static_cast<uint32_t>(E_ACCESSDENIED));
      m_refused = true;
      return E_ABORT;
    }
    if (m_maxBytes != 0 && (progress > m_maxBytes || progressMax > m_maxBytes)) {
      m_failures.RecordCode("download over its size limit", static_cast<uint32_t>(E_ABORT));
      m_refused = true;
      return E_ABORT;
    }
    return Progress(progress, progressMax);
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    if (flags == nullptr || info == nullptr) return E_INVALIDARG;
    // Always from the server: a cached old version file or installer must not pass for
    // the new one.
    *flags =
        BINDF_GETNEWESTVERSION | BINDF_NOWRITECACHE | BINDF_PRAGMA_NO_CACHE | BINDF_RESYNCHRONIZE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // Whether the policy stopped the download (it may have reported success anyway).
  bool Refused() const { return m_refused; }

 protected:
  virtual HRESULT Progress(ULONG, ULONG) { return S_OK; }

 private:
  FailureLog& m_failures;
  uint64_t m_maxBytes;
  ULONG m_references = 1;
  bool m_refused = false;
};

// Progress and cancellation for a download on a worker; lives on the worker's stack.
class StatusCallback : public BindPolicy {
 public:
  explicit StatusCallback(const DownloadWork& work) : BindPolicy(*work.failures, 0), m_work(work) {}

 protected:
  HRESULT Progress(ULONG progress, ULONG progressMax) override {
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

 private:
  const DownloadWork& m_work;
  ULONGLONG m_lastPost = 0;
};

unsigned long __stdcall DownloadThread(void* parameter) {
  std::unique_ptr<DownloadWork> work(static_cast<DownloadWork*>(parameter));
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  StatusCallback callback(*work);
  HRESULT result =
      ::URLDownloadToFileW(nullptr, work->url.c_str(), work->file.c_str(), 0, &callback);
  if (callback.Refused()) result = E_ABORT;
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

// The copy, opened for reading with read sharing only: nobody can write, rename or delete it
// while this handle is open, yet the loader may still open it to start it.
class Win32HeldFile : public HeldFile {
 public:
  Win32HeldFile(HANDLE file, std::wstring path, FailureLog& failures)
      : m_file(file), m_path(std::move(path)), m_failures(failures) {}
  ~Win32HeldFile() override { Release(); }

  std::optional<size_t> Read(std::span<uint8_t> buffer) override {
    if (m_file == INVALID_HANDLE_VALUE) return std::nullopt;
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(buffer.size(), 1u << 30));
    if (!::ReadFile(m_file, buffer.data(), wanted, &read, nullptr)) {
      m_failures.Record("ReadFile");
      return std::nullopt;
    }
    return read;
  }

  bool Start() override {
    if (m_file == INVALID_HANDLE_VALUE) return false;
    std::wstring commandLine = L"\"" + m_path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // CreateProcessW returns once the image is mapped, so the file that runs is the one held.
    const BOOL started = ::CreateProcessW(m_path.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, nullptr, &startup, &process);
    if (!started) m_failures.Record("CreateProcessW");
    if (started) {
      ::CloseHandle(process.hThread);
      ::CloseHandle(process.hProcess);
    }
    Release();
    return started != FALSE;
  }

 private:
  void Release() {
    if (m_file != INVALID_HANDLE_VALUE) ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
  }

  HANDLE m_file;
  std::wstring m_path;
  FailureLog& m_failures;
};

bool CopyContents(HANDLE from, HANDLE to) {
  std::vector<char> buffer(1 << 20);
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      return false;
    }
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(to, buffer.data(), read, &written, nullptr) || written != read) return false;
  }
}

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

bool Win32Shell::Download(std::u16string_view url, std::u16string_view file, uint64_t maxBytes) {
  BindPolicy policy(m_failures, maxBytes);
  HRESULT result = ::URLDownloadToFileW(nullptr, Wide(url).c_str(), Wide(file).c_str(), 0, &policy);
  if (policy.Refused()) {
    ::DeleteFileW(Wide(file).c_str());
    return false;
  }
  if (result == S_OK) return true;
  m_failures.RecordCode("URLDownloadToFileW", static_cast<uint32_t>(result));
  return false;
}

std::unique_ptr<HeldFile> Win32Shell::HoldCopy(std::u16string_view source,
                                               std::u16string_view folder) {
  HANDLE from = ::CreateFileW(Wide(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (from == INVALID_HANDLE_VALUE) {
    m_failures.Record("CreateFileW");
    return nullptr;
  }
  // A name nobody can have prepared: the copy is always a new file of ours.
  std::wstring path;
  HANDLE to = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 8 && to == INVALID_HANDLE_VALUE; ++attempt) {
    uint64_t random = 0;
    if (::BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&random), sizeof random,
                          BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
      random = ::GetTickCount64() * 2654435761u + ::GetCurrentProcessId() + attempt;
    }
    wchar_t name[40];
    std::swprintf(name, 40, L"\\installer-%016llx.exe", static_cast<unsigned long long>(random));
    path = Wide(folder) + name;
    to = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  }
  if (to == INVALID_HANDLE_VALUE) {
    m_failures.Record("CreateFileW");
    ::CloseHandle(from);
    return nullptr;
  }
  const bool copied = CopyContents(from, to);
  if (!copied) m_failures.Record("WriteFile");
  ::CloseHandle(from);
  ::CloseHandle(to);
  if (!copied) {
    ::DeleteFileW(path.c_str());
    return nullptr;
  }
  // Reopened for reading only: a handle with write access would keep the loader out. Whatever
  // happens to the file between the two opens is caught by the hash taken through this one.
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    m_failures.Record("CreateFileW");
    ::DeleteFileW(path.c_str());
    return nullptr;
  }
  return std::make_unique<Win32HeldFile>(held, std::move(path), m_failures);
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
