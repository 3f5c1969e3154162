#include "ui/DlgBase.h"

#include <algorithm>
#include <utility>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "ui/FadedCanvas.h"
#include "ui/KeyboardOperation.h"
#include "ui/SkinImage.h"
#include "ui/WndPopup.h"

namespace {

constexpr const char16_t* kWindowText = u"Gaming Mouse";
// Loops of DoModal now running; the companion holds its profile switches while any runs.
int g_modalCount = 0;
constexpr platform::Rect kNoRect{-1, -1, -1, -1};
constexpr int kFrameSourceWidth = 1127;
constexpr int kFrameSourceHeight = 740;
constexpr uint32_t kHoverMs = 1;

// 10 points at the window's pixels per inch (96 times its scale). A point size is a character
// height, so the height is negative, unlike the controls' cell height.
int CaptionHeight(float scale) {
  return -static_cast<int>(10.0f * 96.0f * scale / 72.0f + 0.5f);
}

int ScaledBy(int value, float scale) {
  return static_cast<int>(static_cast<float>(value) * scale);
}

}  // namespace

CDlgBase::CDlgBase(uint32_t nIDTemplate, platform::WindowId parent)
    : m_hParent(parent), m_nIDTemplate(nIDTemplate), m_fScale(g_fUiScale) {}

CDlgBase::~CDlgBase() {
  UnregisterOpenDialog();
  auto& windows = platform::Windows();
  for (auto& popup : m_pPopup) popup.reset();
  m_closedPopups.clear();
  if (m_hWnd && windows.IsWindow(m_hWnd)) {
    const platform::WindowId hWnd = m_hWnd;
    m_hWnd = 0;
    windows.DestroyWindow(hWnd);
  }
}

// --- life cycle ---

bool CDlgBase::Create() {
  platform::WindowDesc desc;
  desc.className = m_strClassName;
  desc.title = kWindowText;
  desc.kind = m_nIDTemplate == kMainTemplate ? platform::WindowKind::Main : m_windowKind;
  desc.owner = m_hParent;
  desc.visible = false;
  desc.iconResource = m_hIcon;
  desc.rect = {0, 0, ui::Scaled(m_nWidth), ui::Scaled(m_nHeight)};
  const platform::WindowId created = platform::Windows().CreateWindow(desc, this);
  if (!created) return false;
  m_hWnd = created;
  OnInitDialog();
  return true;
}

int CDlgBase::ModalCount() {
  return g_modalCount;
}

intptr_t CDlgBase::DoModal() {
  if (!Create()) return -1;
  m_bModal = true;
  // The main window runs modally for the whole program; it does not count.
  const int counted = m_nIDTemplate == kMainTemplate ? 0 : 1;
  g_modalCount += counted;
  const intptr_t result = platform::Windows().RunModal(m_hWnd);
  g_modalCount -= counted;
  m_bModal = false;
  if (m_hWnd && platform::Windows().IsWindow(m_hWnd)) platform::Windows().DestroyWindow(m_hWnd);
  return result;
}

void CDlgBase::EndDialog(intptr_t result) {
  if (!m_hWnd) return;
  if (m_bModal) {
    platform::Windows().EndModal(m_hWnd, result);
  } else {
    platform::Windows().DestroyWindow(m_hWnd);
  }
}

void CDlgBase::OnInitDialog() {
  auto& windows = platform::Windows();
  windows.SetTitle(m_hWnd, kWindowText);
  m_fScale = g_fUiScale;
  m_fontCaption = ui::CreateUiFont(CaptionHeight(m_fScale), g_strFontFace, 600);

  const int width = ui::Scaled(m_nWidth);
  const int height = ui::Scaled(m_nHeight);
  // Centred over the owner, or over the work area without one. A hidden or minimised owner
  // has no useful place (a minimised one sits off to a corner), so the work area counts.
  platform::Rect over = windows.WorkArea();
  if (m_hParent && windows.IsWindow(m_hParent) && windows.IsVisible(m_hParent) &&
      !windows.IsMinimized(m_hParent)) {
    over = windows.WindowRect(m_hParent);
  }
  const int x = over.left + (over.Width() - width) / 2;
  const int y = over.top + (over.Height() - height) / 2;
  windows.MoveWindow(m_hWnd, {x, y, x + width, y + height});
  windows.ShowWindow(m_hWnd, platform::ShowCommand::Show);

  if (!m_bInitUI) {
    InitUI(windows.ClientRect(m_hWnd));
    m_bInitUI = true;
  }
  if (m_nIDTemplate != kMainTemplate) RegisterOpenDialog();
  windows.Invalidate(m_hWnd, nullptr);
}

