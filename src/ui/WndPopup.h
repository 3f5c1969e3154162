#pragma once
// Base of every popup menu: a top-most tool window drawn as one layered update. A derived
// popup reports a choice with SendToParent(m_uMessage, m_wParam, value) and closes itself.
// When it loses activation it sends its parent the close notice of its kind (once), and on
// WM_CLOSE message 1025 before it goes; a kind without a close notice closes itself. Escape
// closes it the same way as a deactivation.

#include <cstdint>
#include <memory>

#include "platform/WindowSystem.h"
#include "ui/SkinnedWindow.h"

class CWndPopup : public platform::WindowHandler, public ui::SkinnedWindow {
 public:
  static constexpr uint32_t kClosedMessage = 1025;

  explicit CWndPopup(int nKind);
  ~CWndPopup() override;
  CWndPopup(const CWndPopup&) = delete;
  CWndPopup& operator=(const CWndPopup&) = delete;

  // Creates the window at `rc` (screen coordinates) owned by `parent`. False when the
  // window could not be created.
  bool Create(platform::WindowId parent, const platform::Rect& rc, uint32_t message,
              platform::WParam wParam);
  // Posts WM_CLOSE to itself.
  void Close();
  platform::WindowId GetSafeHwnd() const { return m_hWnd; }
  platform::WindowId DumpWindowId() const override { return m_bAlive ? m_hWnd : 0; }
  bool IsPopup() const override { return true; }
  // A popup without controls lists nothing; menus list their rows.
  void DumpItems(std::vector<ui::DumpItem>& items) const override { (void)items; }
  // Between creation and WM_DESTROY.
  bool IsAlive() const { return m_bAlive; }
  int Kind() const { return m_nKind; }
  // Before Create: the popup is shown without taking activation and stays inactive when
  // clicked, so the menu beside it keeps the keyboard and is not deactivated (submenus).
  void SetNoActivate(bool noActivate) { m_bNoActivate = noActivate; }

  // The close notice sent on deactivation for a kind; 0 for kinds without one.
  static uint32_t CloseNotice(int kind);

  virtual void DrawWindow(platform::Canvas& canvas, const platform::Rect& client);
  virtual void DrawWindowEx(platform::Canvas& canvas, const platform::Rect& client);
  virtual void InitUI() {}
  // Client coordinates; true asks for a redraw.
  virtual bool OnMouseMove(int x, int y);
  virtual bool OnLButtonDown(int x, int y);
  virtual bool OnLButtonUp(int x, int y);
  virtual bool OnRButtonUp(int x, int y);
  // Keys while the popup is active; true asks for a redraw. The base closes on Escape.
  virtual bool OnKeyDown(uint32_t vk);

  bool LoadBackgroundPng(int resourceId);
  bool SendToParent(uint32_t message, platform::WParam wParam, platform::LParam lParam);
  void RedrawLayered();

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  platform::WindowId m_hWnd = 0;
  platform::WindowId m_hParent = 0;
  std::unique_ptr<platform::Font> m_font;
  platform::Point m_ptPos;
  platform::Size m_sizeWindow;
  uint32_t m_uMessage = 0;
  platform::WParam m_wParam = 0;
  int m_nKind;
  std::unique_ptr<platform::Image> m_pImage;
  platform::Size m_sizeImage;
  bool m_bTracking = false;
  bool m_bMouseDown = false;
  bool m_bCaptured = false;
  bool m_bNoActivate = false;

  // The close notice of this popup's kind to the parent, at most once per opening.
  void SendCloseNotice();

 private:
  void Redraw(bool changed) {
    if (changed) RedrawLayered();
  }
  platform::Point CursorInClient();

  bool m_bCloseNoticeSent = false;
  bool m_bAlive = false;
};
