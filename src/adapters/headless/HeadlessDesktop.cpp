#include "adapters/headless/HeadlessDesktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/Text.h"
#include "platform/Keys.h"

namespace platform::headless {

namespace {
constexpr uint32_t kMinimumTimerMs = 10;  // USER_TIMER_MINIMUM
// More pieces than this are painted as their bounds, as the Windows adapter does.
constexpr size_t kMaxPaintRects = 8;

// The invalid pieces without empty ones, repeats or pieces inside others.
std::vector<Rect> MergePaintRects(const std::vector<Rect>& pending) {
  std::vector<Rect> rects;
  for (const Rect& rc : pending) {
    if (rc.IsEmpty()) continue;
    if (std::any_of(rects.begin(), rects.end(), [&](const Rect& r) { return r.Union(rc) == r; })) {
      continue;
    }
    std::erase_if(rects, [&](const Rect& r) { return rc.Union(r) == rc; });
    rects.push_back(rc);
  }
  if (rects.size() > kMaxPaintRects) {
    Rect bounds;
    for (const Rect& rc : rects) bounds = bounds.Union(rc);
    rects.assign(1, bounds);
  }
  return rects;
}
}  // namespace

HeadlessDesktop::HeadlessDesktop() = default;
HeadlessDesktop::~HeadlessDesktop() = default;

void HeadlessDesktop::Fail(const std::string& message) {
  if (m_onFailure) {
    m_onFailure(message);
    return;
  }
  std::fprintf(stderr, "headless desktop: %s\n", message.c_str());
  std::abort();
}

HeadlessDesktop::WindowInfo* HeadlessDesktop::Find(WindowId window) {
  const auto it = m_windows.find(window);
  return it == m_windows.end() ? nullptr : &it->second;
}

const HeadlessDesktop::WindowInfo* HeadlessDesktop::Info(WindowId window) const {
  const auto it = m_windows.find(window);
  return it == m_windows.end() ? nullptr : &it->second;
}

std::vector<WindowId> HeadlessDesktop::AllWindows() const {
  std::vector<WindowId> ids;
  for (const auto& [id, info] : m_windows) ids.push_back(id);
  return ids;
}

const RecordingCanvas* HeadlessDesktop::LastPaint(WindowId window) const {
  const WindowInfo* info = Info(window);
  return info && info->paints > 0 ? info->backBuffer.get() : nullptr;
}

const RecordingCanvas* HeadlessDesktop::LastLayered(WindowId window) const {
  const WindowInfo* info = Info(window);
  return info ? info->layered.get() : nullptr;
}

bool HeadlessDesktop::HasTimer(WindowId window, uintptr_t id) const {
  return std::any_of(m_timers.begin(), m_timers.end(),
                     [&](const Timer& t) { return t.window == window && t.id == id; });
}

void HeadlessDesktop::SetScreen(Size fullScreen, Rect workArea, float dpiScale) {
  m_fullScreen = fullScreen;
  m_workArea = workArea;
  m_dpiScale = dpiScale;
}

// --- dispatching ---

bool HeadlessDesktop::DispatchOne() {
  if (!m_queue.empty()) {
    const Posted p = m_queue.front();
    m_queue.pop_front();
    SendMessage(p.window, p.message, p.wParam, p.lParam);
    return true;
  }
  for (auto& [id, info] : m_windows) {
    if (info.dirty && info.visible && !info.minimized) {
      UpdateWindow(id);
      return true;
    }
  }
  return false;
}

void HeadlessDesktop::RunUntilIdle() {
  while (DispatchOne()) {
  }
}

bool HeadlessDesktop::FireNextTimer(uint64_t deadline) {
  const Timer* next = nullptr;
  for (const auto& t : m_timers) {
    if (t.due > deadline) continue;
    if (!next || t.due < next->due || (t.due == next->due && t.order < next->order)) next = &t;
  }
  if (m_hover.window && m_hover.due <= deadline && (!next || m_hover.due <= next->due)) {
    const WindowId window = std::exchange(m_hover.window, 0);
    m_now = std::max(m_now, m_hover.due);
    const Point at = ScreenToClient(window, m_cursor);
    SendMessage(window, msg::kMouseHover, 0, MakePointParam(at.x, at.y));
    return true;
  }
  if (!next) return false;
  const WindowId window = next->window;
  const uintptr_t id = next->id;
  m_now = std::max(m_now, next->due);
  for (auto& t : m_timers) {
    if (t.window == window && t.id == id) t.due = m_now + t.period;
  }
  SendMessage(window, msg::kTimer, id, 0);
  return true;
}

void HeadlessDesktop::PumpDelay(uint32_t ms) {
  const uint64_t deadline = m_now + ms;
  for (;;) {
    RunUntilIdle();
    if (!FireNextTimer(deadline)) break;
  }
  m_now = std::max(m_now, deadline);
}

// --- windows ---

WindowId HeadlessDesktop::CreateWindow(const WindowDesc& desc, WindowHandler* handler) {
  const WindowId id = m_nextId;
  m_nextId += 0x10;
  WindowInfo& info = m_windows[id];
  info.desc = desc;
  info.handler = handler;
  info.rect = desc.rect;
  info.visible = desc.visible;
  if (desc.visible) MarkDirty(info, nullptr);
  info.topMost = desc.kind == WindowKind::Popup || desc.kind == WindowKind::Overlay ||
                 desc.kind == WindowKind::Notice;
  SendMessage(id, msg::kCreate, 0, 0);
  return id;
}

void HeadlessDesktop::DestroyWindow(WindowId window) {
  WindowInfo* info = Find(window);
  if (!info) return;
  const WindowId owner = info->desc.owner;
  SendMessage(window, msg::kDestroy, 0, 0);
  const bool wasActive = m_active == window;
  m_windows.erase(window);
  std::erase_if(m_timers, [&](const Timer& t) { return t.window == window; });
  std::erase_if(m_queue, [&](const Posted& p) { return p.window == window; });
  if (m_capture == window) m_capture = 0;
  if (m_tracking == window) m_tracking = 0;
  if (m_hover.window == window) m_hover.window = 0;
  if (m_active == window) m_active = 0;
  m_endedEarly.erase(window);
  if (m_dragging == window) m_dragging = 0;
  for (Modal* modal : m_modals) {
    if (modal->window == window && !modal->ended) {
      modal->ended = true;
      modal->result = -1;
    }
  }
  // As on Windows, activation goes back to the owner of a destroyed active window.
  if (wasActive) {
    if (WindowInfo* next = Find(owner); next && next->visible) Activate(owner);
  }
}

bool HeadlessDesktop::IsWindow(WindowId window) {
  return Find(window) != nullptr;
}

WindowId HeadlessDesktop::FindWindowByClass(std::u16string_view className) {
  for (const auto& [id, info] : m_windows) {
    if (info.desc.className == className) return id;
  }
  return 0;
}

LResult HeadlessDesktop::SendMessage(WindowId window, uint32_t message, WParam wParam,
                                     LParam lParam) {
  WindowInfo* info = Find(window);
  if (!info || !info->handler) return 0;
  bool handled = true;
  const LResult result = info->handler->OnMessage(window, message, wParam, lParam, handled);
  if (!handled && message == msg::kClose) DestroyWindow(window);
  if (!handled && message == msg::kNcLButtonDown && static_cast<LResult>(wParam) == kHtCaption) {
    m_dragging = window;
  }
  return result;
}

bool HeadlessDesktop::PostMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
  if (!Find(window)) return false;
  m_queue.push_back({window, message, wParam, lParam});
  return true;
}

