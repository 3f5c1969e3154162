#include "adapters/headless/HeadlessServices.h"

#include "platform/KeyEventParam.h"

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
  if (!m_files.WriteAll(file, it->second)) return false;
  downloaded.emplace_back(url);
  return true;
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
