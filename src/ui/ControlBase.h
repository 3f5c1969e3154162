#pragma once
// Base of every skinned control. Controls are not windows: they live in a skinned window's
// layers, draw themselves into its back buffer and report what the user did by sending a
// message to it (message = control id, lParam = one of the Notify codes below).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "ui/ControlRole.h"

// lParam of a control notification.
namespace Notify {
constexpr platform::LParam kPressed = 1;
constexpr platform::LParam kClicked = 2;
constexpr platform::LParam kValueChanged = 3;
constexpr platform::LParam kEntered = 4;
constexpr platform::LParam kLeft = 5;
constexpr platform::LParam kDoubleClicked = 10;
constexpr platform::LParam kRightClicked = 11;
constexpr platform::LParam kPointerOver = 12;
}  // namespace Notify

// Default caption colours (0x00BBGGRR).
constexpr platform::Colour kTextNormal = 0xB4B4B4;
constexpr platform::Colour kTextHover = 0xFFFFFF;
constexpr platform::Colour kTextDown = 0x00FFFF;

enum ButtonState { kStateNormal = 0, kStateHover = 1, kStateDown = 2 };

// How a control starts, named at the call site: `{.show = false}`, `{.disabled = true}`.
// Drawn and hit-tested only when both visible and show are set; takes input only when it
// also responds and is not disabled.
struct ControlOptions {
  bool visible = true;
  bool show = true;
  bool disabled = false;
  bool response = true;
};

// For the controls that never take input (pictures, texts, bars) and the scroll bars, which
// decide it themselves: whether they are drawn.
struct Visibility {
  bool visible = true;
  bool show = true;

  constexpr ControlOptions Inert() const { return {visible, show, true, true}; }
  constexpr ControlOptions Active() const { return {visible, show, false, true}; }
};

class CControlBase {
 public:
  CControlBase(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
               std::u16string_view title, ControlOptions options = {});
  virtual ~CControlBase();
  CControlBase(const CControlBase&) = delete;
  CControlBase& operator=(const CControlBase&) = delete;

  // Paints into the parent's back buffer; `update` is the part being repainted.
  virtual void Draw(platform::Canvas& canvas, const platform::Rect& update) = 0;
  // Called on the pressed control when a popup of its window closes.
  virtual int CancelPress(int) { return 0; }
  virtual void SetRect(int left, int top, int right, int bottom);
  virtual platform::Rect GetRect() const { return m_rc; }
  // Stores a different text and repaints the control; the same text does nothing.
  virtual void SetTitle(std::u16string_view title);
  virtual std::u16string GetTitle() const { return m_strTitle; }
  // Neither repaints: the caller invalidates.
  virtual void SetVisible(bool bVisible) { m_bVisible = bVisible; }
  virtual void SetShow(bool bShow) { m_bShow = bShow; }
  // Mouse input in the parent's client coordinates. True when the look changed, so that the
  // window repaints the control's rectangle. A control that stops taking input while it has
  // the pointer or the press is given a release and a move away from it (at -1, -1).
  virtual bool OnMouseMove(uint32_t flags, int x, int y);
  virtual bool OnLButtonDown(uint32_t flags, int x, int y);
  virtual bool OnLButtonUp(uint32_t flags, int x, int y);
  virtual bool OnRButtonUp(uint32_t flags, int x, int y);
  virtual bool OnLButtonDblClk(uint32_t flags, int x, int y);
  // Frees every image; afterwards the control draws without them.
  virtual void ReleaseImages() {}
  // The window's scale went from `from` to `to` (g_fUiScale is `to` already): the rectangle
  // and the font follow, and so does whatever else the control keeps in pixels; pictures
  // loaded with LoadImageFile are loaded again from the artwork set for `to`. The window
  // places its controls again afterwards where it can.
  virtual void OnScaleChanged(float from, float to);
  // A press on it is being dragged (a slider's thumb): the window gives it every move until
  // the release, also with the pointer outside its rectangle.
  virtual bool IsDragging() const { return false; }