void CDlgBase::RegisterOpenDialog() {
  for (auto& slot : g_hOpenDialogs) {
    if (slot == 0) {
      slot = m_hWnd;
      m_bRegistered = true;
      return;
    }
  }
  // All ten in use: this dialog stays out of the list.
}

void CDlgBase::UnregisterOpenDialog() {
  if (!m_bRegistered) return;
  m_bRegistered = false;
  auto it = std::find(g_hOpenDialogs.begin(), g_hOpenDialogs.end(), m_hWnd);
  if (it == g_hOpenDialogs.end()) return;
  std::move(it + 1, g_hOpenDialogs.end(), it);
  g_hOpenDialogs.back() = 0;
}

// --- controls ---

void CDlgBase::AppendControl(int layer, std::unique_ptr<CControlBase> control) {
  if (!control) return;
  if (layer < 0 || layer >= kLayers) layer = 0;
  m_vecLayer[static_cast<size_t>(layer)].push_back(std::move(control));
}

const std::vector<std::unique_ptr<CControlBase>>& CDlgBase::Layer(int layer) const {
  if (layer < 0 || layer >= kLayers) layer = 0;
  return m_vecLayer[static_cast<size_t>(layer)];
}

CControlBase* CDlgBase::GetControl(uint32_t id) const {
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (control->m_uID == id) return control.get();
    }
  }
  return nullptr;
}

void CDlgBase::ResetControls() {
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) control->ReleaseImages();
  }
}

CControlBase* CDlgBase::HitTest(platform::Point pt) const {
  CControlBase* hit = nullptr;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (control->IsDrawable() && control->m_bResponse && control->m_rc.Contains(pt)) {
        hit = control.get();
      }
    }
  }
  return hit;
}

// --- frame ---

bool CDlgBase::SetFrameBitmap(int resourceId) {
  if (!PrepareFrame(ui::LoadBitmapResource(resourceId, m_fScale))) return false;
  m_nFrameResource = resourceId;
  m_strFrameFile.clear();
  return true;
}

bool CDlgBase::SetFrameBitmapFile(std::u16string_view path) {
  std::unique_ptr<platform::Image> bitmap;
  platform::Size size;
  if (!ui::LoadBitmapFile(path, m_fScale, bitmap, size)) return false;
  if (!PrepareFrame(std::move(bitmap))) return false;
  m_strFrameFile.assign(path);
  m_nFrameResource = 0;
  return true;
}

void CDlgBase::RescaleControls(float from, float to) {
  if (from <= 0.0f || to <= 0.0f) return;
  m_fScale = to;
  for (int slot = 0; slot < kPopupSlots; ++slot) ClosePopup(slot);
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) control->OnScaleChanged(from, to);
  }
  if (m_fontCaption) {
    platform::FontDesc desc = m_fontCaption->Desc();
    desc.height = CaptionHeight(to);
    m_fontCaption = platform::Gfx().CreateFont(desc);
  }
  // The frame is drawn at the scale once, when prepared.
  if (m_nFrameResource != 0) {
    (void)SetFrameBitmap(m_nFrameResource);
  } else if (!m_strFrameFile.empty()) {
    const std::u16string file = m_strFrameFile;
    (void)SetFrameBitmapFile(file);
  }
  m_rcDown = kNoRect;
  InvalidateRect(nullptr);
}

