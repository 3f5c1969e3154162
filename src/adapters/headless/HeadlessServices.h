#pragma once
// The smaller headless services: scripted shell, file dialogs and downloads, a recording
// tray, a clipboard in memory, the single-instance mutex, resources from files, an injectable
// keyboard hook, and a HID bus slot that a simulated device fills.

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessFileSystem.h"
#include "adapters/host/ResourceScript.h"
#include "platform/Clipboard.h"
#include "platform/HidBus.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Tray.h"
#include "platform/WindowSystem.h"

namespace platform::headless {

class HeadlessShell : public Shell, private WindowHandler {
 public:
  HeadlessShell(HeadlessFileSystem& files, WindowSystem& windows)
      : m_files(files), m_windows(windows) {}
  ~HeadlessShell() override;

  // Answers for the next file dialogs, in order; nothing (cancel) when none is queued.
  void ScriptFileDialog(std::optional<std::u16string> answer) {
    m_answers.push_back(std::move(answer));
  }
  // Content served for a URL; a URL without content fails to download. An asynchronous
  // download of it takes `durationMs` of virtual time, with progress every 100 ms.
  void ServeUrl(std::u16string url, std::string content, uint32_t durationMs = 0) {
    m_served[std::move(url)] = {std::move(content), durationMs};
  }
  // A redirect from `url` to `target`, followed as the Windows adapter would: only to https.
  void ServeRedirect(std::u16string url, std::u16string target) {
    m_redirects[std::move(url)] = std::move(target);
  }
  // Asynchronous downloads started and not yet finished or cancelled.
  size_t RunningDownloads() const { return m_jobs.size(); }
  static constexpr uint32_t kProgressTickMs = 100;
  void SetOpenResult(bool ok) { m_openResult = ok; }

  std::vector<std::u16string> opened;
  std::vector<std::u16string> executed;
  std::vector<std::u16string> downloaded;
  std::vector<FileDialogDesc> dialogs;
  // Held copies: their paths as made, and what each held copy contained when it was started.
  std::vector<std::u16string> heldCopies;
  std::vector<std::string> startedContents;

  bool Open(std::u16string_view target) override;
  bool Execute(std::u16string_view commandLine) override;
  bool Download(std::u16string_view url, std::u16string_view file, uint64_t maxBytes) override;
  std::unique_ptr<DownloadJob> StartDownload(std::u16string_view url, std::u16string_view file,
                                             DownloadObserver& observer) override;
  std::optional<std::u16string> OpenFileDialog(const FileDialogDesc& desc) override;
  std::optional<std::u16string> SaveFileDialog(const FileDialogDesc& desc) override;
  // The copy's bytes are kept apart from the file system, so what is started is what was read,
  // whatever happens to the file afterwards (as the Windows adapter's locks ensure).
  std::unique_ptr<HeldFile> HoldCopy(std::u16string_view source,
                                     std::u16string_view folder) override;

 private:
  class HeadlessHeldFile;
  struct Served {
    std::string content;
    uint32_t durationMs = 0;
  };
  struct Job {
    std::u16string url;
    std::u16string file;
    DownloadObserver* observer = nullptr;
    uint64_t startMs = 0;
  };
  class HeadlessDownload;

  const Served* Resolve(std::u16string_view url) const;

  std::optional<std::u16string> NextAnswer(const FileDialogDesc& desc);
  LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override;
  void Tick(uintptr_t id);
  void CancelJob(uintptr_t id);

  HeadlessFileSystem& m_files;
  WindowSystem& m_windows;
  std::deque<std::optional<std::u16string>> m_answers;
  std::map<std::u16string, Served> m_served;
  std::map<std::u16string, std::u16string> m_redirects;
  bool m_openResult = true;
  WindowId m_timerWindow = 0;  // a hidden window whose timers run the downloads
  std::map<uintptr_t, Job> m_jobs;
  uintptr_t m_nextJob = 1;
};

class HeadlessTray : public Tray {
 public:
  explicit HeadlessTray(WindowSystem& windows) : m_windows(windows) {}

  struct Icon {
    WindowId owner;
    uint32_t id;
    uint32_t callbackMessage;
    int iconResource;
    std::u16string tip;
  };
  std::vector<Icon> icons;
  std::vector<std::vector<TrayMenuItem>> menusShown;
  int tipChanges = 0;
  static constexpr size_t kTipLength = 127;  // what NOTIFYICONDATAW holds
  // The command the user picks in the next menu; 0 dismisses it.
  void ScriptMenuChoice(uint32_t command) { m_choices.push_back(command); }

  bool Add(WindowId owner, uint32_t id, uint32_t callbackMessage, int iconResource,
           std::u16string_view tip) override;
  bool Remove(WindowId owner, uint32_t id) override;
  bool SetTip(WindowId owner, uint32_t id, std::u16string_view tip) override;
  void ShowMenu(WindowId owner, const std::vector<TrayMenuItem>& items) override;

 private:
  WindowSystem& m_windows;
  std::deque<uint32_t> m_choices;
};

class HeadlessSystem : public System {
 public:
  HeadlessSystem(WindowSystem& windows, const host::ResourceScript& resources)
      : m_windows(windows), m_resources(resources) {}

  // Pretends another process already holds this mutex.
  void HoldMutexElsewhere(std::u16string name) { m_mutexes.insert(std::move(name)); }
  // Delivers one key event to the hook's target, as the real hook would.
  bool InjectKey(uint8_t virtualKey, bool release, uint32_t timeMs);
  WindowId HookTarget() const { return m_hookTarget; }

  bool CreateNamedMutexAlreadyExists(std::u16string_view name) override;
  std::optional<std::string> LoadResource(std::u16string_view type, int id) override;
  bool StartKeyboardHook(WindowId target) override;
  void StopKeyboardHook() override { m_hookTarget = 0; }

 private:
  WindowSystem& m_windows;
  const host::ResourceScript& m_resources;
  std::set<std::u16string> m_mutexes;
  WindowId m_hookTarget = 0;
};

// A clipboard held in memory; a test can make it refuse to open.
class HeadlessClipboard : public Clipboard {
 public:
  // What the clipboard holds; nothing = no text on it.
  std::optional<std::u16string> text;
  // While set, the clipboard cannot be opened: reads give nothing and writes fail.
  bool locked = false;
  int writes = 0;

  std::optional<std::u16string> GetText(WindowId) override {
    if (locked) return std::nullopt;
    return text;
  }
  [[nodiscard]] bool SetText(WindowId, std::u16string_view value) override {
    if (locked) return false;
    text.emplace(value);
    ++writes;
    return true;
  }
};

// No HID interfaces at all, until a simulated device is plugged in its place.
class EmptyHidBus : public HidBus {
 public:
  std::optional<HidInterfaceInfo> At(int) override { return std::nullopt; }
  std::vector<std::optional<HidInterfaceInfo>> Enumerate(int) override { return {}; }
  std::unique_ptr<HidDevice> Open(int) override { return nullptr; }
  bool RegisterForNotifications(WindowId) override { return true; }
};

}  // namespace platform::headless
