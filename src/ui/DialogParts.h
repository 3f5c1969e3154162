#pragma once
// Small builders the skinned dialogs share: scaled rectangles, push buttons on the button2
// images, the close cross and the title, labels.

#include <cstdint>
#include <string_view>

#include "platform/Types.h"
#include "ui/DlgBase.h"

class CImageButton;
class CStaticText;

namespace ui {

constexpr platform::Colour kTitleColour = 0xFE9252;
constexpr platform::Colour kLabelColour = kTextNormal;
constexpr uint32_t kWrappedCentre = 0x2015;  // centred, vertically centred, word-wrapping

// Multiplied by g_fUiScale.
platform::Rect ScaledRect(int left, int top, int right, int bottom);

// The dialog frames have a title strip along their top, down to the separator at y 29. Every
// dialog places its title and close cross alike, so that they line up from one dialog to the
// next: the cross 4 pixels in from the top right corner, the title centred in the strip.
// `width` is the dialog's unscaled width; the rectangles are scaled.
constexpr int kTitleStripBottom = 29;
platform::Rect CloseCrossRect(int width);
platform::Rect TitleRect(int width);
// The title label in TitleRect, single line, in the title colour.
CStaticText* AddTitle(CDlgBase& dialog, uint32_t id, int width, std::u16string_view text);
// A push button with its caption on "button2_nr.png" / "button2_ov.png".
CImageButton* AddPushButton(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                            std::u16string_view caption);
// The close cross ("exit_nr.png" / "exit_ov.png").
CImageButton* AddCloseCross(CDlgBase& dialog, uint32_t id, const platform::Rect& rc);
CStaticText* AddLabel(CDlgBase& dialog, uint32_t id, const platform::Rect& rc,
                      platform::Colour colour, uint32_t format, std::u16string_view text);

}  // namespace ui
