#include "ui/DialogParts.h"

#include <memory>

#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"

namespace ui {

platform::Rect ScaledRect(int left, int top, int right, int bottom) {
  return {Scaled(left), Scaled(top), Scaled(right), Scaled(bottom)};
}

platform::Rect CloseCrossRect(int width) {
  return ScaledRect(width - 19, 4, width - 4, 19);
}

platform::Rect TitleRect(int width) {
  return ScaledRect(21, 1, width - 24, kTitleStripBottom);
}

CStaticText* AddTitle(CDlgBase& dialog, uint32_t id, int width, std::u16string_view text) {
  namespace dt = platform::dt;
  return AddLabel(dialog, id, TitleRect(width), kTitleColour,
                  dt::kLeft | dt::kSingleLine | dt::kNoPrefix, text);
}

CImageButton* AddPushButton(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                            std::u16string_view caption) {
  auto* button =
      dialog.AddControl(0, std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, rc, caption));
  button->SetImageNormal(SkinPath(u"button2_nr.png"));
  button->SetImageHover(SkinPath(u"button2_ov.png"));
  return button;
}

CImageButton* AddCloseCross(CDlgBase& dialog, uint32_t id, const platform::Rect& rc) {
  auto* button =
      dialog.AddControl(0, std::make_unique<CImageButton>(dialog.GetSafeHwnd(), id, rc, u""));
  button->SetImageNormal(SkinPath(u"exit_nr.png"));
  button->SetImageHover(SkinPath(u"exit_ov.png"));
  return button;
}

CStaticText* AddLabel(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                      platform::Colour colour, uint32_t format, std::u16string_view text) {
  return dialog.AddControl(
      0, std::make_unique<CStaticText>(dialog.GetSafeHwnd(), id, rc, colour, format, text));
}

}  // namespace ui
