#pragma once
// The toolkit gallery: one of every skinned control on one dialog, a popup menu behind the
// combo field and a message box behind a button, so the skin can be looked at as a whole.
// Not part of Vantrel.exe.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/DlgBase.h"
#include "ui/MenuPopup.h"
#include "ui/WndPopup.h"

// The combo field's menu: three rows, the chosen one reported as the result.
class CGalleryPopup : public CWndPopup {
 public:
  static constexpr int kRows = 3;
  static constexpr int kRowHeight = 24;
  CGalleryPopup() : CWndPopup(0) {}

  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  bool OnMouseMove(int x, int y) override;
  bool OnLButtonUp(int x, int y) override;

 private:
  int RowAt(int x, int y) const;
  int m_nHover = -1;
};

// The menu behind the menu field: function rows and two rows that open a submenu beside it
// while they are highlighted.
class CGalleryMenu : public CMenuPopup {
 public:
  static constexpr int kKind = 7;
  static constexpr uint32_t kOpenSubmenu = 1901;   // wParam = row
  static constexpr uint32_t kCloseSubmenu = 1902;  // the highlight left the submenu rows
  CGalleryMenu();

 protected:
  void OnHotItemChanged(int index) override;
};

class CGalleryDlg : public CDlgBase {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 640;
  static constexpr uint32_t kAttentionButton = 2062;
  static constexpr uint32_t kComboMessage = 1028;
  static constexpr uint32_t kCombo = 2013;
  static constexpr uint32_t kComboResult = 1900;
  static constexpr uint32_t kCloseButton = 2001;
  static constexpr uintptr_t kAnimationTimer = 110;
  static constexpr int kFrameBitmap = 364;  // the main window's frame
  static constexpr uint32_t kNameEntry = 2600;
  static constexpr uint32_t kNumberEntry = 2601;
  static constexpr uint32_t kMenuField = 2014;
  static constexpr uint32_t kMenuResult = 1903;
  static constexpr int kMenuSlot = 1;
  static constexpr int kSubmenuSlot = 2;
  static constexpr int kNumberMin = 100;
  static constexpr int kNumberMax = 26000;

  CGalleryDlg();

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  // What the last popup choice and the last message box returned.
  int LastChoice() const { return m_nLastChoice; }
  intptr_t LastAttentionResult() const { return m_nLastAttention; }
  platform::LParam LastMenuChoice() const { return m_nLastMenuChoice; }
  // Writes the entries and the last menu choice as UTF-8 lines to this file after every
  // change, for the end-to-end check ("name=...", "number=...", "menu=...").
  void SetStateLog(std::u16string path) { m_strStateLog = std::move(path); }

 protected:
  void OnOK() override {}

 private:
  void Animate();
  void OpenMenu();
  void OpenSubmenu(int row);
  void CloseMenus();
  void WriteStateLog();

  int m_nLastChoice = -1;
  platform::LParam m_nLastMenuChoice = -1;
  int m_nSubmenuRow = -1;
  std::u16string m_strStateLog;
  intptr_t m_nLastAttention = 0;
  int m_nTick = 0;
};