void HeadlessDesktop::SetTimer(WindowId window, uintptr_t id, uint32_t ms) {
  if (!Find(window)) return;
  const uint32_t period = std::max(ms, kMinimumTimerMs);
  for (auto& t : m_timers) {
    if (t.window == window && t.id == id) {
      t.period = period;
      t.due = m_now + period;
      return;
    }
  }
  m_timers.push_back({window, id, period, m_now + period, ++m_timerOrder});
}

void HeadlessDesktop::KillTimer(WindowId window, uintptr_t id) {
  std::erase_if(m_timers, [&](const Timer& t) { return t.window == window && t.id == id; });
}

intptr_t HeadlessDesktop::RunModal(WindowId window) {
  WindowInfo* info = Find(window);
  if (!info) return -1;
  Modal modal;
  modal.window = window;
  if (const auto early = m_endedEarly.find(window); early != m_endedEarly.end()) {
    modal.ended = true;
    modal.result = early->second;
    m_endedEarly.erase(early);
  }
  if (WindowInfo* owner = Find(info->desc.owner); owner && owner->enabled) {
    owner->enabled = false;
    modal.disabled.push_back(info->desc.owner);
  }
  const std::string title = base::ToUtf8(info->desc.title);
  m_modals.push_back(&modal);
  uint64_t idleSince = m_now;
  while (!modal.ended) {
    if (DispatchOne()) continue;
    if (!m_modalScripts.empty()) {
      ModalScript script = std::move(m_modalScripts.front());
      m_modalScripts.pop_front();
      script(window);
      idleSince = m_now;
      continue;
    }
    if (FireNextTimer(idleSince + m_modalIdleBudgetMs)) continue;
    Fail("modal loop of window '" + title +
         "' waits for the user, but nothing is scripted and no timer is pending");
    modal.ended = true;
    modal.result = -1;
  }
  m_modals.pop_back();
  for (WindowId id : modal.disabled) {
    if (WindowInfo* w = Find(id)) w->enabled = true;
  }
  return modal.result;
}

