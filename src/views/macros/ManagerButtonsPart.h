#pragma once
// The main page's two manager buttons: 2062 (text 8) opens the macro manager, 2063 (text 211)
// the shooting-action manager through the opener the main window gives it. Each manager
// runs modally and is followed by AfterManagerClosed.

#include <functional>

#include "base/TextNumbers.h"
#include "views/main/PagePart.h"

class CImageButton;

class ManagerButtonsPart : public PagePart {
 public:
  static constexpr uint32_t kMacroButton = 2062;
  static constexpr uint32_t kShootingButton = 2063;
  static constexpr int kMacroText = common_text::kMacroTitle;
  static constexpr int kShootingText = common_text::kShootingTitle;

  // What 2063 runs (the shooting-action manager); nothing until it is given.
  void SetShootingManager(std::function<void(ViewServices&)> open) {
    m_openShooting = std::move(open);
  }

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override {}
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

 private:
  ViewServices* m_services = nullptr;
  std::function<void(ViewServices&)> m_openShooting;
};
