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

const HeadlessShell::Served* HeadlessShell::Resolve(std::u16string_view url) const {
  std::u16string at(url);
  for (int hops = 0; hops < 8; ++hops) {
    const auto redirect = m_redirects.find(at);
    if (redirect == m_redirects.end()) break;
    if (!base::StartsWith(redirect->second, u"https://")) return nullptr;
    at = redirect->second;
  }
  const auto it = m_served.find(at);
  return it == m_served.end() ? nullptr : &it->second;
}

bool HeadlessShell::Download(std::u16string_view url, std::u16string_view file, uint64_t maxBytes) {
  const Served* served = Resolve(url);
  if (served == nullptr) return false;
  if (maxBytes != 0 && served->content.size() > maxBytes) return false;
  if (!m_files.WriteAll(file, served->content)) return false;
  downloaded.emplace_back(url);
  return true;
}

class HeadlessShell::HeadlessHeldFile : public HeldFile {
 public:
  HeadlessHeldFile(HeadlessShell& shell, std::string content)
      : m_shell(shell), m_content(std::move(content)) {}
  std::optional<size_t> Read(std::span<uint8_t> buffer) override {
    const size_t n = std::min(buffer.size(), m_content.size() - m_position);
    std::copy_n(m_content.data() + m_position, n, buffer.data());
    m_position += n;
    return n;
  }
  bool Start() override {
    m_shell.startedContents.push_back(m_content);
    return m_shell.m_openResult;
  }

 private:
  HeadlessShell& m_shell;
  std::string m_content;
  size_t m_position = 0;
};

std::unique_ptr<HeldFile> HeadlessShell::HoldCopy(std::u16string_view source,
                                                  std::u16string_view folder) {
  auto content = m_files.ReadAll(source);
  if (!content) return nullptr;
  const std::u16string copy = std::u16string(folder) + u"\\installer-" +
                              base::FromUtf8(std::to_string(heldCopies.size() + 1)) + u".exe";
  if (!m_files.WriteAll(copy, *content)) return nullptr;
  heldCopies.push_back(copy);
  return std::make_unique<HeadlessHeldFile>(*this, std::move(*content));
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
  const Served* served = Resolve(url);
  const uint32_t duration = served != nullptr ? served->durationMs : 0;
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
  const Served* served = Resolve(job.url);
  const uint64_t elapsed = Time().NowMs() - job.startMs;
  const uint32_t duration = served != nullptr ? served->durationMs : 0;
  if (elapsed < duration) {
    const uint64_t size = served->content.size();
    job.observer->OnDownloadProgress(size * elapsed / duration, size);
    return;
  }
  m_windows.KillTimer(m_timerWindow, id);
  m_jobs.erase(it);
  bool ok = served != nullptr && m_files.WriteAll(job.file, served->content);
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