void HeadlessDesktop::EndModal(WindowId window, intptr_t result) {
  for (auto it = m_modals.rbegin(); it != m_modals.rend(); ++it) {
    if ((*it)->window == window) {
      (*it)->ended = true;
      (*it)->result = result;
      return;
    }
  }
  if (Find(window)) m_endedEarly[window] = result;  // ended while being set up
}

void HeadlessDesktop::MarkDirty(WindowInfo& info, const Rect* rc) {
  info.dirty = true;
  const Rect client{0, 0, info.rect.Width(), info.rect.Height()};
  info.pending.push_back(rc ? rc->Intersect(client) : client);
}

void HeadlessDesktop::Invalidate(WindowId window, const Rect* rc) {
  WindowInfo* info = Find(window);
  if (!info) return;
  MarkDirty(*info, rc);
  info->invalidated.push_back(rc ? *rc : ClientRect(window));
}

std::vector<Rect> HeadlessDesktop::TakeInvalidated(WindowId window) {
  WindowInfo* info = Find(window);
  if (!info) return {};
  return std::exchange(info->invalidated, {});
}

void HeadlessDesktop::UpdateWindow(WindowId window) {
  WindowInfo* info = Find(window);
  if (!info || !info->dirty || !info->visible) return;
  info->dirty = false;
  const int paints = info->paints;
  SendMessage(window, msg::kPaint, 0, 0);
  // A paint nobody drew validates the window all the same.
  if (WindowInfo* after = Find(window); after && after->paints == paints) after->pending.clear();
}

Canvas& HeadlessDesktop::BeginPaint(WindowId window) {
  static RecordingCanvas nowhere(0, 0);
  WindowInfo* info = Find(window);
  if (!info) return nowhere;
  const Rect client = ClientRect(window);
  if (!info->backBuffer || info->backBuffer->Width() != client.Width() ||
      info->backBuffer->Height() != client.Height()) {
    info->backBuffer = std::make_unique<RecordingCanvas>(client.Width(), client.Height());
  }
  info->backBuffer->ClearOps();
  info->paintRects = MergePaintRects(info->pending);
  info->pending.clear();
  Rect bounds;
  for (const Rect& rc : info->paintRects) bounds = bounds.Union(rc);
  // Outside the invalid part the buffer keeps the last paint.
  info->backBuffer->SetClip(bounds);
  return *info->backBuffer;
}

std::vector<Rect> HeadlessDesktop::PaintRects(WindowId window) {
  const WindowInfo* info = Find(window);
  return info ? info->paintRects : std::vector<Rect>{};
}

void HeadlessDesktop::EndPaint(WindowId window) {
  if (WindowInfo* info = Find(window)) {
    info->paints++;
    info->dirty = !info->pending.empty();  // invalidated again while painting
  }
}

void HeadlessDesktop::UpdateLayered(WindowId window, const Canvas& image, uint8_t alpha) {
  if (WindowInfo* info = Find(window)) {
    info->layeredUpdates++;
    info->alpha = alpha;
    if (const auto* recorded = dynamic_cast<const RecordingCanvas*>(&image)) {
      info->layered = std::make_unique<RecordingCanvas>(*recorded);
    }
  }
}

void HeadlessDesktop::SetLayeredAlpha(WindowId window, uint8_t alpha) {
  if (WindowInfo* info = Find(window)) info->alpha = alpha;
}

void HeadlessDesktop::ShowWindow(WindowId window, ShowCommand command) {
  WindowInfo* info = Find(window);
  if (!info) return;
  const bool wasVisible = info->visible;
  switch (command) {
    case ShowCommand::Hide:
      info->visible = false;
      break;
    case ShowCommand::Show:
    case ShowCommand::ShowNoActivate:
      info->visible = true;
      break;
    case ShowCommand::Minimize:
      info->visible = true;
      info->minimized = true;
      break;
    case ShowCommand::Restore:
      info->visible = true;
      info->minimized = false;
      break;
  }
  if ((command == ShowCommand::Show || command == ShowCommand::Restore) &&
      info->desc.kind != WindowKind::Notice) {
    Activate(window);
  }
  if (info->visible) MarkDirty(*info, nullptr);
  if (wasVisible != info->visible) SendMessage(window, msg::kShowWindow, info->visible ? 1 : 0, 0);
}

