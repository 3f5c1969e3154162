#pragma once
// A page that is a column of push buttons (the pairing and update pages): the buttons are
// centred on the page, in the page's layer, and shown by the tab rule.

#include <cstdint>
#include <vector>

#include "views/main/PagePart.h"
#include "views/main/PageTabs.h"

class CImageButton;

class ButtonPage : public PagePart {
 public:
  uint32_t Tab() const override { return m_tab; }
  int Layout(platform::Point origin) override;
  void Refresh() override {}

 protected:
  explicit ButtonPage(uint32_t tab) : m_tab(tab) {}

  // The next button of the column (on "button4"), hidden until the tab rule shows the page.
  CImageButton* AddButton(CDlgBase& dialog, uint32_t id, int text);

  ViewServices* m_services = nullptr;

 private:
  uint32_t m_tab;
  std::vector<CImageButton*> m_buttons;
};
