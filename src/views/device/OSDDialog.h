#pragma once
// The on-screen display: a small half-transparent, top-most window at the bottom right of
// the work area that never takes the focus and ignores input. It shows three lines (DPI
// level, its value, polling rate) and is painted by itself, without the skinned toolkit.

#include <memory>
#include <string>

#include "platform/WindowSystem.h"
#include "views/device/OsdRules.h"

class COSDDialog : public platform::WindowHandler {
 public:
  static constexpr const char16_t* kClassName = u"VantrelOsd";

  COSDDialog() = default;
  ~COSDDialog() override;
  COSDDialog(const COSDDialog&) = delete;
  COSDDialog& operator=(const COSDDialog&) = delete;

  // Creates and shows the window at its corner; false when it cannot be created.
  bool Create();
  void Destroy();
  // Stores the three lines and repaints the whole window.
  void SetTexts(const OsdTexts& texts);

  platform::WindowId GetSafeHwnd() const { return m_hWnd; }
  const OsdTexts& Texts() const { return m_texts; }

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  // The font of a line (height, average character width, weight), scaled.
  static platform::FontDesc FontOf(const OsdFont& font);

 private:
  void Paint();
  void PaintProfile(platform::Canvas& canvas, const platform::Rect& client);

  platform::WindowId m_hWnd = 0;
  OsdTexts m_texts;
};