bool CDlgBase::PrepareFrame(std::unique_ptr<platform::Image> bitmap) {
  if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) return false;
  const platform::Size frame = ui::LayoutSize(*bitmap);
  // The frame's artwork is drawn for the unscaled window: one smaller than that has a border;
  // scaling alone never makes one.
  int border = 0;
  if (frame.cx < m_nWidth || frame.cy < m_nHeight)
    border = std::min(std::min(frame.cx, 100), frame.cy);
  const int destWidth = ScaledBy(frame.cx - border, m_fScale);
  const int destHeight = ScaledBy(frame.cy - border, m_fScale);
  auto canvas = platform::Gfx().CreateCanvas(std::max(destWidth, 1), std::max(destHeight, 1));
  if (!canvas) return false;
  const platform::Rect source = ui::ImagePixels(
      *bitmap,
      {0, 0, std::min(frame.cx, kFrameSourceWidth), std::min(frame.cy, kFrameSourceHeight)});
  canvas->DrawImage(*bitmap, {0, 0, destWidth, destHeight}, source);
  m_sizeFrame = frame;
  m_nFrameBorder = border;
  m_clrBackground = ui::AverageColour(*bitmap);
  m_memFrameDC = std::move(canvas);
  return true;
}

void CDlgBase::DrawBackgroundAndFrame(platform::Canvas& canvas, const platform::Rect& client) {
  canvas.FillRect(client, m_clrBackground);
  if (!m_memFrameDC) return;
  const platform::Rect copy{client.left, client.top,
                            client.left + std::min(m_memFrameDC->Width(), client.Width()),
                            client.top + std::min(m_memFrameDC->Height(), client.Height())};
  canvas.CopyFrom(*m_memFrameDC, copy, {0, 0});
}

void CDlgBase::OnDpiChanged(int dpi, const platform::Rect* suggested) {
  const float to = ui::ScaleForDpi(dpi);
  if (to != m_fScale) RescaleControls(m_fScale, to);
  TakeScaledPlace(suggested);
}

void CDlgBase::TakeScaledPlace(const platform::Rect* suggested) {
  if (!m_hWnd) return;
  auto& windows = platform::Windows();
  if (suggested && !suggested->IsEmpty()) {
    windows.MoveWindow(m_hWnd, *suggested);
  } else {
    const platform::Rect now = windows.WindowRect(m_hWnd);
    windows.MoveWindow(m_hWnd, {now.left, now.top, now.left + ScaledBy(m_nWidth, m_fScale),
                                now.top + ScaledBy(m_nHeight, m_fScale)});
  }
  InvalidateRect(nullptr);
}

// --- painting ---

void CDlgBase::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
}

bool CDlgBase::OnOkOrCloseClicked(uint32_t message, platform::LParam lParam, uint32_t ok,
                                  uint32_t close) {
  if (lParam != Notify::kClicked || (message != ok && message != close)) return false;
  if (message == ok) {
    OnOK();
  } else {
    ResetControls();
    EndDialog(kIdCancel);
  }
  return true;
}

void CDlgBase::DrawControls(platform::Canvas& canvas, const platform::Rect& update) {
  // While painting, the canvas is clipped to the part being repainted: nothing else shows.
  const platform::Rect area = update.Intersect(canvas.ClipRect());
  if (area.IsEmpty()) return;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (!control->IsDrawable()) continue;
      if (control->m_rc.Intersect(area).IsEmpty()) continue;
      if (control->LooksDisabled()) {
        ui::FadedCanvas faded(canvas, m_clrBackground);
        control->Draw(faded, area);
      } else {
        control->Draw(canvas, area);
      }
    }
  }
  if (m_bFocusMark && m_pFocusControl && m_pFocusControl->IsDrawable() &&
      !ui::FocusMarkRect(*m_pFocusControl).Intersect(area).IsEmpty()) {
    ui::DrawFocusMark(canvas, *m_pFocusControl);
  }
}

