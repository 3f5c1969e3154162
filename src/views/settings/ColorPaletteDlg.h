#pragma once
// The colour palette: the colour picture (BITMAP 287, 500 x 291, scaled with the window) with
// two pick areas, a preview of the working colour and its red, green and blue values (texts
// 2011..2013). OK writes the working colour to the target and closes; the close button
// discards it. Targets: a lighting colour slot of an effect, or a DPI level's colour.

#include <memory>

#include "platform/Canvas.h"
#include "ui/DlgBase.h"

struct ProfileSettings;
class CStaticText;

class CColorPaletteDlg : public CDlgBase {
 public:
  enum class Kind { Lighting = 0, DpiLevel = 1 };

  static constexpr int kPictureResource = 287;
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 291;
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kRedText = 2011;
  static constexpr uint32_t kGreenText = 2012;
  static constexpr uint32_t kBlueText = 2013;
  // Where the working colour is shown, in unscaled dialog pixels.
  static constexpr platform::Rect kPreview{252, 210, 316, 264};

  // Kind Lighting: `index` is the effect, `slot` the colour slot; kind DpiLevel: `index` is the
  // level. An index or slot outside its range makes OK write nothing.
  CColorPaletteDlg(ProfileSettings& profile, Kind kind, int index, int slot,
                   platform::WindowId parent);
  ~CColorPaletteDlg() override;

  platform::Colour WorkingColour() const { return m_clrWorking; }
  // Takes the colour of the picture under a client point (when it lies in a pick area and is
  // not the picture's background); true when the working colour changed.
  bool PickAt(platform::Point client);

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;

 private:
  platform::Colour TargetColour() const;
  void WriteTarget();
  void ShowComponents();

  ProfileSettings& m_profile;
  Kind m_kind;
  int m_nIndex;
  int m_nSlot;
  platform::Colour m_clrWorking = 0;
  std::unique_ptr<platform::Image> m_picture;
  CStaticText* m_components[3] = {};
};
