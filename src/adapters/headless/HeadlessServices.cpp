#include "adapters/headless/HeadlessServices.h"

#include "platform/KeyEventParam.h"
#include "platform/Platform.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "base/Text.h"

namespace platform::headless {

bool HeadlessShell::Open(std::u16string_view target) {
  opened.emplace_back(target);
  return m_openResult;
}

bool HeadlessShell::Execute(std::u16string_view commandLine) {
  executed.emplace_back(commandLine);
  return m_openResult;
}

bool HeadlessShell::Download(std::u16string_view url, std::u16string_view file) {
  const auto it = m_served.find(std::u16string(url));
  if (it == m_served.end()) return false;
  if (!m_files.WriteAll(file, it->second.content)) return false;
  downloaded.emplace_back(url);
  return true;
}

class HeadlessShell::HeadlessDownload : public DownloadJob {
 public:
  HeadlessDownload(HeadlessShell& shell, uintptr_t id) : m_shell(shell), m_id(id) {}
  ~HeadlessDownload() override { Cancel(); }
  void Cancel() override { m_shell.CancelJob(m_id); }

 private:
  HeadlessShell& m_shell;
  uintptr_t m_id;
};

HeadlessShell::~HeadlessShell() {
  if (m_timerWindow) m_windows.DestroyWindow(m_timerWindow);
}

std::unique_ptr<DownloadJob> HeadlessShell::StartDownload(std::u16string_view url,
                                                          std::u16string_view file,
                                                          DownloadObserver& observer) {
  if (!m_jobs.empty()) return nullptr;
  if (!m_timerWindow) {
    WindowDesc desc;
    desc.className = u"HeadlessDownloads";
    desc.visible = false;
    m_timerWindow = m_windows.CreateWindow(desc, this);
    if (!m_timerWindow) return nullptr;
  }
  const uintptr_t id = m_nextJob++;
  m_jobs[id] = {std::u16string(url), std::u16string(file), &observer, Time().NowMs()};
  const auto served = m_served.find(std::u16string(url));
  const uint32_t duration = served != m_served.end() ? served->second.durationMs : 0;
  m_windows.SetTimer(m_timerWindow, id, std::min(kProgressTickMs, std::max<uint32_t>(duration, 1)));
  return std::make_unique<HeadlessDownload>(*this, id);
}

void HeadlessShell::CancelJob(uintptr_t id) {
  if (m_jobs.erase(id) == 0) return;
  if (m_timerWindow) m_windows.KillTimer(m_timerWindow, id);
}

LResult HeadlessShell::OnMessage(WindowId, uint32_t message, WParam wParam, LParam, bool& handled) {
  handled = true;
  if (message == msg::kTimer) Tick(wParam);
  return 0;
}

void HeadlessShell::Tick(uintptr_t id) {
  const auto it = m_jobs.find(id);
  if (it == m_jobs.end()) return;
  const Job job = it->second;
  const auto served = m_served.find(job.url);
  const uint64_t elapsed = Time().NowMs() - job.startMs;
  const uint32_t duration = served != m_served.end() ? served->second.durationMs : 0;
  if (elapsed < duration) {
    const uint64_t size = served->second.content.size();
    job.observer->OnDownloadProgress(size * elapsed / duration, size);
    return;
  }
  m_windows.KillTimer(m_timerWindow, id);
  m_jobs.erase(it);
  bool ok = served != m_served.end() && m_files.WriteAll(job.file, served->second.content);
  if (ok) downloaded.push_back(job.url);
  job.observer->OnDownloadFinished(ok);
}

std::optional<std::u16string> HeadlessShell::NextAnswer(const FileDialogDesc& desc) {
  dialogs.push_back(desc);
  if (m_answers.empty()) return std::nullopt;
  auto answer = std::move(m_answers.front());
  m_answers.pop_front();
  return answer;
}

std::optional<std::u16string> HeadlessShell::OpenFileDialog(const FileDialogDesc& desc) {
  auto answer = NextAnswer(desc);
  if (answer && desc.mustExist && !m_files.FileExists(*answer)) return std::nullopt;
  return answer;
}

std::optional<std::u16string> HeadlessShell::SaveFileDialog(const FileDialogDesc& desc) {
  return NextAnswer(desc);
}

bool HeadlessTray::Add(WindowId owner, uint32_t id, uint32_t callbackMessage, int iconResource,
                       std::u16string_view tip) {
  icons.push_back({owner, id, callbackMessage, iconResource, std::u16string(tip)});
  return true;
}

bool HeadlessTray::Remove(WindowId owner, uint32_t id) {
  return std::erase_if(icons, [&](const Icon& i) { return i.owner == owner && i.id == id; }) > 0;
}

bool HeadlessTray::SetTip(WindowId owner, uint32_t id, std::u16string_view tip) {
  for (Icon& icon : icons) {
    if (icon.owner != owner || icon.id != id) continue;
    icon.tip = std::u16string(tip.substr(0, kTipLength));
    ++tipChanges;
    return true;
  }
  return false;
}

void HeadlessTray::ShowMenu(WindowId owner, const std::vector<TrayMenuItem>& items) {
  menusShown.push_back(items);
  if (m_choices.empty()) return;
  const uint32_t choice = m_choices.front();
  m_choices.pop_front();
  if (choice != 0) m_windows.PostMessage(owner, 0x0111 /* WM_COMMAND */, choice, 0);
}

bool HeadlessSystem::CreateNamedMutexAlreadyExists(std::u16string_view name) {
  return !m_mutexes.insert(std::u16string(name)).second;
}

std::optional<std::string> HeadlessSystem::LoadResource(std::u16string_view type, int id) {
  const auto path = m_resources.Find(base::ToUtf8(type), id);
  if (!path) return std::nullopt;
  std::ifstream in(*path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool HeadlessSystem::StartKeyboardHook(WindowId target) {
  m_hookTarget = target;
  return true;
}

bool HeadlessSystem::InjectKey(uint8_t virtualKey, bool release, uint32_t timeMs) {
  if (!m_hookTarget) return false;
  m_windows.SendMessage(m_hookTarget, kKeyEventMessage, virtualKey,
                        MakeKeyEventParam(timeMs, release));
  return true;
}

}  // namespace platform::headless