void CDlgBase::OnPaint() {
  auto& windows = platform::Windows();
  platform::Canvas& canvas = windows.BeginPaint(m_hWnd);
  const platform::Rect client{0, 0, canvas.Width(), canvas.Height()};
  if (windows.IsMinimized(m_hWnd)) {
    // Minimised, the window shows the program's icon on its background, nothing else.
    canvas.SetClip({});
    canvas.FillRect(client, m_clrBackground);
    canvas.DrawIconCentred(m_hIcon, client);
    windows.EndPaint(m_hWnd);
    return;
  }
  // Each invalid piece is drawn on its own, clipped, so that a hover move redraws the two
  // controls concerned and not the whole window.
  for (const platform::Rect& piece : windows.PaintRects(m_hWnd)) {
    const platform::Rect area = piece.Intersect(client);
    if (area.IsEmpty()) continue;
    canvas.SetClip(area);
    DrawWindow(canvas, client);
  }
  canvas.SetClip({});
  windows.EndPaint(m_hWnd);
  NotifyAccessibleChanges();
  NotifyPainted();
}

void CDlgBase::InvalidateRect(const platform::Rect* rc) {
  if (m_hWnd) platform::Windows().Invalidate(m_hWnd, rc);
}

ui::Look CDlgBase::RecordLook() {
  if (!m_hWnd) return {};
  if (!m_pMeasure) m_pMeasure = platform::Gfx().CreateCanvas(1, 1);
  if (!m_pMeasure) return {};
  const platform::Rect client = platform::Windows().ClientRect(m_hWnd);
  ui::LookCanvas canvas(client.Width(), client.Height(), *m_pMeasure);
  DrawWindow(canvas, {0, 0, client.Width(), client.Height()});
  return canvas.Take();
}

void CDlgBase::InvalidateLookChanges() {
  ui::Look look = RecordLook();
  if (look.empty() || !m_lookKept) {
    InvalidateRect(nullptr);
  } else {
    for (const platform::Rect& area : ui::ChangedAreas(*m_lookKept, look)) InvalidateRect(&area);
  }
  if (look.empty()) {
    m_lookKept.reset();
  } else {
    m_lookKept = std::move(look);
  }
}

// --- popups ---

CWndPopup* CDlgBase::Popup(int slot) const {
  if (slot < 0 || slot >= kPopupSlots) return nullptr;
  return m_pPopup[static_cast<size_t>(slot)].get();
}

void CDlgBase::ReapPopups() {
  std::erase_if(m_closedPopups, [](const auto& popup) { return !popup->IsAlive(); });
}

void CDlgBase::ClosePopup(int slot) {
  if (slot < 0 || slot >= kPopupSlots) return;
  auto& held = m_pPopup[static_cast<size_t>(slot)];
  if (!held) return;
  if (m_pDownControl && m_pDownControl != m_pHoverControl) {
    m_pDownControl->CancelPress(0);
    m_pDownControl = nullptr;
  }
  if (held->IsAlive())
    platform::Windows().PostMessage(held->GetSafeHwnd(), platform::msg::kClose, 0, 0);
  // The window may still be handling messages: keep the object until the window is gone.
  m_closedPopups.push_back(std::move(held));
  ReapPopups();
}

void CDlgBase::OpenPopup(int slot, std::unique_ptr<CWndPopup> popup, const platform::Rect& rc,
                         uint32_t message, platform::WParam wParam) {
  if (slot < 0 || slot >= kPopupSlots || !popup) return;
  ClosePopup(slot);
  const platform::Rect window = platform::Windows().WindowRect(m_hWnd);
  const platform::Rect screen = rc.Offset(window.left, window.top);
  auto& held = m_pPopup[static_cast<size_t>(slot)];
  held = std::move(popup);
  // A popup whose window could not be created stays in the slot until the next ClosePopup.
  (void)held->Create(m_hWnd, screen, message, wParam);
}

// --- mouse routing ---