  // Keyboard and wheel. Only a drawable, enabled control gets them (the window decides).
  // Takes keyboard focus (Tab, click). By default the controls whose role is worked with
  // keys do (ui::IsOperable).
  virtual bool CanFocus() const;
  // Focus gained or lost; the control repaints itself.
  virtual void OnFocusChanged(bool /*focused*/) {}
  // Key and character messages of the focused control, and the wheel of the control under
  // the pointer (client coordinates, delta in platform::kWheelDelta units, positive away
  // from the user). `flags` holds the platform::mod bits; OnChar gets UTF-16 code units one
  // by one, a surrogate pair as two calls. True when the control consumed the input: the
  // window then repaints the control's rectangle and does nothing else with it.
  virtual bool OnKeyDown(uint32_t vk, uint32_t flags);
  virtual bool OnChar(char16_t unit);
  virtual bool OnMouseWheel(int delta, int x, int y);
  bool HasFocus() const { return m_bFocused; }

  void SetDisable(bool bDisable) { m_bDisable = bDisable; }
  // New font of this height and face, with the UI character set.
  void SetFont(int height, std::u16string_view face);
  bool SendToParent(uint32_t message, platform::WParam wParam, platform::LParam lParam);

  // Drawn and hit-tested only when both are set.
  bool IsDrawable() const { return m_bVisible && m_bShow; }
  // Drawn faded (ui::FadedCanvas): disabled, of a kind the user works, and not kept as it is.
  // Texts, pictures and indicators are disabled from birth and look as they always do.
  bool LooksDisabled() const;
  // Gets mouse input from its window. The window decides this when it dispatches, so the
  // mouse handlers are never called on a disabled or hidden control.
  bool TakesInput() const { return IsDrawable() && m_bResponse && !m_bDisable; }
  const platform::Font* GetFont() const { return m_font.get(); }

  uint32_t m_uID;
  platform::Rect m_rc;
  bool m_bVisible;
  bool m_bShow;
  bool m_bDisable;
  bool m_bResponse;
  std::u16string m_strTitle;
  platform::WindowId m_hWnd;
  // For the keyboard and screen readers: a role other than the class's (ui::Role::Auto keeps
  // the class's), and a name for a control whose caption does not say what it is.
  ui::Role m_enRole = ui::Role::Auto;
  std::u16string m_strAccName;
  // How the control looks while disabled: faded like any control that cannot be used now, or
  // as when enabled, for a heading or a read-out that is disabled for good.
  enum class DisabledLook { Faded, AsEnabled };
  DisabledLook m_enDisabledLook = DisabledLook::Faded;

 protected:
  bool Contains(int x, int y) const { return m_rc.Contains({x, y}); }
  // Loads a skin image for the scale (ui::LoadSkinImage) into `slot` and records its 1x
  // size; false (slot emptied) on failure. `slot` must be a member of the control: the
  // picture is loaded into it again when the scale changes.
  bool LoadImageFile(std::u16string_view path, std::unique_ptr<platform::Image>& slot);
  // The part of the caption rectangle left after the offsets.
  void DrawTitle(platform::Canvas& canvas, std::u16string_view text, platform::Colour colour,
                 uint32_t format, int textLeft = 0, int textRight = 0) const;
  void Invalidate() const;

  std::unique_ptr<platform::Font> m_font;
  platform::Size m_sizeImage;  // 1x size of the last image loaded

 private:
  struct ImageSource {
    std::unique_ptr<platform::Image>* slot;
    std::u16string path;
  };
  // Each slot's file, in the order they were last loaded (so the last one still sets
  // m_sizeImage when they are loaded again).
  std::vector<ImageSource> m_imageSources;
  bool LoadImageAt(std::u16string_view path, std::unique_ptr<platform::Image>& slot, float scale);
  friend class CDlgBase;  // keeps the focus flag
  bool m_bFocused = false;
};
