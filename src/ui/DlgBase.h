#pragma once
// The skinned dialog: one window that owns its controls in ten layers, paints them over a
// frame bitmap into the platform's back buffer and routes the mouse to them. Layer 0 holds
// the controls that are always present, layers 1..9 pages; later layers paint over earlier
// ones and win hit-tests.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "ui/ControlBase.h"
#include "ui/LookCanvas.h"
#include "ui/SkinnedWindow.h"

class CWndPopup;

class CDlgBase : public platform::WindowHandler,
                 public ui::SkinnedWindow,
                 public platform::AccessibleTree {
 public:
  static constexpr int kLayers = 10;
  static constexpr int kPopupSlots = 11;
  static constexpr uint32_t kMainTemplate = 102;
  static constexpr uint32_t kDialogTemplate = 152;
  static constexpr intptr_t kIdOk = 1;
  static constexpr intptr_t kIdCancel = 2;
  static constexpr platform::Colour kDefaultBackground = 0xEFE2BA;

  CDlgBase(uint32_t nIDTemplate, platform::WindowId parent);
  ~CDlgBase() override;
  CDlgBase(const CDlgBase&) = delete;
  CDlgBase& operator=(const CDlgBase&) = delete;

  // Creates and initialises the window, runs it modally, destroys it; returns the result
  // given to EndDialog (-1 when the window could not be created).
  intptr_t DoModal();
  // Modeless use: creates, initialises and shows the window.
  bool Create();
  // How many modal loops of skinned dialogs other than the main window run now (nested ones
  // count each).
  static int ModalCount();
  // Modal: ends the loop with `result`; modeless: destroys the window.
  void EndDialog(intptr_t result);
  platform::WindowId GetSafeHwnd() const { return m_hWnd; }
  platform::WindowId DumpWindowId() const override { return m_hWnd; }
  void DumpItems(std::vector<ui::DumpItem>& items) const override;

  // Paints the whole window: by convention background, frame, own decorations, DrawControls.
  // Without decorations of its own, a dialog keeps this one.
  virtual void DrawWindow(platform::Canvas& canvas, const platform::Rect& client);
  // Every drawable control of layers 0..9 whose rectangle meets `update`, in order.
  virtual void DrawControls(platform::Canvas& canvas, const platform::Rect& update);
  // Builds the controls (once).
  virtual void InitUI(const platform::Rect& client) = 0;

  // First control with this id, layers 0..9 in order; nullptr when absent.
  CControlBase* GetControl(uint32_t id) const;
  // Takes ownership; returns the control for convenience. An invalid layer goes to layer 0.
  template <typename T>
  T* AddControl(int layer, std::unique_ptr<T> control) {
    T* raw = control.get();
    AppendControl(layer, std::move(control));
    return raw;
  }
  const std::vector<std::unique_ptr<CControlBase>>& Layer(int layer) const;

  // Frame bitmap from a BITMAP resource or an image file; a bitmap that cannot be loaded
  // leaves the previous frame and background colour.
  bool SetFrameBitmap(int resourceId);
  bool SetFrameBitmapFile(std::u16string_view path);
  // Releases every control's images (before the dialog ends).
  void ResetControls();
  // The scale went from `from` to `to`: every control, the frame and the caption font follow,
  // open popups close (they open again at the new scale).
  void RescaleControls(float from, float to);
  // The scale the window's controls are built at now.
  float Scale() const { return m_fScale; }

  // Keyboard focus: key and character messages go to this control first. nullptr clears it;
  // both the control losing and the one gaining focus are told.
  void SetFocusControl(CControlBase* control);
  CControlBase* GetFocusControl() const { return m_pFocusControl; }
  // Tab and Shift+Tab: the next (previous) control of FocusOrder, wrapping around. False when
  // there is none.
  bool MoveFocus(bool backwards);
  // The drawable, enabled controls that can take focus, in Tab order: by default layer and
  // list order.
  virtual std::vector<CControlBase*> FocusOrder() const;
  // Whether the focus mark is shown: from the first key that moves or uses the focus until
  // the next mouse press, so that the mouse user sees the window as it always was.
  bool FocusMarkShown() const { return m_bFocusMark; }
  // Works a control from the keyboard as the mouse would: a press and a release at `pt`
  // (first a move there for a control that acts on where the pointer is, such as a dial).
  enum class ClickKind { PressRelease, WithMove };
  void ClickControl(CControlBase& control, platform::Point pt,
                    ClickKind kind = ClickKind::PressRelease);

  void ClosePopup(int slot);
  // Closes the slot's previous popup, then creates `popup` at `rc` (client coordinates).
  void OpenPopup(int slot, std::unique_ptr<CWndPopup> popup, const platform::Rect& rc,
                 uint32_t message, platform::WParam wParam);
  CWndPopup* Popup(int slot) const;

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  // Screen readers: one item per control of layers 0..9, in order (DlgBaseAccessible.cpp).
  // Once a reader has asked, the window reports focus moves and, after each paint, the
  // items whose state, value or name changed.
  platform::AccessibleTree* Accessible() override;
  int AccessibleCount() override;
  bool AccessibleItemAt(int index, platform::AccessibleItem& item) override;
  std::u16string AccessibleName() override;
  int AccessibleFocus() override;
  // A click on the control.
  bool DoDefaultAction(int index) override;

  int m_nWidth = 2254;
  int m_nHeight = 1480;
  platform::Colour m_clrBackground = kDefaultBackground;
  int m_hIcon = 128;
  platform::Size m_sizeFrame{100, 100};
  int m_nFrameBorder = 0;
  bool m_bInitUI = false;

 protected:
  virtual void OnInitDialog();
  // Enter and Escape that the focused control did not consume: OK does nothing by default,
  // Cancel ends the dialog with IDCANCEL.
  virtual void OnOK() {}
  virtual void OnCancel() { EndDialog(kIdCancel); }
  // WM_CLOSE: the program is ending or the mouse is gone. Unlike Escape, which a dialog may
  // ignore, this always ends it with IDCANCEL unless the dialog has work it must finish.
  virtual void OnClose() {
    ResetControls();
    EndDialog(kIdCancel);
  }
  // While true, keys are what the window records (a shortcut, a macro): they go to the
  // focused control and to the window's handlers, but work no control and move no focus.
  virtual bool KeysAreData() const { return false; }
  // Whether a release that changed the look of control `id` repaints the whole window rather
  // than the control (a control that switches what the window shows). Default: never.
  virtual bool RepaintsWholeWindowOnRelease(uint32_t /*id*/) const { return false; }
  // WM_DPICHANGED: `suggested` is the window rectangle the system proposes. A dialog follows
  // its own DPI from the scale it was built at, whichever of it and the main window hears of
  // the change first; it takes the suggested rectangle.
  virtual void OnDpiChanged(int dpi, const platform::Rect* suggested);
  // The window takes `suggested`, or keeps its top left corner at its size times its scale.
  void TakeScaledPlace(const platform::Rect* suggested);
  // A click on the OK button `ok` runs OnOK; one on the close cross `close` resets the controls
  // and ends the dialog with IDCANCEL. True when the message was either.
  bool OnOkOrCloseClicked(uint32_t message, platform::LParam lParam, uint32_t ok, uint32_t close);
  // Fills the background and copies the prepared frame.
  void DrawBackgroundAndFrame(platform::Canvas& canvas, const platform::Rect& client);
  void InvalidateRect(const platform::Rect* rc);
  // What the window would draw now, call by call; nothing is drawn. Empty without a window.
  ui::Look RecordLook();
  // After the window's state was brought up to date: invalidates where its look differs from
  // the look kept at the previous call (everything at the first), and keeps the new look.
  // Comparing with that look rather than with one taken just before the update also catches
  // a change made since without invalidating.
  void InvalidateLookChanges();

  platform::WindowId m_hWnd = 0;
  platform::WindowId m_hParent = 0;
  // What Create makes of a dialog that is not the main window.
  platform::WindowKind m_windowKind = platform::WindowKind::Dialog;
  uint32_t m_nIDTemplate;
  std::u16string m_strClassName = u"VantrelSkinDialog";
  std::unique_ptr<platform::Font> m_fontCaption;
  std::unique_ptr<platform::Canvas> m_memFrameDC;

  std::array<std::vector<std::unique_ptr<CControlBase>>, kLayers> m_vecLayer;
  CControlBase* m_pHoverControl = nullptr;
  CControlBase* m_pDownControl = nullptr;
  CControlBase* m_pFocusControl = nullptr;
  bool m_bTracking = false;
  bool m_bMouseDown = false;
  bool m_bCaptured = false;
  platform::Point m_ptMouse{-1, -1};
  platform::Rect m_rcDown{-1, -1, -1, -1};
  std::array<std::unique_ptr<CWndPopup>, kPopupSlots> m_pPopup;

 private:
  void AppendControl(int layer, std::unique_ptr<CControlBase> control);
  bool PrepareFrame(std::unique_ptr<platform::Image> bitmap);
  // Where the frame came from, to prepare it again at another scale.
  int m_nFrameResource = 0;
  std::u16string m_strFrameFile;
  void OnPaint();
  void OnMouseMove(platform::WParam flags, platform::Point pt);
  void OnMouseLeave();
  void OnMouseHover();
  bool OnLButtonDown(platform::WParam flags, platform::Point pt);
  void OnLButtonUp(platform::WParam flags, platform::Point pt);
  bool OnLButtonDblClk(platform::WParam flags, platform::Point pt);
  bool OnRButtonUp(platform::WParam flags, platform::Point pt);
  bool OnKeyDown(uint32_t vk);
  bool OnChar(char16_t unit);
  void OnMouseWheel(platform::WParam wParam, platform::LParam lParam);
  // The focused control when it may take input now; a hidden or disabled one loses focus.
  CControlBase* FocusForInput();
  // Forgets the hover and pressed controls once they take no input (disabled or hidden since),
  // ending their hover and press; called before each mouse message is dispatched.
  void DropControlsWithoutInput();
  // Topmost drawable, responsive control under the point.
  CControlBase* HitTest(platform::Point pt) const;
  void RegisterOpenDialog();
  void UnregisterOpenDialog();
  // Frees closed popups whose windows are gone.
  void ReapPopups();
  void ShowFocusMark(bool show);
  bool Holds(const CControlBase* control) const;
  std::vector<const CControlBase*> AllControls() const;
  CControlBase* ControlAt(int index) const;
  int IndexOf(const CControlBase* control) const;
  // After a paint: the items that changed since the last look, told to the readers.
  void NotifyAccessibleChanges();

  float m_fScale;
  bool m_bModal = false;
  bool m_bRegistered = false;
  bool m_bFocusMark = false;
  bool m_bAccessibleWatched = false;
  std::vector<platform::AccessibleItem> m_accKept;
  std::unique_ptr<platform::Canvas> m_pMeasure;  // text metrics for RecordLook
  std::optional<ui::Look> m_lookKept;
  std::vector<std::unique_ptr<CWndPopup>> m_closedPopups;
};