void CDlgBase::DropControlsWithoutInput() {
  if (m_bMouseDown && m_pDownControl && !m_pDownControl->TakesInput()) {
    // Disabled or hidden mid-press: the press ends away from it, so a drag stops there.
    if (m_bCaptured) platform::Windows().ReleaseCapture();
    m_bCaptured = false;
    m_bMouseDown = false;
    m_rcDown = kNoRect;
    CControlBase* down = std::exchange(m_pDownControl, nullptr);
    if (down->OnLButtonUp(0, -1, -1)) InvalidateRect(&down->m_rc);
  }
  if (m_pHoverControl && !m_pHoverControl->TakesInput()) {
    CControlBase* hover = std::exchange(m_pHoverControl, nullptr);
    m_ptMouse = {-1, -1};
    if (hover->OnMouseMove(0, -1, -1)) InvalidateRect(&hover->m_rc);
  }
}

void CDlgBase::OnMouseMove(platform::WParam flags, platform::Point pt) {
  auto& windows = platform::Windows();
  if (!m_bTracking) {
    windows.TrackMouse(m_hWnd, kHoverMs);
    m_bTracking = true;
  }
  const auto uflags = static_cast<uint32_t>(flags);
  // The hover control keeps the pointer while it is inside, unless a control of a later layer
  // covers that spot: the covering one is drawn on top and must get the pointer.
  if (m_pHoverControl && m_pHoverControl->m_rc.Contains(pt) && m_bTracking &&
      (m_bMouseDown || HitTest(pt) == m_pHoverControl)) {
    m_ptMouse = pt;
    if (m_pHoverControl->OnMouseMove(uflags, pt.x, pt.y)) InvalidateRect(&m_pHoverControl->m_rc);
    return;
  }
  if (m_bMouseDown) {
    // A drag follows the pointer beyond the control (the window holds the capture).
    if (m_pDownControl && m_pDownControl->IsDragging()) {
      CControlBase* down = m_pDownControl;
      const platform::Rect rc = down->m_rc;
      if (down->OnMouseMove(uflags, pt.x, pt.y)) InvalidateRect(&rc);
    }
    return;
  }

  // Every control gets the move so that each can leave its hover state.
  CControlBase* previous = m_pHoverControl;
  CControlBase* hover = nullptr;
  std::vector<CControlBase*> changed;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (!control->IsDrawable() || !control->m_bResponse) continue;
      if (control->TakesInput() && control->OnMouseMove(uflags, pt.x, pt.y)) {
        changed.push_back(control.get());
      }
      if (control->m_rc.Contains(pt)) hover = control.get();
    }
  }
  // A disabled control on top hides what lies under it but takes no input itself.
  if (hover && !hover->TakesInput()) hover = nullptr;
  if (previous) changed.push_back(previous);
  if (hover) changed.push_back(hover);
  // Each changed rectangle once, in the order found.
  for (size_t i = 0; i < changed.size(); ++i) {
    if (std::find(changed.begin(), changed.begin() + static_cast<std::ptrdiff_t>(i), changed[i]) ==
        changed.begin() + static_cast<std::ptrdiff_t>(i)) {
      InvalidateRect(&changed[i]->m_rc);
    }
  }
  m_pHoverControl = hover;
  m_ptMouse = hover ? pt : platform::Point{-1, -1};
}

void CDlgBase::OnMouseLeave() {
  m_bTracking = false;
  if (m_bMouseDown || !m_pHoverControl) return;
  // Skinned windows are never maximised, so a leave always means the pointer is outside.
  CControlBase* hover = m_pHoverControl;
  hover->OnMouseMove(0, -1, -1);
  InvalidateRect(&hover->m_rc);
  m_pHoverControl = nullptr;
  m_ptMouse = {-1, -1};
}

void CDlgBase::OnMouseHover() {
  if (!m_pHoverControl) return;
  auto& windows = platform::Windows();
  const platform::Point at = windows.ScreenToClient(m_hWnd, windows.CursorPos());
  if (!m_pHoverControl->m_rc.Contains(at)) return;
  m_ptMouse = at;
  InvalidateRect(&m_pHoverControl->m_rc);
}

