#include "app/UiDump.h"

#include <typeinfo>
#include <vector>

#include "base/Text.h"
#include "platform/Platform.h"
#include "ui/SkinnedWindow.h"

namespace {

constexpr const char16_t* kDialogTitle = u"Gaming Mouse";

std::string Utf8OneLine(std::u16string_view text) {
  std::u16string line(text);
  for (char16_t& c : line) {
    if (c == u'\n' || c == u'\r') c = u' ';
  }
  return base::ToUtf8(line);
}

void AppendRect(std::string& out, const platform::Rect& rc) {
  out += " x=" + std::to_string(rc.left) + " y=" + std::to_string(rc.top) +
         " w=" + std::to_string(rc.Width()) + " h=" + std::to_string(rc.Height());
}

}  // namespace

UiDump::UiDump(std::u16string path, platform::WindowId timerWindow, uintptr_t timerId)
    : m_path(std::move(path)), m_timerWindow(timerWindow), m_timerId(timerId) {
  ui::SkinnedWindow::SetPaintObserver([this] { OnPainted(); });
}

UiDump::~UiDump() {
  ui::SkinnedWindow::SetPaintObserver({});
}

std::string UiDump::Format() {
  auto& windows = platform::Windows();
  std::string out;
  std::vector<ui::DumpItem> items;
  for (const ui::SkinnedWindow* window : ui::SkinnedWindow::LiveWindows()) {
    const platform::WindowId id = window->DumpWindowId();
    if (id == 0 || !windows.IsWindow(id)) continue;
    const bool isPopup = window->IsPopup();
    const std::string title = isPopup ? std::string() : Utf8OneLine(kDialogTitle);
    const std::string className = ui::ClassNameOf(typeid(*window));
    const platform::Point origin = windows.ScreenToClient(id, {0, 0});
    const bool visible = windows.IsVisible(id);
    out += "window=" + title + " class=" + className;
    AppendRect(out, windows.WindowRect(id));
    out += std::string(" visible=") + (visible ? "1" : "0") + "\n";

    items.clear();
    window->DumpItems(items);
    for (const ui::DumpItem& item : items) {
      platform::Rect rc = item.rect;
      rc.left -= origin.x;
      rc.right -= origin.x;
      rc.top -= origin.y;
      rc.bottom -= origin.y;
      out += "window=" + title + " id=" + std::to_string(item.id) + " class=" + item.className;
      AppendRect(out, rc);
      out += std::string(" visible=") + (visible && item.visible ? "1" : "0") +
             " enabled=" + (item.enabled ? "1" : "0") + " checked=" + (item.checked ? "1" : "0") +
             " focused=" + (item.focused ? "1" : "0") + " text=" + Utf8OneLine(item.text) + "\n";
    }
  }
  return out;
}

void UiDump::OnPainted() {
  if (m_path.empty()) return;
  m_dirty = true;
  const uint64_t now = platform::Time().NowMs();
  if (!m_written || now - m_lastWriteMs >= kMinIntervalMs) {
    Write();
    return;
  }
  if (!m_timerArmed && m_timerWindow != 0) {
    m_timerArmed = true;
    platform::Windows().SetTimer(m_timerWindow, m_timerId,
                                 static_cast<uint32_t>(kMinIntervalMs - (now - m_lastWriteMs)));
  }
}

void UiDump::OnTimer() {
  if (m_timerWindow != 0) platform::Windows().KillTimer(m_timerWindow, m_timerId);
  m_timerArmed = false;
  if (m_dirty) Write();
}

void UiDump::Flush() {
  if (m_dirty) Write();
}

bool UiDump::Write() {
  if (m_path.empty()) return true;
  m_dirty = false;
  m_written = true;
  m_lastWriteMs = platform::Time().NowMs();
  platform::FileSystem& files = platform::Files();
  const std::u16string temporary = m_path + u".tmp";
  if (!files.WriteAll(temporary, Format()) || !files.Replace(temporary, m_path)) return false;
  ++m_writes;
  return true;
}
