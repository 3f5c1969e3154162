#include "views/main/ButtonPage.h"

#include <memory>

#include "base/Language.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "views/main/PageLayout.h"

namespace {
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 24;
constexpr int kMargin = 12;
constexpr int kGap = 12;
}  // namespace

CImageButton* ButtonPage::AddButton(CDlgBase& dialog, uint32_t id, int text) {
  auto* button = dialog.AddControl(
      page::LayerOf(m_tab),
      std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, platform::Rect{}, LangText(text),
                                     ControlOptions{.visible = false}));
  button->SetImageNormal(ui::SkinPath(u"button4_nr.png"));
  button->SetImageHover(ui::SkinPath(u"button4_ov.png"));
  m_buttons.push_back(button);
  return button;
}

int ButtonPage::Layout(platform::Point origin) {
  const int left = origin.x + ui::Scaled((page::kPageContentWidth - kButtonWidth) / 2);
  int top = origin.y + ui::Scaled(kMargin);
  for (CImageButton* button : m_buttons) {
    button->SetRect(left, top, left + ui::Scaled(kButtonWidth), top + ui::Scaled(kButtonHeight));
    top += ui::Scaled(kButtonHeight + kGap);
  }
  const int count = static_cast<int>(m_buttons.size());
  return ui::Scaled(count * kButtonHeight + (count - 1) * kGap + 2 * kMargin);
}