bool CDlgBase::OnLButtonDown(platform::WParam flags, platform::Point pt) {
  auto& windows = platform::Windows();
  ShowFocusMark(false);
  // The page may have been laid out again since the pointer last moved (a write refreshes it):
  // the press goes to what is under the pointer now, not to what was there then.
  if (!m_bMouseDown && (!m_pHoverControl || HitTest(pt) != m_pHoverControl)) OnMouseMove(0, pt);
  if (m_pDownControl && m_pDownControl != m_pHoverControl) {
    m_pDownControl->CancelPress(0);
    m_pDownControl = nullptr;
  }
  if (m_pHoverControl && m_pHoverControl->m_rc.Contains(pt)) {
    m_bMouseDown = true;
    m_pDownControl = m_pHoverControl;
    m_rcDown = m_pHoverControl->m_rc;
    CControlBase* pressed = m_pHoverControl;
    if (pressed->CanFocus() && !pressed->m_bDisable) SetFocusControl(pressed);
    if (pressed->OnLButtonDown(static_cast<uint32_t>(flags), pt.x, pt.y)) {
      InvalidateRect(&pressed->m_rc);
    }
    // The press handler may have closed the dialog.
    if (m_hWnd && windows.IsWindow(m_hWnd)) {
      windows.SetCapture(m_hWnd);
      m_bCaptured = true;
    }
    return true;
  }
  m_rcDown = kNoRect;
  if (HitTest(pt)) return true;  // a disabled control is not an empty spot
  // An empty spot drags the window.
  const platform::Rect window = windows.WindowRect(m_hWnd);
  windows.PostMessage(m_hWnd, platform::msg::kNcLButtonDown,
                      static_cast<platform::WParam>(platform::kHtCaption),
                      platform::MakePointParam(window.left + pt.x, window.top + pt.y));
  return true;
}

void CDlgBase::OnLButtonUp(platform::WParam flags, platform::Point pt) {
  if (m_bCaptured) platform::Windows().ReleaseCapture();
  m_bCaptured = false;
  m_bMouseDown = false;
  if (m_pHoverControl) {
    CControlBase* control = m_pHoverControl;
    const platform::Rect rc = control->m_rc;
    const uint32_t id = control->m_uID;
    const bool changed = control->OnLButtonUp(static_cast<uint32_t>(flags), pt.x, pt.y);
    // The handler of the click may have rebuilt the page and dropped the hover control.
    if (m_pHoverControl != control) {
      m_rcDown = kNoRect;
      return;
    }
    if (changed) InvalidateRect(RepaintsWholeWindowOnRelease(id) ? nullptr : &rc);
    if (m_rcDown.Contains(pt) || rc.Contains(pt)) {
      m_ptMouse = pt;
    } else {
      m_ptMouse = {-1, -1};
      m_pHoverControl = nullptr;
    }
  }
  m_rcDown = kNoRect;
}

bool CDlgBase::OnLButtonDblClk(platform::WParam flags, platform::Point pt) {
  if (!m_pHoverControl) return false;
  CControlBase* found = nullptr;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (control->m_rc.Contains(pt)) {
        found = control.get();
        break;
      }
    }
    if (found) break;
  }
  if (!found) return false;
  CControlBase* hover = m_pHoverControl;
  if (hover->OnLButtonDblClk(static_cast<uint32_t>(flags), pt.x, pt.y) &&
      m_pHoverControl == hover) {
    InvalidateRect(&hover->m_rc);
  }
  m_rcDown = found->m_rc;
  return true;
}

bool CDlgBase::OnRButtonUp(platform::WParam flags, platform::Point pt) {
  if (!m_pHoverControl) return false;
  const auto& base = m_vecLayer[0];
  const bool onLayer0 = std::any_of(
      base.begin(), base.end(), [&](const auto& control) { return control->m_rc.Contains(pt); });
  if (!onLayer0) return false;
  CControlBase* hover = m_pHoverControl;
  if (hover->OnRButtonUp(static_cast<uint32_t>(flags), pt.x, pt.y) && m_pHoverControl == hover) {
    InvalidateRect(&hover->m_rc);
  }
  return true;
}

// --- keyboard focus and wheel ---