bool HeadlessDesktop::IsVisible(WindowId window) {
  const WindowInfo* info = Find(window);
  return info && info->visible;
}

bool HeadlessDesktop::IsMinimized(WindowId window) {
  const WindowInfo* info = Find(window);
  return info && info->minimized;
}

void HeadlessDesktop::MoveWindow(WindowId window, const Rect& rc) {
  WindowInfo* info = Find(window);
  if (!info) return;
  const bool resized = rc.Width() != info->rect.Width() || rc.Height() != info->rect.Height();
  info->rect = rc;
  MarkDirty(*info, nullptr);
  if (resized) SendMessage(window, msg::kSize, 0, MakePointParam(rc.Width(), rc.Height()));
}

Rect HeadlessDesktop::WindowRect(WindowId window) {
  const WindowInfo* info = Find(window);
  return info ? info->rect : Rect{};
}

Rect HeadlessDesktop::ClientRect(WindowId window) {
  const WindowInfo* info = Find(window);
  return info ? Rect{0, 0, info->rect.Width(), info->rect.Height()} : Rect{};
}

void HeadlessDesktop::SetTitle(WindowId window, std::u16string_view title) {
  if (WindowInfo* info = Find(window)) info->desc.title.assign(title);
}

void HeadlessDesktop::BringToForeground(WindowId window) {
  if (Find(window)) Activate(window);
}

void HeadlessDesktop::Activate(WindowId window) {
  if (window == m_active || !Find(window)) return;
  const WindowId previous = m_active;
  m_active = window;
  if (Find(previous)) {
    SendMessage(previous, msg::kNcActivate, 0, 0);
    SendMessage(previous, msg::kActivate, 0, static_cast<LParam>(window));
  }
  // The deactivated window's handlers may have moved activation on again.
  if (m_active != window || !Find(window)) return;
  SendMessage(window, msg::kNcActivate, 1, 0);
  SendMessage(window, msg::kActivate, 1, static_cast<LParam>(previous));
}

void HeadlessDesktop::TrackMouse(WindowId window, uint32_t hoverMs) {
  if (!Find(window)) return;
  m_tracking = window;
  m_hover = hoverMs ? Hover{window, hoverMs, m_now + hoverMs} : Hover{};
}

void HeadlessDesktop::SetTopMost(WindowId window, bool topMost) {
  if (WindowInfo* info = Find(window)) info->topMost = topMost;
}

Point HeadlessDesktop::ScreenToClient(WindowId window, Point p) {
  const Rect rc = WindowRect(window);
  return {p.x - rc.left, p.y - rc.top};
}

// --- input ---

bool HeadlessDesktop::Deliver(WindowId window, uint32_t message, WParam wParam, Point client) {
  WindowInfo* info = Find(window);
  if (!info || !info->enabled) return false;
  const Point screen{info->rect.left + client.x, info->rect.top + client.y};
  if (m_dragging) {
    // The system's caption drag: the window follows the pointer; the release ends it.
    if (WindowInfo* dragged = Find(m_dragging); dragged && message == msg::kMouseMove) {
      MoveWindow(m_dragging, dragged->rect.Offset(screen.x - m_cursor.x, screen.y - m_cursor.y));
    }
    if (message == msg::kLButtonUp || !Find(m_dragging)) m_dragging = 0;
    m_cursor = screen;
    return true;
  }
  m_cursor = screen;
  WindowId target = window;
  Point at = client;
  if (m_capture && m_capture != window && Find(m_capture)) {
    target = m_capture;
    at = ScreenToClient(target, screen);
  }
  if (m_hover.window && m_hover.window != target) m_hover.window = 0;
  if (m_tracking && m_tracking != target) {
    const WindowId left = m_tracking;
    m_tracking = 0;
    SendMessage(left, msg::kMouseLeave, 0, 0);
  }
  // A press on an inactive window activates it unless the window declines.
  if ((message == msg::kLButtonDown || message == msg::kRButtonDown) && target != m_active) {
    const LResult answer = SendMessage(target, msg::kMouseActivate, target, 0);
    const WindowInfo* pressed = Find(target);
    if (answer != kMaNoActivate && pressed && pressed->desc.kind != WindowKind::Notice) {
      Activate(target);
    }
    if (!Find(target)) return true;
  }
  // Any move restarts the wait for a hover.
  if (m_hover.window == target && message == msg::kMouseMove) m_hover.due = m_now + m_hover.ms;
  SendMessage(target, message, MouseKeyFlags(wParam), MakePointParam(at.x, at.y));
  return true;
}

