#include "views/device/DialogParts.h"

#include <memory>

#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace device_ui {

platform::Rect ScaledRect(int left, int top, int right, int bottom) {
  return {ui::Scaled(left), ui::Scaled(top), ui::Scaled(right), ui::Scaled(bottom)};
}

CImageButton* AddPushButton(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                            std::u16string_view caption) {
  auto* button =
      dialog.AddControl(0, std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, rc, caption));
  button->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  button->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  return button;
}

CImageButton* AddCloseCross(CDlgBase& dialog, uint32_t id, const platform::Rect& rc) {
  auto* button =
      dialog.AddControl(0, std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, rc, u""));
  button->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  button->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  return button;
}

CStaticText* AddLabel(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                      platform::Colour colour, uint32_t format, std::u16string_view text) {
  return dialog.AddControl(
      0, std::make_unique<CStaticText>(dialog.GetSafeHwnd(), id, rc, colour, format, text));
}

}  // namespace device_ui