void CDlgBase::SetFocusControl(CControlBase* control) {
  if (control == m_pFocusControl) return;
  CControlBase* previous = m_pFocusControl;
  m_pFocusControl = control;
  if (previous) {
    previous->m_bFocused = false;
    if (m_bFocusMark) {
      const platform::Rect mark = ui::FocusMarkRect(*previous);
      InvalidateRect(&mark);
    }
    previous->OnFocusChanged(false);
  }
  if (control && m_pFocusControl == control) {
    control->m_bFocused = true;
    if (m_bFocusMark) {
      const platform::Rect mark = ui::FocusMarkRect(*control);
      InvalidateRect(&mark);
    }
    control->OnFocusChanged(true);
    if (m_bAccessibleWatched && m_pFocusControl == control && m_hWnd) {
      platform::Windows().NotifyAccessible(m_hWnd, platform::AccessibleEvent::Focus,
                                           IndexOf(control));
    }
  }
}

void CDlgBase::ShowFocusMark(bool show) {
  if (show == m_bFocusMark) return;
  m_bFocusMark = show;
  if (!m_pFocusControl) return;
  const platform::Rect mark = ui::FocusMarkRect(*m_pFocusControl);
  InvalidateRect(&mark);
}

std::vector<CControlBase*> CDlgBase::FocusOrder() const {
  std::vector<CControlBase*> order;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      if (control->IsDrawable() && !control->m_bDisable && control->CanFocus()) {
        order.push_back(control.get());
      }
    }
  }
  return order;
}

bool CDlgBase::Holds(const CControlBase* control) const {
  for (const auto& layer : m_vecLayer) {
    for (const auto& held : layer) {
      if (held.get() == control) return true;
    }
  }
  return false;
}

void CDlgBase::ClickControl(CControlBase& control, platform::Point pt, ClickKind kind) {
  if (!control.TakesInput() || !m_hWnd) return;
  auto& windows = platform::Windows();
  const uint32_t id = control.m_uID;
  CControlBase* target = &control;
  // Each handler may close the window or rebuild the page: stop when the control is gone.
  auto gone = [&] { return !m_hWnd || !windows.IsWindow(m_hWnd) || !Holds(target); };
  if (kind == ClickKind::WithMove) control.OnMouseMove(0, pt.x, pt.y);
  control.OnLButtonDown(0, pt.x, pt.y);
  if (gone()) return;
  const platform::Rect rc = control.m_rc;
  control.OnLButtonUp(0, pt.x, pt.y);
  if (gone()) return;
  // The pointer is elsewhere: the control goes back to its look without it.
  if (m_pHoverControl != &control) control.OnMouseMove(0, -1, -1);
  // Repainted whatever the release says: the press and the release may cancel out.
  InvalidateRect(RepaintsWholeWindowOnRelease(id) ? nullptr : &rc);
}

bool CDlgBase::MoveFocus(bool backwards) {
  const std::vector<CControlBase*> order = FocusOrder();
  if (order.empty()) {
    SetFocusControl(nullptr);
    return false;
  }
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  const auto at = std::find(order.begin(), order.end(), m_pFocusControl) - order.begin();
  std::ptrdiff_t next = 0;
  if (at == n) {
    next = backwards ? n - 1 : 0;
  } else {
    next = (at + (backwards ? n - 1 : 1)) % n;
  }
  SetFocusControl(order[static_cast<size_t>(next)]);
  return true;
}

CControlBase* CDlgBase::FocusForInput() {
  if (m_pFocusControl && (!m_pFocusControl->IsDrawable() || m_pFocusControl->m_bDisable)) {
    SetFocusControl(nullptr);
  }
  return m_pFocusControl;
}

bool CDlgBase::OnKeyDown(uint32_t vk) {
  auto& windows = platform::Windows();
  const uint32_t modifiers = windows.KeyModifiers();
  if (CControlBase* focus = FocusForInput()) {
    const platform::Rect rc = focus->m_rc;
    if (focus->OnKeyDown(vk, modifiers)) {
      // The key may have closed the dialog.
      if (m_hWnd && windows.IsWindow(m_hWnd)) InvalidateRect(&rc);
      return true;
    }
    if (!KeysAreData()) {
      ShowFocusMark(true);
      if (ui::OperateByKey(*this, *focus, vk, modifiers)) return true;
    }
  }
  if (vk == platform::kVkTab && !KeysAreData() &&
      (modifiers & (platform::mod::kControl | platform::mod::kAlt)) == 0) {
    ShowFocusMark(true);
    MoveFocus((modifiers & platform::mod::kShift) != 0);
    return true;
  }
  if (vk == platform::kVkEscape) {
    OnCancel();
    return true;
  }
  if (vk == platform::kVkReturn) {
    OnOK();
    return true;
  }
  return false;
}

