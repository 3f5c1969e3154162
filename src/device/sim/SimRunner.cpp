#include "device/sim/SimRunner.h"

#include "platform/Platform.h"

namespace {

constexpr uint32_t kFlushMs = 250;

}  // namespace

SimRunner::SimRunner(std::optional<SimScript> script, std::u16string logPath)
    : m_mouse(std::make_unique<SimMouse>()),
      m_script(std::move(script)),
      m_logPath(std::move(logPath)) {}

SimRunner::~SimRunner() {
  if (m_window != 0) platform::Windows().DestroyWindow(m_window);
  WriteLog();
}

void SimRunner::Start() {
  platform::WindowDesc desc;
  desc.className = u"VantrelSimulatedMouse";
  desc.title = u"Simulated mouse";
  desc.kind = platform::WindowKind::Dialog;
  desc.visible = false;
  m_window = platform::Windows().CreateWindow(desc, this);
  m_startMs = platform::Time().NowMs();
  if (!m_script) {
    m_mouse->Plug(ConnectionMode::Wired);
  } else {
    PlayDue();
  }
  if (!m_logPath.empty() && m_window != 0) {
    platform::Windows().SetTimer(m_window, kTimerFlush, kFlushMs);
  }
}

void SimRunner::PlayDue() {
  if (!m_script) return;
  m_script->RunDue(*m_mouse, platform::Time().NowMs() - m_startMs);
  std::optional<uint64_t> next = m_script->NextDue();
  if (!next || m_window == 0) return;
  const uint64_t elapsed = platform::Time().NowMs() - m_startMs;
  const uint64_t wait = *next > elapsed ? *next - elapsed : 1;
  platform::Windows().SetTimer(m_window, kTimerPlay,
                               static_cast<uint32_t>(wait < 0x7FFFFFFF ? wait : 0x7FFFFFFF));
}

bool SimRunner::WriteLog() {
  if (m_logPath.empty()) return true;
  if (m_written && m_mouse->Log().size() == m_logged) return true;
  platform::FileSystem& files = platform::Files();
  const std::u16string temporary = m_logPath + u".tmp";
  if (!files.WriteAll(temporary, m_mouse->FormatLog()) || !files.Replace(temporary, m_logPath)) {
    return false;
  }
  m_logged = m_mouse->Log().size();
  m_written = true;
  return true;
}

platform::LResult SimRunner::OnMessage(platform::WindowId window, uint32_t message,
                                       platform::WParam wParam, platform::LParam, bool& handled) {
  if (message != platform::msg::kTimer) {
    handled = false;
    return 0;
  }
  if (wParam == kTimerPlay) {
    platform::Windows().KillTimer(window, kTimerPlay);
    PlayDue();
  } else if (wParam == kTimerFlush) {
    // A failed write is tried again on the next tick.
    (void)WriteLog();
  }
  return 0;
}
