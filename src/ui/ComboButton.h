#pragma once
// A drop-down field. Its clicks, enter and leave notices use its own message:
// (message, id, 2), (message, id, 4) at most five times per stay, (message, id, 5) once on
// leaving. Press sends (id, 0, 1). While its menu is open leaving is silent; the owner flag
// silences press and click.

#include <string>

#include "ui/ImageButton.h"

class CComboButton : public CImageButton {
 public:
  static constexpr int kMaxEnterNotices = 5;

  CComboButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc, uint32_t message,
               std::u16string_view title, std::u16string_view title2, ControlOptions options = {});

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseMove(uint32_t flags, int x, int y) override;

  void SetMenuOpen(bool open) { m_bMenuOpen = open; }
  bool IsMenuOpen() const { return m_bMenuOpen; }
  void SetOwner(bool owner) { m_bOwner = owner; }
  void SetTitle2(std::u16string_view title2);
  const std::u16string& GetTitle2() const { return m_strTitle2; }
  uint32_t Message() const { return m_uMessage; }

 protected:
  void NotifyPressed(int x, int y) override;
  void NotifyClicked(int x, int y) override;

 private:
  uint32_t m_uMessage;
  std::u16string m_strTitle2;
  bool m_bMenuOpen = false;
  bool m_bOwner = false;
  bool m_bInside = false;
  int m_nEnterNotices = 0;
};