bool CDlgBase::OnChar(char16_t unit) {
  CControlBase* focus = FocusForInput();
  if (!focus) return false;
  const platform::Rect rc = focus->m_rc;
  if (!focus->OnChar(unit)) return false;
  if (m_hWnd && platform::Windows().IsWindow(m_hWnd)) InvalidateRect(&rc);
  return true;
}

void CDlgBase::OnMouseWheel(platform::WParam wParam, platform::LParam lParam) {
  auto& windows = platform::Windows();
  const platform::Point pt = windows.ScreenToClient(m_hWnd, platform::PointFromParam(lParam));
  CControlBase* target = HitTest(pt);
  if (!target || target->m_bDisable) return;
  const platform::Rect rc = target->m_rc;
  if (target->OnMouseWheel(platform::WheelDeltaFromParam(wParam), pt.x, pt.y) && m_hWnd &&
      windows.IsWindow(m_hWnd)) {
    InvalidateRect(&rc);
  }
}

// --- messages ---

platform::LResult CDlgBase::OnMessage(platform::WindowId window, uint32_t message,
                                      platform::WParam wParam, platform::LParam lParam,
                                      bool& handled) {
  namespace msg = platform::msg;
  if (message == msg::kCreate) m_hWnd = window;  // arrives before CreateWindow returns
  handled = true;
  if ((message >= msg::kMouseMove && message <= msg::kMouseWheel) || message == msg::kMouseHover ||
      message == msg::kMouseLeave) {
    DropControlsWithoutInput();
  }
  const platform::Point pt = platform::PointFromParam(lParam);
  switch (message) {
    case msg::kPaint:
      OnPaint();
      return 0;
    case msg::kEraseBkgnd:
      return 1;
    case msg::kDpiChanged:
      OnDpiChanged(static_cast<int>(wParam & 0xFFFF),
                   reinterpret_cast<const platform::Rect*>(lParam));
      return 0;
    case msg::kMouseMove:
      OnMouseMove(wParam, pt);
      return 0;
    case msg::kMouseLeave:
      OnMouseLeave();
      return 0;
    case msg::kMouseHover:
      OnMouseHover();
      return 0;
    case msg::kLButtonDown:
      OnLButtonDown(wParam, pt);
      return 0;
    case msg::kLButtonUp:
      OnLButtonUp(wParam, pt);
      return 0;
    case msg::kLButtonDblClk:
      if (OnLButtonDblClk(wParam, pt)) return 0;
      break;
    case msg::kRButtonUp:
      if (OnRButtonUp(wParam, pt)) return 0;
      break;
    case msg::kKeyDown:
      if (OnKeyDown(static_cast<uint32_t>(wParam))) return 0;
      break;
    case msg::kChar:
      if (OnChar(static_cast<char16_t>(wParam))) return 0;
      break;
    case msg::kMouseWheel:
      OnMouseWheel(wParam, lParam);
      return 0;
    case msg::kClose:
      OnClose();
      return 0;
    case msg::kDestroy:
      UnregisterOpenDialog();
      if (m_bCaptured) platform::Windows().ReleaseCapture();
      m_bCaptured = false;
      m_pHoverControl = nullptr;
      m_pDownControl = nullptr;
      if (m_pFocusControl) m_pFocusControl->m_bFocused = false;
      m_pFocusControl = nullptr;
      m_bMouseDown = false;
      m_bTracking = false;
      return 0;
    default:
      break;
  }
  if (message == msg::kTimer) ReapPopups();
  handled = false;
  return 0;
}