WParam HeadlessDesktop::MouseKeyFlags(WParam buttons) const {
  WParam flags = buttons;
  if (m_modifiers & mod::kShift) flags |= kMkShift;
  if (m_modifiers & mod::kControl) flags |= kMkControl;
  return flags;
}

bool HeadlessDesktop::MoveMouse(WindowId window, Point client) {
  return Deliver(window, msg::kMouseMove, 0, client);
}

bool HeadlessDesktop::Click(WindowId window, Point client) {
  return MoveMouse(window, client) && Deliver(window, msg::kLButtonDown, kMkLButton, client) &&
         Deliver(window, msg::kLButtonUp, 0, client);
}

bool HeadlessDesktop::DoubleClick(WindowId window, Point client) {
  return Click(window, client) && Deliver(window, msg::kLButtonDblClk, kMkLButton, client) &&
         Deliver(window, msg::kLButtonUp, 0, client);
}

bool HeadlessDesktop::PressMouse(WindowId window, Point client) {
  return MoveMouse(window, client) && Deliver(window, msg::kLButtonDown, kMkLButton, client);
}

bool HeadlessDesktop::ReleaseMouse(WindowId window, Point client) {
  return MoveMouse(window, client) && Deliver(window, msg::kLButtonUp, 0, client);
}

bool HeadlessDesktop::RightClick(WindowId window, Point client) {
  return MoveMouse(window, client) && Deliver(window, msg::kRButtonDown, kMkRButton, client) &&
         Deliver(window, msg::kRButtonUp, 0, client);
}

namespace {

// The character TranslateMessage makes of a key with these modifiers; 0 for none.
char16_t TranslatedChar(uint32_t vk, uint32_t modifiers) {
  if (modifiers & mod::kAlt) return 0;
  const bool letter = vk >= 'A' && vk <= 'Z';
  if (modifiers & mod::kControl) return letter ? static_cast<char16_t>(vk - 'A' + 1) : 0;
  if (vk == kVkReturn || vk == kVkEscape || vk == kVkBack || vk == kVkTab || vk == ' ') {
    return static_cast<char16_t>(vk);
  }
  if (letter) return static_cast<char16_t>((modifiers & mod::kShift) ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9' && !(modifiers & mod::kShift)) return static_cast<char16_t>(vk);
  return 0;
}

}  // namespace

bool HeadlessDesktop::PressKey(WindowId window, uint32_t virtualKey, uint32_t modifiers) {
  WindowInfo* info = Find(window);
  if (!info || !info->enabled) return false;
  const uint32_t held = std::exchange(m_modifiers, modifiers);
  SendMessage(window, msg::kKeyDown, virtualKey, 1);
  if (const char16_t unit = TranslatedChar(virtualKey, modifiers); unit && Find(window)) {
    SendMessage(window, msg::kChar, unit, 1);
  }
  if (Find(window)) SendMessage(window, msg::kKeyUp, virtualKey, static_cast<LParam>(0xC0000001u));
  m_modifiers = held;
  return true;
}

bool HeadlessDesktop::TypeText(WindowId window, std::u16string_view text) {
  for (const char16_t unit : text) {
    WindowInfo* info = Find(window);
    if (!info || !info->enabled) return false;
    SendMessage(window, msg::kChar, unit, 1);
  }
  return true;
}

bool HeadlessDesktop::Wheel(WindowId window, Point client, int delta) {
  WindowInfo* info = Find(window);
  if (!info || !info->enabled) return false;
  m_cursor = {info->rect.left + client.x, info->rect.top + client.y};
  // Windows gives the wheel's position in screen coordinates.
  SendMessage(window, msg::kMouseWheel, MakeWheelParam(delta, MouseKeyFlags(0)),
              MakePointParam(m_cursor.x, m_cursor.y));
  return true;
}

LocalTime HeadlessDesktop::LocalNow() {
  // Days since 2025-01-01 to a civil date (proleptic Gregorian calendar).
  const uint64_t seconds = m_now / 1000;
  int64_t days = static_cast<int64_t>(seconds / 86400) + 20089;  // 1970-01-01 .. 2025-01-01
  const uint64_t secondOfDay = seconds % 86400;
  days += 719468;
  const int64_t era = days / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year,
          month,
          day,
          static_cast<int>(secondOfDay / 3600),
          static_cast<int>(secondOfDay / 60 % 60),
          static_cast<int>(secondOfDay % 60)};
}

}  // namespace platform::headless
