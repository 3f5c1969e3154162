#pragma once
// The programs of one profile: up to three, each with its icon, its name and a remove
// button, and an add button that asks for a program (*.exe). Every change is saved at once
// into the profile's GameFile0..2.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "ui/DlgBase.h"

class CImageButton;
class CStaticText;
class ViewServices;

class CGamesDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kHintLabel = 2013;
  static constexpr uint32_t kAddButton = 2014;
  static constexpr uint32_t kFirstNameLabel = 2020;     // .. 2022
  static constexpr uint32_t kFirstRemoveButton = 2030;  // .. 2032
  static constexpr int kRows = 3;
  // The size of the dialog frame's artwork.
  static constexpr int kWidth = 429;
  static constexpr int kHeight = 140;
  static constexpr int kIconSize = 20;

  CGamesDlg(ViewServices& services, int slot);

  // The programs listed, in GameFile order.
  std::vector<std::u16string> Programs() const;

  // Adds a program (nothing when three are listed or it is listed already) / removes row
  // `row`; both save at once. False when nothing changed.
  bool AddProgram(std::u16string_view path);
  bool RemoveProgram(int row);

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override { EndDialog(kIdOk); }

 private:
  void AskForProgram();
  void Store(const std::vector<std::u16string>& programs);
  void ShowRows();
  static platform::Rect RowRect(int row);

  ViewServices& m_services;
  int m_slot;
  std::array<CStaticText*, kRows> m_names{};
  std::array<CImageButton*, kRows> m_removes{};
  CImageButton* m_pAdd = nullptr;
  std::array<std::unique_ptr<platform::Image>, kRows> m_icons;
};
